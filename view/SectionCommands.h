// Solid sectioning: a principal plane through the model centre (code 527) or a plane through
// three picked nodes (code 525) becomes the view's section plane, which the clipping-plane
// dialog moves and turns; the renderer cuts the solids with it and colours the cut by the
// contour shown. The dialog's Close takes the section away and leaves the command running
// until the next tool replaces it.
#pragma once

#include "view/ToolCommands.h"

class CSectionCommand : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;

protected:
    // Opens the clipping-plane dialog on the renderer's three points and prepares the cut of
    // the model by the plane it places; false when no dialog opened.
    bool OpenSection(CCAEView& view);
};

// Code 527: the plane of the record's CSectionPlaneRecord::Plane.
class CCmdCollClippingPlane : public CSectionCommand
{
public:
    using CSectionCommand::CSectionCommand;
    void Start(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;

    // Sets the three defining points for the plane through the model centre and opens the
    // section; without the view nothing opens.
    void ClippingPlane();

    int32_t nPlane = 0;
};

// Code 525: the plane through three picked nodes, in pick order.
class CCmdCollCustomSection : public CSectionCommand
{
public:
    using CSectionCommand::CSectionCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;
};
