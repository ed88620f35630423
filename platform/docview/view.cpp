// CView: creation into a document, painting, activation and routing.
#include "platform/docview/view.h"

#include "platform/docview/doc.h"
#include "platform/docview/frame.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"

FW_TABLE(CView, CWnd, fw::on<WM_CREATE, &CView::OnCreate>(),
         fw::on<WM_DESTROY, &CView::OnDestroy>(), fw::on<WM_PAINT, &CView::OnPaint>(),
         fw::on<WM_MOUSEACTIVATE, &CView::OnMouseActivate>(),
         fw::raw<WM_INITIALUPDATE, &CView::OnInitialUpdateMessage>())

CView::~CView()
{
    // Deleted while its window lives: the frame must not keep it as the active view.
    if (m_hWnd)
    {
        CFrameWnd* frame = GetParentFrame();
        if (frame && frame->GetActiveView() == this)
            frame->SetActiveView(nullptr, FALSE);
    }
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = fw::RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                            ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // A border becomes the three-dimensional client edge.
    if (cs.style & WS_BORDER)
    {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy()
{
    delete this;
}

int CView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message)
{
    const int result = CWnd::OnMouseActivate(topParent, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame())
    {
        // Clicking the active view gives it the focus back; another view becomes active.
        const HWND focus = ::GetFocus();
        if (frame->GetActiveView() == this && m_hWnd != focus && !::IsChild(m_hWnd, focus))
            OnActivateView(TRUE, this, this);
        else
            frame->SetActiveView(this);
    }
    return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*)
{
}

void CView::OnActivateView(BOOL activate, CView*, CView*)
{
    if (!activate)
        return;
    // The focus follows the active view while its window is the active one.
    const HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
    if (top && top == ::GetActiveWindow())
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return FALSE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handlerInfo);
}

void CView::CalcWindowRect(LPRECT clientRect, UINT adjustType)
{
    if (adjustType != adjustBorder)
    {
        ::AdjustWindowRectEx(clientRect, 0, FALSE, GetExStyle());
        const DWORD style = GetStyle();
        if (style & WS_VSCROLL)
            clientRect->right += ::GetSystemMetrics(SM_CXVSCROLL) - ((style & WS_BORDER) ? 1 : 0);
        if (style & WS_HSCROLL)
            clientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL) - ((style & WS_BORDER) ? 1 : 0);
        return;
    }
    CWnd::CalcWindowRect(clientRect, adjustType);
}
