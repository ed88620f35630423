// CProjectTreePage: the page of the project tree bar. It puts the tree page's items into the
// project tree control, with the node pictures and the tree's font, and builds the tree of a
// project: the project's root, the geometry node with one switch per entity kind, and the
// result branch. The main frame changes the tree only through RebuildProjectTree.
#pragma once

#include "app/ProjectTreeCtrl.h"
#include "core/model/TreePage.h"
#include "platform/ctrl/imagelist.h"
#include "platform/win/gdiobj.h"
#include "view/CmdRecord.h"

#include <vector>

class CProjectData;

class CProjectTreePage : public CTreePage
{
public:
    // Codes of RebuildProjectTree's record.
    enum RebuildCode
    {
        kBuildProject = 1, // data: the project
        kClearTree = 2,    // data: the closing project's name; the whole tree goes
        kAddResult = kAddResultCommand,
        kNothing = 4,
        kAddTensorResult = kAddTensorCommand,
        // data: the project, whose model was read before the tree was there: its results
        // come after, one record each, as they would after a read
        kBuildProjectWithoutResults = 6
    };
    static constexpr UINT kTreeId = 1;
    static constexpr UINT kNodeBitmapId = 137;
    static constexpr int kNodePictureWidth = 32;
    static constexpr COLORREF kRootColor = RGB(255, 0, 0);

    CProjectTreePage() = default;
    ~CProjectTreePage() override;

    // Creates the tree control (control id kTreeId) with its font, column and pictures: 0, or
    // -1 when the control cannot be made.
    int Create(DWORD treeStyle, const RECT& rect, CWnd* parent, DWORD exStyle);

    // The whole tree of the project, its root selected and expanded; the result branch empty
    // when withResults is false.
    void BuildProjectTree(CProjectData* project, bool withResults = true);
    // The entity-kind switches take their pictures from the project's display filter.
    void RefreshGeometryNode();
    // The root shows the project's current name.
    void UpdateRootLabel();
    // The main frame's one way of changing the tree, by the record's code.
    void RebuildProjectTree(CCmdRecord record);

    // The nodes of every item, top to bottom as the tree shows them expanded.
    std::vector<CTreeNode*> NodesInTreeOrder() const;

    CProjectTreeCtrl& GetTreeCtrl() { return m_tree; }
    static HTREEITEM Handle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
    static TreeItem Item(HTREEITEM handle) { return reinterpret_cast<TreeItem>(handle); }

protected:
    TreeItem InsertTreeItem(const CTreeNode& node, TreeItem parent, TreeItem position,
                            bool before) override;
    void RedrawTree() override;
    void DeleteTreeItem(TreeItem item) override;

private:
    void CreateTreeFont();
    TreeItem AddRootNode(CProjectData* project);
    CProjectData* RootProject() const;

    CProjectTreeCtrl m_tree;
    CImageList m_images;
    CFont m_font;
};
