// The outline a drag shows where a bar would go. It is XORed onto the desktop while window
// updates are locked, so that it shows over every window and leaves no trace; where the
// desktop DC cannot be drawn on (a compositing window manager hides it), a topmost
// click-through window of the outline's shape takes its place.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/dc.h"

#include <windows.h>

namespace fw
{
// XORs a frame size thick with brush (halftone when null): first the last frame away (when
// lastRect is given and lastSize is not zero), then the new one (when size is not zero).
void DrawDragRect(HDC dc, LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize,
                  HBRUSH brush = nullptr, HBRUSH lastBrush = nullptr);
// The 8 x 8 checkerboard brush of drag frames (one per thread; never delete it).
HBRUSH HalftoneDragBrush();

class DragOutline
{
public:
    enum class Mode
    {
        Automatic, // XOR when the desktop takes it, else the overlay window
        Xor,
        Overlay
    };

    DragOutline() = default;
    ~DragOutline();
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;

    // Takes the screen for a drag; ends a drag still open.
    void Begin(Mode mode = Mode::Automatic);
    // Shows the outline at rect (screen) size thick with brush (halftone when null); an empty
    // size removes it.
    void Show(const RECT& rect, SIZE size, HBRUSH brush = nullptr);
    void Hide();
    // Removes the outline and gives the screen back.
    void End();

    bool IsActive() const { return m_active; }
    bool IsOverlay() const { return m_overlay != nullptr; }
    // The desktop DC while drawing with XOR, else null.
    CDC* GetDC() { return m_dc.m_hDC ? &m_dc : nullptr; }
    // The outline shown now (empty when none).
    const CRect& ShownRect() const { return m_rect; }
    // The overlay window, while there is one.
    HWND OverlayWindow() const { return m_overlay; }

private:
    bool DesktopTakesXor();
    void ShowOverlay(const RECT& rect, SIZE size, HBRUSH brush);

    bool m_active = false;
    bool m_locked = false;
    CDC m_dc;                 // the desktop's window DC, attached while drawing with XOR
    HWND m_overlay = nullptr; // owned window
    CRect m_rect;
    CSize m_size;
    HBRUSH m_brush = nullptr;
};
} // namespace fw
