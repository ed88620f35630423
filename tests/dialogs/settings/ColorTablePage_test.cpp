// The property and material colour pages under Wine: the ids in ascending order with a swatch
// each, a black swatch drawn black, a colour chosen for the clicked item, the model's table
// written by Apply and left by Cancel.
#include "dialogs/settings/ColorTablePage.h"

#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>

using dialogs_test::SettingsPageFixture;

namespace
{
class ColorTablePage : public SettingsPageFixture
{
protected:
    // A project whose property table holds the ids with their colours.
    void FillProperties(std::initializer_list<std::pair<int, COLORREF>> entries)
    {
        CModelSet& model = MakeProject().m_model;
        for (const auto& [id, color] : entries)
        {
            model.AddPropertyColor(id);
            model.LookupPropertyColor(id)->color = static_cast<int>(color);
        }
    }

    std::vector<std::string> ListedIds(CColorTablePage& page)
    {
        std::vector<std::string> ids;
        for (int i = 0; i < page.GetList().GetItemCount(); ++i)
            ids.push_back(page.GetList().GetItemText(i, 1).GetString());
        return ids;
    }

    // The user clicks list item index (or below the items with -1).
    static void ClickItem(CColorTablePage& page, int index)
    {
        CListCtrl& list = page.GetList();
        for (int i = 0; i < list.GetItemCount(); ++i)
            list.SetItemState(i, i == index ? LVIS_SELECTED : 0, LVIS_SELECTED);
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = list.GetSafeHwnd();
        click.hdr.idFrom = IDC_COLORS_LIST;
        click.hdr.code = NM_CLICK;
        click.iItem = index;
        ::SendMessageA(page.GetSafeHwnd(), WM_NOTIFY, IDC_COLORS_LIST,
                       reinterpret_cast<LPARAM>(&click));
        fw::test::Pump();
    }

    // A colour chosen in the button's popup: the button takes it, then tells the page.
    static void ChooseColor(CColorTablePage& page, COLORREF color)
    {
        page.GetColorButton().SetColor(color, TRUE);
        ::SendMessageA(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_COLORS_BUTTON, BN_CLICKED),
                       0);
        fw::test::Pump();
    }

    // The swatch of an item as the list draws it, at its middle.
    static COLORREF SwatchPixel(CColorTablePage& page, int index)
    {
        CListCtrl& list = page.GetList();
        list.RedrawWindow();
        fw::test::Pump();
        CRect rect;
        ListView_GetSubItemRect(list.GetSafeHwnd(), index, 0, LVIR_ICON, &rect);
        const HDC dc = ::GetDC(list.GetSafeHwnd());
        const COLORREF pixel = ::GetPixel(dc, rect.left + 20, rect.CenterPoint().y);
        ::ReleaseDC(list.GetSafeHwnd(), dc);
        return pixel;
    }
};
} // namespace

TEST_F(ColorTablePage, ListsTheIdsAscendingWithTheirSwatchesBlackIncluded)
{
    FillProperties({{30, RGB(0, 0, 255)}, {4, RGB(0, 0, 0)}, {117, RGB(0, 200, 0)}});
    CPropertyColorDlg page;
    const HWND window = Open(page);
    EXPECT_EQ((std::vector<std::string>{"4", "30", "117"}), ListedIds(page));
    char heading[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ListView_GetColumn(page.GetList().GetSafeHwnd(), 1, &column);
    EXPECT_STREQ("Property id", heading);
    EXPECT_EQ("Colour of the item", ControlText(window, IDC_COLORS_LABEL));
    EXPECT_EQ(RGB(0, 0, 0), SwatchPixel(page, 0)) << "black is drawn, not see-through";
    EXPECT_EQ(RGB(0, 0, 255), SwatchPixel(page, 1));
    EXPECT_EQ(RGB(0, 200, 0), SwatchPixel(page, 2));
    EXPECT_EQ(CColorTablePage::kInitialColor, page.GetColorButton().GetColor());
}

TEST_F(ColorTablePage, ApplyWritesTheChosenColourAndCancelLeavesTheTable)
{
    FillProperties({{30, RGB(0, 0, 255)}, {4, RGB(10, 10, 10)}});
    CModelSet& model = m_project->m_model;
    {
        CPropertyColorDlg page;
        Open(page);
        ClickItem(page, 1); // id 30
        EXPECT_EQ(RGB(0, 0, 255), page.GetColorButton().GetColor());
        ChooseColor(page, RGB(255, 255, 0));
        EXPECT_EQ(RGB(255, 255, 0), SwatchPixel(page, 1));
        PressCancel();
        EXPECT_EQ(static_cast<int>(RGB(0, 0, 255)), model.LookupPropertyColor(30)->color);
        EXPECT_EQ(0, m_host.applyCount);
    }
    CPropertyColorDlg page;
    Open(page);
    ClickItem(page, 1);
    ChooseColor(page, RGB(255, 255, 0));
    // Clicking below the items lets go of the item: a colour chosen then changes nothing.
    ClickItem(page, -1);
    ChooseColor(page, RGB(0, 255, 255));
    PressApply();
    EXPECT_EQ(static_cast<int>(RGB(255, 255, 0)), model.LookupPropertyColor(30)->color);
    EXPECT_EQ(static_cast<int>(RGB(10, 10, 10)), model.LookupPropertyColor(4)->color);
    EXPECT_EQ(1, m_host.applyCount) << "every view is redrawn";
}

TEST_F(ColorTablePage, TheMaterialPageEditsTheMaterialTable)
{
    CModelSet& model = MakeProject().m_model;
    model.AddMaterialColor(7);
    model.LookupMaterialColor(7)->color = static_cast<int>(RGB(1, 2, 3));
    model.AddPropertyColor(8);
    CMaterialColorDlg page;
    Open(page);
    EXPECT_EQ(std::vector<std::string>{"7"}, ListedIds(page));
    ClickItem(page, 0);
    ChooseColor(page, RGB(200, 100, 0));
    PressApply();
    EXPECT_EQ(static_cast<int>(RGB(200, 100, 0)), model.LookupMaterialColor(7)->color);
}

TEST_F(ColorTablePage, AModelWithoutPropertiesShowsAnEmptyList)
{
    MakeProject();
    CPropertyColorDlg page;
    Open(page);
    EXPECT_EQ(0, page.GetList().GetItemCount());
    EXPECT_EQ(CColorTablePage::kInitialColor, page.GetColorButton().GetColor());
    ChooseColor(page, RGB(0, 0, 0));
    EXPECT_FALSE(page.IsPageModified());
}
