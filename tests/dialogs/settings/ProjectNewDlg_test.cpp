// The New Project dialog under Wine: texts in both languages, labels that fit them, the blank and
// import kinds, the checks on OK, the import file's name and path, and the folder chooser run
// from "...".
#include "dialogs/settings/ProjectNewDlg.h"

#include "dialogs/settings/DirectoryDlg.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <utility>

using dialogs_test::DialogFixture;

namespace
{
class ProjectNewDlg : public DialogFixture
{
protected:
    // A shown dialog driven from the test; OK hides it when it accepts.
    HWND Open(CProjectNewDlg& dialog)
    {
        EXPECT_TRUE(dialog.Create(IDD_PROJECT_NEW));
        dialog.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(dialog.GetSafeHwnd());
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }

    static void Type(HWND dialog, int id, const char* text) { ::SetDlgItemTextA(dialog, id, text); }

    static void PressOk(HWND dialog)
    {
        ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        fw::test::Pump();
    }
};
} // namespace

TEST_F(ProjectNewDlg, OpensAsABlankProjectWithTheDefaultNameAndTheIniFolder)
{
    WriteIni("[FileIOPaths]\r\nMPJ=C:\\projects\\\r\n");
    const struct
    {
        const char* suffix;
        const char* caption;
        const char* blank;
        const char* name;
    } kLanguages[] = {
        {"_ENG", "New Project", "Blank Project", "NewProject"},
        // 新規プロジェクト, 空のプロジェクト in code page 932.
        {"_JPN", "\x90\x56\x8b\x4b\x83\x76\x83\x8d\x83\x57\x83\x46\x83\x4e\x83\x67",
         "\x8b\xf3\x82\xcc\x83\x76\x83\x8d\x83\x57\x83\x46\x83\x4e\x83\x67",
         "\x90\x56\x8b\x4b\x83\x76\x83\x8d\x83\x57\x83\x46\x83\x4e\x83\x67"},
    };
    for (const auto& language : kLanguages)
    {
        SCOPED_TRACE(language.suffix);
        SetLanguage(language.suffix);
        CProjectNewDlg dialog;
        const HWND hwnd = Open(dialog);
        char caption[128] = {};
        ::GetWindowTextA(hwnd, caption, sizeof(caption));
        EXPECT_STREQ(language.caption, caption);
        EXPECT_EQ(language.blank, ControlText(hwnd, IDC_PROJECTNEW_BLANK));
        for (int id : {IDC_PROJECTNEW_IMPORT, IDC_PROJECTNEW_GROUP, IDC_PROJECTNEW_NAME_LABEL,
                       IDC_PROJECTNEW_FOLDER_LABEL, IDC_PROJECTNEW_FILE_LABEL})
            EXPECT_FALSE(ControlText(hwnd, id).empty()) << id;
        // OK and Cancel keep the template's words.
        EXPECT_EQ("OK", ControlText(hwnd, IDOK));
        EXPECT_EQ("Cancel", ControlText(hwnd, IDCANCEL));

        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hwnd, IDC_PROJECTNEW_BLANK));
        EXPECT_EQ(language.name, ControlText(hwnd, IDC_PROJECTNEW_NAME));
        EXPECT_EQ("C:\\projects\\", ControlText(hwnd, IDC_PROJECTNEW_FOLDER));
        for (int id : {IDC_PROJECTNEW_NAME, IDC_PROJECTNEW_BROWSE_FOLDER,
                       IDC_PROJECTNEW_BROWSE_FILE, IDC_PROJECTNEW_FOLDER, IDC_PROJECTNEW_FILE})
            EXPECT_FALSE(IsEnabled(hwnd, id)) << id;
        dialog.DestroyWindow();
    }
}

// Pixels that a control's text needs in the control's font; the text is decoded in the code page
// of the language, whatever the process's own.
int TextWidth(HWND dialog, int id, UINT codePage)
{
    const HWND control = ::GetDlgItem(dialog, id);
    char bytes[256] = {};
    ::GetWindowTextA(control, bytes, sizeof bytes);
    wchar_t text[256] = {};
    const int n = ::MultiByteToWideChar(codePage, 0, bytes, -1, text, 256);
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, n > 0 ? n - 1 : 0, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size.cx;
}

int ControlWidth(HWND dialog, int id)
{
    RECT rect = {};
    ::GetClientRect(::GetDlgItem(dialog, id), &rect);
    return rect.right;
}

TEST_F(ProjectNewDlg, LabelsFitTheirTextsInBothLanguages)
{
    // Beside its text a radio button draws its circle, a group box its frame's corners.
    const int radioRoom = ::GetSystemMetrics(SM_CXMENUCHECK) + 6;
    const struct
    {
        int id;
        int room; // taken by the control's own drawing
    } kLabels[] = {{IDC_PROJECTNEW_BLANK, radioRoom}, {IDC_PROJECTNEW_IMPORT, radioRoom},
                   {IDC_PROJECTNEW_GROUP, 16},        {IDC_PROJECTNEW_NAME_LABEL, 0},
                   {IDC_PROJECTNEW_FOLDER_LABEL, 0},  {IDC_PROJECTNEW_FILE_LABEL, 0}};
    for (const auto& language : {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(language.first);
        SetLanguage(language.first);
        CProjectNewDlg dialog;
        const HWND hwnd = Open(dialog);
        for (const auto& label : kLabels)
        {
            SCOPED_TRACE(label.id);
            const int needed = TextWidth(hwnd, label.id, language.second);
            EXPECT_GT(needed, 0);
            EXPECT_LE(needed + label.room, ControlWidth(hwnd, label.id));
        }
        dialog.DestroyWindow();
    }
}

TEST_F(ProjectNewDlg, ImportKindOpensTheFieldsAndBlankRestoresTheName)
{
    CProjectNewDlg dialog;
    const HWND hwnd = Open(dialog);
    Click(hwnd, IDC_PROJECTNEW_IMPORT);
    for (int id : {IDC_PROJECTNEW_NAME, IDC_PROJECTNEW_BROWSE_FOLDER, IDC_PROJECTNEW_BROWSE_FILE})
        EXPECT_TRUE(IsEnabled(hwnd, id)) << id;
    const HWND name = ::GetDlgItem(hwnd, IDC_PROJECTNEW_NAME);
    EXPECT_EQ(name, ::GetFocus());
    DWORD start = 1;
    DWORD end = 0;
    ::SendMessageA(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(std::string("NewProject").size(), end);

    Type(hwnd, IDC_PROJECTNEW_NAME, "Bracket");
    Click(hwnd, IDC_PROJECTNEW_BLANK);
    EXPECT_EQ("NewProject", ControlText(hwnd, IDC_PROJECTNEW_NAME));
    EXPECT_EQ(CProjectNewDlg::kBlankProject, dialog.m_projectKind);
    EXPECT_FALSE(IsEnabled(hwnd, IDC_PROJECTNEW_NAME));
    EXPECT_FALSE(IsEnabled(hwnd, IDC_PROJECTNEW_BROWSE_FILE));
}

TEST_F(ProjectNewDlg, OkChecksNameAndFileOnlyForAnImport)
{
    // A blank project takes the default name without a word.
    {
        CProjectNewDlg dialog;
        const HWND hwnd = Open(dialog);
        PressOk(hwnd);
        EXPECT_FALSE(::IsWindowVisible(hwnd));
        EXPECT_EQ(CProjectNewDlg::kBlankProject, dialog.m_projectKind);
        EXPECT_EQ(CString("NewProject"), dialog.m_projectName);
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
    }
    const struct
    {
        const char* name;
        bool hasFile;
        const char* message; // null: the dialog closes
        int focusId;
    } kCases[] = {{"", true, "Enter a name for the project.", IDC_PROJECTNEW_NAME},
                  {"a\\b", true, "A project name cannot hold", IDC_PROJECTNEW_NAME},
                  {"Bracket", false, "Choose the file to import.", IDC_PROJECTNEW_BROWSE_FILE},
                  {"Bracket", true, nullptr, 0}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        (*m_services)->messageBoxes.clear();
        (*m_services)->fileAnswers = {"C:\\models\\plate.dat"};
        CProjectNewDlg dialog;
        const HWND hwnd = Open(dialog);
        Click(hwnd, IDC_PROJECTNEW_IMPORT);
        Type(hwnd, IDC_PROJECTNEW_NAME, c.name);
        if (c.hasFile)
            Click(hwnd, IDC_PROJECTNEW_BROWSE_FILE);
        PressOk(hwnd);
        if (c.message == nullptr)
        {
            EXPECT_FALSE(::IsWindowVisible(hwnd));
            EXPECT_TRUE((*m_services)->messageBoxes.empty());
            EXPECT_EQ(CProjectNewDlg::kUsingImportFile, dialog.m_projectKind);
            EXPECT_EQ(CString(c.name), dialog.m_projectName);
            continue;
        }
        EXPECT_TRUE(::IsWindowVisible(hwnd));
        ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
        EXPECT_EQ(0u, LastMessage().find(c.message)) << LastMessage();
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR),
                  (*m_services)->messageBoxes.back().type & MB_ICONMASK);
        EXPECT_EQ(::GetDlgItem(hwnd, c.focusId), ::GetFocus());
        dialog.DestroyWindow();
    }
}

TEST_F(ProjectNewDlg, ImportFileNameAndPathTravelSeparately)
{
    CProjectNewDlg dialog;
    const HWND hwnd = Open(dialog);
    Click(hwnd, IDC_PROJECTNEW_IMPORT);
    (*m_services)->fileAnswers = {"C:\\models\\deck\\plate.DAT"};
    Click(hwnd, IDC_PROJECTNEW_BROWSE_FILE);
    EXPECT_EQ("plate.DAT", ControlText(hwnd, IDC_PROJECTNEW_FILE));
    EXPECT_EQ(CString("C:\\models\\deck\\plate.DAT"), dialog.m_importFilePath);
    // A cancelled choice keeps the file.
    (*m_services)->fileAnswers = {""};
    Click(hwnd, IDC_PROJECTNEW_BROWSE_FILE);
    EXPECT_EQ("plate.DAT", ControlText(hwnd, IDC_PROJECTNEW_FILE));
    PressOk(hwnd);
    EXPECT_EQ(CString("plate.DAT"), dialog.m_importFileName);
    EXPECT_EQ(CString("C:\\models\\deck\\plate.DAT"), dialog.m_importFilePath);
}

TEST_F(ProjectNewDlg, FolderButtonChoosesTheFolderInTheFolderChooser)
{
    const std::string start = MakeFolder("start");
    const std::string chosen = MakeFolder("chosen");
    WriteIni("[FileIOPaths]\r\nMPJ=" + start + "\\\r\n");
    CProjectNewDlg dialog(m_frame);
    const HWND hwnd = Open(dialog);
    Click(hwnd, IDC_PROJECTNEW_IMPORT);

    std::string selectedAtStart;
    dialogs_test::WhenDialogShows(
        "Select Folder",
        [&](HWND chooser)
        {
            auto* folders = dynamic_cast<CDirectoryDlg*>(CWnd::FromHandlePermanent(chooser));
            ASSERT_NE(nullptr, folders);
            COXShellFolderTree& tree = folders->m_folderTree;
            selectedAtStart = tree.GetItemPath(tree.GetSelectedItem()).Str();
            tree.SelectPath(chosen.c_str(), FALSE);
            ::PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        });
    Click(hwnd, IDC_PROJECTNEW_BROWSE_FOLDER);
    EXPECT_EQ(0, ::lstrcmpiA(start.c_str(), selectedAtStart.c_str())) << selectedAtStart;
    EXPECT_EQ(0, ::lstrcmpiA(chosen.c_str(), ControlText(hwnd, IDC_PROJECTNEW_FOLDER).c_str()));

    // Cancelling the chooser keeps the folder.
    dialogs_test::WhenDialogShows("Select Folder", [](HWND chooser)
                                  { ::PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0); });
    Click(hwnd, IDC_PROJECTNEW_BROWSE_FOLDER);
    EXPECT_EQ(0, ::lstrcmpiA(chosen.c_str(), ControlText(hwnd, IDC_PROJECTNEW_FOLDER).c_str()));
    EXPECT_TRUE(m_frame->IsWindowEnabled());
}
