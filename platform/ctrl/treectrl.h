// CTreeCtrl: the tree view. Item data is pointer-sized; items are HTREEITEM handles.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd
{
    FW_CLASS(CTreeCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Inserting and deleting.
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* insert);
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(const char* text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(UINT mask, const char* text, int image, int selectedImage, UINT state,
                         UINT stateMask, LPARAM data, HTREEITEM parent, HTREEITEM after);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM item, UINT code);

    // Navigation (TVGN_* codes).
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const
    {
        return GetNextItem(item, TVGN_NEXTVISIBLE);
    }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const
    {
        return GetNextItem(item, TVGN_PREVIOUSVISIBLE);
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM item) const;

    // Item attributes.
    BOOL GetItem(TVITEMA* item) const;
    BOOL SetItem(const TVITEMA* item);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const char* text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT)); }
    UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT indent) { SendMessage(TVM_SETINDENT, indent); }
    int GetItemHeight() const { return static_cast<int>(SendMessage(TVM_GETITEMHEIGHT)); }
    int SetItemHeight(int height)
    {
        return static_cast<int>(SendMessage(TVM_SETITEMHEIGHT, static_cast<WPARAM>(height)));
    }
    COLORREF SetBkColor(COLORREF color)
    {
        return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, color));
    }
    COLORREF SetTextColor(COLORREF color)
    {
        return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, color));
    }

    // Selection and view.
    BOOL Select(HTREEITEM item, UINT code);
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    BOOL EnsureVisible(HTREEITEM item);
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const;

    // Images, editing, sorting, dragging.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;
    CWnd* EditLabel(HTREEITEM item);
    CWnd* GetEditControl() const;
    BOOL SortChildren(HTREEITEM item);
    // The compare function gets the two items' data and the argument.
    BOOL SortChildrenCB(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM argument);
    // A new image list (the caller deletes it) picturing the item; null on failure.
    CImageList* CreateDragImage(HTREEITEM item);
    CWnd* GetToolTips() const;
    CWnd* SetToolTips(CWnd* tips);
};
