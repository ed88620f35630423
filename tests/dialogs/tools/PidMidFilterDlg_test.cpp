// Element filter under Wine: the lists of each kind with their ticks, Apply that redraws only
// on a change, the pictures of each kind (pixels), and a dialog whose view has closed.
#include "dialogs/tools/PidMidFilterDlg.h"

#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "tests/view/StripModel.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>

using tools_test::ToolFixture;

namespace
{
constexpr std::array<int, 3> kRed{255, 0, 0};
constexpr std::array<int, 3> kBlue{0, 0, 255};

// Quads 1-4 of property 1 (red) and 5-8 of property 2 (blue) in a row; materials 7 (1-6) and
// 8 (7, 8); groups 1 "Left" (1, 2) and 2 "Both" (2, 3). Property 9 is in the view's filter
// without a colour record. Drawn in hidden-line mode, coloured by property.
class ElementFilter : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        for (int i = 0; i <= 8; ++i)
        {
            AddTestNode(Model(), i + 1, 10 * i, 0, 0);
            AddTestNode(Model(), i + 11, 10 * i, 10, 0);
        }
        for (int i = 1; i <= 8; ++i)
            AddTestElement(Model(), i, kTagShell, 94, {i, i + 1, i + 11, i + 10}, i <= 4 ? 1 : 2,
                           i <= 6 ? 7 : 8);
        Model().AddPropertyColor(1);
        Model().LookupPropertyColor(1)->color = static_cast<int>(RGB(255, 0, 0));
        Model().AddPropertyColor(2);
        Model().LookupPropertyColor(2)->color = static_cast<int>(RGB(0, 0, 255));
        Model().AddMaterialColor(7);
        Model().AddMaterialColor(8);
        AddGroup(1, "Left", {1, 2});
        AddGroup(2, "Both", {2, 3});
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        m_view->EditScene().SetDisplayMode(kHiddenLine);
        m_view->EditScene().SetColorMode(kColorByProperty);
        m_view->ElementFilter().Materials().SetAt(7, 1);
        m_view->ElementFilter().Materials().SetAt(8, 1);
        m_view->ElementFilter().Properties().SetAt(9, 1);
        m_view->Renderer().RenderAll();
        m_allRed = CountPixels(kRed);
        m_allBlue = CountPixels(kBlue);
        ASSERT_GT(m_allRed, 100);
        ASSERT_GT(m_allBlue, 100);
        ASSERT_NE(nullptr, CPidMidFilterDlg::Open(m_view->FrameKey()));
        m_dialog = OnlyDialog();
        ASSERT_NE(nullptr, m_dialog);
        m_list = ::GetDlgItem(m_dialog, IDC_FILTER_LIST);
    }

    void AddGroup(int id, const char* name, std::initializer_list<int> elements)
    {
        auto group = std::make_unique<CGroupSet>();
        group->m_id = id;
        group->SetName(name);
        for (const int element : elements)
            group->AddElement(Model().FindElement(element));
        ASSERT_TRUE(Model().AddGroup(group.release()));
    }
    void Kind(int radio) { Click(m_dialog, radio); }
    void Tick(int row, bool isTicked) { ListView_SetCheckState(m_list, row, isTicked); }
    std::vector<std::string> Rows(int column) const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < ListView_GetItemCount(m_list); ++i)
        {
            char text[64] = {};
            ListView_GetItemText(m_list, i, column, text, sizeof(text));
            rows.push_back(text);
        }
        return rows;
    }
    std::vector<bool> Ticks() const
    {
        std::vector<bool> ticks;
        for (int i = 0; i < ListView_GetItemCount(m_list); ++i)
            ticks.push_back(ListView_GetCheckState(m_list, i) != 0);
        return ticks;
    }
    int Columns() const { return Header_GetItemCount(ListView_GetHeader(m_list)); }
    UINT Generation() const { return m_view->Renderer().ListGeneration(); }
    int Visible(int element) { return m_view->IsEntityVisible(Model().FindElement(element)); }

    HWND m_dialog = nullptr;
    HWND m_list = nullptr;
    int m_allRed = 0;
    int m_allBlue = 0;
};
} // namespace

TEST_F(ElementFilter, EachKindListsItsIdsWithTheViewsTicks)
{
    EXPECT_EQ("Element Filter", Caption(m_dialog));
    EXPECT_EQ("Physical property", ControlText(m_dialog, IDC_FILTER_PROPERTY));
    EXPECT_EQ("Groups", ControlText(m_dialog, IDC_FILTER_GROUP));
    EXPECT_EQ("Apply", ControlText(m_dialog, IDOK));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(m_dialog, IDC_FILTER_PROPERTY));
    EXPECT_EQ(2, Columns());
    EXPECT_EQ((std::vector<std::string>{"1   ", "2   ", "9   "}), Rows(1));
    EXPECT_EQ((std::vector<bool>{true, true, true}), Ticks());
    // Two swatches; property 9 has no colour record and no picture.
    const HIMAGELIST swatches = ListView_GetImageList(m_list, LVSIL_SMALL);
    ASSERT_NE(nullptr, swatches);
    EXPECT_EQ(2, ::ImageList_GetImageCount(swatches));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 2;
    ::SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(I_IMAGENONE, item.iImage);

    Kind(IDC_FILTER_GROUP);
    EXPECT_EQ(3, Columns());
    EXPECT_EQ((std::vector<std::string>{"   1   ", "   2   "}), Rows(1));
    EXPECT_EQ((std::vector<std::string>{"Left", "Both"}), Rows(2));
    EXPECT_EQ((std::vector<bool>{true, true}), Ticks()) << "groups are entered shown";
    EXPECT_EQ(nullptr, ListView_GetImageList(m_list, LVSIL_SMALL));

    Kind(IDC_FILTER_ENTIRE_MODEL);
    EXPECT_EQ(0, Columns());
    EXPECT_EQ(0, ListView_GetItemCount(m_list));
    for (const int id : {IDC_FILTER_LIST, IDC_FILTER_SELECT_ALL, IDC_FILTER_DESELECT_ALL})
        EXPECT_FALSE(IsEnabled(m_dialog, id)) << id;

    Kind(IDC_FILTER_MATERIAL);
    EXPECT_TRUE(IsEnabled(m_dialog, IDC_FILTER_LIST));
    EXPECT_EQ((std::vector<std::string>{"7   ", "8   "}), Rows(1));
    Click(m_dialog, IDC_FILTER_DESELECT_ALL);
    EXPECT_EQ((std::vector<bool>{false, false}), Ticks());
    Click(m_dialog, IDC_FILTER_SELECT_ALL);
    EXPECT_EQ((std::vector<bool>{true, true}), Ticks());
}

TEST_F(ElementFilter, ApplyRedrawsOnlyWhenSomethingChanged)
{
    const UINT start = Generation();
    Click(m_dialog, IDOK);
    EXPECT_EQ(start, Generation()) << "nothing changed";
    EXPECT_TRUE(::IsWindowVisible(m_dialog)) << "Apply keeps the dialog";

    Tick(1, false); // property 2
    Click(m_dialog, IDOK);
    EXPECT_EQ(start + 1, Generation());
    EXPECT_EQ(0, Visible(5));
    EXPECT_EQ(1, Visible(4));
    EXPECT_EQ(m_allRed, CountPixels(kRed));
    EXPECT_LT(CountPixels(kBlue), 50) << "only the triad's blue axis is left";

    // Another kind redraws once, whether or not a tick changed.
    Kind(IDC_FILTER_MATERIAL);
    Click(m_dialog, IDOK);
    EXPECT_EQ(start + 2, Generation());
    EXPECT_EQ(CCAEView::kFilterByMaterial, m_view->ElementFilter().Mode());
    EXPECT_EQ(m_allBlue, CountPixels(kBlue));

    // Ticks changed but not applied reach nothing.
    Click(m_dialog, IDC_FILTER_DESELECT_ALL);
    Click(m_dialog, IDCANCEL);
    EXPECT_EQ(start + 2, Generation());
    EXPECT_EQ(1, Visible(8));
    EXPECT_TRUE(VisibleDialogs().empty()) << "a closed filter goes";

    // Reopened, it shows the state last applied.
    ASSERT_NE(nullptr, CPidMidFilterDlg::Open(m_view->FrameKey()));
    m_dialog = OnlyDialog();
    m_list = ::GetDlgItem(m_dialog, IDC_FILTER_LIST);
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(m_dialog, IDC_FILTER_MATERIAL));
    Kind(IDC_FILTER_PROPERTY);
    EXPECT_EQ((std::vector<bool>{true, false, true}), Ticks());
}

TEST_F(ElementFilter, EveryPropertyTickedDrawsWhatTheEntireModelDraws)
{
    Kind(IDC_FILTER_ENTIRE_MODEL);
    Click(m_dialog, IDOK);
    const int red = CountPixels(kRed);
    const int blue = CountPixels(kBlue);
    Kind(IDC_FILTER_PROPERTY);
    Click(m_dialog, IDC_FILTER_SELECT_ALL);
    Click(m_dialog, IDOK);
    EXPECT_EQ(CCAEView::kFilterByProperty, m_view->ElementFilter().Mode());
    EXPECT_EQ(red, CountPixels(kRed));
    EXPECT_EQ(blue, CountPixels(kBlue));
    EXPECT_EQ(m_allRed + m_allBlue, red + blue);
}

TEST_F(ElementFilter, GroupsShowTheElementsOfTheTickedGroupsOnly)
{
    Kind(IDC_FILTER_GROUP);
    Tick(0, false); // "Left"
    Click(m_dialog, IDOK);
    EXPECT_EQ(CCAEView::kFilterByGroup, m_view->ElementFilter().Mode());
    const std::vector<int> shown{Visible(1), Visible(2), Visible(3), Visible(4), Visible(8)};
    EXPECT_EQ((std::vector<int>{0, 1, 1, 0, 0}), shown);
    EXPECT_LT(CountPixels(kBlue), 50) << "only the triad's blue axis is left";
    EXPECT_LT(CountPixels(kRed), m_allRed);

    Tick(0, true); // element 2 is in both groups: drawn once
    Click(m_dialog, IDOK);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 0, 0}),
              (std::vector<int>{Visible(1), Visible(2), Visible(3), Visible(4), Visible(8)}));
    EXPECT_EQ(3, m_view->ElementFilter().VisibleElementIds().GetCount());
}

TEST_F(ElementFilter, ADialogWhoseViewClosedDoesNothing)
{
    Tick(0, false);
    m_view->GetParentFrame()->DestroyWindow();
    fw::test::Pump();
    for (const int button :
         {IDOK, IDC_FILTER_SELECT_ALL, IDC_FILTER_GROUP, IDC_FILTER_DESELECT_ALL, IDOK})
        Click(m_dialog, button);
    EXPECT_TRUE(::IsWindowVisible(m_dialog));
    Click(m_dialog, IDCANCEL);
    EXPECT_TRUE(VisibleDialogs().empty());
}

TEST_F(ElementFilter, JapaneseModeTakesTheJapaneseTexts)
{
    Click(m_dialog, IDCANCEL);
    SetLanguageSuffix("_JPN");
    ASSERT_NE(nullptr, CPidMidFilterDlg::Open(m_view->FrameKey()));
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    // Code page 932: "要素フィルター".
    EXPECT_EQ("\x97\x76\x91\x66\x83\x74\x83\x42\x83\x8B\x83\x5E\x81\x5B", Caption(dialog));
}

namespace
{
// Ten quads in a row (properties 1 for the left five, 2 for the right five) with a nodal result
// that rises from 0 to 10 along them, shown as a contour.
class ElementFilterOfAResult : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        view_test::AddStrip(Model());
        for (int id = 1; id <= 10; ++id)
            Model().FindElement(id)->m_propertyId = id <= 5 ? 1 : 2;
        Model().AddPropertyColor(1);
        Model().AddPropertyColor(2);
        const CResultData* result =
            view_test::AddNodalCase(Model(), 1, 0x1000000u, 1, CResultData::kFlagAtNodes | 8, 1.0);
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        m_view->LoadElementFilter(&Model());
        m_view->DisplayResultView(static_cast<int>(result->m_id), 1, 2, TRUE);
        m_view = dynamic_cast<CWendraView*>(Frame().GetFrameView(Frame().m_viewCounter));
        ASSERT_NE(nullptr, m_view);
        ASSERT_NE(nullptr, CPidMidFilterDlg::Open(m_view->FrameKey()));
        m_dialog = OnlyDialog();
        ASSERT_NE(nullptr, m_dialog);
    }
    std::pair<double, double> Range() const
    {
        const CResultDisplayAttr attr = m_view->GetDisplayAttr();
        EXPECT_EQ(attr.m_dataMin, attr.m_viewMin);
        EXPECT_EQ(attr.m_dataMax, attr.m_viewMax);
        return {attr.m_dataMin, attr.m_dataMax};
    }

    HWND m_dialog = nullptr;
};
} // namespace

TEST_F(ElementFilterOfAResult, TheRangeFollowsWhatIsShownAndEveryTickGivesTheWholeRange)
{
    EXPECT_EQ((std::pair<double, double>{0.0, 10.0}), Range());
    const int bands = m_view->GetDisplayAttr().m_nBands;
    ListView_SetCheckState(::GetDlgItem(m_dialog, IDC_FILTER_LIST), 1, FALSE);
    Click(m_dialog, IDOK);
    EXPECT_EQ((std::pair<double, double>{0.0, 5.0}), Range()) << "the left five quads";
    EXPECT_EQ(bands, m_view->GetDisplayAttr().m_nBands);
    Click(m_dialog, IDC_FILTER_SELECT_ALL);
    Click(m_dialog, IDOK);
    EXPECT_EQ((std::pair<double, double>{0.0, 10.0}), Range());
}
