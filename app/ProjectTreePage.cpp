// Project tree page: the tree control with its font, column and pictures, the tree of a
// project, and the rebuild codes of the main frame.
#include "app/ProjectTreePage.h"

#include "app/ProjectTreeNodes.h"
#include "core/services/AppEnvironment.h"
#include "core/services/StringFile.h"
#include "platform/base/exception.h"
#include "project/ProjectData.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr COLORREF kPictureMask = RGB(192, 192, 192);
constexpr int kFontHeight = -13;
constexpr BYTE kFontCharSet = 144;
constexpr int kColumnWidth = 100;
constexpr int kStartWidth = 200;
// "ＭＳ ゴシック" in code page 932.
constexpr const char kJapaneseFace[] = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr const char kRootKey[] = "RUVO_ROOT_TREE_NODE";

// A switch under the geometry node, showing the project's display filter.
template <class Node>
std::unique_ptr<CTreeNode> MakeSwitch(DWORD* displayFilter)
{
    auto node = std::make_unique<Node>();
    node->m_displayFilter = displayFilter;
    node->RefreshIcon();
    return node;
}
} // namespace

CProjectTreePage::~CProjectTreePage()
{
    // The items point to the nodes, which go with the base: the window goes first.
    if (m_tree.m_hWnd != nullptr)
        m_tree.DestroyWindow();
}

int CProjectTreePage::Create(DWORD treeStyle, const RECT& rect, CWnd* parent, DWORD exStyle)
{
    // The page keeps its pictures: the list must not destroy them as well.
    if (!m_tree.Create(treeStyle, rect, parent, kTreeId, exStyle | OXTREE_EX_SHAREIMAGELISTS))
        return -1;
    CreateTreeFont();
    m_tree.SetFont(m_font, TRUE);
    // The control brings its column 0: it gets the page's heading and width.
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    column.pszText = const_cast<char*>("Column");
    if (m_tree.GetColumnCount() == 0)
        m_tree.SendMessage(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    else
        m_tree.SendMessage(LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    m_tree.SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(kStartWidth, 0));
    if (m_images.Create(kNodeBitmapId, kNodePictureWidth, 0, kPictureMask))
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    return 0;
}

void CProjectTreePage::CreateTreeFont()
{
    LOGFONTA font = {};
    font.lfHeight = kFontHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = kFontCharSet;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = 100;
    lstrcpynA(font.lfFaceName, GetLanguageSetting() == kLanguageJapanese ? kJapaneseFace : "Tahoma",
              LF_FACESIZE);
    m_font.CreateFontIndirect(&font);
}

TreeItem CProjectTreePage::InsertTreeItem(const CTreeNode& node, TreeItem parent, TreeItem position,
                                          bool before)
{
    try
    {
        HTREEITEM parentItem = Handle(parent);
        if (parentItem == m_tree.GetHiddenRootItem())
            parentItem = TVI_ROOT;
        const HTREEITEM after = position != 0 ? Handle(position) : TVI_LAST;
        const int where = position != 0 && before ? OXTREE_INSERT_BEFORE : OXTREE_INSERT_AFTER;
        const HTREEITEM item =
            m_tree.InsertItem(node.GetText(), node.m_icon, node.m_icon, parentItem, after, where);
        if (item == nullptr)
            return 0;
        m_tree.SetItemData(item, reinterpret_cast<DWORD_PTR>(&node));
        return Item(item);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

void CProjectTreePage::RedrawTree()
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.Invalidate(TRUE);
}

void CProjectTreePage::DeleteTreeItem(TreeItem item)
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.DeleteItem(Handle(item));
}

TreeItem CProjectTreePage::AddRootNode(CProjectData* project)
{
    auto root = std::make_unique<CFolderNode>();
    root->SetText(project->m_name);
    root->m_project = project;
    const TreeItem item = AddNode(std::move(root), Item(m_tree.GetHiddenRootItem()));
    if (item == 0)
        return 0;
    m_tree.SetItemState(Handle(item), TVIS_BOLD, TVIS_BOLD);
    m_tree.SetItemColor(Handle(item), kRootColor);
    return item;
}

void CProjectTreePage::BuildProjectTree(CProjectData* project, bool withResults)
{
    if (project == nullptr || m_tree.m_hWnd == nullptr)
        return;
    // Without the root nothing else has a place.
    const TreeItem root = AddRootNode(project);
    if (root == 0)
        return;
    const TreeItem geometry = AddNode(std::make_unique<CGeometryNode>(), root);
    DWORD* filter = &project->m_settings.m_displayFilter;
    AddNode(MakeSwitch<CMassNode>(filter), geometry);
    AddNode(MakeSwitch<CShellNode>(filter), geometry);
    AddNode(MakeSwitch<CSolidNode>(filter), geometry);
    AddNode(MakeSwitch<CBeamNode>(filter), geometry);
    AddNode(MakeSwitch<CElassNode>(filter), geometry);
    AddNode(MakeSwitch<CGridNode>(filter), geometry);
    if (withResults)
        AddResultBranch(root, project->m_model);
    else
        CreateResultRootNode(root);
    m_tree.SelectItem(Handle(root));
    m_tree.Expand(Handle(root), TVE_EXPAND);
    // The switches are what a user reaches for first: they show at once.
    if (geometry != 0)
        m_tree.Expand(Handle(geometry), TVE_EXPAND);
}

CProjectData* CProjectTreePage::RootProject() const
{
    const auto* root = dynamic_cast<const CFolderNode*>(GetTreeNode(FindTreeNode(kRootKey)));
    return root != nullptr ? root->m_project : nullptr;
}

void CProjectTreePage::RefreshGeometryNode()
{
    CProjectData* project = RootProject();
    if (project == nullptr)
        return;
    CString label;
    LoadStringFromFile(CString("standard.str"), CString("Tree"), CString("GeometryNode"), &label);
    const TreeItem geometry = FindTreeNode(label);
    if (geometry == 0)
        return;
    for (HTREEITEM child = m_tree.GetChildItem(Handle(geometry)); child != nullptr;
         child = m_tree.GetNextSiblingItem(child))
    {
        auto* node = dynamic_cast<CEntityFilterNode*>(GetTreeNode(Item(child)));
        if (node == nullptr)
            continue;
        node->m_displayFilter = &project->m_settings.m_displayFilter;
        node->RefreshIcon();
        m_tree.RefreshItemFromNode(child);
    }
    RedrawTree();
}

void CProjectTreePage::UpdateRootLabel()
{
    const TreeItem root = FindTreeNode(kRootKey);
    auto* node = dynamic_cast<CFolderNode*>(GetTreeNode(root));
    if (node == nullptr || node->m_project == nullptr)
        return;
    node->SetText(node->m_project->m_name);
    m_tree.SetItemText(Handle(root), node->GetText());
    RedrawTree();
}

std::vector<CTreeNode*> CProjectTreePage::NodesInTreeOrder() const
{
    std::vector<CTreeNode*> nodes;
    if (m_tree.m_hWnd == nullptr)
        return nodes;
    std::vector<HTREEITEM> pending;
    for (HTREEITEM item = m_tree.GetChildItem(TVI_ROOT); item != nullptr;
         item = m_tree.GetNextSiblingItem(item))
        pending.push_back(item);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty())
    {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (CTreeNode* node = m_tree.NodeOf(item))
            nodes.push_back(node);
        const size_t first = pending.size();
        for (HTREEITEM child = m_tree.GetChildItem(item); child != nullptr;
             child = m_tree.GetNextSiblingItem(child))
            pending.push_back(child);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first), pending.end());
    }
    return nodes;
}

void CProjectTreePage::RebuildProjectTree(CCmdRecord record)
{
    switch (record.nCode)
    {
    case kBuildProject: BuildProjectTree(static_cast<CProjectData*>(record.pData)); break;
    case kBuildProjectWithoutResults:
        BuildProjectTree(static_cast<CProjectData*>(record.pData), false);
        break;
    case kClearTree:
        // Everything goes, whatever text comes: a project may be named like a node's key.
        ClearTree(CString());
        break;
    case kAddResult:
    case kAddTensorResult:
        ExecuteResultCommand(record.nCode, static_cast<CResultData*>(record.pData));
        break;
    default: break;
    }
}
