// The application: start-up in the chosen language with the recent projects, the one document
// template and the main frame; the About command; the process-wide logger.
#pragma once

#include "app/RecentProjects.h"
#include "app/StartUpRead.h"
#include "core/services/LogFile.h"
#include "dialogs/graph/DialogGraphTools.h"
#include "dialogs/tools/DialogResultListTools.h"
#include "platform/win/app.h"
#include "platform/win/cmdline.h"

#include <memory>
#include <string>

class CMultiDocTemplate;

// The program's logger "Gravik": one file per day in the log folder.
extern CAELogFile theAppLog;

// Keeps the command line's last parameter, flag or not, as the file to open.
class CWendraCommandLineInfo : public CCommandLineInfo
{
public:
    void ParseParam(const char* param, BOOL isFlag, BOOL isLast) override;
    CString GetFileToOpen() const { return m_fileToOpen; }

private:
    CString m_fileToOpen;
};

class CWendraApp : public CWinApp
{
public:
    CWendraApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    // The help files are not shipped: a help request ends with a short message instead.
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) override;

    // Empties the framework's recent-file list (all four entries).
    void ClearRecentFileList();
    // Records a project file as the most recent one and shows the list in the menus.
    void AddToRecentProjects(const CString& path);
    const CRecentProjects& GetRecentProjects() const { return m_recentProjects; }
    const std::array<CString, CRecentProjects::kCount>& GetRecentProjectsRead() const
    {
        return m_recentRead;
    }
    // Writes the recent projects to the product INI ("MRU", "MRU0" to "MRU3").
    void StoreRecentProjects();

    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    FW_MESSAGE_TABLE()

protected:
    // The folder the data folders hang below; tests give their own.
    virtual std::string StartUpFolder() const;
    // The frame's resource, so that tests can leave the main frame out.
    virtual BOOL CreateMainFrame();
    // The reading of the command line's file; tests give a slow or failing reader.
    virtual std::unique_ptr<CStartUpRead> NewStartUpRead() const;

    void OnAppAbout();
    void OnHelpFinder();

private:
    bool ChooseLanguage(const std::string& folder);
    // Logs why the start ends and makes the exit code say so; FALSE, for InitInstance.
    BOOL EndStart(const std::string& cause);
    // A model file named last on the command line starts being read before the main window is
    // made, and opens in a new project once the window is there.
    void StartCommandLineRead(const CString& file);
    void OpenCommandLineFile(const CString& file);
    // A file named with characters the code page cannot carry is not found under the name the
    // ANSI command line gives: it is named as the wide command line gives it.
    void ShowUncarriedFile();
    void LoadRecentProjects();
    void ShowRecentProjects();

    CMultiDocTemplate* m_pDocTemplate = nullptr; // owned by the document manager
    std::array<CString, CRecentProjects::kCount> m_recentRead;
    CRecentProjects m_recentProjects;
    CDialogGraphTools m_graphTools; // installed for the view's graph commands while running
    CDialogResultListTools m_resultListTools; // and the result list commands
    // The command line's model file, read while the main window is made and answers; kept
    // until the end, so that a window closed meanwhile does not wait for it.
    std::unique_ptr<CStartUpRead> m_startUpRead;
    // The command line's file as wide text when the code page cannot carry it; else empty.
    std::wstring m_uncarriedFile;
    bool m_hasStartFailed = false;
};
