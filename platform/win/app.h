// CWinThread and CWinApp: the message loop with pre-translation and idle updates, the main
// window, start-up through fw::CreateApplication, message boxes, wait cursors, help, the
// profile (registry key or INI file), the recent-file list and the command line.
#pragma once

#include "platform/base/string.h"
#include "platform/win/cmdtarget.h"

#include <windows.h>

#include <memory>
#include <string>

class CWnd;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CCommandLineInfo;

class CWinThread : public CCmdTarget
{
    FW_CLASS(CWinThread, CCmdTarget)

public:
    CWinThread();
    ~CWinThread() override;

    virtual BOOL InitInstance();
    // Runs until WM_QUIT: idle passes while the queue is empty, then messages.
    virtual int Run();
    virtual int ExitInstance();
    // Offers a queued message to its target's object and each parent's, then to the main
    // window when the target lies outside it; TRUE when consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Count 0: WM_IDLEUPDATECMDUI to the main window, its descendants and every frame of the
    // thread; count 1: temporaries freed. TRUE while more passes are wanted.
    virtual BOOL OnIdle(LONG count);
    // False for messages that happen all the time (paint, a mouse move to the same place).
    virtual BOOL IsIdleMessage(MSG* msg);
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd = nullptr;
};

class CWinApp : public CWinThread
{
    FW_CLASS(CWinApp, CWinThread)

public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up and shut-down.
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG count) override;

    // Message boxes (through the services), wait cursor, help.
    virtual int DoMessageBox(const char* prompt, UINT type, UINT helpId);
    // +1 shows the wait cursor, -1 takes one away, 0 shows it again if counted.
    virtual void DoWaitCursor(int code);
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
    BOOL Enable3dControls() { return TRUE; }

    // Resources.
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadStandardCursor(const char* name) const;
    HICON LoadIcon(UINT id) const;
    HICON LoadStandardIcon(const char* name) const;

    // Profile: HKCU\Software\<key>\<application> after SetRegistryKey, else the INI file
    // m_pszProfileName.
    void SetRegistryKey(const char* key);
    void SetRegistryKey(UINT stringId);
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    CString GetProfileString(const char* section, const char* entry,
                             const char* defaultValue = nullptr);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    // Binary values; *data is new[]-allocated for the caller to delete[].
    BOOL GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes);
    BOOL WriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT bytes);
    // The application's key (the caller closes it); null without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(const char* section);
    void SetProfileName(const char* profileName);
    void SetHelpFilePath(const char* path);
    void SetAppName(const char* name);

    // The recent-file list ("Recent File List", "File1".."FileN") read from the profile.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const char* pathName);

    // Documents, through the document manager.
    void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& position) const;
    virtual CDocument* OpenDocumentFile(const char* fileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);
    int GetOpenDocumentCount();
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFile,
                                  CDocTemplate* docTemplate);
    void HideApplication();

    // Command line: m_lpCmdLine split as the system splits it; "/x" and "-x" are flags.
    void ParseCommandLine(CCommandLineInfo& info);
    void SetCommandLine(const char* cmdLine);
    // The same arguments as wide text, as the system was given them: the ANSI line holds '?'
    // for what the code page cannot carry. Empty when not known.
    void SetWideCommandLine(const wchar_t* cmdLine) { m_wideCmdLine = cmdLine ? cmdLine : L""; }
    const std::wstring& GetWideCommandLine() const { return m_wideCmdLine; }

    // Standard command handlers, for program tables to name.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* cmdUI);
    void OnHelp();

    FW_MESSAGE_TABLE()

    const char* m_pszAppName = "";
    const char* m_pszExeName = "";
    const char* m_pszHelpFilePath = "";
    const char* m_pszProfileName = "";
    const char* m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    CDocManager* m_pDocManager = nullptr;         // owned
    CRecentFileList* m_pRecentFileList = nullptr; // owned
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    HGLOBAL m_hDevMode = nullptr;  // print set-up, owned
    HGLOBAL m_hDevNames = nullptr; // owned

private:
    // Document-manager parts, kept beside the document classes.
    void DeleteDocManager();
    void IdleTemplates();

    CString m_appName;
    CString m_exeName;
    CString m_helpFilePath;
    CString m_profileName;
    CString m_registryKey;
    CString m_cmdLine;
    std::wstring m_wideCmdLine;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// Through the application's DoMessageBox (and so through the services).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

namespace fw
{
// Defined by the program: its application object, owned by the caller.
CWinApp* CreateApplication();

// What WinMain does with an application: InitApplication, InitInstance, Run (or the main
// window destroyed and ExitInstance when start-up fails). Returns the exit code.
int RunApplication(CWinApp* app, HINSTANCE instance, const char* cmdLine, int cmdShow);
} // namespace fw
