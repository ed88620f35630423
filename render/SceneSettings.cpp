// Display settings of the renderer.
#include "render/SceneSettings.h"

CSceneSettings::CSceneSettings()
{
    for (int kind = 0; kind < kKindCount; ++kind)
    {
        m_colors[kind] = RGB(255, 255, 255);
        m_sizes[kind] = 1;
    }
}
