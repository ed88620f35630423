// The button tests' host: an owned popup over the test main frame that records what its
// child controls tell it, and a copy of what the screen shows.
#pragma once

#include "platform/test/mainframe.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace buttons_test
{
constexpr UINT kButtonId = 0x7B01;
constexpr int kHostX = 200;
constexpr int kHostY = 200;
constexpr int kHostWidth = 400;
constexpr int kHostHeight = 300;

// What the host received from its children.
struct Received
{
    UINT message; // WM_COMMAND, WM_NOTIFY or a private message
    UINT code;    // the notification code; the WPARAM of a private message
    HWND from;
};

class CButtonHost : public CWnd
{
public:
    BOOL Create(CWnd* owner);

    std::vector<Received> m_received;
    LRESULT m_notifyAnswer = 0;                       // the answer to every WM_NOTIFY
    std::function<void(const Received&)> m_onReceive; // runs as each one arrives
    std::function<void(WPARAM, NMHDR*)> m_onNotify;   // may fill in a WM_NOTIFY's record

    FW_MESSAGE_TABLE()

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);
    void Record(const Received& received);
};

// A block of the screen as 0x00BBGGRR values.
class ScreenShot
{
public:
    explicit ScreenShot(const RECT& screenRect);
    // A window's client area (non-client excluded).
    static ScreenShot OfClient(HWND hwnd);

    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels that differ from other's (same size expected), counted.
    int CountDifferences(const ScreenShot& other) const;
    // The pixels of a memory drawing of the same size.
    static ScreenShot FromDrawing(int width, int height, const std::function<void(HDC)>& draw);

private:
    ScreenShot() = default;
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

void MoveCursorTo(HWND hwnd, CPoint client);
void MoveCursorAway();

class ButtonFixture : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<CButtonHost> m_host;
};
} // namespace buttons_test
