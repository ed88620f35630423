// Start-up and the application's commands.
#include "app/WendraApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/MenuTexts.h"
#include "app/ProgramEnd.h"
#include "app/SplashWnd.h"
#include "app/WendraDoc.h"
#include "core/services/AppEnvironment.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "platform/base/os.h"
#include "platform/docview/doctempl.h"
#include "platform/ole/oleinit.h"
#include "platform/sys/services.h"
#include "platform/win/recentfiles.h"
#include "platform/win/texts.h"
#include "render/RenderLog.h"
#include "resources/ids/app_ids.h"
#include "view/WendraView.h"

#include <algorithm>
#include <string>
#include <vector>

CAELogFile theAppLog("Gravik");

namespace
{
constexpr const char* kRegistryKey = "GRAVIK";
constexpr const char* kLogLocation = "Gravik";
// The exit code of a start that ended before the main window ran, so that a script sees it.
constexpr int kStartFailedExitCode = 3;
constexpr UINT kJapaneseCodePage = 932; // the string files' Japanese texts

std::wstring Widen(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
    if (size > 0)
        ::MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], size);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        ::WideCharToMultiByte(codePage, 0, text.data(), length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

// The file the wide command line names (its last argument, as the ANSI one is read) when the
// code page cannot carry it; empty when it can.
std::wstring UncarriedFileOf(const std::wstring& wideCommandLine)
{
    const std::vector<std::wstring> args = fw::SplitCommandLine(wideCommandLine.c_str());
    if (args.empty())
        return std::wstring();
    std::wstring file = args.back();
    if (!file.empty() && (file[0] == L'/' || file[0] == L'-'))
        file.erase(0, 1);
    return Widen(Narrow(file, CP_ACP), CP_ACP) == file ? std::wstring() : file;
}

// The language is not known yet, nor is the process's code page that of the Japanese text: both
// texts are shown, the Japanese one read as what it is.
void ShowLanguageFailure(const std::string& english, const std::string& japanese,
                         const char* caption)
{
    std::wstring text = Widen(english, CP_ACP);
    if (!text.empty() && !japanese.empty())
        text += L"\n\n";
    text += Widen(japanese, kJapaneseCodePage);
    const std::wstring wideCaption = Widen(caption ? caption : "", CP_ACP);
    sys::Get().WideMessageBox(nullptr, text.c_str(),
                              wideCaption.empty() ? nullptr : wideCaption.c_str(),
                              MB_ICONERROR | MB_OK);
}
} // namespace

FW_TABLE(CWendraApp, CWinApp, fw::command<ID_APP_ABOUT, &CWendraApp::OnAppAbout>(),
         fw::command<ID_FILE_NEW, &CWinApp::OnFileNew>(),
         fw::command<ID_FILE_OPEN, &CWinApp::OnFileOpen>(),
         fw::command<ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup>(),
         fw::command<ID_HELP_FINDER, &CWendraApp::OnHelpFinder>(),
         fw::command<ID_DEFAULT_HELP, &CWendraApp::OnHelpFinder>())

void CWendraCommandLineInfo::ParseParam(const char* param, BOOL, BOOL)
{
    // Every parameter replaces the one before: the last wins, flags included.
    m_fileToOpen = param;
}

CWendraApp::CWendraApp()
    : CWinApp("Gravik")
{
}

BOOL CWendraApp::InitInstance()
{
    // The log folder hangs below the executable's folder: known before anything is logged.
    SetExecutableFolder(StartUpFolder());
    theAppLog.WriteLine(0, kLogLocation, " ------ START ------- ");
    program_end::Install();
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    CSplashWnd::EnableSplash(commandLine.m_bShowSplash);
    // Drop targets and the image encoders need OLE; without it they fail cleanly.
    fw::OleInit();

    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(CRecentProjects::kCount);
    ClearRecentFileList();

    const std::string folder = StartUpFolder();
    if (!ChooseLanguage(folder))
        return EndStart("no language: the product INI's Environment/Language is missing or not "
                        "English or Japanese");
    program_end::PrepareTexts();
    LoadRecentProjects();
    CWendraCommandLineInfo fileLine;
    ParseCommandLine(fileLine);
    const CString startUpFile = fileLine.GetFileToOpen();
    m_uncarriedFile = UncarriedFileOf(GetWideCommandLine());
    if (m_uncarriedFile.empty())
        StartCommandLineRead(startUpFile);

    m_pDocTemplate = new CMultiDocTemplate(IDR_WENDRATYPE, RUNTIME_CLASS(CWendraDoc),
                                           RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CWendraView));
    AddDocTemplate(m_pDocTemplate);
    if (m_pDocTemplate->m_hMenuShared != nullptr)
        LocalizeMenu(m_pDocTemplate->m_hMenuShared);

    InstallGraphTools(&m_graphTools);
    InstallResultListTools(&m_resultListTools);
    if (!CreateMainFrame())
    {
        m_startUpRead.reset(); // waits for its read: nothing takes the project
        return m_hasStartFailed ? FALSE : EndStart("the main window was not created");
    }
    OpenCommandLineFile(startUpFile);
    return TRUE;
}

std::unique_ptr<CStartUpRead> CWendraApp::NewStartUpRead() const
{
    return std::make_unique<CStartUpRead>();
}

void CWendraApp::StartCommandLineRead(const CString& file)
{
    std::unique_ptr<CStartUpRead> read = NewStartUpRead();
    if (read->Start(file))
        m_startUpRead = std::move(read);
}

void CWendraApp::OpenCommandLineFile(const CString& file)
{
    if (!m_uncarriedFile.empty())
    {
        ShowUncarriedFile();
        return;
    }
    auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    if (m_startUpRead != nullptr)
    {
        // The frame answers while the read ends, and opens its project then.
        if (frame != nullptr)
            frame->AwaitStartUpRead(*m_startUpRead);
        else
            m_startUpRead.reset();
        return;
    }
    if (frame != nullptr)
        frame->OpenStartUpFile(file);
}

void CWendraApp::ShowUncarriedFile()
{
    theAppLog.WriteLine(2, kLogLocation,
                        ("The command line's file cannot be opened: the code page cannot carry "
                         "its name, " +
                         Narrow(m_uncarriedFile, CP_UTF8))
                            .c_str());
    std::string text;
    LoadStringFromFile("Message.str", "Error", "NotFound", &text);
    const bool isJapanese = GetLanguageSetting() == kLanguageJapanese;
    std::wstring wide = Widen(text, isJapanese ? kJapaneseCodePage : CP_ACP);
    const size_t name = wide.find(L"%s");
    if (name == std::wstring::npos)
        wide += L" " + m_uncarriedFile;
    else
        wide.replace(name, 2, m_uncarriedFile);
    const std::wstring caption = Widen(m_pszAppName, CP_ACP);
    sys::Get().WideMessageBox(m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr, wide.c_str(),
                              caption.c_str(), MB_ICONERROR | MB_OK);
}

int CWendraApp::ExitInstance()
{
    // A read still running when the window went: the process ends with it.
    m_startUpRead.reset();
    const int code = CWinApp::ExitInstance();
    InstallGraphTools(nullptr);
    InstallResultListTools(nullptr);
    theAppLog.WriteLine(0, kLogLocation, " ------ END ------- ");
    return m_hasStartFailed ? kStartFailedExitCode : code;
}

void CWendraApp::WinHelp(DWORD_PTR, UINT command)
{
    // The framework closes the help viewer as the main window goes: nothing to say then.
    if (command == HELP_QUIT)
        return;
    std::string text;
    LoadStringFromFile("Message.str", "Status", "HelpNotAvailable", &text);
    AfxMessageBox(text.c_str(), MB_ICONINFORMATION | MB_OK);
}

void CWendraApp::ClearRecentFileList()
{
    if (m_pRecentFileList == nullptr)
        return;
    for (int i = m_pRecentFileList->GetSize() - 1; i >= 0; --i)
        m_pRecentFileList->Remove(i);
}

void CWendraApp::AddToRecentProjects(const CString& path)
{
    m_recentProjects.Record(path);
    ShowRecentProjects();
}

void CWendraApp::StoreRecentProjects()
{
    m_recentRead = m_recentProjects.Entries();
    for (int i = 0; i < CRecentProjects::kCount; ++i)
        SetIniString("MRU", CRecentProjects::KeyOf(i), m_recentRead[static_cast<size_t>(i)]);
}

std::string CWendraApp::StartUpFolder() const
{
    // Not limited to MAX_PATH: the folder comes whole however deep it lies.
    return fw::os::ExecutableFolder();
}

BOOL CWendraApp::CreateMainFrame()
{
    auto* frame = new CMainFrame; // deletes itself with its window
    std::string failure;
    frame->ReportCreationFailureTo(&failure);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    {
        // Before its creation message the frame cannot say what failed: the system does.
        if (failure.empty())
            failure = "the main window (system error " + std::to_string(::GetLastError()) + ")";
        EndStart("the main window was not created: " + failure);
        std::string text;
        LoadStringFromFile("Message.str", "Error", "MainFrameNotCreated", &text);
        const size_t part = text.find("%s");
        if (part == std::string::npos)
            text += (text.empty() ? "" : "\n") + failure;
        else
            text.replace(part, 2, failure);
        AfxMessageBox(text.c_str(), MB_ICONERROR | MB_OK);
        return FALSE;
    }
    frame->ReportCreationFailureTo(nullptr);
    m_pMainWnd = frame;
    frame->PlaceMenuBarOnTop();
    // The menu bar shows the frame's menu; the frame keeps its own for when no view is open.
    const HMENU shown = frame->GetFrameMenu();
    if (shown != nullptr)
        LocalizeMenu(shown);
    if (frame->m_hMenuDefault != nullptr && frame->m_hMenuDefault != shown)
        LocalizeMenu(frame->m_hMenuDefault);
    frame->RedrawFrameMenu();
    frame->DragAcceptFiles();
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    // The splash was made while the frame was hidden; showing the frame may have stacked it
    // over its own popup (so it does under Wine): put the splash back in front.
    if (CSplashWnd* splash = CSplashWnd::Current())
    {
        for (const HWND place : {HWND_TOPMOST, HWND_NOTOPMOST})
            ::SetWindowPos(splash->m_hWnd, place, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        splash->UpdateWindow();
    }
    frame->RestoreLayout();
    program_end::WatchForHang(frame->m_hWnd, &render_log::IsShortOfMemoryNow);
    program_end::SetKeepWork(
        []
        {
            auto* main = dynamic_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
            return main != nullptr ? main->KeepUnsavedProject() : std::string();
        });
    return TRUE;
}

BOOL CWendraApp::EndStart(const std::string& cause)
{
    m_hasStartFailed = true;
    theAppLog.WriteLine(2, kLogLocation, ("Start ended: " + cause).c_str());
    return FALSE;
}

void CWendraApp::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CWendraApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

bool CWendraApp::ChooseLanguage(const std::string& folder)
{
    std::string japanese;
    std::string english;
    if (!InitializeEnvironment(folder, &japanese, &english))
    {
        ShowLanguageFailure(english, japanese, m_pszAppName);
        return false;
    }
    const bool isJapanese = GetLanguageSetting() == kLanguageJapanese;
    ::SetThreadLocale(MAKELCID(isJapanese ? 0x411 : 0x409, SORT_DEFAULT));
    const std::string helpFile =
        isJapanese ? "\\..\\Help\\Gravik_JPN.hlp" : "\\..\\Help\\Gravik.hlp";
    SetHelpFilePath((folder + helpFile).c_str());
    // The framework's own texts (prompts, "Ready") follow the language too.
    fw::SetTextSource((folder + "\\..\\string").c_str(), GetLanguageSuffix().c_str());
    return true;
}

void CWendraApp::LoadRecentProjects()
{
    std::array<CString, CRecentProjects::kCount> values;
    for (int i = 0; i < CRecentProjects::kCount; ++i)
        GetIniString("MRU", CRecentProjects::KeyOf(i), &values[static_cast<size_t>(i)]);
    m_recentProjects.Load(values);
    ShowRecentProjects();
}

void CWendraApp::ShowRecentProjects()
{
    m_recentRead = m_recentProjects.Entries();
    ClearRecentFileList();
    // Added from the last to the first, so that the most recent ends on top.
    for (int i = CRecentProjects::kCount - 1; i >= 0; --i)
    {
        if (!m_recentRead[static_cast<size_t>(i)].IsEmpty())
            AddToRecentFileList(m_recentRead[static_cast<size_t>(i)]);
    }
}
