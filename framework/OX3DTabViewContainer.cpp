// COX3DTabViewContainer: pages on tab items, the margin, activation and drag-over activation.
#include "framework/OX3DTabViewContainer.h"

#include "platform/win/dc.h"

#include <windows.h>

#include <cstring>

namespace fw
{
DROPEFFECT TabDragActivation::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState,
                                          CPoint point)
{
    m_nLastHovered = -1;
    return OnDragOver(wnd, data, keyState, point);
}

DROPEFFECT TabDragActivation::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    TCHITTESTINFO hit = {point, 0};
    const int tab = m_owner.HitTest(&hit);
    if (tab >= 0 && tab != m_nLastHovered)
    {
        m_nLastHovered = tab;
        m_owner.SetActivePageIndex(tab);
    }
    return DROPEFFECT_NONE;
}

void TabDragActivation::OnDragLeave(CWnd*)
{
    m_nLastHovered = -1;
}
} // namespace fw

FW_TABLE(COX3DTabViewContainer, CTabCtrl, fw::on<WM_CREATE, &COX3DTabViewContainer::OnCreate>(),
         fw::on<WM_NCCALCSIZE, &COX3DTabViewContainer::OnNcCalcSize>(),
         fw::on<WM_NCPAINT, &COX3DTabViewContainer::OnNcPaint>(),
         fw::on<WM_SIZE, &COX3DTabViewContainer::OnSize>(),
         fw::on<WM_ERASEBKGND, &COX3DTabViewContainer::OnEraseBkgnd>(),
         fw::on<WM_DESTROY, &COX3DTabViewContainer::OnDestroy>(),
         fw::on<WM_SETFOCUS, &COX3DTabViewContainer::OnSetFocus>(),
         fw::reflect_notify<static_cast<int>(TCN_SELCHANGE), &COX3DTabViewContainer::OnSelChange>())

COX3DTabViewContainer::COX3DTabViewContainer()
    : m_dropTarget(*this)
{
}

COX3DTabViewContainer::~COX3DTabViewContainer()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL COX3DTabViewContainer::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CTabCtrl::Create(style, rect, parent, id);
}

BOOL COX3DTabViewContainer::Create(const char* className, const char* windowName, DWORD style,
                                   const RECT& rect, CWnd* parent, UINT id, CCreateContext* context)
{
    if (className && std::strcmp(className, WC_TABCONTROLA) == 0)
        return CWnd::Create(className, windowName, style, rect, parent, id, context);
    if (!Create(kDefaultStyle, rect, parent, id))
        return FALSE;
    SetWindowText(windowName ? windowName : "");
    return TRUE;
}

int COX3DTabViewContainer::OnCreate(LPCREATESTRUCTA cs)
{
    if (CTabCtrl::OnCreate(cs) == -1)
        return -1;
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_dropTarget.Register(this);
    return 0;
}

CWnd* COX3DTabViewContainer::GetPage(int index) const
{
    if (!m_hWnd || index < 0 || index >= GetItemCount())
        return nullptr;
    return reinterpret_cast<CWnd*>(GetItemData(index));
}

BOOL COX3DTabViewContainer::FindPage(const CWnd* page, int& index) const
{
    for (int i = 0; page && i < GetItemCount(); ++i)
    {
        if (GetPage(i) == page)
        {
            index = i;
            return TRUE;
        }
    }
    return FALSE;
}

UINT COX3DTabViewContainer::GetUniqueId()
{
    return m_pageIds.Take();
}

BOOL COX3DTabViewContainer::InsertPage(int index, CWnd* page, const char* title, int image,
                                       DWORD extendedStyle, BOOL activate)
{
    if (!m_hWnd || index < 0 || index > GetItemCount() || !page || !::IsWindow(page->m_hWnd))
        return FALSE;
    page->SetParent(this);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<char*>(title ? title : "");
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(page);
    const int inserted = InsertItem(index, &item);
    if (inserted != index)
    {
        if (inserted >= 0)
            DeleteItem(inserted);
        return FALSE;
    }
    // The active index follows the page that is shown (the control moves its selection too).
    if (m_nActivePage >= index)
        ++m_nActivePage;
    page->ModifyStyleEx(0, extendedStyle);
    page->ModifyStyle(0, WS_TABSTOP);
    if (activate)
        SetActivePageIndex(index);
    else if (index != m_nActivePage)
        page->ShowWindow(SW_HIDE); // only the active page shows
    return TRUE;
}

BOOL COX3DTabViewContainer::InsertPage(int index, const CRuntimeClass* pageClass,
                                       CCreateContext* context, const char* title, int image,
                                       DWORD extendedStyle, BOOL activate)
{
    if (!m_hWnd || index < 0 || index > GetItemCount() || !pageClass)
        return FALSE;
    const UINT id = GetUniqueId();
    bool joinedView = false;
    CWnd* page =
        CreatePageFromClass(pageClass, context, GetActivePage(), this, CRect(), id, joinedView);
    if (!page)
    {
        m_pageIds.Free(id);
        return FALSE;
    }
    if (!InsertPage(index, page, title, image, extendedStyle, activate))
    {
        page->DestroyWindow();
        return FALSE;
    }
    if (joinedView)
        page->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL COX3DTabViewContainer::DeletePage(int index, BOOL destroy)
{
    const int count = GetItemCount();
    if (index < 0 || index >= count)
        return FALSE;
    CWnd* page = GetPage(index);
    if (index == m_nActivePage)
    {
        if (count > 1)
            SetActivePageIndex(index + 1 < count ? index + 1 : 0);
        else
        {
            if (page && ::IsWindow(page->m_hWnd))
                page->ShowWindow(SW_HIDE);
            m_nActivePage = -1;
        }
    }
    if (page && ::IsWindow(page->m_hWnd))
    {
        m_pageIds.Free(static_cast<UINT>(page->GetDlgCtrlID()));
        if (destroy)
            page->DestroyWindow();
    }
    DeleteItem(index);
    if (m_nActivePage > index)
        --m_nActivePage;
    SetCurSel(m_nActivePage);
    return TRUE;
}

BOOL COX3DTabViewContainer::DeletePage(CWnd* page, BOOL destroy)
{
    int index = -1;
    return FindPage(page, index) && DeletePage(index, destroy);
}

BOOL COX3DTabViewContainer::SetActivePageIndex(int index)
{
    if (index == m_nActivePage)
        return TRUE;
    const HWND focus = ::GetFocus();
    const bool hadFocus = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    CWnd* oldPage = GetActivePage();
    if (oldPage && ::IsWindow(oldPage->m_hWnd))
        oldPage->ShowWindow(SW_HIDE);
    SetCurSel(index);
    if (index < 0 || index >= GetItemCount())
    {
        m_nActivePage = -1;
        return FALSE;
    }
    m_nActivePage = index;
    CWnd* newPage = GetActivePage();
    if (!newPage || !::IsWindow(newPage->m_hWnd))
        return TRUE;
    RecalcLayout();
    newPage->ShowWindow(SW_SHOW);
    ActivatePageView(this, newPage, oldPage);
    if (hadFocus)
        newPage->SetFocus();
    newPage->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
}

void COX3DTabViewContainer::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.DeflateRect(m_nMargin, m_nMargin);
    AdjustRect(FALSE, &rect);
    rect.DeflateRect(m_nPageInset, m_nPageInset);
    m_rectPage = rect;
    CWnd* page = GetActivePage();
    if (page && ::IsWindow(page->m_hWnd))
        page->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
}

void COX3DTabViewContainer::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    CTabCtrl::OnNcCalcSize(calcValidRects, params);
    RECT& client = params->rgrc[0];
    // An axis too small for two margins collapses to nothing.
    if (client.right - client.left > 2 * m_nMargin)
    {
        client.left += m_nMargin;
        client.right -= m_nMargin;
    }
    else
        client.right = client.left;
    if (client.bottom - client.top > 2 * m_nMargin)
    {
        client.top += m_nMargin;
        client.bottom -= m_nMargin;
    }
    else
        client.bottom = client.top;
}

void COX3DTabViewContainer::OnNcPaint()
{
    CRect window;
    CRect client;
    fw::GetNonClientRects(m_hWnd, &window, &client);
    const HDC dc = ::GetWindowDC(m_hWnd);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    m_bPaintingMargin = TRUE;
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    m_bPaintingMargin = FALSE;
    if (GetExStyle() & WS_EX_CLIENTEDGE)
    {
        const HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        const HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        const HGDIOBJ oldPen = ::SelectObject(dc, shadow);
        ::MoveToEx(dc, window.left, window.bottom - 1, nullptr);
        ::LineTo(dc, window.left, window.top);
        ::LineTo(dc, window.right - 1, window.top);
        ::SelectObject(dc, light);
        ::LineTo(dc, window.right - 1, window.bottom - 1);
        ::LineTo(dc, window.left, window.bottom - 1);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(shadow);
        ::DeleteObject(light);
    }
    ::ReleaseDC(m_hWnd, dc);
}

void COX3DTabViewContainer::OnSize(UINT type, int cx, int cy)
{
    CTabCtrl::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL COX3DTabViewContainer::OnEraseBkgnd(CDC* dc)
{
    if (GetItemCount() > 0 && !m_bPaintingMargin)
        ::ExcludeClipRect(*dc, m_rectPage.left, m_rectPage.top, m_rectPage.right,
                          m_rectPage.bottom);
    return CTabCtrl::OnEraseBkgnd(dc);
}

void COX3DTabViewContainer::OnDestroy()
{
    for (int i = GetItemCount() - 1; i >= 0; --i)
        DeletePage(i, TRUE);
    m_dropTarget.Revoke();
    CTabCtrl::OnDestroy();
}

void COX3DTabViewContainer::OnSetFocus(CWnd* oldWnd)
{
    CWnd* page = GetActivePage();
    if (page && ::IsWindow(page->m_hWnd))
    {
        page->SetFocus();
        return;
    }
    CTabCtrl::OnSetFocus(oldWnd);
}

BOOL COX3DTabViewContainer::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (ReflectChildNotify(msg, wParam, lParam, result))
        return TRUE;
    return CTabCtrl::OnChildNotify(msg, wParam, lParam, result);
}

void COX3DTabViewContainer::OnSelChange(NMHDR*, LRESULT* result)
{
    SetActivePageIndex(GetCurSel());
    *result = 0;
}
