// The part of a 3-D view that its renderer works with: the drawing device and cameras, the
// model box, the display settings of the view and its ridge-edge caches, and the questions the
// renderer asks while it builds and draws. The 3-D view derives from it; as an entity set it is
// the renderer's source of displayed (possibly deformed) node positions.
#pragma once

#include "core/geometry/EntitySet.h"
#include "core/model/GroupSet.h"
#include "core/model/ViewServices.h"
#include "render/EntityArray.h"
#include "render/GLDevice.h"
#include "render/ResultDisplayAttr.h"
#include "render/SceneSettings.h"
#include "render/VectorPlotEntry.h"
#include "render/ViewVolume.h"

class CModelSet;
class CResultData;

class CSceneView : public CEntitySet, public CVisibilityView
{
public:
    // Camera records of m_ViewVolume.
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

    CGLDevice m_Device;
    CViewVolume m_ViewVolume[kViewportCount];
    CPoint3D m_ptModelCenter;
    CPoint3D m_ptModelBox[2]; // minimum and maximum corner, centred on the origin
    CPoint3D m_ptClipBox[2];  // the box as measured, kept for the clipping command
    int m_nDisplayMode = kWireframe;
    int m_nColorMode = kColorByProperty;
    BYTE m_bShrink = 0;
    double m_dShrinkFactor = 0.8;
    BYTE m_bPrinting = 0; // rendering to a bitmap: its context is current
    BYTE m_bShowNodeIds = 0;
    BYTE m_bShowElementIds = 0;
    CResultDisplayAttr m_DisplayAttr;
    // The shown result's record (owned by the model), a cache the position queries renew.
    mutable CResultData* m_pCurrentResult = nullptr;
    CEdgeMap m_ShellRidgeEdges;              // ridge-edge caches, filled by the renderer
    CEdgeMap m_SolidRidgeEdges;
    // The settings of each vector result shown in the view, by the id of its load case 1.
    CVectorPlotMap m_VectorPlots;
    // Interactive selection: what the renderer highlights and which kinds it may select.
    CPickedEntityMap m_PickedEntities;      // entity -> its pick batch
    CModelEntity* m_pHoverEntity = nullptr; // under the cursor; not owned
    int m_nAllowedKinds = 0;                // EntityKindBit the running pick request accepts
    int m_nSelectionFilter = 0;             // EntityKindBit the user lets through
    UINT m_nElementLabelFontBase = 0;       // bitmap fonts of the id labels
    UINT m_nNodeLabelFontBase = 0;
};
