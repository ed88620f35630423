// Lighting material of the shaded passes: front ("Obverse") and back ("Reverse") colours as
// Windows colour values with opacity percentages. The renderer sends it to its drawing device
// (render/GLMaterialDevice.h).
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "platform/base/types.h"

#include <cstdint>

class CGLMaterial
{
public:
    CGLMaterial();

    // One opaque colour for ambient and diffuse of both faces, no specular or emission,
    // shininess 30. The colour's components are on the 0..255 scale, truncated into a byte.
    void SetOpaqueColor(CColorRGBA color);

    int m_flag[2];
    COLORREF m_ambient[2]; // "EnvColor"
    int m_ambientPercent[2];
    COLORREF m_diffuse[2]; // "DiffColor"
    int m_diffusePercent[2];
    COLORREF m_specular[2]; // "SpecColor"
    int m_specularPercent[2];
    COLORREF m_emission[2]; // "EmmiColor"
    int m_emissionPercent[2];
    int16_t m_shininess[2];
};
