// The standard controls: creation, the calls that need more than one message, and the
// owner-draw messages reflected from the parent.
#include "platform/ctrl/stdctrl.h"

#include "platform/ctrl/ownerdraw.h"

#include <commctrl.h>
#include <string>

namespace
{
// The text of an item as a list box or combo box hands it out.
int GetItemText(const CWnd* control, UINT lengthMsg, UINT textMsg, int index, CString& text)
{
    const LRESULT length = control->SendMessage(lengthMsg, static_cast<WPARAM>(index));
    if (length < 0)
    {
        text.Empty();
        return static_cast<int>(length);
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = control->SendMessage(textMsg, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(&buffer[0]));
    buffer.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    text = CString(buffer);
    return static_cast<int>(copied);
}

LPARAM Text(const char* text)
{
    return reinterpret_cast<LPARAM>(text);
}
} // namespace

namespace fw
{
void InitCommonControls()
{
    static const bool registered = []
    {
        INITCOMMONCONTROLSEX init = {};
        init.dwSize = sizeof init;
        init.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES;
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

BOOL CreateControl(CWnd* control, const char* className, const char* text, DWORD style,
                   const RECT& rect, CWnd* parent, UINT id)
{
    InitCommonControls();
    return control->CreateEx(0, className, text, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent ? parent->GetSafeHwnd() : nullptr,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
} // namespace fw

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, "BUTTON", text, style, rect, parent, id);
}

HBITMAP CButton::SetBitmap(HBITMAP bitmap)
{
    return reinterpret_cast<HBITMAP>(
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CButton::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}

HICON CButton::SetIcon(HICON icon)
{
    return reinterpret_cast<HICON>(
        SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
}

HICON CButton::GetIcon() const
{
    return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CButton::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectDrawItem(this, msg, lParam, result);
}

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, "STATIC", text, style, rect, parent, id);
}

HICON CStatic::SetIcon(HICON icon)
{
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}

HICON CStatic::GetIcon() const
{
    return reinterpret_cast<HICON>(SendMessage(STM_GETICON));
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CStatic::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CStatic::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectDrawItem(this, msg, lParam, result);
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, "EDIT", nullptr, style, rect, parent, id);
}

CString CEdit::GetLine(int line) const
{
    const int index = LineIndex(line);
    if (index < 0)
        return CString();
    const int length = LineLength(index);
    // EM_GETLINE reads the buffer size from the first word of the buffer.
    std::string buffer(static_cast<size_t>(length < 2 ? 2 : length) + 1, '\0');
    *reinterpret_cast<WORD*>(&buffer[0]) = static_cast<WORD>(buffer.size() - 1);
    const LRESULT copied = SendMessage(EM_GETLINE, static_cast<WPARAM>(line), Text(&buffer[0]));
    buffer.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return CString(buffer);
}

int CEdit::LineLength(int charIndex) const
{
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(charIndex)));
}

int CEdit::LineFromChar(int charIndex) const
{
    return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(charIndex)));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(const char* text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, canUndo, Text(text));
}

void CEdit::SetMargins(UINT left, UINT right)
{
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, "LISTBOX", nullptr, style, rect, parent, id);
}

int CListBox::GetSelItems(int maxItems, LPINT indexes) const
{
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems),
                                        reinterpret_cast<LPARAM>(indexes)));
}

int CListBox::SetCaretIndex(int index, BOOL scroll)
{
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), !scroll));
}

int CListBox::GetText(int index, CString& text) const
{
    return GetItemText(this, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}

int CListBox::AddString(const char* text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Text(text)));
}

int CListBox::InsertString(int index, const char* text)
{
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
}

int CListBox::FindString(int startAfter, const char* text) const
{
    return static_cast<int>(
        SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), Text(text)));
}

int CListBox::FindStringExact(int startAfter, const char* text) const
{
    return static_cast<int>(
        SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), Text(text)));
}

int CListBox::SelectString(int startAfter, const char* text)
{
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), Text(text)));
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

int CListBox::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CListBox::SetItemHeight(int index, UINT height)
{
    return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const
{
    const LRESULT answer = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = HIWORD(answer) != 0;
    return LOWORD(answer);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CListBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectItemMessages(this, msg, lParam, result);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, "COMBOBOX", nullptr, style, rect, parent, id);
}

int CComboBox::GetLBText(int index, CString& text) const
{
    return GetItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

int CComboBox::AddString(const char* text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, Text(text)));
}

int CComboBox::InsertString(int index, const char* text)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
}

int CComboBox::FindString(int startAfter, const char* text) const
{
    return static_cast<int>(
        SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter), Text(text)));
}

int CComboBox::FindStringExact(int startAfter, const char* text) const
{
    return static_cast<int>(
        SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), Text(text)));
}

int CComboBox::SelectString(int startAfter, const char* text)
{
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), Text(text)));
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

int CComboBox::SetItemHeight(int index, UINT height)
{
    return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
}

void CComboBox::GetDroppedControlRect(LPRECT rect) const
{
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect));
}

BOOL CComboBox::SetEditSel(int start, int end)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)));
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectItemMessages(this, msg, lParam, result);
}
