// Select Entities under Wine: id lists read as the user means them, typed ids and chosen
// properties picked in the view, and what the view hides or the filter refuses left out.
#include "dialogs/tools/SelectionByIdDlg.h"

#include "core/display/EntityKinds.h"
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"

#include <algorithm>
#include <climits>
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>

using tools_test::ToolFixture;

TEST(SelectionByIdList, ReadsIdsRangesAndRefusesNumbersTooLarge)
{
    using Ids = std::vector<int>;
    struct Case
    {
        const char* text;
        int highest;
        bool isRead;
        Ids ids;
    };
    const Case cases[] = {
        {"12", 20, true, {12}},
        {" 12 , 15 ", 20, true, {12, 15}},
        {"12,,15,", 20, true, {12, 15}},
        {"5-9", 20, true, {5, 6, 7, 8, 9}},
        {"1,2,5-9", 20, true, {1, 2, 5, 6, 7, 8, 9}},
        {"1-3,7", 20, true, {1, 2, 3, 7}},
        {"5-5", 20, true, {5}},
        {"9-5", 20, true, {}},
        {"5-", 20, true, {}},
        {"-5", 20, true, {}},
        {"5-500", 20, true, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {"25-500", 20, true, {}},
        {"1,5--3", 20, true, {}},
        {"7,1,5--3,9", 20, true, {}},
        {"12a, x, 3", 20, true, {12, 3}},
        {"", 20, true, {}},
        {"2147483647", 20, true, {INT_MAX}},
        {"2147483646-2147483647", INT_MAX, true, {INT_MAX - 1, INT_MAX}},
        {"99999999999", 20, false, {}},
        {"1,2147483648", 20, false, {}},
        {"1-99999999999", 20, false, {}},
    };
    for (const Case& c : cases)
    {
        std::vector<CSelectionByIdDlg::IdRun> runs{{-1, -1, 1}};
        EXPECT_EQ(c.isRead, CSelectionByIdDlg::ParseIdList(c.text, c.highest, runs)) << c.text;
        Ids ids;
        for (const CSelectionByIdDlg::IdRun& run : runs)
        {
            EXPECT_EQ(1, run.times) << c.text;
            for (long long id = run.first; id <= run.last; ++id)
                ids.push_back(static_cast<int>(id));
        }
        EXPECT_EQ(c.ids, ids) << c.text;
    }
}

// Repeated and overlapping items are counted per id, not listed: "1-1000000" written 200 times
// is one run named 200 times, and ranges up to the largest id stay one run each.
TEST(SelectionByIdList, CountsHowOftenEachIdIsNamed)
{
    using Runs = std::vector<std::tuple<int, int, int>>; // first, last, times
    struct Case
    {
        std::string text;
        int highest;
        Runs runs;
    };
    std::string repeated;
    for (int i = 0; i < 200; ++i)
        repeated += "1-1000000,";
    const Case cases[] = {
        {"5,5", 20, {{5, 5, 2}}},
        {"7,5,7,7", 20, {{5, 5, 1}, {7, 7, 3}}},
        {"1-10,5-15", 20, {{1, 4, 1}, {5, 10, 2}, {11, 15, 1}}},
        {"5-15,1-10,10", 20, {{1, 4, 1}, {5, 9, 2}, {10, 10, 3}, {11, 15, 1}}},
        {"1-5,6-9", 20, {{1, 5, 1}, {6, 9, 1}}},
        {"3,1-2,4", 20, {{1, 2, 1}, {3, 3, 1}, {4, 4, 1}}},
        {repeated, 1000000, {{1, 1000000, 200}}},
        {"1-2147483647", 100000000, {{1, 100000000, 1}}},
        {"2147483647,0-2147483647", INT_MAX, {{0, INT_MAX - 1, 1}, {INT_MAX, INT_MAX, 2}}},
        {"", 20, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 40));
        std::vector<CSelectionByIdDlg::IdRun> written;
        ASSERT_TRUE(CSelectionByIdDlg::ParseIdList(c.text.c_str(), c.highest, written));
        Runs runs;
        for (const CSelectionByIdDlg::IdRun& run : CSelectionByIdDlg::CountIdRuns(written))
            runs.emplace_back(run.first, run.last, run.times);
        EXPECT_EQ(c.runs, runs);
    }
}

namespace
{
using Picks = std::vector<std::pair<int, int>>; // (type tag, id), sorted

// Nodes 1-10 at y 0 and 11-20 at y 1; quads 1-4 of property 1 (red), 5-9 of property 2 (blue),
// material 7; beam 10 of property 3 and material 8 from node 1 to 2.
class SelectionById : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        for (int i = 1; i <= 10; ++i)
        {
            AddTestNode(Model(), i, i, 0, 0);
            AddTestNode(Model(), 10 + i, i, 1, 0);
        }
        for (int i = 1; i <= 9; ++i)
            AddTestElement(Model(), i, kTagShell, 94, {i, i + 1, i + 11, i + 10}, i <= 4 ? 1 : 2,
                           7);
        AddTestElement(Model(), 10, kTagBeam, 21, {1, 2}, 3, 8);
        for (const auto& [id, colour] :
             {std::pair<int, COLORREF>{1, RGB(255, 0, 0)}, {2, RGB(0, 0, 255)}, {3, RGB(0, 0, 0)}})
        {
            Model().AddPropertyColor(id);
            Model().LookupPropertyColor(id)->color = static_cast<int>(colour);
        }
        Model().AddMaterialColor(7);
        Model().AddMaterialColor(8);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        Frame().m_project->m_settings.m_displayFilter = kKindAll;
        // A selection runs: Selected Model Information asks for entities of every kind.
        Menu(ID_INFO_SELECTED_MODEL);
        ASSERT_TRUE(m_view->ViewSelection().IsSelecting());
    }

    // Opens the dialog with the menu command (0: the property kind asked for directly) and
    // runs the script in it.
    void Run(UINT command, const std::function<void(HWND)>& script)
    {
        bool ran = false;
        fw::test::WhenDialogShows("Select Entities",
                                  [&](HWND dialog)
                                  {
                                      ran = true;
                                      script(dialog);
                                      if (::IsWindow(dialog))
                                          Click(dialog, IDCANCEL);
                                  });
        if (command != 0)
            Menu(command);
        else
            m_tools.RunSelectionById(m_view, CQueryTools::kByProperty);
        fw::test::CancelDialogScript();
        EXPECT_TRUE(ran);
    }
    void TypeIds(const char* nodes, const char* elements)
    {
        Run(ID_SELECT_BY_ID,
            [&](HWND dialog)
            {
                ::SetDlgItemTextA(dialog, IDC_SELID_NODE_IDS, nodes);
                ::SetDlgItemTextA(dialog, IDC_SELID_ELEMENT_IDS, elements);
                Click(dialog, IDOK);
            });
    }
    Picks Picked() const
    {
        Picks picks;
        POSITION pos = m_view->Selection().Picked().GetStartPosition();
        while (pos != nullptr)
        {
            CModelEntity* entity = nullptr;
            int batch = 0;
            m_view->Selection().Picked().GetNextAssoc(pos, entity, batch);
            picks.emplace_back(entity->type, entity->m_id);
        }
        std::sort(picks.begin(), picks.end());
        return picks;
    }
    static std::vector<std::string> ComboItems(HWND dialog)
    {
        std::vector<std::string> items;
        const HWND combo = ::GetDlgItem(dialog, IDC_SELID_KIND);
        const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
        {
            char text[64] = {};
            ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    static std::vector<std::string> Rows(HWND list, int column)
    {
        std::vector<std::string> rows;
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i)
        {
            char text[64] = {};
            ListView_GetItemText(list, i, column, text, sizeof(text));
            rows.push_back(text);
        }
        return rows;
    }
};

constexpr int kNode = kTagNode;
constexpr int kShell = kTagShell;
constexpr int kBeam = kTagBeam;
} // namespace

TEST_F(SelectionById, TypedNodeAndElementIdsArePickedInTheView)
{
    Run(ID_SELECT_BY_ID,
        [&](HWND dialog)
        {
            EXPECT_EQ((std::vector<std::string>{"ID ", "Property", "Material"}),
                      ComboItems(dialog));
            EXPECT_EQ("Node IDs (for example 1,5-9)", ControlText(dialog, IDC_SELID_NODE_LABEL));
            EXPECT_EQ("OK", ControlText(dialog, IDOK));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_NODE_IDS)));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_PROPERTY_LIST)));
            EXPECT_EQ(::GetDlgItem(dialog, IDC_SELID_NODE_IDS), ::GetFocus());
            ::SetDlgItemTextA(dialog, IDC_SELID_NODE_IDS, " 1 , 3-5");
            ::SetDlgItemTextA(dialog, IDC_SELID_ELEMENT_IDS, "2,9-500");
            Click(dialog, IDOK);
        });
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(
        (Picks{
            {kBeam, 10}, {kNode, 1}, {kNode, 3}, {kNode, 4}, {kNode, 5}, {kShell, 2}, {kShell, 9}}),
        Picked());

    // An id typed again is picked off; an unknown id is skipped.
    TypeIds("", "2,77");
    EXPECT_EQ((Picks{{kBeam, 10}, {kNode, 1}, {kNode, 3}, {kNode, 4}, {kNode, 5}, {kShell, 9}}),
              Picked());
}

// Each mention of an id picks the entity or picks it off again, as clicks would: an id named
// twice (repeated, or in overlapping ranges) leaves the entity as it was, though in the new
// batch when it was picked; three times is once. A range far past the entity count walks the
// model's entities: the same picks.
TEST_F(SelectionById, AnIdNamedTwiceIsPickedAndPickedOff)
{
    AddTestNode(Model(), kMaxEntityId, 0, 2, 0);
    using Batches = std::vector<std::tuple<int, int, int>>; // type tag, id, batch
    struct Case
    {
        const char* before; // node ids typed first, in batch 1
        const char* nodes;
        const char* elements;
        Batches picks; // sorted
        int batches;
    };
    Batches allNodesButThree;
    for (int id = 1; id <= 20; ++id)
    {
        if (id != 3)
            allNodesButThree.emplace_back(kNode, id, 1);
    }
    allNodesButThree.emplace_back(kNode, kMaxEntityId, 1);
    const Case cases[] = {
        {"", "5,5", "", {}, 1},
        {"",
         "1-6,3-8",
         "2,1-3,3",
         {{kNode, 1, 1}, {kNode, 2, 1}, {kNode, 7, 1}, {kNode, 8, 1}, {kShell, 1, 2}},
         2},
        {"5", "5,5", "", {{kNode, 5, 2}}, 2},
        {"5", "5,5,5", "", {}, 2},
        {"5", "5", "", {}, 1},
        {"5", "5,7,7", "", {}, 2},
        {"5,6", "5,5,5,5,5-6,6", "", {{kNode, 6, 2}}, 2},
        {"", "1-2147483647,3", "", allNodesButThree, 1},
        {"", "3,1-2147483647,20-1", "", allNodesButThree, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.before) + " then " + c.nodes + " / " + c.elements);
        m_view->ViewSelection().ClearPicks();
        if (*c.before != '\0')
            TypeIds(c.before, "");
        TypeIds(c.nodes, c.elements);
        Batches picks;
        POSITION pos = m_view->Selection().Picked().GetStartPosition();
        while (pos != nullptr)
        {
            CModelEntity* entity = nullptr;
            int batch = 0;
            m_view->Selection().Picked().GetNextAssoc(pos, entity, batch);
            picks.emplace_back(entity->type, entity->m_id, batch);
        }
        std::sort(picks.begin(), picks.end());
        EXPECT_EQ(c.picks, picks);
        EXPECT_EQ(c.batches, m_view->ViewSelection().PickBatch());
    }
}

TEST_F(SelectionById, WhatTheViewHidesIsNeverPicked)
{
    // Nodes and beams not drawn, property 2 filtered out.
    Frame().m_project->m_settings.m_displayFilter = kKindAll & ~(kKindNode | kKindBeam);
    m_view->ElementFilter().SetMode(CCAEView::kFilterByProperty);
    m_view->ElementFilter().Properties().SetAt(2, 0);
    TypeIds("1-20", "1-10");
    EXPECT_EQ((Picks{{kShell, 1}, {kShell, 2}, {kShell, 3}, {kShell, 4}}), Picked());
}

TEST_F(SelectionById, ANumberTooLargeIsRefusedAndNothingIsPicked)
{
    Run(ID_SELECT_BY_ID,
        [&](HWND dialog)
        {
            ::SetDlgItemTextA(dialog, IDC_SELID_NODE_IDS, "1-3");
            ::SetDlgItemTextA(dialog, IDC_SELID_ELEMENT_IDS, "1,99999999999");
            Click(dialog, IDOK);
            EXPECT_EQ("An id of the list is too large: nothing was selected.", LastMessage());
            EXPECT_TRUE(::IsWindowVisible(dialog)) << "the dialog stays for a correction";
            EXPECT_EQ(::GetDlgItem(dialog, IDC_SELID_ELEMENT_IDS), ::GetFocus());
        });
    EXPECT_TRUE(Picked().empty());
}

TEST_F(SelectionById, ChosenPropertiesAndMaterialsPickTheirShownElements)
{
    m_view->ElementFilter().SetMode(CCAEView::kFilterByProperty);
    m_view->ElementFilter().Properties().SetAt(1, 0);
    Run(ID_SELECT_BY_PROPERTY,
        [&](HWND dialog)
        {
            const HWND list = ::GetDlgItem(dialog, IDC_SELID_PROPERTY_LIST);
            EXPECT_TRUE(::IsWindowVisible(list));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_NODE_IDS)));
            EXPECT_EQ((std::vector<std::string>{" 1 ", " 2 ", " 3 "}), Rows(list, 1));
            const HIMAGELIST swatches = ListView_GetImageList(list, LVSIL_SMALL);
            ASSERT_NE(nullptr, swatches);
            EXPECT_EQ(3, ::ImageList_GetImageCount(swatches));
            int width = 0;
            int height = 0;
            ::ImageList_GetIconSize(swatches, &width, &height);
            EXPECT_EQ(90, width);
            EXPECT_EQ(16, height);
            // Properties 1 (hidden by the filter) and 2.
            for (const int row : {0, 1})
                ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
            Click(dialog, IDOK);
        });
    EXPECT_EQ((Picks{{kShell, 5}, {kShell, 6}, {kShell, 7}, {kShell, 8}, {kShell, 9}}), Picked());

    Run(ID_SELECT_BY_MATERIAL,
        [&](HWND dialog)
        {
            const HWND list = ::GetDlgItem(dialog, IDC_SELID_MATERIAL_LIST);
            EXPECT_EQ((std::vector<std::string>{" 7 ", " 8 "}), Rows(list, 1));
            ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
            Click(dialog, IDOK);
        });
    EXPECT_EQ((Picks{{kBeam, 10}, {kShell, 5}, {kShell, 6}, {kShell, 7}, {kShell, 8}, {kShell, 9}}),
              Picked());
}

TEST_F(SelectionById, WithoutEveryElementKindOnlyIdsAreOffered)
{
    // The view's command is disabled then: asked for all the same, the dialog offers ids.
    m_view->EditSelection().SetFilter(kKindNode | kKindShell);
    Run(0,
        [&](HWND dialog)
        {
            EXPECT_EQ(std::vector<std::string>{"ID "}, ComboItems(dialog));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_NODE_IDS)));
            EXPECT_TRUE(IsEnabled(dialog, IDC_SELID_NODE_IDS));
            EXPECT_FALSE(IsEnabled(dialog, IDC_SELID_ELEMENT_IDS));
        });
    m_view->EditSelection().SetFilter(kKindAll & ~kKindNode);
    Run(ID_SELECT_BY_ID,
        [&](HWND dialog)
        {
            EXPECT_FALSE(IsEnabled(dialog, IDC_SELID_NODE_IDS));
            EXPECT_TRUE(IsEnabled(dialog, IDC_SELID_ELEMENT_IDS));
            EXPECT_EQ(::GetDlgItem(dialog, IDC_SELID_ELEMENT_IDS), ::GetFocus());
            // Switching the kind shows the property list.
            ::SendDlgItemMessageA(dialog, IDC_SELID_KIND, CB_SETCURSEL, 1, 0);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELID_KIND, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_SELID_KIND)));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_PROPERTY_LIST)));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SELID_ELEMENT_IDS)));
        });
    EXPECT_TRUE(Picked().empty());
}

TEST_F(SelectionById, JapaneseModeTakesTheJapaneseTexts)
{
    SetLanguageSuffix("_JPN");
    bool ran = false;
    // Code page 932: "エンティティの選択".
    fw::test::WhenDialogShows(
        "\x83\x47\x83\x93\x83\x65\x83\x42\x83\x65\x83\x42\x82\xCC\x91\x49\x91\xF0",
        [&](HWND dialog)
        {
            ran = true;
            EXPECT_EQ("ID ", ComboItems(dialog).at(0)) << "the first item is never translated";
            Click(dialog, IDCANCEL);
        });
    Menu(ID_SELECT_BY_ID);
    fw::test::CancelDialogScript();
    EXPECT_TRUE(ran);
}
