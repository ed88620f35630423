// Every command of the program's menus and toolbars sent to the main frame as a user would send
// it, on the demo model, on a real Nastran run and with no project open: enabled ones, then all
// of them regardless of their state, every dialog cancelled as it shows; then the view's keys
// and drags in each operation mode, also inside a selection. After each one the frame, its view
// and the message loop are still there, nothing is left modal and a shown model still draws.
#include "project/ProjectData.h"
#include "platform/test/pump.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/resource.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/TestPaths.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace
{
// Commands left out: Exit ends the process.
const std::set<UINT> kExcluded = {ID_APP_EXIT};

// Longest a single command or gesture may take before the sweep calls it a hang.
constexpr int kHangSeconds = 60;

void AddMenuCommands(HMENU menu, std::set<UINT>& ids)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
    {
        if (HMENU popup = ::GetSubMenu(menu, i))
        {
            AddMenuCommands(popup, ids);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.insert(id);
    }
}

BOOL CALLBACK AddMenuResource(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (HMENU menu = ::LoadMenuA(module, name))
    {
        AddMenuCommands(menu, *reinterpret_cast<std::set<UINT>*>(param));
        ::DestroyMenu(menu);
    }
    return TRUE;
}

BOOL CALLBACK AddToolBarResource(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    fw::ToolBarResource bar;
    if (IS_INTRESOURCE(name) &&
        fw::LoadToolBarResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)), bar))
    {
        for (UINT id : bar.items)
        {
            if (id != 0)
                reinterpret_cast<std::set<UINT>*>(param)->insert(id);
        }
    }
    return TRUE;
}

// Every command of every menu and toolbar the program carries.
std::vector<UINT> ProgramCommands()
{
    std::set<UINT> ids;
    const HMODULE module = ::GetModuleHandleA(nullptr);
    ::EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_MENU), &AddMenuResource,
                         reinterpret_cast<LONG_PTR>(&ids));
    ::EnumResourceNamesA(module, MAKEINTRESOURCEA(fw::kToolBarResourceType),
                         &AddToolBarResource, reinterpret_cast<LONG_PTR>(&ids));
    std::vector<UINT> commands;
    for (UINT id : ids)
    {
        if (kExcluded.count(id) == 0)
            commands.push_back(id);
    }
    return commands;
}

// Ends the process with the step that hangs, instead of waiting for the test's time-out.
class HangWatch
{
public:
    HangWatch()
        : m_thread([this] { Run(); })
    {
    }
    ~HangWatch()
    {
        m_stop = true;
        m_thread.join();
    }
    void Step(const std::string& what)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_what = what;
        }
        m_since = ::GetTickCount64();
    }

private:
    void Run()
    {
        while (!m_stop)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (::GetTickCount64() - m_since > kHangSeconds * 1000ull)
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                std::fprintf(stderr, "hang: %s\n", m_what.c_str());
                std::fflush(stderr);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<ULONGLONG> m_since{::GetTickCount64()};
    std::mutex m_mutex;
    std::string m_what;
    std::thread m_thread;
};

// A command's enabled state as a menu shows it: an update handler's say, else whether any
// target along the route handles it.
class MenuState : public CCmdUI
{
public:
    explicit MenuState(UINT id) { m_nID = id; }
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        enabled = on != 0;
    }
    bool enabled = false;
};

// A message-only window that notes the message posted to it: the loop still dispatches.
class LoopProbe
{
public:
    LoopProbe()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "GravikSweepLoopProbe";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~LoopProbe() { ::DestroyWindow(m_hwnd); }
    bool Runs()
    {
        s_arrived = false;
        ::PostMessageA(m_hwnd, kProbe, 0, 0);
        return fw::test::WaitFor([] { return s_arrived; });
    }

private:
    static constexpr UINT kProbe = WM_APP + 1;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == kProbe)
            s_arrived = true;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    static inline bool s_arrived = false;
    HWND m_hwnd = nullptr;
};

class CommandSweep : public ProjectAppFixture
{
protected:
    void SetUp() override
    {
        ProjectAppFixture::SetUp();
        fw::test::CancelEveryDialog(true);
    }
    void TearDown() override
    {
        fw::test::CancelEveryDialog(false);
        g_nOperationMode = kModeNone;
        ProjectAppFixture::TearDown();
    }

    // The project the sweep runs on: made again when a command closed it.
    void OpenDemo()
    {
        m_open = [this] { NewProject("demo", m_demoModel); };
        Reopen();
    }
    void OpenSample()
    {
        m_open = [this]
        {
            NewProject("ogs", m_sampleRoot + "\\pyNastran\\ogs\\ogs.bdf");
            (*m_services)->fileAnswers.push_back(m_sampleRoot + "\\pyNastran\\ogs\\ogs.op2");
            fw::test::WhenDialogShows("Select Results to Load", [](HWND dialog) {
                ::PostMessageA(dialog, WM_COMMAND, IDC_SELECTRESULTS_ALL, 0);
            });
            Command(ID_IMPORT_OP2);
        };
        Reopen();
    }
    void Reopen()
    {
        // Answers left by a command must not reach the new project's questions.
        (*m_services)->messageBoxAnswers.clear();
        (*m_services)->fileAnswers.clear();
        m_open();
        (*m_services)->fileAnswers.clear();
        ASSERT_NE(nullptr, Project());
        // A result shown from the tree, so that the result and animation commands act.
        if (HTREEITEM result = FindResultItem(""))
            DoubleClick(result);
        ASSERT_NE(nullptr, ActiveView());
    }

    CCAEView* ActiveView()
    {
        CMDIChildWnd* child = MainFrame()->MDIGetActive();
        return child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr;
    }

    static bool Varied(const std::vector<unsigned char>& rgba)
    {
        for (size_t i = 4; i + 3 < rgba.size(); i += 4)
        {
            if (rgba[i] != rgba[0] || rgba[i + 1] != rgba[1] || rgba[i + 2] != rgba[2])
                return true;
        }
        return false;
    }

    // What must hold after every step.
    void ExpectAlive(const std::string& step)
    {
        CMainFrame* frame = MainFrame();
        ASSERT_NE(nullptr, frame) << step;
        ASSERT_TRUE(::IsWindow(frame->m_hWnd)) << step;
        EXPECT_TRUE(::IsWindowEnabled(frame->m_hWnd)) << step << ": the frame is left disabled";
        // A chosen operation mode holds the mouse for the view's next drag; nothing else may.
        const HWND capture = ::GetCapture();
        CCAEView* view = ActiveView();
        const bool modeWaits =
            g_nOperationMode != kModeNone && view != nullptr && capture == view->m_hWnd;
        EXPECT_TRUE(capture == nullptr || modeWaits) << step << ": the mouse is left captured";
        EXPECT_TRUE(m_loop.Runs()) << step << ": the message loop no longer runs";
        if (Project() == nullptr)
            return;
        ASSERT_NE(nullptr, view) << step << ": no view";
        int width = 0;
        int height = 0;
        // Turned or panned out of sight is the user's doing: Auto Scale brings the model back.
        bool varied = Varied(ReadView(view, &width, &height));
        if (!varied)
        {
            Command(ID_VIEW_AUTOSCALE);
            varied = Varied(ReadView(view, &width, &height));
        }
        EXPECT_TRUE(varied) << step << ": the view draws one colour";
    }

    // Sends every command (only those enabled, or all), keeping a project open when one was.
    void SweepCommands(bool enabledOnly, const char* phase)
    {
        const bool withProject = Project() != nullptr;
        for (UINT id : ProgramCommands())
        {
            MenuState state(id);
            state.DoUpdate(MainFrame(), TRUE);
            if (enabledOnly && !state.enabled)
                continue;
            const std::string step = std::string(phase) + ", command " + std::to_string(id);
            m_watch.Step(step);
            (*m_services)->fileAnswers.clear();
            (*m_services)->messageBoxAnswers.clear();
            Command(id);
            ASSERT_NO_FATAL_FAILURE(ExpectAlive(step));
            if (withProject && Project() == nullptr)
            {
                ASSERT_NO_FATAL_FAILURE(Reopen());
            }
            // A recent project opened: closed again, so that the pass stays without one.
            if (!withProject && Project() != nullptr)
            {
                ASSERT_NO_FATAL_FAILURE(CloseProject());
            }
            if (HasFailure())
                return;
        }
    }

    // Each key pressed and released in turn, through the loop's pre-translation, with Ctrl
    // held in the thread's keyboard state when asked (accelerators read it).
    template <size_t N>
    static void PressKeys(HWND hwnd, const UINT (&keys)[N], bool control)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        const BYTE oldControl = state[VK_CONTROL];
        state[VK_CONTROL] = control ? 0x80 : oldControl;
        ::SetKeyboardState(state);
        for (UINT key : keys)
        {
            ::PostMessageA(hwnd, WM_KEYDOWN, key, 1);
            ::PostMessageA(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        }
        fw::test::Pump();
        state[VK_CONTROL] = oldControl;
        ::SetKeyboardState(state);
    }

    // The view's keys and a drag in every operation mode, then in each selection shape; each
    // inside a selection when asked, where they pick, end and cancel it.
    void KeysAndDrags(const char* phase, bool selecting = false)
    {
        static const UINT kModes[] = {0,
                                      ID_VIEW_PAN,
                                      ID_VIEW_ZOOM,
                                      ID_VIEW_WINDOW_ZOOM,
                                      ID_VIEW_ROTATE3D,
                                      ID_VIEW_ROTATE_PLANE,
                                      ID_VIEW_ROTATE_VERTICAL,
                                      ID_VIEW_ROTATE_HORIZONTAL,
                                      ID_SELECT_RECTANGLE,
                                      ID_SELECT_CIRCLE,
                                      ID_SELECT_POLYGON};
        // Delete drops the last picks, Enter ends a selection and Esc cancels it: the picks of
        // the drag first.
        static const UINT kKeys[] = {VK_LEFT,   VK_RIGHT,  VK_UP,    VK_DOWN,
                                     VK_DELETE, VK_RETURN, VK_ESCAPE};
        static const UINT kModifiers[] = {0, MK_SHIFT, MK_CONTROL};
        for (UINT mode : kModes)
        {
            for (UINT modifiers : kModifiers)
            {
                const std::string step = std::string(phase) + (selecting ? ", selecting" : "") +
                                         ", mode " + std::to_string(mode) + ", modifiers " +
                                         std::to_string(modifiers);
                m_watch.Step(step);
                if (selecting)
                    RequestPick();
                if (mode != 0)
                    Command(mode);
                CCAEView* view = ActiveView();
                if (view == nullptr)
                    return;
                CRect client;
                view->GetClientRect(&client);
                const int cx = client.Width() / 2;
                const int cy = client.Height() / 2;
                const POINT path[] = {{cx, cy}, {cx + 20, cy + 10}, {cx + 40, cy + 30},
                                      {cx - 30, cy + 40}};
                const HWND hwnd = view->m_hWnd;
                ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | modifiers,
                               MAKELPARAM(path[0].x, path[0].y));
                for (const POINT& p : path)
                    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON | modifiers,
                                   MAKELPARAM(p.x, p.y));
                ::SendMessageA(hwnd, WM_LBUTTONUP, modifiers, MAKELPARAM(path[3].x, path[3].y));
                ::SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON | modifiers,
                               MAKELPARAM(cx, cy));
                ::SendMessageA(hwnd, WM_LBUTTONUP, modifiers, MAKELPARAM(cx, cy));
                ::SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(modifiers, WHEEL_DELTA),
                               MAKELPARAM(cx, cy));
                ::SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON | modifiers, MAKELPARAM(cx, cy));
                ::SendMessageA(hwnd, WM_RBUTTONUP, modifiers, MAKELPARAM(cx, cy));
                if (selecting)
                    ::SendMessageA(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(cx, cy));
                if (ActiveView() != nullptr)
                    PressKeys(ActiveView()->m_hWnd, kKeys, modifiers == MK_CONTROL);
                ASSERT_NO_FATAL_FAILURE(ExpectAlive(step));
                if (Project() == nullptr)
                    return;
            }
        }
        g_nOperationMode = kModeNone;
    }

    // A selection as a tool asks for one: every kind, areas allowed.
    void RequestPick()
    {
        CPickRequestRecord request;
        request.nAllowedKinds = kKindAll;
        request.nInitialFilter = kKindAll;
        MainFrame()->GetCmdManager()->ExecuteCommand(&request);
        fw::test::Pump();
    }

    void SweepWithProject(const char* phase)
    {
        ASSERT_NO_FATAL_FAILURE(SweepCommands(true, phase));
        ASSERT_NO_FATAL_FAILURE(KeysAndDrags(phase));
        ASSERT_NO_FATAL_FAILURE(KeysAndDrags(phase, true));
        ASSERT_NO_FATAL_FAILURE(SweepCommands(false, phase));
    }

    void CloseProject()
    {
        (*m_services)->messageBoxAnswers.clear();
        // Element colours changed by property: the universal file is not rewritten.
        if (Project()->m_settings.m_propertyColorFlag == 1)
            (*m_services)->messageBoxAnswers.push_back(IDOK);
        (*m_services)->messageBoxAnswers.push_back(IDNO); // no save
        Command(ID_PROJECT_CLOSE);
        ASSERT_EQ(nullptr, Project());
    }

    void CloseProjectAndSweep()
    {
        ASSERT_NO_FATAL_FAILURE(CloseProject());
        ASSERT_NO_FATAL_FAILURE(SweepCommands(true, "no project"));
        ASSERT_NO_FATAL_FAILURE(SweepCommands(false, "no project"));
        EXPECT_EQ(nullptr, Project());
    }

    HangWatch m_watch;
    LoopProbe m_loop;
    std::function<void()> m_open;
};

class CommandSweepOnSamples : public CommandSweep
{
protected:
    // Before start-up makes the program's folder current, while "../shared" is found.
    void SetUp() override
    {
        REQUIRE_SAMPLES();
        CommandSweep::SetUp();
    }
};
} // namespace

TEST_F(CommandSweep, EveryCommandOnTheDemoModelThenWithNoProject)
{
    ASSERT_GT(ProgramCommands().size(), 100u) << "the menus and toolbars are read";
    ASSERT_NO_FATAL_FAILURE(OpenDemo());
    ASSERT_NO_FATAL_FAILURE(SweepWithProject("demo"));
    ASSERT_NO_FATAL_FAILURE(CloseProjectAndSweep());
    EXPECT_FALSE(fw::test::CancelledDialogs().empty()) << "some commands ask in a dialog";
}

TEST_F(CommandSweepOnSamples, EveryCommandOnANastranRun)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample());
    ASSERT_NO_FATAL_FAILURE(SweepWithProject("bulk data and OUTPUT2"));
}

