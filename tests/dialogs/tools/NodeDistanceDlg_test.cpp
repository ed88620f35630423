// Node distance under Wine: the two points and their distance in the dialog and the output log,
// the tool waiting for the next two nodes after Close, and Escape ending it.
#include "dialogs/tools/NodeDistanceDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
class NodeDistance : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        AddTestNode(Model(), 1, 0, 0, 0);
        AddTestNode(Model(), 2, 3, 4, 0);
        AddTestNode(Model(), 3, 1.5, 0, 0);
        AddTestNode(Model(), 4, 1.5, 0, 0);
        AddQuad(Model(), 1, 1, 3, 2, 4);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        Frame().m_outputLines.clear();
        TakeCodes();
    }
};
} // namespace

TEST_F(NodeDistance, ShowsBothPointsAndTheirDistance)
{
    Menu(ID_INFO_ENTITY_DISTANCE);
    EXPECT_NE(0u, Frame().m_project->m_settings.m_displayFilter & kKindNode)
        << "nodes are drawn so that they can be picked";
    EXPECT_EQ(kKindNode, m_view->Selection().AllowedKinds());
    Pick({Node(1), Node(2)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Node Distance", Caption(dialog));
    EXPECT_EQ("Close", ControlText(dialog, IDOK));
    EXPECT_EQ(" \r\nStart point {0.000000,0.000000,0.000000}\r\n\r\n"
              "\r\nEnd point {3.000000,4.000000,0.000000}\r\n\r\n"
              "\r\nDistance 5.000000",
              ControlText(dialog, IDC_NODEDIST_RESULT));
    EXPECT_EQ(
        (std::vector<std::string>{"Start point {0.000000,0.000000,0.000000}",
                                  "End point {3.000000,4.000000,0.000000}", "Distance 5.000000"}),
        Frame().m_outputLines);
}

TEST_F(NodeDistance, NodesAtOnePlaceAreZeroApartWithSixDecimals)
{
    Menu(ID_INFO_ENTITY_DISTANCE);
    Pick({Node(3), Node(4)});
    ASSERT_EQ(3u, Frame().m_outputLines.size());
    EXPECT_EQ("Start point {1.500000,0.000000,0.000000}", Frame().m_outputLines[0]);
    EXPECT_EQ("Distance 0.000000", Frame().m_outputLines[2]);
}

TEST_F(NodeDistance, CloseWaitsForTheNextTwoNodesAndEscapeEndsTheTool)
{
    Menu(ID_INFO_ENTITY_DISTANCE);
    // One node cannot end the selection: Enter waits for the second.
    CEntityArray one;
    one.Add(Node(1));
    m_view->AddPickedEntity(one);
    m_view->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());
    EXPECT_TRUE(VisibleDialogs().empty());
    Pick({Node(2)});
    HWND dialog = OnlyDialog();
    TakeCodes();
    Click(dialog, IDOK);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kPostCommand,
                                CCmdRecord::kEntityDistance, CCmdRecord::kPickRequest}),
              TakeCodes());
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());

    Pick({Node(1), Node(2)});
    dialog = OnlyDialog();
    TakeCodes();
    CloseBox(dialog);
    EXPECT_EQ(CCmdRecord::kDialogOk, TakeCodes().at(0));
    Pick({Node(1), Node(2)});
    dialog = OnlyDialog();
    TakeCodes();
    Escape(dialog);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kEndCommand}, TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_FALSE(m_view->ViewSelection().IsSelecting());
}
