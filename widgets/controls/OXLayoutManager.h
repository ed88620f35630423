// Keeps the chosen sides of a container's child controls at their distance from the same side
// of the container when the container is resized (a dialog that can be sized, for instance).
#pragma once

#include "widgets/controls/OXHookWnd.h"

#include <windows.h>

#include <vector>

class CWnd;

class COXLayoutManager : public COXHookWnd
{
public:
    // Sides of a child.
    static constexpr UINT kTop = 1;
    static constexpr UINT kBottom = 2;
    static constexpr UINT kLeft = 4;
    static constexpr UINT kRight = 8;
    // The only anchor kind: a side keeps its distance from the same side of the container.
    static constexpr int kSameSide = 1;

    // Watches container (detaching from any earlier one); FALSE without a window.
    BOOL Attach(CWnd* container);
    // Drops every constraint and lets the container go.
    void Detach();
    // Fixes sides of child id at their present distances; reference 0 is the container.
    BOOL AnchorChild(UINT childId, UINT sides, int type = kSameSide, UINT referenceId = 0);
    // Places the anchored children for the container's present size.
    void RedrawLayout();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Anchor
    {
        UINT childId;
        UINT sides;
        RECT distances; // from each side of the container's client area to the same side
    };

    std::vector<Anchor> m_anchors;
};
