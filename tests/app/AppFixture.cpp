// The application fixture.
#include "tests/app/AppFixture.h"

#include "app/SplashWnd.h"
#include "platform/test/pump.h"
#include "platform/win/thread_state.h"

#include <windows.h>

#include <commctrl.h>

const char* const kEnglishIni = "[Environment]\r\nLanguage=English\r\nVersion_Number=3.2.1\r\n";

const LanguageCase kLanguageCases[2] = {{kEnglishIni, "_ENG"},
                                        {"[Environment]\r\nLanguage=Japanese\r\n", "_JPN"}};

bool ToolbarButtonCentre(HWND bar, UINT command, POINT* centre)
{
    const LRESULT index = ::SendMessageA(bar, TB_COMMANDTOINDEX, command, 0);
    RECT button = {};
    if (index < 0 || !::SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&button)))
        return false;
    *centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    return true;
}

std::set<UINT> ToolBarCommands(CMainFrame& frame)
{
    std::set<UINT> ids;
    for (int slot = 0; slot < CMainFrame::kToolBarCount; ++slot)
    {
        const HWND bar = frame.GetToolBar(static_cast<CMainFrame::ToolBarSlot>(slot)).m_hWnd;
        const int count = static_cast<int>(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
        {
            TBBUTTON button = {};
            ::SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&button));
            if (!(button.fsStyle & TBSTYLE_SEP))
                ids.insert(static_cast<UINT>(button.idCommand));
        }
    }
    return ids;
}

BOOL AppFixture::StartUp(const std::string& iniText, const char* commandLine)
{
    m_folders = std::make_unique<CAppFolders>("app", iniText);
    m_services = std::make_unique<fw::test::ScopedServices>();
    m_app = std::make_unique<CTestWendraApp>(m_folders->Path("bin"));
    m_app->m_hInstance = ::GetModuleHandleA(nullptr);
    m_app->SetCommandLine(commandLine);
    m_app->SetWideCommandLine(m_wideCommandLine.c_str());
    m_app->m_startUpReader = m_startUpReader;
    const BOOL started = m_app->InitInstance();
    if (m_waitsForStartUpRead)
        fw::test::WaitFor(
            [this] { return MainFrame() == nullptr || !MainFrame()->IsReadingStartUpFile(); },
            60000);
    fw::test::Pump();
    return started;
}

void AppFixture::TearDown()
{
    if (m_app)
    {
        m_app->CloseAllDocuments(TRUE);
        if (m_app->m_pMainWnd != nullptr && m_app->m_pMainWnd->m_hWnd != nullptr)
            m_app->m_pMainWnd->DestroyWindow();
        m_app->m_pMainWnd = nullptr;
    }
    fw::test::DrainQuit();
    m_app.reset();
    fw::FreeTemporaries();
    m_services.reset();
    m_folders.reset();
    CSplashWnd::EnableSplash(FALSE);
}

CMainFrame* AppFixture::MainFrame() const
{
    return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr;
}

bool AppFixture::CloseMainFrame()
{
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return false;
    const HWND hwnd = frame->m_hWnd;
    ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
    fw::test::Pump();
    if (::IsWindow(hwnd))
        return false;
    m_app->m_pMainWnd = nullptr;
    return true;
}

std::string AppFixture::IniValue(const char* section, const char* key) const
{
    char value[512] = {};
    ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value,
                               m_folders->Path("ini\\Gravik.ini").c_str());
    return value;
}
