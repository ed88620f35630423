// Lighting material record; sending it to a drawing device is in GLMaterial_device.cpp, so
// that the record builds without the drawing layer.
#include "render/GLMaterial.h"

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
