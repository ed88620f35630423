// What the project file reads from and writes to one 3-D view and its child frame. The view
// implements it (one object per child frame with an active view); tests use a fake.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/ColorRGBA.h"
#include "core/geometry/Point3D.h"
#include "platform/base/types.h"

#include <cstdint>

class CGroupSet;
class CModelSet;
class CResultData;

// The first viewport's camera record.
struct CViewCamera
{
    CPoint3D rotationDeg; // angles about X, Y and Z
    CPoint3D pan;
    CPoint3D volumeStart;
    CPoint3D volumeEnd;
};

// The view values a project file keeps, as the view and its renderer hold them.
struct CViewFileState
{
    enum WindowState
    {
        kMinimized = 0,
        kMaximized = 1,
        kNormal = 2
    };

    int windowState = kNormal;
    // Outer rectangle of the child frame window in screen coordinates; not saved when minimised.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    CViewCamera camera;
    int displayMode = 0; // 0 wireframe, 1 ridge line, 2 shading, 3 both, 4 hidden line
    double shrinkFactor = 1.0;
    bool isShrunk = false;
    // The renderer's deformation and animation state.
    int16_t showDeformation = 0; // 0 off, 1 by deformation scale, 2 by model scale
    int animationInterval = 250; // ms
    int maxLoadCaseSteps = 0;
    int loadCaseStep = 0;
    double deformationScale = 1.0;
    double modelScale = 0.0;
    int contourResultId = -1; // packed ids, -1 none
    int vectorResultId = -1;
    bool showModel = false;
    bool showContour = true;
    int resultType = 0;
};

class CProjectView
{
public:
    virtual ~CProjectView() = default;

    // Saving.
    virtual CViewFileState GetFileState() const = 0;
    // The contour attributes in effect for the view.
    virtual CResultDisplayAttr GetDisplayAttr() const = 0;
    // The view's vector record filed under the packed id (load case 1 of a vector result);
    // null when it has none.
    virtual const CVectorDisplayAttr* FindVectorAttr(UINT packedId) const = 0;

    // Opening, called in this order for each view the project file recreates.
    virtual void SetCurrentGroup(CGroupSet* group) = 0;
    virtual void ShowFrameMinimized() = 0;
    // Restores the frame window and moves it to the rectangle, given in screen coordinates;
    // the frame turns them into coordinates of its parent's client area.
    virtual void RestoreFrame(int left, int top, int width, int height) = 0;
    virtual void MaximizeFrame() = 0;
    // Takes the display mode, shrink, result ids and type, show switches and the renderer's
    // deformation and animation values, then recomputes the animation frame. The camera and
    // the window placement of the state are applied by the calls above and below.
    virtual void ApplyFileState(const CViewFileState& state) = 0;
    virtual void LoadElementFilter(CModelSet* model) = 0;
    virtual void LoadViewIdMaps(CGroupSet* group) = 0;
    virtual void SetBackgroundColor(const CColorRGBA& color) = 0;
    virtual void SetCurrentResult(CResultData* result) = 0;
    // The view's own contour attributes.
    virtual CResultDisplayAttr GetOwnDisplayAttr() const = 0;
    virtual void SetOwnDisplayAttr(const CResultDisplayAttr& attr) = 0;
    virtual void DisplayContourView(int resultId, int flag) = 0;
    // Files a copy of the record for the result, builds the arrows, renders and invalidates.
    virtual void DisplayVectorView(int resultId, const CVectorDisplayAttr& attr, int flag) = 0;
    virtual void BuildResultTitle() = 0;
    virtual void ActivateFrame() = 0;
    // Sets rotation, view volume and pan point; the volume also becomes the saved volume.
    virtual void SetCamera(const CViewCamera& camera) = 0;
    virtual void RenderAll() = 0;
    // Updates the window and invalidates it without erasing.
    virtual void UpdateAndInvalidate() = 0;

    // Closing: tells the renderer and invalidates the view with erasing.
    virtual void OnProjectClosed() = 0;
};
