// The standard controls: button, static, edit, list box and combo box. Each wrapper adds no
// data to CWnd; owner-drawn ones get their drawing, measuring, comparing and deleting calls
// reflected from the parent to the virtuals here. Item data is pointer-sized.
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

namespace fw
{
// Registers the common-control window classes once per process (dialog templates that hold
// list views, trees, tabs, sliders... need them before they are created).
void InitCommonControls();

// Creates control as a child window of a system or common-control class covering rect.
BOOL CreateControl(CWnd* control, const char* className, const char* text, DWORD style,
                   const RECT& rect, CWnd* parent, UINT id);
} // namespace fw

class CButton : public CWnd
{
    FW_CLASS(CButton, CWnd)

public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetButtonStyle() const
    {
        return static_cast<UINT>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)) & 0xFF;
    }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;

    // BS_OWNERDRAW: paints the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd
{
    FW_CLASS(CStatic, CWnd)

public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;

    // SS_OWNERDRAW: paints the control.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd
{
    FW_CLASS(CEdit, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }

    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    // The line's text (without its break); an empty text past the last line.
    CString GetLine(int line) const;
    int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, line)); }
    int LineLength(int charIndex = -1) const;
    int LineFromChar(int charIndex = -1) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int lines, int chars = 0) { SendMessage(EM_LINESCROLL, chars, lines); }

    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    void SetLimitText(UINT maxChars) { SendMessage(EM_SETLIMITTEXT, maxChars); }
    void LimitText(int maxChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE)
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    void SetPasswordChar(char ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<BYTE>(ch)); }
    void SetMargins(UINT left, UINT right);
    void GetRect(LPRECT rect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
};

class CListBox : public CWnd
{
    FW_CLASS(CListBox, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
    int GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, index)); }
    int SetSel(int index, BOOL select = TRUE)
    {
        return static_cast<int>(SendMessage(LB_SETSEL, select, index));
    }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int maxItems, LPINT indexes) const;
    int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
    int SetCaretIndex(int index, BOOL scroll = TRUE);
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }

    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
    // LB_ERR and an empty text for a bad index.
    int GetText(int index, CString& text) const;
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int startAfter, const char* text) const;
    int FindStringExact(int startAfter, const char* text) const;
    int SelectString(int startAfter, const char* text);

    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data)
    {
        return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
    }

    int GetItemRect(int index, LPRECT rect) const;
    int GetItemHeight(int index) const
    {
        return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index));
    }
    int SetItemHeight(int index, UINT height);
    void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, extent); }
    // The item nearest a client point; outside is TRUE when the point lies beyond the items.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;

    // Owner-drawn list boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT item);
    virtual void DeleteItem(LPDELETEITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CComboBox : public CWnd
{
    FW_CLASS(CComboBox, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(CB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(CB_SETTOPINDEX, index)); }

    int GetLBTextLen(int index) const
    {
        return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index));
    }
    // CB_ERR and an empty text for a bad index.
    int GetLBText(int index, CString& text) const;
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(int index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int startAfter, const char* text) const;
    int FindStringExact(int startAfter, const char* text) const;
    int SelectString(int startAfter, const char* text);

    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data)
    {
        return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
    }

    // index -1 is the selection field.
    int GetItemHeight(int index) const
    {
        return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, index));
    }
    int SetItemHeight(int index, UINT height);
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    void GetDroppedControlRect(LPRECT rect) const;
    int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
    int SetDroppedWidth(UINT width)
    {
        return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width));
    }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end);
    BOOL LimitText(int maxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, maxChars)); }
    int SetExtendedUI(BOOL extended = TRUE)
    {
        return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, extended));
    }

    // Owner-drawn combo boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT item);
    virtual void DeleteItem(LPDELETEITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
