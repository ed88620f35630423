// Tree items: construction, links, navigation and the settings of each column.
#include "widgets/controls/OXTreeItem.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace
{
COLORREF DefaultTextColor()
{
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

// Replaces font by a copy of source; false (font left empty) when source is unusable.
bool CopyFont(CFont& font, const CFont* source)
{
    if (source == &font)
        return font.GetSafeHandle() != nullptr;
    font.DeleteObject();
    LOGFONTA logFont;
    if (!source || !source->GetSafeHandle() || !source->GetLogFont(&logFont))
        return false;
    return font.CreateFontIndirect(&logFont) != FALSE;
}
} // namespace

COXTreeCell::COXTreeCell(int column)
    : m_column(column)
    , m_color(DefaultTextColor())
{
}

COXTreeCell& COXTreeCell::operator=(const COXTreeCell& other)
{
    if (this == &other)
        return *this;
    m_text = other.m_text;
    m_column = other.m_column;
    m_flags = other.m_flags;
    m_image = other.m_image;
    m_ellipsis = other.m_ellipsis;
    m_editMode = other.m_editMode;
    m_color = other.m_color;
    if (!CopyFont(m_font, &other.m_font))
        m_flags &= ~kFontSet;
    m_choices.Copy(other.m_choices);
    return *this;
}

void COXTreeCell::SetColor(COLORREF color)
{
    m_color = color;
    m_flags |= kColorSet;
}

void COXTreeCell::SetFont(CFont* font)
{
    if (CopyFont(m_font, font))
        m_flags |= kFontSet;
    else
        m_flags &= ~kFontSet;
}

COXTreeItem::COXTreeItem(const char* text)
    : m_tvi()
    , m_color(DefaultTextColor())
{
    m_tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    m_tvi.hItem = GetHandle();
    m_tvi.iImage = -1;
    m_tvi.iSelectedImage = -1;
    SetText(text);
}

COXTreeItem::COXTreeItem(HiddenRootTag)
    : m_tvi()
    , m_isHiddenRoot(true)
    , m_color(DefaultTextColor())
    , m_expanded(true)
    , m_expandedOnce(true)
{
    m_tvi.mask = TVIF_HANDLE;
    m_tvi.hItem = GetHandle();
    m_tvi.iImage = -1;
    m_tvi.iSelectedImage = -1;
}

std::unique_ptr<COXTreeItem> COXTreeItem::MakeHiddenRoot()
{
    return std::unique_ptr<COXTreeItem>(new COXTreeItem(HiddenRootTag()));
}

COXTreeItem::~COXTreeItem()
{
    Unlink();
    DeleteChildren();
    FreeText();
}

COXTreeItem& COXTreeItem::operator=(const COXTreeItem& other)
{
    if (this == &other)
        return *this;
    if (CopyFont(m_font, &other.m_font))
        m_flags = other.m_flags;
    else
        m_flags = other.m_flags & ~kOwnFont;
    m_color = other.m_color;
    FreeText();
    m_tvi = other.m_tvi;
    m_tvi.pszText = nullptr;
    m_tvi.hItem = GetHandle();
    SetText(other.m_tvi.pszText);
    m_ellipsis = other.m_ellipsis;
    m_expanded = other.m_expanded;
    m_expandedOnce = other.m_expandedOnce;
    m_parent = other.m_parent;
    m_next = other.m_next;
    m_prev = other.m_prev;
    m_firstChild = other.m_firstChild;
    m_choices.Copy(other.m_choices);
    m_editMode = other.m_editMode;
    m_cells.clear();
    for (const auto& cell : other.m_cells)
    {
        m_cells.push_back(std::make_unique<COXTreeCell>(cell->m_column));
        *m_cells.back() = *cell;
    }
    return *this;
}

void COXTreeItem::Link(COXTreeItem* child, HTREEITEM position, int where)
{
    assert(child && !child->m_parent && child != this);
    child->m_parent = this;
    child->m_next = nullptr;
    child->m_prev = nullptr;
    if (!m_firstChild)
    {
        m_firstChild = child;
        return;
    }
    COXTreeItem* anchor = nullptr;
    if (position == TVI_FIRST)
    {
        child->m_next = m_firstChild;
        m_firstChild->m_prev = child;
        m_firstChild = child;
        return;
    }
    if (position && position != TVI_LAST && FromHandle(position)->m_parent == this)
        anchor = FromHandle(position);
    if (anchor && where == OXTREE_INSERT_BEFORE)
    {
        child->m_prev = anchor->m_prev;
        child->m_next = anchor;
        if (anchor->m_prev)
            anchor->m_prev->m_next = child;
        else
            m_firstChild = child;
        anchor->m_prev = child;
        return;
    }
    if (!anchor)
        anchor = GetLastChild();
    child->m_prev = anchor;
    child->m_next = anchor->m_next;
    if (anchor->m_next)
        anchor->m_next->m_prev = child;
    anchor->m_next = child;
}

void COXTreeItem::Unlink()
{
    if (m_prev)
        m_prev->m_next = m_next;
    else if (m_parent && m_parent->m_firstChild == this)
        m_parent->m_firstChild = m_next;
    if (m_next)
        m_next->m_prev = m_prev;
    m_parent = nullptr;
    m_next = nullptr;
    m_prev = nullptr;
}

void COXTreeItem::DeleteChildren()
{
    while (m_firstChild)
        delete m_firstChild; // its destructor unlinks it
}

COXTreeItem* COXTreeItem::CopySubtree(COXTreeItem* newParent, const COXTreeItem* source,
                                      HTREEITEM position, bool recursive)
{
    assert(newParent && source && !source->m_isHiddenRoot);
    auto* copy = new COXTreeItem();
    *copy = *source;
    copy->m_parent = nullptr;
    copy->m_next = nullptr;
    copy->m_prev = nullptr;
    copy->m_firstChild = nullptr;
    newParent->Link(copy, position, OXTREE_INSERT_AFTER);
    if (recursive)
    {
        HTREEITEM previous = TVI_FIRST;
        for (const COXTreeItem* child = source->m_firstChild; child; child = child->m_next)
            previous = CopySubtree(copy, child, previous, true)->GetHandle();
    }
    return copy;
}

COXTreeItem* COXTreeItem::GetLastChild() const
{
    COXTreeItem* child = m_firstChild;
    while (child && child->m_next)
        child = child->m_next;
    return child;
}

COXTreeItem* COXTreeItem::GetNextInOrder() const
{
    if (m_firstChild)
        return m_firstChild;
    for (const COXTreeItem* item = this; item; item = item->m_parent)
    {
        if (item->m_next)
            return item->m_next;
    }
    return nullptr;
}

COXTreeItem* COXTreeItem::GetPrevInOrder() const
{
    if (!m_prev)
        return m_parent;
    COXTreeItem* item = m_prev;
    while (COXTreeItem* last = item->GetLastChild())
        item = last;
    return item;
}

int COXTreeItem::GetDepth() const
{
    int depth = 0;
    for (const COXTreeItem* item = m_parent; item; item = item->m_parent)
        ++depth;
    return depth;
}

bool COXTreeItem::IsDescendantOf(const COXTreeItem* ancestor) const
{
    for (const COXTreeItem* item = m_parent; item; item = item->m_parent)
    {
        if (item == ancestor)
            return true;
    }
    return false;
}

bool COXTreeItem::IsLastVisibleSibling() const
{
    for (const COXTreeItem* item = m_next; item; item = item->m_next)
    {
        if (!item->IsHidden())
            return false;
    }
    return true;
}

bool COXTreeItem::HasVisibleChildren() const
{
    return m_tvi.cChildren > 0 || CountChildrenFiltered(false) > 0;
}

int COXTreeItem::CountChildrenFiltered(bool includeHidden) const
{
    int count = 0;
    for (const COXTreeItem* child = m_firstChild; child; child = child->m_next)
    {
        if (includeHidden || !child->IsHidden())
            ++count;
    }
    return count;
}

int COXTreeItem::CountDescendants() const
{
    int count = 0;
    for (const COXTreeItem* child = m_firstChild; child; child = child->m_next)
        count += 1 + child->CountDescendants();
    return count;
}

void COXTreeItem::SetHidden(bool hide)
{
    if (hide)
        m_flags &= ~kShown;
    else
        m_flags |= kShown;
}

void COXTreeItem::SetDisabled(bool disable)
{
    if (disable)
        m_flags |= kDisabled;
    else
        m_flags &= ~kDisabled;
}

bool COXTreeItem::IsShown() const
{
    if (IsHidden())
        return false;
    for (const COXTreeItem* item = m_parent; item; item = item->m_parent)
    {
        if (item->IsHidden() || !item->m_expanded)
            return false;
    }
    return true;
}

void COXTreeItem::SetExpanded(bool expanded)
{
    if (m_isHiddenRoot)
        return; // always expanded
    m_expanded = expanded;
    if (expanded)
        m_expandedOnce = true;
}

void COXTreeItem::ResetExpansion()
{
    if (m_isHiddenRoot)
        return;
    m_expanded = false;
    m_expandedOnce = false;
}

void COXTreeItem::SetText(const char* text)
{
    FreeText();
    if (text == LPSTR_TEXTCALLBACK)
    {
        m_tvi.pszText = LPSTR_TEXTCALLBACK;
        m_tvi.cchTextMax = 0;
        return;
    }
    if (!text)
        return;
    const std::size_t length = std::strlen(text);
    m_tvi.pszText = new char[length + 1];
    std::memcpy(m_tvi.pszText, text, length + 1);
    m_tvi.cchTextMax = static_cast<int>(length + 1);
}

void COXTreeItem::FreeText()
{
    if (m_tvi.pszText != LPSTR_TEXTCALLBACK)
        delete[] m_tvi.pszText;
    m_tvi.pszText = nullptr;
    m_tvi.cchTextMax = 0;
}

COXTreeCell* COXTreeItem::GetCell(int column) const
{
    for (const auto& cell : m_cells)
    {
        if (cell->m_column == column)
            return cell.get();
    }
    return nullptr;
}

BOOL COXTreeItem::SetCell(int column, UINT mask, const char* text, int image, CFont* font,
                          COLORREF color)
{
    if (column < 1)
        return FALSE;
    COXTreeCell* cell = GetCell(column);
    if (!cell)
    {
        m_cells.push_back(std::make_unique<COXTreeCell>(column));
        cell = m_cells.back().get();
    }
    if (mask & OXTREE_CELL_IMAGE)
    {
        cell->m_image = image;
        cell->m_flags |= COXTreeCell::kImageSet;
    }
    if (mask & OXTREE_CELL_TEXT)
    {
        cell->m_text = text;
        cell->m_flags |= COXTreeCell::kTextSet;
    }
    if (mask & OXTREE_CELL_FONT)
        cell->SetFont(font);
    if (mask & OXTREE_CELL_COLOR)
        cell->SetColor(color);
    return TRUE;
}

CString COXTreeItem::GetColumnText(int column) const
{
    if (column == 0)
        return HasCallbackText() ? CString() : CString(m_tvi.pszText);
    const COXTreeCell* cell = GetCell(column);
    return cell ? cell->m_text : CString();
}

int COXTreeItem::GetColumnImage(int column) const
{
    if (column == 0)
        return m_tvi.iImage;
    const COXTreeCell* cell = GetCell(column);
    return cell && (cell->m_flags & COXTreeCell::kImageSet) ? cell->m_image : -1;
}

int COXTreeItem::GetImage(int column, bool selected) const
{
    if (column == 0)
        return selected ? m_tvi.iSelectedImage : m_tvi.iImage;
    return GetColumnImage(column);
}

BOOL COXTreeItem::SetColumnText(const char* text, int column)
{
    return column >= 1 ? SetCell(column, OXTREE_CELL_TEXT, text) : FALSE;
}

BOOL COXTreeItem::RemoveColumn(int column)
{
    // By column index, not array position: cells are kept in the order they were created.
    if (column < 1)
        return FALSE;
    bool changed = false;
    const auto removed =
        std::remove_if(m_cells.begin(), m_cells.end(),
                       [column](const auto& cell) { return cell->m_column == column; });
    if (removed != m_cells.end())
    {
        m_cells.erase(removed, m_cells.end());
        changed = true;
    }
    for (const auto& cell : m_cells)
    {
        if (cell->m_column > column)
        {
            --cell->m_column;
            changed = true;
        }
    }
    return changed ? TRUE : FALSE;
}

bool COXTreeItem::HasColor(int column) const
{
    if (column == 0)
        return (m_flags & kOwnColor) != 0;
    const COXTreeCell* cell = GetCell(column);
    return cell && (cell->m_flags & COXTreeCell::kColorSet);
}

COLORREF COXTreeItem::GetColor(int column) const
{
    if (column == 0)
        return m_color;
    const COXTreeCell* cell = GetCell(column);
    return cell ? cell->m_color : ::GetSysColor(COLOR_WINDOWTEXT);
}

void COXTreeItem::SetColor(COLORREF color)
{
    m_color = color;
    m_flags |= kOwnColor;
}

BOOL COXTreeItem::SetColor(COLORREF color, int column)
{
    if (column == 0)
    {
        SetColor(color);
        return TRUE;
    }
    return SetCell(column, OXTREE_CELL_COLOR, nullptr, -1, nullptr, color);
}

bool COXTreeItem::HasFont(int column) const
{
    if (column == 0)
        return (m_flags & kOwnFont) != 0;
    const COXTreeCell* cell = GetCell(column);
    return cell && (cell->m_flags & COXTreeCell::kFontSet);
}

CFont* COXTreeItem::GetFont(int column) const
{
    if (!HasFont(column))
        return nullptr;
    return column == 0 ? const_cast<CFont*>(&m_font) : &GetCell(column)->m_font;
}

BOOL COXTreeItem::SetFont(int column, CFont* font)
{
    if (column != 0)
        return SetCell(column, OXTREE_CELL_FONT, nullptr, -1, font);
    if (!font)
    {
        m_flags &= ~kOwnFont;
        return TRUE;
    }
    if (!CopyFont(m_font, font))
    {
        m_flags &= ~kOwnFont;
        return FALSE;
    }
    m_flags |= kOwnFont;
    return TRUE;
}

UINT COXTreeItem::GetEllipsis(int column) const
{
    if (column == 0)
        return m_ellipsis;
    const COXTreeCell* cell = GetCell(column);
    return cell ? cell->m_ellipsis : DT_END_ELLIPSIS;
}

BOOL COXTreeItem::SetEllipsis(UINT format, int column)
{
    if (column == 0)
    {
        m_ellipsis = format;
        return TRUE;
    }
    if (!SetCell(column, 0, nullptr))
        return FALSE;
    GetCell(column)->m_ellipsis = format;
    return TRUE;
}

BOOL COXTreeItem::SetEditMode(UINT mode, const CStringArray* choices, int column)
{
    if (mode > OXTREE_EDIT_NONE)
        return FALSE;
    if (column != 0 && !SetCell(column, 0, nullptr))
        return FALSE;
    UINT& editMode = column == 0 ? m_editMode : GetCell(column)->m_editMode;
    CStringArray& target = column == 0 ? m_choices : GetCell(column)->m_choices;
    editMode = mode;
    target.RemoveAll();
    if (choices)
        target.Copy(*choices);
    return TRUE;
}

UINT COXTreeItem::GetEditMode(int column) const
{
    if (column == 0)
        return m_editMode;
    const COXTreeCell* cell = GetCell(column);
    return cell ? cell->m_editMode : OXTREE_EDIT_PLAIN;
}

const CStringArray* COXTreeItem::GetChoices(int column) const
{
    if (column == 0)
        return &m_choices;
    const COXTreeCell* cell = GetCell(column);
    return cell ? &cell->m_choices : nullptr;
}

BOOL COXTreeItem::SetChoices(const CStringArray& choices, int column)
{
    if (column != 0 && !SetCell(column, 0, nullptr))
        return FALSE;
    CStringArray& target = column == 0 ? m_choices : GetCell(column)->m_choices;
    target.Copy(choices);
    return TRUE;
}
