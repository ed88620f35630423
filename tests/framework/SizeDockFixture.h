// The sizeable docking tests' fixture: the test main frame as a sizeable docking frame with a
// client area of exactly 800 x 600 and sizeable dock bars on every side, sizeable bars that
// record their resizes, and helpers that read where windows are and drag with posted mouse
// messages.
#pragma once

#include "framework/OXMDIFloatWnd.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizeControlBar.h"
#include "framework/OXSizeDockBar.h"
#include "platform/test/mainframe.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace sizedock
{
constexpr UINT kBarA = 0x7C21;
constexpr UINT kBarB = 0x7C22;
constexpr UINT kBarC = 0x7C23;

class CDockTestFrame : public COXMDIFrameWndSizeDock
{
    FW_CREATABLE(CDockTestFrame, COXMDIFrameWndSizeDock)

public:
    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
};

// A sizeable bar that records what OnBarResized was told.
class CRecordingBar : public COXSizeControlBar
{
    FW_CLASS(CRecordingBar, COXSizeControlBar)

public:
    struct Resize
    {
        int cx;
        int cy;
        BOOL floating;
        int flags;
    };

    explicit CRecordingBar(DWORD barStyle = solidCaption | contextMenu);
    void OnBarResized(int cx, int cy, BOOL floating, int flags) override;

    std::vector<Resize> m_resizes;
};

// The colour the screen shows at a client point of wnd (also outside its client area).
COLORREF PixelAt(const CWnd* wnd, CPoint clientPoint);

// Rectangles and sizes as text, so that a failure shows them.
std::string Text(const RECT& rect);
std::string Text(const SIZE& size);
std::string Text(const POINT& point);

class SizeDockFixture : public fw::test::MainFrameFixture
{
protected:
    SizeDockFixture();
    void SetUp() override;

    COXMDIFrameWndSizeDock* Frame() const;
    COXSizeDockBar* DockBar(UINT id) const;
    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(const CWnd* wnd) const;
    // Gives the frame this client size and lays it out.
    void SetClientSize(int cx, int cy);
    // A bar of the given size on the frame, not yet docked, that may dock anywhere.
    void CreateBar(COXSizeControlBar& bar, UINT id, const char* title, CSize size);
    // Docks bar into dock bar id: at the end of the row of after (a new row when null).
    void Dock(COXSizeControlBar& bar, UINT dockBarId, const CWnd* after = nullptr);
    // Docks the bars in a new row of dock bar id, one after the other, and lays the frame out.
    void DockRow(UINT dockBarId, std::initializer_list<COXSizeControlBar*> bars);
    // Floats bar in a float window in the MDI client at a screen point; null on failure.
    COXMDIFloatWnd* FloatInClient(COXSizeControlBar& bar, int x, int y,
                                  DWORD style = CBRS_ALIGN_TOP);
    // Presses the left button at a client point of wnd, moves the mouse by each offset in
    // turn (Ctrl held from holdControlAt on, when given) and releases it, all posted.
    void PostDrag(CWnd* wnd, CPoint clientPoint, const std::vector<CSize>& moves,
                  int holdControlAt = -1);
    // Presses and releases at a client point, posted.
    void PostClick(CWnd* wnd, CPoint clientPoint, CPoint releasePoint);
};
} // namespace sizedock
