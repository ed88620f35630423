// COXSizeBarDockContext: the drag of a sizeable bar. Docking is decided by test strips that
// span the frame's usable width (top and bottom) or height (left and right) at the bar's
// docked thickness; the bar docks with the size it remembers for that orientation, or with
// its share of a row that holds others. Only Ctrl changes the drop (it floats the bar). A bar
// floating inside the MDI client is moved as an MDI child instead, never by this context.
#pragma once

#include "platform/bars/dockctx.h"

class COXSizeBarDockContext : public CDockContext
{
public:
    explicit COXSizeBarDockContext(CControlBar* bar);

    void StartDrag(CPoint point) override;
    // Nothing for a bar floating in an MDI float window.
    void ToggleDocking() override;

    void Move(CPoint point) override;
    void OnKey(int key, BOOL down) override;
    void UpdateState(BOOL* flag, BOOL value) override;
    DWORD CanDock() override;
    CDockBar* GetDockBar(DWORD overDockStyle) override;
    void DrawFocusRect(BOOL removeRect = FALSE) override;
    void EndDrag() override;
    void CancelLoop() override;

    CRect m_rectDock;      // where the bar would dock (screen)
    CRect m_rectHorzStrip; // top and bottom test strip (screen)
    CRect m_rectVertStrip; // left and right test strip (screen)
    CDockBar* m_pTargetDockBar = nullptr;

private:
    // The bar floats in a COXMDIFloatWnd.
    bool IsMDIFloating() const;
    // The dock site's client area that its bars leave, widened by the left and right dock
    // bars (screen).
    CRect UsableArea() const;
    // The bar's floating size as a floating frame's window, with its top-left at topLeft.
    CRect FrameRect(CPoint topLeft, CSize floatSize, DWORD alignment) const;
    DWORD DockOnStrip(bool horz, DWORD sides);
};
