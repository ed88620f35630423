// The shell folder tree on Wine's real shell namespace: filling from the desktop, paths to
// items and back, refreshing with new folders on disk, the file filter, renaming in place and
// the shell's context menu, in a scratch folder of the prefix.
#include "widgets/controls/OXShellFolderTree.h"

#include "platform/ole/oleinit.h"
#include "platform/test/pump.h"
#include "platform/win/wnd.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;

// A tree that answers its context menu from the test instead of showing it.
class CScriptedMenuTree : public COXShellFolderTree
{
public:
    using COXShellFolderTree::COXShellFolderTree;

    // Picks the command of this verb, or none when empty.
    std::string verbToChoose;
    std::vector<std::string> verbsSeen;
    HTREEITEM highlightedDuringMenu = nullptr;
    bool caretLookedSelectedDuringMenu = true;
    int menus = 0;

protected:
    UINT TrackContextMenu(HMENU menu, CPoint) override
    {
        ++menus;
        highlightedDuringMenu = GetDropHilightItem();
        const HTREEITEM caret = GetSelectedItem();
        caretLookedSelectedDuringMenu =
            caret != nullptr && (GetItemState(caret, TVIS_SELECTED) & TVIS_SELECTED) != 0;
        const OXShellItemInfo* info = GetItemInfo(highlightedDuringMenu);
        UINT chosen = 0;
        for (int i = 0; info != nullptr && i < ::GetMenuItemCount(menu); ++i)
        {
            const UINT id = ::GetMenuItemID(menu, i);
            if (id == 0 || id == static_cast<UINT>(-1))
                continue;
            const CString verb =
                GetNavigator().GetCommandVerb(info->parentFolder, info->relativeIdList, id);
            verbsSeen.push_back(verb.Str());
            if (verb.Str() == verbToChoose)
                chosen = id;
        }
        return chosen;
    }
};

class ShellFolderTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        m_root = testing_support::MakeTempDir("shell_tree");
        for (const char* folder : {"alpha", "alpha\\deep", "beta"})
            ASSERT_TRUE(::CreateDirectoryA(Path(folder).c_str(), nullptr));
        for (const char* file : {"x.TXT", "a.b.txt", "notes"})
            std::ofstream(Path(file)) << "text";
        const char* className = fw::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_host.CreateEx(0, className, "shell", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600,
                                    nullptr, nullptr));
    }

    void TearDown() override { m_host.DestroyWindow(); }

    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

    void Create(COXShellFolderTree& tree)
    {
        ASSERT_TRUE(tree.Create(kTreeStyle, CRect(0, 0, 400, 600), &m_host, 1003));
        ASSERT_TRUE(tree.InitializeTree(""));
    }

    static std::vector<std::string> Children(const COXShellFolderTree& tree, HTREEITEM parent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM child = tree.GetChildItem(parent); child != nullptr;
             child = tree.GetNextSiblingItem(child))
            texts.push_back(tree.GetItemText(child).Str());
        return texts;
    }

    static bool IsExpanded(const COXShellFolderTree& tree, HTREEITEM item)
    {
        return (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }

    static bool SamePath(const CString& a, const std::string& b)
    {
        return ::lstrcmpiA(a.GetString(), b.c_str()) == 0;
    }

    std::string m_root;
    CWnd m_host;
};
} // namespace

TEST_F(ShellFolderTree, FillsTheNamespaceUnderADesktopRoot)
{
    COXShellFolderTree unmade;
    EXPECT_FALSE(unmade.InitializeTree(""));

    COXShellFolderTree tree(TRUE, TRUE, TRUE, TRUE, FALSE, "");
    Create(tree);
    const HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(CString("Desktop"), tree.GetItemText(root));
    EXPECT_EQ(nullptr, tree.GetItemInfo(root));
    EXPECT_TRUE(tree.GetItemPath(root).IsEmpty());
    EXPECT_TRUE(IsExpanded(tree, root));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(root));
    const std::vector<std::string> top = Children(tree, root);
    EXPECT_NE(top.end(), std::find(top.begin(), top.end(), "My Computer"));
    // Every item below the root carries its data, and the pictures are our own copies.
    for (HTREEITEM item = tree.GetChildItem(root); item != nullptr;
         item = tree.GetNextSiblingItem(item))
        EXPECT_NE(nullptr, tree.GetItemInfo(item));
    ASSERT_NE(nullptr, tree.GetImageList(TVSIL_NORMAL));
    EXPECT_GE(tree.GetImageList(TVSIL_NORMAL)->GetImageCount(), 2);
}

TEST_F(ShellFolderTree, SelectPathWalksExpandingTheWayAndGetItemPathGivesItBack)
{
    COXShellFolderTree tree;
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(Path("alpha\\deep").c_str(), FALSE));
    const HTREEITEM deep = tree.GetSelectedItem();
    ASSERT_NE(nullptr, deep);
    EXPECT_EQ(CString("deep"), tree.GetItemText(deep));
    EXPECT_TRUE(SamePath(tree.GetItemPath(deep), Path("alpha\\deep")));
    EXPECT_FALSE(IsExpanded(tree, deep));
    const HTREEITEM alpha = tree.GetParentItem(deep);
    EXPECT_TRUE(IsExpanded(tree, alpha));

    // The scratch folder, expanded: its folders in the shell's order, files left out.
    ASSERT_TRUE(tree.SelectPath(m_root.c_str(), TRUE));
    const HTREEITEM scratch = tree.GetSelectedItem();
    EXPECT_TRUE(IsExpanded(tree, scratch));
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), Children(tree, scratch));

    // An empty path changes nothing; a missing or unparsable one fails.
    EXPECT_TRUE(tree.SelectPath("", TRUE));
    EXPECT_EQ(scratch, tree.GetSelectedItem());
    EXPECT_FALSE(tree.SelectPath(Path("missing").c_str(), TRUE));
    EXPECT_FALSE(tree.SelectPath(std::string(400, 'a').c_str(), TRUE));
    EXPECT_EQ(scratch, tree.GetSelectedItem());
}

TEST_F(ShellFolderTree, FindItemByPathExpandsNothing)
{
    COXShellFolderTree tree;
    Create(tree);
    EXPECT_EQ(nullptr, tree.FindItemByPath(Path("alpha").c_str())); // not enumerated yet
    ASSERT_TRUE(tree.SelectPath(Path("alpha\\deep").c_str(), FALSE));
    const HTREEITEM deep = tree.GetSelectedItem();
    EXPECT_EQ(deep, tree.FindItemByPath(Path("alpha\\deep").c_str()));
    const HTREEITEM alpha = tree.GetParentItem(deep);
    tree.Expand(alpha, TVE_COLLAPSE);
    EXPECT_EQ(nullptr, tree.FindItemByPath(Path("alpha\\deep").c_str())); // behind a collapse
    EXPECT_EQ(alpha, tree.FindItemByPath(Path("alpha").c_str()));
    EXPECT_EQ(nullptr, tree.FindItemByPath(""));
    EXPECT_EQ(nullptr, tree.FindItemByPath(Path("missing").c_str()));
    EXPECT_FALSE(IsExpanded(tree, alpha));

    // A folder written to since the tree listed it is still found: its times changed.
    HANDLE folder = ::CreateFileA(Path("alpha").c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, folder);
    FILETIME time = {};
    ::GetSystemTimeAsFileTime(&time);
    time.dwHighDateTime -= 1000; // some days earlier
    EXPECT_TRUE(::SetFileTime(folder, &time, &time, &time));
    ::CloseHandle(folder);
    EXPECT_EQ(alpha, tree.FindItemByPath(Path("alpha").c_str()));
    EXPECT_TRUE(tree.SelectPath(Path("alpha\\deep").c_str(), FALSE));
}

TEST_F(ShellFolderTree, RefreshingTheRootShowsNewFoldersAndKeepsExpansionsAndSelection)
{
    COXShellFolderTree tree;
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(Path("alpha").c_str(), TRUE));
    ASSERT_TRUE(tree.SelectPath(Path("beta").c_str(), FALSE));
    ASSERT_TRUE(::CreateDirectoryA(Path("gamma").c_str(), nullptr));

    EXPECT_FALSE(tree.RefreshItem(static_cast<HTREEITEM>(nullptr)));
    EXPECT_FALSE(tree.RefreshItem(Path("missing").c_str()));
    ASSERT_TRUE(tree.RefreshItem(TVI_ROOT));

    const HTREEITEM beta = tree.GetSelectedItem();
    ASSERT_NE(nullptr, beta);
    EXPECT_TRUE(SamePath(tree.GetItemPath(beta), Path("beta")));
    const HTREEITEM scratch = tree.GetParentItem(beta);
    EXPECT_TRUE(IsExpanded(tree, scratch));
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "gamma"}), Children(tree, scratch));
    const HTREEITEM alpha = tree.FindItemByPath(Path("alpha").c_str());
    ASSERT_NE(nullptr, alpha);
    EXPECT_TRUE(IsExpanded(tree, alpha));
    EXPECT_EQ(std::vector<std::string>{"deep"}, Children(tree, alpha));
}

TEST_F(ShellFolderTree, RefreshingOneFolderListsItAnewWithoutDuplicates)
{
    COXShellFolderTree tree;
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(Path("alpha").c_str(), TRUE));
    const HTREEITEM alpha = tree.GetSelectedItem();
    const HTREEITEM scratch = tree.GetParentItem(alpha);

    // Collapsed: it forgets its children and lists them again when expanded.
    tree.Expand(alpha, TVE_COLLAPSE);
    ASSERT_TRUE(::CreateDirectoryA(Path("alpha\\later").c_str(), nullptr));
    ASSERT_TRUE(tree.RefreshItem(alpha));
    EXPECT_EQ(alpha, tree.GetSelectedItem());
    tree.Expand(alpha, TVE_EXPAND);
    EXPECT_EQ((std::vector<std::string>{"deep", "later"}), Children(tree, alpha));

    // Expanded: listed again at once, expansions below it kept.
    ASSERT_TRUE(::CreateDirectoryA(Path("delta").c_str(), nullptr));
    ASSERT_TRUE(tree.RefreshItem(scratch));
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "delta"}), Children(tree, scratch));
    const HTREEITEM newAlpha = tree.FindItemByPath(Path("alpha").c_str());
    ASSERT_NE(nullptr, newAlpha);
    EXPECT_TRUE(IsExpanded(tree, newAlpha));
    EXPECT_EQ(newAlpha, tree.GetSelectedItem());
}

TEST_F(ShellFolderTree, FileFilterTakesTheTextAfterTheFirstDot)
{
    COXShellFolderTree tree(TRUE, TRUE, TRUE, TRUE, TRUE, "txt|dat");
    EXPECT_EQ(CString("txt|dat"), tree.GetFileFilter());
    const struct
    {
        const char* name;
        BOOL shown;
    } kNames[] = {{"a.b.txt", FALSE}, {"x.TXT", TRUE}, {"y.dat", TRUE},
                  {"notes", FALSE},   {".txt", FALSE}, {"z.dat.bak", FALSE}};
    for (const auto& c : kNames)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shown, tree.IsFileShown(c.name));
    }
    tree.SetFileFilter("|dat||");
    EXPECT_EQ(CString("dat"), tree.GetFileFilter());
    tree.SetFileFilter("");
    EXPECT_TRUE(tree.GetFileFilter().IsEmpty());
    EXPECT_TRUE(tree.IsFileShown("notes"));

    // With files shown, only those the filter passes appear beside the folders.
    tree.SetFileFilter("txt");
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(m_root.c_str(), TRUE));
    const std::vector<std::string> children = Children(tree, tree.GetSelectedItem());
    EXPECT_NE(children.end(), std::find(children.begin(), children.end(), "alpha"));
    EXPECT_EQ(children.end(), std::find(children.begin(), children.end(), "a.b.txt"));
    EXPECT_EQ(children.end(), std::find(children.begin(), children.end(), "notes"));
    EXPECT_EQ(3u, children.size()) << "alpha, beta and x.TXT";
}

TEST_F(ShellFolderTree, RenamingInPlaceRenamesTheFolder)
{
    COXShellFolderTree tree;
    Create(tree);
    EXPECT_EQ(nullptr, tree.EditLabel(tree.GetRootItem())); // "Desktop" cannot be renamed
    ASSERT_TRUE(tree.SelectPath(Path("beta").c_str(), FALSE));
    const HTREEITEM beta = tree.GetSelectedItem();

    struct Case
    {
        const char* typed;
        const char* expectedName;
    };
    for (const Case& c : {Case{"", "beta"}, Case{"beta2", "beta2"}})
    {
        SCOPED_TRACE(c.typed);
        CWnd* edit = tree.EditLabel(beta);
        ASSERT_NE(nullptr, edit);
        ::SetWindowTextA(edit->GetSafeHwnd(), c.typed);
        tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE);
        fw::test::Pump();
        EXPECT_EQ(CString(c.expectedName), tree.GetItemText(beta));
        EXPECT_TRUE(SamePath(tree.GetItemPath(beta), Path(c.expectedName)));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(Path(c.expectedName).c_str()));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(Path("beta").c_str()));

    // A click on the tree while editing only ends the edit.
    ASSERT_NE(nullptr, tree.EditLabel(beta));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    fw::test::Pump();
    EXPECT_EQ(nullptr, tree.GetEditControl());
    EXPECT_EQ(beta, tree.GetSelectedItem());
}

TEST_F(ShellFolderTree, ContextMenuRunsAVerbByItsNameAndRefreshes)
{
    CScriptedMenuTree tree;
    Create(tree);
    ASSERT_TRUE(tree.SelectPath(Path("alpha").c_str(), TRUE));
    ASSERT_TRUE(tree.SelectPath(Path("beta").c_str(), FALSE));
    const HTREEITEM alpha = tree.FindItemByPath(Path("alpha").c_str());
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(alpha, &rect, TRUE));
    const LPARAM point = MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2);

    // The right button over "alpha": highlighted while the menu is open, the caret's look back
    // afterwards; a cancelled menu changes nothing.
    tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, point);
    tree.SendMessage(WM_RBUTTONUP, 0, point);
    ASSERT_EQ(1, tree.menus);
    EXPECT_EQ(alpha, tree.highlightedDuringMenu);
    EXPECT_FALSE(tree.caretLookedSelectedDuringMenu);
    EXPECT_NE(tree.verbsSeen.end(),
              std::find(tree.verbsSeen.begin(), tree.verbsSeen.end(), "copy"));
    EXPECT_EQ(nullptr, tree.GetDropHilightItem());
    const HTREEITEM beta = tree.GetSelectedItem();
    EXPECT_NE(0u, tree.GetItemState(beta, TVIS_SELECTED) & TVIS_SELECTED);
    EXPECT_EQ(alpha, tree.FindItemByPath(Path("alpha").c_str()));
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}),
              Children(tree, tree.GetParentItem(alpha)));

    // "copy" runs and the folder holding "alpha" is listed anew, keeping what was open.
    ASSERT_TRUE(::CreateDirectoryA(Path("epsilon").c_str(), nullptr));
    tree.verbToChoose = "copy";
    tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, point);
    tree.SendMessage(WM_RBUTTONUP, 0, point);
    EXPECT_EQ(2, tree.menus);
    const HTREEITEM newAlpha = tree.FindItemByPath(Path("alpha").c_str());
    ASSERT_NE(nullptr, newAlpha);
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "epsilon"}),
              Children(tree, tree.GetParentItem(newAlpha)));
    EXPECT_TRUE(IsExpanded(tree, newAlpha));
    EXPECT_TRUE(SamePath(tree.GetItemPath(tree.GetSelectedItem()), Path("beta")));

    // "Desktop" has no menu.
    ASSERT_TRUE(tree.GetItemRect(tree.GetRootItem(), &rect, TRUE));
    const LPARAM rootPoint = MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2);
    tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, rootPoint);
    tree.SendMessage(WM_RBUTTONUP, 0, rootPoint);
    EXPECT_EQ(2, tree.menus);
}

TEST_F(ShellFolderTree, DestroyingTheObjectWithItsWindowOpenFreesTheItems)
{
    auto tree = std::make_unique<COXShellFolderTree>();
    Create(*tree);
    ASSERT_TRUE(tree->SelectPath(Path("alpha\\deep").c_str(), TRUE));
    const HWND hwnd = tree->GetSafeHwnd();
    tree.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
}
