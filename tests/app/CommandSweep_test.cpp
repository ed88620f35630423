// Every command of the program's menus and toolbars sent to the main frame as a user would send
// it, on the demo model, on a real Nastran run and with no project open: enabled ones, then all
// of them regardless of their state, every dialog cancelled as it shows; then the view's keys
// and drags in each operation mode, also inside a selection. After each one the frame, its view
// and the message loop are still there, nothing is left modal and a shown model still draws.
// Then each command from the same state again: every one the program's rules enable in that
// state is enabled, and leaves something a user notices beyond its status text.
#include "platform/test/pump.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/resource.h"
#include "project/ProjectData.h"
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
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
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
    ::EnumResourceNamesA(module, MAKEINTRESOURCEA(fw::kToolBarResourceType), &AddToolBarResource,
                         reinterpret_cast<LONG_PTR>(&ids));
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
            fw::test::WhenDialogShows(
                "Select Results to Load",
                [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDC_SELECTRESULTS_ALL, 0); });
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
                const POINT path[] = {
                    {cx, cy}, {cx + 20, cy + 10}, {cx + 40, cy + 30}, {cx - 30, cy + 40}};
                const HWND hwnd = view->m_hWnd;
                ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | modifiers,
                               MAKELPARAM(path[0].x, path[0].y));
                for (const POINT& p : path)
                    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON | modifiers,
                                   MAKELPARAM(p.x, p.y));
                ::SendMessageA(hwnd, WM_LBUTTONUP, modifiers, MAKELPARAM(path[3].x, path[3].y));
                ::SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON | modifiers, MAKELPARAM(cx, cy));
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

namespace
{
// What a user could notice after a command, beyond a status text: a message, a dialog or
// window, a new or another active view, what the active view shows and how, the operation
// mode, the project's settings, the toolbars and every command's check mark.
class Footprint
{
public:
    bool operator==(const Footprint& other) const { return m_parts == other.m_parts; }
    template <typename T>
    void Add(const std::string& name, const T& value)
    {
        std::ostringstream text;
        text << value;
        m_parts[name] = text.str();
    }

private:
    std::map<std::string, std::string> m_parts;
};

BOOL CALLBACK AddVisibleWindow(HWND hwnd, LPARAM param)
{
    if (::IsWindowVisible(hwnd))
    {
        char caption[128] = {};
        ::GetWindowTextA(hwnd, caption, sizeof caption);
        *reinterpret_cast<std::string*>(param) += std::string(caption) + "|";
    }
    return TRUE;
}

// The texts of the status pane ("MsgPane" of "Message.str"), in English: a command that only
// shows one of them has done nothing else.
std::set<std::string> StatusTexts()
{
    std::set<std::string> texts;
    std::ifstream file("resources/string/Message.str", std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(file, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
        {
            inSection = line == "[MsgPane]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        key.erase(key.find_last_not_of(' ') + 1);
        if (key.size() < 4 || key.compare(key.size() - 4, 4, "_ENG") != 0)
            continue;
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(' '));
        value.erase(value.find_last_not_of(' ') + 1);
        texts.insert(value);
    }
    return texts;
}

// Where a command's entry sits: the menu path, else the button's tooltip.
void AddMenuPaths(HMENU menu, const std::string& prefix, std::map<UINT, std::string>& paths)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        char text[128] = {};
        ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        std::string name = text;
        name = name.substr(0, name.find('\t'));
        if (HMENU popup = ::GetSubMenu(menu, i))
        {
            AddMenuPaths(popup, prefix + name + "/", paths);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1) && paths.count(id) == 0)
            paths[id] = prefix + name;
    }
}

BOOL CALLBACK AddMenuResourcePaths(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (HMENU menu = ::LoadMenuA(module, name))
    {
        AddMenuPaths(menu, "", *reinterpret_cast<std::map<UINT, std::string>*>(param));
        ::DestroyMenu(menu);
    }
    return TRUE;
}

std::string CommandName(UINT id)
{
    static const std::map<UINT, std::string> kPaths = []
    {
        std::map<UINT, std::string> paths;
        ::EnumResourceNamesA(::GetModuleHandleA(nullptr), reinterpret_cast<LPCSTR>(RT_MENU),
                             &AddMenuResourcePaths, reinterpret_cast<LONG_PTR>(&paths));
        return paths;
    }();
    const auto found = kPaths.find(id);
    if (found != kPaths.end())
        return std::to_string(id) + " " + found->second;
    // A button alone: its tooltip's short text.
    char tip[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, tip, sizeof tip);
    const char* shortText = std::strchr(tip, '\n');
    return std::to_string(id) + " button \"" + (shortText != nullptr ? shortText + 1 : tip) + "\"";
}

// Every command's check mark as the update handlers set it.
class CheckState : public CCmdUI
{
public:
    explicit CheckState(UINT id) { m_nID = id; }
    void Enable(BOOL on) override { CCmdUI::Enable(on); }
    void SetCheck(int check) override { checked = check; }
    int checked = 0;
};

class CommandEffects : public CommandSweep
{
protected:
    Footprint Take()
    {
        Footprint print;
        const auto& services = **m_services;
        print.Add("message boxes", services.messageBoxes.size());
        print.Add("file dialogs", services.fileDialogTitles.size());
        print.Add("print dialogs", services.printDialogs);
        print.Add("help", services.helpCalls.size());
        print.Add("shell", services.shellExecutes.size());
        print.Add("avi", services.aviOptionCalls);
        print.Add("dialogs", fw::test::CancelledDialogs().size());
        std::string windows;
        ::EnumThreadWindows(::GetCurrentThreadId(), &AddVisibleWindow,
                            reinterpret_cast<LPARAM>(&windows));
        print.Add("windows", windows);
        // Output lines other than status texts.
        const std::vector<std::string> lines = OutputLines();
        size_t told = 0;
        for (const std::string& line : lines)
            told += m_statusTexts.count(line) == 0 ? 1 : 0;
        print.Add("output", told);
        print.Add("mode", g_nOperationMode);
        print.Add("project", Project());
        if (CProjectData* project = Project())
        {
            const CAESettings& s = project->m_settings;
            print.Add("settings", std::to_string(s.m_displayFilter) + " " +
                                      std::to_string(s.m_triadPosition) + " " +
                                      std::to_string(s.m_displayType));
            print.Add("groups", project->m_model.GetGroups().GetCount());
        }
        CMDIChildWnd* child = MainFrame()->MDIGetActive();
        print.Add("active frame", child);
        print.Add("frames", MainFrame()->GetFrameMap().GetCount());
        print.Add("running", MainFrame()->GetCmdManager()->GetRunningCommand() != nullptr);
        if (CCAEView* view = ActiveView())
        {
            const CSceneState& scene = view->Scene();
            std::ostringstream state;
            state << scene.DisplayMode() << " " << scene.ColorMode() << " " << scene.IsShrunk()
                  << " " << scene.ShrinkFactor() << " " << int(scene.NodeIdMode()) << " "
                  << int(scene.ElementIdMode());
            print.Add("scene", state.str());
            const CViewVolume& camera = view->Camera(0);
            std::ostringstream eye;
            eye << camera.m_rotation.x << " " << camera.m_rotation.y << " " << camera.m_rotation.z
                << " " << camera.m_panPoint.x << " " << camera.m_panPoint.y << " "
                << camera.m_volumeStart.x << " " << camera.m_volumeEnd.x << " "
                << camera.m_volumeStart.z << " " << camera.m_volumeEnd.z;
            print.Add("camera", eye.str());
            const CAESet& renderer = view->Renderer();
            std::ostringstream shown;
            shown << renderer.ContourResultId() << " " << renderer.VectorResultId() << " "
                  << renderer.ShowDeformation() << " " << renderer.LCStep() << " "
                  << renderer.MaxLCSteps() << " " << renderer.ShowsModel() << " "
                  << renderer.ShowsContour();
            print.Add("result", shown.str());
            print.Add("animating", view->Animation().IsAnimating());
            print.Add("selecting", view->ViewSelection().IsSelecting());
            print.Add("filter", view->ElementFilter().Mode());
            int width = 0;
            int height = 0;
            const std::vector<unsigned char> rgba = ReadView(view, &width, &height);
            print.Add("picture", std::hash<std::string>()(std::string(rgba.begin(), rgba.end())));
        }
        std::string bars;
        for (int slot = 0; slot < CMainFrame::kToolBarCount; ++slot)
        {
            const auto& bar = MainFrame()->GetToolBar(static_cast<CMainFrame::ToolBarSlot>(slot));
            bars += bar.m_hWnd != nullptr && bar.IsWindowVisible() ? '1' : '0';
        }
        print.Add("bars", bars);
        std::string checks;
        for (UINT id : ProgramCommands())
        {
            CheckState state(id);
            state.DoUpdate(MainFrame(), TRUE);
            checks += static_cast<char>('0' + state.checked);
        }
        print.Add("checks", checks);
        return print;
    }

    // Ends whatever the command left running or open, so that the next one starts as the
    // first did.
    void Settle()
    {
        CCmdRecord end;
        end.nCode = CCmdRecord::kEndCommand;
        end.bKeepRunning = 0;
        MainFrame()->GetCmdManager()->ExecuteCommand(&end);
        if (CCAEView* view = ActiveView())
        {
            if (view->ViewSelection().IsSelecting())
                view->ClearSelection();
            if (view->Animation().IsAnimating())
                Command(ID_ANIMATION_STOP);
        }
        g_nOperationMode = kModeNone;
        ::ReleaseCapture();
        // The view the sweep started on, active again (made anew when a command closed it).
        if (Project() != nullptr && (m_home == nullptr || !::IsWindow(m_home)))
        {
            ASSERT_NO_FATAL_FAILURE(Reopen());
            m_home = MainFrame()->MDIGetActive()->m_hWnd;
        }
        if (m_home != nullptr)
            ::SendMessageA(MainFrame()->m_hWndMDIClient, WM_MDIACTIVATE,
                           reinterpret_cast<WPARAM>(m_home), 0);
        fw::test::Pump();
    }

    // Each command of the menus and toolbars in turn, on the project as it stands: those left
    // disabled, and those that, enabled, left no footprint.
    void Sweep(const char* phase, std::set<UINT>& disabled, std::set<UINT>& idle,
               const std::function<void()>& prepare = {})
    {
        for (UINT id : ProgramCommands())
        {
            if (kExcluded.count(id) != 0)
                continue;
            Settle();
            if (prepare)
                prepare();
            MenuState state(id);
            state.DoUpdate(MainFrame(), TRUE);
            if (!state.enabled)
            {
                disabled.insert(id);
                continue;
            }
            m_watch.Step(std::string(phase) + ", command " + std::to_string(id));
            const Footprint before = Take();
            (*m_services)->fileAnswers.clear();
            (*m_services)->messageBoxAnswers.clear();
            Command(id);
            const Footprint after = Take();
            if (after == before)
                idle.insert(id);
            if (m_home != nullptr && Project() == nullptr)
            {
                ASSERT_NO_FATAL_FAILURE(Reopen());
            }
            if (m_home == nullptr && Project() != nullptr)
            {
                ASSERT_NO_FATAL_FAILURE(CloseProject());
            }
        }
        Settle();
    }

    static std::string List(const std::set<UINT>& ids)
    {
        std::string text;
        for (UINT id : ids)
            text += "  " + CommandName(id) + "\n";
        return text;
    }

    // True when only a 3-D view handles the command (asked of a view while one is open).
    bool IsViewCommand(UINT id) const { return m_viewCommands.count(id) != 0; }

    std::set<std::string> m_statusTexts = StatusTexts();
    HWND m_home = nullptr; // the child frame of the view the sweep works on
    std::set<UINT> m_viewCommands;
};
} // namespace

namespace
{
// Why a command may stay disabled, or act without a footprint, in a phase of the sweep: the
// program's own rules in that state.
struct Allowance
{
    std::set<UINT> ids;
    const char* why;
};
using Allowances = std::vector<Allowance>;

std::set<UINT> Unexpected(const std::set<UINT>& found, const Allowances& allowed)
{
    std::set<UINT> unexpected;
    for (UINT id : found)
    {
        bool isAllowed = false;
        for (const Allowance& allowance : allowed)
            isAllowed = isAllowed || allowance.ids.count(id) != 0;
        if (!isAllowed)
            unexpected.insert(id);
    }
    return unexpected;
}

const Allowance kNothingToUndo = {{ID_EDIT_UNDO, ID_EDIT_REDO}, "nothing to undo or redo"};
const Allowance kGraphWindowOnly = {{ID_GRAPH_POINT_DISPLAY, ID_GRAPH_PRINT},
                                    "buttons of a graph window's own toolbar"};
const Allowance kNoCommand = {{ID_ANIMATION_INTERVAL},
                              "the interval button, which carries no command of its own"};
const Allowance kNotAnimating = {{ID_ANIMATION_STOP}, "Stop: only while an animation plays"};
const Allowance kNotSelecting = {
    {ID_SELECT_FILTER_SHELL, ID_SELECT_CANCEL_ALL, ID_SELECT_CANCEL_ONE, ID_SELECT_DECISION,
     ID_SELECT_ABORT, ID_SELECT_ALL, ID_SELECT_BY_ID, ID_SELECT_BY_PROPERTY, ID_SELECT_BY_MATERIAL,
     ID_SELECT_RECTANGLE, ID_SELECT_CIRCLE, ID_SELECT_POLYGON, ID_SELECT_FILTER_NODE,
     ID_SELECT_FILTER_BEAM, ID_SELECT_FILTER_ELASS, ID_SELECT_FILTER_SOLID, ID_SELECT_FILTER_MASS},
    "selection tools and filters: only while a selection runs, for the kinds it accepts"};
const Allowance kUniversalFile = {{ID_IMPORT_BULK_DATA},
                                  "bulk data import: the model came from a universal file"};
const Allowance kShadingFirstView = {
    {ID_VIEW_SHADING, ID_VIEW_RIDGELINE_SHADING, ID_VIEW_HIDDENLINE},
    "shading modes: only in a project's first view"};
const Allowance kVectorShown = {{ID_RESULT_CONTOUR_SETTINGS},
                                "Contour Settings: the view shows a vector result"};
const Allowance kNodalShown = {
    {ID_INFO_RESULT_LIST_ELEM, ID_INFO_RESULT_GRAPH_ELEM, ID_INFO_DISTANCE_GRAPH_ELEM},
    "elemental result tools: the shown result is nodal"};
const Allowance kNoResultShown = {
    {ID_RESULT_CONTOUR_SETTINGS, ID_RESULT_VECTOR_SETTINGS, ID_ANIMATION_PLAY, ID_ANIMATION_STOP,
     ID_ANIMATION_BACK, ID_ANIMATION_FORWARD, ID_ANIMATION_REPEAT, ID_EXPORT_AVI,
     ID_RESULT_ANIMATION_SETTINGS, ID_RESULT_DEFORMATION_SETTINGS, ID_LOADCASE_COMBO},
    "result commands: the model's view shows no result"};

const Allowance kAlreadyXY = {{ID_VIEW_DIR_XY}, "XY: the view already looks along Z"};
const Allowance kRedraw = {{ID_VIEW_REDRAW}, "Redraw: the lists made again show the same"};
const Allowance kNoIcons = {{ID_WINDOW_ARRANGE_ICONS}, "Arrange Icons: no window is minimised"};
const Allowance kComboNotACommand = {{ID_LOADCASE_COMBO},
                                     "the load-case combo acts on a change of its selection"};
const Allowance kHelpMode = {{ID_CONTEXT_HELP},
                             "Context Help: its help mode, which the sweep leaves at once"};
} // namespace

TEST_F(CommandEffects, EveryOfferedCommandIsEnabledAndDoesSomething)
{
    const auto expect = [&](const char* phase, const std::set<UINT>& disabled,
                            const std::set<UINT>& idle, const Allowances& mayBeDisabled,
                            const Allowances& mayBeIdle)
    {
        SCOPED_TRACE(phase);
        EXPECT_EQ("", List(Unexpected(disabled, mayBeDisabled))) << "disabled";
        EXPECT_EQ("", List(Unexpected(idle, mayBeIdle))) << "enabled, but nothing happens";
    };
    const Allowances kAlwaysDisabled = {kNothingToUndo, kGraphWindowOnly, kNoCommand, kNotAnimating,
                                        kUniversalFile};
    const Allowances kAlwaysIdle = {kRedraw, kNoIcons, kComboNotACommand, kHelpMode};
    ASSERT_NO_FATAL_FAILURE(OpenDemo());
    for (UINT id : ProgramCommands())
    {
        // The load-case combo's command is a notification; its state is the view's too.
        fw::CmdHandlerInfo info;
        MenuState state(id);
        if (ActiveView()->OnCmdMsg(id, CN_COMMAND, nullptr, &info) ||
            ActiveView()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr))
            m_viewCommands.insert(id);
    }
    {
        std::set<UINT> disabled, idle;
        m_home = MainFrame()->MDIGetActive()->m_hWnd;
        ASSERT_NO_FATAL_FAILURE(Sweep("demo, result view", disabled, idle));
        Allowances mayBeDisabled = kAlwaysDisabled;
        mayBeDisabled.insert(mayBeDisabled.end(),
                             {kNotSelecting, kShadingFirstView, kVectorShown, kNodalShown});
        Allowances mayBeIdle = kAlwaysIdle;
        mayBeIdle.push_back(kAlreadyXY);
        expect("demo, result view", disabled, idle, mayBeDisabled, mayBeIdle);
    }
    {
        std::set<UINT> disabled, idle;
        ASSERT_NO_FATAL_FAILURE(
            Sweep("demo, selecting", disabled, idle, [this] { RequestPick(); }));
        Allowances mayBeDisabled = kAlwaysDisabled;
        mayBeDisabled.insert(mayBeDisabled.end(), {kShadingFirstView, kVectorShown, kNodalShown});
        Allowances mayBeIdle = kAlwaysIdle;
        mayBeIdle.insert(
            mayBeIdle.end(),
            {{{ID_SELECT_CANCEL_ALL, ID_SELECT_CANCEL_ONE, ID_SELECT_DECISION},
              "no picks yet to cancel or decide"},
             {{ID_INFO_ENTITY, ID_INFO_SELECTED_MODEL},
              "a tool that picks replaces the running selection with one of its own"}});
        expect("demo, selecting", disabled, idle, mayBeDisabled, mayBeIdle);
    }
    // The model's view in each display mode, then in each operation mode: the mode chosen
    // again before every command.
    m_home = View(1)->GetParentFrame()->m_hWnd;
    const UINT kModes[] = {ID_VIEW_WIREFRAME,
                           ID_VIEW_RIDGELINE,
                           ID_VIEW_SHADING,
                           ID_VIEW_RIDGELINE_SHADING,
                           ID_VIEW_HIDDENLINE,
                           ID_VIEW_PAN,
                           ID_VIEW_ZOOM,
                           ID_VIEW_WINDOW_ZOOM,
                           ID_VIEW_ROTATE3D,
                           ID_VIEW_ROTATE_PLANE,
                           ID_VIEW_ROTATE_VERTICAL,
                           ID_VIEW_ROTATE_HORIZONTAL};
    for (UINT mode : kModes)
    {
        const std::string phase = "demo, model view, " + CommandName(mode);
        std::set<UINT> disabled, idle;
        ASSERT_NO_FATAL_FAILURE(
            Sweep(phase.c_str(), disabled, idle, [this, mode] { Command(mode); }));
        Allowances mayBeDisabled = kAlwaysDisabled;
        mayBeDisabled.insert(mayBeDisabled.end(), {kNotSelecting, kNoResultShown});
        Allowances mayBeIdle = kAlwaysIdle;
        mayBeIdle.insert(mayBeIdle.end(),
                         {kAlreadyXY, {{mode}, "the mode the view is in already"}});
        expect(phase.c_str(), disabled, idle, mayBeDisabled, mayBeIdle);
    }
    {
        std::set<UINT> disabled, idle;
        ASSERT_NO_FATAL_FAILURE(CloseProject());
        m_home = nullptr;
        ASSERT_NO_FATAL_FAILURE(Sweep("no project", disabled, idle));
        // Without a project there is no view: the view's commands have no handler.
        std::set<UINT> mainFrameCommands;
        for (UINT id : disabled)
        {
            if (!IsViewCommand(id))
                mainFrameCommands.insert(id);
        }
        const Allowances mayBeDisabled = {
            kNothingToUndo,
            kGraphWindowOnly,
            kNoCommand,
            {{ID_PROJECT_SAVE, ID_PROJECT_SAVE_AS, ID_PROJECT_CLOSE, ID_IMPORT_BULK_DATA,
              ID_IMPORT_UNV, ID_EXPORT_DEFORMED_UNV, ID_EXPORT_ORIGINAL_UNV, ID_DISPLAY_SETTINGS,
              ID_RESULT_SETTINGS},
             "project commands and the Display and Result sheets: no project is open"},
            {{ID_WINDOW_CASCADE}, "Cascade: the framework's, enabled only with a window"}};
        const Allowances mayBeIdle = {
            kNoIcons,
            kHelpMode,
            {{ID_WINDOW_TILE_HORZ_SIDE, ID_WINDOW_TILE_VERT_STACK, ID_WINDOW_NEXT},
             "no window to tile or activate"}};
        expect("no project", mainFrameCommands, idle, mayBeDisabled, mayBeIdle);
    }
}

namespace
{
class CommandEffectsOnSamples : public CommandEffects
{
protected:
    void SetUp() override
    {
        REQUIRE_SAMPLES();
        CommandEffects::SetUp();
    }
};
} // namespace

TEST_F(CommandEffectsOnSamples, EveryOfferedCommandIsEnabledAndDoesSomethingOnANastranRun)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample());
    const Allowance bulkData = {{ID_IMPORT_UNV},
                                "universal-file import: the model came from bulk data"};
    const Allowance contourShown = {{ID_RESULT_VECTOR_SETTINGS},
                                    "Vector Setting: the view shows a contour"};
    const Allowances mayBeIdle = {kRedraw, kNoIcons, kComboNotACommand, kHelpMode, kAlreadyXY};
    const struct
    {
        const char* phase;
        const char* result; // shown in a view of its own; null: the one the sweep opened with
        Allowances mayBeDisabled;
    } kPhases[] = {
        {"displacements",
         nullptr,
         {kNothingToUndo, kGraphWindowOnly, kNoCommand, kNotAnimating, kNotSelecting,
          kShadingFirstView, kVectorShown, kNodalShown, bulkData}},
        {"plate stresses",
         "von Mises, fibre 1",
         {kNothingToUndo, kGraphWindowOnly, kNoCommand, kNotAnimating, kNotSelecting,
          kShadingFirstView, contourShown, bulkData}},
    };
    for (const auto& phase : kPhases)
    {
        SCOPED_TRACE(phase.phase);
        if (phase.result != nullptr)
        {
            const HTREEITEM result = FindResultItem(phase.result);
            ASSERT_NE(nullptr, result);
            DoubleClick(result);
        }
        m_home = MainFrame()->MDIGetActive()->m_hWnd;
        std::set<UINT> disabled, idle;
        ASSERT_NO_FATAL_FAILURE(Sweep(phase.phase, disabled, idle));
        EXPECT_EQ("", List(Unexpected(disabled, phase.mayBeDisabled))) << "disabled";
        EXPECT_EQ("", List(Unexpected(idle, mayBeIdle))) << "enabled, but nothing happens";
    }
}
