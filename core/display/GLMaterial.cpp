// Lighting material record.
#include "core/display/GLMaterial.h"

namespace
{
// A component on the 0..255 scale as a byte: truncated, and kept inside the byte's range.
BYTE ToByte(float component)
{
    if (!(component > 0.0f))
        return 0;
    if (component >= 255.0f)
        return 255;
    return static_cast<BYTE>(component);
}
} // namespace

CGLMaterial::CGLMaterial()
{
    for (int f = 0; f < 2; ++f)
    {
        m_flag[f] = 1;
        m_ambient[f] = RGB(0, 0, 0);
        m_ambientPercent[f] = 1;
        m_diffuse[f] = RGB(0, 0, 0);
        m_diffusePercent[f] = 1;
        m_specular[f] = RGB(0, 0, 0);
        m_specularPercent[f] = 1;
        m_emission[f] = RGB(0, 0, 0);
        m_emissionPercent[f] = 1;
        m_shininess[f] = 50;
    }
}

void CGLMaterial::SetOpaqueColor(CColorRGBA color)
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
}
