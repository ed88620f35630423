// Helpers for tests that drive real windows: pump the queue, wait for a condition, click,
// press keys and read back what a window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace fw::test
{
// Dispatches everything queued (paints included) and runs the idle passes. A WM_QUIT (the end
// of an application's main window) is dropped, so that later pumps still reach idle.
void Pump();

// Pumps until done() is true or the time is up; returns done().
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 2000);

// Sends a left button press and release at a client point.
void Click(HWND hwnd, int x, int y);

// Posts a key press and release to the window and pumps them through pre-translation, as
// typing would (accelerators included).
void PressKey(HWND hwnd, UINT virtualKey, bool control = false);

// Runs script with the window once a visible dialog of this caption exists, from inside
// whatever message loop runs then (a modal dialog's own loop, for instance). A later call
// replaces a script that has not run; CancelDialogScript drops it.
void WhenDialogShows(const std::string& caption, std::function<void(HWND)> script);
void CancelDialogScript();

// While on, every dialog of this thread that shows (a modal dialog, a property sheet) is
// cancelled at once, and the main frame's context-help mode is left as Esc leaves it, from
// whatever message loop runs then: a user who answers every question with Cancel.
void CancelEveryDialog(bool on);
// The dialogs cancelled since CancelEveryDialog(true), by caption.
const std::vector<std::string>& CancelledDialogs();

// Removes a WM_QUIT that the end of a main window left in the queue; true when one was there.
bool DrainQuit();

// The colour of a client pixel as the screen shows it (the window must be visible and on top).
COLORREF ClientPixel(HWND hwnd, int x, int y);

// What draw puts on a width x height 32-bit bitmap in memory (black at first; its device
// context given to draw), read back in one go, top row first.
std::vector<COLORREF> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);

// What the screen shows of a rectangle of a window's client area, read in one go, top row
// first.
std::vector<COLORREF> ScreenPixels(HWND window, const RECT& client);

// A left button press and release at a screen point, as the mouse gives them: the click
// activates and focuses what it lands on.
void ClickOnScreen(POINT point);
// A key pressed and released as the keyboard gives it, to the window with the focus.
void PressOnScreen(WORD key);
// Lets Wine and the X server settle: activations, raises, exposures.
void SettleScreen();
// Puts the cursor in the screen's far corner, away from every window a test shows, so that no
// later frame sees a hover left over by a click.
void ParkCursor();
// Parks the cursor when it goes, for a test whose clicks leave it over a window.
struct CursorParkedAfter
{
    ~CursorParkedAfter() { ParkCursor(); }
};

// Whether window a lies above window b in the window list.
bool IsAbove(HWND a, HWND b);
// The centre of a window on the screen.
POINT CentreOf(HWND window);
// A screen point inside the window's client area that the other window does not cover, near
// its right-hand edge first (where a frame shows its view); a test failure when there is none.
POINT UncoveredPoint(HWND window, HWND cover);

// A small window with a caption in the screen's lower right, away from what the tests show: in
// the foreground it shows another window's caption inactive. Gone with the object.
class WindowElsewhere
{
public:
    WindowElsewhere();
    ~WindowElsewhere();
    WindowElsewhere(const WindowElsewhere&) = delete;
    WindowElsewhere& operator=(const WindowElsewhere&) = delete;

    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

// What the screen shows of a window's caption bar (the rows between its top edge and its client
// area), to tell whether the window is on top there. The window must not move.
class ScreenCaption
{
public:
    explicit ScreenCaption(HWND window);

    // Keeps what the screen shows now as one look of the caption (active, inactive).
    void TakeLook();
    // Keeps the caption's look inactive (elsewhere in the foreground), then active (window, which
    // the caption's is, in the foreground), and leaves window in the foreground.
    void TakeLooks(HWND window, HWND elsewhere);
    // Whether the screen shows one of the looks kept, nine pixels in ten alike.
    bool IsShown() const;

private:
    std::vector<COLORREF> Read() const;

    RECT m_rect;
    std::vector<std::vector<COLORREF>> m_looks;
};
} // namespace fw::test
