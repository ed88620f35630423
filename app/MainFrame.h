// The program's top-level window: a multiple-document frame that owns the open project, the
// command manager, the frame map through which tools reach the views, eleven toolbars in two
// rows, the load-case combo box of the Animation toolbar and the status bar. It reports to the
// user through the output log and the status bar, refreshes every view after settings change,
// shows the splash while it is made, and stores the recent projects when it closes.
#pragma once

#include "app/AEOutputBar.h"
#include "app/AEProjectWorkspace.h"
#include "app/FrameMenus.h"
#include "app/FrameProjectHost.h"
#include "core/model/ResultShowHost.h"
#include "dialogs/settings/ResultSettingTools.h"
#include "dialogs/settings/SettingsPage.h"
#include "dialogs/tools/DialogQueryTools.h"
#include "framework/OXMenuBarFrame.h"
#include "platform/bars/statusbar.h"
#include "platform/base/coll_map.h"
#include "platform/ctrl/stdctrl.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"
#include "widgets/bars/OXCoolToolBar.h"
#include "widgets/bars/OXFlatLookComboBox.h"

#include <array>
#include <string>
#include <vector>

class CChildFrame;
class CModelSet;
class CStartUpRead;
struct CModelFileRead;
enum class ModelFileKind;

// The frame id of a project's first view, whose frame stays open while the project is.
constexpr int kFirstFrameId = 1;

class CMainFrame : public COXMenuBarHostFrame,
                   public CViewMainFrame,
                   public CResultShowHost,
                   public CSettingsHost
{
    FW_CLASS(CMainFrame, COXMenuBarHostFrame)

public:
    using FrameMap = CMap<int, int, CChildFrame*, CChildFrame*>;

    // The toolbars, in the order of their slots.
    enum ToolBarSlot
    {
        kStandardBar,
        kWorkSpaceBar,
        kDirectionBar,
        kTriadPositionBar,
        kViewSettingsBar,
        kViewModeBar,
        kSelectionBar,
        kSelectionModeBar,
        kSelectionFilterBar,
        kDisplayFilterBar,
        kAnimationBar,
        kToolBarCount,
        kToolBarSlots = 12 // one slot stays uncreated
    };

    CMainFrame();
    ~CMainFrame() override;

    // Messages for the user: a text of a string file, or a raw line, appended to the output
    // log (and its log file); the status bar's message pane.
    void ShowMessage(const char* section, const char* key, const char* file) override;
    void ShowMessageWithArg(const char* section, const char* key, const char* file,
                            const char* argument);
    void AddOutputLine(const char* text) override;
    void SetStatusText(const char* text);
    // A command's status-bar prompt in the program's language ("standard.str", "Prompt").
    void GetMessageString(UINT id, CString& message) const override;
    // A toolbar button's tip in the program's language ("standard.str", "ToolTip").
    void GetToolTipString(UINT id, CString& tip) const override;
    // The docked bars: the output log at the bottom, the project tree on the left.
    CAEOutputBar& GetOutputBar() { return m_outputBar; }
    CAEProjectWorkspace& GetProjectTreeBar() { return m_projectTreeBar; }
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // Posted while a settings sheet is shown: the views' refresh its pages asked for is due.
    static constexpr UINT kPendingViewRefreshMessage = WM_APP + 42;
    // Posted from the start-up read's thread as the read ends.
    static constexpr UINT kStartUpReadEndedMessage = WM_APP + 43;

    // CloseProject's results besides IDCANCEL (the user kept the project) and IDOK (closed).
    static constexpr int kNoProject = 6;
    // DoSaveProject's results.
    static constexpr int kSaved = 1;
    static constexpr int kSaveCancelled = -1;
    static constexpr int kSaveFailed = 0;

    // Closes the open project after asking whether to save it: kNoProject when none was open,
    // IDCANCEL when the user kept it, IDOK when it closed with its views.
    int CloseProject();
    // For a project whose elements took property colours (a universal file of the model would
    // differ): informOnly says so; otherwise the user may cancel, and true means cancelled.
    bool ConfirmUnvModified(bool informOnly);
    // Saves the open project, asking for the file when it has none (or saveAs): kSaved,
    // kSaveCancelled when the user cancelled, kSaveFailed when the file was not written.
    int DoSaveProject(bool saveAs);
    // At an end of the program that cannot wait for a save (it may be asked from another
    // thread while this window does not answer): the open project's unsaved changes written to
    // a recovery copy beside its file. The copy, or "" when there was nothing to keep or it
    // could not be written.
    std::string KeepUnsavedProject();

    // The open project (owned; null when none) and the frame counter of its views.
    CProjectData* GetProject() override { return m_pProject; }
    // Makes project (owned from now on; null for none) the open one, deleting the one before
    // with its views, unasked; the views of the new project are counted from 1 again.
    void SetProject(CProjectData* project);
    int GetFrameCounter() const { return m_frameCounter; }
    CCmdManager* GetCmdManager() override { return &m_cmdManager; }

    // The frame map: frame id to child frame.
    FrameMap& GetFrameMap() { return m_frameMap; }
    void RegisterFrame(int frameId, CChildFrame* frame);
    CCAEView* GetFrameView(int frameKey) override;
    void RemoveFrame(int frameKey) override;
    // A document, child frame and 3-D view for the open project under the next frame id, in
    // the project's display mode for new views; the caption follows the project's name.
    CCAEView* CreateMainView(const CString& caption) override;
    // The same in the display mode given, its lists built at once when render is set; the
    // suffix (null for none) follows the project's name in the title. The view, or null.
    CCAEView* CreateMainView(int displayMode, bool render, const char* suffix);
    // For every view of the frame map: the display lists rebuilt when render is set, the
    // triad placed in the project's corner, the view redrawn. While a settings sheet is shown
    // the requests of its pages are gathered and carried out once, after the pages applied.
    void ApplySettingsToAllViews(BOOL render) override;
    // How many times every view was refreshed so far (the lists rebuilt, or only redrawn).
    int GetViewRefreshCount() const { return m_viewRefreshCount; }
    // What the settings pages ask of the views (MainFrame_settings.cpp).
    void ApplyBackgroundColor(COLORREF color) override;
    bool GetActiveViewAngles(CPoint3D& anglesDeg) override;
    void SetActiveViewDisplayMode(int mode) override;
    // Each view's two id-label font lists made anew from the project's fonts, in the view's
    // own rendering context.
    void RebuildLabelFontLists();
    void RefreshGeometryNode() override;
    void OnRecentProject(UINT commandId) override;

    // Results shown from the project tree: the open project's model and the active view.
    CModelSet* GetProjectModel() override;
    bool HasActiveView() override;
    void DisplayResultView(int resultId, int mode, int component, BOOL flag) override;

    // The load-case combo box: the loaded cases of a result, each with its packed id.
    void FillLoadCaseCombo(int resultId) override;
    // Fills the combo from the model (an unknown id leaves it empty).
    void FillLoadCaseCombo(const CModelSet* model, int resultId);
    void SelectLoadCaseCombo(int resultId) override;
    bool GetSelectedLoadCase(int& resultId) override;
    COXFlatLookComboBox& GetLoadCaseCombo() { return m_loadCaseCombo; }

    // The toolbars and their "shown" bytes, by slot or by show/hide command id.
    COXCoolToolBar& GetToolBar(ToolBarSlot slot) { return m_toolBars[slot]; }
    BYTE* GetBarShownFlag(UINT commandId) override;
    bool IsBarVisible(UINT commandId) override;
    void ShowBar(UINT commandId, BOOL show) override;
    CStatusBar& GetStatusBar() { return m_statusBar; }
    // The bitmap menus of the frame and of the view toolbars' drop-downs.
    CFrameMenus& GetMenus() { return m_menus; }
    // Docks bar on the row of left, just right of it.
    void DockToolBarNextTo(CControlBar* left, CControlBar* bar);

    // The views' modal settings dialogs, owned by no window: true on OK.
    bool RunShrinkSettingDialog(int frameKey) override;
    bool RunViewAngleDialog(CPoint3D& angles, CString texts[3]) override;
    bool RunViewVectorDialog(CPoint3D& direction) override;
    bool RunDeformationDialog(CDeformationChoice& choice) override;
    bool RunMaxLCStepDialog(int& frames) override;
    // The views' modeless tool dialogs.
    void OpenClippingDialog(int frameKey, double startZ, double endZ) override;
    void OpenElementFilterDialog(CCAEView* view) override;

    // The menu bar, docked once the frame was made, goes to the top row above the toolbars.
    void PlaceMenuBarOnTop();
    // The window layout file "..\ini\GRAVIK.cfg": restored after start-up shows the frame (a
    // missing or bad file changes nothing), stored at shut-down ("Closeerr" when it fails).
    void RestoreLayout();
    BOOL StoreLayout();

    // Records a project file as the most recent one (the application keeps the list).
    void AddToRecentProjects(const CString& path);
    // True when the result name is one of the product INI's default results.
    BOOL IsDefaultResult(const CString& name) const;

    // Project and file commands (MainFrame_file.cpp, MainFrame_import.cpp).
    // Reads a model file into the open project by the name's ending: ".unv", ".d", ".dat",
    // ".bdf" and ".op2" (results, and the mesh when the model has none yet); other names read
    // nothing. name is the bare file name, path the full path.
    void ReadFile(const CString& name, const CString& path);
    // After a model read: the loaded results refreshed, the first view redrawn on the model
    // (made when missing), the results added to the project tree.
    void RebuildDisplay(bool updateResults = true);
    // The one way the frame changes the project tree.
    void RebuildProjectTree(const CCmdRecord& record);
    // A new project for a model file named on the command line or dropped: its first view,
    // the file read into it.
    void OpenFileInNewProject(const CString& name, const CString& path);
    // The project (ownership moves to the frame) made the open one, with its tree built by the
    // code given and its first view.
    void OpenNewProject(CProjectData* project, CProjectTreePage::RebuildCode treeCode);
    // Start-up on the command line's file: nothing when it does not exist; otherwise the file
    // in a new project, with its default displacement result (or else its first nodal result)
    // shown as a contour.
    void OpenStartUpFile(const CString& path);
    // The start-up read still running once the frame is shown (the application's): the frame
    // answers meanwhile, with its commands greyed and a wait cursor, and opens the read's
    // project when the read ends. A close meanwhile is not kept waiting.
    void AwaitStartUpRead(CStartUpRead& read);
    bool IsReadingStartUpFile() const { return m_startUpRead != nullptr; }
    // True when the name ends in ".unv", ".d", ".dat", ".bdf" or ".op2" in any letter case.
    static bool IsModelFileName(const CString& name);

    // Sorts values[low..high] ascending; stable, O(n log n) whatever the order given.
    static void QuickSort(int* values, int low, int high);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    // Where creation names the part of the frame it could not make, with the system's error:
    // a frame whose creation fails is gone by the time LoadFrame returns.
    void ReportCreationFailureTo(std::string* failure) { m_creationFailure = failure; }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnClose();
    void OnDestroy();

    void OnProjectNew();
    void OnProjectOpen();
    void OnProjectSave();
    void OnProjectSaveAs();
    void OnProjectClose();
    void OnImportBulkData();
    void OnImportUnv();
    void OnImportOp2();
    void OnExportDeformedUnv();
    void OnExportOriginalUnv();
    void OnDropFiles(HDROP drop);
    void OnEnable(BOOL enable);
    void OnUpdateProjectCommand(CCmdUI* cmdUI);
    void OnUpdateImportBulkData(CCmdUI* cmdUI);
    void OnUpdateImportUnv(CCmdUI* cmdUI);
    void OnUpdateExport(CCmdUI* cmdUI);

    // Settings sheets, bars and the Window menu (MainFrame_settings.cpp).
    void OnDisplaySettings();
    void OnResultSettings();
    void OnSystemSettings();
    void OnUpdateProjectSettings(CCmdUI* cmdUI);
    void OnViewOutputBar();
    void OnViewWorkspace();
    void OnViewStandardToolbar();
    void OnUpdateViewOutputBar(CCmdUI* cmdUI);
    void OnUpdateViewWorkspace(CCmdUI* cmdUI);
    void OnUpdateViewStandardToolbar(CCmdUI* cmdUI);
    void OnWindowTileHorz();
    void OnWindowTileVert();
    void OnWindowNext();
    void OnWindowArrange();

private:
    // The bars and boxes of the frame in their order; the part that failed, empty when none.
    std::string CreateParts(LPCREATESTRUCTA cs);
    BOOL CreateToolBar(ToolBarSlot slot);
    BOOL CreateStatusBar();
    BOOL CreateProjectTreeBar();
    BOOL CreateOutputBar();
    BOOL CreateLoadCaseCombo();
    void ArrangeToolBars();
    void CloseAllViews();
    // Every open document takes the project's name.
    void RetitleDocuments();
    // The user's choice of the results of an OUTPUT2 file, marked in the model's records.
    void ChooseOp2Results(CModelSet& model, const CString& path,
                          const std::vector<CResultData*>& results);
    // The three imports: a file of the filter read into the project, its folder remembered.
    void ImportFile(const char* filter, int folderSlot, const char* folderKey, bool logged);
    // Both exports; deformed takes the node positions the active view shows.
    void ExportUnv(bool deformed);
    // Stores the folder of path, with its backslash, in the project's slot and the INI key.
    void StoreFileFolder(const CString& path, int folderSlot, const char* folderKey);
    // After a model file's read: its folder stored, a failed read's file dropped from the
    // project, the display rebuilt.
    void FinishReadFile(ModelFileKind kind, const CString& path, const CModelFileRead& read);
    // Shows the nodal scalar of the model's default displacement result, or else the first
    // nodal scalar of the tree, as a double click on it does.
    void ShowStartUpResult();
    // The slot of a toolbar's show/hide command; kToolBarCount when none.
    static ToolBarSlot SlotOfCommand(UINT commandId);
    // The active view of the active child frame, or null.
    CCAEView* ActiveChildView();
    // Shows a settings sheet modally, its pages' view refreshes gathered into one.
    INT_PTR RunSettingsSheet(CPropertySheet& sheet);
    void RefreshAllViews(BOOL render);
    void FlushPendingViewRefresh();
    LRESULT OnPendingViewRefresh(WPARAM, LPARAM);
    LRESULT OnStartUpReadEnded(WPARAM, LPARAM);
    // The same for the start-up read once it has ended: its project, with its messages where
    // the read would have given them (those before the read were said as it began).
    void OpenStartUpFile(CStartUpRead& read);
    // The project made the open one, named, with its tree and first view, without a word.
    void MakeNewProjectOpen(CProjectData* project, CProjectTreePage::RebuildCode treeCode);
    // The three lines a new project's opening gives before its file is read.
    void ShowNewProjectMessages();
    // CreateMainView without its line in the output log.
    CCAEView* MakeMainView(int displayMode, bool render, const char* suffix);

    CAEOutputBar m_outputBar;
    CAEProjectWorkspace m_projectTreeBar;
    FrameMap m_frameMap;
    std::array<COXCoolToolBar, kToolBarSlots> m_toolBars;
    std::array<BYTE, kToolBarSlots> m_barShown = {};
    CDialogQueryTools m_queryTools; // installed while the frame lives
    CQueryTools* m_pPreviousQueryTools = nullptr;
    CDialogResultSettingTools m_settingTools; // installed while the frame lives
    CResultSettingTools* m_pPreviousSettingTools = nullptr;
    CFrameMenus m_menus; // the drop-downs' tracker while the frame lives
    CDropDownMenus* m_pPreviousDropDownMenus = nullptr;
    CCmdManager m_cmdManager;
    COXFlatLookComboBox m_loadCaseCombo;
    CStatusBar m_statusBar;
    CProjectData* m_pProject = nullptr; // owned
    int m_frameCounter = 0;
    CFrameProjectHost m_projectHost{*this};
    bool m_isSettingsSheetShown = false;
    // Set while the OUTPUT2 import command reads: the user chooses the results to load. Other
    // reads (a new project's file, a dropped file, the command line) load every result.
    bool m_isChoosingOp2Results = false;
    // What the pages of the sheet asked for: -1 nothing, 0 a redraw, 1 lists rebuilt too.
    int m_pendingViewRefresh = -1;
    int m_viewRefreshCount = 0;
    std::string* m_creationFailure = nullptr; // the creator's, during LoadFrame
    CStartUpRead* m_startUpRead = nullptr;    // the application's, while it runs
};
