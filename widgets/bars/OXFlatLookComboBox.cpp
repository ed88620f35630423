// COXFlatLookComboBox: set-up, the companions, hover and focus, and owner-drawn items.
#include "widgets/bars/OXFlatLookComboBox.h"

#include "platform/win/dc.h"

#include <vector>

FW_TABLE(COXFlatLookComboBox, CComboBox, fw::on<WM_CREATE, &COXFlatLookComboBox::OnCreate>(),
         fw::on<WM_PAINT, &COXFlatLookComboBox::OnPaint>(),
         fw::raw<WM_SETFONT, &COXFlatLookComboBox::OnSetFontMessage>(),
         fw::on<WM_PARENTNOTIFY, &COXFlatLookComboBox::OnParentNotify>(),
         fw::on<WM_CTLCOLOR, &COXFlatLookComboBox::OnCtlColor>(),
         fw::on<WM_TIMER, &COXFlatLookComboBox::OnTimer>(),
         fw::on<WM_ENABLE, &COXFlatLookComboBox::OnEnable>(),
         fw::on<WM_NCPAINT, &COXFlatLookComboBox::OnNcPaint>(),
         fw::on<WM_SIZE, &COXFlatLookComboBox::OnSize>(),
         fw::on<WM_DESTROY, &COXFlatLookComboBox::OnDestroy>(),
         fw::on<WM_SETFOCUS, &COXFlatLookComboBox::OnSetFocus>(),
         fw::on<WM_KILLFOCUS, &COXFlatLookComboBox::OnKillFocus>(),
         fw::reflect_control<CBN_CLOSEUP, &COXFlatLookComboBox::OnCloseUp>())

namespace
{
// Text of an item of the list, empty for a missing one.
CString ListText(HWND combo, int index)
{
    if (index < 0)
        return CString();
    const LRESULT length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0)
        return CString();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    return CString(text.data());
}
} // namespace

COXFlatLookComboBox::COXFlatLookComboBox()
    : m_flat(*this, COXFlatLook::kindCombo)
{
    m_edit.m_pCombo = this;
}

BOOL COXFlatLookComboBox::PreCreateWindow(CREATESTRUCTA& cs)
{
    // Set up once the window is complete (WM_CREATE), not when it is first subclassed.
    m_bCreating = TRUE;
    return CComboBox::PreCreateWindow(cs);
}

void COXFlatLookComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    if (!m_bCreating)
        Setup();
}

int COXFlatLookComboBox::OnCreate(LPCREATESTRUCTA cs)
{
    const int result = CComboBox::OnCreate(cs);
    m_bCreating = FALSE;
    if (result != -1)
        Setup();
    return result;
}

void COXFlatLookComboBox::Setup()
{
    if (m_flat.IsInitialised())
        return;
    m_flat.Initialise();
    MeasureFont();
    if (CWnd* edit = GetDlgItem(kEditId))
        SubclassEdit(edit->GetSafeHwnd());
    if (!IsOwnerDrawn())
    {
        if (CWnd* list = GetDlgItem(kListId))
            SubclassList(list->GetSafeHwnd());
    }
    else
    {
        SetItemHeight(-1, static_cast<UINT>(m_textHeight + 1));
    }
}

BOOL COXFlatLookComboBox::IsOwnerDrawn() const
{
    return (GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

BOOL COXFlatLookComboBox::HasEdit() const
{
    return (GetStyle() & 0x3) != CBS_DROPDOWNLIST;
}

void COXFlatLookComboBox::SubclassEdit(HWND edit)
{
    if (m_edit.GetSafeHwnd() || !edit)
        return;
    m_edit.FlatLook().SetToolTipText(m_flat.GetToolTipText());
    m_edit.SubclassWindow(edit);
}

void COXFlatLookComboBox::SubclassList(HWND list)
{
    if (m_list.GetSafeHwnd() || !list)
        return;
    m_list.FlatLook().SetToolTipText(m_flat.GetToolTipText());
    m_list.SubclassWindow(list);
}

void COXFlatLookComboBox::MeasureFont()
{
    CClientDC dc(this);
    const HFONT font = GetFont();
    const HGDIOBJ old = font ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc.GetSafeHdc(), &metrics);
    m_textHeight = metrics.tmHeight;
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), "ygaQ!|", 6, &extent);
    m_extentHeight = extent.cy;
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
}

void COXFlatLookComboBox::SetFlatLook(BOOL flat)
{
    m_flat.SetFlat(flat);
}

void COXFlatLookComboBox::SetToolTipText(const char* text)
{
    m_flat.SetToolTipText(text);
    m_edit.FlatLook().SetToolTipText(text);
    m_list.FlatLook().SetToolTipText(text);
}

void COXFlatLookComboBox::SetFocusState(BOOL focus)
{
    m_flat.SetFocusState(focus);
}

void COXFlatLookComboBox::SetHotState(BOOL hot, CPoint)
{
    m_flat.SetHotState(hot);
}

void COXFlatLookComboBox::OnCompanionFocusChange(HWND newFocus)
{
    m_flat.OnFocusChange(newFocus);
}

void COXFlatLookComboBox::OnCompanionMouseMessage()
{
    if (m_flat.IsFlat() && !m_flat.IsHot())
        m_flat.CheckHover();
}

CRect COXFlatLookComboBox::GetDropButtonRect() const
{
    if ((GetStyle() & 0x3) == CBS_SIMPLE)
        return CRect();
    CRect client;
    GetClientRect(&client);
    CRect button(client.right - 2 - ::GetSystemMetrics(SM_CXVSCROLL), client.top + 2,
                 client.right - 2, client.bottom - 2);
    if (button.left < 0)
        button.left = 0;
    return button;
}

BOOL COXFlatLookComboBox::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (COXFlatLook::IsMouseMessage(msg))
        m_flat.OnMouseMessage(msg, wParam, lParam);
    return CComboBox::OnWndMsg(msg, wParam, lParam, result);
}

LRESULT COXFlatLookComboBox::OnSetFontMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    MeasureFont();
    if (GetItemHeight(-1) != m_textHeight + 1)
        SetItemHeight(-1, static_cast<UINT>(m_textHeight + 1));
    return result;
}

void COXFlatLookComboBox::OnParentNotify(UINT message, LPARAM lParam)
{
    CComboBox::OnParentNotify(message, lParam);
    if (LOWORD(message) != WM_CREATE)
        return;
    const HWND child = reinterpret_cast<HWND>(lParam);
    if (HIWORD(message) == kEditId)
        SubclassEdit(child);
    else if (HIWORD(message) == kListId)
        SubclassList(child);
}

HBRUSH COXFlatLookComboBox::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    // The drop-down list first asks for its colours when it is first shown.
    if (ctlColor == CTLCOLOR_LISTBOX && !IsOwnerDrawn() && wnd)
        SubclassList(wnd->GetSafeHwnd());
    return CComboBox::OnCtlColor(dc, wnd, ctlColor);
}

void COXFlatLookComboBox::OnTimer(UINT_PTR id)
{
    if (!m_flat.OnTimer(id))
        CComboBox::OnTimer(id);
}

void COXFlatLookComboBox::OnEnable(BOOL enable)
{
    CComboBox::OnEnable(enable);
    m_flat.OnEnable();
}

void COXFlatLookComboBox::OnNcPaint()
{
    Default();
    m_flat.OnNcPaint();
}

void COXFlatLookComboBox::OnSize(UINT type, int cx, int cy)
{
    CComboBox::OnSize(type, cx, cy);
    m_flat.OnSize();
}

void COXFlatLookComboBox::OnDestroy()
{
    m_flat.OnDestroy();
    CComboBox::OnDestroy();
}

void COXFlatLookComboBox::OnSetFocus(CWnd* oldWnd)
{
    CComboBox::OnSetFocus(oldWnd);
    m_flat.OnFocusChange(m_hWnd);
}

void COXFlatLookComboBox::OnKillFocus(CWnd* newWnd)
{
    CComboBox::OnKillFocus(newWnd);
    m_flat.OnFocusChange(newWnd ? newWnd->GetSafeHwnd() : nullptr);
}

BOOL COXFlatLookComboBox::OnCloseUp()
{
    // The look waited while the list was open: the focus may have moved meanwhile.
    m_flat.OnFocusChange(::GetFocus());
    return FALSE; // the parent hears of it too
}

void COXFlatLookComboBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    const HDC dc = item->hDC;
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool highlighted = (item->itemState & (ODS_SELECTED | ODS_FOCUS)) != 0;
    const int background = !enabled ? COLOR_BTNFACE : highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    ::FillRect(dc, &item->rcItem, ::GetSysColorBrush(background));
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &item->rcItem);
    const CString text = ListText(m_hWnd, static_cast<int>(item->itemID));
    const HFONT font = GetFont();
    const HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const int colour = highlighted ? COLOR_HIGHLIGHTTEXT
                       : enabled   ? COLOR_WINDOWTEXT
                                   : COLOR_BTNSHADOW;
    const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(colour));
    RECT textRect = item->rcItem;
    ::InflateRect(&textRect, -1, -1);
    ::DrawTextA(dc, text, text.GetLength(), &textRect, DT_SINGLELINE | DT_VCENTER);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    if (oldFont)
        ::SelectObject(dc, oldFont);
}

void COXFlatLookComboBox::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    item->itemHeight = static_cast<UINT>(m_textHeight + 1);
}

int COXFlatLookComboBox::CompareItem(LPCOMPAREITEMSTRUCT item)
{
    const CString first = ListText(m_hWnd, static_cast<int>(item->itemID1));
    const CString second = ListText(m_hWnd, static_cast<int>(item->itemID2));
    // The user's locale, without regard to case, multi-byte texts included.
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, -1, second, -1) - 2;
}
