// Entity Information under Wine: the lines of elements and nodes, stepping with Previous and
// Next and the highlight that follows, what OK and Escape report, and a dialog whose view has
// gone.
#include "dialogs/tools/EntityInfoDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
using Lines = std::vector<std::string>;

constexpr std::array<int, 3> kPickedRed = {255, 0, 0};

class EntityInfo : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        BuildInfoModel();
        TakeCodes();
    }

    // The frame's pixel where the point shows.
    std::array<int, 3> PixelAt(const CPoint3D& point)
    {
        DrawFrame(m_view);
        const CPoint3D p = m_view->Device().ProjectToWindow(point, &m_view->Camera(0));
        CRect client;
        m_view->GetClientRect(&client);
        return view_window_test::ReadPixel(static_cast<int>(p.x + 0.5), static_cast<int>(p.y + 0.5),
                                           client.Height());
    }
    // The entities of the view's selection map.
    std::vector<CModelEntity*> Highlighted() const
    {
        std::vector<CModelEntity*> entities;
        POSITION pos = m_view->Selection().Picked().GetStartPosition();
        while (pos != nullptr)
        {
            CModelEntity* entity = nullptr;
            int flag = 0;
            m_view->Selection().Picked().GetNextAssoc(pos, entity, flag);
            entities.push_back(entity);
        }
        return entities;
    }
};
} // namespace

TEST_F(EntityInfo, StepsThroughThePickedEntitiesHighlightingEachAlone)
{
    Menu(ID_INFO_ENTITY);
    Pick({Element(1), Element(4), Node(8)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Entity Information", Caption(dialog));
    EXPECT_EQ("Previous", ControlText(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_EQ("Next", ControlText(dialog, IDC_TOOL_NEXT));

    EXPECT_FALSE(IsEnabled(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_TRUE(IsEnabled(dialog, IDC_TOOL_NEXT));
    EXPECT_EQ((Lines{"ID : 1", " ", "Entity type : Beam", " ", "Element type : Beam", " ",
                     "Length, area or volume : 2.000000", " ", "Property id : 1", " ",
                     "Material ID : 1", " ", "Grid IDs : 1 ,5 "}),
              ListLines(dialog, IDC_INFO_LIST));
    EXPECT_EQ(std::vector<CModelEntity*>{Element(1)}, Highlighted());

    Click(dialog, IDC_TOOL_NEXT);
    EXPECT_TRUE(IsEnabled(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_TRUE(IsEnabled(dialog, IDC_TOOL_NEXT));
    EXPECT_EQ((Lines{"ID : 4", " ", "Entity type : Shell", " ", "Element type : Triangle", " ",
                     "Length, area or volume : 1.500000", " ", "Property id : 7", " ",
                     "Material ID : 3", " ", "Grid IDs : 1 ,2 ,3 "}),
              ListLines(dialog, IDC_INFO_LIST));
    EXPECT_EQ(std::vector<CModelEntity*>{Element(4)}, Highlighted());
    EXPECT_EQ(kPickedRed, PixelAt(CPoint3D(0, 0.5, 0))) << "an edge of the shell alone";

    Click(dialog, IDC_TOOL_NEXT);
    EXPECT_TRUE(IsEnabled(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_FALSE(IsEnabled(dialog, IDC_TOOL_NEXT));
    EXPECT_EQ((Lines{"ID : 8", " ", "Entity type : Grid", " ", "Element IDs : 6 ", " ",
                     "{ X, Y, Z } = {   3.00,   1.00,   2.00 }"}),
              ListLines(dialog, IDC_INFO_LIST));
    EXPECT_EQ(std::vector<CModelEntity*>{Node(8)}, Highlighted());
    EXPECT_EQ(kPickedRed, PixelAt(CPoint3D(3, 1, 2)));
    EXPECT_NE(kPickedRed, PixelAt(CPoint3D(0, 0.5, 0))) << "the shell's highlight went";

    Click(dialog, IDC_TOOL_PREVIOUS);
    Click(dialog, IDC_TOOL_PREVIOUS);
    EXPECT_FALSE(IsEnabled(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_TRUE(IsEnabled(dialog, IDC_TOOL_NEXT));
    EXPECT_EQ(std::vector<CModelEntity*>{Element(1)}, Highlighted());
}

TEST_F(EntityInfo, LongNodeListsWrapAndUnknownKindsShowDashes)
{
    AddTestElement(Model(), 7, kTagSolid, 999, {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4});
    AddTestNode(Model(), 9, 1.5, -2, 1000);
    Menu(ID_INFO_ENTITY);
    Pick({Element(7), Element(6), Node(9)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    const Lines solid = ListLines(dialog, IDC_INFO_LIST);
    ASSERT_EQ(15u, solid.size());
    EXPECT_EQ("Element type :   ---\t", solid[4]);
    EXPECT_EQ((Lines{"Grid IDs : 1 ,2 ,3 ,4 ,5 ,", "6 ,7 ,8 ,1 ,2 ,", "3 ,4 "}),
              Lines(solid.begin() + 12, solid.end()));

    Click(dialog, IDC_TOOL_NEXT);
    const Lines mass = ListLines(dialog, IDC_INFO_LIST);
    ASSERT_GE(mass.size(), 7u);
    EXPECT_EQ("Entity type : Mass", mass[2]);
    EXPECT_EQ("Element type : Mass", mass[4]);
    EXPECT_EQ("Length, area or volume : 0.000000", mass[6]);

    Click(dialog, IDC_TOOL_NEXT);
    EXPECT_EQ("{ X, Y, Z } = {   1.50,  -2.00, 1000.00 }", ListLines(dialog, IDC_INFO_LIST).back());
}

TEST_F(EntityInfo, OneEntityDisablesBothButtonsAndNoneOpensNothing)
{
    Menu(ID_INFO_ENTITY);
    Pick({});
    EXPECT_TRUE(VisibleDialogs().empty());

    Menu(ID_INFO_ENTITY);
    Pick({Node(1)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsEnabled(dialog, IDC_TOOL_PREVIOUS));
    EXPECT_FALSE(IsEnabled(dialog, IDC_TOOL_NEXT));

    // An empty list shows nothing, with both buttons off.
    CEntityInfoDlg empty(m_view->FrameKey());
    ASSERT_TRUE(empty.Create(IDD_ENTITY_INFO));
    empty.ShowFirstEntity();
    EXPECT_TRUE(ListLines(empty.GetSafeHwnd(), IDC_INFO_LIST).empty());
    EXPECT_FALSE(IsEnabled(empty.GetSafeHwnd(), IDC_TOOL_NEXT));
    EXPECT_FALSE(IsEnabled(empty.GetSafeHwnd(), IDC_TOOL_PREVIOUS));
}

TEST_F(EntityInfo, OkRestartsTheToolAndEscapeEndsIt)
{
    Menu(ID_INFO_ENTITY);
    Pick({Node(1), Node(2)});
    HWND dialog = OnlyDialog();
    TakeCodes();
    Click(dialog, IDOK);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kPostCommand,
                                CCmdRecord::kEntityInfo, CCmdRecord::kPickRequest}),
              TakeCodes());
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());

    Pick({Node(3)});
    dialog = OnlyDialog();
    TakeCodes();
    CloseBox(dialog);
    EXPECT_EQ(CCmdRecord::kDialogOk, TakeCodes().at(0)) << "the close box acts as OK";
    Pick({Node(3)});
    dialog = OnlyDialog();
    TakeCodes();
    Escape(dialog);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kEndCommand}, TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(EntityInfo, AbortedPickLeavesNoWindowAndEndsTheTool)
{
    Menu(ID_INFO_ENTITY);
    TakeCodes();
    m_view->CommitSelection(CCAEView::kAbort);
    fw::test::Pump();
    EXPECT_EQ((std::vector<int>{CCmdRecord::kSelectionEnded, CCmdRecord::kEndCommand}),
              TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(EntityInfo, ButtonsOfADialogWhoseViewClosedTouchNoView)
{
    // Opened by the tools as a command would, then its view and frame go.
    auto handle = m_tools.CreateToolDialog(CToolDialog::kEntityInfo, m_view->FrameKey());
    CEntityArray picked;
    picked.Add(Element(1));
    picked.Add(Node(8));
    ASSERT_TRUE(handle->Open(picked));
    const HWND dialog = OnlyDialog();
    m_view->GetParentFrame()->DestroyWindow();
    m_view = nullptr;
    fw::test::Pump();
    ASSERT_TRUE(::IsWindow(dialog));
    TakeCodes();
    Click(dialog, IDC_TOOL_NEXT);
    EXPECT_EQ("ID : 8", ListLines(dialog, IDC_INFO_LIST).at(0));
    Click(dialog, IDC_TOOL_PREVIOUS);
    Click(dialog, IDOK);
    Escape(dialog);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kEndCommand}), TakeCodes());
    handle.reset();
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(EntityInfo, ClosingTheViewTakesTheToolAndItsDialogAway)
{
    Menu(ID_INFO_ENTITY);
    Pick({Element(1), Node(8)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    m_view->GetParentFrame()->DestroyWindow();
    m_view = nullptr;
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}
