// Result sheet table: cell texts, formula columns, the CSV text and its saving.
#include "dialogs/tools/ResultSheet.h"

#include "platform/base/os.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace
{
CResultSheet TwoColumns()
{
    CResultSheet sheet("Node ID", {3, 7});
    sheet.AddResultColumn("t1", {1e-6, -2.5});
    sheet.AddResultColumn("t2", {2.000003e-6, 0.0});
    return sheet;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return folder;
}

// Whether a save's temporary ("~N.tmp") stayed in the folder.
bool HasLeftovers(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE find = ::FindFirstFileA((folder + "~*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    return true;
}
} // namespace

TEST(ResultSheet, CellsAndFormulaColumnKeepFullPrecision)
{
    CResultSheet sheet = TwoColumns();
    ASSERT_TRUE(sheet.AddFormulaColumn("2*(C1+C2)"));
    EXPECT_FALSE(sheet.AddFormulaColumn("C1+"));
    EXPECT_FALSE(sheet.AddFormulaColumn("C5+C1"));
    ASSERT_EQ(3, sheet.ColumnCount());
    EXPECT_EQ(2, sheet.ReferableCount());
    EXPECT_EQ(2 * (1e-6 + 2.000003e-6), sheet.Values(3)[0]); // not cut to the shown digits
    EXPECT_EQ(-5.0, sheet.Values(3)[1]);
    // A typed reference to a formula column is evaluated.
    ASSERT_TRUE(sheet.AddFormulaColumn("C3/C1"));
    EXPECT_EQ(2.0, sheet.Values(4)[1]);

    EXPECT_EQ("Node ID", sheet.CellText(0, 0));
    EXPECT_EQ("2*(C1+C2)", sheet.CellText(0, 3));
    EXPECT_EQ("7", sheet.CellText(2, 0));
    EXPECT_EQ("  1.00000E-06", sheet.CellText(1, 1));
    EXPECT_EQ(" -2.50000E+00", sheet.CellText(2, 1));
}

TEST(ResultSheet, CsvPrefixesResultTitlesAndQuotesOnlyWhatNeedsIt)
{
    CResultSheet sheet("Node ID", {3, 7});
    sheet.AddResultColumn("t1", {1e-6, -2.5});
    sheet.AddResultColumn("a, \"b\"", {0.0, 1.0});
    EXPECT_EQ("Node ID,C1 : t1,\"C2 : a, \"\"b\"\"\"\r\n"
              "3,  1.00000E-06,  0.00000E+00\r\n"
              "7, -2.50000E+00,  1.00000E+00\r\n",
              sheet.ToCsv());
    ASSERT_TRUE(sheet.AddFormulaColumn("2*(C1+C2)"));
    EXPECT_EQ(0u, sheet.ToCsv().find("Node ID,C1 : t1,\"C2 : a, \"\"b\"\"\",2*(C1+C2)\r\n"));
}

TEST(ResultSheet, SaveReplacesTheFileWholeOrNotAtAll)
{
    const std::string folder = TempFolder() + "gravik_sheet_test\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "sheet.csv";
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());

    const std::string csv = TwoColumns().ToCsv();
    ASSERT_TRUE(fw::os::SaveWholeFile(path, csv));
    EXPECT_EQ(csv, ReadAll(path));
    ASSERT_TRUE(fw::os::SaveWholeFile(path, "other\r\n"));
    EXPECT_EQ("other\r\n", ReadAll(path));

    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(fw::os::SaveWholeFile(path, csv));
    EXPECT_EQ("other\r\n", ReadAll(path));
    EXPECT_FALSE(HasLeftovers(folder));
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    ::RemoveDirectoryA(folder.c_str());

    // A folder that cannot take the file, as a full disk cannot.
    const std::string nowhere = TempFolder() + "gravik_no_such_folder\\sheet.csv";
    EXPECT_FALSE(fw::os::SaveWholeFile(nowhere, csv));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(nowhere.c_str()));
}

TEST(ResultSheet, CellsAreTheSameAsThePrintfFormatForAnyValue)
{
    // Rounding ties and carries, three-digit exponents, subnormals, signed zero, infinities.
    const double values[] = {0.0,       -0.0,
                             1.0,       -2.5,
                             9.999995,  9.999994999,
                             1.000005,  0.5e-5,
                             123456.5,  1e-300,
                             4.9e-324,  2.2250738585072014e-308,
                             1e300,     -1.7976931348623157e308,
                             1.0 / 3.0, -2.0 / 3.0e-7,
                             1e22,      1e23,
                             HUGE_VAL,  -HUGE_VAL};
    std::vector<double> column(std::begin(values), std::end(values));
    std::vector<int32_t> ids(column.size());
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = int32_t(i + 1);
    for (int shift = 0; shift < 200; ++shift)
    {
        column.push_back(std::ldexp(0.7071067811865476 + shift * 1e-3, shift * 7 - 700));
        ids.push_back(int32_t(ids.size() + 1));
    }
    CResultSheet sheet("Node ID", ids);
    sheet.AddResultColumn("v", column);
    for (size_t i = 0; i < column.size(); ++i)
    {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%13.5E", column[i]);
        EXPECT_EQ(expected, sheet.CellText(i + 1, 1)) << column[i];
    }
}
