// AVI export of a 3-D view's animation under Wine: the file read back through the AVIFile
// functions has the frames of the animation at 4 frames a second, and its main header says the
// same frame time as its stream; a step result records its loaded cases; a cancelled or failing
// compressor choice records nothing.
#include "ResultViewFixture.h"
#include "StripModel.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "io/op2/OP2Reader.h"
#include "resources/resource.h"
#include "tests/support/TestPaths.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <vfw.h>

using namespace view_window_test;

namespace
{
constexpr UINT kEigenvectorType = 0x1000000u;
constexpr UINT kStepType = 0x4000000u;
constexpr UINT kStaticType = 0x2000000u;

// An AVI file as the AVIFile functions read it back.
struct AviContents
{
    bool isRead = false;
    DWORD rate = 0;
    DWORD scale = 0;
    LONG frameCount = 0;
    BITMAPINFOHEADER format = {};
    std::vector<std::vector<unsigned char>> frames;
    // The main header's microseconds a frame, read from the file's bytes; 0 when absent.
    DWORD mainFrameTime = 0;
};

// The first field of the "avih" chunk, which every AVI file has at byte 32 after "RIFF", "AVI ",
// "LIST" and "hdrl".
DWORD ReadMainFrameTime(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char head[36] = {};
    if (!file.read(head, sizeof head) || std::string(head, 4) != "RIFF" ||
        std::string(head + 8, 4) != "AVI " || std::string(head + 20, 4) != "hdrl" ||
        std::string(head + 24, 4) != "avih")
        return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(head + 32);
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

AviContents ReadAvi(const std::string& path)
{
    AviContents contents;
    ::AVIFileInit();
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    if (::AVIFileOpenA(&file, path.c_str(), OF_READ, nullptr) == AVIERR_OK &&
        ::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) == AVIERR_OK)
    {
        AVISTREAMINFOA info = {};
        ::AVIStreamInfoA(stream, &info, sizeof info);
        contents.rate = info.dwRate;
        contents.scale = info.dwScale;
        contents.frameCount = ::AVIStreamLength(stream);
        LONG size = sizeof contents.format;
        ::AVIStreamReadFormat(stream, 0, &contents.format, &size);
        for (LONG i = 0; i < contents.frameCount; ++i)
        {
            std::vector<unsigned char> bits(contents.format.biSizeImage);
            LONG bytes = 0;
            ::AVIStreamRead(stream, i, 1, bits.data(), static_cast<LONG>(bits.size()), &bytes,
                            nullptr);
            contents.frames.push_back(bits);
        }
        contents.isRead = true;
    }
    if (stream)
        ::AVIStreamRelease(stream);
    if (file)
        ::AVIFileRelease(file);
    ::AVIFileExit();
    contents.mainFrameTime = ReadMainFrameTime(path);
    return contents;
}

bool HasColour(const std::vector<unsigned char>& frame)
{
    return std::any_of(frame.begin(), frame.end(), [](unsigned char b) { return b > 40; });
}

class CAEViewAviTest : public ResultViewFixture
{
protected:
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        m_path = testing_support::MakeTempDir("avi") + "\\animation.avi";
    }
    // The strip with a static result in a small view, five frames.
    CWendraView* ShowStripResult()
    {
        view_test::AddStrip(Model());
        const CResultData* stress =
            view_test::AddNodalCase(Model(), 1, kStaticType, 1, CResultData::kFlagAtNodes | 8, 1.0);
        return ShowResult(stress->m_id, 120, 80, 5);
    }
    void ExportAvi(CWendraView* view)
    {
        (*m_services)->fileAnswers.push_back(m_path);
        Command(view, ID_EXPORT_AVI);
    }

    std::string m_path;
};
} // namespace

TEST_F(CAEViewAviTest, ModeShapeOfARealFileRecordsTwentyDifferentFramesAtFourASecond)
{
    REQUIRE_SAMPLES();
    CModelSet& model = Model();
    const std::string path =
        testing_support::SamplePath("pyNastran/sol_101_elements/mode_solid_shell_bar.op2");
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    for (UINT id : model.GetResults().SortedKeys())
        model.GetResult(id)->m_loaded = CResultData::kRequested;
    ASSERT_EQ(0, reader.readResults(path, &model));
    model.TransformPendingNodes();
    model.BuildElementFaces();
    model.UpdateLoadedResults();
    // The first mode's eigenvectors, shown as their magnitude.
    UINT modeId = 0;
    for (UINT id : model.GetResults().SortedKeys())
    {
        if (ResultIdTypeBits(id) == kEigenvectorType && ResultIdLoadCase(id) == 1 && modeId == 0)
            modeId = id;
    }
    ASSERT_NE(0u, modeId);
    CWendraView* view = ShowResult(modeId, 163, 121, 20);
    ASSERT_NE(nullptr, view);
    view->Animation().SetInterval(100);
    ExportAvi(view);

    const AviContents avi = ReadAvi(m_path);
    ASSERT_TRUE(avi.isRead);
    EXPECT_EQ(20, avi.frameCount);
    ASSERT_EQ(20u, avi.frames.size());
    EXPECT_EQ(4u, avi.rate / avi.scale);
    EXPECT_EQ(160, avi.format.biWidth); // both sides rounded down to a multiple of 4
    EXPECT_EQ(120, avi.format.biHeight);
    EXPECT_EQ(24, avi.format.biBitCount);
    EXPECT_TRUE(HasColour(avi.frames[0]));
    EXPECT_NE(avi.frames[0], avi.frames[9]);
    EXPECT_NE(avi.frames[9], avi.frames[19]);
    EXPECT_EQ(1, (*m_services)->aviOptionCalls);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    // The view as it was, on the last frame, at the export's interval.
    EXPECT_EQ(250, view->Animation().Interval());
    EXPECT_EQ(20, view->Renderer().LCStep());
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(static_cast<int>(modeId), view->Renderer().ContourResultId());
    EXPECT_EQ(0, Frame().m_waitDepth);
}

// A player that times the frames by the main header plays them at the stream's rate.
TEST_F(CAEViewAviTest, MainHeaderTellsTheFrameTimeOfTheStreamsRate)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    ExportAvi(view);
    const AviContents avi = ReadAvi(m_path);
    ASSERT_TRUE(avi.isRead);
    ASSERT_EQ(5, avi.frameCount);
    ASSERT_NE(0u, avi.rate);
    EXPECT_EQ(250000u, avi.mainFrameTime); // 4 frames a second
    EXPECT_EQ(1000000ull * avi.scale / avi.rate, avi.mainFrameTime);
}

TEST_F(CAEViewAviTest, StepResultRecordsItsLoadedCasesOnly)
{
    view_test::AddStrip(Model());
    for (UINT c = 1; c <= 5; ++c)
    {
        CResultData* step = view_test::AddNodalCase(Model(), 2, kStepType, c,
                                                    CResultData::kFlagAtNodes | 24, 2.0 * c);
        if (c == 3)
            step->m_loaded = CResultData::kNotLoaded;
    }
    const UINT shown = MakeLoadCaseKey(2, kStepType, 2);
    CWendraView* view = ShowResult(shown, 120, 80);
    ASSERT_NE(nullptr, view);
    ExportAvi(view);
    const AviContents avi = ReadAvi(m_path);
    ASSERT_TRUE(avi.isRead);
    EXPECT_EQ(4, avi.frameCount);
    EXPECT_EQ(static_cast<int>(shown), view->Renderer().ContourResultId());
    EXPECT_EQ(-1, view->Renderer().VectorResultId());
}

TEST_F(CAEViewAviTest, CancelledCompressorChoiceRecordsNothingAndSaysNothing)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    (*m_services)->aviOptionsConfirmed = false;
    ExportAvi(view);
    EXPECT_EQ(1, (*m_services)->aviOptionCalls);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    EXPECT_EQ(0, view->Renderer().LCStep()); // no frame was made
    EXPECT_EQ(0, view->Animation().IsAnimating());
}

TEST_F(CAEViewAviTest, CompressorThatFailsIsToldOnceAndRecordsNothing)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    (*m_services)->aviCompressor = mmioFOURCC('M', 'S', 'V', 'C');
    ExportAvi(view);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(0u, (*m_services)->messageBoxes[0].text.find("AVI Compressed Stream"));
    EXPECT_EQ(0, view->Renderer().LCStep());
}

TEST_F(CAEViewAviTest, FileThatCannotBeMadeIsToldOnceBeforeAnyChoice)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    m_path = testing_support::MakeTempDir("avi") + "\\missing\\animation.avi";
    ExportAvi(view);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    const std::string& text = (*m_services)->messageBoxes[0].text;
    EXPECT_EQ(0u, text.find("AVI Engine failed to initialize. Check filename " + m_path + "."))
        << text;
    EXPECT_EQ(0, (*m_services)->aviOptionCalls);
    EXPECT_EQ(0, view->Renderer().LCStep());
}

TEST_F(CAEViewAviTest, FrameThatCannotBeReadStopsTheRecordingWithOneMessage)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    view->Device().DeleteRenderingContext();
    ExportAvi(view);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    CString text;
    LoadStringFromFile(CString("Message.str"), CString("Error"), CString("ImageCapture"), &text);
    EXPECT_EQ(text.GetString(), (*m_services)->messageBoxes[0].text);
    EXPECT_EQ(1, view->Renderer().LCStep()); // the first of five frames
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(0, ReadAvi(m_path).frameCount);
}

TEST_F(CAEViewAviTest, RecordingEndsAPlayingAnimation)
{
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_REPEAT);
    view->SendMessage(WM_TIMER, CCAEView::kAnimationTimer, 0);
    ExportAvi(view);
    EXPECT_EQ(5, ReadAvi(m_path).frameCount);
    // Stopped as STOP leaves it: no timer, no repeat, and STOP disabled with nothing to stop.
    EXPECT_FALSE(::KillTimer(view->m_hWnd, CCAEView::kAnimationTimer));
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(0, view->Animation().IsRepeating());
    EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_STOP).enabled);
    EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
}

// A recording that cannot start ends a playing animation all the same, as STOP does: nothing
// is left running or enabled that only STOP could end.
TEST_F(CAEViewAviTest, RecordingThatCannotStartLeavesAPlayingAnimationStopped)
{
    struct Case
    {
        const char* name;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"compressor choice cancelled", [this] { (*m_services)->aviOptionsConfirmed = false; }},
        {"compressor that fails",
         [this] { (*m_services)->aviCompressor = mmioFOURCC('M', 'S', 'V', 'C'); }},
        {"file that cannot be made",
         [this] { m_path = testing_support::MakeTempDir("avi") + "\\missing\\animation.avi"; }},
    };
    CWendraView* view = ShowStripResult();
    ASSERT_NE(nullptr, view);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        (*m_services)->aviOptionsConfirmed = true;
        (*m_services)->aviCompressor = mmioFOURCC('D', 'I', 'B', ' ');
        m_path = testing_support::MakeTempDir("avi") + "\\animation.avi";
        Command(view, ID_ANIMATION_REPEAT);
        view->SendMessage(WM_TIMER, CCAEView::kAnimationTimer, 0);
        c.spoil();
        ExportAvi(view);
        EXPECT_FALSE(::KillTimer(view->m_hWnd, CCAEView::kAnimationTimer));
        EXPECT_EQ(0, view->Animation().IsAnimating());
        EXPECT_EQ(0, view->Animation().IsRepeating());
        EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_STOP).enabled);
        EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
    }
}
