// CWnd: creation through a per-thread CBT hook, the handle map, dispatch and liveness.
#include "platform/win/wnd.h"

#include "platform/base/exception.h"
#include "platform/win/dc.h"
#include "platform/win/thread_state.h"

#include <cstdio>
#include <exception>
#include <set>
#include <string>

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

    static void FinishNcDestroy(CWnd* wnd)
    {
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

// Installs the thread's creation hook for the span of one CreateEx; nested calls share it.
class CreationScope
{
public:
    explicit CreationScope(CWnd* wnd)
        : m_state(fw::GetThreadState())
    {
        if (m_state.creationDepth++ == 0)
            m_state.creationHook =
                ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
        m_state.creating = wnd;
    }
    ~CreationScope()
    {
        m_state.creating = nullptr;
        if (--m_state.creationDepth == 0 && m_state.creationHook)
        {
            ::UnhookWindowsHookEx(m_state.creationHook);
            m_state.creationHook = nullptr;
        }
    }
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

private:
    fw::ThreadState& m_state;
};
} // namespace

namespace fw
{
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

    DispatchFrame frame = {wnd, {hwnd, msg, wParam, lParam, 0, {0, 0}}, false, state.frame};
    state.frame = &frame;
    LRESULT result = 0;
    try
    {
        result = wnd->WindowProc(msg, wParam, lParam);
    }
    catch (CException* e)
    {
        char text[200] = {};
        if (!e->GetErrorMessage(text, sizeof text) || !text[0])
            std::snprintf(text, sizeof text, "framework exception");
        ReportDispatchFailure(msg, text);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        ReportDispatchFailure(msg, e.what());
    }
    catch (...)
    {
        ReportDispatchFailure(msg, "unknown exception");
    }
    state.frame = frame.outer;
    if (msg == WM_NCDESTROY && !frame.targetGone)
        WndAccess::FinishNcDestroy(wnd);
    return result;
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

namespace
{
const MsgEntry* SearchTables(const MsgTable* table, UINT msg, WPARAM wParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (; table; table = table->base ? table->base() : nullptr)
    {
        for (std::size_t i = 0; i < table->count; ++i)
        {
            const MsgEntry& entry = table->entries[i];
            if (entry.kind == EntryKind::None || entry.msg != msg)
                continue;
            if (entry.kind != EntryKind::Command)
                return &entry;
            // Menus send code 0, accelerators 1, buttons BN_CLICKED (0).
            if (id >= entry.idFirst && id <= entry.idLast && (code == entry.code || code == 1))
                return &entry;
        }
    }
    return nullptr;
}
} // namespace

const MsgEntry* FindEntry(const MsgTable* table, UINT msg, WPARAM wParam)
{
    // Commands depend on their id and code; every other message on the table alone.
    if (msg == WM_COMMAND || !table)
        return SearchTables(table, msg, wParam);
    auto& cache = GetThreadState().lookups[table];
    const auto found = cache.find(msg);
    if (found != cache.end())
        return found->second;
    const MsgEntry* entry = SearchTables(table, msg, wParam);
    cache.emplace(msg, entry);
    return entry;
}
} // namespace fw

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    fw::ThreadState& state = fw::GetThreadState();
    for (fw::DispatchFrame* frame = state.frame; frame; frame = frame->outer)
    {
        if (frame->target == this)
            frame->targetGone = true;
    }
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
    {
        const HWND hwnd = m_hWnd;
        state.orphans[hwnd] = m_superProc ? m_superProc : &::DefWindowProcA;
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
    auto& temps = fw::GetThreadState().tempWindows;
    auto& slot = temps[hwnd];
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
        return FALSE;

    HWND hwnd = nullptr;
    {
        CreationScope scope(this);
        hwnd = ::CreateWindowExA(static_cast<DWORD>(cs.dwExStyle), cs.lpszClass, cs.lpszName,
                                 static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    // A failed creation may have run PostNcDestroy already: touch no member then.
    return hwnd != nullptr;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const CRect& rect,
                  CWnd* parent, UINT id)
{
    const HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    return CreateEx(0, className, windowName, style, rect.left, rect.top, rect.Width(),
                    rect.Height(), parentHwnd,
                    (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))
                                       : nullptr);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

void CWnd::GetClientRect(CRect* rect) const
{
    RECT r = {};
    ::GetClientRect(m_hWnd, &r);
    *rect = CRect(r.left, r.top, r.right, r.bottom);
}

void CWnd::GetWindowRect(CRect* rect) const
{
    RECT r = {};
    ::GetWindowRect(m_hWnd, &r);
    *rect = CRect(r.left, r.top, r.right, r.bottom);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) const
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc)
{
    return dc ? ::ReleaseDC(m_hWnd, dc->GetSafeHdc()) : 0;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) const
{
    return ::SetTimer(m_hWnd, id, elapseMs, proc);
}

CWnd* CWnd::SetCapture() const
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result))
        result = DefWindowProc(msg, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    }
    const fw::MsgEntry* entry = fw::FindEntry(GetMessageTable(), msg, wParam);
    if (!entry)
        return FALSE;
    *result = entry->thunk(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const fw::MsgEntry* entry = fw::FindEntry(GetMessageTable(), WM_COMMAND, wParam);
    if (!entry)
        return FALSE;
    entry->thunk(this, wParam, lParam);
    return TRUE;
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

const fw::MsgTable* CWnd::Table()
{
    static constexpr fw::MsgEntry kEntries[] = {fw::kTableStart};
    static constexpr fw::MsgTable kTable = {nullptr, kEntries, 1};
    return &kTable;
}

const fw::MsgTable* CWnd::GetMessageTable() const
{
    return Table();
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

int CWnd::OnCreate(LPCREATESTRUCTA)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
