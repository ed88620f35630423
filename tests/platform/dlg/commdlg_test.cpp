// Common dialogs through scripted services: what they hand the system (filters, folders,
// flags, record sizes) and how they read the answer back (several files, names and parts).
#include "platform/dlg/commdlg.h"

#include "platform/test/scripted_services.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Answers a file dialog with raw bytes, as the system fills the buffer, and keeps the record.
class FileServices : public fw::test::ScriptedServices
{
public:
    std::string answer; // pieces with their '\0's; empty cancels
    OPENFILENAMEA seen = {};
    std::vector<std::string> filterPieces;
    std::string initialDir;

    BOOL GetOpenFileName(OPENFILENAMEA* ofn) override { return Answer(ofn); }
    BOOL GetSaveFileName(OPENFILENAMEA* ofn) override { return Answer(ofn); }

private:
    BOOL Answer(OPENFILENAMEA* ofn)
    {
        seen = *ofn;
        initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "";
        for (const char* piece = ofn->lpstrFilter; piece && *piece; piece += std::strlen(piece) + 1)
            filterPieces.push_back(piece);
        if (answer.empty() || answer.size() + 2 > ofn->nMaxFile)
            return FALSE;
        std::memcpy(ofn->lpstrFile, answer.data(), answer.size());
        ofn->lpstrFile[answer.size()] = '\0';
        ofn->lpstrFile[answer.size() + 1] = '\0';
        return TRUE;
    }
};

class ScopedFileServices
{
public:
    ScopedFileServices()
        : m_previous(sys::Install(&services))
    {
    }
    ~ScopedFileServices() { sys::Install(m_previous); }

    FileServices services;

private:
    sys::Services* m_previous;
};

// A literal with its embedded '\0's.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

std::vector<std::string> AllPaths(const CFileDialog& dialog)
{
    std::vector<std::string> paths;
    for (POSITION at = dialog.GetStartPosition(); at;)
        paths.push_back(dialog.GetNextPathName(at).GetString());
    return paths;
}
} // namespace

TEST(FileDialog, HandsTheSystemItsFilterFolderAndFlags)
{
    ScopedFileServices scoped;
    scoped.services.answer = std::string("C:\\images\\view.JPG");
    CFileDialog dialog(FALSE, "jpg", "model", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "JPEG Files (*.jpg)|*.jpg|BMP Files (*.bmp)|*.bmp||");
    dialog.m_ofn.lpstrInitialDir = "C:\\images";
    ASSERT_EQ(IDOK, dialog.DoModal());

    const OPENFILENAMEA& seen = scoped.services.seen;
    EXPECT_EQ(sizeof(OPENFILENAMEA), seen.lStructSize);
    EXPECT_STREQ("jpg", seen.lpstrDefExt);
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER),
              seen.Flags);
    EXPECT_EQ("C:\\images", scoped.services.initialDir);
    const std::vector<std::string> filter = {"JPEG Files (*.jpg)", "*.jpg", "BMP Files (*.bmp)",
                                             "*.bmp"};
    EXPECT_EQ(filter, scoped.services.filterPieces);

    EXPECT_STREQ("C:\\images\\view.JPG", dialog.GetPathName());
    EXPECT_STREQ("view.JPG", dialog.GetFileName());
    EXPECT_STREQ("JPG", dialog.GetFileExt());
    EXPECT_STREQ("view", dialog.GetFileTitle());
    EXPECT_EQ(std::vector<std::string>{"C:\\images\\view.JPG"}, AllPaths(dialog));
}

TEST(FileDialog, ReadsSeveralChosenFiles)
{
    ScopedFileServices scoped;
    scoped.services.answer = Bytes("C:\\models\0a.dat\0b.op2\0c.unv");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                       "Models|*.dat;*.op2;*.unv||");
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(scoped.services.seen.Flags & OFN_ALLOWMULTISELECT);
    const std::vector<std::string> expected = {"C:\\models\\a.dat", "C:\\models\\b.op2",
                                               "C:\\models\\c.unv"};
    EXPECT_EQ(expected, AllPaths(dialog));
    EXPECT_STREQ("C:\\models\\a.dat", dialog.GetPathName());
}

TEST(FileDialog, CancelAndDoubleByteFilters)
{
    ScopedFileServices scoped;
    // "ポ" is 0x83 0x7C in code page 932: its second byte looks like '|'.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "\x83\x7C (*.dat)|*.dat||");
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    const std::vector<std::string> filter = {"\x83\x7C (*.dat)", "*.dat"};
    EXPECT_EQ(filter, scoped.services.filterPieces);
    EXPECT_EQ(nullptr, dialog.GetStartPosition());
    EXPECT_STREQ("", dialog.GetPathName());
}

TEST(ColorDialog, StartsFromTheGivenColourAndReturnsTheChoice)
{
    fw::test::ScopedServices services;
    services->hasColorAnswer = true;
    services->colorAnswer = RGB(12, 34, 56);
    CColorDialog dialog(RGB(1, 2, 3), CC_FULLOPEN);
    EXPECT_EQ(static_cast<DWORD>(CC_FULLOPEN | CC_RGBINIT), dialog.m_cc.Flags);
    EXPECT_EQ(sizeof(CHOOSECOLORA), dialog.m_cc.lStructSize);
    EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dialog.m_cc.lpCustColors);
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(RGB(12, 34, 56), dialog.GetColor());

    services->hasColorAnswer = false;
    CColorDialog cancelled;
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
}

TEST(FontDialog, ReturnsTheChosenFont)
{
    fw::test::ScopedServices services;
    services->hasFontAnswer = true;
    services->fontAnswer.lfHeight = -16;
    services->fontAnswer.lfWeight = FW_BOLD;
    services->fontAnswer.lfItalic = TRUE;
    std::strcpy(services->fontAnswer.lfFaceName, "Courier New");
    LOGFONTA initial = {};
    std::strcpy(initial.lfFaceName, "Arial");
    CFontDialog dialog(&initial);
    EXPECT_TRUE(dialog.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("Courier New", dialog.GetFaceName());
    EXPECT_TRUE(dialog.IsBold());
    EXPECT_TRUE(dialog.IsItalic());
    EXPECT_FALSE(dialog.IsUnderline());
}

TEST(PrintDialog, WithoutAPrinterCancelsAndHasNoDefaults)
{
    fw::test::ScopedServices services;
    CPrintDialog dialog(FALSE);
    EXPECT_EQ(sizeof(PRINTDLGA), dialog.m_pd.lStructSize);
    EXPECT_TRUE(dialog.m_pd.Flags & PD_RETURNDC);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_FALSE(dialog.GetDefaults());
    EXPECT_EQ(nullptr, dialog.CreatePrinterDC());
    EXPECT_STREQ("", dialog.GetDeviceName());
    EXPECT_EQ(1, dialog.GetCopies());
    EXPECT_TRUE(dialog.PrintAll());
}
