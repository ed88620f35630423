// The view's tools that need no dialog, under Wine: the rotation centre and the way back to the
// model centre, element direction arrows, id labels, and the apply commands of groups and
// contour settings (what the manager then does with the attributes is its own test's).
#include "core/model/FEElement.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/view/ViewTestFrame.h"
#include "view/CmdRecord.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
constexpr std::array<int, 3> kGreen = {0, 255, 0};
constexpr std::array<int, 3> kBlue = {0, 0, 255};

// A quad of property 1 (red) at z = 0 from (10, 0) to (20, 10), nodes 1 to 4; a brick from
// (30, 0, 0) to (40, 10, 10), nodes 5 to 12.
class ViewTools : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        AddTestNode(Model(), 1, 10, 0, 0);
        AddTestNode(Model(), 2, 20, 0, 0);
        AddTestNode(Model(), 3, 20, 10, 0);
        AddTestNode(Model(), 4, 10, 10, 0);
        AddQuad(Model(), 1, 1, 2, 3, 4);
        for (int k = 0; k < 2; ++k)
        {
            AddTestNode(Model(), 5 + 4 * k, 30, 0, 10 * k);
            AddTestNode(Model(), 6 + 4 * k, 40, 0, 10 * k);
            AddTestNode(Model(), 7 + 4 * k, 40, 10, 10 * k);
            AddTestNode(Model(), 8 + 4 * k, 30, 10, 10 * k);
        }
        AddBrick(Model(), 2, {5, 6, 7, 8, 9, 10, 11, 12});
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        Model().AddPropertyColor(1);
        Model().LookupPropertyColor(1)->color = static_cast<int>(RGB(255, 0, 0));
        m_view = OpenView(300, 300);
        ASSERT_NE(nullptr, m_view);
        Command(m_view, ID_VIEW_AUTOSCALE);
        m_view->EditScene().SetColorMode(kColorByProperty);
        m_view->Renderer().RenderAll();
        Frame().m_manager.m_entries.clear();
    }
    void TearDown() override
    {
        CCmdRecord end;
        end.nCode = CCmdRecord::kEndCommand;
        end.bKeepRunning = 0;
        Frame().m_manager.ExecuteCommand(&end);
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
    void Pick(CModelEntity* entity)
    {
        CEntityArray picked;
        picked.Add(entity);
        m_view->AddPickedEntity(picked);
        if (m_view->ViewSelection().IsSelecting())
            m_view->CommitSelection(CCAEView::kDecision);
        fw::test::Pump();
    }
    CPoint3D WindowPoint(int nodeId)
    {
        m_view->MakeCurrent();
        return m_view->Device().ProjectToWindow(Model().GetNode(nodeId)->m_coord,
                                                &m_view->Camera(0));
    }
    void RotateByDrag()
    {
        Command(m_view, ID_VIEW_ROTATE3D);
        m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 150));
        m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, 165));
        m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 180));
        m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(190, 180));
        fw::test::Pump();
    }
    int CountColour(std::array<int, 3> colour)
    {
        DrawFrame(m_view);
        int count = 0;
        for (int y = 0; y < 300; y += 1)
        {
            for (int x = 0; x < 300; x += 1)
                count += ReadPixel(x, y, 300) == colour ? 1 : 0;
        }
        return count;
    }
    double Moved(int nodeId, const CPoint3D& before)
    {
        const CPoint3D now = WindowPoint(nodeId);
        return std::hypot(now.x - before.x, now.y - before.y);
    }

    CWendraView* m_view = nullptr;
};
} // namespace

TEST_F(ViewTools, PickedRotationCentreIsThePivotUntilModelCentredIsChosenAgain)
{
    // The model turns about its centre: node 1, a corner, moves.
    const CPoint3D corner = WindowPoint(1);
    RotateByDrag();
    EXPECT_GT(Moved(1, corner), 5.0);

    Command(m_view, ID_VIEW_ROTATION_CENTER);
    EXPECT_NE(0u, Frame().m_project->m_settings.m_displayFilter & kKindNode);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kRotationCenter, CCmdRecord::kPickRequest}), Codes());
    EXPECT_EQ(kKindNode, m_view->Selection().AllowedKinds());
    Pick(Model().GetNode(1));
    EXPECT_FALSE(m_view->ViewSelection().IsSelecting()) << "one node ends the pick";
    EXPECT_FALSE(m_view->IsModelCenteredRotation());

    // Now node 1 stays where it is on the screen while the rest turns about it.
    const CPoint3D pivot = WindowPoint(1);
    const CPoint3D other = WindowPoint(7);
    RotateByDrag();
    EXPECT_LT(Moved(1, pivot), 1.0);
    EXPECT_GT(Moved(7, other), 5.0);

    // The next use asks; Yes returns to the model centre without a pick.
    (*m_services)->messageBoxAnswers.push_back(IDYES);
    Codes();
    Command(m_view, ID_VIEW_ROTATION_CENTER);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION),
              (*m_services)->messageBoxes.back().type);
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(m_view->IsModelCenteredRotation());
    const CPoint3D again = WindowPoint(1);
    RotateByDrag();
    EXPECT_GT(Moved(1, again), 5.0);

    // No: pick another centre.
    m_view->SetModelCenteredRotation(false);
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(m_view, ID_VIEW_ROTATION_CENTER);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kRotationCenter, CCmdRecord::kPickRequest}), Codes());
    m_view->CommitSelection(CCAEView::kAbort);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kSelectionEnded, CCmdRecord::kEndCommand}), Codes());
}

TEST_F(ViewTools, ElementDirectionDrawsArrowsAndStartsAgain)
{
    m_view->Camera(0).SetRotationAngles(CPoint3D(-60, 0, 30));
    m_view->Renderer().RenderAll();
    // The reference triad has a green and a blue axis of its own.
    const int triadGreen = CountColour(kGreen);
    const int triadBlue = CountColour(kBlue);
    Command(m_view, ID_INFO_ELEMENT_DIRECTION);
    EXPECT_EQ(kKindShell, m_view->Selection().AllowedKinds());
    Pick(Model().FindElement(1));
    EXPECT_EQ((std::vector<int>{CCmdRecord::kElementDirection, CCmdRecord::kPickRequest,
                                CCmdRecord::kSelectionEnded, CCmdRecord::kPostCommand,
                                CCmdRecord::kElementDirection, CCmdRecord::kPickRequest}),
              Codes());
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting()) << "waiting for the next shells";
    const int shellGreen = CountColour(kGreen);
    EXPECT_GT(shellGreen, triadGreen + 10) << "the shell's normal";
    EXPECT_EQ(triadBlue, CountColour(kBlue));

    Pick(Model().FindElement(2));
    EXPECT_GT(CountColour(kGreen), triadGreen + 10);
    EXPECT_GT(CountColour(kBlue), triadBlue + 10) << "a brick's second arrow";
}

TEST_F(ViewTools, IdLabelToolsLabelOnlyTheirKindAndStartAgain)
{
    Command(m_view, ID_INFO_ELEMENT_ID);
    Pick(Model().FindElement(1));
    EXPECT_EQ(1, m_view->Scene().ElementIdMode());
    EXPECT_EQ(0, m_view->Scene().NodeIdMode());
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());
    const std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kPostCommand, CCmdRecord::kElementIdLabel,
                                CCmdRecord::kPickRequest}),
              std::vector<int>(codes.end() - 3, codes.end()));

    Frame().m_project->m_settings.m_displayFilter &= ~static_cast<DWORD>(kKindNode);
    Command(m_view, ID_INFO_NODE_ID);
    EXPECT_NE(0u, Frame().m_project->m_settings.m_displayFilter & kKindNode);
    Pick(Model().GetNode(3));
    EXPECT_EQ(1, m_view->Scene().NodeIdMode());
    m_view->CommitSelection(CCAEView::kAbort);
    EXPECT_NE(0u, Frame().m_project->m_settings.m_displayFilter & kKindNode)
        << "nodes stay shown after the tool";
}

TEST_F(ViewTools, GroupApplyCommandsCreateFillEditAndDeleteButNeverTheDefaultGroup)
{
    auto send = [this](int code, int groupId, std::initializer_list<int> ids, const char* name)
    {
        CGroupRecord record;
        record.nCode = code;
        record.bKeepRunning = 0;
        record.nGroupId = groupId;
        record.m_strName = name;
        for (const int id : ids)
            record.m_Ids.Add(id);
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        Frame().m_manager.ExecuteCommand(&record);
        fw::test::Pump();
    };
    send(CCmdRecord::kGroupCreateApply, 3, {1, 99}, "Plate");
    CGroupSet* group = Model().LookupGroup(3);
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(CString("Plate"), group->GetName());
    EXPECT_EQ(1, group->GetShells().GetCount()) << "an unknown element is skipped";
    int shown = 0;
    EXPECT_TRUE(m_view->ElementFilter().Groups().Lookup(3, shown));
    EXPECT_EQ(1, shown);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kGroupCreateApply, CCmdRecord::kDone,
                                CCmdRecord::kPostCommand, CCmdRecord::kGroupCreate}),
              Codes())
        << "the view starts Group Create again";
    EXPECT_FALSE(Frame().m_manager.CanUndo());

    send(CCmdRecord::kGroupCreateApply, 3, {2}, "Plate");
    EXPECT_EQ(group, Model().LookupGroup(3)) << "an existing id is filled, not made twice";
    EXPECT_EQ(1, group->GetSolids().GetCount());
    EXPECT_EQ(1, group->GetShells().GetCount());

    send(CCmdRecord::kGroupEditApply, 3, {2}, "Block");
    EXPECT_EQ(CString("Block"), group->GetName());
    EXPECT_EQ(0, group->GetShells().GetCount());
    EXPECT_EQ(1, group->GetSolids().GetCount());

    const CString defaultName = Model().GetDefaultGroup()->GetName();
    send(CCmdRecord::kGroupEditApply, 0, {}, "Renamed");
    send(CCmdRecord::kGroupDelete, 0, {}, "");
    EXPECT_EQ(defaultName, Model().GetDefaultGroup()->GetName());
    EXPECT_EQ(1, Model().GetDefaultGroup()->GetShells().GetCount());
    EXPECT_NE(nullptr, Model().LookupGroup(0));

    Codes();
    send(CCmdRecord::kGroupDelete, 42, {}, "");
    EXPECT_EQ(
        (std::vector<int>{CCmdRecord::kGroupDelete, CCmdRecord::kDone, CCmdRecord::kPostCommand}),
        Codes())
        << "an unknown group changes nothing and the tool starts again";
    send(CCmdRecord::kGroupDelete, 3, {}, "");
    EXPECT_EQ(nullptr, Model().LookupGroup(3));
}

TEST_F(ViewTools, ContourApplyReachesTheViewAndLeavesNothingToUndo)
{
    CContourSettingRecord record;
    record.nCode = CCmdRecord::kContourApply;
    record.bKeepRunning = 0;
    record.m_Attr.m_nBands = 7;
    Frame().m_manager.m_nFrameKey = m_view->FrameKey();
    Frame().m_manager.ExecuteCommand(&record);
    EXPECT_EQ(
        (std::vector<int>{CCmdRecord::kContourApply, CCmdRecord::kDone, CCmdRecord::kApplyContour}),
        Codes());
    EXPECT_FALSE(Frame().m_manager.CanUndo());
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}
