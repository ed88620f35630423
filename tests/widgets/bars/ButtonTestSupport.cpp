// The button tests' host window, screen copies and cursor helpers.
#include "tests/widgets/bars/ButtonTestSupport.h"

#include "platform/test/pump.h"

namespace buttons_test
{
namespace
{
constexpr UINT kColorPicked = 0x8096;
}

FW_TABLE(CButtonHost, CWnd, fw::raw<kColorPicked, &CButtonHost::OnColorPicked>())

BOOL CButtonHost::Create(CWnd* owner)
{
    static const bool registered = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ButtonTestHost";
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return CreateEx(0, "ButtonTestHost", "buttons", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kHostX,
                    kHostY, kHostWidth, kHostHeight, owner ? owner->GetSafeHwnd() : nullptr,
                    nullptr);
}

BOOL CButtonHost::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const BOOL handled = CWnd::OnCommand(wParam, lParam);
    Record({WM_COMMAND, HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return handled;
}

BOOL CButtonHost::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (m_onNotify)
        m_onNotify(wParam, header);
    Record({WM_NOTIFY, header->code, header->hwndFrom});
    *result = m_notifyAnswer;
    return TRUE;
}

LRESULT CButtonHost::OnColorPicked(WPARAM wParam, LPARAM lParam)
{
    Record({kColorPicked, static_cast<UINT>(wParam), reinterpret_cast<HWND>(lParam)});
    return 0;
}

void CButtonHost::Record(const Received& received)
{
    m_received.push_back(received);
    if (m_onReceive)
        m_onReceive(received);
}

ScreenShot::ScreenShot(const RECT& screenRect)
    : m_width(screenRect.right - screenRect.left)
    , m_height(screenRect.bottom - screenRect.top)
{
    *this = FromDrawing(m_width, m_height,
                        [&](HDC dc)
                        {
                            const HDC screen = ::GetDC(nullptr);
                            ::BitBlt(dc, 0, 0, m_width, m_height, screen, screenRect.left,
                                     screenRect.top, SRCCOPY);
                            ::ReleaseDC(nullptr, screen);
                        });
}

ScreenShot ScreenShot::OfClient(HWND hwnd)
{
    RECT client;
    ::GetClientRect(hwnd, &client);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return ScreenShot(client);
}

COLORREF ScreenShot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

int ScreenShot::CountDifferences(const ScreenShot& other) const
{
    if (other.m_width != m_width || other.m_height != m_height)
        return m_width * m_height;
    int count = 0;
    for (size_t i = 0; i < m_pixels.size(); ++i)
        count += m_pixels[i] != other.m_pixels[i];
    return count;
}

ScreenShot ScreenShot::FromDrawing(int width, int height, const std::function<void(HDC)>& draw)
{
    ScreenShot shot;
    shot.m_width = width;
    shot.m_height = height;
    shot.m_pixels = fw::test::DrawnPixels(width, height, draw);
    return shot;
}

void MoveCursorTo(HWND hwnd, CPoint client)
{
    POINT point = client;
    ::ClientToScreen(hwnd, &point);
    ::SetCursorPos(point.x, point.y);
}

void MoveCursorAway()
{
    fw::test::ParkCursor();
}

void ButtonFixture::SetUp()
{
    MainFrameFixture::SetUp();
    MoveCursorAway();
    m_host = std::make_unique<CButtonHost>();
    ASSERT_TRUE(m_host->Create(m_frame));
    fw::test::Pump();
}

void ButtonFixture::TearDown()
{
    if (m_host && m_host->GetSafeHwnd())
        m_host->DestroyWindow();
    m_host.reset();
    MoveCursorAway();
    MainFrameFixture::TearDown();
}
} // namespace buttons_test
