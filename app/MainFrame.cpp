// The main frame: creation with its bars, the toolbar rows, shut-down and the frame map.
#include "app/MainFrame.h"

#include "app/ChildFrame.h"
#include "app/SplashWnd.h"
#include "app/WendraApp.h"
#include "core/services/AppEnvironment.h"
#include "core/services/StringFile.h"
#include "framework/OXWorkspaceState.h"
#include "platform/bars/dockbar.h"
#include "platform/base/exception.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "project/ProjectData.h"
#include "resources/ids/app_ids.h"
#include "resources/ids/view_ids.h"

FW_TABLE(CMainFrame, COXMenuBarHostFrame, fw::on<WM_CREATE, &CMainFrame::OnCreate>(),
         fw::on<WM_CLOSE, &CMainFrame::OnClose>(), fw::on<WM_DESTROY, &CMainFrame::OnDestroy>(),
         fw::command_range<ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST,
                           &CMainFrame::OnRecentProject>(),
         fw::command<ID_PROJECT_NEW, &CMainFrame::OnProjectNew>(),
         fw::command<ID_PROJECT_OPEN, &CMainFrame::OnProjectOpen>(),
         fw::command<ID_PROJECT_SAVE, &CMainFrame::OnProjectSave>(),
         fw::command<ID_PROJECT_SAVE_AS, &CMainFrame::OnProjectSaveAs>(),
         fw::command<ID_PROJECT_CLOSE, &CMainFrame::OnProjectClose>(),
         fw::command<ID_IMPORT_BULK_DATA, &CMainFrame::OnImportBulkData>(),
         fw::command<ID_IMPORT_UNV, &CMainFrame::OnImportUnv>(),
         fw::command<ID_IMPORT_OP2, &CMainFrame::OnImportOp2>(),
         fw::command<ID_EXPORT_DEFORMED_UNV, &CMainFrame::OnExportDeformedUnv>(),
         fw::command<ID_EXPORT_ORIGINAL_UNV, &CMainFrame::OnExportOriginalUnv>(),
         fw::update<ID_PROJECT_SAVE, &CMainFrame::OnUpdateProjectCommand>(),
         fw::update<ID_PROJECT_SAVE_AS, &CMainFrame::OnUpdateProjectCommand>(),
         fw::update<ID_PROJECT_CLOSE, &CMainFrame::OnUpdateProjectCommand>(),
         fw::update<ID_IMPORT_BULK_DATA, &CMainFrame::OnUpdateImportBulkData>(),
         fw::update<ID_IMPORT_OP2, &CMainFrame::OnUpdateImportBulkData>(),
         fw::update<ID_IMPORT_UNV, &CMainFrame::OnUpdateImportUnv>(),
         fw::update<ID_EXPORT_DEFORMED_UNV, &CMainFrame::OnUpdateExport>(),
         fw::update<ID_EXPORT_ORIGINAL_UNV, &CMainFrame::OnUpdateExport>(),
         fw::command<ID_DISPLAY_SETTINGS, &CMainFrame::OnDisplaySettings>(),
         fw::command<ID_RESULT_SETTINGS, &CMainFrame::OnResultSettings>(),
         fw::command<ID_SYSTEM_SETTINGS, &CMainFrame::OnSystemSettings>(),
         fw::update<ID_DISPLAY_SETTINGS, &CMainFrame::OnUpdateProjectSettings>(),
         fw::update<ID_RESULT_SETTINGS, &CMainFrame::OnUpdateProjectSettings>(),
         fw::command<ID_VIEW_OUTPUT_BAR, &CMainFrame::OnViewOutputBar>(),
         fw::command<ID_VIEW_WORKSPACE, &CMainFrame::OnViewWorkspace>(),
         fw::command<ID_VIEW_TOOLBAR, &CMainFrame::OnViewStandardToolbar>(),
         fw::update<ID_VIEW_OUTPUT_BAR, &CMainFrame::OnUpdateViewOutputBar>(),
         fw::update<ID_VIEW_WORKSPACE, &CMainFrame::OnUpdateViewWorkspace>(),
         fw::update<ID_VIEW_TOOLBAR, &CMainFrame::OnUpdateViewStandardToolbar>(),
         fw::command<ID_WINDOW_TILE_HORZ_SIDE, &CMainFrame::OnWindowTileHorz>(),
         fw::command<ID_WINDOW_TILE_VERT_STACK, &CMainFrame::OnWindowTileVert>(),
         fw::command<ID_WINDOW_NEXT, &CMainFrame::OnWindowNext>(),
         fw::command<ID_WINDOW_ARRANGE_ICONS, &CMainFrame::OnWindowArrange>(),
         fw::raw<CMainFrame::kPendingViewRefreshMessage, &CMainFrame::OnPendingViewRefresh>(),
         fw::raw<CMainFrame::kStartUpReadEndedMessage, &CMainFrame::OnStartUpReadEnded>(),
         fw::on<WM_DROPFILES, &CMainFrame::OnDropFiles>(),
         fw::on<WM_ENABLE, &CMainFrame::OnEnable>())

namespace
{
struct ToolBarInfo
{
    const char* name; // the bar's title, as the menus name it
    UINT controlId;
    UINT resourceId;
    UINT showCommand; // the show/hide command of the View menu
};

// By slot (CMainFrame::ToolBarSlot).
constexpr ToolBarInfo kToolBars[] = {
    {"Standard (&T)", AFX_IDW_TOOLBAR, IDR_MAINFRAME, ID_VIEW_TOOLBAR},
    {"WorkSpace", IDW_TOOLBAR_WORKSPACE, IDR_TOOLBAR_WORKSPACE, ID_TOOLBAR_WORKSPACE},
    {"Direction", IDW_TOOLBAR_DIRECTION, IDR_TOOLBAR_DIRECTION, ID_TOOLBAR_DIRECTION},
    {"Triad Postion", IDW_TOOLBAR_TRIAD_POSITION, IDR_TOOLBAR_TRIAD_POSITION,
     ID_TOOLBAR_TRIAD_POSITION},
    {"View Settings", IDW_TOOLBAR_VIEW_SETTINGS, IDR_TOOLBAR_VIEW_SETTINGS,
     ID_TOOLBAR_VIEW_SETTINGS},
    {"View Mode", IDW_TOOLBAR_VIEW_MODE, IDR_TOOLBAR_VIEW_MODE, ID_TOOLBAR_VIEW_MODE},
    {"Selection", IDW_TOOLBAR_SELECTION, IDR_TOOLBAR_SELECTION, ID_TOOLBAR_SELECTION},
    {"Selection Mode", IDW_TOOLBAR_SELECTION_MODE, IDR_TOOLBAR_SELECTION_MODE,
     ID_TOOLBAR_SELECTION_MODE},
    {"Selection Filter", IDW_TOOLBAR_SELECTION_FILTER, IDR_TOOLBAR_SELECTION_FILTER,
     ID_TOOLBAR_SELECTION_FILTER},
    {"Display Filter", IDW_TOOLBAR_DISPLAY_FILTER, IDR_TOOLBAR_DISPLAY_FILTER,
     ID_TOOLBAR_DISPLAY_FILTER},
    {"Animation", IDW_TOOLBAR_ANIMATION, IDR_TOOLBAR_ANIMATION, ID_TOOLBAR_ANIMATION},
};
static_assert(sizeof kToolBars / sizeof kToolBars[0] == CMainFrame::kToolBarCount);

// Creation order after the Standard toolbar; the Animation toolbar gets its combo box in
// between, View Mode and View Settings come last.
constexpr CMainFrame::ToolBarSlot kCreationOrder[] = {
    CMainFrame::kDisplayFilterBar, CMainFrame::kSelectionBar, CMainFrame::kSelectionFilterBar,
    CMainFrame::kSelectionModeBar, CMainFrame::kWorkSpaceBar, CMainFrame::kTriadPositionBar,
    CMainFrame::kDirectionBar,     CMainFrame::kAnimationBar};

// The two docked rows, each bar right of the one before.
constexpr CMainFrame::ToolBarSlot kFirstRow[] = {
    CMainFrame::kStandardBar,      CMainFrame::kWorkSpaceBar,    CMainFrame::kDirectionBar,
    CMainFrame::kTriadPositionBar, CMainFrame::kViewSettingsBar, CMainFrame::kViewModeBar};
constexpr CMainFrame::ToolBarSlot kSecondRow[] = {
    CMainFrame::kSelectionBar, CMainFrame::kSelectionModeBar, CMainFrame::kSelectionFilterBar,
    CMainFrame::kDisplayFilterBar, CMainFrame::kAnimationBar};

constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                ID_INDICATOR_SCRL};

constexpr const char* kLayoutFile = "..\\ini\\GRAVIK.cfg";

constexpr int kComboSeparatorWidth = 125;
constexpr int kComboWidth = 121;
constexpr int kComboDropHeight = 100;
} // namespace

CMainFrame::CMainFrame()
    : m_frameMap(10)
    , m_cmdManager(this)
{
    m_frameMap.InitHashTable(FrameMap::kDefaultHashTableSize);
    CString helpText;
    LoadStringFromFile(CString("Message.str"), CString("Status"), CString("HelpNotAvailable"),
                       &helpText);
    SetHelpUnavailableText(helpText);
    m_pPreviousQueryTools = InstallQueryTools(&m_queryTools);
    m_pPreviousSettingTools = InstallResultSettingTools(&m_settingTools);
    m_pPreviousDropDownMenus = InstallDropDownMenus(&m_menus);
}

CMainFrame::~CMainFrame()
{
    InstallResultSettingTools(m_pPreviousSettingTools);
    InstallQueryTools(m_pPreviousQueryTools);
    InstallDropDownMenus(m_pPreviousDropDownMenus);
    delete m_pProject;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return COXMenuBarHostFrame::PreCreateWindow(cs);
}

void CMainFrame::SetProject(CProjectData* project)
{
    if (project != m_pProject && m_pProject != nullptr)
    {
        // The views draw the old project's model and the tree's nodes point into it: they
        // go with it.
        CloseAllViews();
        RebuildProjectTree(CCmdRecord{const_cast<char*>(m_pProject->m_name.GetString()),
                                      CProjectTreePage::kClearTree});
        delete m_pProject;
    }
    m_pProject = project;
    m_frameCounter = 0;
    if (m_pProject != nullptr)
        m_pProject->SetHost(&m_projectHost);
}

void CMainFrame::RegisterFrame(int frameId, CChildFrame* frame)
{
    m_frameMap.SetAt(frameId, frame);
}

void CMainFrame::AddToRecentProjects(const CString& path)
{
    if (auto* app = dynamic_cast<CWendraApp*>(AfxGetApp()))
        app->AddToRecentProjects(path);
}

void CMainFrame::DockToolBarNextTo(CControlBar* left, CControlBar* bar)
{
    // The cool toolbar docks a bar on the side of another, just right of it, for its frame.
    m_toolBars[kStandardBar].DockControlBarLeftOf(bar, left);
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    const std::string failed = CreateParts(cs);
    if (!failed.empty())
    {
        const DWORD error = ::GetLastError();
        if (m_creationFailure != nullptr)
            *m_creationFailure = failed + " (system error " + std::to_string(error) + ")";
        return -1;
    }
    ArrangeToolBars();
    // The menus take the toolbars' pictures, so they come after the bars.
    m_menus.Attach(this);
    SetResultShowHost(this);
    CSplashWnd::ShowSplash(this);
    return 0;
}

void CMainFrame::OnClose()
{
    if (CloseProject() == IDCANCEL)
        return;
    if (!StoreLayout())
        ShowMessage("Error", "Closeerr", "message.str");
    if (auto* app = dynamic_cast<CWendraApp*>(AfxGetApp()))
        app->StoreRecentProjects();
    COXMenuBarHostFrame::OnClose();
}

void CMainFrame::PlaceMenuBarOnTop()
{
    COXMenuBar* menuBar = GetMenuBar();
    COXCoolToolBar& first = m_toolBars[kStandardBar];
    if (menuBar == nullptr || menuBar->m_hWnd == nullptr || first.m_hWnd == nullptr)
        return;
    RecalcLayout(TRUE);
    // A rectangle just above the first toolbar row makes a row of its own before it.
    CRect rect;
    first.GetWindowRect(&rect);
    rect.OffsetRect(0, -rect.Height());
    DockControlBar(menuBar, AFX_IDW_DOCKBAR_TOP, &rect);
    RecalcLayout(TRUE);
}

void CMainFrame::RestoreLayout()
{
    try
    {
        COXWorkspaceState state;
        // Child frames stay out: there is no project for their views at start-up.
        state.SetIncludeChildFrames(FALSE);
        state.LoadFromFile(DataPath(kLayoutFile).c_str(), TRUE);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

BOOL CMainFrame::StoreLayout()
{
    try
    {
        COXWorkspaceState state;
        state.SetIncludeChildFrames(FALSE);
        return state.StoreToFile(DataPath(kLayoutFile).c_str(), TRUE, TRUE, TRUE);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return FALSE;
}

void CMainFrame::OnDestroy()
{
    m_menus.Detach();
    for (COXCoolToolBar& bar : m_toolBars)
    {
        if (bar.m_hWnd != nullptr)
            bar.SetCustomizationMode(FALSE, nullptr);
    }
    if (GetResultShowHost() == this)
        SetResultShowHost(nullptr);
    COXMenuBarHostFrame::OnDestroy();
}

std::string CMainFrame::CreateParts(LPCREATESTRUCTA cs)
{
    const auto toolBar = [](ToolBarSlot slot)
    { return std::string("the toolbar \"") + kToolBars[slot].name + "\""; };
    if (COXMenuBarHostFrame::OnCreate(cs) == -1)
        return "the frame's view area and menu bar";
    if (!CreateToolBar(kStandardBar))
        return toolBar(kStandardBar);
    if (!CreateProjectTreeBar())
        return "the project tree bar";
    if (!CreateOutputBar())
        return "the output bar";
    if (!CreateStatusBar())
        return "the status bar";
    for (const ToolBarSlot slot : kCreationOrder)
    {
        if (!CreateToolBar(slot))
            return toolBar(slot);
    }
    if (!CreateLoadCaseCombo())
        return "the load-case box";
    for (const ToolBarSlot slot : {kViewModeBar, kViewSettingsBar})
    {
        if (!CreateToolBar(slot))
            return toolBar(slot);
    }
    return std::string();
}

BOOL CMainFrame::CreateToolBar(ToolBarSlot slot)
{
    const ToolBarInfo& info = kToolBars[slot];
    COXCoolToolBar& bar = m_toolBars[slot];
    // The Animation toolbar is made before its combo box and docked after it.
    DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS;
    if (slot == kStandardBar)
        style |= CBRS_SIZE_DYNAMIC;
    if (!bar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), info.controlId) ||
        !bar.LoadToolBar(info.resourceId))
        return FALSE;
    bar.SetWindowText(info.name);
    m_barShown[slot] = 1;
    if (slot == kAnimationBar)
        return TRUE;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&bar);
    return TRUE;
}

BOOL CMainFrame::CreateProjectTreeBar()
{
    if (!m_projectTreeBar.Create(this, "Project Tree", IDW_PROJECT_TREE_BAR) ||
        m_projectTreeBar.InitTree() == -1)
        return FALSE;
    m_projectTreeBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_projectTreeBar, AFX_IDW_DOCKBAR_LEFT);
    // One fifth of the screen wide, whatever the frame's own width.
    CClientDC dc(this);
    const int width = ::GetDeviceCaps(dc.m_hDC, HORZRES) / 5;
    CRect rect;
    m_projectTreeBar.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_projectTreeBar.m_sizeVertDock.cx = width;
    m_projectTreeBar.MoveWindow(rect.left, rect.top, width, rect.Height());
    return TRUE;
}

BOOL CMainFrame::CreateOutputBar()
{
    if (!m_outputBar.Create(this, "OutPut", IDW_OUTPUT_BAR))
        return FALSE;
    m_outputBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_outputBar, AFX_IDW_DOCKBAR_BOTTOM);
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM) ||
        !m_statusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return FALSE;
    // Bars take their sides in sibling order: first in the order, the status bar keeps the
    // frame's bottom edge below the dock bars made before it.
    ::SetWindowPos(m_statusBar.m_hWnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CMainFrame::CreateLoadCaseCombo()
{
    COXCoolToolBar& bar = m_toolBars[kAnimationBar];
    const int index = bar.CommandToIndex(ID_LOADCASE_COMBO);
    if (index < 0)
        return FALSE;
    bar.SetButtonInfo(index, ID_LOADCASE_COMBO, TBBS_SEPARATOR, kComboSeparatorWidth);
    CRect rect;
    bar.GetItemRect(index, &rect);
    rect.left += 1;
    rect.top += 1;
    rect.right = rect.left + kComboWidth;
    rect.bottom = rect.top + kComboDropHeight;
    if (!m_loadCaseCombo.Create(CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP |
                                    WS_VISIBLE | WS_CHILD,
                                rect, &bar, ID_LOADCASE_COMBO))
        return FALSE;
    // Made once and kept for the whole run; charset 144 names no set, so the face decides.
    static const HFONT font =
        ::CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 144, OUT_STROKE_PRECIS,
                      CLIP_STROKE_PRECIS, DRAFT_QUALITY, 100,
                      GetLanguageSetting() == kLanguageJapanese
                          ? "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"
                          : "Tahoma");
    m_loadCaseCombo.SetFont(font);
    m_loadCaseCombo.EnableWindow(FALSE);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&bar);
    return TRUE;
}

void CMainFrame::ArrangeToolBars()
{
    const auto arrangeRow = [this](const ToolBarSlot* first, const ToolBarSlot* end)
    {
        for (const ToolBarSlot* slot = first + 1; slot != end; ++slot)
            DockToolBarNextTo(&m_toolBars[*(slot - 1)], &m_toolBars[*slot]);
    };
    arrangeRow(std::begin(kFirstRow), std::end(kFirstRow));
    arrangeRow(std::begin(kSecondRow), std::end(kSecondRow));
}

CMainFrame::ToolBarSlot CMainFrame::SlotOfCommand(UINT commandId)
{
    for (int slot = 0; slot < kToolBarCount; ++slot)
    {
        if (kToolBars[slot].showCommand == commandId)
            return static_cast<ToolBarSlot>(slot);
    }
    return kToolBarCount;
}
