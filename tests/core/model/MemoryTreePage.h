// A tree page without a window: items in memory, children in order; and a node of no kind for
// tests of the registry.
#pragma once

#include "core/model/TreePage.h"

#include <algorithm>
#include <map>
#include <vector>

class CPlainNode : public CTreeNode
{
public:
    void Execute() override {}
};

class CMemoryTreePage : public CTreePage
{
public:
    CMemoryTreePage() { m_children[kRoot]; }

    static constexpr TreeItem kRoot = 1;

    const std::vector<TreeItem>& Children(TreeItem parent) const
    {
        static const std::vector<TreeItem> kNone;
        const auto found = m_children.find(parent);
        return found == m_children.end() ? kNone : found->second;
    }

    // The child of parent whose node carries key, 0 when none.
    TreeItem Child(TreeItem parent, const char* key) const
    {
        for (const TreeItem item : Children(parent))
            if (GetTreeNode(item)->GetKey() == key)
                return item;
        return 0;
    }

    std::vector<CString> ChildTexts(TreeItem parent) const
    {
        std::vector<CString> texts;
        for (const TreeItem item : Children(parent))
            texts.push_back(GetTreeNode(item)->GetText());
        return texts;
    }

    const CResultItemNode* Item(TreeItem item) const
    {
        return dynamic_cast<const CResultItemNode*>(GetTreeNode(item));
    }

    int ItemCount() const { return static_cast<int>(m_images.size()); }
    int Image(TreeItem item) const { return m_images.at(item); }
    int RedrawCount() const { return m_redraws; }

protected:
    TreeItem InsertTreeItem(const CTreeNode& node, TreeItem parent, TreeItem position,
                            bool before) override
    {
        if (m_children.count(parent) == 0)
            return 0;
        std::vector<TreeItem>& siblings = m_children[parent];
        auto where = siblings.end();
        if (position != 0)
        {
            where = std::find(siblings.begin(), siblings.end(), position);
            if (where == siblings.end())
                return 0;
            if (!before)
                ++where;
        }
        const TreeItem item = ++m_lastItem;
        siblings.insert(where, item);
        m_children[item];
        m_images[item] = node.m_icon;
        return item;
    }

    void RedrawTree() override { ++m_redraws; }

    void DeleteTreeItem(TreeItem item) override
    {
        // A control refuses to delete an item that still has children.
        if (!m_children[item].empty())
            return;
        m_children.erase(item);
        m_images.erase(item);
        for (auto& [parent, siblings] : m_children)
            siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
    }

private:
    std::map<TreeItem, std::vector<TreeItem>> m_children;
    std::map<TreeItem, int> m_images;
    TreeItem m_lastItem = kRoot;
    int m_redraws = 0;
};
