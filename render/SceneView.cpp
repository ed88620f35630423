// The renderer's side of a 3-D view.
#include "render/SceneView.h"

#include "platform/win/dc.h"

void CSceneView::MakeCurrent()
{
    if (m_isPrinting)
        return;
    CClientDC* dc = m_device.GetClientDC();
    if (dc != nullptr && m_device.GetRenderingContext() != nullptr)
        wglMakeCurrent(dc->GetSafeHdc(), m_device.GetRenderingContext());
}

void CSceneView::SetModelBox(const CPoint3D& low, const CPoint3D& high)
{
    m_modelBox[0] = low;
    m_modelBox[1] = high;
}

void CSceneView::SetClipBox(const CPoint3D& low, const CPoint3D& high)
{
    m_clipBox[0] = low;
    m_clipBox[1] = high;
}

void CSceneView::SetLabelFontBases(UINT nodeBase, UINT elementBase)
{
    m_nodeLabelFontBase = nodeBase;
    m_elementLabelFontBase = elementBase;
}
