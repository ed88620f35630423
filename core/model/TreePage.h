// One page of the project tree: items carrying tree nodes, a registry from node keys to items,
// and the result branch built from the model's result catalogue. The tree control itself is
// behind two virtuals, so that the branch logic runs without a window.
#pragma once

#include "core/model/TreeNode.h"
#include "platform/base/string.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

class CModelSet;
class CResultData;

// A tree item handle of the page; 0 is none.
using TreeItem = std::uintptr_t;

class CTreePage
{
public:
    // Result commands of the tree's command dispatcher.
    static constexpr int kAddResultCommand = 3;
    static constexpr int kAddTensorCommand = 5;

    CTreePage() = default;
    virtual ~CTreePage() = default;
    CTreePage(const CTreePage&) = delete;
    CTreePage& operator=(const CTreePage&) = delete;

    // Node registry. Both insertions take the node; it is destroyed when it is not inserted.
    // AddNode appends the node under parent, or returns the item already registered for its
    // key (dropping the node). InsertNode puts it before or after position (0: last child)
    // and registers its key, replacing an earlier registration.
    TreeItem AddNode(std::unique_ptr<CTreeNode> node, TreeItem parent);
    TreeItem InsertNode(std::unique_ptr<CTreeNode> node, TreeItem parent, TreeItem position,
                        bool before);
    TreeItem FindTreeNode(const CString& key) const;
    // The node an item carries, null for an unknown item.
    CTreeNode* GetTreeNode(TreeItem item) const;
    // Removes the item with its subtree (0: every item), children first, destroying their
    // nodes; keys registered for the removed items go with them.
    void RemoveSubtree(TreeItem item);
    // Removes the subtree registered under key, or every item when the key is not registered,
    // then empties the key registry.
    void ClearTree(const CString& key);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }

    // Result branch: the heading with its vector and scalar group nodes, below parent.
    void CreateResultRootNode(TreeItem parent);
    // The heading under root, then the nodes of every result in the model: plain results
    // first, principal-stress and tensor results after them.
    void AddResultBranch(TreeItem root, const CModelSet& model);
    // Adds one loaded result by its kind (code 3) or as a principal-stress or tensor result
    // (code 5); other codes do nothing.
    void ExecuteResultCommand(int code, CResultData* result);
    void AddResultNodes(CResultData* result);
    void AddTensorComponentNodes(CResultData* result);

    // Folders and nodes (exposed for the tree's own commands and for tests).
    TreeItem GetResultFolder(const CString& groupName, bool isVector, int location);
    TreeItem FindResultFolder(const CString& keyBase, bool isVector) const;
    TreeItem AddVectorResultNode(CResultData* result, const CString& label, const char* keyPart,
                                 int location);
    TreeItem AddScalarResultNode(CResultData* result, const CString& label, const char* keyPart,
                                 int location);
    void AddVectorResultNodes(CResultData* result);
    void AddScalarResultNodes(CResultData* result);
    void AddXYZComponentNodes(CResultData* result);
    void AddComponentResultNodes(CResultData* result);
    TreeItem AddXComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                               const CString& label, int location);
    TreeItem AddYComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                               const CString& label, int location);
    TreeItem AddZComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                               const CString& label, int location);
    TreeItem InsertPrincipalResultNode(CResultData* result, std::unique_ptr<CTreeNode> node,
                                       TreeItem parent, int location);
    // The item to insert a principal-stress node before under parent, 0 for the end.
    TreeItem FindPrincipalInsertPosition(const CString& title, bool isScalar, int location,
                                         TreeItem parent) const;

    static CString GetXDirectionWord(int type);
    static CString GetYDirectionWord(int type);
    static CString GetZDirectionWord(int type);
    // The text after the first " - ", or the whole title when there is none or nothing follows.
    static CString GetShortResultTitle(const CString& title);

protected:
    // The tree control: makes an item for node under parent, before or after position (0:
    // last child), with the node's label and icon; 0 when it fails.
    virtual TreeItem InsertTreeItem(const CTreeNode& node, TreeItem parent, TreeItem position,
                                    bool before) = 0;
    virtual void RedrawTree() {}
    // The tree control: deletes the item (whose children are already gone).
    virtual void DeleteTreeItem(TreeItem item) { (void)item; }

private:
    struct ComponentKeys
    {
        const char* x;
        const char* y;
        const char* z;
    };

    TreeItem AddResultItem(CResultData* result, const CString& label, const CString& keyPart,
                           int location, int resultKind, int icon, TreeItem parent);
    TreeItem AddComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                              const CString& label, int location, int resultKind);
    void AddComponentTriple(CResultData* result, TreeItem parent, const ComponentKeys& keys,
                            const CString* words, int location, bool withTitle);
    void AddComponentLocations(CResultData* result, const ComponentKeys& nodal,
                               const ComponentKeys& elemental, const CString* words);
    CString MakeResultKey(const CResultData* result, const CString& keyPart) const;
    // The child of parent that shows a result under key, also when its key had to be made
    // unique; 0 when none.
    TreeItem FindChildByResultKey(TreeItem parent, const CString& key) const;
    TreeItem RegisterNode(std::unique_ptr<CTreeNode> node, TreeItem parent, TreeItem position,
                          bool before);

    struct ItemEntry
    {
        std::unique_ptr<CTreeNode> node; // owned
        TreeItem parent;
    };

    std::unordered_map<std::string, TreeItem> m_keys;
    std::map<TreeItem, ItemEntry> m_items;
};
