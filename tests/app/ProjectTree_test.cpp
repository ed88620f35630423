// The project tree bar under Wine: the tree of a project as the tree control shows it, its key
// registry and rebuild codes, double clicks on the switches and on results, the right-click
// menu, dragging onto the view, and the column that follows the bar's width.
#include "core/model/ResultData.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "tests/app/ProjectAppFixture.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace
{
// A node that counts what the tree hands it.
class CCountingNode : public CTreeNode
{
public:
    void Execute() override { ++executed; }
    void OnDropOnView() override { ++dropped; }
    int executed = 0;
    int dropped = 0;
};

class ProjectTree : public ProjectAppFixture
{
protected:
    void OpenDemo()
    {
        MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
        fw::test::Pump();
        ASSERT_NE(nullptr, Project());
        ASSERT_GT(Project()->m_model.GetElementCount(), 0);
    }

    // Pixels of the view's scene that differ from its background.
    int DrawnPixels(CCAEView* view)
    {
        int width = 0;
        int height = 0;
        const std::vector<unsigned char> rgba = ReadView(view, &width, &height);
        if (rgba.empty())
            return 0;
        // The background is what the top right corner shows.
        const size_t corner = rgba.size() - 4;
        int drawn = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            drawn += std::equal(&rgba[i], &rgba[i] + 3, &rgba[corner]) ? 0 : 1;
        return drawn;
    }

    // A notification of the tree's list as its parent receives it.
    void Notify(UINT code, POINT point = {0, 0})
    {
        NMLISTVIEW info = {};
        info.hdr.hwndFrom = Tree().m_hWnd;
        info.hdr.idFrom = CProjectTreePage::kTreeId;
        info.hdr.code = code;
        info.iItem = -1;
        info.ptAction = point;
        ::SendMessageA(::GetParent(Tree().m_hWnd), WM_NOTIFY, CProjectTreePage::kTreeId,
                       reinterpret_cast<LPARAM>(&info));
    }
};
} // namespace

TEST_F(ProjectTree, DoubleClickingTheSolidNodeFlipsItsBitAndPictureAndRedrawsEveryView)
{
    OpenDemo();
    Project()->m_settings.m_displayFilter = kKindShell;
    MainFrame()->RefreshGeometryNode();
    CCAEView* second = MainFrame()->CreateMainView(2, true, "second");
    ASSERT_NE(nullptr, second);
    fw::test::Pump();
    CCAEView* views[] = {View(1), second};
    int shellsOnly[2] = {};
    for (int i = 0; i < 2; ++i)
        shellsOnly[i] = DrawnPixels(views[i]);

    const HTREEITEM solid = FindItem("Solid");
    ASSERT_NE(nullptr, solid);
    EXPECT_EQ(9, ItemImage(solid));
    fw::test::Pump();
    for (CCAEView* view : views)
        view->ValidateRect(nullptr);
    DoubleClick(solid, false);
    for (CCAEView* view : views)
        EXPECT_TRUE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE)) << "the view is redrawn";
    fw::test::Pump();
    EXPECT_EQ(static_cast<DWORD>(kKindShell | kKindSolid), Project()->m_settings.m_displayFilter);
    EXPECT_EQ(15, ItemImage(solid));
    // Both views show the clamp's bricks now.
    for (int i = 0; i < 2; ++i)
        EXPECT_GT(DrawnPixels(views[i]), shellsOnly[i]) << i;

    // Twice leaves everything as it was.
    DoubleClick(solid);
    EXPECT_EQ(static_cast<DWORD>(kKindShell), Project()->m_settings.m_displayFilter);
    EXPECT_EQ(9, ItemImage(solid));
    EXPECT_EQ(shellsOnly[0], DrawnPixels(views[0]));
}

TEST_F(ProjectTree, DoubleClickingAResultItemShowsItInANewViewAndFillsTheCombo)
{
    OpenDemo();
    Project()->m_settings.m_displayFilter = kKindAll;
    const HTREEITEM temperature = FindResultItem("Temperature");
    ASSERT_NE(nullptr, temperature);
    const auto* node = dynamic_cast<CResultItemNode*>(Tree().NodeOf(temperature));
    const int loadCase = Project()->m_model.GetFirstLoadCase(node->m_result->m_id);
    DoubleClick(temperature);
    CCAEView* shown = View(2);
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(loadCase, shown->Renderer().ContourResultId());
    EXPECT_GE(ShownBands(shown).size(), 3u);
    CComboBox& combo = MainFrame()->GetLoadCaseCombo();
    ASSERT_GE(combo.GetCount(), 1);
    EXPECT_EQ(loadCase, static_cast<int>(combo.GetItemData(combo.GetCurSel())));
}

TEST_F(ProjectTree, KeysKeepTheirFirstItemAndAnUnknownKeyClearsTheWholeTree)
{
    OpenDemo();
    const size_t count = Items().size();
    const TreeItem geometry = Page().FindTreeNode("Geometry");
    ASSERT_NE(0u, geometry);
    auto twin = std::make_unique<CCountingNode>();
    twin->SetKey("Geometry");
    twin->SetText("twin");
    EXPECT_EQ(geometry, Page().AddNode(std::move(twin),
                                       CProjectTreePage::Item(Tree().GetChildItem(TVI_ROOT))));
    EXPECT_EQ(count, Items().size());
    EXPECT_EQ(nullptr, FindItem("twin"));

    // Without a key a node is shown but never found.
    auto loose = std::make_unique<CCountingNode>();
    loose->SetText("loose");
    EXPECT_NE(0u, Page().AddNode(std::move(loose), geometry));
    EXPECT_NE(nullptr, FindItem("loose"));
    EXPECT_EQ(0u, Page().FindTreeNode(""));

    MainFrame()->RebuildProjectTree(CCmdRecord{Project(), 4});
    EXPECT_EQ(count + 1, Items().size());
    MainFrame()->RebuildProjectTree(
        CCmdRecord{const_cast<char*>("no such key"), CProjectTreePage::kClearTree});
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ(0u, Page().FindTreeNode("RUVO_ROOT_TREE_NODE"));
    EXPECT_EQ(0u, Page().FindTreeNode("Geometry"));
}

TEST_F(ProjectTree, RootAndSwitchesFollowTheProjectsNameAndDisplayFilter)
{
    OpenDemo();
    Project()->m_name = "renamed";
    Page().UpdateRootLabel();
    EXPECT_EQ("renamed", ItemText(Tree().GetChildItem(TVI_ROOT)));
    Project()->m_settings.m_displayFilter = kKindNode;
    MainFrame()->RefreshGeometryNode();
    EXPECT_EQ(11, ItemImage(FindItem("Grid")));
    EXPECT_EQ(6, ItemImage(FindItem("Mass")));
    Project()->m_settings.m_displayFilter = kKindAll & ~kKindNode;
    MainFrame()->RefreshGeometryNode();
    EXPECT_EQ(5, ItemImage(FindItem("Grid")));
    EXPECT_EQ(12, ItemImage(FindItem("Mass")));
}

TEST_F(ProjectTree, RightClickNeedsOneRowAndADropCountsOnlyOverTheActiveView)
{
    OpenDemo();
    const HTREEITEM root = Tree().GetChildItem(TVI_ROOT);
    const HTREEITEM geometry = FindItem("Geometry");
    Tree().SetItemState(root, TVIS_SELECTED, TVIS_SELECTED);
    Tree().SetItemState(geometry, TVIS_SELECTED, TVIS_SELECTED);
    ASSERT_EQ(2, static_cast<int>(Tree().SendMessage(LVM_GETSELECTEDCOUNT)));
    Notify(NM_RCLICK);
    EXPECT_EQ(nullptr, Tree().GetCurrentNode());
    Tree().SetItemState(root, 0, TVIS_SELECTED);
    Tree().SelectItem(geometry);
    ASSERT_EQ(1, static_cast<int>(Tree().SendMessage(LVM_GETSELECTEDCOUNT)));
    Notify(NM_RCLICK);
    EXPECT_EQ(Tree().NodeOf(geometry), Tree().GetCurrentNode());

    auto counting = std::make_unique<CCountingNode>();
    CCountingNode* node = counting.get();
    const HTREEITEM item =
        CProjectTreePage::Handle(Page().AddNode(std::move(counting), CProjectTreePage::Item(root)));
    ASSERT_NE(nullptr, item);
    Tree().SelectItem(item);
    CRect row;
    ASSERT_TRUE(Tree().GetItemRect(item, &row, TRUE));
    // Released on the tree itself: the picture goes, nothing is dropped.
    Notify(LVN_BEGINDRAG, row.CenterPoint());
    EXPECT_TRUE(Tree().IsDragging());
    ::SendMessageA(Tree().m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(row.left + 2, row.top + 2));
    EXPECT_FALSE(Tree().IsDragging());
    EXPECT_EQ(0, node->dropped);
    // Released over the view.
    Notify(LVN_BEGINDRAG, row.CenterPoint());
    CRect view;
    View(1)->GetWindowRect(&view);
    CPoint over = view.CenterPoint();
    Tree().ScreenToClient(&over);
    ::SendMessageA(Tree().m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    EXPECT_FALSE(Tree().IsDragging());
    EXPECT_EQ(1, node->dropped);
}

TEST_F(ProjectTree, TheColumnFollowsTheBarsWidth)
{
    CAEProjectWorkspace& bar = MainFrame()->GetProjectTreeBar();
    for (int width : {180, 320})
    {
        CRect rect;
        bar.GetWindowRect(&rect);
        MainFrame()->ScreenToClient(&rect);
        bar.MoveWindow(rect.left, rect.top, width, rect.Height());
        fw::test::Pump();
        CRect client;
        bar.GetClientRect(&client);
        EXPECT_EQ(client.Width(), Tree().GetColumnWidth(0)) << width;
    }
}
