// Tree page: the node registry and the walk over the catalogue.
#include "core/model/TreePage.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"

#include <vector>

namespace
{
bool IsTensorType(int type)
{
    return type == 1 || type == 1002 || type == 1003;
}
} // namespace

TreeItem CTreePage::AddNode(std::unique_ptr<CTreeNode> node, TreeItem parent)
{
    if (parent == 0 || !node)
        return 0;
    if (!node->GetKey().IsEmpty())
    {
        const TreeItem registered = FindTreeNode(node->GetKey());
        if (registered != 0)
            return registered;
    }
    return RegisterNode(std::move(node), parent, 0, false);
}

TreeItem CTreePage::InsertNode(std::unique_ptr<CTreeNode> node, TreeItem parent, TreeItem position,
                               bool before)
{
    if (parent == 0 || !node)
        return 0;
    return RegisterNode(std::move(node), parent, position, before);
}

TreeItem CTreePage::RegisterNode(std::unique_ptr<CTreeNode> node, TreeItem parent,
                                 TreeItem position, bool before)
{
    const TreeItem item = InsertTreeItem(*node, parent, position, before);
    if (item == 0)
        return 0;
    if (!node->GetKey().IsEmpty())
        m_keys[node->GetKey().Str()] = item;
    m_items[item] = ItemEntry{std::move(node), parent};
    RedrawTree();
    return item;
}

TreeItem CTreePage::FindTreeNode(const CString& key) const
{
    const auto found = m_keys.find(key.Str());
    return found == m_keys.end() ? 0 : found->second;
}

CTreeNode* CTreePage::GetTreeNode(TreeItem item) const
{
    const auto found = m_items.find(item);
    return found == m_items.end() ? nullptr : found->second.node.get();
}

void CTreePage::RemoveSubtree(TreeItem item)
{
    if (item != 0 && m_items.count(item) == 0)
        return;
    // Items in breadth-first order from the top; removed from the back, so that every child
    // goes before its parent.
    std::vector<TreeItem> order;
    if (item != 0)
        order.push_back(item);
    std::unordered_map<TreeItem, std::vector<TreeItem>> children;
    for (const auto& [child, entry] : m_items)
    {
        if (item == 0 && m_items.count(entry.parent) == 0)
            order.push_back(child);
        else
            children[entry.parent].push_back(child);
    }
    for (size_t i = 0; i < order.size(); ++i)
    {
        const auto found = children.find(order[i]);
        if (found != children.end())
            order.insert(order.end(), found->second.begin(), found->second.end());
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it)
    {
        DeleteTreeItem(*it);
        m_items.erase(*it);
    }
    for (auto key = m_keys.begin(); key != m_keys.end();)
    {
        if (m_items.count(key->second) == 0)
            key = m_keys.erase(key);
        else
            ++key;
    }
    RedrawTree();
}

void CTreePage::ClearTree(const CString& key)
{
    RemoveSubtree(FindTreeNode(key));
    m_keys.clear();
}

void CTreePage::AddResultBranch(TreeItem root, const CModelSet& model)
{
    CreateResultRootNode(root);
    const CResultMap& results = model.GetResults();
    for (const bool tensorPass : {false, true})
    {
        for (const auto& [id, result] : fw::Assocs(results))
        {
            if (result == nullptr || IsTensorType(result->m_type) != tensorPass)
                continue;
            if (tensorPass)
                AddTensorComponentNodes(result);
            else
                AddResultNodes(result);
        }
    }
}

void CTreePage::ExecuteResultCommand(int code, CResultData* result)
{
    if (code == kAddResultCommand)
        AddResultNodes(result);
    else if (code == kAddTensorCommand)
        AddTensorComponentNodes(result);
}
