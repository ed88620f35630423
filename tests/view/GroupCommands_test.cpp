// The Group menu of the view and the group commands, with the group dialog scripted: Create
// starts code 615 for the view's frame, Edit and Delete open the list of groups for it, all
// enabled only while the model has elements; the create and edit commands bring picks to the
// dialog and hand its answer on.
#include "ViewTestFrame.h"
#include "core/display/EntityKinds.h"
#include "core/model/GroupSet.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "view/CmdRecord.h"
#include "view/QueryTools.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace view_window_test;

namespace
{
// Records what the commands ask of the group dialog and of the group list.
class ScriptedGroupTools : public CQueryTools
{
public:
    class Dialog : public CGroupDialog
    {
    public:
        explicit Dialog(ScriptedGroupTools& tools)
            : m_tools(tools)
        {
        }
        ~Dialog() override { m_tools.m_log.push_back("gone"); }
        bool Open(bool isEdit, int groupId) override
        {
            m_tools.m_log.push_back((isEdit ? "edit " : "create ") + std::to_string(groupId));
            return true;
        }
        void AddElements(const CEntityArray& picked) override
        {
            m_tools.m_log.push_back("add " + std::to_string(picked.GetSize()));
        }
        void ShowAgain() override { m_tools.m_log.push_back("show"); }
        void Close() override { m_tools.m_log.push_back("close"); }

    private:
        ScriptedGroupTools& m_tools;
    };

    std::unique_ptr<CSelectionDecision> CreateSelectionDecision(CCAEView*) override
    {
        return nullptr;
    }
    void RunSelectionById(CCAEView*, int) override {}
    std::unique_ptr<CGroupDialog> CreateGroupDialog(int frameKey) override
    {
        m_dialogKeys.push_back(frameKey);
        return std::make_unique<Dialog>(*this);
    }
    void OpenGroupList(int frameKey, bool isEdit) override
    {
        m_log.push_back(std::string(isEdit ? "list edit " : "list delete ") +
                        std::to_string(frameKey));
    }

    std::vector<std::string> m_log;
    std::vector<int> m_dialogKeys;
};

class GroupCommands : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_previous = InstallQueryTools(&m_tools);
    }
    void TearDown() override
    {
        CCmdRecord end;
        end.nCode = CCmdRecord::kEndCommand;
        end.bKeepRunning = 0;
        Frame().m_manager.ExecuteCommand(&end);
        InstallQueryTools(m_previous);
        ViewFixture::TearDown();
    }
    std::vector<int> Codes()
    {
        std::vector<int> codes;
        for (const auto& entry : Frame().m_manager.m_entries)
            codes.push_back(entry.code);
        Frame().m_manager.m_entries.clear();
        return codes;
    }
    std::vector<std::string> Log() { return std::exchange(m_tools.m_log, {}); }
    void AddTwoQuads()
    {
        for (int i = 1; i <= 6; ++i)
            AddTestNode(Model(), i, (i - 1) % 3, (i - 1) / 3, 0);
        AddQuad(Model(), 1, 1, 2, 5, 4);
        AddQuad(Model(), 2, 2, 3, 6, 5);
        Model().BuildElementFaces();
    }

    ScriptedGroupTools m_tools;
    CQueryTools* m_previous = nullptr;
};
} // namespace

TEST_F(GroupCommands, EnabledOnlyWhileTheModelHasElements)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    for (const UINT id : {ID_GROUP_CREATE, ID_GROUP_EDIT, ID_GROUP_DELETE})
        EXPECT_EQ(0, QueryUpdate(view, id).enabled) << id;
    AddTestNode(Model(), 1, 0, 0, 0);
    EXPECT_EQ(0, QueryUpdate(view, ID_GROUP_EDIT).enabled) << "nodes alone";
    AddTestNode(Model(), 2, 1, 0, 0);
    AddTestElement(Model(), 1, kTagBeam, 21, {1, 2});
    for (const UINT id : {ID_GROUP_CREATE, ID_GROUP_EDIT, ID_GROUP_DELETE})
        EXPECT_EQ(1, QueryUpdate(view, id).enabled) << id;
}

TEST_F(GroupCommands, MenuStartsTheCommandOrTheListForTheViewsFrame)
{
    AddTwoQuads();
    OpenView();
    CWendraView* view = OpenView(); // the second frame
    ASSERT_NE(nullptr, view);
    Codes();
    Command(view, ID_GROUP_CREATE);
    ASSERT_EQ(1u, Frame().m_manager.m_entries.size());
    const auto entry = Frame().m_manager.m_entries[0];
    EXPECT_EQ(CCmdRecord::kGroupCreate, entry.code);
    EXPECT_EQ(0, entry.keepRunning);
    EXPECT_EQ(view->FrameKey(), entry.frameKey);
    EXPECT_EQ(std::vector<int>{view->FrameKey()}, m_tools.m_dialogKeys);
    EXPECT_EQ(std::vector<std::string>{"create 0"}, Log());

    Command(view, ID_GROUP_EDIT);
    Command(view, ID_GROUP_DELETE);
    const std::string key = std::to_string(view->FrameKey());
    EXPECT_EQ((std::vector<std::string>{"list edit " + key, "list delete " + key}), Log());
}

TEST_F(GroupCommands, PicksReachTheDialogAndItsAnswerGoesToTheApplyCommand)
{
    AddTwoQuads();
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Command(view, ID_GROUP_CREATE);
    Log();
    Codes();

    // A pick brings its elements; a cancelled one only shows the dialog again.
    CPickRequestRecord request;
    request.nAllowedKinds = kKindShell;
    request.nInitialFilter = kKindShell;
    Frame().m_manager.m_nFrameKey = view->FrameKey();
    Frame().m_manager.ExecuteCommand(&request);
    CEntityArray picked;
    picked.Add(Model().FindElement(1));
    picked.Add(Model().FindElement(2));
    view->AddPickedEntity(picked);
    view->CommitSelection(CCAEView::kDecision);
    Frame().m_manager.ExecuteCommand(&request);
    view->CommitSelection(CCAEView::kAbort);
    EXPECT_EQ((std::vector<std::string>{"add 2", "show"}), Log());

    CGroupRecord answer;
    answer.nCode = CCmdRecord::kDialogOk;
    answer.nGroupId = 7;
    answer.m_strName = "Pair";
    answer.m_Ids.Add(1);
    answer.m_Ids.Add(2);
    Codes();
    Frame().m_manager.ExecuteCommand(&answer);
    fw::test::Pump();
    const CGroupSet* group = Model().LookupGroup(7);
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(CString("Pair"), group->GetName());
    EXPECT_EQ(2, group->GetShells().GetCount());
    EXPECT_EQ(
        (std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kGroupCreateApply, CCmdRecord::kDone,
                          CCmdRecord::kPostCommand, CCmdRecord::kGroupCreate}),
        Codes())
        << "the group is made and the tool starts again";
    EXPECT_EQ((std::vector<std::string>{"close", "gone", "create 0"}), Log());
}

TEST_F(GroupCommands, CancelEndsCreateAndReopensTheListAfterAnEdit)
{
    AddTwoQuads();
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Command(view, ID_GROUP_CREATE);
    Codes();
    Log();
    CCmdRecord cancel;
    cancel.nCode = CCmdRecord::kDialogCancel;
    Frame().m_manager.ExecuteCommand(&cancel);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogCancel, CCmdRecord::kEndCommand}), Codes());
    EXPECT_EQ((std::vector<std::string>{"close", "gone"}), Log());

    CGroupRecord edit;
    edit.nCode = CCmdRecord::kGroupEdit;
    edit.bKeepRunning = 0;
    edit.nGroupId = 3;
    Frame().m_manager.m_nFrameKey = view->FrameKey();
    Frame().m_manager.ExecuteCommand(&edit);
    EXPECT_EQ(std::vector<std::string>{"edit 3"}, Log());
    Codes();
    Frame().m_manager.ExecuteCommand(&cancel);
    fw::test::Pump();
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogCancel, CCmdRecord::kEndCommand,
                                CCmdRecord::kPostCommand}),
              Codes());
    EXPECT_EQ((std::vector<std::string>{"close", "gone",
                                        "list edit " + std::to_string(view->FrameKey())}),
              Log());
}
