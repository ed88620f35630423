// Command records and the command manager: record defaults, the life of command objects
// (created, started, suspended for a selection, resumed, forwarded to, deleted), commands that
// end themselves from their own operations, and the codes that act on the active view.
#include "CommandProbes.h"
#include "ViewTestFrame.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "view/CmdCollSelection.h"

#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
using Events = std::vector<std::string>;

class CmdManagerTest : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_view = OpenView();
        ASSERT_NE(nullptr, m_view);
        // Codes 513 and 514 make probes A and B.
        Manager().m_create = [this](const CCmdRecord& record) -> CCmdColl*
        {
            if (record.nCode != CCmdRecord::kModelInfo &&
                record.nCode != CCmdRecord::kResultListNodal)
                return nullptr;
            auto* probe =
                new ProbeCommand(m_log, record.nCode == CCmdRecord::kModelInfo ? "A" : "B");
            if (m_prepare)
                m_prepare(*probe);
            return probe;
        };
    }
    void TearDown() override
    {
        Manager().m_create = nullptr;
        ViewFixture::TearDown();
    }

    RecordingCmdManager& Manager() { return Frame().m_manager; }

    // A record from the view, as a view sends it.
    void Send(CCmdRecord& record)
    {
        Manager().m_nFrameKey = m_view->FrameKey();
        Manager().ExecuteCommand(&record);
    }
    void Send(int code, BYTE keepRunning = 1)
    {
        CCmdRecord record;
        record.nCode = code;
        record.bKeepRunning = keepRunning;
        Send(record);
    }
    // Starts probe A asking for a selection of nodes.
    void StartSelectingA()
    {
        m_prepare = [](ProbeCommand& probe)
        {
            probe.m_request = std::make_unique<CPickRequestRecord>();
            probe.m_request->nAllowedKinds = kKindNode;
        };
        Send(CCmdRecord::kModelInfo, 0);
        m_prepare = nullptr;
    }
    bool IsSelectionRunning()
    {
        return dynamic_cast<CCmdCollSelection*>(Manager().GetRunningCommand()) != nullptr;
    }

    CWendraView* m_view = nullptr;
    ProbeLog m_log;
    std::function<void(ProbeCommand&)> m_prepare;
};

// A manager whose suspended stack a test can fill.
struct StackingManager : CCmdManager
{
    using CCmdManager::CCmdManager;
    using CCmdManager::PushCommand;
};

struct EndCase
{
    const char* name;
    BYTE ok;
    BYTE cancel;
    const char* event; // what reaches A, or null
};
} // namespace

TEST(CmdRecord, DefaultsOfTheRecords)
{
    const CCmdRecord plain;
    EXPECT_EQ(nullptr, plain.pData);
    EXPECT_EQ(-1, plain.nCode);
    EXPECT_EQ(1, plain.bKeepRunning);
    const CPickRequestRecord request;
    EXPECT_EQ(CCmdRecord::kPickRequest, request.nCode);
    EXPECT_EQ(1, request.bAreaSelect);
    EXPECT_EQ(-1, request.nMaxPicks);
    EXPECT_EQ(1, request.nMinPicks);
    EXPECT_EQ(0, request.nAllowedKinds);
    EXPECT_EQ(0, request.nInitialFilter);
    EXPECT_EQ(2, request.nPickOrder);
    const CSelectionRecord selection;
    EXPECT_EQ(600, selection.nCode);
    EXPECT_EQ(0, selection.bOk);
    EXPECT_EQ(0, selection.bCancel);
    EXPECT_TRUE(selection.m_Entities.IsEmpty());
    const CPostCommandRecord post;
    EXPECT_EQ(12, post.nCode);
    EXPECT_EQ(1, post.bKeepRunning);
    EXPECT_EQ(0, post.nCommandId);
    const CResultGraphRecord graph;
    EXPECT_EQ(-1, graph.nResultId);
    EXPECT_EQ(-1, graph.nComponent);
    const CVectorSettingRecord vectors;
    EXPECT_EQ(10u, vectors.m_Settings.GetHashTableSize());
    const CElementPropertyRecord properties;
    EXPECT_EQ(17u, properties.m_Properties.GetHashTableSize());
}

TEST_F(CmdManagerTest, CreatingCodeStartsItsCommandInPlaceOfTheRunningOne)
{
    Send(CCmdRecord::kModelInfo, 0);
    EXPECT_EQ((Events{"A start 513"}), m_log.events);
    Send(CCmdRecord::kResultListNodal, 0);
    EXPECT_EQ((Events{"A start 513", "A deleted", "B start 514"}), m_log.events);
    // A code whose command is not part of the program makes nothing and keeps B...
    Send(CCmdRecord::kEntityInfo);
    // ...unless it ends the running command first.
    EXPECT_NE(nullptr, Manager().GetRunningCommand());
    Send(CCmdRecord::kEntityInfo, 0);
    EXPECT_EQ(nullptr, Manager().GetRunningCommand());
    EXPECT_EQ("B deleted", m_log.events.back());
    EXPECT_STREQ("CCmdCollEntityInfo", CCmdManager::FindCreationEntry(511)->className);
    EXPECT_EQ(nullptr, CCmdManager::FindCreationEntry(516));
}

TEST_F(CmdManagerTest, SelectionSuspendsTheRequesterAndResumesIt)
{
    const EndCase cases[] = {{"ok", 1, 0, "A selection ok"},
                             {"cancel", 0, 1, "A selection cancel"},
                             {"neither", 0, 0, nullptr},
                             {"both", 1, 1, "A selection ok"}};
    for (const EndCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_log = ProbeLog();
        StartSelectingA();
        EXPECT_EQ(1u, Manager().GetSuspendedCount());
        EXPECT_TRUE(IsSelectionRunning());
        EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
        EXPECT_EQ(kKindNode, m_view->Selection().AllowedKinds());

        CSelectionRecord end;
        end.bOk = c.ok;
        end.bCancel = c.cancel;
        Send(end);
        EXPECT_EQ(0u, Manager().GetSuspendedCount());
        ASSERT_NE(nullptr, dynamic_cast<ProbeCommand*>(Manager().GetRunningCommand()));
        EXPECT_EQ(c.event ? std::string(c.event) : std::string("A start 513"), m_log.events.back());
    }
}

TEST_F(CmdManagerTest, EndingEverythingDeletesSuspendedCommandsAndClearsTheSelection)
{
    StartSelectingA();
    ASSERT_EQ(1, m_view->ViewSelection().IsSelecting());
    // A tool started from the menus: every command ends first.
    Send(CCmdRecord::kResultListNodal, 0);
    EXPECT_EQ((Events{"A start 513", "A deleted", "B start 514"}), m_log.events);
    EXPECT_EQ(0u, Manager().GetSuspendedCount());
    EXPECT_EQ(0, m_view->ViewSelection().IsSelecting());

    // Code 13 with nothing running only clears the view's selection.
    Send(CCmdRecord::kEndCommand);
    CPickRequestRecord request;
    m_view->ResetSelection(request);
    Send(CCmdRecord::kEndCommand);
    EXPECT_EQ(0, m_view->ViewSelection().IsSelecting());
    EXPECT_EQ(nullptr, Manager().GetRunningCommand());
}

TEST_F(CmdManagerTest, SelectionEndWithoutASuspendedCommandOnlyEndsTheSelectionCommand)
{
    CPickRequestRecord request;
    Send(request);
    EXPECT_TRUE(IsSelectionRunning());
    CSelectionRecord end;
    end.bOk = 1;
    Send(end);
    EXPECT_EQ(nullptr, Manager().GetRunningCommand());
}

TEST_F(CmdManagerTest, DialogCodesReachTheRunningCommandWithTheSendersRecord)
{
    Send(CCmdRecord::kDialogOk); // nothing runs: nothing happens
    Send(CCmdRecord::kModelInfo, 0);
    CContourSettingRecord contour;
    contour.nCode = CCmdRecord::kDialogOk;
    Send(contour);
    EXPECT_EQ(static_cast<const CCmdRecord*>(&contour), m_log.lastRecord);
    Send(CCmdRecord::kDialogCancel);
    Send(CCmdRecord::kDialogNotify);
    CEntityArray candidates;
    CCmdRecord pick;
    pick.nCode = CCmdRecord::kCandidates;
    pick.pData = &candidates;
    Send(pick);
    EXPECT_EQ(&pick, m_log.lastRecord);
    EXPECT_EQ(
        (Events{"A start 513", "A dialog ok", "A dialog cancel", "A dialog notify", "A start 11"}),
        m_log.events);
    // Codes outside the table change nothing.
    for (const int code : {7, 9, 509, 516, 650})
        Send(code);
    EXPECT_EQ(5u, m_log.events.size());
}

TEST_F(CmdManagerTest, DoneActsOnceAndDeletesTheCommandAndUndoChangesNothing)
{
    Send(CCmdRecord::kModelInfo, 0);
    Send(CCmdRecord::kDone);
    EXPECT_EQ((Events{"A start 513", "A do", "A deleted"}), m_log.events);
    EXPECT_EQ(nullptr, Manager().GetRunningCommand());
    EXPECT_FALSE(Manager().CanUndo());
    Send(CCmdRecord::kUndo);
    Send(CCmdRecord::kRedo);
    EXPECT_EQ(3u, m_log.events.size());
    EXPECT_EQ(0, QueryUpdate(m_view, ID_EDIT_UNDO).enabled);
    EXPECT_EQ(0, QueryUpdate(m_view, ID_EDIT_REDO).enabled);
}

TEST_F(CmdManagerTest, UndoableCommandsMoveBetweenTheLists)
{
    m_prepare = [](ProbeCommand& probe) { probe.m_bUndoable = 1; };
    Send(CCmdRecord::kModelInfo, 0);
    Send(CCmdRecord::kDone);
    EXPECT_TRUE(Manager().CanUndo());
    EXPECT_EQ(1, QueryUpdate(m_view, ID_EDIT_UNDO).enabled);
    Command(m_view, ID_EDIT_UNDO); // ends the running command, then undoes
    EXPECT_TRUE(Manager().CanRedo());
    Command(m_view, ID_EDIT_REDO);
    EXPECT_EQ((Events{"A start 513", "A do", "A undo", "A do"}), m_log.events);
    // A command that cannot be undone empties both lists.
    m_prepare = nullptr;
    Send(CCmdRecord::kResultListNodal, 0);
    Send(CCmdRecord::kDone);
    EXPECT_FALSE(Manager().CanUndo());
    EXPECT_EQ("A deleted", m_log.events.back());
}

TEST_F(CmdManagerTest, CommandsEndingThemselvesFromTheirOperationsTouchNothingFreed)
{
    // Freed commands are poisoned: a touch of one after its deletion fails.
    m_prepare = [](ProbeCommand& probe) { probe.m_codeOnDialogOk = CCmdRecord::kEndCommand; };
    Send(CCmdRecord::kModelInfo, 0);
    Send(CCmdRecord::kDialogOk);
    EXPECT_EQ((Events{"A start 513", "A dialog ok", "A deleted"}), m_log.events);

    // The resumed requester replaces itself from OnSelectionOk.
    m_log = ProbeLog();
    m_prepare = [](ProbeCommand& probe)
    {
        probe.m_request = std::make_unique<CPickRequestRecord>();
        probe.m_codeOnSelectionOk = CCmdRecord::kResultListNodal;
    };
    Send(CCmdRecord::kModelInfo, 0);
    m_prepare = nullptr;
    CSelectionRecord end;
    end.bOk = 1;
    Send(end);
    EXPECT_EQ((Events{"A start 513", "A selection ok", "A deleted", "B start 514"}), m_log.events);
    // Code 10 from the command's own dialog handler.
    m_log = ProbeLog();
    m_prepare = [](ProbeCommand& probe) { probe.m_codeOnDialogOk = CCmdRecord::kDone; };
    Send(CCmdRecord::kModelInfo, 0);
    Send(CCmdRecord::kDialogOk);
    EXPECT_EQ((Events{"B deleted", "A start 513", "A dialog ok", "A do", "A deleted"}),
              m_log.events);
}

TEST_F(CmdManagerTest, ManagerDeletesItsCommandsWhenItGoes)
{
    ProbeLog log;
    {
        StackingManager manager(&Frame());
        manager.m_nFrameKey = m_view->FrameKey();
        manager.PushCommand(new ProbeCommand(log, "S"));
        CPickRequestRecord request;
        manager.ExecuteCommand(&request);
        EXPECT_EQ(1u, manager.GetSuspendedCount());
    }
    EXPECT_EQ((Events{"S deleted"}), log.events);
}

TEST_F(CmdManagerTest, PostedCommandReachesTheActiveViewAsAnAccelerator)
{
    CPostCommandRecord post;
    post.nCommandId = ID_VIEW_PAN;
    post.bKeepRunning = 0;
    Send(post);
    EXPECT_EQ(0, g_nOperationMode) << "posted, not sent";
    MSG message = {};
    ASSERT_TRUE(::PeekMessage(&message, m_view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(MAKEWPARAM(ID_VIEW_PAN, 1), message.wParam);
    EXPECT_EQ(0, message.lParam);
    fw::test::Pump();
    EXPECT_EQ(kModePan, g_nOperationMode);
    m_view->SetOperationMode(kModeNone);
    fw::test::Pump();
}

TEST_F(CmdManagerTest, ContourAndVectorSettingsApplyToTheActiveView)
{
    m_view->Renderer().SetContourResultId(8); // a contour is shown: the view's own bands count
    CContourSettingRecord contour;
    contour.nCode = CCmdRecord::kApplyContour;
    contour.m_Attr.m_nBands = 7;
    m_view->Animation().SetAnimating(true);
    Send(contour);
    EXPECT_EQ(7, m_view->Scene().DisplayAttr().m_nBands) << "applied while the animation plays";
    m_view->Animation().SetAnimating(false);
    contour.m_Attr.m_nBands = 5;
    Send(contour);
    EXPECT_EQ(5, m_view->Scene().DisplayAttr().m_nBands);
    m_view->Renderer().SetContourResultId(-1);

    m_view->EditScene().EditVectorPlots().FindOrAdd(24)->m_attr.m_scaleFactor = 1.0;
    CVectorSettingRecord vectors;
    vectors.nCode = CCmdRecord::kApplyVector;
    CVectorDisplayAttr attr;
    attr.m_scaleFactor = 3.0;
    vectors.m_Settings.SetAt(24, attr);
    vectors.m_Settings.SetAt(40, attr);
    Send(vectors);
    EXPECT_EQ(3.0, m_view->Scene().VectorPlots().Find(24)->m_attr.m_scaleFactor);
    EXPECT_EQ(nullptr, m_view->Scene().VectorPlots().Find(40));
}
