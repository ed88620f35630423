// Lighting material: sending its colours to a drawing device.
#include "render/GLMaterialDevice.h"

#include "render/DrawDevice.h"

#include <algorithm>

namespace
{
struct Rgba
{
    float r, g, b, a;
};

Rgba ToFloats(COLORREF color, int percent)
{
    constexpr float kScale = 1.0f / 255.0f;
    return {GetRValue(color) * kScale, GetGValue(color) * kScale, GetBValue(color) * kScale,
            percent * 0.01f};
}
} // namespace

void ApplyMaterial(const CGLMaterial& material, CDrawDevice* device, int face)
{
    if (!device)
        return;
    const int f = std::clamp(face, 0, 1);
    const Rgba ambient = ToFloats(material.m_ambient[f], material.m_ambientPercent[f]);
    const Rgba diffuse = ToFloats(material.m_diffuse[f], material.m_diffusePercent[f]);
    const Rgba specular = ToFloats(material.m_specular[f], material.m_specularPercent[f]);
    const Rgba emission = ToFloats(material.m_emission[f], material.m_emissionPercent[f]);
    device->SetMaterialAmbient(ambient.r, ambient.g, ambient.b, ambient.a);
    device->SetMaterialDiffuse(diffuse.r, diffuse.g, diffuse.b, diffuse.a);
    device->SetMaterialSpecular(specular.r, specular.g, specular.b, specular.a);
    device->SetMaterialEmission(emission.r, emission.g, emission.b, emission.a);
    device->SetShininess(static_cast<float>(material.m_shininess[f]));
}

void SetMaterialColor(CGLMaterial& material, CDrawDevice* device, CColorRGBA color)
{
    material.SetOpaqueColor(color);
    ApplyMaterial(material, device, 0);
}
