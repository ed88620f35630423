// Test helpers that pump the message queue and look at windows.
#include "platform/test/pump.h"

#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/msgloop.h"
#include "platform/win/privmsg.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
std::string g_caption;
std::function<void(HWND)> g_script;
UINT_PTR g_timer = 0;

void CALLBACK PollForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND dialog = ::FindWindowA("#32770", g_caption.c_str());
    if (dialog == nullptr || !::IsWindowVisible(dialog))
        return;
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    const std::function<void(HWND)> script = std::move(g_script);
    g_script = nullptr;
    script(dialog);
}
UINT_PTR g_cancelTimer = 0;
std::vector<std::string> g_cancelled;

BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM)
{
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(hwnd) || !::IsWindowEnabled(hwnd))
        return TRUE;
    char caption[256] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    if (g_script && g_caption == caption)
        return TRUE;              // a test answers this one
    static HWND s_last = nullptr; // asked again while its cancel is on its way
    if (hwnd != s_last)
        g_cancelled.push_back(caption);
    s_last = hwnd;
    ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK CancelModalStates(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (frame != nullptr && frame->m_hWnd != nullptr && frame->m_bHelpMode == HELP_ACTIVE)
        ::PostMessageA(frame->m_hWnd, WM_EXITHELPMODE, 0, 0);
}
} // namespace

void CancelEveryDialog(bool on)
{
    if (g_cancelTimer != 0)
        ::KillTimer(nullptr, g_cancelTimer);
    g_cancelTimer = on ? ::SetTimer(nullptr, 0, 10, &CancelModalStates) : 0;
    if (on)
        g_cancelled.clear();
}

const std::vector<std::string>& CancelledDialogs()
{
    return g_cancelled;
}

void WhenDialogShows(const std::string& caption, std::function<void(HWND)> script)
{
    g_caption = caption;
    g_script = std::move(script);
    if (g_timer != 0)
        ::KillTimer(nullptr, g_timer);
    g_timer = ::SetTimer(nullptr, 0, 20, &PollForDialog);
}

void CancelDialogScript()
{
    if (g_timer != 0)
        ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    g_script = nullptr;
}

void Pump()
{
    while (!PumpMessages())
        DrainQuit();
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done())
    {
        if (::GetTickCount64() >= end)
            return done();
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void Click(HWND hwnd, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND hwnd, UINT virtualKey, bool control)
{
    // Accelerators read the key state: hold Ctrl in the thread's keyboard state.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE oldControl = keys[VK_CONTROL];
    if (control)
    {
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
    }
    ::PostMessageA(hwnd, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageA(hwnd, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    Pump();
    if (control)
    {
        keys[VK_CONTROL] = oldControl;
        ::SetKeyboardState(keys);
    }
}

bool DrainQuit()
{
    MSG msg;
    bool found = false;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        found = true;
    return found;
}

COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    const HDC dc = ::GetDC(hwnd);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

void ClickOnScreen(POINT point)
{
    ::SetCursorPos(point.x, point.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, clicks, sizeof(INPUT));
}

void ParkCursor()
{
    ::SetCursorPos(1270, 1010);
}

std::vector<COLORREF> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC memory = ::CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    draw(memory);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* raw = static_cast<const unsigned char*>(bits);
    for (int i = 0; raw != nullptr && i < width * height; ++i)
        pixels.push_back(RGB(raw[4 * i + 2], raw[4 * i + 1], raw[4 * i]));
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return pixels;
}

std::vector<COLORREF> ScreenPixels(HWND window, const RECT& client)
{
    POINT origin = {client.left, client.top};
    ::ClientToScreen(window, &origin);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    return DrawnPixels(width, height,
                       [&](HDC memory)
                       {
                           const HDC screen = ::GetDC(nullptr);
                           ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y,
                                    SRCCOPY);
                           ::ReleaseDC(nullptr, screen);
                       });
}

void PressOnScreen(WORD key)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

void SettleScreen()
{
    WaitFor([] { return false; }, 300);
}

bool IsAbove(HWND a, HWND b)
{
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
         window = ::GetWindow(window, GW_HWNDNEXT))
    {
        if (window == a || window == b)
            return window == a;
    }
    return false;
}

POINT CentreOf(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT UncoveredPoint(HWND window, HWND cover)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    RECT covered = {};
    ::GetWindowRect(cover, &covered);
    for (const POINT corner :
         {POINT{client.right - 30, client.bottom / 2}, POINT{client.right - 30, client.bottom - 60},
          POINT{client.right - 20, 40}, POINT{30, 90}, POINT{20, 40},
          POINT{20, client.bottom - 40}})
    {
        POINT point = corner;
        ::ClientToScreen(window, &point);
        if (!::PtInRect(&covered, point))
            return point;
    }
    ADD_FAILURE() << "the window is covered whole";
    return {};
}

ScreenCaption::ScreenCaption(HWND window)
{
    RECT frame = {};
    ::GetWindowRect(window, &frame);
    POINT client = {0, 0};
    ::ClientToScreen(window, &client);
    // Inside the frame's edges, above the client area's top edge.
    m_rect = {frame.left + 4, frame.top + 4, frame.right - 4, client.y - 2};
}

WindowElsewhere::WindowElsewhere()
    : m_window(::CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_CAPTION | WS_VISIBLE, 1100,
                                 900, 150, 80, nullptr, nullptr, nullptr, nullptr))
{
}

WindowElsewhere::~WindowElsewhere()
{
    ::DestroyWindow(m_window);
}

void ScreenCaption::TakeLooks(HWND window, HWND elsewhere)
{
    ::SetForegroundWindow(elsewhere);
    SettleScreen();
    TakeLook();
    ::SetForegroundWindow(window);
    SettleScreen();
    TakeLook();
}

void ScreenCaption::TakeLook()
{
    m_looks.push_back(Read());
}

bool ScreenCaption::IsShown() const
{
    const std::vector<COLORREF> shown = Read();
    for (const std::vector<COLORREF>& look : m_looks)
    {
        size_t alike = 0;
        for (size_t i = 0; i < shown.size() && i < look.size(); ++i)
            alike += shown[i] == look[i] ? 1 : 0;
        if (!shown.empty() && alike * 10 >= shown.size() * 9)
            return true;
    }
    return false;
}

std::vector<COLORREF> ScreenCaption::Read() const
{
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    if (width <= 0 || height <= 0)
        return {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, m_rect.left, m_rect.top, SRCCOPY);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* raw = static_cast<const BYTE*>(bits);
    for (int i = 0; raw != nullptr && i < width * height; ++i)
        pixels.push_back(RGB(raw[i * 4 + 2], raw[i * 4 + 1], raw[i * 4]));
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}
} // namespace fw::test
