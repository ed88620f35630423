// One node of the multi-column tree control: the item record, its column cells, the links to
// its relatives and the operations on a subtree. A tree handle is the item's own address.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/string.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

#include <commctrl.h>
#include <memory>
#include <vector>

class COXTreeItem;

// How a cell or item may be edited in place.
enum : UINT
{
    OXTREE_EDIT_PLAIN = 0,  // growing edit box
    OXTREE_EDIT_CHOICE = 1, // drop-down list of the choice strings
    OXTREE_EDIT_DATE = 2,   // date editor; choices hold the earliest and latest date
    OXTREE_EDIT_NONE = 3,   // not editable
};

// Where Link puts a new item relative to its position item.
enum : int
{
    OXTREE_INSERT_AFTER = 0,
    OXTREE_INSERT_BEFORE = 1,
};

// Mask bits of COXTreeItem::SetCell.
enum : UINT
{
    OXTREE_CELL_IMAGE = 1,
    OXTREE_CELL_FONT = 2,
    OXTREE_CELL_COLOR = 4,
    OXTREE_CELL_TEXT = 8,
};

// The row side of expanding and collapsing, done by the control that shows the items.
class COXTreeRowSync
{
public:
    // The children of item (and their shown descendants) get rows below the item's row.
    virtual void ShowChildRows(COXTreeItem* item) = 0;
    // Every descendant row of item goes.
    virtual void HideChildRows(COXTreeItem* item) = 0;

protected:
    ~COXTreeRowSync() = default;
};

// The text, image, font, colour and editing settings of one column (1 and above) of an item.
class COXTreeCell
{
public:
    enum : UINT
    {
        kImageSet = 1,
        kFontSet = 2,
        kColorSet = 4,
        kTextSet = 8,
    };

    explicit COXTreeCell(int column);
    COXTreeCell(const COXTreeCell&) = delete;
    // Copies everything; the font is re-created from the other's.
    COXTreeCell& operator=(const COXTreeCell& other);

    void SetColor(COLORREF color);
    // A null font, or one that cannot be read or re-created, leaves the cell without a font.
    void SetFont(CFont* font);

    CString m_text;
    int m_column;
    UINT m_flags = 0; // kImageSet... (low byte only)
    int m_image = -1;
    UINT m_ellipsis = DT_END_ELLIPSIS;
    CStringArray m_choices;
    UINT m_editMode = OXTREE_EDIT_PLAIN;
    CFont m_font;
    COLORREF m_color;
};

class COXTreeItem
{
public:
    enum : UINT
    {
        kShown = 1,    // clear: hidden
        kDisabled = 2, // drawn grey, not editable
        kOwnColor = 4,
        kOwnFont = 8,
    };

    // A new item holding a copy of text; null text leaves it without one.
    explicit COXTreeItem(const char* text = nullptr);
    // The hidden root of a control: no text, expanded and expanded once.
    static std::unique_ptr<COXTreeItem> MakeHiddenRoot();
    // Unlinks the item, destroys its subtree, then frees its text, cells and font.
    virtual ~COXTreeItem();
    COXTreeItem(const COXTreeItem&) = delete;
    // Deep copy; the links are copied as they are and the caller resets them.
    COXTreeItem& operator=(const COXTreeItem& other);

    static COXTreeItem* FromHandle(HTREEITEM item) { return reinterpret_cast<COXTreeItem*>(item); }
    HTREEITEM GetHandle() const
    {
        return reinterpret_cast<HTREEITEM>(const_cast<COXTreeItem*>(this));
    }

    // Structure. Position may be TVI_FIRST, TVI_LAST, null (last) or a child of this item;
    // a position that is no child of this item appends.
    void Link(COXTreeItem* child, HTREEITEM position, int where = OXTREE_INSERT_AFTER);
    void Unlink();
    void DeleteChildren();
    // A copy of source (with its subtree when recursive) under newParent after position.
    static COXTreeItem* CopySubtree(COXTreeItem* newParent, const COXTreeItem* source,
                                    HTREEITEM position, bool recursive);

    COXTreeItem* GetParent() const { return m_parent; }
    COXTreeItem* GetNextSibling() const { return m_next; }
    COXTreeItem* GetPrevSibling() const { return m_prev; }
    COXTreeItem* GetFirstChild() const { return m_firstChild; }
    COXTreeItem* GetLastChild() const;
    // Pre-order over the whole tree regardless of expansion; null at the end.
    COXTreeItem* GetNextInOrder() const;
    COXTreeItem* GetPrevInOrder() const;
    int GetDepth() const;
    bool IsDescendantOf(const COXTreeItem* ancestor) const;
    bool IsLastVisibleSibling() const;
    bool HasChildren() const { return m_firstChild != nullptr; }
    bool HasVisibleChildren() const;
    int CountChildren() const { return CountChildrenFiltered(true); }
    int CountChildrenFiltered(bool includeHidden) const;
    int CountDescendants() const;

    bool IsHidden() const { return (m_flags & kShown) == 0; }
    void SetHidden(bool hide);
    bool IsDisabled() const { return (m_flags & kDisabled) != 0; }
    void SetDisabled(bool disable);
    // Not hidden, and every ancestor not hidden and expanded: the item has a row.
    bool IsShown() const;
    bool IsExpanded() const { return m_expanded; }
    bool IsExpandedOnce() const { return m_expandedOnce; }
    void SetExpanded(bool expanded);
    // Forgets that the item was ever expanded (not for the hidden root).
    void ResetExpansion();

    // Columns; column 0 is the item itself.
    COXTreeCell* GetCell(int column) const;
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    BOOL SetCell(int column, UINT mask, const char* text, int image = -1, CFont* font = nullptr,
                 COLORREF color = 0);
    CString GetColumnText(int column) const;
    int GetColumnImage(int column) const;
    int GetImage(int column, bool selected) const;
    BOOL SetColumnText(const char* text, int column);
    // Removes the cell of column n and moves the cells of higher columns one column left.
    BOOL RemoveColumn(int column);

    // Colour, font and ellipsis of a column.
    bool HasColor(int column) const;
    COLORREF GetColor(int column) const;
    void SetColor(COLORREF color);
    BOOL SetColor(COLORREF color, int column);
    bool HasFont(int column) const;
    CFont* GetFont(int column) const;
    BOOL SetFont(int column, CFont* font);
    UINT GetEllipsis(int column) const;
    BOOL SetEllipsis(UINT format, int column);

    // In-place editing settings of a column.
    BOOL SetEditMode(UINT mode, const CStringArray* choices, int column);
    UINT GetEditMode(int column) const;
    const CStringArray* GetChoices(int column) const;
    BOOL SetChoices(const CStringArray& choices, int column);

    // The item text (null when none, LPSTR_TEXTCALLBACK for callback text).
    const char* GetText() const { return m_tvi.pszText; }
    void SetText(const char* text);
    bool HasCallbackText() const { return m_tvi.pszText == LPSTR_TEXTCALLBACK; }

    // Expands or collapses by a TVE_ code; rows change through sync (may be null).
    BOOL Expand(UINT code, COXTreeRowSync* sync);
    // Stable sort of the children by a column's text or the compare function.
    void SortChildren(int column, bool onlyThisLevel, bool ascending, PFNTVCOMPARE compare,
                      LPARAM compareData);
    // Where a new child with text goes among the children: TVI_FIRST, TVI_LAST or the child
    // it follows.
    HTREEITEM FindSortedPosition(const char* text, bool ascending) const;

    bool IsHiddenRoot() const { return m_isHiddenRoot; }

    TVITEMA m_tvi; // the item record; pszText is owned unless it is the callback marker

private:
    struct HiddenRootTag
    {
    };
    explicit COXTreeItem(HiddenRootTag);

    void FreeText();
    bool MustExchange(const COXTreeItem* first, const COXTreeItem* second, int column,
                      bool ascending, PFNTVCOMPARE compare, LPARAM compareData) const;
    void SortLevel(int column, bool ascending, PFNTVCOMPARE compare, LPARAM compareData);
    BOOL CollapseReset(COXTreeRowSync* sync);

    bool m_isHiddenRoot = false;
    COLORREF m_color; // used while kOwnColor is set
    UINT m_ellipsis = DT_END_ELLIPSIS;
    UINT m_flags = kShown;
    CFont m_font; // used while kOwnFont is set
    bool m_expanded = false;
    bool m_expandedOnce = false;
    COXTreeItem* m_parent = nullptr;
    COXTreeItem* m_next = nullptr;
    COXTreeItem* m_prev = nullptr;
    COXTreeItem* m_firstChild = nullptr;               // children are owned through this chain
    std::vector<std::unique_ptr<COXTreeCell>> m_cells; // in the order they were created
    CStringArray m_choices;
    UINT m_editMode = OXTREE_EDIT_PLAIN;
};
