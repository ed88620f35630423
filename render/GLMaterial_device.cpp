// Lighting material: sending its colours to a drawing device.
#include "render/DrawDevice.h"
#include "render/GLMaterial.h"

#include <algorithm>

namespace
{
struct Rgba
{
    float r, g, b, a;
};

// A component on the 0..255 scale as a byte: truncated, and kept inside the byte's range.
BYTE ToByte(float component)
{
    if (!(component > 0.0f))
        return 0;
    if (component >= 255.0f)
        return 255;
    return static_cast<BYTE>(component);
}

Rgba ToFloats(COLORREF color, int percent)
{
    constexpr float kScale = 1.0f / 255.0f;
    return {GetRValue(color) * kScale, GetGValue(color) * kScale, GetBValue(color) * kScale,
            percent * 0.01f};
}
} // namespace

void CGLMaterial::Apply(CDrawDevice* device, int face) const
{
    if (!device)
        return;
    const int f = std::clamp(face, 0, 1);
    const Rgba ambient = ToFloats(m_ambient[f], m_ambientPercent[f]);
    const Rgba diffuse = ToFloats(m_diffuse[f], m_diffusePercent[f]);
    const Rgba specular = ToFloats(m_specular[f], m_specularPercent[f]);
    const Rgba emission = ToFloats(m_emission[f], m_emissionPercent[f]);
    device->SetMaterialAmbient(ambient.r, ambient.g, ambient.b, ambient.a);
    device->SetMaterialDiffuse(diffuse.r, diffuse.g, diffuse.b, diffuse.a);
    device->SetMaterialSpecular(specular.r, specular.g, specular.b, specular.a);
    device->SetMaterialEmission(emission.r, emission.g, emission.b, emission.a);
    device->SetShininess(static_cast<float>(m_shininess[f]));
}

void CGLMaterial::SetColor(CDrawDevice* device, CColorRGBA color)
{
    const COLORREF value = RGB(ToByte(color.r), ToByte(color.g), ToByte(color.b));
    for (int f = 0; f < 2; ++f)
    {
        m_ambient[f] = value;
        m_diffuse[f] = value;
        m_specular[f] = RGB(0, 0, 0);
        m_emission[f] = RGB(0, 0, 0);
        m_ambientPercent[f] = 100;
        m_diffusePercent[f] = 100;
        m_specularPercent[f] = 100;
        m_emissionPercent[f] = 100;
        m_shininess[f] = 30;
    }
    Apply(device, 0);
}
