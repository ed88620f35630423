// The view's contour and vector settings commands under Wine: what they are enabled for, the
// view's settings their dialog opens on, and a confirmed dialog applied to the view with one
// rebuild, through the apply commands.
#include "view/SettingCommands.h"

#include "ResultViewFixture.h"
#include "StripModel.h"
#include "core/model/ResultId.h"
#include "render/VectorPlotEntry.h"
#include "resources/ids/view_ids.h"

#include <gtest/gtest.h>

using view_window_test::QueryUpdate;
using view_window_test::ResultViewFixture;

namespace
{
constexpr UINT kScalarType = 0x1000000u;
constexpr UINT kDisplacementType = 0x800000u;

// What the settings dialogs were opened with; the windows say when they go.
struct ScriptedTools : CResultSettingTools
{
    struct Window : CContourSettingWindow, CVectorSettingWindow
    {
        explicit Window(ScriptedTools& tools)
            : tools(tools)
        {
            ++tools.open;
        }
        ~Window() override { --tools.open; }
        bool Open(const CResultDisplayAttr& attr, int32_t resultId, int frameKey) override
        {
            tools.contour.push_back({attr, resultId, frameKey});
            return true;
        }
        void Refresh(const CResultDisplayAttr& attr, int32_t resultId) override
        {
            tools.refreshed.push_back({attr, resultId, 0});
        }
        bool Open(const CVectorSettingMap& stored, int32_t resultId, int frameKey) override
        {
            Vector opened;
            opened.resultId = resultId;
            opened.frameKey = frameKey;
            for (POSITION pos = stored.GetStartPosition(); pos != nullptr;)
            {
                int32_t key = 0;
                CVectorDisplayAttr attr;
                stored.GetNextAssoc(pos, key, attr);
                opened.stored[key] = attr;
            }
            tools.vector.push_back(opened);
            return true;
        }
        ScriptedTools& tools;
    };
    struct Contour
    {
        CResultDisplayAttr attr;
        int resultId;
        int frameKey;
    };
    struct Vector
    {
        std::map<int, CVectorDisplayAttr> stored;
        int resultId;
        int frameKey;
    };

    std::unique_ptr<CContourSettingWindow> CreateContourSettingWindow() override
    {
        return std::make_unique<Window>(*this);
    }
    std::unique_ptr<CVectorSettingWindow> CreateVectorSettingWindow() override
    {
        return std::make_unique<Window>(*this);
    }

    std::vector<Contour> contour;
    std::vector<Contour> refreshed;
    std::vector<Vector> vector;
    int open = 0;
};

class SettingCommands : public ResultViewFixture
{
protected:
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        view_test::AddStrip(Model());
        for (UINT c = 1; c <= 2; ++c)
            view_test::AddNodalCase(Model(), 1, kScalarType, c, CResultData::kFlagAtNodes | 8, c);
        m_contourId = MakeLoadCaseKey(1, kScalarType, 1);
        m_previous = InstallResultSettingTools(&m_tools);
    }
    void TearDown() override
    {
        CCmdRecord end;
        end.nCode = CCmdRecord::kEndCommand;
        Frame().m_manager.ExecuteCommand(&end);
        InstallResultSettingTools(m_previous);
        ResultViewFixture::TearDown();
    }

    // A displacement result of two cases at every node of the strip, (0, 10 x column, 0).
    UINT AddVectors(UINT number)
    {
        Model().AddLoadCaseValue(number, kDisplacementType, 1.0);
        auto* result = new CResultData();
        result->m_id = MakeLoadCaseKey(number, kDisplacementType, 1);
        result->m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector | 8;
        result->m_type = 8;
        result->m_loaded = CResultData::kLoaded;
        result->SetName("Displacement");
        for (int node = 1; node <= 22; ++node)
        {
            const double value = 10.0 * ((node - 1) / 2);
            result->SetNodeValue(node, value);
            result->SetNodeVector(node, CPoint3D(0, value, 0));
            result->WidenRange(value);
            result->WidenVectorRange(CPoint3D(0, value, 0));
        }
        Model().AddResult(result);
        return result->m_id;
    }

    CWendraView* ShowVectors(UINT resultId)
    {
        CWendraView* model = OpenView(200, 200);
        model->Renderer().AutoScale(model);
        model->DisplayResultView(static_cast<int>(resultId), 0, 2, TRUE);
        auto* view = dynamic_cast<CWendraView*>(Frame().GetFrameView(Frame().m_viewCounter));
        return view == model ? nullptr : view;
    }

    void SendOk(CCmdRecord& record)
    {
        record.nCode = CCmdRecord::kDialogOk;
        Frame().m_manager.ExecuteCommand(&record);
        fw::test::Pump();
    }

    std::vector<int> CodesSince(size_t first)
    {
        std::vector<int> codes;
        const auto& entries = Frame().m_manager.m_entries;
        for (size_t i = first; i < entries.size(); ++i)
            codes.push_back(entries[i].code);
        return codes;
    }

    ScriptedTools m_tools;
    CResultSettingTools* m_previous = nullptr;
    UINT m_contourId = 0;
};
} // namespace

TEST_F(SettingCommands, ContourSettingsOpenOnTheShownContoursBands)
{
    CWendraView* plain = OpenView(200, 200);
    EXPECT_EQ(0, QueryUpdate(plain, ID_RESULT_CONTOUR_SETTINGS).enabled);
    EXPECT_EQ(0, QueryUpdate(plain, ID_RESULT_VECTOR_SETTINGS).enabled);
    CWendraView* view = ShowResult(m_contourId, 200, 200);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(1, QueryUpdate(view, ID_RESULT_CONTOUR_SETTINGS).enabled);
    EXPECT_EQ(0, QueryUpdate(view, ID_RESULT_VECTOR_SETTINGS).enabled);

    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    EXPECT_EQ("MsgPane/ContourResult", Frame().m_statusKeys.back());
    const auto& sent = Frame().m_manager.m_entries.back();
    EXPECT_EQ(CCmdRecord::kContourSetting, sent.code);
    EXPECT_EQ(0, sent.keepRunning);
    EXPECT_EQ(view->FrameKey(), sent.frameKey);
    ASSERT_EQ(1u, m_tools.contour.size());
    const CResultDisplayAttr shown = view->GetDisplayAttr();
    const ScriptedTools::Contour& opened = m_tools.contour[0];
    EXPECT_EQ(static_cast<int>(m_contourId), opened.resultId);
    EXPECT_EQ(view->FrameKey(), opened.frameKey);
    EXPECT_EQ(shown.m_nBands, opened.attr.m_nBands);
    EXPECT_EQ(shown.m_dataMax, opened.attr.m_dataMax);
    EXPECT_EQ(shown.m_levels[3], opened.attr.m_levels[3]);
    EXPECT_EQ(1, m_tools.open);

    // Starting it again ends the first one with its dialog.
    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    EXPECT_EQ(2u, m_tools.contour.size());
    EXPECT_EQ(1, m_tools.open);
}

TEST_F(SettingCommands, ConfirmedContourIsAppliedWithOneRebuildAndReopeningRebuildsNothing)
{
    CWendraView* view = ShowResult(m_contourId, 200, 200);
    ASSERT_NE(nullptr, view);
    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    CContourSettingRecord ok;
    ok.m_Attr = m_tools.contour[0].attr;
    ok.m_Attr.SetReverseBand(true);
    ok.m_Attr.m_nContourType = CResultDisplayAttr::kLines;
    ok.nResultId = m_tools.contour[0].resultId;
    const UINT generation = view->Renderer().ListGeneration();
    const size_t first = Frame().m_manager.m_entries.size();
    SendOk(ok);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kContourApply, CCmdRecord::kDone,
                                CCmdRecord::kApplyContour}),
              CodesSince(first));
    EXPECT_EQ(generation + 1, view->Renderer().ListGeneration());
    EXPECT_EQ(1, view->GetDisplayAttr().m_bReverseBand);
    EXPECT_EQ(CResultDisplayAttr::kLines, view->GetDisplayAttr().m_nContourType);
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
    EXPECT_EQ(0, m_tools.open) << "the dialog went with its command";

    // The dialog then posts Contour Settings: it opens on the new bands, nothing rebuilt.
    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    ASSERT_EQ(2u, m_tools.contour.size());
    EXPECT_EQ(1, m_tools.contour[1].attr.m_bReverseBand);
    EXPECT_EQ(generation + 1, view->Renderer().ListGeneration());
}

// Case 1 runs 0..10, case 2 0..20: a dialog opened on case 1 follows the view to case 2, and a
// record still made for case 1 takes case 2's range as it is applied.
TEST_F(SettingCommands, ContourSettingsFollowTheShownCaseAndKeepItsRange)
{
    CWendraView* view = ShowResult(m_contourId, 200, 200);
    ASSERT_NE(nullptr, view);
    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    ASSERT_EQ(1u, m_tools.contour.size());
    const ScriptedTools::Contour opened = m_tools.contour[0];
    EXPECT_EQ(10.0, opened.attr.m_viewMax);

    const int second = static_cast<int>(MakeLoadCaseKey(1, kScalarType, 2));
    view->DisplayResultView(second, view->Renderer().ResultComponent(), 2, FALSE);
    ASSERT_EQ(20.0, view->GetDisplayAttr().m_viewMax) << "the case shows its own range";
    ASSERT_EQ(1u, m_tools.refreshed.size()) << "the open dialog follows";
    EXPECT_EQ(second, m_tools.refreshed[0].resultId);
    EXPECT_EQ(20.0, m_tools.refreshed[0].attr.m_dataMax);
    EXPECT_EQ(20.0, m_tools.refreshed[0].attr.m_viewMax);
    EXPECT_EQ(1, m_tools.open);
    // Showing the same case again is no change to follow.
    view->DisplayResultView(second, view->Renderer().ResultComponent(), 2, FALSE);
    EXPECT_EQ(1u, m_tools.refreshed.size());

    struct Case
    {
        const char* what;
        bool isAnimating;
        double viewMax;
    };
    const Case cases[] = {{"a record of case 1", false, 20.0},
                          {"a record of case 1 while an animation plays", true, 10.0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        view->Animation().SetAnimating(c.isAnimating);
        CContourSettingRecord stale;
        stale.nCode = CCmdRecord::kApplyContour;
        stale.m_Attr = opened.attr;
        stale.m_Attr.SetReverseBand(true);
        stale.nResultId = opened.resultId;
        Frame().m_manager.m_nFrameKey = view->FrameKey();
        Frame().m_manager.ExecuteCommand(&stale);
        EXPECT_EQ(c.viewMax, view->GetDisplayAttr().m_viewMax);
        EXPECT_EQ(c.viewMax, view->GetDisplayAttr().m_dataMax);
        EXPECT_EQ(1, view->GetDisplayAttr().m_bReverseBand) << "the record's other settings stay";
        view->Animation().SetAnimating(false);
    }
}

TEST_F(SettingCommands, APlayingAnimationStopsBeforeTheSettingsAreTaken)
{
    CWendraView* view = ShowResult(m_contourId, 200, 200);
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_PLAY);
    ASSERT_TRUE(view->Animation().IsAnimating());
    const UINT generation = view->Renderer().ListGeneration();
    Command(view, ID_RESULT_CONTOUR_SETTINGS);
    EXPECT_FALSE(view->Animation().IsAnimating());
    EXPECT_FALSE(::KillTimer(view->GetSafeHwnd(), CCAEView::kAnimationTimer))
        << "the timer stopped with it";
    EXPECT_EQ(generation, view->Renderer().ListGeneration());
    ASSERT_EQ(1u, m_tools.contour.size());
    EXPECT_EQ(view->GetDisplayAttr().m_dataMax, m_tools.contour[0].attr.m_dataMax);

    // Made by the manager while an animation plays: default bands, the view's result.
    view->Animation().SetAnimating(true);
    CCmdRecord record;
    std::unique_ptr<CCmdColl> made(CCmdCollContourSetting::Make(record, view->FrameKey(), view));
    const auto& seeded = static_cast<CCmdCollContourSetting&>(*made);
    EXPECT_EQ(CResultDisplayAttr().m_dataMax, seeded.m_Attr.m_dataMax);
    EXPECT_NE(view->GetDisplayAttr().m_dataMax, seeded.m_Attr.m_dataMax);
    EXPECT_EQ(static_cast<int>(m_contourId), seeded.m_nResultId);
    view->Animation().SetAnimating(false);
}

TEST_F(SettingCommands, VectorSettingsEditTheShownResultAndOkAppliesEveryEntry)
{
    const UINT first = AddVectors(2);
    const UINT second = AddVectors(3);
    CWendraView* view = ShowVectors(first);
    ASSERT_NE(nullptr, view);
    // A second vector result shown in the same view files its own settings beside the first.
    view->DisplayResultView(static_cast<int>(second), 0, 2, FALSE);
    view->DisplayResultView(static_cast<int>(first), 0, 2, FALSE);
    ASSERT_EQ(2, view->Scene().VectorPlots().GetCount());
    EXPECT_EQ(0, QueryUpdate(view, ID_RESULT_CONTOUR_SETTINGS).enabled);
    EXPECT_EQ(1, QueryUpdate(view, ID_RESULT_VECTOR_SETTINGS).enabled);

    Command(view, ID_RESULT_VECTOR_SETTINGS);
    EXPECT_EQ("MsgPane/VectorResult", Frame().m_statusKeys.back());
    EXPECT_EQ(0, Frame().m_manager.m_entries.back().keepRunning);
    ASSERT_EQ(1u, m_tools.vector.size());
    const ScriptedTools::Vector& opened = m_tools.vector[0];
    EXPECT_EQ(static_cast<int>(first), opened.resultId) << "the result shown";
    EXPECT_EQ(2u, opened.stored.size());
    EXPECT_EQ(view->FrameKey(), opened.frameKey);

    CVectorSettingRecord ok;
    for (const auto& [key, attr] : opened.stored)
    {
        CVectorDisplayAttr changed = attr;
        changed.SetThickness(key == static_cast<int>(first) ? 5 : 2);
        ok.m_Settings.SetAt(key, changed);
    }
    // A result the view has no settings for is not added to it.
    ok.m_Settings.SetAt(4242, CVectorDisplayAttr());
    const UINT generation = view->Renderer().ListGeneration();
    const size_t from = Frame().m_manager.m_entries.size();
    SendOk(ok);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kVectorApply, CCmdRecord::kDone,
                                CCmdRecord::kApplyVector}),
              CodesSince(from));
    EXPECT_EQ(generation + 1, view->Renderer().ListGeneration());
    EXPECT_EQ(5, view->Scene().VectorPlots().Find(static_cast<int>(first))->m_attr.GetThickness());
    EXPECT_EQ(2, view->Scene().VectorPlots().Find(static_cast<int>(second))->m_attr.GetThickness());
    EXPECT_EQ(nullptr, view->Scene().VectorPlots().Find(4242));
    EXPECT_EQ(0, m_tools.open);
}

TEST_F(SettingCommands, CancelEndsTheCommandAndChangesNothing)
{
    CWendraView* vectors = ShowVectors(AddVectors(2));
    CWendraView* contour = ShowResult(m_contourId, 200, 200);
    ASSERT_TRUE(vectors != nullptr && contour != nullptr);
    const std::pair<CWendraView*, UINT> kCases[] = {{vectors, ID_RESULT_VECTOR_SETTINGS},
                                                    {contour, ID_RESULT_CONTOUR_SETTINGS}};
    for (const auto& [view, command] : kCases)
    {
        SCOPED_TRACE(command);
        const UINT generation = view->Renderer().ListGeneration();
        Command(view, command);
        ASSERT_NE(nullptr, Frame().m_manager.GetRunningCommand());
        EXPECT_EQ(1, m_tools.open);
        const size_t from = Frame().m_manager.m_entries.size();
        CCmdRecord cancel;
        cancel.nCode = CCmdRecord::kDialogCancel;
        Frame().m_manager.ExecuteCommand(&cancel);
        EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogCancel, CCmdRecord::kEndCommand}),
                  CodesSince(from));
        EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
        EXPECT_EQ(0, m_tools.open);
        EXPECT_EQ(generation, view->Renderer().ListGeneration());
    }
}
