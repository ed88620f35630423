// The part of a 3-D view that its renderer works with: the drawing device and cameras, the
// model box, the display settings of the view and its ridge-edge caches, and the questions the
// renderer asks while it builds and draws. The 3-D view derives from it; as an entity set it is
// the renderer's source of displayed (possibly deformed) node positions.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/geometry/EntitySet.h"
#include "core/model/GroupSet.h"
#include "core/model/ViewServices.h"
#include "render/EntityArray.h"
#include "render/GLDevice.h"
#include "render/SceneSettings.h"
#include "render/SceneState.h"
#include "render/SelectionState.h"
#include "render/VectorPlotEntry.h"
#include "render/ViewVolume.h"

class CModelSet;
class CResultData;

class CSceneView : public CEntitySet, public CVisibilityView
{
public:
    // Cameras (Camera).
    enum Viewport
    {
        kSceneViewport = 0,
        kCornerTriadViewport = 1,
        kCentralTriadViewport = 2,
        kViewportCount = 4
    };

    CSceneView() = default;
    ~CSceneView() override = default;
    CSceneView(const CSceneView&) = delete;
    CSceneView& operator=(const CSceneView&) = delete;

    // The open project's model database, or null when no project is open.
    virtual CModelSet* GetModel() const = 0;
    // A copy of the project's display settings; false (settings untouched) without a project.
    virtual bool GetSceneSettings(CSceneSettings& settings) const = 0;
    // 1 when an element filter hides at least one property, material or group.
    virtual int IsElementFilterActive() const = 0;
    // Mean displayed position of the element's nodes.
    virtual CPoint3D GetElementCenter(const CFEElement* element) const = 0;
    // True while the view window holds the mouse capture: a drag is in progress.
    virtual bool IsDragging() const = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The view's rendering context becomes current, unless the view renders to a bitmap
    // (whose context is current then).
    void MakeCurrent();
    // Redraws the view window without erasing it.
    virtual void InvalidateView() {}

    CGLDevice& Device() { return m_device; }
    const CGLDevice& Device() const { return m_device; }
    // The camera of a viewport (Viewport).
    CViewVolume& Camera(int viewport) { return m_cameras[viewport]; }
    const CViewVolume& Camera(int viewport) const { return m_cameras[viewport]; }

    // The model box: its centre, the minimum (0) and maximum (1) corners centred on the origin,
    // and the box as measured, kept for the clipping command.
    const CPoint3D& ModelCenter() const { return m_modelCenter; }
    const CPoint3D& ModelBoxCorner(int i) const { return m_modelBox[i]; }
    const CPoint3D& ClipBoxCorner(int i) const { return m_clipBox[i]; }
    void SetModelCenter(const CPoint3D& center) { m_modelCenter = center; }
    void SetModelBox(const CPoint3D& low, const CPoint3D& high);
    void SetClipBox(const CPoint3D& low, const CPoint3D& high);

    // What the view shows and how; the renderer reads only the const side.
    const CSceneState& Scene() const { return m_scene; }
    CSceneState& EditScene() { return m_scene; }
    // What the interactive selection has picked and lets through.
    const CSelectionState& Selection() const { return m_selection; }
    CSelectionState& EditSelection() { return m_selection; }

    // Rendering to a bitmap: its context is current, not the view's.
    bool IsPrinting() const { return m_isPrinting; }
    void SetPrinting(bool isPrinting) { m_isPrinting = isPrinting; }
    // The bitmap fonts of the id labels.
    UINT NodeLabelFontBase() const { return m_nodeLabelFontBase; }
    UINT ElementLabelFontBase() const { return m_elementLabelFontBase; }
    void SetLabelFontBases(UINT nodeBase, UINT elementBase);

    // The shown result's record (owned by the model): a cache that the position queries,
    // which are const, renew.
    CResultData* CurrentResult() const { return m_currentResult; }
    void SetCurrentResult(CResultData* result) const { m_currentResult = result; }
    // Ridge-edge caches, filled by the renderer, stored with a project's view.
    CEdgeMap& SolidRidgeEdges() { return m_solidRidgeEdges; }
    CEdgeMap& ShellRidgeEdges() { return m_shellRidgeEdges; }
    const CEdgeMap& SolidRidgeEdges() const { return m_solidRidgeEdges; }
    const CEdgeMap& ShellRidgeEdges() const { return m_shellRidgeEdges; }

private:
    CGLDevice m_device;
    CViewVolume m_cameras[kViewportCount];
    CPoint3D m_modelCenter;
    CPoint3D m_modelBox[2];
    CPoint3D m_clipBox[2];
    CSceneState m_scene;
    CSelectionState m_selection;
    bool m_isPrinting = false;
    UINT m_nodeLabelFontBase = 0;
    UINT m_elementLabelFontBase = 0;
    mutable CResultData* m_currentResult = nullptr;
    CEdgeMap m_shellRidgeEdges;
    CEdgeMap m_solidRidgeEdges;
};
