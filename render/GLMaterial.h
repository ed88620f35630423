// Lighting material of the shaded passes: front ("Obverse") and back ("Reverse") colours as
// Windows colour values with opacity percentages, sent to the drawing device.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "platform/base/types.h"

#include <cstdint>

class CDrawDevice;

class CGLMaterial
{
public:
    CGLMaterial();

    // Sends the colours of face 0 or 1 (alpha = percent / 100) and its shininess.
    void Apply(CDrawDevice* device, int face) const;
    // One opaque colour for ambient and diffuse of both faces, no specular or emission,
    // shininess 30; then applies face 0. The colour's components are on the 0..255 scale.
    void SetColor(CDrawDevice* device, CColorRGBA color);

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
