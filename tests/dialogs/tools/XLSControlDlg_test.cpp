// The result sheet and its formula dialog under Wine: the list as shown, a formula column built
// from the keypad, the CSV file written (and read back by Python's csv module), its failures,
// the formula dialog's refusals, and the texts of both languages.
#include "dialogs/tools/XLSControlDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/tools/FormulaDlg.h"
#include "platform/test/pump.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

using dialogs_test::DialogFixture;
using fw::test::WhenDialogShows;

namespace
{
std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Cell(HWND dialog, int row, int column)
{
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendDlgItemMessageA(dialog, IDC_XLS_LIST, LVM_GETITEMTEXTA, WPARAM(row),
                          reinterpret_cast<LPARAM>(&item));
    return text;
}

int ListColumns(HWND dialog)
{
    const HWND header = ListView_GetHeader(::GetDlgItem(dialog, IDC_XLS_LIST));
    return Header_GetItemCount(header);
}

std::string Caption(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

CDataSeries Series(const char* title, std::initializer_list<double> values)
{
    CDataSeries series;
    series.m_title = title;
    for (const double v : values)
        series.m_values.Add(v);
    return series;
}

class XLSControlDlgTest : public DialogFixture
{
protected:
    void Fill(CXLSControlDlg& dialog) const
    {
        dialog.m_ids = {3, 7, 9};
        dialog.m_columns.Add(Series("t1", {1.234567891e-6, 2.0, -3.5}));
        dialog.m_columns.Add(Series("t2", {2.000003e-6, 0.0, 1.5}));
    }

    // Shows the sheet modally and runs script inside it; the script ends with Close.
    void RunSheet(CXLSControlDlg& dialog, const std::string& caption,
                  std::function<void(HWND)> script)
    {
        bool ran = false;
        WhenDialogShows(caption,
                        [&](HWND hwnd)
                        {
                            script(hwnd);
                            ran = true;
                            Click(hwnd, IDCANCEL);
                        });
        dialog.DoModal();
        EXPECT_TRUE(ran);
    }

    // Clicks the keypad of the open formula dialog.
    static void Press(HWND formula, std::initializer_list<int> ids)
    {
        for (const int id : ids)
            Click(formula, id);
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : (*m_services)->messageBoxes)
            texts.push_back(box.text);
        return texts;
    }
};

// Reads the CSV with Python's csv module and prints its rows as "a|b|c" lines; empty when
// Python cannot be started from Wine.
std::string PythonReadBack(const std::string& csvPath, const std::string& outPath)
{
    // The rows go to a temporary name renamed at the end: a Unix process started from Wine
    // may report its end before it has run.
    const std::string command =
        "Z:\\usr\\bin\\python3 -c \"import csv,os,sys;"
        "t=sys.argv[2]+'.part';w=open(t,'w',newline='');"
        "[w.write('|'.join(r)+'\\n') for r in csv.reader(open(sys.argv[1],newline=''))];"
        "w.close();os.replace(t,sys.argv[2])\" ";
    char unixCsv[MAX_PATH * 2] = {};
    char unixOut[MAX_PATH * 2] = {};
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (toUnix == nullptr)
        return std::string();
    auto unixPath = [&](const std::string& path, char* out)
    {
        std::wstring wide(path.begin(), path.end());
        char* name = toUnix(wide.c_str());
        if (name == nullptr)
            return false;
        lstrcpynA(out, name, MAX_PATH * 2);
        ::HeapFree(::GetProcessHeap(), 0, name);
        return true;
    };
    if (!unixPath(csvPath, unixCsv) || !unixPath(outPath, unixOut))
        return std::string();
    std::string line = command + unixCsv + " " + unixOut;
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return std::string();
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int i = 0; i < 300 && ::GetFileAttributesA(outPath.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++i)
        ::Sleep(100);
    return ReadAll(outPath);
}

// The Unix name of a path, empty when Wine cannot tell it.
std::string UnixPath(const std::string& path)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (toUnix == nullptr)
        return std::string();
    const std::wstring wide(path.begin(), path.end());
    char* name = toUnix(wide.c_str());
    if (name == nullptr)
        return std::string();
    std::string unixName = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return unixName;
}

// Runs a Unix command from Wine; then waits until path exists (or is gone), as a Unix process
// started from Wine may report its end before it has run. False when it never does.
bool RunUnixUntil(std::string line, const std::string& path, bool isThere)
{
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const auto exists = [&]
    { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
    for (int i = 0; i < 300 && exists() != isThere; ++i)
        ::Sleep(10);
    return exists() == isThere;
}

// A Unix symbolic link at link to target (relative to the link's folder); false when it cannot
// be made from Wine.
bool MakeUnixLink(const std::string& target, const std::string& link)
{
    const std::string unixLink = UnixPath(link);
    return !unixLink.empty() &&
           RunUnixUntil("Z:\\bin\\ln -s " + target + " " + unixLink, link, true);
}

// Wine's deletion leaves a Unix link in place, and the test folders could not be emptied.
void RemoveUnixLink(const std::string& link)
{
    const std::string unixLink = UnixPath(link);
    if (!unixLink.empty())
        RunUnixUntil("Z:\\bin\\rm -f " + unixLink, link, false);
}
} // namespace

TEST_F(XLSControlDlgTest, ListsTheColumnsAndAddsAFormulaColumnFromTheKeypad)
{
    CXLSControlDlg dialog;
    Fill(dialog);
    RunSheet(dialog, "Result List",
             [&](HWND hwnd)
             {
                 EXPECT_EQ("CSV Save...", ControlText(hwnd, IDC_XLS_CSV));
                 EXPECT_EQ("Formula...", ControlText(hwnd, IDC_XLS_FORMULA));
                 EXPECT_EQ("Close", ControlText(hwnd, IDCANCEL));
                 const HWND list = ::GetDlgItem(hwnd, IDC_XLS_LIST);
                 EXPECT_EQ(4, ListView_GetItemCount(list));
                 EXPECT_EQ(3, ListColumns(hwnd));
                 EXPECT_EQ("Node ID", Cell(hwnd, 0, 0));
                 EXPECT_EQ("t2", Cell(hwnd, 0, 2));
                 EXPECT_EQ("9", Cell(hwnd, 3, 0));
                 EXPECT_EQ("  1.23457E-06", Cell(hwnd, 1, 1));
                 EXPECT_EQ(" -3.50000E+00", Cell(hwnd, 3, 1));
                 // The list fills the client area below the buttons.
                 CRect client, rect;
                 ::GetClientRect(hwnd, &client);
                 ::GetWindowRect(list, &rect);
                 ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
                 EXPECT_EQ(CRect(5, 39, client.right - 5, client.bottom - 5), rect);
                 ::SetWindowPos(hwnd, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
                 ::GetClientRect(hwnd, &client);
                 ::GetWindowRect(list, &rect);
                 EXPECT_EQ(client.Width() - 10, rect.Width());
                 EXPECT_EQ(client.Height() - 44, rect.Height());

                 bool formulaShown = false;
                 WhenDialogShows(
                     "Formula",
                     [&](HWND formula)
                     {
                         formulaShown = true;
                         const HWND combo = ::GetDlgItem(formula, IDC_FORMULA_COLUMNS);
                         ASSERT_EQ(2, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
                         char name[64] = {};
                         ::SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
                         EXPECT_STREQ("C2 : t2", name);
                         EXPECT_EQ(0, ::SendMessageA(combo, CB_GETCURSEL, 0, 0));
                         Press(formula, {IDC_FORMULA_BACKSPACE}); // on an empty formula
                         EXPECT_EQ("", ControlText(formula, IDC_FORMULA_EDIT));
                         Press(formula,
                               {IDC_FORMULA_2, IDC_FORMULA_TIMES, IDC_FORMULA_OPEN, IDC_FORMULA_ADD,
                                IDC_FORMULA_PLUS, IDC_FORMULA_9, IDC_FORMULA_BACKSPACE});
                         ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
                         Press(formula, {IDC_FORMULA_ADD, IDC_FORMULA_CLOSE});
                         EXPECT_EQ("2*(C1+C2)", ControlText(formula, IDC_FORMULA_EDIT));
                         Click(formula, IDOK);
                     });
                 Click(hwnd, IDC_XLS_FORMULA);
                 EXPECT_TRUE(formulaShown);
                 EXPECT_EQ(4, ListColumns(hwnd));
                 EXPECT_EQ("2*(C1+C2)", Cell(hwnd, 0, 3));
                 EXPECT_EQ("  6.46914E-06", Cell(hwnd, 1, 3));
                 ASSERT_EQ(3, dialog.Sheet()->ColumnCount());
                 EXPECT_EQ(2 * (1.234567891e-6 + 2.000003e-6), dialog.Sheet()->Values(3)[0]);
                 EXPECT_EQ(-4.0, dialog.Sheet()->Values(3)[2]);
             });
    EXPECT_TRUE(Messages().empty());
}

TEST_F(XLSControlDlgTest, SavesTheCsvThatASpreadsheetReadsBack)
{
    const std::string folder = MakeFolder("csv");
    const std::string path = folder + "\\sheet.csv";
    CXLSControlDlg dialog;
    Fill(dialog);
    RunSheet(dialog, "Result List",
             [&](HWND hwnd)
             {
                 WhenDialogShows("Formula",
                                 [&](HWND formula)
                                 {
                                     ::SetDlgItemTextA(formula, IDC_FORMULA_EDIT, "2*(C1+C2)");
                                     Click(formula, IDOK);
                                 });
                 Click(hwnd, IDC_XLS_FORMULA);
                 (*m_services)->fileAnswers.push_back(path);
                 Click(hwnd, IDC_XLS_CSV);
             });
    EXPECT_TRUE(Messages().empty());
    const std::string csv = ReadAll(path);
    EXPECT_EQ(0u, csv.find("Node ID,C1 : t1,C2 : t2,2*(C1+C2)\r\n"
                           "3,  1.23457E-06,  2.00000E-06,  6.46914E-06\r\n"));
    std::string iniFolder;
    GetIniString("FileIOPaths", "CSV", &iniFolder);
    EXPECT_EQ(folder + "\\", iniFolder);

    const std::string rows = PythonReadBack(path, folder + "\\rows.txt");
    if (rows.empty())
        GTEST_SKIP() << "Python could not be started from Wine to read the file back";
    EXPECT_EQ("Node ID|C1 : t1|C2 : t2|2*(C1+C2)\n"
              "3|  1.23457E-06|  2.00000E-06|  6.46914E-06\n"
              "7|  2.00000E+00|  0.00000E+00|  4.00000E+00\n"
              "9| -3.50000E+00|  1.50000E+00| -4.00000E+00\n",
              rows);
}

TEST_F(XLSControlDlgTest, QuotedTitleReadsBackWhole)
{
    const std::string folder = MakeFolder("quoted");
    const std::string path = folder + "\\sheet.csv";
    CXLSControlDlg dialog;
    dialog.m_bNodal = false;
    dialog.m_ids = {12};
    dialog.m_columns.Add(Series("Stress, \"max\"", {1.0}));
    RunSheet(dialog, "Result List",
             [&](HWND hwnd)
             {
                 EXPECT_EQ("Element ID", Cell(hwnd, 0, 0));
                 (*m_services)->fileAnswers.push_back(path);
                 Click(hwnd, IDC_XLS_CSV);
             });
    EXPECT_EQ("Element ID,\"C1 : Stress, \"\"max\"\"\"\r\n12,  1.00000E+00\r\n", ReadAll(path));
    const std::string rows = PythonReadBack(path, folder + "\\rows.txt");
    if (rows.empty())
        GTEST_SKIP() << "Python could not be started from Wine to read the file back";
    EXPECT_EQ("Element ID|C1 : Stress, \"max\"\n12|  1.00000E+00\n", rows);
}

TEST_F(XLSControlDlgTest, ReadOnlyTargetShowsCsvFileErrorAndKeepsTheFile)
{
    const std::string folder = MakeFolder("readonly");
    const std::string path = folder + "\\sheet.csv";
    std::ofstream(path, std::ios::binary) << "kept";
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    CXLSControlDlg dialog;
    Fill(dialog);
    RunSheet(dialog, "Result List",
             [&](HWND hwnd)
             {
                 (*m_services)->fileAnswers.push_back(path);
                 Click(hwnd, IDC_XLS_CSV);
             });
    ASSERT_EQ(1u, Messages().size());
    EXPECT_EQ("The CSV file could not be written.", Messages()[0]);
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), (*m_services)->messageBoxes[0].type);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("kept", ReadAll(path));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(1, files); // no temporary left
}

// The CSV is written whole to the file the user named: through a link, to the file the link
// names (the link stays); with a name as long as the file dialog allows, without a refusal.
TEST_F(XLSControlDlgTest, SavesThroughALinkAndUnderALongName)
{
    struct Case
    {
        const char* name;
        const char* sheet;   // the name chosen in the file dialog ("" for the longest)
        const char* written; // the file that takes the CSV ("" for the name chosen)
        int entries;         // in the folder afterwards
    };
    const Case cases[] = {
        {"a link to a sheet in another folder", "sheet.csv", "real\\r.csv", 2},
        {"a name that makes the path 255 characters long", "", "", 1},
    };
    const std::string csv = "Node ID,C1 : t1,C2 : t2\r\n";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string folder = MakeFolder(*c.sheet == '\0' ? "long" : "link");
        std::string path = folder + "\\" + c.sheet;
        if (*c.sheet == '\0')
            path = folder + "\\" + std::string(255 - folder.size() - 5, 'n') + ".csv";
        if (*c.written != '\0')
        {
            ::CreateDirectoryA((folder + "\\real").c_str(), nullptr);
            std::ofstream(folder + "\\" + c.written, std::ios::binary) << "old";
            if (!MakeUnixLink("real/r.csv", path))
                GTEST_SKIP() << "no symbolic link could be made from Wine";
        }
        (*m_services)->messageBoxes.clear();
        CXLSControlDlg dialog;
        Fill(dialog);
        RunSheet(dialog, "Result List",
                 [&](HWND hwnd)
                 {
                     (*m_services)->fileAnswers.push_back(path);
                     Click(hwnd, IDC_XLS_CSV);
                 });
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
        const std::string written = *c.written != '\0' ? folder + "\\" + c.written : path;
        EXPECT_EQ(0u, ReadAll(written).find(csv));
        EXPECT_EQ(ReadAll(written), ReadAll(path));
        int entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
            ++entries;
        EXPECT_EQ(c.entries, entries) << "a temporary was left, or the link became a file";
        if (*c.written != '\0')
            RemoveUnixLink(path);
    }
}

TEST_F(XLSControlDlgTest, FormulaDialogRefusesWhatFailsTheCheckAndStaysOpen)
{
    CFormulaDlg dialog;
    dialog.m_columnNames = {"C1 : t1", "C2 : t2"};
    dialog.m_columnCount = 2;
    struct Case
    {
        const char* formula;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"", {"Enter a formula."}},
        {"C1", {"The formula is not valid."}},
        {"C1)+(C2", {"Stack is empty", "The formula is not valid."}},
        {"C9+C1", {"The formula is not valid."}},
        {"(C1)(C2)", {"The formula is not valid."}},
        {"sqrt(C1)*C2", {"The formula is not valid."}},
        {"c1+C2", {"The formula is not valid."}},
        {"x2*C1", {"The formula is not valid."}},
    };
    bool ran = false;
    WhenDialogShows("Formula",
                    [&](HWND hwnd)
                    {
                        EXPECT_EQ("Formula", ControlText(hwnd, IDC_FORMULA_LABEL));
                        EXPECT_EQ("Result", ControlText(hwnd, IDC_FORMULA_COLUMN_LABEL));
                        EXPECT_EQ("Add", ControlText(hwnd, IDC_FORMULA_ADD));
                        EXPECT_EQ("Clear", ControlText(hwnd, IDC_FORMULA_CLEAR));
                        for (const Case& c : cases)
                        {
                            (*m_services)->messageBoxes.clear();
                            ::SetDlgItemTextA(hwnd, IDC_FORMULA_EDIT, c.formula);
                            Click(hwnd, IDOK);
                            EXPECT_EQ(c.messages, Messages()) << c.formula;
                            EXPECT_TRUE(::IsWindowVisible(hwnd)) << c.formula;
                        }
                        Click(hwnd, IDC_FORMULA_CLEAR);
                        EXPECT_EQ("", ControlText(hwnd, IDC_FORMULA_EDIT));
                        ran = true;
                        ::SetDlgItemTextA(hwnd, IDC_FORMULA_EDIT, "C1 * 1e-3");
                        Click(hwnd, IDOK);
                    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(ran);
    EXPECT_EQ(CString("C1 * 1e-3"), dialog.m_formula);
}

TEST_F(XLSControlDlgTest, JapaneseTexts)
{
    SetLanguage("_JPN");
    CXLSControlDlg dialog;
    Fill(dialog);
    // "結果リスト", "節点ID", "計算式" in the program's code page.
    const std::string title = "\x8c\x8b\x89\xca\x83\x8a\x83\x58\x83\x67";
    RunSheet(dialog, title,
             [&](HWND hwnd)
             {
                 EXPECT_EQ("\x90\xdf\x93\x5f\x49\x44", Cell(hwnd, 0, 0));
                 EXPECT_EQ("\x8c\x76\x8e\x5a\x8e\xae...", ControlText(hwnd, IDC_XLS_FORMULA));
                 EXPECT_EQ(title, Caption(hwnd));
             });
}
