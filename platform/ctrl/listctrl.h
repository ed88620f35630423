// CListCtrl (the list view) and CHeaderCtrl (its column header). Item data is pointer-sized;
// an owner-drawn report list (LVS_OWNERDRAWFIXED) draws its rows in DrawItem, reflected from
// the parent; custom draw reaches the control through its own reflection entries.
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>

class CImageList;

class CHeaderCtrl : public CWnd
{
    FW_CLASS(CHeaderCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The window's own object, or a temporary (never keep it).
    static CHeaderCtrl* FromHandle(HWND hwnd);

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int index, HDITEMA* item) const;
    BOOL SetItem(int index, const HDITEMA* item);
    int InsertItem(int index, const HDITEMA* item);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, index)); }
    BOOL GetItemRect(int index, LPRECT rect) const;
    BOOL Layout(HDLAYOUT* layout)
    {
        return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout)));
    }
    int HitTest(HDHITTESTINFO* info) const;
    int OrderToIndex(int order) const
    {
        return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, order));
    }
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const;

    // HDS owner-drawn items (HDF_OWNERDRAW).
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CListCtrl : public CWnd
{
    FW_CLASS(CListCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Items.
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    void SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
    BOOL GetItem(LVITEMA* item) const;
    BOOL SetItem(const LVITEMA* item);
    int InsertItem(const LVITEMA* item);
    int InsertItem(int index, const char* text);
    int InsertItem(int index, const char* text, int image);
    int InsertItem(UINT mask, int index, const char* text, UINT state, UINT stateMask, int image,
                   LPARAM data);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, char* buffer, int size) const;
    BOOL SetItemText(int index, int subItem, const char* text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    // LVNI_* relations from index (-1: from the start).
    int GetNextItem(int index, int flags) const;
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int index)
    {
        return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, index));
    }
    int GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
    int SetHotItem(int index)
    {
        return static_cast<int>(SendMessage(LVM_SETHOTITEM, static_cast<WPARAM>(index)));
    }

    // Geometry and scrolling.
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, LPRECT rect) const;
    BOOL GetItemPosition(int index, LPPOINT point) const;
    BOOL SetItemPosition(int index, POINT point);
    BOOL GetViewRect(LPRECT rect) const;
    BOOL GetOrigin(LPPOINT point) const;
    DWORD GetItemSpacing(BOOL smallIcons) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;
    int SubItemHitTest(LVHITTESTINFO* info);
    BOOL EnsureVisible(int index, BOOL partialOk);
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int first, int last);
    BOOL Update(int index)
    {
        return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(index)));
    }
    BOOL Arrange(UINT code) { return static_cast<BOOL>(SendMessage(LVM_ARRANGE, code)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    int GetStringWidth(const char* text) const;

    // Columns.
    int InsertColumn(int column, const LVCOLUMNA* info);
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int column)
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
    }
    BOOL GetColumn(int column, LVCOLUMNA* info) const;
    BOOL SetColumn(int column, const LVCOLUMNA* info);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    BOOL GetColumnOrderArray(LPINT order, int count = -1) const;
    BOOL SetColumnOrderArray(int count, LPINT order);
    CHeaderCtrl* GetHeaderCtrl() const;

    // Looks.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;
    DWORD GetExtendedStyle() const
    {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    DWORD SetExtendedStyle(DWORD style);
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF color)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, color));
    }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF color)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, color));
    }
    COLORREF GetTextBkColor() const
    {
        return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR));
    }
    BOOL SetTextBkColor(COLORREF color)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, color));
    }

    // Editing and sorting. The compare function gets the two items' data and the argument.
    CWnd* EditLabel(int index);
    CWnd* GetEditControl() const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR argument);

    // LVS_OWNERDRAWFIXED: paints one row.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
