// The 3-D view: one model window with its drawing device, renderer, cameras, display settings
// and filters. As an entity set it reports displayed node positions and result values. Its
// handlers: window life (CAEView.cpp), the entity-set interface (CAEView_entities.cpp),
// filters (CAEView_filters.cpp), view directions and triads (CAEView_directions.cpp), display
// modes, bars and tools (CAEView_display.cpp), animation (CAEView_animation.cpp), image export
// (CAEView_export.cpp), AVI export (CAEView_avi.cpp), printing (CAEView_print.cpp), operation
// modes, mouse and camera (CAEView_mouse.cpp), the rubber band and hover picking
// (CAEView_band.cpp), the interactive selection with its keys and toolbars
// (CAEView_selection.cpp, CAEView_selectbar.cpp), the tools' commands (CAEView_tools.cpp,
// CAEView_section.cpp), the per-view contour and vector settings (CAEView_settings.cpp),
// deformation, animation frames and colour modes (CAEView_viewsettings.cpp). Each of those
// files lists its own message entries; CAEView.cpp joins them into the view's table.
#pragma once

#include "core/model/GroupSet.h"
#include "platform/base/coll_array.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"
#include "platform/docview/view.h"
#include "render/AESet.h"
#include "render/SceneView.h"
#include "view/ElementFilter.h"
#include "view/ProjectViewAdapter.h"
#include "view/ResultDisplay.h"
#include "view/ViewAnimation.h"
#include "view/ViewSelection.h"

#include <windows.h>

#include <cstddef>
#include <utility>

class CAviRecorderWnd;
struct CCmdRecord;
struct CPickRequestRecord;
class CCmdUI;
class CResultData;
class CModelSet;
class CProjectData;
class CAESettings;
class CViewMainFrame;

// The process-wide operation mode of the mouse (OperationMode): the next left-button drag in any
// view performs it, and the release ends it.
extern int g_nOperationMode;

enum OperationMode : int
{
    kModeNone = 0, // picking and selection
    kModePan = 1,
    kModeWindowZoom = 4,
    kModeZoom = 5,
    kModeRotate3D = 6,
    kModeRotateVertical = 8,
    kModeRotateHorizontal = 9,
    kModeRotatePlane = 10
};

class CCAEView : public CView, public CSceneView, public CResultDisplay
{
    FW_CLASS(CCAEView, CView)

public:
    // Element-filter modes.
    enum ElementFilterMode
    {
        kFilterByProperty = 0,
        kFilterByMaterial = 1,
        kFilterByGroup = 2,
        kNoElementFilter = 3
    };
    // Corners of the reference triad.
    enum TriadCorner
    {
        kLeftTop = 0,
        kRightTop = 1,
        kLeftBottom = 2,
        kRightBottom = 3
    };

    CCAEView();
    ~CCAEView() override;

    // The group the view shows; set when a project opens or a view is made on it.
    void SetCurrentGroup(CGroupSet* group) { m_AESet.SetGroup(group); }
    // Invalidates the view without erasing: OpenGL paints every pixel.
    void InvalidateView() override
    {
        if (m_hWnd != nullptr)
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }

    // Renderer's questions (CSceneView).
    CModelSet* GetModel() const override;
    bool GetSceneSettings(CSceneSettings& settings) const override;
    int IsElementFilterActive() const override;
    CPoint3D GetElementCenter(const CFEElement* element) const override;
    bool IsDragging() const override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // Entity-set interface: displayed positions and values; the rest is the group's.
    CFENode* GetNode(int id) const override;
    CPoint3D GetNodePoint(int id) const override;
    double GetResultValue(int nodeId, int elementId) const override;
    bool AddNode(CFENode* node) override;
    CFEElement* FindElement(int id) const override;
    bool AddElement(CFEElement* element) override;
    bool ContainsEntity(int id) const override;
    bool ContainsEdge(int nodeId1, int nodeId2) const override;
    // The displayed value of a node, in an element when its values are per element node; NaN
    // where the shown result has none.
    double GetNodeValue(int nodeId, int elementId) const;

    // Filters. Visibility by the element filter: 1 visible, 0 hidden (and for null).
    int IsEntityVisible(const CFEElement* element) const override;
    bool HasVisibleElement(const CFENode* node) const override;
    // 1 when an element of the list exists in the model and is visible.
    int HasVisibleElement(const CDWordArray& elementIds) const;
    // Every property, material and group of the model made visible.
    void LoadElementFilter(CModelSet* model);
    // Ridge-edge caches stored with a project's view, when it has them.
    void LoadViewIdMaps(const CEdgeMap& solidEdges, const CEdgeMap& shellEdges);
    // Empties the ridge-edge caches so that the next rebuild extracts them again.
    void ClearStoredIdMaps();

    // Animation: the shown result (the contour's, else the vectors') over its loaded cases when
    // they are steps, else over the renderer's frames; timer kAnimationTimer advances it.
    static constexpr UINT_PTR kAnimationTimer = 2;
    int GetShownResultId() const;
    // Enables the item (null: only the answer) when the shown result can be animated.
    BOOL CanAnimate(CCmdUI* cmdUI);
    // A new frame shows the deformed shape: absolute for step results, relative to the model
    // size otherwise. A display already deformed stays as it is.
    void SwitchDeformationOn(const CResultData& result);

    // Export: the view's frame drawn into its back buffer and read from the bottom row up,
    // width x height pixels of 3 bytes in format (GL_RGB or GL_BGR_EXT), then shown; false
    // without a rendering context. The AVI of the animation, written to path.
    bool CaptureFrame(int width, int height, UINT format, unsigned char* pixels);
    BOOL CaptureAviFrames(const CString& path);

    // Printing: the frame drawn into the print context, without making the view's own
    // current and without swapping.
    virtual void DrawForPrint(CDC*) {}

    // Triads.
    void PlaceTriad(int corner);
    void DrawTriad(CViewVolume& camera);

    // The operation mode for every view: mode 0 releases the mouse, any other captures it for
    // this view; the cursor follows.
    void SetOperationMode(int mode);
    // Mouse capture, as SetOperationMode leaves it.
    void SetOperationModeNoCapture(int mode);

    // Interactive selection. How a selection ends (CommitSelection).
    enum SelectionEnd
    {
        kDecision = 0,    // OK
        kAbort = 1,       // Cancel
        kLimitReached = 2 // OK: the maximum number of picks
    };
    // Opens a selection for a pick request (code 500).
    void ResetSelection(const CPickRequestRecord& request);
    // The one entry of every pick action: each entity is picked, or unpicked when it was
    // picked; the action opens a new batch when it adds something. Reaching the maximum number
    // of picks ends the selection.
    void AddPickedEntity(const CEntityArray& entities);
    // Ends the selection and hands the picked entities to the command manager (code 600).
    void CommitSelection(int how);
    // Closes the selection without a word to the manager.
    void ClearSelection();
    // The rubber band of a window zoom or an area selection, drawn over the frame.
    void DrawRubberBand();

    // The main window, set by whoever creates the view.
    CViewMainFrame* MainFrame() const { return m_pMainFrame; }
    void SetMainFrame(CViewMainFrame* frame) { m_pMainFrame = frame; }
    // The view as the project file sees it.
    CProjectViewAdapter& ProjectView() { return m_ProjectView; }
    // This view's key in the main frame's frame map.
    int FrameKey() const { return m_nFrameKey; }
    void SetFrameKey(int key) { m_nFrameKey = key; }
    CAESet& Renderer() { return m_AESet; }
    const CAESet& Renderer() const { return m_AESet; }
    // The bitmap font of the view's texts.
    UINT TextFontBase() const { return m_nTextFontBase; }
    void SetTextFontBase(UINT base) { m_nTextFontBase = base; }
    // The interactive selection a pick request runs.
    CViewSelection& ViewSelection() { return m_viewSelection; }
    const CViewSelection& ViewSelection() const { return m_viewSelection; }
    CViewAnimation& Animation() { return m_animation; }
    const CViewAnimation& Animation() const { return m_animation; }
    CElementFilter& ElementFilter() { return m_elementFilter; }
    const CElementFilter& ElementFilter() const { return m_elementFilter; }
    // Printing and image export exchange black and white.
    bool IsReverseBlackWhite() const { return m_bReverseBlackWhite != 0; }
    void SetReverseBlackWhite(bool isReversed) { m_bReverseBlackWhite = isReversed ? 1 : 0; }
    // Rotation about the model's centre rather than the view's.
    bool IsModelCenteredRotation() const { return m_bModelCenteredRotation != 0; }
    void SetModelCenteredRotation(bool isCentered)
    {
        m_bModelCenteredRotation = isCentered ? 1 : 0;
    }

    FW_MESSAGE_TABLE()

protected:
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}

    // Operation modes, mouse, wheel and keys.
    void OnOperationMode(UINT commandId);
    void OnUpdateOperationMode(CCmdUI* cmdUI);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnTimer(UINT_PTR id);

    // Selection toolbar, selection mode toolbar, undo and redo.
    void OnCancelAll();
    void OnCancelOne();
    void OnDecision();
    void OnAbortSelection();
    void OnSelectAll();
    void OnSelectEntities(UINT commandId);
    void OnUpdateSelecting(CCmdUI* cmdUI);
    void OnUpdateSelectByGroup(CCmdUI* cmdUI);
    void OnSelectionShape(UINT commandId);
    void OnUpdateSelectionShape(CCmdUI* cmdUI);
    void OnUndo();
    void OnRedo();
    void OnUpdateUndo(CCmdUI* cmdUI);
    void OnUpdateRedo(CCmdUI* cmdUI);

    // Window life.
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();
    void OnRecentProject(UINT commandId);
    void OnSetFocus(CWnd* oldWnd);

    // View directions, triad corners, auto scale.
    void OnViewDirection(UINT commandId);
    void OnUpdateViewDirection(CCmdUI* cmdUI);
    void OnViewAngle();
    void OnViewVector();
    void OnAutoScale();
    void OnTriadCorner(UINT commandId);
    void OnUpdateTriadCorner(CCmdUI* cmdUI);
    // A drop-down button of a view toolbar: its bitmap menu under the button.
    void OnToolBarDropDown(NMHDR* header, LRESULT* result);

    // Display modes, redraw, tools, bars, the load-case combo.
    void OnDisplayMode(UINT commandId);
    void OnUpdateDisplayMode(CCmdUI* cmdUI);
    void OnRedraw();
    void OnShrinkSetting();
    void OnClipping();
    void OnEditElementProperty();
    void OnLoadCaseChange();
    void OnToolbar(UINT commandId);
    void OnUpdateToolbar(CCmdUI* cmdUI);

    // Display filter, selection filter, id labels, element filter.
    void OnDisplayFilter(UINT commandId);
    void OnUpdateDisplayFilter(CCmdUI* cmdUI);
    void OnSelectionFilter(UINT commandId);
    void OnUpdateSelectionFilter(CCmdUI* cmdUI);
    void OnShowElementIds();
    void OnUpdateShowElementIds(CCmdUI* cmdUI);
    void OnShowNodeIds();
    void OnUpdateShowNodeIds(CCmdUI* cmdUI);
    void OnElementFilter();

    // Information and element tools, rotation centre (CAEView_tools.cpp).
    void OnInfoTool(UINT commandId);
    void OnUpdateIdLabelTool(CCmdUI* cmdUI);
    void OnUpdateNodalResultTool(CCmdUI* cmdUI);
    void OnUpdateElementalResultTool(CCmdUI* cmdUI);
    void OnRotationCenter();

    // Solid sectioning (CAEView_section.cpp): a principal plane or three picked nodes.
    void OnSectionPlane(UINT commandId);
    void OnCustomSection();

    // Per-view contour and vector settings (CAEView_settings.cpp).
    void OnContourSettings();
    void OnVectorSettings();
    void OnUpdateContourSettings(CCmdUI* cmdUI);
    void OnUpdateVectorSettings(CCmdUI* cmdUI);
    void StopAnimationForSettings();

    // Group commands (CAEView_groups.cpp).
    void OnGroupCreate();
    void OnGroupList(UINT commandId);
    void OnUpdateGroupCommand(CCmdUI* cmdUI);

    // Results (CAEView_result.cpp): the Display Result command, and the model commands enabled
    // while a project with a model is open.
    void OnDisplayResultCommand();
    void OnUpdateModelCommand(CCmdUI* cmdUI);

    // Animation commands and timer (CAEView_animation.cpp).
    void OnPlay();
    void OnStop();
    void OnBack();
    void OnForward();
    void OnRepeat();
    void OnUpdateAnimation(CCmdUI* cmdUI);
    void OnUpdateStop(CCmdUI* cmdUI);
    void OnAnimationTimer(UINT_PTR id);

    // Deformation and animation-frame settings, colour modes (CAEView_viewsettings.cpp).
    void OnDeformationSettings();
    void OnUpdateDeformationSettings(CCmdUI* cmdUI);
    void OnAnimationSettings();
    void OnUpdateAnimationSettings(CCmdUI* cmdUI);
    void OnColorMode(UINT commandId);
    void OnUpdateColorMode(CCmdUI* cmdUI);

    // Image and AVI export (CAEView_export.cpp, CAEView_avi.cpp).
    void OnExportImage();
    void OnExportAvi();

    // Printing (CAEView_print.cpp): Print and Print Preview ask about black and white first.
    void OnPrintAsking();
    void OnPrintPreviewAsking();
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;

    // What the result display asks of its view.
    CSceneView& ResultScene() override { return *this; }
    CAESet& ResultRenderer() override { return m_AESet; }
    const CResultDisplayAttr* ContourDefaults() override;
    const CVectorDisplayAttr* VectorDefaults() override;
    bool GetGeneralFont(LOGFONT& font, COLORREF& color) override;
    CString GetProjectTitle() override;
    int GetElementFilterMode() override { return m_elementFilter.Mode(); }
    bool IsAnimating() override { return m_animation.IsAnimating(); }
    int GetFrameKey() override { return m_nFrameKey; }
    UINT GetTextFontBase() override { return m_nTextFontBase; }
    CResultDisplay* OpenResultView(const CString& caption) override;
    void CopyElementFilterTo(CResultDisplay& target) override;
    void HideNodes() override;
    void SelectLoadCaseCombo(int resultId) override;
    void SetDocumentTitle(const CString& title) override;
    void ActivateAndUpdate() override;
    void ShowStatusText(const char* key) override { ShowStatus(key); }
    // Tells the command manager, whose running command may follow the new result.
    void OnShownResultChanged() override;

    // The project and its settings, or null.
    CProjectData* GetProject() const;
    CAESettings* GetSettings() const;
    // Status text: key of section "MsgPane" in "Message.str".
    void ShowStatus(const char* key) const;
    // Stores the frame key in the command manager and sends the record.
    void SendCommand(CCmdRecord& record) const;
    void ApplyViewAngles(const CPoint3D& anglesDeg);

private:
    // The message entries of one handler file, joined into the view's table.
    using EntrySpan = std::pair<const fw::MsgEntry*, std::size_t>;
    static EntrySpan WindowEntries();       // CAEView.cpp
    static EntrySpan DirectionEntries();    // CAEView_directions.cpp
    static EntrySpan DisplayEntries();      // CAEView_display.cpp
    static EntrySpan ResultEntries();       // CAEView_result.cpp
    static EntrySpan AnimationEntries();    // CAEView_animation.cpp
    static EntrySpan ExportEntries();       // CAEView_export.cpp
    static EntrySpan AviEntries();          // CAEView_avi.cpp
    static EntrySpan PrintEntries();        // CAEView_print.cpp
    static EntrySpan FilterEntries();       // CAEView_filters.cpp
    static EntrySpan ToolEntries();         // CAEView_tools.cpp
    static EntrySpan SectionEntries();      // CAEView_section.cpp
    static EntrySpan SettingsEntries();     // CAEView_settings.cpp
    static EntrySpan MouseEntries();        // CAEView_mouse.cpp
    static EntrySpan SelectionKeyEntries(); // CAEView_selection.cpp
    static EntrySpan TimerEntries();        // CAEView_band.cpp
    static EntrySpan SelectBarEntries();    // CAEView_selectbar.cpp
    static EntrySpan GroupEntries();        // CAEView_groups.cpp
    static EntrySpan ViewSettingEntries();  // CAEView_viewsettings.cpp

    void SetShownResultId(int resultId);
    CResultData* PrepareAnimatedResult();
    // A case or frame shown; one of a running animation or recording keeps its range.
    void ShowAnimationFrame(int resultId, bool isAnimationFrame);
    void ShowRendererFrame(int resultId, bool isAnimationFrame);
    void StepAnimation(bool forward);
    void AdvanceAnimation();
    // One frame of the AVI: the result (a case of a step result, else a frame) shown, drawn,
    // read into pixels and recorded.
    bool GrabAviFrame(int resultId, bool isStep, int width, int height, unsigned char* pixels,
                      CAviRecorderWnd& recorder);
    // Status text of the export in the status bar and the output log.
    void ShowExportStatus(const char* key);
    // The printout: the view rendered into a bitmap of a fixed size in a context of its own,
    // stretched to the page width.
    void RenderToBitmap(CDC* dc, CPrintInfo* info);
    // Rubber bands drawn over the frame.
    enum RubberBand
    {
        kNoBand,
        kBandRectangle,
        kBandEllipse
    };

    // Camera moves of a left-button drag (CAEView_mouse.cpp); true when one moved the camera.
    bool MoveCamera(UINT flags, int x, int y);
    void ZoomByDrag(int y);
    void EndWindowZoom();
    void DragSelection(UINT flags, int x, int y);
    void ReleaseSelection(int x, int y);
    // Selection (CAEView_selection.cpp).
    // EntityKindBit a click may pick: masses never.
    int PickableKinds() const;
    // The entities under a window point, nearest first.
    void PickAt(int x, int y, CEntityArray& hits);
    void PickSingle(int x, int y);
    // Enter and Esc while a selection is open.
    void OnSelectionKey(UINT key);
    void ClosePolygon();
    void OnEscape();
    void CollectDisplayedEntities(CEntityArray& entities) const;
    // Hover picking, at most once per interval, or once the mouse rests when picks are slow
    // (CAEView_band.cpp).
    void HoverAt(int x, int y);
    void PickHover(int x, int y);

    CViewMainFrame* m_pMainFrame = nullptr;
    CProjectViewAdapter m_ProjectView{*this};
    int m_nFrameKey = 0;
    CAESet m_AESet;
    UINT m_nTextFontBase = 0;
    CPoint3D m_ptMouseDown;
    CPoint3D m_ptMouseLast;
    CViewSelection m_viewSelection{EditSelection()};
    CViewAnimation m_animation;
    CElementFilter m_elementFilter;
    BYTE m_bReverseBlackWhite = 0;
    BYTE m_bModelCenteredRotation = 1;
    int m_nRubberBand = kNoBand;
    bool m_bCameraMoved = false;  // the press moved the camera: its release picks nothing
    bool m_bHoverPicked = false;  // a hover pick has been made
    bool m_bHoverPending = false; // a hover pick waits for the timer
    bool m_bSlowHover = false;    // hover picks wait until the mouse rests
    ULONGLONG m_hoverTick = 0;    // when the last hover pick ended (sys clock, ms)
    ULONGLONG m_hoverInterval = 0;
};
