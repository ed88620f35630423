// CWnd: creation through a per-thread CBT hook, the handle map, the window procedure and
// liveness.
#include "platform/win/wnd.h"

#include "platform/base/exception.h"
#include "platform/win/app.h"
#include "platform/win/thread_state.h"

#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <typeindex>

// Lets the creation hook and the window procedure reach CWnd's private state.
struct WndAccess
{
    static void Map(CWnd* wnd, HWND hwnd)
    {
        fw::GetThreadState().windows[hwnd] = wnd;
        wnd->m_hWnd = hwnd;
    }

    static void Subclass(CWnd* wnd)
    {
        const auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            wnd->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&fw::WndProc)));
        if (old != &fw::WndProc)
            wnd->m_superProc = old;
        wnd->PreSubclassWindow();
    }

    static void CallPostNcDestroy(CWnd* wnd) { wnd->PostNcDestroy(); }

    static void FinishNcDestroy(CWnd* wnd)
    {
        // The main window going ends the thread's message loop.
        CWinThread* thread = AfxGetThread();
        if (thread && thread->m_pMainWnd == wnd)
        {
            thread->m_pMainWnd = nullptr;
            if (thread == AfxGetApp())
                ::PostQuitMessage(0);
        }
        wnd->Detach();
        wnd->PostNcDestroy();
    }
};

namespace
{
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    fw::ThreadState& state = fw::GetThreadState();
    if (code == HCBT_CREATEWND && state.creating)
    {
        // Taking the slot here lets a WM_CREATE handler create further windows.
        CWnd* wnd = state.creating;
        state.creating = nullptr;
        const HWND hwnd = reinterpret_cast<HWND>(wParam);
        WndAccess::Map(wnd, hwnd);
        WndAccess::Subclass(wnd);
    }
    return ::CallNextHookEx(state.creationHook, code, wParam, lParam);
}

void ReportCaught(UINT msg)
{
    try
    {
        throw;
    }
    catch (CException* e)
    {
        char text[200] = {};
        if (!e->GetErrorMessage(text, sizeof text) || !text[0])
            std::snprintf(text, sizeof text, "framework exception");
        fw::ReportDispatchFailure(msg, text);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        fw::ReportDispatchFailure(msg, e.what());
    }
    catch (...)
    {
        fw::ReportDispatchFailure(msg, "unknown exception");
    }
}

// The creation hook of the thread for the span of one creation; nested creations share it.
class CreationScope
{
public:
    explicit CreationScope(CWnd* wnd)
        : m_state(fw::GetThreadState())
        , m_outer(m_state.creating)
    {
        if (m_state.creationDepth++ == 0)
            m_state.creationHook =
                ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
        m_state.creating = wnd;
    }
    ~CreationScope()
    {
        m_state.creating = m_outer;
        if (--m_state.creationDepth == 0 && m_state.creationHook)
        {
            ::UnhookWindowsHookEx(m_state.creationHook);
            m_state.creationHook = nullptr;
        }
    }
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

    // True when the hook took the object, that is a window was made for it.
    bool Taken(const CWnd* wnd) const { return m_state.creating != wnd; }

private:
    fw::ThreadState& m_state;
    CWnd* m_outer;
};
} // namespace

namespace fw
{
LRESULT CallWndProc(CWnd* wnd, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = GetThreadState();
    DispatchFrame frame = {wnd, {hwnd, msg, wParam, lParam, 0, {0, 0}}, false, state.frame};
    state.frame = &frame;
    LRESULT result = 0;
    try
    {
        result = wnd->WindowProc(msg, wParam, lParam);
    }
    catch (...)
    {
        ReportCaught(msg);
    }
    state.frame = frame.outer;
    if (msg == WM_NCDESTROY && !frame.targetGone && CWnd::FromHandlePermanent(hwnd) == wnd)
        WndAccess::FinishNcDestroy(wnd);
    return result;
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = GetThreadState();
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
    {
        // A window whose object went first keeps its old procedure.
        const auto orphan = state.orphans.find(hwnd);
        const WNDPROC proc = orphan != state.orphans.end() ? orphan->second : &::DefWindowProcA;
        const LRESULT result = ::CallWindowProcA(proc, hwnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY)
            state.orphans.erase(hwnd);
        return result;
    }
    return CallWndProc(wnd, hwnd, msg, wParam, lParam);
}

const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::set<std::string> registered;
    char name[96];
    std::snprintf(name, sizeof name, "Fw:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    auto found = registered.find(name);
    if (found != registered.end())
        return found->c_str();

    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return registered.insert(name).first->c_str();
}

HWND CreateThroughHook(CWnd* wnd, const std::function<HWND()>& create)
{
    HWND hwnd = nullptr;
    bool taken = false;
    {
        CreationScope scope(wnd);
        hwnd = create();
        taken = scope.Taken(wnd);
    }
    // A window made and destroyed again (WM_CREATE failed) has run PostNcDestroy, which may
    // have deleted the object: touch it no more then.
    if (!hwnd && !taken)
        WndAccess::CallPostNcDestroy(wnd);
    return hwnd;
}

const MSG* CurrentMessage()
{
    const DispatchFrame* frame = GetThreadState().frame;
    return frame ? &frame->msg : nullptr;
}

UINT CurrentCtlColorType()
{
    const MSG* msg = CurrentMessage();
    if (msg && msg->message >= WM_CTLCOLORMSGBOX && msg->message <= WM_CTLCOLORSTATIC)
        return msg->message - WM_CTLCOLORMSGBOX;
    return CTLCOLOR_MSGBOX;
}
} // namespace fw

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    fw::MarkTargetGone(this);
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
    {
        fw::ThreadState& state = fw::GetThreadState();
        const HWND hwnd = m_hWnd;
        state.orphans[hwnd] = m_superProc ? m_superProc : &::DefWindowProcA;
        CWinThread* thread = AfxGetThread();
        if (thread && thread->m_pMainWnd == this)
            thread->m_pMainWnd = nullptr;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    auto& slot = fw::GetThreadState().tempWindows[{hwnd, std::type_index(typeid(CWnd))}];
    if (!slot)
    {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    const auto& windows = fw::GetThreadState().windows;
    const auto found = windows.find(hwnd);
    return found != windows.end() ? found->second : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    WndAccess::Map(this, hwnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hwnd = m_hWnd;
    if (hwnd)
    {
        auto& windows = fw::GetThreadState().windows;
        const auto found = windows.find(hwnd);
        if (found != windows.end() && found->second == this)
            windows.erase(found);
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    WndAccess::Subclass(this);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    const HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    const WNDPROC current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    const WNDPROC super = m_superProc ? m_superProc : &::DefWindowProcA;
    if (current == &fw::WndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    else
        fw::GetThreadState().orphans[m_hWnd] = super; // someone subclassed after us
    m_superProc = nullptr;
    return Detach();
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* param)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = static_cast<LONG>(exStyle);
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
    {
        // Self-deleting objects go now: no window will ever call PostNcDestroy.
        PostNcDestroy();
        return FALSE;
    }
    if (!cs.lpszClass)
        cs.lpszClass = fw::RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                            ::LoadCursorA(nullptr, IDC_ARROW));

    const HWND hwnd = fw::CreateThroughHook(
        this,
        [&cs]()
        {
            return ::CreateWindowExA(static_cast<DWORD>(cs.dwExStyle), cs.lpszClass, cs.lpszName,
                                     static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                     cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
        });
    // A failed creation may have deleted this object: touch no member.
    return hwnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context)
{
    const HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    return CreateEx(
        0, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parentHwnd,
        (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr, context);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result))
        result = DefWindowProc(msg, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc)
        return ::CallWindowProcA(m_superProc, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const fw::DispatchFrame* frame = fw::GetThreadState().frame;
    if (!frame)
        return 0;
    return DefWindowProc(frame->msg.message, frame->msg.wParam, frame->msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return fw::CurrentMessage();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}
