// The main frame's settings sheets, Window menu and command states under Wine: states read from
// the menu bar's own popups, child windows tiled and chosen from the window list, and the
// sheets' effects on every open view, on the project and on the product INI.
#include "app/ChildFrame.h"
#include "dialogs/settings/DirectoryDlg.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "widgets/bars/OXColorPickerButton.h"
#include "widgets/bars/OXMenuBar.h"

#include <windows.h>

#include <GL/gl.h>
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace
{
class SettingsSheets : public ProjectAppFixture
{
protected:
    // The popup of the menu that holds the command as one of its own items, or null.
    static HMENU FindPopup(HMENU menu, UINT id)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        {
            const HMENU sub = ::GetSubMenu(menu, i);
            if (sub == nullptr)
                continue;
            for (int j = 0; j < ::GetMenuItemCount(sub); ++j)
            {
                if (::GetMenuItemID(sub, j) == id)
                    return sub;
            }
            if (const HMENU deeper = FindPopup(sub, id))
                return deeper;
        }
        return nullptr;
    }

    // The command as the user finds it: its item in the menu bar's popup once opened, else its
    // button on the Standard toolbar after an idle update, else (in neither while no view is
    // open) what the command routing answers.
    bool IsMenuItemEnabled(UINT id)
    {
        const HMENU popup = FindPopup(MainFrame()->GetMenuBar()->GetMenu(), id);
        if (popup != nullptr)
        {
            ::SendMessageA(MainFrame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                           0);
            return (::GetMenuState(popup, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
        }
        CToolBar& standard = MainFrame()->GetToolBar(CMainFrame::kStandardBar);
        if (standard.CommandToIndex(id) >= 0)
        {
            ::SendMessageA(MainFrame()->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            MainFrame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            return ::SendMessageA(standard.m_hWnd, TB_ISBUTTONENABLED, id, 0) != 0;
        }
        return IsEnabled(id);
    }

    // Runs a sheet's command; the script acts on the sheet's window while it is shown.
    void RunSheet(UINT command, const std::string& caption, std::function<void(HWND)> script)
    {
        bool ran = false;
        fw::test::WhenDialogShows(caption,
                                  [&](HWND sheet)
                                  {
                                      ran = true;
                                      script(sheet);
                                  });
        Command(command);
        EXPECT_TRUE(ran) << caption << " was not shown";
    }

    // The sheet's page of the index, made current.
    static HWND SelectPage(HWND sheet, int index)
    {
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        fw::test::Pump();
        return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    static void PressSheetButton(HWND sheet, int button)
    {
        ::SendMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
        fw::test::Pump();
    }

    // Opens a colour button of a page and picks a cell of its palette (1 the first), or closes
    // the palette with Escape (kEscape), as a user does; the button's colour then.
    static constexpr int kEscape = -1;
    static COLORREF ChoosePaletteCell(HWND page, int id, int cell)
    {
        const HWND control = ::GetDlgItem(page, id);
        auto* button = dynamic_cast<COXColorPickerButton*>(CWnd::FromHandlePermanent(control));
        EXPECT_NE(nullptr, button);
        if (button == nullptr)
            return 0;
        s_bar = &button->GetColorBar();
        s_cell = cell;
        ::SetTimer(nullptr, 0, 50, &PickCell);
        fw::test::Click(control, 10, 8);
        fw::test::Pump();
        return button->GetColor();
    }

    static void CALLBACK PickCell(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        if (s_cell == kEscape)
        {
            ::PostMessageA(s_bar->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageA(s_bar->GetSafeHwnd(), WM_KEYUP, VK_ESCAPE, 0);
            return;
        }
        const CPoint point = s_bar->GetButtonRect(s_cell).CenterPoint();
        const LPARAM where = MAKELPARAM(point.x, point.y);
        ::PostMessageA(s_bar->GetSafeHwnd(), WM_MOUSEMOVE, 0, where);
        ::PostMessageA(s_bar->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::PostMessageA(s_bar->GetSafeHwnd(), WM_LBUTTONUP, 0, where);
    }

    static inline COXColorPopupBar* s_bar = nullptr;
    static inline int s_cell = 0;

    // A button of a page pressed as a user would (radio buttons get checked).
    static void Click(HWND page, int id)
    {
        ::SendMessageA(::GetDlgItem(page, id), BM_CLICK, 0, 0);
        fw::test::Pump();
    }

    static std::string ControlText(HWND page, int id)
    {
        char text[256] = {};
        ::GetDlgItemTextA(page, id, text, sizeof text);
        return text;
    }

    static CRect WindowRect(CWnd* window)
    {
        CRect rect;
        window->GetWindowRect(&rect);
        return rect;
    }

    CChildFrame* Frame(int frameId)
    {
        CChildFrame* frame = nullptr;
        MainFrame()->GetFrameMap().Lookup(frameId, frame);
        return frame;
    }
};
} // namespace

TEST_F(SettingsSheets, CommandStatesFollowTheProjectAndItsModel)
{
    const UINT kProjectCommands[] = {ID_PROJECT_SAVE, ID_PROJECT_SAVE_AS, ID_PROJECT_CLOSE,
                                     ID_DISPLAY_SETTINGS, ID_RESULT_SETTINGS};
    const UINT kExports[] = {ID_EXPORT_DEFORMED_UNV, ID_EXPORT_ORIGINAL_UNV};
    for (UINT id : kProjectCommands)
        EXPECT_FALSE(IsMenuItemEnabled(id)) << "without a project, command " << id;
    for (UINT id : kExports)
        EXPECT_FALSE(IsMenuItemEnabled(id)) << "without a project, command " << id;
    EXPECT_TRUE(IsMenuItemEnabled(ID_SYSTEM_SETTINGS));

    NewProject("blank");
    ASSERT_NE(nullptr, Project());
    for (UINT id : kProjectCommands)
        EXPECT_TRUE(IsMenuItemEnabled(id)) << "with a project, command " << id;
    for (UINT id : kExports)
        EXPECT_FALSE(IsMenuItemEnabled(id)) << "with a project without a model, command " << id;

    (*m_services)->fileAnswers.push_back(WriteDataFile("plate.dat", kPlateDeck));
    Command(ID_IMPORT_BULK_DATA);
    for (UINT id : kExports)
        EXPECT_TRUE(IsMenuItemEnabled(id)) << "with a model, command " << id;
    EXPECT_FALSE(IsMenuItemEnabled(ID_IMPORT_UNV));
    EXPECT_TRUE(IsMenuItemEnabled(ID_IMPORT_BULK_DATA));
}

TEST_F(SettingsSheets, WindowMenuTilesTheViewsAndItsListActivatesTheChosenOne)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, MainFrame()->CreateMainView(""));
    ASSERT_NE(nullptr, MainFrame()->CreateMainView(""));
    fw::test::Pump();
    std::vector<CChildFrame*> frames = {Frame(1), Frame(2), Frame(3)};
    for (CChildFrame* frame : frames)
        ASSERT_NE(nullptr, frame);

    Command(ID_WINDOW_TILE_HORZ_SIDE);
    std::vector<CRect> rects;
    for (CChildFrame* frame : frames)
        rects.push_back(WindowRect(frame));
    std::sort(rects.begin(), rects.end(),
              [](const CRect& a, const CRect& b) { return a.left < b.left; });
    for (size_t i = 1; i < rects.size(); ++i)
    {
        EXPECT_EQ(rects[0].top, rects[i].top) << "side by side: one row";
        EXPECT_EQ(rects[0].Height(), rects[i].Height());
        EXPECT_LE(rects[i - 1].right, rects[i].left + 1) << "side by side: no overlap";
    }

    Command(ID_WINDOW_TILE_VERT_STACK);
    rects.clear();
    for (CChildFrame* frame : frames)
        rects.push_back(WindowRect(frame));
    std::sort(rects.begin(), rects.end(),
              [](const CRect& a, const CRect& b) { return a.top < b.top; });
    for (size_t i = 1; i < rects.size(); ++i)
    {
        EXPECT_EQ(rects[0].left, rects[i].left) << "one above the other: one column";
        EXPECT_LE(rects[i - 1].bottom, rects[i].top + 1);
    }

    // The window list of the menu bar's Window popup: one item per view.
    const HMENU windowMenu = FindPopup(MainFrame()->GetMenuBar()->GetMenu(), ID_WINDOW_CASCADE);
    ASSERT_NE(nullptr, windowMenu);
    std::vector<UINT> childItems;
    for (int i = 0; i < ::GetMenuItemCount(windowMenu); ++i)
    {
        const UINT id = ::GetMenuItemID(windowMenu, i);
        if (id >= AFX_IDM_FIRST_MDICHILD && id != static_cast<UINT>(-1))
            childItems.push_back(id);
    }
    ASSERT_EQ(3u, childItems.size());
    for (UINT id : childItems)
    {
        Command(id);
        CMDIChildWnd* active = MainFrame()->MDIGetActive();
        ASSERT_NE(nullptr, active);
        EXPECT_EQ(id, static_cast<UINT>(::GetWindowLongPtrA(active->m_hWnd, GWLP_ID)))
            << "the chosen item's view is the active one";
    }

    // Next goes round the three.
    CMDIChildWnd* before = MainFrame()->MDIGetActive();
    Command(ID_WINDOW_NEXT);
    EXPECT_NE(before, MainFrame()->MDIGetActive());
}

TEST_F(SettingsSheets, BarCommandsShowAndHideTheirBarsAndCheckTheirItems)
{
    CMainFrame* frame = MainFrame();
    const struct
    {
        UINT id;
        CControlBar* bar;
    } kBars[] = {{ID_VIEW_OUTPUT_BAR, &frame->GetOutputBar()},
                 {ID_VIEW_WORKSPACE, &frame->GetProjectTreeBar()},
                 {ID_VIEW_TOOLBAR, &frame->GetToolBar(CMainFrame::kStandardBar)}};
    for (const auto& entry : kBars)
    {
        SCOPED_TRACE(entry.id);
        ASSERT_TRUE(entry.bar->IsWindowVisible());
        Command(entry.id);
        EXPECT_FALSE(entry.bar->IsWindowVisible());
        const HMENU popup = FindPopup(frame->GetMenuBar()->GetMenu(), entry.id);
        if (popup != nullptr)
        {
            ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
            EXPECT_FALSE(::GetMenuState(popup, entry.id, MF_BYCOMMAND) & MF_CHECKED);
        }
        Command(entry.id);
        EXPECT_TRUE(entry.bar->IsWindowVisible());
    }
    EXPECT_EQ(1, *frame->GetBarShownFlag(ID_VIEW_TOOLBAR));
    // Hidden by other means, the next state update finds it so.
    frame->ShowControlBar(&frame->GetToolBar(CMainFrame::kStandardBar), FALSE, FALSE);
    IsMenuItemEnabled(ID_VIEW_TOOLBAR);
    EXPECT_EQ(0, *frame->GetBarShownFlag(ID_VIEW_TOOLBAR));
}

TEST_F(SettingsSheets, EachSheetShowsItsPagesInOrderUnderTheirTitles)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    const struct
    {
        UINT command;
        const char* caption;
        std::vector<std::string> tabs;
    } kSheets[] = {
        {ID_DISPLAY_SETTINGS,
         "Display Settings",
         {"Display Attributes", "Material", "View Defaults", "Folders", "Property Colours",
          "Material Colours"}},
        {ID_RESULT_SETTINGS, "Result Settings", {"Contour", "Vector"}},
        {ID_SYSTEM_SETTINGS, "System Settings", {"Folders"}},
    };
    for (const auto& sheet : kSheets)
    {
        SCOPED_TRACE(sheet.caption);
        std::vector<std::string> tabs;
        RunSheet(sheet.command, sheet.caption,
                 [&](HWND window)
                 {
                     const HWND tab =
                         reinterpret_cast<HWND>(::SendMessageA(window, PSM_GETTABCONTROL, 0, 0));
                     const int count = TabCtrl_GetItemCount(tab);
                     for (int i = 0; i < count; ++i)
                     {
                         char text[64] = {};
                         TCITEMA item = {};
                         item.mask = TCIF_TEXT;
                         item.pszText = text;
                         item.cchTextMax = sizeof text;
                         ::SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
                         tabs.push_back(text);
                     }
                     PressSheetButton(window, PSBTN_CANCEL);
                 });
        EXPECT_EQ(sheet.tabs, tabs);
    }
    const std::vector<std::string> log = OutputLines();
    EXPECT_EQ(2, std::count(log.begin(), log.end(), "Settings of the model"))
        << "the Display and System sheets say so, the Result sheet does not";
}

namespace
{
// Adds the control of the page (a child window) whose rectangle leaves the area given.
BOOL CALLBACK CollectOutside(HWND control, LPARAM param)
{
    auto* outside = reinterpret_cast<std::pair<RECT, std::vector<int>>*>(param);
    if (!::IsWindowVisible(control))
        return TRUE;
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    const RECT& area = outside->first;
    if (rect.left < area.left || rect.top < area.top || rect.right > area.right ||
        rect.bottom > area.bottom)
        outside->second.push_back(::GetDlgCtrlID(control));
    return TRUE;
}
} // namespace

TEST_F(SettingsSheets, EachSheetOpensInTheMainWindowBelowItsMenuAndShowsEveryPageWhole)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    const struct
    {
        UINT command;
        const char* caption;
    } kSheets[] = {{ID_DISPLAY_SETTINGS, "Display Settings"},
                   {ID_RESULT_SETTINGS, "Result Settings"},
                   {ID_SYSTEM_SETTINGS, "System Settings"}};
    for (const auto& sheet : kSheets)
    {
        SCOPED_TRACE(sheet.caption);
        RunSheet(
            sheet.command, sheet.caption,
            [&](HWND window)
            {
                RECT self = {};
                ::GetWindowRect(window, &self);
                RECT main = {};
                MainFrame()->GetWindowRect(&main);
                // The views' area, below the menu bar and toolbars.
                RECT views = {};
                ::GetWindowRect(::FindWindowExA(MainFrame()->m_hWnd, nullptr, "MDIClient", nullptr),
                                &views);
                EXPECT_GE(self.top, views.top) << "over the main window's menu or toolbars";
                EXPECT_GE(self.left, main.left);
                EXPECT_LE(self.right, main.right);
                EXPECT_LE(self.bottom, main.bottom);
                const HWND tab =
                    reinterpret_cast<HWND>(::SendMessageA(window, PSM_GETTABCONTROL, 0, 0));
                for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i)
                {
                    SCOPED_TRACE(i);
                    const HWND page = SelectPage(window, i);
                    ASSERT_NE(nullptr, page);
                    // What the tab control shows of a page: its display area.
                    std::pair<RECT, std::vector<int>> outside;
                    ::GetClientRect(tab, &outside.first);
                    TabCtrl_AdjustRect(tab, FALSE, &outside.first);
                    ::MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&outside.first), 2);
                    ::EnumChildWindows(page, &CollectOutside, reinterpret_cast<LPARAM>(&outside));
                    EXPECT_EQ(std::vector<int>(), outside.second)
                        << "controls cut off by the sheet";
                }
                PressSheetButton(window, PSBTN_CANCEL);
            });
    }
}

TEST_F(SettingsSheets, ANewBackgroundRecoloursTheOutOfRangeBandOfEveryViewShowingAResult)
{
    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    fw::test::Pump();
    const HTREEITEM result = FindResultItem("Temperature");
    ASSERT_NE(nullptr, result);
    DoubleClick(result);
    DoubleClick(result);
    std::vector<CCAEView*> shown = {View(2), View(3)};
    for (CCAEView* view : shown)
        ASSERT_TRUE(view != nullptr && view->Renderer().ContourResultId() != -1);
    Command(ID_WINDOW_TILE_HORZ_SIDE);

    const COLORREF oldBackground = Project()->m_settings.m_backgroundColor;
    // The model's footprint: every pixel the full range colours.
    std::vector<std::vector<bool>> model;
    for (CCAEView* view : shown)
    {
        std::vector<bool> mask;
        for (COLORREF pixel : ScreenPixels(view))
            mask.push_back(!IsNear(pixel, oldBackground));
        model.push_back(mask);
    }
    // The lower half of the range drawn out of range.
    for (CCAEView* view : shown)
    {
        CResultDisplayAttr& attr = view->EditScene().EditDisplayAttr();
        const double middle = (attr.m_dataMin + attr.m_dataMax) / 2;
        attr.SetRange(attr.m_dataMin, attr.m_dataMax, middle, attr.m_dataMax, attr.m_nBands);
        view->Renderer().RenderAll();
        view->InvalidateView();
    }
    for (size_t v = 0; v < shown.size(); ++v)
    {
        int outOfRange = 0;
        const std::vector<COLORREF> pixels = ScreenPixels(shown[v]);
        for (size_t i = 0; i < pixels.size(); ++i)
            outOfRange += model[v][i] && IsNear(pixels[i], oldBackground);
        EXPECT_GT(outOfRange, 100) << "view " << v << " draws part of the model out of range";
    }

    COLORREF chosen = 0;
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet)
             {
                 const HWND page = SelectPage(sheet, 0);
                 chosen = ChoosePaletteCell(page, IDC_DISPLAY_BACKGROUND, 16);
                 PressSheetButton(sheet, PSBTN_OK);
             });
    ASSERT_FALSE(IsNear(chosen, oldBackground));
    EXPECT_EQ(chosen, Project()->m_settings.m_backgroundColor);
    for (size_t v = 0; v < shown.size(); ++v)
    {
        SCOPED_TRACE("view " + std::to_string(v));
        const std::vector<COLORREF> pixels = ScreenPixels(shown[v]);
        int modelInOld = 0;
        int modelInChosen = 0;
        for (size_t i = 0; i < pixels.size(); ++i)
        {
            modelInOld += model[v][i] && IsNear(pixels[i], oldBackground);
            modelInChosen += model[v][i] && IsNear(pixels[i], chosen);
        }
        EXPECT_GT(modelInChosen, 100) << "the out-of-range part takes the new colour";
        EXPECT_LT(modelInOld, modelInChosen / 20) << "nothing of the model keeps the old colour";
    }
}

TEST_F(SettingsSheets, PagesAppliedTogetherRefreshEveryViewOnceAndGetTakesTheActiveViewsAngles)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, MainFrame()->CreateMainView(""));
    CCAEView* active = MainFrame()->CreateMainView("");
    ASSERT_NE(nullptr, active);
    active->Camera(CSceneView::kSceneViewport).SetRotationAngles(CPoint3D(-55, 0, -135));
    const int before = MainFrame()->GetViewRefreshCount();
    std::string angleX;
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet)
             {
                 ChoosePaletteCell(SelectPage(sheet, 0), IDC_DISPLAY_BACKGROUND, 16);
                 Click(SelectPage(sheet, 1), IDC_MATERIAL_BOTH_SIDES);
                 const HWND defaults = SelectPage(sheet, 2);
                 Click(defaults, IDC_VIEWDEF_GET);
                 angleX = ControlText(defaults, IDC_VIEWDEF_ANGLE_X);
                 Click(defaults, IDC_VIEWDEF_LEFT_BOTTOM);
                 PressSheetButton(sheet, PSBTN_APPLYNOW);
                 EXPECT_EQ(before + 1, MainFrame()->GetViewRefreshCount())
                     << "three pages applied: each view's lists are rebuilt once";
                 PressSheetButton(sheet, PSBTN_CANCEL);
             });
    EXPECT_EQ("-55", angleX);
    EXPECT_DOUBLE_EQ(-135.0, Project()->m_settings.m_viewAngles.z);
    EXPECT_EQ(CCAEView::kLeftBottom, Project()->m_settings.m_triadPosition);
    EXPECT_EQ(before + 1, MainFrame()->GetViewRefreshCount()) << "Cancel after Apply adds none";
}

TEST_F(SettingsSheets, SettingsSavedInTheProjectComeBackWhenItIsOpenedAgain)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    COLORREF background = 0;
    COLORREF property = 0;
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet)
             {
                 background = ChoosePaletteCell(SelectPage(sheet, 0), IDC_DISPLAY_BACKGROUND, 16);
                 const HWND material = SelectPage(sheet, 1);
                 ::SetDlgItemTextA(material, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, "37");
                 const HWND defaults = SelectPage(sheet, 2);
                 ::SetDlgItemTextA(defaults, IDC_VIEWDEF_ANGLE_X, "12.5");
                 Click(defaults, IDC_VIEWDEF_RIGHT_TOP);
                 Click(defaults, IDC_VIEWDEF_MASS);
                 const HWND colors = SelectPage(sheet, 4);
                 const HWND list = ::GetDlgItem(colors, IDC_COLORS_LIST);
                 ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
                 NMITEMACTIVATE click = {};
                 click.hdr = {list, IDC_COLORS_LIST, static_cast<UINT>(NM_CLICK)};
                 ::SendMessageA(colors, WM_NOTIFY, IDC_COLORS_LIST,
                                reinterpret_cast<LPARAM>(&click));
                 property = ChoosePaletteCell(colors, IDC_COLORS_BUTTON, 9);
                 PressSheetButton(sheet, PSBTN_OK);
             });
    const CAESettings& set = Project()->m_settings;
    ASSERT_EQ(background, set.m_backgroundColor);
    ASSERT_EQ(37, set.m_materials[CAESettings::kSolidMaterial].m_shininess[0]);
    ASSERT_EQ(static_cast<int>(property), Project()->m_model.LookupPropertyColor(1)->color);
    const DWORD filter = set.m_displayFilter;

    (*m_services)->fileAnswers.push_back(DataPath("kept"));
    Command(ID_PROJECT_SAVE_AS);
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    ASSERT_EQ(nullptr, Project());
    (*m_services)->fileAnswers.push_back(DataPath("kept.mpj"));
    Command(ID_PROJECT_OPEN);
    ASSERT_NE(nullptr, Project());
    const CAESettings& again = Project()->m_settings;
    EXPECT_EQ(background, again.m_backgroundColor);
    EXPECT_EQ(37, again.m_materials[CAESettings::kSolidMaterial].m_shininess[0]);
    EXPECT_DOUBLE_EQ(12.5, again.m_viewAngles.x);
    EXPECT_EQ(CCAEView::kRightTop, again.m_triadPosition);
    EXPECT_EQ(filter, again.m_displayFilter);
    EXPECT_EQ(static_cast<int>(property), Project()->m_model.LookupPropertyColor(1)->color);
}

TEST_F(SettingsSheets, ContourDefaultsApplyToTheProjectAndFoldersWithoutAProjectToTheIni)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    const int before = MainFrame()->GetViewRefreshCount();
    RunSheet(ID_RESULT_SETTINGS, "Result Settings",
             [&](HWND sheet)
             {
                 ::SetDlgItemTextA(SelectPage(sheet, 0), IDC_CONTOUR_BAND_COUNT, "25");
                 PressSheetButton(sheet, PSBTN_OK);
             });
    EXPECT_EQ(25, Project()->m_settings.m_contourDefaults.m_nBands);
    EXPECT_EQ(before + 1, MainFrame()->GetViewRefreshCount()) << "every view redrawn";

    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    ASSERT_EQ(nullptr, Project());
    const std::string folder = m_dataFolder;
    ASSERT_EQ(std::string::npos, IniValue("FileIOPaths", "CSV").find(folder));
    RunSheet(ID_SYSTEM_SETTINGS, "System Settings",
             [&](HWND sheet)
             {
                 const HWND page = SelectPage(sheet, 0);
                 Click(page, IDC_PATHS_CSV);
                 fw::test::WhenDialogShows(
                     "Select Folder",
                     [folder](HWND dialog)
                     {
                         auto* chooser =
                             dynamic_cast<CDirectoryDlg*>(CWnd::FromHandlePermanent(dialog));
                         ASSERT_NE(nullptr, chooser);
                         chooser->m_folderTree.SelectPath(folder.c_str(), FALSE);
                         ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                     });
                 Click(page, IDC_PATHS_BROWSE);
                 PressSheetButton(sheet, PSBTN_OK);
             });
    EXPECT_NE(std::string::npos, IniValue("FileIOPaths", "CSV").find(folder))
        << "without a project the INI takes the folder";
}

TEST_F(SettingsSheets, DisplaySettingsOkRemakesEachViewsLabelFontsInItsOwnContext)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    std::vector<CCAEView*> views = {View(1), MainFrame()->CreateMainView("")};
    for (CCAEView* view : views)
        ASSERT_NE(nullptr, view);
    const auto bases = [&]
    {
        std::vector<std::pair<UINT, UINT>> all;
        for (CCAEView* view : views)
            all.emplace_back(view->NodeLabelFontBase(), view->ElementLabelFontBase());
        return all;
    };
    const auto before = bases();
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet) { PressSheetButton(sheet, PSBTN_CANCEL); });
    EXPECT_EQ(before, bases()) << "Cancel leaves the font lists";

    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet) { PressSheetButton(sheet, PSBTN_OK); });
    for (CCAEView* view : views)
    {
        view->MakeCurrent();
        ASSERT_GT(view->NodeLabelFontBase(), 0u);
        ASSERT_GT(view->ElementLabelFontBase(), 0u);
        // 256 lists each, made in this view's context.
        EXPECT_TRUE(glIsList(view->NodeLabelFontBase() + 'A'));
        EXPECT_TRUE(glIsList(view->ElementLabelFontBase() + 'A'));
    }
}

// A colour picked in a sheet, or the palette closed with Escape, leaves the sheet active with the
// colour button focused at once, so that Tab and Escape work without a click on the sheet.
TEST_F(SettingsSheets, AColourPickOrEscapeLeavesTheSheetActiveAndItsButtonFocused)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(::GetSysColor(COLOR_ACTIVECAPTION), ::GetSysColor(COLOR_INACTIVECAPTION));
    const struct
    {
        const char* what;
        int cell;
    } cases[] = {{"pick", 16}, {"escape", kEscape}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        HWND shownSheet = nullptr;
        HWND button = nullptr;
        HWND active = nullptr;
        HWND focus = nullptr;
        COLORREF before = CLR_INVALID;
        COLORREF colour = CLR_INVALID;
        COLORREF caption = CLR_INVALID;
        BOOL barShown = TRUE;
        RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
                 [&](HWND sheet)
                 {
                     shownSheet = sheet;
                     const HWND page = SelectPage(sheet, 0);
                     button = ::GetDlgItem(page, IDC_DISPLAY_BACKGROUND);
                     ::SetFocus(button);
                     if (auto* picker =
                             dynamic_cast<COXColorPickerButton*>(CWnd::FromHandlePermanent(button)))
                         before = picker->GetColor();
                     colour = ChoosePaletteCell(page, IDC_DISPLAY_BACKGROUND, c.cell);
                     barShown = ::IsWindowVisible(s_bar->GetSafeHwnd());
                     active = ::GetActiveWindow();
                     focus = ::GetFocus();
                     // The caption's first pixel, above its text and buttons.
                     TITLEBARINFO title = {};
                     title.cbSize = sizeof title;
                     ::GetTitleBarInfo(sheet, &title);
                     const HDC screen = ::GetDC(nullptr);
                     caption =
                         ::GetPixel(screen, title.rcTitleBar.left + 1, title.rcTitleBar.top + 1);
                     ::ReleaseDC(nullptr, screen);
                     PressSheetButton(sheet, PSBTN_CANCEL);
                 });
        ASSERT_NE(nullptr, button);
        EXPECT_FALSE(barShown);
        EXPECT_EQ(c.cell == kEscape ? before : RGB(102, 102, 102), colour);
        EXPECT_EQ(shownSheet, active) << "the sheet is not active";
        EXPECT_EQ(button, focus) << "the colour button lost the focus";
        EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), caption) << "the caption looks inactive";
    }
}

// Display Settings, Material, the front shininess emptied as a user empties it: "Enter a whole
// number." Return closes the box, and a click on the main window then leaves the sheet in
// front of it, on the screen too, with the main window still refusing input.
TEST_F(SettingsSheets, ARefusedShininessLeavesTheSheetInFrontOfTheDisabledMainWindow)
{
    // The clicks leave the cursor over the main window, where later frames would see a hover.
    const fw::test::CursorParkedAfter parkCursor;
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    fw::test::SystemBoxes boxes;
    fw::test::BoxAnswerer answerer(AfxGetApp()->m_pszAppName);
    const HWND main = MainFrame()->m_hWnd;
    // Away from the sheet, to show its caption inactive.
    const fw::test::WindowElsewhere windowElsewhere;
    const HWND elsewhere = windowElsewhere.Get();
    HWND boxOwner = nullptr;
    BOOL mainEnabledUnderBox = TRUE;
    BOOL mainEnabledAfterBox = TRUE;
    BOOL mainEnabledAfterClick = TRUE;
    bool sheetShown = false;
    bool sheetAbove = false;
    HWND shownSheet = nullptr;
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet)
             {
                 shownSheet = sheet;
                 const HWND page = SelectPage(sheet, 1);
                 const HWND field = ::GetDlgItem(page, IDC_MATERIAL_OBVERSE_SHININESS_EDIT);
                 fw::test::ScreenCaption caption(sheet);
                 caption.TakeLooks(sheet, elsewhere);
                 bool answered = false;
                 fw::test::WhenDialogShows(answerer.Caption(),
                                           [&](HWND box)
                                           {
                                               boxOwner = ::GetWindow(box, GW_OWNER);
                                               mainEnabledUnderBox = ::IsWindowEnabled(main);
                                               fw::test::SettleScreen();
                                               fw::test::PressOnScreen(VK_RETURN);
                                               answered = true;
                                           });
                 ::SetFocus(field);
                 ::SendMessageA(field, EM_SETSEL, 0, -1);
                 fw::test::PressOnScreen(VK_BACK);
                 EXPECT_TRUE(fw::test::WaitFor([&] { return answered && !answerer.ShownBox(); }));
                 fw::test::SettleScreen();
                 mainEnabledAfterBox = ::IsWindowEnabled(main);
                 fw::test::ClickOnScreen(fw::test::UncoveredPoint(main, sheet));
                 fw::test::SettleScreen();
                 mainEnabledAfterClick = ::IsWindowEnabled(main);
                 sheetShown = fw::test::WaitFor([&caption] { return caption.IsShown(); }, 1500);
                 sheetAbove = fw::test::IsAbove(sheet, main);
                 // The field mended, so that the sheet may close.
                 ::SetWindowTextA(field, "60");
                 PressSheetButton(sheet, PSBTN_CANCEL);
             });
    ASSERT_EQ(1u, boxes.messageBoxes.size());
    EXPECT_EQ("Enter a whole number.", boxes.messageBoxes[0].text);
    EXPECT_EQ(shownSheet, boxOwner) << "the box is not the sheet's";
    EXPECT_FALSE(mainEnabledUnderBox);
    EXPECT_FALSE(mainEnabledAfterBox) << "the box enabled the main window";
    EXPECT_FALSE(mainEnabledAfterClick);
    EXPECT_TRUE(sheetShown) << "the main window covers the sheet on the screen";
    EXPECT_TRUE(sheetAbove) << "the main window lies above the sheet";
    EXPECT_TRUE(::IsWindowEnabled(main));
}

// With the box up, the user clicks into the emptied field, types and takes another page: no
// second box, and once the box is answered none is left and the sheet closes as asked.
TEST_F(SettingsSheets, TypingIntoTheSheetUnderItsBoxNestsNoSecondBox)
{
    const fw::test::CursorParkedAfter parkCursor;
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    fw::test::SystemBoxes boxes;
    fw::test::BoxAnswerer answerer(AfxGetApp()->m_pszAppName);
    bool boxLeft = true;
    RunSheet(ID_DISPLAY_SETTINGS, "Display Settings",
             [&](HWND sheet)
             {
                 const HWND page = SelectPage(sheet, 1);
                 const HWND field = ::GetDlgItem(page, IDC_MATERIAL_OBVERSE_SHININESS_EDIT);
                 ::SetForegroundWindow(sheet);
                 fw::test::SettleScreen();
                 fw::test::WhenDialogShows(
                     answerer.Caption(),
                     [&](HWND)
                     {
                         fw::test::SettleScreen();
                         fw::test::ClickOnScreen(fw::test::CentreOf(field));
                         fw::test::SettleScreen();
                         fw::test::PressOnScreen('5');
                         fw::test::PressOnScreen(VK_BACK);
                         fw::test::SettleScreen();
                         const HWND tabs =
                             reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
                         RECT tab = {};
                         ::SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
                         POINT centre = {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
                         ::ClientToScreen(tabs, &centre);
                         // Every box answered from here on, nested ones first.
                         answerer.SetAnswering(true);
                         fw::test::ClickOnScreen(centre);
                         fw::test::SettleScreen();
                     });
                 ::SetFocus(field);
                 ::SendMessageA(field, EM_SETSEL, 0, -1);
                 fw::test::PressOnScreen(VK_BACK);
                 fw::test::WaitFor([&] { return answerer.IsAnswering(); });
                 boxLeft = !fw::test::WaitFor([&] { return answerer.ShownBox() == nullptr; }, 1500);
                 ::SetWindowTextA(field, "60");
                 PressSheetButton(sheet, PSBTN_CANCEL);
             });
    EXPECT_EQ(1u, boxes.messageBoxes.size()) << "a box nested in the first";
    EXPECT_FALSE(boxLeft) << "a box was left unanswered";
    EXPECT_EQ(nullptr, answerer.ShownBox());
    EXPECT_EQ(nullptr, ::FindWindowA("#32770", "Display Settings")) << "the sheet did not close";
    EXPECT_TRUE(::IsWindowEnabled(MainFrame()->m_hWnd));
}
