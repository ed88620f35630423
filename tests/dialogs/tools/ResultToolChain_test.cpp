// The result tools as a user reaches them, with the program's own dialogs and graph windows:
// Information menu entry, picks in the view, the result filter or the result id selection,
// then the result sheet, the distance graph dialog with its graph, or the graph over the
// load cases.
#include "core/model/ResultData.h"
#include "dialogs/graph/DialogGraphTools.h"
#include "dialogs/graph/GraphFrame.h"
#include "dialogs/tools/DialogResultListTools.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/GraphTools.h"
#include "view/ResultListTools.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace
{
constexpr UINT kDispKey = (1u << 23) | (2u << 13) | 1u; // a vector at the nodes

class ResultToolChain : public tools_test::ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        m_previousList = InstallResultListTools(&m_listTools);
        m_previousGraph = InstallGraphTools(&m_graphTools);
        BuildInfoModel();
        // Disp over two load cases: node n moves (n, 10 n, 100 n) times the case.
        for (const double value : {1.0, 2.0})
        {
            const UINT index = Model().AddLoadCaseValueById(kDispKey, value);
            auto* result = new CResultData();
            result->m_id = kDispKey | (index << 3);
            result->m_loaded = CResultData::kLoaded;
            result->m_flags = CResultData::kFlagVector | CResultData::kFlagAtNodes | 0x08;
            result->SetName("Disp");
            for (int node = 1; node <= 8; ++node)
                result->SetNodeVector(
                    node, CPoint3D(node * value, 10.0 * node * value, 100.0 * node * value));
            ASSERT_TRUE(Model().AddResult(result));
        }
        // Stress per element over one load case: element e holds 1.5 e.
        const UINT stressKey = (1u << 23) | (3u << 13);
        const UINT index = Model().AddLoadCaseValueById(stressKey, 0.0);
        auto* stress = new CResultData();
        stress->m_id = stressKey | (index << 3);
        stress->m_loaded = CResultData::kLoaded;
        stress->m_flags = 0x08;
        stress->m_average = 0;
        stress->SetName("Stress");
        for (int element = 1; element <= 6; ++element)
            stress->SetElementValue(element, 1.5 * element);
        ASSERT_TRUE(Model().AddResult(stress));
        m_view->Renderer().SetContourResultId(-1);
        m_view->Renderer().SetVectorResultId(-1);
    }

    void TearDown() override
    {
        for (HWND window : GraphWindows())
            ::DestroyWindow(window);
        ToolFixture::TearDown();
        InstallResultListTools(m_previousList);
        InstallGraphTools(m_previousGraph);
    }

    static std::vector<HWND> GraphWindows()
    {
        std::vector<HWND> found;
        for (HWND window = ::FindWindowA(nullptr, "Graph Control"); window != nullptr;
             window = ::FindWindowExA(nullptr, window, nullptr, "Graph Control"))
            found.push_back(window);
        return found;
    }

    static const CGraphData& GraphOf(HWND window)
    {
        auto* frame = dynamic_cast<CGraphFrame*>(CWnd::FromHandlePermanent(window));
        EXPECT_NE(nullptr, frame);
        return frame->GetPane().GetView()->Graph().Data();
    }

    static void ChooseResult(HWND dialog, int listId, int index)
    {
        const HWND list = ::GetDlgItem(dialog, listId);
        ::SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        fw::test::Pump();
    }

    // In the result filter: the component item's first load case, added, then OK.
    void ChooseFirstCase(HWND filter, int item)
    {
        ChooseResult(filter, IDC_RESULTFILTER_RESULTS, item);
        ::SendDlgItemMessageA(filter, IDC_RESULTFILTER_STEPS, LB_SETSEL, TRUE, 0);
        Click(filter, IDC_RESULTFILTER_ADD);
        Click(filter, IDOK);
    }

    CDialogResultListTools m_listTools;
    CDialogGraphTools m_graphTools;
    CResultListTools* m_previousList = nullptr;
    CGraphTools* m_previousGraph = nullptr;
};
} // namespace

TEST_F(ResultToolChain, ResultListNodalShowsThePicksAscendingInTheSheet)
{
    Menu(ID_INFO_RESULT_LIST_NODAL);
    Pick({Node(4), Node(1), Node(2)});
    const HWND filter = OnlyDialog();
    ASSERT_EQ("Result Filter", Caption(filter));
    std::vector<std::string> rows;
    fw::test::WhenDialogShows(
        "Result List",
        [&](HWND sheet)
        {
            const HWND list = ::FindWindowExA(sheet, nullptr, "SysListView32", nullptr);
            const int count = int(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
            for (int row = 0; row < count; ++row)
            {
                std::string line;
                for (int column = 0; column < 2; ++column)
                {
                    char text[64] = {};
                    LVITEMA cell = {};
                    cell.iSubItem = column;
                    cell.pszText = text;
                    cell.cchTextMax = sizeof text;
                    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
                    line += std::string(column ? "|" : "") + text;
                }
                rows.push_back(line);
            }
            ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        });
    ChooseFirstCase(filter, 2); // Y : Disp
    EXPECT_EQ((std::vector<std::string>{"Node ID|Case1 : Y : Disp", "1|  1.00000E+01",
                                        "2|  2.00000E+01", "4|  4.00000E+01"}),
              rows);
    EXPECT_FALSE(::IsWindowVisible(filter));
}

TEST_F(ResultToolChain, DistanceGraphNodalDrawsTheChosenComponentAlongThePicks)
{
    Menu(ID_INFO_DISTANCE_GRAPH_NODAL);
    Pick({Node(4), Node(1), Node(2)});
    const HWND filter = OnlyDialog();
    ASSERT_EQ("Result Filter", Caption(filter));
    ChooseFirstCase(filter, 3); // Z : Disp
    const HWND dialog = OnlyDialog();
    ASSERT_EQ("Distance Graph", Caption(dialog));
    EXPECT_EQ(CCmdRecord::kDistanceGraphDialog, TakeCodes().back());

    Click(dialog, IDC_DISTGRAPH_CREATE); // by entity id
    const std::vector<HWND> graphs = GraphWindows();
    ASSERT_EQ(1u, graphs.size());
    EXPECT_TRUE(::IsWindowVisible(graphs[0]));
    const CGraphData& data = GraphOf(graphs[0]);
    ASSERT_EQ(1, data.SeriesCount());
    std::vector<double> values;
    for (const CGraphPoint& point : data.Series(0).m_points)
        values.push_back(point.y);
    EXPECT_EQ((std::vector<double>{100.0, 200.0, 400.0}), values);
    EXPECT_EQ(CString("Case1 : Z : Disp"), data.Series(0).m_name);

    // Close ends the dialog; the graph stays.
    Click(dialog, IDC_DISTGRAPH_CLOSE);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    EXPECT_TRUE(::IsWindow(graphs[0]));
}

TEST_F(ResultToolChain, ResultGraphWithoutAShownResultGraphsTheChosenComponentOverTheCases)
{
    Menu(ID_INFO_RESULT_GRAPH_NODAL);
    Pick({Node(3), Node(2)});
    const HWND selection = OnlyDialog();
    ASSERT_EQ("Result Selection", Caption(selection));
    EXPECT_EQ("3, 2", ControlText(selection, IDC_RESULTID_IDS));
    Click(selection, IDOK); // nothing chosen: it stays
    EXPECT_TRUE(::IsWindowVisible(selection));
    EXPECT_TRUE(GraphWindows().empty());

    ChooseResult(selection, IDC_RESULTID_RESULTS, 2); // Y : Disp
    Click(selection, IDOK);
    EXPECT_FALSE(::IsWindowVisible(selection));
    const std::vector<HWND> graphs = GraphWindows();
    ASSERT_EQ(1u, graphs.size());
    const CGraphData& data = GraphOf(graphs[0]);
    ASSERT_EQ(2, data.SeriesCount());
    const struct
    {
        const char* name;
        double first, second;
    } series[] = {{"3", 30.0, 60.0}, {"2", 20.0, 40.0}};
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(CString(series[i].name), data.Series(i).m_name);
        ASSERT_EQ(2u, data.Series(i).m_points.size());
        EXPECT_EQ(series[i].first, data.Series(i).m_points[0].y);
        EXPECT_EQ(series[i].second, data.Series(i).m_points[1].y);
    }
}

TEST_F(ResultToolChain, ElementalToolsListAndGraphElementValues)
{
    // The sheet: elements ascending with their values; the filter offers element results only.
    Menu(ID_INFO_RESULT_LIST_ELEM);
    Pick({Element(5), Element(4)});
    HWND filter = OnlyDialog();
    ASSERT_EQ("Result Filter", Caption(filter));
    EXPECT_EQ(std::vector<std::string>{"Stress"}, ListLines(filter, IDC_RESULTFILTER_RESULTS));
    std::vector<std::string> ids;
    std::vector<std::string> values;
    fw::test::WhenDialogShows(
        "Result List",
        [&](HWND sheet)
        {
            const HWND list = ::FindWindowExA(sheet, nullptr, "SysListView32", nullptr);
            for (int row = 0; row < 3; ++row)
            {
                for (int column = 0; column < 2; ++column)
                {
                    char text[64] = {};
                    LVITEMA cell = {};
                    cell.iSubItem = column;
                    cell.pszText = text;
                    cell.cchTextMax = sizeof text;
                    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
                    (column == 0 ? ids : values).push_back(text);
                }
            }
            ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        });
    ChooseFirstCase(filter, 0);
    EXPECT_EQ((std::vector<std::string>{"Element ID", "4", "5"}), ids);
    EXPECT_EQ((std::vector<std::string>{"Case1 : Stress", "  6.00000E+00", "  7.50000E+00"}),
              values);

    // The distance graph of the same picks, by element id.
    Menu(ID_INFO_DISTANCE_GRAPH_ELEM);
    Pick({Element(5), Element(4)});
    filter = OnlyDialog();
    ASSERT_EQ("Result Filter", Caption(filter));
    ChooseFirstCase(filter, 0);
    const HWND dialog = OnlyDialog();
    ASSERT_EQ("Distance Graph", Caption(dialog));
    Click(dialog, IDC_DISTGRAPH_CREATE);
    const std::vector<HWND> graphs = GraphWindows();
    ASSERT_EQ(1u, graphs.size());
    const CGraphData& data = GraphOf(graphs[0]);
    ASSERT_EQ(1, data.SeriesCount());
    ASSERT_EQ(2u, data.Series(0).m_points.size());
    EXPECT_EQ(6.0, data.Series(0).m_points[0].y);
    EXPECT_EQ(7.5, data.Series(0).m_points[1].y);
}

TEST_F(ResultToolChain, CancelAndTheCloseBoxEndTheCommandAndTakeTheDialogAway)
{
    const struct
    {
        UINT menu;
        bool nodal;
        const char* caption;
    } tools[] = {{ID_INFO_RESULT_LIST_NODAL, true, "Result Filter"},
                 {ID_INFO_RESULT_LIST_ELEM, false, "Result Filter"},
                 {ID_INFO_DISTANCE_GRAPH_NODAL, true, "Result Filter"},
                 {ID_INFO_DISTANCE_GRAPH_ELEM, false, "Result Filter"},
                 {ID_INFO_RESULT_GRAPH_NODAL, true, "Result Selection"},
                 {ID_INFO_RESULT_GRAPH_ELEM, false, "Result Selection"}};
    for (const auto& tool : tools)
    {
        for (const bool closeBox : {false, true})
        {
            SCOPED_TRACE(testing::Message() << tool.menu << (closeBox ? " close box" : " Cancel"));
            Menu(tool.menu);
            Pick({tool.nodal ? Node(2) : Element(4)});
            const HWND dialog = OnlyDialog();
            ASSERT_EQ(tool.caption, Caption(dialog));
            ASSERT_NE(nullptr, Frame().m_manager.GetRunningCommand());
            TakeCodes();
            if (closeBox)
                CloseBox(dialog);
            else
                Click(dialog, IDCANCEL);
            fw::test::Pump();
            EXPECT_EQ(std::vector<int>{CCmdRecord::kEndCommand}, TakeCodes());
            EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
            EXPECT_FALSE(::IsWindow(dialog)) << "the ended command took its dialog away";
            EXPECT_TRUE(VisibleDialogs().empty());
        }
    }
}
