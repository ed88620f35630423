// Image export of a 3-D view under Wine: the files decode back with the view's size (its width
// rounded down to a multiple of 4) and pixels, black and white exchanged when asked; a refused
// extension asks again; a file that cannot be written or a view without a picture is reported
// and not called done.
#include "ResultViewFixture.h"
#include "StripModel.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "platform/ole/oleinit.h"
#include "platform/test/decode_image.h"
#include "resources/resource.h"
#include "tests/support/TestPaths.h"
#include "view/ImageExporter.h"

#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
constexpr int kWidth = 803;
constexpr int kStride = 800;
constexpr int kHeight = 201;
constexpr UINT kStressType = 0x2000000u;

std::string Text(const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString("Message.str"), CString(section), CString(key), &text);
    return text.GetString();
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CAEViewExportTest : public ResultViewFixture
{
protected:
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        ASSERT_TRUE(fw::OleInit());
        view_test::AddStrip(Model());
        const CResultData* stress = view_test::AddNodalCase(Model(), 1, kStressType, 1,
                                                            CResultData::kFlagAtNodes | 8, 10.0);
        m_view = ShowResult(stress->m_id, kWidth, kHeight);
        ASSERT_NE(nullptr, m_view);
        m_folder = testing_support::MakeTempDir("export") + "\\";
    }

    // Exports to the file named, answering the black-and-white question.
    void Export(const std::string& name, int reverseAnswer = IDNO)
    {
        (*m_services)->fileAnswers.push_back(name.empty() ? name : m_folder + name);
        (*m_services)->messageBoxAnswers.push_back(reverseAnswer);
        Command(m_view, ID_EXPORT_IMAGE);
    }
    bool SaidDone()
    {
        const std::vector<std::string>& lines = Frame().m_outputLines;
        return std::find(lines.begin(), lines.end(), Text("MsgPane", "ExportDone")) != lines.end();
    }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : (*m_services)->messageBoxes)
            texts.push_back(box.text);
        return texts;
    }

    CWendraView* m_view = nullptr;
    std::string m_folder;
};
} // namespace

TEST_F(CAEViewExportTest, PngOfAView803WideIs800WideWithTheViewsPixels)
{
    Export("view.png");
    const fw::test::DecodedImage image = fw::test::DecodeImage(m_folder + "view.png");
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(static_cast<UINT>(kStride), image.width);
    EXPECT_EQ(static_cast<UINT>(kHeight), image.height);
    DrawFrame(m_view);
    for (const POINT& p :
         {POINT{kStride / 2, kHeight / 2}, POINT{kStride / 2 + 300, kHeight / 2}, POINT{5, 5}})
    {
        SCOPED_TRACE(p.x);
        EXPECT_EQ(ReadPixel(p.x, p.y, kHeight), image.At(p.x, p.y));
    }
    EXPECT_NE((Rgb{0, 0, 0}), image.At(kStride / 2, kHeight / 2)); // the contour is there

    // The question, then the status texts; the folder is kept with its backslash.
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(Text("Confirm", "ReverseBlackAndWhite"), (*m_services)->messageBoxes[0].text);
    EXPECT_EQ((std::vector<std::string>{Text("MsgPane", "Export"), Text("MsgPane", "ExportDone")}),
              Frame().m_outputLines);
    EXPECT_STREQ(Text("MsgPane", "ExportDone").c_str(), StatusText().GetString());
    CString stored;
    ASSERT_TRUE(GetIniString("FileIOPaths", "IMG", &stored));
    EXPECT_EQ(m_folder, stored.GetString());
    EXPECT_EQ(m_folder,
              Frame().m_project->m_settings.m_fileIoFolders[CAESettings::kFolderImg].GetString());
    EXPECT_EQ(0, Frame().m_waitDepth);
}

TEST_F(CAEViewExportTest, ReversalTurnsTheBlackBackgroundWhiteAndKeepsColours)
{
    Export("reversed.png", IDYES);
    const fw::test::DecodedImage image = fw::test::DecodeImage(m_folder + "reversed.png");
    ASSERT_FALSE(image.IsEmpty());
    DrawFrame(m_view);
    const Rgb corner = ReadPixel(kStride - 5, 5, kHeight);
    ASSERT_EQ((Rgb{0, 0, 0}), corner);
    EXPECT_EQ((Rgb{255, 255, 255}), image.At(kStride - 5, 5));
    const Rgb contour = ReadPixel(kStride / 2 + 300, kHeight / 2, kHeight);
    EXPECT_EQ(contour, image.At(kStride / 2 + 300, kHeight / 2));
}

namespace
{
struct FormatCase
{
    const char* name;
};
const FormatCase kFormats[] = {{"view.jpg"}, {"view.BMP"}, {"picture.Png"}, {"view.tiff"}};
} // namespace

TEST_F(CAEViewExportTest, EveryFormatDecodesWithTheViewsSize)
{
    for (const FormatCase& format : kFormats)
    {
        SCOPED_TRACE(format.name);
        Export(format.name);
        const fw::test::DecodedImage image = fw::test::DecodeImage(m_folder + format.name);
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(static_cast<UINT>(kStride), image.width);
        EXPECT_EQ(static_cast<UINT>(kHeight), image.height);
    }
    EXPECT_EQ(
        4, static_cast<int>(std::count(Frame().m_outputLines.begin(), Frame().m_outputLines.end(),
                                       Text("MsgPane", "ExportDone"))));
}

TEST_F(CAEViewExportTest, OtherExtensionIsRefusedAndTheDialogOpensAgain)
{
    (*m_services)->fileAnswers = {m_folder + "view.jpeg", ""}; // then cancel
    Command(m_view, ID_EXPORT_IMAGE);
    EXPECT_EQ(2u, (*m_services)->fileDialogTitles.size());
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(Text("Error", "JPGExtNotFound"), (*m_services)->messageBoxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), (*m_services)->messageBoxes[0].type & MB_ICONMASK);
    EXPECT_FALSE(FileExists(m_folder + "view.jpeg"));
    EXPECT_TRUE(Frame().m_outputLines.empty());
}

TEST_F(CAEViewExportTest, FileThatCannotBeWrittenIsReportedAndNotCalledDone)
{
    Export("missing\\view.png");
    EXPECT_EQ((std::vector<std::string>{Text("Confirm", "ReverseBlackAndWhite"),
                                        Text("Error", "FileOpen")}),
              MessageTexts());
    EXPECT_FALSE(SaidDone());
}

TEST_F(CAEViewExportTest, ViewWithoutAPictureIsReportedAndWritesNothing)
{
    m_view->Device().DeleteRenderingContext();
    Export("view.png");
    EXPECT_EQ((std::vector<std::string>{Text("Confirm", "ReverseBlackAndWhite"),
                                        Text("Error", "ImageCapture")}),
              MessageTexts());
    EXPECT_FALSE(FileExists(m_folder + "view.png"));
    EXPECT_FALSE(SaidDone());
}

TEST(ReverseBlackAndWhite, ExchangesOnlyNearBlackAndNearWhite)
{
    struct Case
    {
        Rgb colour;
        Rgb expected;
    };
    const Case kCases[] = {
        {{0, 0, 0}, {255, 255, 255}},
        {{2, 2, 2}, {255, 255, 255}},
        {{3, 0, 0}, {3, 0, 0}},
        {{255, 255, 255}, {0, 0, 0}},
        {{250, 250, 250}, {0, 0, 0}},
        {{249, 255, 255}, {249, 255, 255}},
        {{128, 128, 128}, {128, 128, 128}},
        {{255, 0, 0}, {255, 0, 0}},
    };
    // Four bytes a pixel as well: the fourth is left alone.
    for (const int bytesPerPixel : {3, 4})
    {
        std::vector<unsigned char> pixels;
        for (const Case& c : kCases)
        {
            for (int i = 0; i < bytesPerPixel; ++i)
                pixels.push_back(static_cast<unsigned char>(i < 3 ? c.colour[i] : 77));
        }
        ReverseBlackAndWhite(pixels.data(), std::size(kCases), bytesPerPixel);
        for (size_t n = 0; n < std::size(kCases); ++n)
        {
            SCOPED_TRACE(testing::Message() << bytesPerPixel << " bytes, pixel " << n);
            const unsigned char* p = &pixels[n * bytesPerPixel];
            EXPECT_EQ(kCases[n].expected, (Rgb{p[0], p[1], p[2]}));
            if (bytesPerPixel == 4)
            {
                EXPECT_EQ(77, p[3]);
            }
        }
    }
}
