// A tree control with several columns, built on a report-view list control with fixed
// owner-drawn rows. The hierarchy lives in COXTreeItem objects; the list holds one row per
// shown item, in pre-order, each row's data being the item's handle. It speaks the standard
// tree control's vocabulary (TVITEM records, HTREEITEM handles, TVGN_, TVE_, TVIS_ and TVHT_
// codes, TVN_ notifications to the parent) and adds columns, per-cell settings, hidden and
// disabled items, sorting by column, type-ahead, item tips and in-place editors.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/geometry.h"
#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "platform/win/gdiobj.h"
#include "widgets/controls/OXItemTip.h"
#include "widgets/controls/OXTreeEditors.h"
#include "widgets/controls/OXTreeItem.h"

#include <windows.h>

#include <commctrl.h>
#include <memory>

// Extended style bits of the tree.
constexpr DWORD OXTREE_EX_CLEARONNULLCARET = 0x1; // selecting no caret item clears selection
constexpr DWORD OXTREE_EX_MULTISEL = 0x80000;
constexpr DWORD OXTREE_EX_HEADER = 0x100000;         // column header shown
constexpr DWORD OXTREE_EX_FULLROWSEL = 0x200000;     // every column of a selected row lit
constexpr DWORD OXTREE_EX_HGRID = 0x400000;          // line under each row
constexpr DWORD OXTREE_EX_VGRID = 0x800000;          // line right of each column
constexpr DWORD OXTREE_EX_FULLWIDTHGRID = 0x1000000; // row lines across the client width
constexpr DWORD OXTREE_EX_ROWACTS = 0x2000000;       // a click anywhere in a row acts on it
constexpr DWORD OXTREE_EX_NOSCROLL = 0x4000000;
constexpr DWORD OXTREE_EX_NOSORTHEADER = 0x8000000;
constexpr DWORD OXTREE_EX_SHAREIMAGELISTS = 0x10000000;
constexpr DWORD OXTREE_EX_ITEMTIPS = 0x20000000;

// GetNextItem codes beside the TVGN_ ones.
constexpr UINT OXTREE_GN_FIRSTSELECTED = 48;
constexpr UINT OXTREE_GN_NEXTSELECTED = 49;

class COXTreeCtrl : public CListCtrl, private COXTreeRowSync
{
public:
    static constexpr int kMinIndent = 19;
    static constexpr UINT_PTR kTypeAheadTimerId = 237;
    static constexpr UINT kTypeAheadMs = 500;

    COXTreeCtrl();
    ~COXTreeCtrl() override;

    // Creation and style. style's low word holds TVS_ bits, its high word the window style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD exStyle = 0);
    DWORD GetStyle() const;
    DWORD GetExStyle() const { return m_exStyle; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    void SetIndent(int indent);
    int GetIndent() const { return m_indent; }
    // TVSIL_NORMAL or TVSIL_STATE; returns the previous list, null for other types.
    CImageList* SetImageList(CImageList* imageList, int type);
    CImageList* GetImageList(int type) const;
    void SetRowHeight(int height);
    int GetRowHeight() const;

    // Columns (inserted and sized as in the list control).
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    // The width that shows every row's text of the column whole.
    int GetContentWidth(int column);
    int GetSortColumn() const;
    BOOL GetSortAscending() const;

    // Insertion: after may be TVI_FIRST, TVI_LAST, TVI_SORT or an item; where is
    // OXTREE_INSERT_AFTER or OXTREE_INSERT_BEFORE that item. Null for an invalid parent.
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* insert, int where = OXTREE_INSERT_AFTER);
    HTREEITEM InsertItem(UINT mask, const char* text, int image, int selectedImage, UINT state,
                         UINT stateMask, LPARAM lParam, HTREEITEM parent, HTREEITEM after,
                         int where = OXTREE_INSERT_AFTER);
    HTREEITEM InsertItem(const char* text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST,
                         int where = OXTREE_INSERT_AFTER);
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST,
                         int where = OXTREE_INSERT_AFTER);
    // The item with its subtree; one TVN_DELETEITEM for it. TVI_ROOT deletes everything.
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();

    // Navigation.
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(TVI_ROOT, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(TVI_ROOT, TVGN_DROPHILITE); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(TVI_ROOT, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item, BOOL onlyInClientArea = FALSE) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM item, BOOL onlyInClientArea = FALSE) const;
    HTREEITEM GetFirstHiddenItem() const;
    HTREEITEM GetNextHiddenItem(HTREEITEM item) const;
    HTREEITEM GetHiddenRootItem() const { return m_root->GetHandle(); }
    BOOL ItemHasChildren(HTREEITEM item) const;
    BOOL IsDescendant(HTREEITEM ancestor, HTREEITEM item) const;
    UINT GetCount() const { return m_itemCount; }
    UINT GetVisibleCount() const;

    // Item records and attributes; column 0 is the item itself.
    BOOL GetItem(TVITEMA* item) const;
    BOOL SetItem(TVITEMA* item);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    CString GetItemText(HTREEITEM item, int column = 0) const;
    BOOL SetItemText(HTREEITEM item, const char* text, int column = 0);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage, int column = 0) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage, int column = 0);
    BOOL SetSubItem(HTREEITEM item, int column, UINT mask, const char* text, int image = -1,
                    CFont* font = nullptr, COLORREF color = 0);
    BOOL SetItemColor(HTREEITEM item, COLORREF color, int column = 0);
    COLORREF GetItemColor(HTREEITEM item, int column = 0) const;
    BOOL SetItemFont(HTREEITEM item, CFont* font, int column = 0);
    CFont* GetItemFont(HTREEITEM item, int column = 0) const;
    BOOL SetItemEllipsis(HTREEITEM item, UINT format, int column = 0);
    UINT GetItemEllipsis(HTREEITEM item, int column = 0) const;
    BOOL HideItem(HTREEITEM item, BOOL hide = TRUE);
    BOOL IsItemHidden(HTREEITEM item) const;
    BOOL DisableItem(HTREEITEM item, BOOL disable = TRUE);
    BOOL IsItemDisabled(HTREEITEM item) const;

    // In-place editing settings.
    BOOL SetEditMode(HTREEITEM item, UINT mode, const CStringArray* choices = nullptr,
                     int column = 0);
    BOOL SetPlainEdit(HTREEITEM item, int column = 0);
    BOOL SetNoEdit(HTREEITEM item, int column = 0);
    BOOL SetChoices(HTREEITEM item, const CStringArray& choices, int column = 0);
    const CStringArray* GetChoices(HTREEITEM item, int column = 0) const;
    // Starts editing a cell as a click on it would; the list's edit window, or null.
    HWND EditLabel(HTREEITEM item, int column = 0);
    // The column of the cell under the editing click, -1 when none.
    int GetEditColumn() const { return m_editColumn; }

    // Geometry: the row, or with textOnly column 0's text area. FALSE when the item has no row.
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;

    // Structure.
    virtual BOOL Expand(HTREEITEM item, UINT code);
    BOOL EnsureVisible(HTREEITEM item);
    BOOL MoveItem(HTREEITEM item, HTREEITEM newParent, HTREEITEM after = TVI_LAST);
    BOOL CopyItem(HTREEITEM item, HTREEITEM newParent, HTREEITEM after, BOOL recursive,
                  HTREEITEM* newItem = nullptr);
    virtual BOOL SortByColumn(HTREEITEM item, int column, BOOL ascending,
                              PFNTVCOMPARE compare = nullptr, LPARAM data = 0);
    BOOL SortChildrenCB(LPTVSORTCB sort, int column = 0);

    // Selection.
    BOOL Select(HTREEITEM item, UINT code);
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM) { return FALSE; }

    // An image of the item's row (or of every selected row) for dragging; the caller owns it.
    CImageList* CreateDragImage(HTREEITEM item, BOOL multiple = FALSE);

    // Painting of one row, also into drag images.
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    // Creates the editor of column for item over cellRect; sets *result to 1 when the list's
    // own edit box must go (the editor brings its own window).
    virtual void SetupInPlaceEditor(HWND listEdit, HTREEITEM item, const RECT& cellRect, int column,
                                    LRESULT* result);
    // The tree's answer to an item-tip query.
    virtual void GetItemTipInfo(OXItemTipInfo* info);

    // Messages the parent reflects to the control go to the reflection entries of the
    // tables (this class's and a subclass's), not only to the list's row drawing.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Handlers.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    LRESULT OnScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnItemTipQuery(WPARAM wParam, LPARAM lParam);
    LRESULT OnParentNotify(WPARAM wParam, LPARAM lParam);
    // Reflected from the parent.
    void OnMeasureItem(LPMEASUREITEMSTRUCT measure);
    BOOL OnSetFocusNotify(NMHDR* header, LRESULT* result);
    BOOL OnKillFocusNotify(NMHDR* header, LRESULT* result);
    void OnBeginLabelEdit(NMHDR* header, LRESULT* result);
    BOOL OnEndLabelEdit(NMHDR* header, LRESULT* result);
    void OnGetDispInfo(NMHDR* header, LRESULT* result);

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    // Row geometry shared by painting, hit testing, editors and tips (row rectangle in
    // client coordinates).
    struct RowLayout
    {
        CRect row;
        int indentEnd;    // x where column 0's content starts
        CRect treeCell;   // the lines and button strip
        CRect button;     // empty without TVS_HASBUTTONS
        CRect stateImage; // empty without a state image
        CRect image;      // empty without an image
        CRect label;      // column 0's text
    };
    RowLayout GetRowLayout(const COXTreeItem* item, int row) const;
    int GetItemIndent(const COXTreeItem* item) const;

    COXTreeItem* GetItemFromRow(int row) const;
    int RowOf(const COXTreeItem* item) const;
    CFont* GetControlFont() const;
    COXItemTip& GetItemTip() { return m_itemTip; }

private:
    friend class COXTreeEdit;
    friend class COXTreeCombo;
    friend class COXTreeCal;
    friend class COXTreeHeader;
    friend class COXTreeSelectionKeeper;

    // COXTreeRowSync
    void ShowChildRows(COXTreeItem* item) override;
    void HideChildRows(COXTreeItem* item) override;

    // Set-up.
    void Initialize();
    DWORD ListStyleFor(DWORD treeStyle, DWORD exStyle) const;
    void CreateLinePen();
    void SubclassHeader();

    // Rows.
    COXTreeItem* Resolve(HTREEITEM item) const;
    int InsertRowAt(COXTreeItem* item, int index);
    int InsertItemRows(COXTreeItem* item);
    int InsertSubtreeRows(COXTreeItem* item, int index);
    int FindPrevRow(const COXTreeItem* item) const;
    void DeleteItemRows(COXTreeItem* item);
    void RedrawRow(const COXTreeItem* item);
    void RedrawRows(int first, int last);
    void LockRedraw();
    void UnlockRedraw();
    void ForgetDropHilite(const COXTreeItem* removed);

    // Records and notifications.
    LRESULT Notify(UINT code, NMHDR* header) const;
    LRESULT NotifyTree(UINT code, UINT action, COXTreeItem* newItem, COXTreeItem* oldItem) const;
    void FillNotifyItem(TVITEMA& record, COXTreeItem* item) const;
    // The record's fields into the item (TVN_SETDISPINFO for callbacks); rows untouched.
    void ApplyRecord(COXTreeItem* item, const TVITEMA& record);
    BOOL UpdateRow(COXTreeItem* item, const TVITEMA& record, int row);
    void SetDropHilite(COXTreeItem* item);
    bool IsRowInClientArea(HTREEITEM item) const;

    // Input.
    bool IsOnItemParts(UINT flags) const;
    void TypeAhead(char ch);
    void RedrawSelectedRows();
    BOOL BeginLabelEdit(const NMLVDISPINFOA* info);

    // Painting.
    void DrawTreePart(CDC& dc, const COXTreeItem* item, const RowLayout& layout, int row,
                      COLORREF background);
    void DrawCellImages(CDC& dc, const COXTreeItem* item, int column, CRect& cell, bool selected,
                        bool fullRowSelected, COLORREF background, COLORREF selectionBack);
    void DrawCellText(CDC& dc, const COXTreeItem* item, int column, const CRect& cell,
                      COLORREF fill, COLORREF textBack, COLORREF textColor, bool focusRect);
    void DrawDragRow(CDC& dc, const COXTreeItem* item, const CRect& rowRect);
    COLORREF GetTextBackground() const;
    int ColumnFormat(int column) const;
    int ImageWidth(HIMAGELIST list) const;
    int ImageHeight(HIMAGELIST list) const;
    bool HasStateImage(const COXTreeItem* item) const;
    // The cell's own font, a bold one for a bold item, else the control's.
    CFont* FontFor(const COXTreeItem* item, int column) const;
    CSize TextExtent(const COXTreeItem* item, int column, const char* text) const;

    // Editing.
    int EditableColumnAt(const COXTreeItem* item, int row, CPoint point, CRect* textArea) const;
    CRect GetCellRect(const COXTreeItem* item, int row, int column) const;

    BOOL m_initialized = FALSE;
    COXTreeCal m_dateEditor;
    COXTreeCombo m_comboEditor;
    COXTreeHeader m_header;
    CPoint m_lastClick;
    COXTreeEdit m_edit;
    DWORD m_treeStyle = 0; // TVS_ bits low, window style high
    DWORD m_exStyle = 0;
    int m_indent = kMinIndent;
    std::unique_ptr<COXTreeItem> m_root; // the hidden root, owner of every item
    int m_editColumn = -1;
    HWND m_activeEditor = nullptr;
    int m_rowHeight = 0; // 0: the list's own measure
    int m_measuredHeight = 0;
    BYTE m_clickToggle = 0;
    int m_lastClickedRow = -1;
    int m_lastClickedColumn = -1;
    UINT m_itemCount = 0;
    bool m_drawingDragImage = false;
    COXTreeItem* m_dropHilite = nullptr;
    BOOL m_itemTipPending = TRUE;
    COXItemTip m_itemTip;
    int m_redrawLocks = 0;
    UINT_PTR m_typeAheadTimer = 0;
    CString m_typeAhead;
    CPen m_linePen;
    mutable CFont m_boldFont;             // the control's font made bold
    mutable HFONT m_boldSource = nullptr; // the font m_boldFont was made from
    bool m_creating = false;
    mutable int m_rowHint = -1; // the row found last: sequential work finds rows at once
};
