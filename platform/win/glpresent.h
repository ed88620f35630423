// Showing an OpenGL frame drawn into a window's back buffer.
#pragma once

#include "platform/win/dib.h"
#include "platform/win/msgtable.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <vector>

namespace fw
{
// Swaps the buffers of dc, a window DC whose OpenGL context is current. Wine renders OpenGL in a
// child window off-screen and never shows it, so there the frame is also read back and shown
// by a copy window over the client area.
void PresentGLFrame(HDC dc);

// Whether frames are also shown through a copy window (under Wine).
bool PresentsThroughCopy();

// Gives the copy window of window, when it has one, the window's client size at once, so that
// the screen never shows an old frame beside or beyond the window's new size; the window's next
// frame fills it.
void FitFrameCopy(HWND window);

// The copy of a window's last OpenGL frame, over its whole client area; the mouse passes
// through it to the window.
class CFrameCopyWnd : public CWnd
{
public:
    // The copy window of window: null when it has none; made when it has none.
    static CFrameCopyWnd* Find(HWND window);
    static CFrameCopyWnd* Of(HWND window);

    // Shows a frame of width x height pixels, four bytes each (blue, green, red, unused), rows
    // from the bottom.
    void ShowPicture(int width, int height, const std::vector<unsigned char>& pixels);
    const Dib32& GetPicture() const { return m_picture; }

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void PostNcDestroy() override;

private:
    Dib32 m_picture;
};
} // namespace fw
