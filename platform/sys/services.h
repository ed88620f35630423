// The seam between the framework and everything modal or environmental: message boxes, the
// common dialogs, AVI save options, help, shell execution, the clock and the log. The real
// implementation calls the system; tests install a scripted one (platform/test).
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <vfw.h>

namespace sys
{
class Services
{
public:
    virtual ~Services() = default;

    // Returns the button chosen (IDOK, IDYES...).
    virtual int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
    // The same with wide text, for texts that the process's code page cannot hold.
    virtual int WideMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

    // The common dialogs: TRUE for OK, with the structure filled as the system would.
    virtual BOOL GetOpenFileName(OPENFILENAMEA* ofn);
    virtual BOOL GetSaveFileName(OPENFILENAMEA* ofn);
    virtual BOOL ChooseFont(CHOOSEFONTA* cf);
    virtual BOOL ChooseColor(CHOOSECOLORA* cc);
    virtual BOOL PrintDlg(PRINTDLGA* pd);
    // Extended error of the last common dialog (CommDlgExtendedError).
    virtual DWORD CommDlgExtendedError();
    // Whether any printer is installed, local or connected. Without one the system's print
    // dialog tells the user in its own words whatever it is asked, so it is not opened then.
    virtual bool HasPrinter();

    virtual BOOL AVISaveOptions(HWND owner, UINT flags, int streamCount, PAVISTREAM* streams,
                                LPAVICOMPRESSOPTIONS* options);

    // Help is not shown in this program: the default does nothing and returns TRUE.
    virtual BOOL WinHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data);

    // ShellExecuteA: a value above 32 means success.
    virtual HINSTANCE ShellExecute(HWND owner, const char* operation, const char* file,
                                   const char* parameters, const char* directory, int show);

    // Milliseconds since some fixed start, for timers and animation.
    virtual ULONGLONG TickCount();
    virtual void GetLocalTime(SYSTEMTIME* time);

    // A line for the framework's diagnostic log (debugger output and standard error).
    virtual void Log(const char* text);
};

// The services in use; the system's own until Install replaces them.
Services& Get();

// Installs services (not owned; null restores the system's) and returns the previous ones.
Services* Install(Services* services);
} // namespace sys
