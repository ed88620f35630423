// The scene renderer of one 3-D view: the shown group, the result and deformation state of the
// view, the model box and camera fit (AESet.cpp), the deformation and result factors of the
// animation frame (AESet_frame.cpp), the model display lists (AESet_lists.cpp, AESet_build.cpp,
// PickLists.cpp) and the draw pass (AESet_draw.cpp). It owns no OpenGL objects: its lists live
// in the view's context under names computed from the group id. Area and polygon selection
// (AESet_select.cpp) and the selection highlight, direction arrows and id labels
// (SelectionHighlight) serve the view's interactive selection. Its parts: the scene lists with
// their names, the batch being recorded and the generation (SceneLists), the pick lists
// (PickLists), the selection highlight and the frames of an animation drawn in place
// (AnimatedScene).
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "core/geometry/Point3D.h"
#include "platform/base/coll_array.h"
#include "render/AnimatedScene.h"
#include "render/ClipPlane.h"
#include "render/EntityArray.h"
#include "render/PickLists.h"
#include "render/SceneLists.h"
#include "render/SelectionHighlight.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CBox3D;
class CContourSource;
class CDrawDevice;
class CEntitySet;
class CFEElement;
class CFEFace;
class CGroupSet;
class CListBatch;
class CListCompiler;
class CMassGlyph;
class CModelEntity;
class CNodePointCache;
class CResultData;
class CResultDisplayAttr;
class CSceneSettings;
class CSceneView;
class CWindowProjection;

// Whether a window point lies inside the polygon or on its outline (within 0.001 pixel): 1, or
// 0. Only x and y count; the polygon closes from its last point back to the first.
int IsPointInPolygon(const CPoint3D* points, CPoint3D point, int count);

class CAESet
{
public:
    // List codes; a list's name is its code in the shown group's block of names (ListName).
    enum ListCode : UINT
    {
        kNodeList = 0x10000,
        kSolidFaceList = 0x10001,
        kBeamList = 0x10002,
        kElassList = 0x10003,
        kMassList = 0x10004,
        kShellFaceList = 0x10005,
        kSolidRidgeList = 0x18001,
        kShellRidgeList = 0x18005,
        kSolidEdgeList = 0x1c001,
        kShellEdgeList = 0x1c005,
        kSolidContourList = 0x14401,
        kBeamContourList = 0x14402,
        kShellContourList = 0x14405,
        kSolidVectorList = 0x14801,
        kBeamVectorList = 0x14802,
        kShellVectorList = 0x14805,
        // OR-ed into a model list's code: the same list built from the stored coordinates.
        kUndeformed = 0x0c00,
        // OR-ed into a model list's code: the list with one selection name per entity that
        // picking uses (see GetPickLists).
        kPickList = 0x200000
    };
    // Fixed names, without the group id; below any list code within a block.
    static constexpr UINT kDirectionArrowList = 0x4000000;
    static constexpr UINT kNodeLabelList = 0x4000001;
    static constexpr UINT kElementLabelList = 0x4000010;
    static constexpr UINT kHighlightList = 0x4000020; // the picked entities, when many
    // Window shapes of SelectInRectangle.
    enum AreaShape
    {
        kShapeRectangle = 1,
        kShapeEllipse = 2 // inscribed in the rectangle
    };
    // Passes of DrawFaceElement and DrawElementFaces.
    enum FacePass
    {
        kFacePass = 0,
        kEdgePass = 1
    };
    // m_nShowDeformation
    enum DeformationMode
    {
        kNoDeformation = 0,
        kAbsoluteScale = 1,
        kRelativeToModel = 2
    };

    CAESet();
    virtual ~CAESet();
    CAESet(const CAESet&) = delete;
    CAESet& operator=(const CAESet&) = delete;

    // Model box and camera fit.
    // Camera of viewport 0 to the whole model: box, rotation fit, pan point and saved volume.
    void AutoScale(CSceneView* view);
    // Re-fits viewport i's volume to its aspect, starting from the volume AutoScale saved.
    void FitViewVolumeToAspect(int viewport);
    void UpdateModelBox();
    void SetModelBox(CPoint3D minCorner, CPoint3D maxCorner);
    // Widens the view's model box to what the model rotated by the angles (degrees) needs in
    // viewport i.
    void FitRotatedBox(double xDeg, double yDeg, double zDeg, int viewport);
    void OnProjectClosed() {}

    // Deformation and result factors of the current animation frame.
    void UpdateAnimationFrame();
    // The frame just set, shown without compiling lists: the model lists and a smooth contour
    // are kept as arrays whose nodes each frame moves and colours (prepared at the first frame,
    // AnimatedScene.cpp). False when the lists cannot move in place, and the caller rebuilds
    // them. A rebuild ends it.
    bool ShowAnimatedFrame();
    void EndAnimatedFrames() { m_animatedScene.End(); }
    bool HasAnimatedFrames() const { return m_animatedScene.IsActive(); }

    // Model display lists: RenderAll rebuilds every model list and the result lists;
    // CreateModelLists builds the model lists from the view's displayed positions.
    void RenderAll();
    // RenderAll left to the next draw pass (or picking, or an animation frame): a view that
    // another one covers before it is first painted compiles nothing. The lists it has now are
    // deleted at once.
    void RenderAllAtNextDraw();
    bool IsRenderAllPending() const { return m_bRenderAllPending; }
    // Counts the deletions of the model lists: one more after each RenderAll.
    UINT ListGeneration() const { return m_lists.Generation(); }
    void CreateModelLists();
    void RenderResults();
    void DeleteLists();
    void DeleteResultLists();
    // A null source builds the normal lists from the view's displayed positions; a source
    // builds the undeformed-shape lists from it.
    void CreateDisplayListForSolid(CEntitySet* source);
    void CreateDisplayListForShell(CEntitySet* source);
    void CreateDisplayListForBeam(CEntitySet* source);
    void CreateDisplayListForElass(CEntitySet* source);
    void CreateDisplayListForMass(CEntitySet* source);
    void CreateDisplayListForGrid(CEntitySet* source);
    // Once per renderer, from the model's stored coordinates.
    void CreateUndeformedShapeLists();
    // The colour record whose state a list builder sent last; elements in a row with the same
    // record send nothing.
    struct ElementColorMemo
    {
        bool isSet = false;
        int id = 0;              // property or material id, as the colour mode reads
        bool addsRecords = true; // false on a recording thread: the records exist already
    };
    // One solid or shell element (colour, mode and faces) into the list being built, or onto
    // the view's device outside a build.
    void DrawFaceElement(CFEElement* element, CEntitySet* source, int pass,
                         ElementColorMemo* memo = nullptr);
    void DrawElementFaces(CFEElement* element, CEntitySet* source, int pass);
    // Face and edge lists of this many elements and more are recorded on several threads, a
    // block of elements at a time.
    static constexpr size_t kDefaultParallelListElements = 100000;
    static constexpr size_t kDefaultFaceBlock = 16384;
    static void SetParallelListElements(size_t count, size_t blockElements = kDefaultFaceBlock);
    // A rebuild of that many nodes and elements and more compiles its lists on this many worker
    // threads beside the view's (0: all on the view's thread).
    static void SetListCompileWorkers(size_t workers);
    // Band contours of this many elements and more are cut on several threads, a block of
    // elements at a time.
    static constexpr size_t kDefaultParallelContourElements = 100000;
    static constexpr size_t kDefaultContourBlock = 8192;
    static void SetParallelContourElements(size_t count,
                                           size_t blockElements = kDefaultContourBlock);
    // One elastic element drawn directly: its marker on the first node.
    void DrawElassElement(CFEElement* element, CMassGlyph* glyph);
    // The name of a model list of the shown group.
    UINT ListName(UINT code) const;

    // Picking. The model lists drawn each frame are batched by colour and carry no selection
    // names; the lists for the kinds asked (EntityKindBit: node, solid, shell, beam, elass,
    // mass) with one device selection name per entity are compiled on first use after each
    // rebuild and appended to lists, ready for CGLDevice::Pick.
    void GetPickLists(int kinds, CDWordArray& lists);

    // Area and polygon selection: the entities of the shown group inside a window shape (client
    // pixels, y downwards) are appended to result, kind by kind (solid, shell, elastic, beam,
    // mass, node), each kind only when the view's allowed kinds, its selection filter and the
    // display filter all hold it; elements only when the element filter shows them. The
    // rectangle or ellipse tests displayed positions in model space and selects nothing for a
    // drag of one pixel or less; the polygon tests stored positions in window pixels.
    void SelectInRectangle(int x1, int y1, int x2, int y2, int shape, CEntityArray& result);
    void SelectInPolygon(const CPoint3D* points, int count, CEntityArray& result);
    // Workers: the near points and unit normals of the volume's side planes (4 for the
    // rectangle, 12 for the ellipse).
    void CollectElementsInVolume(const CElementMap& elements, const CPoint3D* nearPoints,
                                 const CPoint3D* normals, int shape, CEntityArray& result);
    void CollectNodesInVolume(const CNodeMap& nodes, const CPoint3D* nearPoints,
                              const CPoint3D* normals, int shape, CEntityArray& result);
    void CollectElementsInPolygon(const CPoint3D* points, int count, CEntityArray& result,
                                  const CElementMap& elements, const CWindowProjection& projection);

    // Draw pass: sets device state and calls the lists by display mode, display filter,
    // result state and the undeformed overlay.
    void DrawScene();
    // Highlight of the picked (red) and hovered (pink) entities, drawn after the scene: thick,
    // and through the model in wireframe and ridge-line modes. Nothing picked or hovered
    // changes no device state.
    void DrawSelection() { m_highlight.Draw(); }
    // The fixed lists commands fill for picked entities: element direction arrows (a green
    // arrow along a shell's normal; for a solid a green one from face 0 to face 1 and a blue
    // one across face 0), and element and node id labels at stored positions. Each replaces
    // its list; entities of another kind are left out.
    void CreateSelectionDisplayList(const CEntityArray& elements)
    {
        m_highlight.CreateDirectionArrows(elements);
    }
    void CreateElementIdLabels(const CEntityArray& elements)
    {
        m_highlight.CreateIdLabels(elements, false);
    }
    void CreateNodeIdLabels(const CEntityArray& nodes) { m_highlight.CreateIdLabels(nodes, true); }
    // The three lists built again in the context current now, for the entities they were last
    // built for that the shown group still has.
    void RebuildPickedLists();

    // Result lists (AESet_contour.cpp, AESet_vector.cpp), result values and the colour bands in
    // effect (AESet_results.cpp), the clip plane (AESet_clip.cpp).
    void CreateDisplayListForContourResult();
    void CreateContourResultDisplayListForShell();
    void CreateContourResultDisplayListForSolid();
    void CreateContourResultDisplayListForBeam();
    void CreateVectorResultLists();
    void CreateVectorResultListForShell();
    void CreateVectorResultListForSolid();
    void CreateVectorResultListForBeam();
    void DrawClipPlane();
    void DrawContoursOnPlane();
    // The four corners of the plane a x + b y + c z + d = 0 over the box, solved for z, else y,
    // else x, whichever has a coefficient; a plane without a normal collapses to the origin.
    static void ClipPlaneCorners(const double equation[4], const CBox3D& box, CPoint3D corners[4]);
    double GetElementResultValue(const CResultData* result, int index) const;
    double GetAnimatedValue(double value) const;
    // Whole elements of the map in the band colour of their own value; elements without a
    // value are left out.
    void DrawElementConstantContours(const CElementMap& elements, const CResultData* result);
    // The colour bands in effect: the view's own while a contour is shown, else those of the
    // shown vector result's plot entry; null for neither.
    const CResultDisplayAttr* FindDisplayAttr() const;
    // A copy of them, or a default record.
    CResultDisplayAttr GetDisplayAttr() const;
    // Makes attr the bands in effect; -1 and nothing changed when no result is shown.
    int CopyDisplayAttr(const CResultDisplayAttr& attr);
    // The id of load case 1 of a result, under which its vector settings are kept; -1 when it
    // has none.
    int VectorPlotKey(int resultId) const;
    // The shown result's record from the model; null when there is none.
    CResultData* FindResult(int resultId) const;

    // The owning view, whose scene and selection the renderer reads.
    CSceneView* View() const { return m_pView; }
    void SetView(CSceneView* view) { m_pView = view; }
    // The model shown: the project model's default group.
    CGroupSet* Group() const { return m_pGroup; }
    void SetGroup(CGroupSet* group) { m_pGroup = group; }

    // The shown results: packed ids ("ContourResultID", "VectorResultID"), -1 for none, and the
    // component (1 scalar; 2, 3, 4 x, y, z of a vector; with bit 8 a further value block).
    int ContourResultId() const { return m_nContourResultId; }
    void SetContourResultId(int id) { m_nContourResultId = id; }
    int VectorResultId() const { return m_nVectorResultId; }
    void SetVectorResultId(int id) { m_nVectorResultId = id; }
    int ResultComponent() const { return m_nResultComponent; }
    void SetResultComponent(int component) { m_nResultComponent = component; }
    // "ShowModel": the undeformed shape overlaid dotted; "ShowContour": results stay while the
    // shape is overlaid.
    int ShowsModel() const { return m_bShowModel; }
    void SetShowModel(int shows) { m_bShowModel = shows; }
    int ShowsContour() const { return m_bShowContour; }
    void SetShowContour(int shows) { m_bShowContour = shows; }

    // Animation frames and deformation: "MaxLCSteps" frames, "LCStep" the current one,
    // "DeformationScaleFactor", "ModelScaleFactor" (deformation per model size),
    // "ShowDeformation" (DeformationMode); UpdateAnimationFrame sets the factors applied to
    // node displacements and, while deformed, to result values.
    int MaxLCSteps() const { return m_nMaxLCSteps; }
    void SetMaxLCSteps(int steps) { m_nMaxLCSteps = steps; }
    int LCStep() const { return m_nLCStep; }
    void SetLCStep(int step) { m_nLCStep = step; }
    double DeformationScale() const { return m_dDeformationScale; }
    void SetDeformationScale(double scale) { m_dDeformationScale = scale; }
    double ModelScale() const { return m_dModelScale; }
    void SetModelScale(double scale) { m_dModelScale = scale; }
    int16_t ShowDeformation() const { return m_nShowDeformation; }
    void SetShowDeformation(int mode) { m_nShowDeformation = static_cast<int16_t>(mode); }
    double DeformationFactor() const { return m_dDeformationFactor; }
    void SetDeformationFactor(double factor) { m_dDeformationFactor = factor; }
    double ResultFactor() const { return m_dResultFactor; }
    void SetResultFactor(double factor) { m_dResultFactor = factor; }
    // 0 not chosen yet, 1 steps, 2 frames (the view chooses).
    int AnimationMode() const { return m_nAnimationMode; }
    void SetAnimationMode(int mode) { m_nAnimationMode = mode; }
    bool AreUndeformedListsBuilt() const { return m_bUndeformedListsBuilt != 0; }

    // The clip plane a x + b y + c z + d = 0 (a, b, c, d) while clipping is on.
    int IsClipping() const { return m_bClipping; }
    void SetClipping(int isClipping) { m_bClipping = isClipping; }
    const double* ClipEquation() const { return m_ClipEquation; }
    void SetClipEquation(const double equation[4]);
    CClipPlane& ClipPlane() { return m_ClipPlane; }
    const CClipPlane& ClipPlane() const { return m_ClipPlane; }

    // The section plane that the clipping-plane dialog moves: clipping on while it is shown,
    // the clip equation its plane through three defining points, the range of plane constants
    // from 0 % to 100 % of the model box along its normal, and the cut drawn at the clip-plane
    // record's offset (AESet_clip.cpp).
    CPoint3D& SectionPoint(int i) { return m_sectionPoints[i]; }
    const CPoint3D& SectionPoint(int i) const { return m_sectionPoints[i]; }
    double SectionRangeLow() const { return m_sectionRange[0]; }
    double SectionRangeHigh() const { return m_sectionRange[1]; }
    // The plane through the three points, its range over the model box, its constant kept in
    // the range and the record's offset 0; the slider percent of the plane. Points in a line
    // leave the constant as it was.
    int PlaceSectionFromPoints();
    // The plane at the percent of its range; the record's offset follows it.
    void MoveSection(int percent);
    // The record through the first point with the plane's normal, one step at offset 0, and
    // the distances of the model's nodes and elements to it.
    void PrepareSectionCut();

    // What the renderer's builders and parts share (AESet_lists.cpp): the scene lists, the
    // positions of the coordinate source (null: the view), computed once per rebuild and held
    // by RenderAll for all its builders, the view's scene settings, the device selection name
    // of an entity, and an element's stored reference point (the mean of its nodes' stored
    // coordinates).
    CSceneLists& Lists() { return m_lists; }
    CNodePointCache& AcquirePoints(CEntitySet* source);
    void ReleasePoints();
    CSceneSettings ReadSettings() const;
    UINT NameOf(const CModelEntity* entity);
    static CPoint3D ReferencePoint(const CFEElement& element);

private:
    struct PassState;

    // Result lists (AESet_contour.cpp, AESet_vector.cpp).
    // The band of an element's own value (scaled for the frame); false when it has none.
    bool FindElementBand(const CResultDisplayAttr& bands, const CResultData* result, int id,
                         int& band) const;
    void BuildContourList(UINT code, const CElementMap& elements, const CResultData* result);
    // The band facets of a large element map cut on several threads, block by block, each block
    // compiled into the open list in the map's order once cut; false, with nothing drawn, when
    // the map is small or its contour is not one of flat bands by node values.
    bool CutBandsInParallel(const CElementMap& elements, CResultDisplayAttr& attr,
                            CContourSource& source, const CNodePointCache& points);
    void BuildBeamContourList(const CElementMap& beams, const CResultData* result);
    void BuildVectorList(UINT code, const CElementMap& elements);

    // Builders (AESet_build.cpp).
    void BuildFaceLists(CEntitySet* source, bool isSolid);
    // Whether the display mode draws the element-edge lists (else only ridge lines).
    static bool DrawsElementEdges(int displayMode);
    // The view's element-edge lists a rebuild left for a mode that draws them.
    void BuildPendingEdgeLists();
    void PrepareRidgeEdges(bool isSolid);
    void BuildRidgeList(CEntitySet* source, bool isSolid, CNodePointCache& points,
                        int curveDivisions);
    // The elements a pass records on threads and those it draws here, asking the view: the
    // face pass gathers them, the edge pass of the same build takes them as they are.
    struct PassElements
    {
        bool isGathered = false;
        std::vector<CFEElement*> drawn;
        std::vector<CFEElement*> asking;
    };
    void BuildFacePassList(CEntitySet* source, bool isSolid, int pass, CNodePointCache& points,
                           int curveDivisions, PassElements* gathered = nullptr);
    // The workers that compile a rebuild's lists beside the view's thread, null for a small
    // group, while printing or when they cannot be made.
    CListCompiler* ListCompiler();
    // The pass of a large element map recorded on several threads into the open list; false,
    // with nothing drawn, when the map is too small for it. gathered, when given, keeps the
    // elements of a face pass for the edge pass after it.
    bool RecordFacePassInParallel(const CElementMap& elements, int pass, CNodePointCache& points,
                                  int curveDivisions, PassElements* gathered);
    // What the view and the model answer, asked on the view's thread: visibility, whether the
    // positions hold every node, curved outlines (a face pass) and new colour records.
    void GatherPassElements(const CElementMap& elements, int pass, CNodePointCache& points,
                            int curveDivisions, PassElements& gathered);
    // DrawFaceElement and DrawElementFaces onto a given device; batch is that device when it
    // records a list (it then takes edges by node ids), else null.
    void DrawFaceElementOn(CDrawDevice* device, CListBatch* batch, CFEElement* element,
                           CEntitySet* source, int pass, ElementColorMemo* memo);
    void DrawElementFacesOn(CDrawDevice* device, CListBatch* batch, CFEElement* element,
                            CEntitySet* source, int pass);
    void BuildBeamList(CEntitySet* source);
    void BuildGridList(CEntitySet* source);
    // The view's node list a rebuild left for a pass that shows nodes.
    void BuildPendingNodeList();
    void DrawElassMarker(const CFEElement* element, const CMassGlyph& glyph,
                         const CEntitySet& points);
    void SetElementColor(CDrawDevice* device, const CFEElement* element);
    bool GetElementColor(const CFEElement* element, COLORREF& color, bool addsRecord = true) const;
    // The batch being recorded during a build, else the view's device.
    CDrawDevice* Target();
    void MarkPickListsStale(int kinds) { m_pickLists.MarkStale(kinds); }
    // Selection (AESet_select.cpp).
    int SelectableKinds() const;
    // Steps of the draw pass (AESet_draw.cpp).
    void CallDotted(UINT code);
    void DrawLitFaces(const PassState& pass);
    void DrawHiddenFaces(const PassState& pass, int bit, int material, int kind, UINT faces,
                         UINT contour);
    bool IsUnderCutContour(const PassState& pass, UINT contour) const;
    void DrawPointKind(const PassState& pass, int bit, int kind, UINT list);
    void DrawBeams(const PassState& pass);
    void DrawLineKind(const PassState& pass, int bit, int kind, UINT list, UINT overlay);
    void DrawResults(const PassState& pass);
    void DrawElasticAndLabels(const PassState& pass);

    // RenderAll of RenderAllAtNextDraw, run first by what needs the lists; false when run.
    bool RunPendingRenderAll();
    bool m_bRenderAllPending = false;
    int m_pendingEdgeKinds = 0; // EntityKindBit: solid, shell
    bool m_isNodeListPending = false;
    CSceneLists m_lists; // names, the list being recorded, generation, positions
    CPickLists m_pickLists{*this};
    CSelectionHighlight m_highlight{*this};
    CAnimatedScene m_animatedScene{*this};

    CSceneView* m_pView = nullptr;               // the owning view
    int m_nMaxLCSteps = 10;                      // "MaxLCSteps": animation frames
    int m_nLCStep = 0;                           // "LCStep": current frame
    double m_dDeformationScale = 1.0;            // "DeformationScaleFactor"
    double m_dModelScale = 0.1;                  // "ModelScaleFactor": deformation per model size
    double m_dDeformationFactor = 0.0;           // applied to node displacements
    double m_dResultFactor = 1.0;                // applied to result values while deformed
    int16_t m_nShowDeformation = kNoDeformation; // "ShowDeformation"
    int m_bUndeformedListsBuilt = 0;
    CGroupSet* m_pGroup = nullptr; // the model shown: the project model's default group
    int m_nContourResultId = -1;   // "ContourResultID": packed id, -1 none
    int m_nVectorResultId = -1;    // "VectorResultID"
    // 1 scalar; 2, 3, 4 x, y, z of a vector; with bit 8 a further value block.
    int m_nResultComponent = -1;
    int m_bShowModel = 0;   // "ShowModel": undeformed shape overlaid dotted
    int m_bShowContour = 1; // "ShowContour": results stay while the shape is overlaid
    int m_bClipping = 0;
    double m_ClipEquation[4] = {}; // a, b, c, d of a*x + b*y + c*z + d = 0
    CClipPlane m_ClipPlane;
    CPoint3D m_sectionPoints[3] = {CPoint3D(0, 25, 0), CPoint3D(10, 25, 1), CPoint3D(20, 30, 0)};
    double m_sectionRange[2] = {0.0, 0.0}; // plane constants at 0 % and 100 %
    int m_nAnimationMode = 0;              // 0 not chosen yet, 1 steps, 2 frames (the view chooses)
};
