// Project tree nodes: the data each tree item carries (label, key, icon, the result it shows)
// with the user's actions on its item, and the two node kinds of the result branch, group nodes
// and item nodes.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"

class CMenu;
class CResultData;

class CTreeNode
{
public:
    // m_kind
    static constexpr BYTE kGroupKind = 3;
    static constexpr BYTE kItemKind = 5;
    // Labels are shown from a 128-byte field: at most this many bytes.
    static constexpr int kMaxTextBytes = 127;

    CTreeNode() = default;
    virtual ~CTreeNode() = default;
    CTreeNode(const CTreeNode&) = delete;
    CTreeNode& operator=(const CTreeNode&) = delete;

    // Cuts the label to kMaxTextBytes, never inside a double-byte character.
    void SetText(const CString& text);
    const CString& GetText() const { return m_text; }
    // Keys are kept whole: a cut key could make two results share it.
    void SetKey(const CString& key) { m_key = key; }
    const CString& GetKey() const { return m_key; }

    // The tree control calls these on the node of the selected item; after Execute and
    // OnCommand it copies the node's icon and text back into the item.
    // A double click on the item.
    virtual void Execute() = 0;
    // A command of the node's right-click menu.
    virtual void OnCommand(UINT commandId) { (void)commandId; }
    // The node's right-click menu, just before it is shown.
    virtual void OnPrepareMenu(CMenu* popup) { (void)popup; }
    // The item was dragged from the tree and released over the active 3-D view.
    virtual void OnDropOnView() {}

public:
    BYTE m_kind = 0;
    int m_subMenu = -1;              // right-click sub-menu, -1 none
    CResultData* m_result = nullptr; // borrowed from the model; none for folders
    int m_icon = 0;                  // image of the tree's image list

private:
    CString m_text;
    CString m_key;
};

// Heading and the vector and scalar group nodes of the result branch.
class CResultGroupNode : public CTreeNode
{
public:
    CResultGroupNode();

    void Execute() override {}
};

// Folders, result nodes and component nodes.
class CResultItemNode : public CTreeNode
{
public:
    // m_resultKind: what activation displays.
    static constexpr int kVectorResult = 12;
    static constexpr int kFirstComponent = 13;
    static constexpr int kSecondComponent = 14;
    static constexpr int kThirdComponent = 15;
    static constexpr int kScalarResult = 16;
    static constexpr int kFolder = 17;
    static constexpr int kElementNodeBit = 32; // values per element node, not at nodes
    // m_location
    static constexpr int kElemental = 0;
    static constexpr int kNodal = 2;

    CResultItemNode();

    // Shows the result: ShowResult(TRUE).
    void Execute() override;
    // Shows the first loaded load case of the result in the active view of the program's
    // result host in the node's display mode and component, then refills the load-case list
    // for it; folders show nothing and leave the list alone. Without a host, an open view or a
    // result nothing happens.
    void ShowResult(BOOL flag);

    // The display mode that activating this node selects: false for folders, nodes without a
    // result and result kinds that show nothing.
    bool GetDisplayMode(int* mode) const;

public:
    int m_resultKind = 0;
    int m_location = kNodal;
};
