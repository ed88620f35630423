// The view class of the document template: the 3-D view's drawing in the fixed order of a
// frame, and its initial camera.
#pragma once

#include "view/CAEView.h"

class CWendraView : public CCAEView
{
    FW_CREATABLE(CWendraView, CCAEView)

public:
    CWendraView();
    ~CWendraView() override = default;

    // One frame: clear, scene, selection, triads, legend and title; no exception leaves it.
    void DrawAll(CDC* dc);
    // The frame in the background colour, into whatever context is current; no swap.
    void DrawForPrint(CDC* dc) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(CDC* dc) override;

private:
    // The background colour, then DrawAll.
    void DrawFrame(CDC* dc);
    void PlaceCentralTriad();

    // The last frame left the model out for want of memory: told once, not at every paint.
    bool m_isShortOfMemory = false;
};
