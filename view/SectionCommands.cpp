// Solid sectioning commands.
#include "view/SectionCommands.h"

#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/ModelSet.h"
#include "core/services/LogFile.h"
#include "render/AESet.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

namespace
{
constexpr int kLogError = 2;
} // namespace

bool CSectionCommand::OpenSection(CCAEView& view)
{
    if (!OpenDialog(CToolDialog::kClippingPlane, CEntityArray()))
        return false;
    view.Renderer().PrepareSectionCut();
    view.InvalidateView();
    return true;
}

// Principal planes.

void CCmdCollClippingPlane::Start(CCmdRecord* record)
{
    if (record != nullptr && record->nCode == CCmdRecord::kSectionPlane)
        nPlane = static_cast<const CSectionPlaneRecord*>(record)->nPlane;
    ClippingPlane();
}

void CCmdCollClippingPlane::ClippingPlane()
{
    CCAEView* view = FindView();
    const CModelSet* model = view ? view->GetModel() : nullptr;
    if (view == nullptr || model == nullptr)
    {
        CAELogFile log("Gravik");
        log.WriteLine(kLogError, "CCmdCollClippingPlane::ClippingPlane", "pFrameWnd is NULL");
        return;
    }
    const CPoint3D c = model->GetCenter();
    const CPoint3D x(1, 0, 0);
    const CPoint3D y(0, 1, 0);
    const CPoint3D z(0, 0, 1);
    // The pairs +/- give the same plane with opposite normals (P0 and P2 exchanged).
    const CPoint3D planes[6][3] = {
        {c, c + x, c + y}, // +XY
        {c + y, c + x, c}, // -XY
        {c + z, c + x, c}, // +XZ
        {c, c + x, c + z}, // -XZ
        {c, c + y, c + z}, // +YZ
        {c + z, c + y, c}  // -YZ
    };
    CAESet& renderer = view->Renderer();
    if (nPlane >= 0 && nPlane < 6)
    {
        for (int i = 0; i < 3; ++i)
            renderer.SectionPoint(i) = planes[nPlane][i];
    }
    OpenSection(*view);
}

void CCmdCollClippingPlane::OnDialogOk(CCmdRecord*)
{
    CloseDialog();
}

// Custom plane.

void CCmdCollCustomSection::Start(CCmdRecord*)
{
    RequestPick(false, 3, 3, kKindNode);
}

void CCmdCollCustomSection::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = static_cast<const CSelectionRecord*>(record)->m_Entities;
    CCAEView* view = FindView();
    bool areNodes = picked.GetSize() == 3 && view != nullptr;
    for (INT_PTR i = 0; areNodes && i < picked.GetSize(); ++i)
        areNodes = picked[i] != nullptr && picked[i]->type == kTagNode;
    if (!areNodes)
    {
        m_bDialogOpen = 0;
        return;
    }
    CPoint3D points[3];
    for (int i = 0; i < 3; ++i)
        points[i] = static_cast<const CFENode*>(picked[i])->m_coord;
    // Nodes in a line define no plane: a section without a normal would hide all or nothing.
    if (Length(CrossProduct(points[1] - points[0], points[2] - points[0])) == 0.0)
    {
        m_bDialogOpen = 0;
        return;
    }
    for (int i = 0; i < 3; ++i)
        view->Renderer().SectionPoint(i) = points[i];
    OpenSection(*view);
}

void CCmdCollCustomSection::OnSelectionCancel(CCmdRecord*)
{
    CloseDialog();
    SendCode(CCmdRecord::kEndCommand);
}

void CCmdCollCustomSection::OnDialogOk(CCmdRecord*)
{
    CloseDialog();
    if (CCAEView* view = FindView())
    {
        view->MakeCurrent();
        view->Device().DeleteList(CAESet::kDirectionArrowList);
        view->InvalidateView();
    }
}
