// The renderer's side of a 3-D view.
#include "render/SceneView.h"

#include "platform/win/dc.h"

void CSceneView::MakeCurrent()
{
    if (m_bPrinting)
        return;
    CClientDC* dc = m_Device.GetClientDC();
    if (dc != nullptr && m_Device.GetRenderingContext() != nullptr)
        wglMakeCurrent(dc->GetSafeHdc(), m_Device.GetRenderingContext());
}
