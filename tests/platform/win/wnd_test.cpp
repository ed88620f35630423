// Window base under Wine: message tables, dispatch, Default, liveness, timers and capture.
#include "platform/win/wnd.h"

#include "platform/base/exception.h"
#include "platform/test/pump.h"
#include "platform/test/scripted_services.h"
#include "platform/win/msgloop.h"
#include "platform/win/thread_state.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr UINT kPrivateMsg = WM_APP + 5;
constexpr UINT kCommandId = 4001;

const char* TestClass()
{
    return fw::RegisterWndClass(CS_DBLCLKS);
}

class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> calls;

    BOOL CreateHidden()
    {
        return CreateEx(0, TestClass(), "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                        nullptr);
    }

    void OnSize(UINT, int, int) { calls.push_back("base size"); }
    void OnClose() { calls.push_back("base close"); }
    LRESULT OnPrivate(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CBaseWnd, CWnd, fw::on<WM_SIZE, &CBaseWnd::OnSize>(),
         fw::on<WM_CLOSE, &CBaseWnd::OnClose>(), fw::raw<kPrivateMsg, &CBaseWnd::OnPrivate>())

class CDerivedWnd : public CBaseWnd
{
public:
    int createCount = 0;
    int commandCount = 0;
    bool postNcDestroyAfterUnmap = false;
    bool postNcDestroyCalled = false;
    UINT_PTR lastTimer = 0;
    int captureChanges = 0;
    LRESULT nestedDefault = -1;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        ++createCount;
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT, int, int) { calls.push_back("derived size"); }
    void OnCommandX() { ++commandCount; }
    void OnTimer(UINT_PTR id) { lastTimer = id; }
    void OnCaptureChanged(CWnd*) { ++captureChanges; }
    // Sends another message to itself before asking for the default of this one.
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam)
    {
        SendMessage(WM_GETTEXTLENGTH);
        nestedDefault = Default();
        (void)wParam;
        (void)lParam;
        return nestedDefault;
    }

    FW_MESSAGE_TABLE()

protected:
    void PostNcDestroy() override
    {
        postNcDestroyCalled = true;
        postNcDestroyAfterUnmap = m_hWnd == nullptr;
    }
};

FW_TABLE(CDerivedWnd, CBaseWnd, fw::on<WM_CREATE, &CDerivedWnd::OnCreate>(),
         fw::on<WM_SIZE, &CDerivedWnd::OnSize>(),
         fw::command<kCommandId, &CDerivedWnd::OnCommandX>(),
         fw::on<WM_TIMER, &CDerivedWnd::OnTimer>(),
         fw::on<WM_CAPTURECHANGED, &CDerivedWnd::OnCaptureChanged>(),
         fw::raw<WM_GETTEXT, &CDerivedWnd::OnGetText>())
} // namespace

TEST(Wnd, CreationMapsTheHandleAndRunsWmCreateThroughTheTable)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(1, wnd.createCount);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.postNcDestroyCalled);
    EXPECT_TRUE(wnd.postNcDestroyAfterUnmap);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(Wnd, DerivedEntriesOverrideBaseOnesAndBaseOnlyEntriesStillMatch)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.calls.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 60));
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ((std::vector<std::string>{"derived size", "base close"}), wnd.calls);
    // The base handler swallowed WM_CLOSE, so the window is still there.
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(42, wnd.SendMessage(kPrivateMsg, 21));

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId + 1, 0));
    EXPECT_EQ(1, wnd.commandCount);
}

TEST(Wnd, NestedDefaultUsesTheInnerMessage)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    ::SetWindowTextA(wnd.m_hWnd, "abcdef");
    char text[32] = {};
    // The handler sends WM_GETTEXTLENGTH first; its Default must still answer WM_GETTEXT.
    const LRESULT copied = wnd.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(6, copied);
    EXPECT_STREQ("abcdef", text);
}

TEST(Wnd, UserDataIsLeftToTheProgram)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(0, ::GetWindowLongPtrA(wnd.m_hWnd, GWLP_USERDATA));
    ::SetWindowLongPtrA(wnd.m_hWnd, GWLP_USERDATA, 0x3A7B4567);
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(0x3A7B4567, ::GetWindowLongPtrA(wnd.m_hWnd, GWLP_USERDATA));
}

namespace
{
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* deleted)
        : m_deleted(deleted)
    {
    }
    ~CSelfDeletingWnd() override { *m_deleted = true; }
    void OnLButtonDown(UINT, CPoint) { delete this; }
    void OnClose() { DestroyWindow(); }

    FW_MESSAGE_TABLE()

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

FW_TABLE(CSelfDeletingWnd, CWnd, fw::on<WM_LBUTTONDOWN, &CSelfDeletingWnd::OnLButtonDown>(),
         fw::on<WM_CLOSE, &CSelfDeletingWnd::OnClose>())
} // namespace

TEST(Wnd, HandlerThatDeletesItsOwnObjectReturnsCleanly)
{
    bool deleted = false;
    auto* wnd = new CSelfDeletingWnd(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hwnd = wnd->m_hWnd;
    // Deleting the object destroys the window, without PostNcDestroy deleting it twice.
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

TEST(Wnd, SelfDeletingWindowGoesInPostNcDestroy)
{
    bool deleted = false;
    auto* wnd = new CSelfDeletingWnd(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hwnd = wnd->m_hWnd;
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(Wnd, TemporariesVanishAtIdle)
{
    const HWND desktop = ::GetDesktopWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(desktop));
    CWnd* temp = CWnd::FromHandle(desktop);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(desktop, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(desktop));
    EXPECT_FALSE(fw::GetThreadState().tempWindows.empty());
    fw::test::Pump();
    EXPECT_TRUE(fw::GetThreadState().tempWindows.empty());
    EXPECT_TRUE(::IsWindow(desktop));
}

TEST(Wnd, TimerArrivesWithItsId)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    ASSERT_NE(0u, wnd.SetTimer(2, 20));
    EXPECT_TRUE(fw::test::WaitFor([&] { return wnd.lastTimer == 2; }));
    wnd.KillTimer(2);
}

TEST(Wnd, CaptureIsReportedAndReleased)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.SetCapture();
    EXPECT_EQ(&wnd, CWnd::GetCapture());
    ReleaseCapture();
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    EXPECT_EQ(1, wnd.captureChanges);
}

TEST(Wnd, SubclassingAnExistingWindowRoutesAndRestores)
{
    const HWND hwnd = ::CreateWindowExA(0, TestClass(), "", WS_POPUP, 0, 0, 40, 40, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hwnd);
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hwnd));
    EXPECT_EQ(14, ::SendMessageA(hwnd, kPrivateMsg, 7, 0));
    EXPECT_EQ(hwnd, wnd.UnsubclassWindow());
    EXPECT_EQ(0, ::SendMessageA(hwnd, kPrivateMsg, 7, 0));
    ::DestroyWindow(hwnd);
}

namespace
{
class CThrowingWnd : public CWnd
{
public:
    LRESULT OnFramework(WPARAM, LPARAM) { throw new CUserException(); }
    LRESULT OnStandard(WPARAM, LPARAM) { throw std::runtime_error("standard"); }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CThrowingWnd, CWnd, fw::raw<WM_APP + 1, &CThrowingWnd::OnFramework>(),
         fw::raw<WM_APP + 2, &CThrowingWnd::OnStandard>())
} // namespace

TEST(Wnd, NoExceptionCrossesTheWindowProcedure)
{
    fw::test::ScopedServices services;
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    EXPECT_EQ(0, wnd.SendMessage(WM_APP + 1));
    EXPECT_EQ(0, wnd.SendMessage(WM_APP + 2));
    // Each failure is logged once, naming the message.
    ASSERT_EQ(2u, services->log.size());
    EXPECT_NE(std::string::npos, services->log[0].find("0x8001"));
    EXPECT_NE(std::string::npos, services->log[1].find("standard"));
    // Dispatch goes on normally afterwards.
    EXPECT_EQ(nullptr, fw::GetThreadState().frame);
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
}

namespace
{
// Records every message its object receives, and PostNcDestroy as 0xFFFF.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> received;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back(msg);
        return CWnd::WindowProc(msg, wParam, lParam);
    }

protected:
    void PostNcDestroy() override { received.push_back(0xFFFF); }
};

// The messages of `expected` appear in `received` in this order (others may come between).
::testing::AssertionResult HasSubsequence(const std::vector<UINT>& received,
                                          const std::vector<UINT>& expected)
{
    size_t next = 0;
    for (const UINT msg : received)
    {
        if (next < expected.size() && msg == expected[next])
            ++next;
    }
    if (next == expected.size())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "missing 0x" << std::hex << expected[next] << " in received:";
    for (const UINT msg : received)
        failure << " 0x" << msg;
    return failure;
}
} // namespace

TEST(Wnd, ObjectSeesTheWholeLifeOfItsWindow)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, TestClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    // The creation hook maps the window before its first message.
    ASSERT_FALSE(wnd.received.empty());
    EXPECT_TRUE(wnd.received.front() == WM_GETMINMAXINFO || wnd.received.front() == WM_NCCREATE);
    EXPECT_TRUE(HasSubsequence(wnd.received, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    wnd.received.clear();
    wnd.DestroyWindow();
    EXPECT_TRUE(HasSubsequence(wnd.received, {WM_DESTROY, WM_NCDESTROY, 0xFFFF}));
    EXPECT_EQ(0xFFFFu, wnd.received.back());
}
