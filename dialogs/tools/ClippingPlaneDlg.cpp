// Clipping plane dialog.
#include "dialogs/tools/ClippingPlaneDlg.h"

#include "platform/ctrl/comctrl.h"
#include "platform/dlg/ddx.h"
#include "render/AESet.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

#include <utility>

FW_TABLE(CClippingPlaneDlg, CToolDlg, fw::on<WM_HSCROLL, &CClippingPlaneDlg::OnHScroll>(),
         fw::command<IDC_CLIPPLANE_REVERSE, &CClippingPlaneDlg::OnReverse>(),
         fw::command<IDC_CLIPPLANE_CLOSE, &CClippingPlaneDlg::OnClose>(),
         fw::command<ID_CLIPPLANE_RELOAD_POINTS, &CClippingPlaneDlg::OnReloadPoints>(),
         fw::on<WM_DESTROY, &CClippingPlaneDlg::OnDestroy>())

CClippingPlaneDlg::CClippingPlaneDlg(int frameKey)
    : CToolDlg(IDD_CLIPPING_PLANE, frameKey)
{
}

void CClippingPlaneDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Slider(dx, IDC_CLIPPLANE_SLIDER, m_nPosition);
}

CAESet* CClippingPlaneDlg::FindRenderer() const
{
    CCAEView* view = FindView();
    return view ? &view->Renderer() : nullptr;
}

BOOL CClippingPlaneDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "ClippingPlane", "ClippingPlane"));
    SetDlgItemText(IDC_CLIPPLANE_LABEL,
                   ToolText("Dialog.str", "ClippingPlane", "PlanePosition").GetString());
    SetDlgItemText(IDC_CLIPPLANE_CLOSE, ToolText("Dialog.str", "COMMON", "Close").GetString());
    SetDlgItemText(IDC_CLIPPLANE_REVERSE, ToolText("Dialog.str", "COMMON", "Reverse").GetString());
    ::SendDlgItemMessageA(m_hWnd, IDC_CLIPPLANE_SLIDER, TBM_SETRANGEMIN, FALSE, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_CLIPPLANE_SLIDER, TBM_SETRANGEMAX, TRUE, 100);
    ::SendDlgItemMessageA(m_hWnd, IDC_CLIPPLANE_SLIDER, TBM_SETTICFREQ, 10, 0);
    if (CAESet* renderer = FindRenderer())
    {
        for (int i = 0; i < 3; ++i)
        {
            m_dPoints[i] = renderer->SectionPoint(i).x;
            m_dPoints[3 + i] = renderer->SectionPoint(i).y;
            m_dPoints[6 + i] = renderer->SectionPoint(i).z;
        }
        renderer->SetClipping(1);
        m_isSectionShown = true;
    }
    SetPlaneFromPoints();
    UpdateData(FALSE);
    InvalidateView();
    return TRUE;
}

void CClippingPlaneDlg::SetPlaneFromPoints()
{
    CAESet* renderer = FindRenderer();
    if (renderer == nullptr)
        return;
    m_nPosition = renderer->PlaceSectionFromPoints();
    m_dRangeLow = renderer->SectionRangeLow();
    m_dRangeHigh = renderer->SectionRangeHigh();
}

void CClippingPlaneDlg::MoveToSlider()
{
    if (CAESet* renderer = FindRenderer())
        renderer->MoveSection(m_nPosition);
    UpdateData(FALSE);
    InvalidateView();
}

void CClippingPlaneDlg::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    UpdateData(TRUE);
    MoveToSlider();
    CToolDlg::OnHScroll(code, pos, bar);
}

void CClippingPlaneDlg::OnReverse()
{
    CAESet* renderer = FindRenderer();
    if (renderer == nullptr)
        return;
    std::swap(renderer->SectionPoint(0), renderer->SectionPoint(2));
    SetPlaneFromPoints();
    // The slider keeps its place: with the normal, the constant and the range all turned, the
    // plane at that place is the same plane.
    UpdateData(TRUE);
    MoveToSlider();
}

void CClippingPlaneDlg::OnClose()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CClippingPlaneDlg::OnReloadPoints()
{
    if (CAESet* renderer = FindRenderer())
    {
        for (int i = 0; i < 3; ++i)
            renderer->SectionPoint(i) = CPoint3D(m_dPoints[i], m_dPoints[3 + i], m_dPoints[6 + i]);
    }
    SetPlaneFromPoints();
    UpdateData(FALSE);
    InvalidateView();
}

void CClippingPlaneDlg::OnOK()
{
    DestroyWindow();
}

void CClippingPlaneDlg::OnCancel()
{
    DestroyWindow();
}

void CClippingPlaneDlg::OnReleasing()
{
    EndSection();
}

void CClippingPlaneDlg::OnDestroy()
{
    EndSection();
    CToolDlg::OnDestroy();
}

void CClippingPlaneDlg::EndSection()
{
    if (!std::exchange(m_isSectionShown, false))
        return;
    if (CAESet* renderer = FindRenderer())
        renderer->SetClipping(0);
    InvalidateView();
}
