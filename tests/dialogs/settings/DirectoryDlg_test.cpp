// The folder chooser under Wine: it opens at its folder, shows the selected folder's path,
// returns the selected folder rather than the typed text, and creates folders.
#include "dialogs/settings/DirectoryDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using dialogs_test::DialogFixture;

namespace
{
class DirectoryDlg : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        m_start = MakeFolder("start");
        m_other = MakeFolder("other");
    }

    HWND Open(CDirectoryDlg& dialog, const std::string& folder)
    {
        dialog.m_folder = folder.c_str();
        EXPECT_TRUE(dialog.Create(IDD_DIRECTORY));
        dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }

    static std::string SelectedPath(CDirectoryDlg& dialog)
    {
        return dialog.m_folderTree.GetItemPath(dialog.m_folderTree.GetSelectedItem()).Str();
    }

    static bool SamePath(const std::string& a, const std::string& b)
    {
        return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
    }

    std::string m_start;
    std::string m_other;
};
} // namespace

TEST_F(DirectoryDlg, OpensAtItsFolderWithThePathShown)
{
    CDirectoryDlg dialog;
    const HWND hwnd = Open(dialog, m_start + "\\");
    char caption[128] = {};
    ::GetWindowTextA(hwnd, caption, sizeof(caption));
    EXPECT_STREQ("Select Folder", caption);
    EXPECT_EQ("Folder", ControlText(hwnd, IDC_DIRECTORY_LABEL));
    EXPECT_EQ("Create New", ControlText(hwnd, IDC_DIRECTORY_CREATE));
    EXPECT_EQ("OK", ControlText(hwnd, IDOK));
    EXPECT_EQ("Cancel", ControlText(hwnd, IDCANCEL));

    COXShellFolderTree& tree = dialog.m_folderTree;
    EXPECT_EQ(CString("Desktop"), tree.GetItemText(tree.GetRootItem()));
    const HTREEITEM selected = tree.GetSelectedItem();
    EXPECT_TRUE(SamePath(m_start, SelectedPath(dialog)));
    EXPECT_EQ(0u, tree.GetItemState(selected, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_NE(0u, tree.GetItemState(tree.GetParentItem(selected), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(SamePath(m_start, ControlText(hwnd, IDC_DIRECTORY_PATH)));

    // The path field follows the selection; "Desktop" has no path.
    tree.SelectPath(m_other.c_str(), FALSE);
    EXPECT_TRUE(SamePath(m_other, ControlText(hwnd, IDC_DIRECTORY_PATH)));
    tree.SelectItem(tree.GetRootItem());
    EXPECT_EQ("", ControlText(hwnd, IDC_DIRECTORY_PATH));
}

TEST_F(DirectoryDlg, OkTakesTheSelectedFolderNotTheTypedOne)
{
    CDirectoryDlg dialog;
    const HWND hwnd = Open(dialog, m_start);
    ::SetDlgItemTextA(hwnd, IDC_DIRECTORY_PATH, m_other.c_str());
    ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_TRUE(SamePath(m_start, dialog.m_folder.Str()));
    EXPECT_TRUE((*m_services)->messageBoxes.empty());

    // Nothing selected: asked to select a folder, and the dialog stays.
    CDirectoryDlg empty;
    const HWND emptyHwnd = Open(empty, m_start);
    empty.m_folderTree.SelectItem(empty.m_folderTree.GetRootItem()); // "Desktop": no path
    ::SendMessageA(emptyHwnd, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    EXPECT_TRUE(::IsWindowVisible(emptyHwnd));
    EXPECT_EQ("Select a folder.", LastMessage());
    EXPECT_EQ(static_cast<UINT>(MB_OK), (*m_services)->messageBoxes.back().type);
}

TEST_F(DirectoryDlg, CreateNewMakesTheFolderAndSelectsIt)
{
    CDirectoryDlg dialog;
    const HWND hwnd = Open(dialog, m_start);
    const std::string made = m_start + "\\made";
    ::SetDlgItemTextA(hwnd, IDC_DIRECTORY_PATH, made.c_str());
    Click(hwnd, IDC_DIRECTORY_CREATE);
    ASSERT_TRUE(fw::test::WaitFor([&] { return SamePath(made, SelectedPath(dialog)); }));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(made.c_str()));
    EXPECT_EQ(dialog.m_newFolder, CString(made.c_str()));
    EXPECT_TRUE(SamePath(made, ControlText(hwnd, IDC_DIRECTORY_PATH)));

    // A folder that exists already: nothing said, nothing changed.
    Click(hwnd, IDC_DIRECTORY_CREATE);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());

    // Below a path that does not exist: the text, then the typed path.
    const std::string orphan = m_start + "\\missing\\child";
    ::SetDlgItemTextA(hwnd, IDC_DIRECTORY_PATH, orphan.c_str());
    Click(hwnd, IDC_DIRECTORY_CREATE);
    const std::string expected =
        "The folder cannot be created, because the path above it does not exist: \n" + orphan;
    EXPECT_EQ(expected, LastMessage());
    EXPECT_EQ(static_cast<UINT>(MB_OK), (*m_services)->messageBoxes.back().type);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(orphan.c_str()));
}
