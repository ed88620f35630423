// Tree items: expanding and collapsing, sorting the children, the sorted insertion position.
#include "widgets/controls/OXTreeItem.h"

#include <algorithm>
#include <mbstring.h>
#include <vector>

namespace
{
// Callback text has no characters of its own: it compares as empty.
const char* ComparableText(const char* text)
{
    return text && text != LPSTR_TEXTCALLBACK ? text : "";
}

int Collate(const char* a, const char* b)
{
    return _mbscoll(reinterpret_cast<const unsigned char*>(ComparableText(a)),
                    reinterpret_cast<const unsigned char*>(ComparableText(b)));
}

int Sign(bool ascending)
{
    return ascending ? 1 : -1;
}
} // namespace

BOOL COXTreeItem::Expand(UINT code, COXTreeRowSync* sync)
{
    if (code & TVE_COLLAPSERESET)
        return CollapseReset(sync);
    if (m_isHiddenRoot)
        return code == TVE_EXPAND ? TRUE : FALSE; // the hidden root never collapses

    const bool wasShown = IsShown();
    switch (code)
    {
    case TVE_TOGGLE: m_expanded = !m_expanded; break;
    case TVE_COLLAPSE:
        if (!m_expanded)
            return TRUE;
        m_expanded = false;
        break;
    case TVE_EXPAND:
        if (m_expanded)
            return TRUE;
        m_expanded = true;
        break;
    default: return FALSE;
    }
    if (m_expanded)
        m_expandedOnce = true;

    if (!wasShown)
    {
        // Expanding an item out of sight opens its ancestors; its rows come with theirs.
        if (m_expanded && m_parent)
            m_parent->Expand(TVE_EXPAND, sync);
        return TRUE;
    }
    if (sync)
    {
        if (m_expanded)
            sync->ShowChildRows(this);
        else
            sync->HideChildRows(this);
    }
    return TRUE;
}

BOOL COXTreeItem::CollapseReset(COXTreeRowSync* sync)
{
    if (m_isHiddenRoot)
        return FALSE;
    if (sync && m_expanded && IsShown())
        sync->HideChildRows(this);
    DeleteChildren();
    m_expanded = false;
    m_expandedOnce = false;
    m_tvi.cChildren = 0;
    return TRUE;
}

bool COXTreeItem::MustExchange(const COXTreeItem* first, const COXTreeItem* second, int column,
                               bool ascending, PFNTVCOMPARE compare, LPARAM compareData) const
{
    if (compare)
        return compare(first->m_tvi.lParam, second->m_tvi.lParam, compareData) * Sign(ascending) >=
               1;
    if (column == 0)
        return Collate(first->m_tvi.pszText, second->m_tvi.pszText) * Sign(ascending) > 0;
    return Collate(first->GetColumnText(column), second->GetColumnText(column)) * Sign(ascending) >
           0;
}

void COXTreeItem::SortLevel(int column, bool ascending, PFNTVCOMPARE compare, LPARAM compareData)
{
    // A stable merge sort: equal keys keep their order, as with exchanging neighbours, but it
    // ends in n log n steps even when the compare function is inconsistent.
    std::vector<COXTreeItem*> items;
    for (COXTreeItem* child = m_firstChild; child; child = child->m_next)
        items.push_back(child);
    if (items.size() < 2)
        return;
    std::vector<COXTreeItem*> merged(items.size());
    for (std::size_t width = 1; width < items.size(); width *= 2)
    {
        for (std::size_t low = 0; low < items.size(); low += 2 * width)
        {
            const std::size_t middle = std::min(low + width, items.size());
            const std::size_t high = std::min(low + 2 * width, items.size());
            std::size_t left = low;
            std::size_t right = middle;
            std::size_t out = low;
            while (left < middle && right < high)
            {
                const bool takeRight = MustExchange(items[left], items[right], column, ascending,
                                                    compare, compareData);
                merged[out++] = takeRight ? items[right++] : items[left++];
            }
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
        }
        items.swap(merged);
    }
    m_firstChild = items.front();
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        items[i]->m_prev = i > 0 ? items[i - 1] : nullptr;
        items[i]->m_next = i + 1 < items.size() ? items[i + 1] : nullptr;
    }
}

void COXTreeItem::SortChildren(int column, bool onlyThisLevel, bool ascending, PFNTVCOMPARE compare,
                               LPARAM compareData)
{
    SortLevel(column, ascending, compare, compareData);
    if (onlyThisLevel)
        return;
    for (COXTreeItem* child = m_firstChild; child; child = child->m_next)
    {
        if (child->HasChildren())
            child->SortChildren(column, false, ascending, compare, compareData);
    }
}

HTREEITEM COXTreeItem::FindSortedPosition(const char* text, bool ascending) const
{
    if (!*ComparableText(text))
        return ascending ? TVI_LAST : TVI_FIRST;
    if (!m_firstChild)
        return TVI_FIRST;
    // After the greatest child that sorts before the text: before any equal ones.
    const COXTreeItem* best = nullptr;
    for (const COXTreeItem* child = m_firstChild; child; child = child->m_next)
    {
        if (Collate(text, child->m_tvi.pszText) * Sign(ascending) <= 0)
            continue;
        if (!best || Collate(child->m_tvi.pszText, best->m_tvi.pszText) * Sign(ascending) > 0)
            best = child;
    }
    return best ? best->GetHandle() : TVI_FIRST;
}
