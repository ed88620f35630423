// Depth clipping dialog.
#include "dialogs/tools/ClippingDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/ctrl/comctrl.h"
#include "platform/dlg/ddx.h"
#include "platform/win/scrollbar.h"
#include "render/ViewVolume.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace
{
// The dialogs open now, one per view at most.
std::vector<CClippingDlg*>& OpenDialogs()
{
    static std::vector<CClippingDlg*> dialogs;
    return dialogs;
}

// A percentage typed in a field: a number and nothing else but spaces.
bool ParsePercent(const CString& text, double& value)
{
    const char* begin = text.GetString();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    if (end == begin)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' && std::isfinite(value);
}
} // namespace

FW_TABLE(CClippingDlg, CToolDlg, fw::on<WM_HSCROLL, &CClippingDlg::OnHScroll>(),
         fw::control<EN_KILLFOCUS, IDC_CLIPPING_BACKWARD_EDIT, &CClippingDlg::OnChangeBackward>(),
         fw::control<EN_KILLFOCUS, IDC_CLIPPING_FORWARD_EDIT, &CClippingDlg::OnChangeForward>(),
         fw::command<IDC_CLIPPING_CLOSE, &CClippingDlg::OnCloseButton>(),
         fw::on<WM_DESTROY, &CClippingDlg::OnDestroy>())

CClippingDlg::CClippingDlg(int frameKey)
    : CToolDlg(IDD_CLIPPING, frameKey)
{
    OpenDialogs().push_back(this);
    GoWithView();
}

CClippingDlg::~CClippingDlg()
{
    auto& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
}

CClippingDlg* CClippingDlg::Find(int frameKey)
{
    for (CClippingDlg* dialog : OpenDialogs())
    {
        if (dialog->m_nFrameKey == frameKey && !dialog->m_isClosing &&
            dialog->GetSafeHwnd() != nullptr)
            return dialog;
    }
    return nullptr;
}

CClippingDlg* CClippingDlg::Open(int frameKey, double startZ, double endZ)
{
    // A second Clipping command on the same view: the range to restore is still the one from
    // before the first.
    if (CClippingDlg* previous = Find(frameKey))
    {
        startZ = previous->m_dSavedStartZ;
        endZ = previous->m_dSavedEndZ;
        previous->m_isRestored = true;
        previous->CloseDialog();
    }
    auto* dialog = new CClippingDlg(frameKey);
    dialog->m_dSavedStartZ = startZ;
    dialog->m_dSavedEndZ = endZ;
    if (!dialog->Create(IDD_CLIPPING))
    {
        // Nothing to clip with: the view gets its range back.
        dialog->RestoreViewDepth();
        dialog->Release();
        return nullptr;
    }
    dialog->ShowInFront();
    return dialog;
}

void CClippingDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Slider(dx, IDC_CLIPPING_FORWARD_SLIDER, m_nForwardPos);
    DDX_Slider(dx, IDC_CLIPPING_BACKWARD_SLIDER, m_nBackwardPos);
    DDX_Text(dx, IDC_CLIPPING_FORWARD_EDIT, m_strForward);
    DDX_Text(dx, IDC_CLIPPING_BACKWARD_EDIT, m_strBackward);
}

BOOL CClippingDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "ClippingDlg", "Title"));
    SetDlgItemText(IDC_CLIPPING_FORWARD_LABEL,
                   ToolText("Dialog.str", "ClippingDlg", "Forward").GetString());
    SetDlgItemText(IDC_CLIPPING_BACKWARD_LABEL,
                   ToolText("Dialog.str", "ClippingDlg", "Backward").GetString());
    SetDlgItemText(IDC_CLIPPING_CLOSE, ToolText("Dialog.str", "COMMON", "Close").GetString());
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CLIPPING_FORWARD_EDIT), TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CLIPPING_BACKWARD_EDIT), TRUE);
    if (CCAEView* view = FindView())
    {
        const CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
        m_start = camera.m_volumeStart;
        m_end = camera.m_volumeEnd;
    }
    m_dDepth = m_end.z - m_start.z;
    // Slider ranges are 32-bit: a deep model still reaches 100 % at the right end.
    m_nMaximum = static_cast<int>(std::clamp(m_dDepth * 100.0, 0.0, double(INT_MAX)));
    if (m_dDepth == 0.0)
        m_dDepth = 1.0;
    FormatTexts();
    for (const int id : {IDC_CLIPPING_FORWARD_SLIDER, IDC_CLIPPING_BACKWARD_SLIDER})
    {
        ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMIN, FALSE, 0);
        ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMAX, TRUE, m_nMaximum);
    }
    m_nBackwardPos = m_nMaximum;
    UpdateData(FALSE);
    return TRUE;
}

int CClippingDlg::PositionOf(double percent) const
{
    const double position = std::ceil(percent * m_dDepth - 0.5);
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(m_nMaximum)));
}

void CClippingDlg::FormatTexts()
{
    m_strForward.Format("%3.3lf", m_dForward);
    m_strBackward.Format("%3.3lf", m_dBackward);
}

void CClippingDlg::ApplyToView()
{
    CCAEView* view = FindView();
    // Without depth there is nothing to clip: the taken depth of 1.0 would turn the range over.
    if (view == nullptr || m_nMaximum == 0)
        return;
    CPoint3D start = m_start;
    CPoint3D end = m_end;
    start.z = m_start.z + 0.01 * m_nForwardPos;
    end.z = m_end.z - (m_dDepth - 0.01 * m_nBackwardPos);
    // Both ends at one depth make no projection at all; a slab this thin shows what a user
    // expects of it: next to nothing.
    end.z = std::max(end.z, start.z + 1e-6 * m_dDepth);
    CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
    camera.SetPanPoint(view->ModelCenter() * -1.0);
    camera.SetVolume(start, end);
    view->InvalidateView();
}

void CClippingDlg::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    const int id = bar != nullptr ? ::GetDlgCtrlID(bar->GetSafeHwnd()) : 0;
    const auto position = [this](int control)
    { return static_cast<int>(::SendDlgItemMessageA(m_hWnd, control, TBM_GETPOS, 0, 0)); };
    if (id == IDC_CLIPPING_BACKWARD_SLIDER)
    {
        m_nBackwardPos = position(id);
        m_dBackward = m_nBackwardPos / m_dDepth;
        if (m_dBackward < m_dForward)
        {
            m_dForward = m_dBackward;
            m_nForwardPos = m_nBackwardPos;
        }
    }
    else if (id == IDC_CLIPPING_FORWARD_SLIDER)
    {
        m_nForwardPos = position(id);
        m_dForward = m_nForwardPos / m_dDepth;
        if (m_dBackward < m_dForward)
        {
            m_dBackward = m_dForward;
            m_nBackwardPos = m_nForwardPos;
        }
    }
    if (id == IDC_CLIPPING_BACKWARD_SLIDER || id == IDC_CLIPPING_FORWARD_SLIDER)
    {
        FormatTexts();
        UpdateData(FALSE);
        ApplyToView();
    }
    CToolDlg::OnHScroll(code, pos, bar);
}

bool CClippingDlg::CheckField(bool isBackward)
{
    if (m_isChecking || m_isClosing || m_hWnd == nullptr)
        return false;
    const int edit = isBackward ? IDC_CLIPPING_BACKWARD_EDIT : IDC_CLIPPING_FORWARD_EDIT;
    CString& accepted = isBackward ? m_strBackward : m_strForward;
    CString text;
    GetDlgItemText(edit, text);
    if (text == accepted)
        return true; // unchanged: the view keeps its camera
    double value = 0.0;
    if (!ParsePercent(text, value) || value > 100.0 || value < 0.0)
    {
        m_isChecking = true;
        ShowDialogMessage(*this, ToolText("message.str", "Error", "ValRange").GetString(),
                          MB_OK | MB_ICONERROR);
        SetDlgItemText(edit, accepted.GetString());
        ::SetFocus(::GetDlgItem(m_hWnd, edit));
        m_isChecking = false;
        return false;
    }
    const int position = PositionOf(value);
    if (isBackward)
    {
        m_dBackward = value;
        m_nBackwardPos = position;
        // Typing a backward value below the forward one pulls the forward back.
        if (m_dBackward < m_dForward)
        {
            m_dForward = value;
            m_nForwardPos = position;
        }
    }
    else
    {
        m_dForward = value;
        m_nForwardPos = position;
        if (m_dBackward < m_dForward)
        {
            m_dBackward = value;
            m_nBackwardPos = position;
        }
    }
    FormatTexts();
    UpdateData(FALSE);
    ApplyToView();
    return true;
}

void CClippingDlg::OnChangeBackward()
{
    CheckField(true);
}

void CClippingDlg::OnChangeForward()
{
    CheckField(false);
}

void CClippingDlg::OnOK()
{
    const HWND focus = ::GetFocus();
    if (focus != nullptr && focus == ::GetDlgItem(m_hWnd, IDC_CLIPPING_FORWARD_EDIT))
    {
        CheckField(false);
        return;
    }
    if (focus != nullptr && focus == ::GetDlgItem(m_hWnd, IDC_CLIPPING_BACKWARD_EDIT))
    {
        CheckField(true);
        return;
    }
    CloseDialog();
}

void CClippingDlg::OnCancel()
{
    CloseDialog();
}

void CClippingDlg::OnCloseButton()
{
    CloseDialog();
}

void CClippingDlg::CloseDialog()
{
    if (std::exchange(m_isClosing, true))
        return;
    RestoreViewDepth();
    Release();
}

void CClippingDlg::RestoreViewDepth()
{
    if (std::exchange(m_isRestored, true))
        return;
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
    camera.m_volumeStart.z = m_dSavedStartZ;
    camera.m_volumeEnd.z = m_dSavedEndZ;
    if (view->GetSafeHwnd() != nullptr)
        ::InvalidateRect(view->GetSafeHwnd(), nullptr, TRUE);
}

void CClippingDlg::OnViewClosed()
{
    // No depth range to give back: the next view under the key is another's.
    m_isRestored = true;
    CloseDialog();
}

void CClippingDlg::OnDestroy()
{
    m_isClosing = true;
    RestoreViewDepth();
    CToolDlg::OnDestroy();
}

void CClippingDlg::PostNcDestroy()
{
    delete this;
}
