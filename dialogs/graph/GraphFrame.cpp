// Graph frame and its pane: the toolbar's two commands reach the pane, which owns the graph.
#include "dialogs/graph/GraphFrame.h"

#include "core/services/StringFile.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"
#include "resources/ids/dialogs_ids.h"

FW_TABLE(CGraphWnd, CWnd, fw::on<WM_PAINT, &CGraphWnd::OnPaint>(),
         fw::on<WM_SIZE, &CGraphWnd::OnSize>(), fw::on<WM_CREATE, &CGraphWnd::OnCreate>(),
         fw::command<ID_GRAPH_POINT_DISPLAY, &CGraphWnd::OnPointDisplay>(),
         fw::command<ID_GRAPH_PRINT, &CGraphWnd::OnPrint>())

CGraphWnd::~CGraphWnd() = default;

BOOL CGraphWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = fw::RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                        ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

int CGraphWnd::OnCreate(LPCREATESTRUCTA)
{
    if (Default() == -1)
        return -1;
    m_view = std::make_unique<CGraphView>(this);
    return 0;
}

void CGraphWnd::Relayout()
{
    if (m_view == nullptr)
        return;
    GetClientRect(&m_clientRect);
    CClientDC dc(this);
    m_view->SetDrawRect(m_clientRect, dc.m_hDC);
    m_view->Plot(CGraphCtrl::kLines, m_marksHidden ? 0 : 1, 1);
}

void CGraphWnd::OnSize(UINT, int, int)
{
    Default();
    Relayout();
}

void CGraphWnd::OnPaint()
{
    CPaintDC paint(this);
    if (m_view == nullptr)
        return;
    GetClientRect(&m_clientRect);
    m_view->Paint(paint.m_hDC, m_clientRect);
}

void CGraphWnd::OnPointDisplay()
{
    m_marksHidden = m_marksHidden ? 0 : 1;
    Relayout();
    if (auto* frame = dynamic_cast<CGraphFrame*>(GetParentFrame()))
    {
        CToolBar& bar = frame->GetToolBar();
        bar.LoadBitmap(m_marksHidden ? IDB_GRAPH_MARKS_HIDDEN : IDB_GRAPH_MARKS_SHOWN);
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    Invalidate(TRUE);
}

void CGraphWnd::OnPrint()
{
    if (m_view == nullptr)
        return;
    GetClientRect(&m_clientRect);
    m_view->Print(m_clientRect);
    Relayout();
    Invalidate(TRUE);
}

FW_TABLE(CGraphFrame, CFrameWnd, fw::on<WM_CREATE, &CGraphFrame::OnCreate>(),
         fw::on<WM_SETFOCUS, &CGraphFrame::OnSetFocus>())

void CGraphFrame::GetMessageString(UINT id, CString& message) const
{
    message = LoadCommandText("Prompt", id);
    if (message.IsEmpty())
        CFrameWnd::GetMessageString(id, message);
}

void CGraphFrame::GetToolTipString(UINT id, CString& tip) const
{
    tip = LoadCommandText("ToolTip", id);
    if (tip.IsEmpty())
        CFrameWnd::GetToolTipString(id, tip);
}

BOOL CGraphFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.lpszClass = fw::RegisterWndClass(0);
    return TRUE;
}

int CGraphFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    // The program's icon, taken from its main window: the icon's id belongs to the shell.
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd)
        SendMessage(WM_SETICON, ICON_BIG, ::GetClassLongPtrA(main->m_hWnd, GCLP_HICON));
    if (!m_pane.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0),
                         this, AFX_IDW_PANE_FIRST, nullptr))
        return -1;
    const DWORD barStyle =
        WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, barStyle) ||
        !m_toolBar.LoadToolBar(IDR_GRAPH_TOOLBAR) || !m_toolBar.LoadBitmap(IDB_GRAPH_MARKS_HIDDEN))
        return -1;
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 4))
        return -1;
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    return 0;
}

void CGraphFrame::OnSetFocus(CWnd*)
{
    if (m_pane.m_hWnd != nullptr)
        m_pane.SetFocus();
}

BOOL CGraphFrame::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    if (m_pane.m_hWnd != nullptr && m_pane.OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void CGraphFrame::ShowGraph()
{
    ShowWindow(SW_SHOW);
    UpdateWindow();
    // Shown once here, not on every layout that meets the same points.
    if (CGraphView* view = m_pane.GetView())
        for (const std::string& warning : view->Graph().Warnings())
            AfxMessageBox(warning.c_str(), MB_OK | MB_ICONEXCLAMATION);
}
