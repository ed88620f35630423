// Services for tests: every modal box and dialog answers from a script and is recorded, the
// clock is set by the test, and nothing ever waits for a user.
#pragma once

#include "platform/base/string.h"
#include "platform/sys/services.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace fw::test
{
class ScriptedServices : public sys::Services
{
public:
    struct MessageBoxCall
    {
        std::string text; // UTF-8 for a box of wide text
        std::string caption;
        UINT type;
        bool isWide = false;
    };
    struct HelpCall
    {
        std::string file;
        UINT command;
        ULONG_PTR data;
    };

    // Message boxes take the scripted answers in order; without one, a box with only an OK
    // button answers IDOK and any other IDCANCEL.
    std::deque<int> messageBoxAnswers;
    std::vector<MessageBoxCall> messageBoxes;

    // File dialogs take the scripted paths in order; an empty path (or none left) cancels.
    std::deque<std::string> fileAnswers;
    std::vector<std::string> fileDialogTitles;

    // Font and colour dialogs: the scripted choice, or cancel when none is set.
    bool hasFontAnswer = false;
    LOGFONTA fontAnswer = {};
    bool hasColorAnswer = false;
    COLORREF colorAnswer = 0;
    // Print dialogs cancel (there is no printer) unless a test sets a printer: a function that
    // makes a DC of it (a metafile, or a printer of file_printer.h), which the dialogs asked for
    // a DC answer with; the caller deletes it. The flags of each dialog are kept. A printer is
    // installed, as far as HasPrinter tells, unless a test says there is none.
    bool hasPrinter = true;
    int printDialogs = 0;
    std::function<HDC()> printer;
    std::vector<DWORD> printDialogFlags;
    // AVI save options: confirmed with uncompressed frames, the one kind Wine writes, unless a
    // test cancels or names another compressor.
    int aviOptionCalls = 0;
    bool aviOptionsConfirmed = true;
    DWORD aviCompressor = mmioFOURCC('D', 'I', 'B', ' ');

    std::vector<HelpCall> helpCalls;
    std::vector<std::string> shellExecutes;
    std::vector<std::string> log;
    ULONGLONG tickCount = 0;

    int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override;
    int WideMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override;
    BOOL GetOpenFileName(OPENFILENAMEA* ofn) override;
    BOOL GetSaveFileName(OPENFILENAMEA* ofn) override;
    BOOL ChooseFont(CHOOSEFONTA* cf) override;
    BOOL ChooseColor(CHOOSECOLORA* cc) override;
    BOOL PrintDlg(PRINTDLGA* pd) override;
    DWORD CommDlgExtendedError() override;
    bool HasPrinter() override;
    BOOL AVISaveOptions(HWND owner, UINT flags, int streamCount, PAVISTREAM* streams,
                        LPAVICOMPRESSOPTIONS* options) override;
    BOOL WinHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data) override;
    HINSTANCE ShellExecute(HWND owner, const char* operation, const char* file,
                           const char* parameters, const char* directory, int show) override;
    ULONGLONG TickCount() override;
    void GetLocalTime(SYSTEMTIME* time) override;
    void Log(const char* text) override;

private:
    BOOL AnswerFile(OPENFILENAMEA* ofn);
    int NextMessageBoxAnswer(UINT type);
};

// Installs scripted services for its lifetime and puts the previous ones back.
class ScopedServices
{
public:
    ScopedServices();
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

    ScriptedServices& operator*() { return m_services; }
    ScriptedServices* operator->() { return &m_services; }

private:
    ScriptedServices m_services;
    sys::Services* m_previous;
};

// The system's own message boxes in place of the scripted ones while it lives, each recorded
// with its owner.
class SystemBoxes : public ScriptedServices
{
public:
    SystemBoxes();
    ~SystemBoxes() override;
    SystemBoxes(const SystemBoxes&) = delete;
    SystemBoxes& operator=(const SystemBoxes&) = delete;

    int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override;

    std::vector<HWND> owners;

private:
    sys::Services* m_previous;
};

// While it lives, the visible boxes (dialogs of class "#32770") of this thread with the caption
// are answered with OK from a timer, in whatever message loop runs, once answering is on: all
// but the one kept open. One at a time.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(std::string caption);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    const std::string& Caption() const { return m_caption; }
    void SetAnswering(bool isOn, HWND kept = nullptr);
    bool IsAnswering() const { return m_isOn; }
    // The visible box of the caption, or null.
    HWND ShownBox() const;

private:
    static BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM answerer);
    static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD);

    std::string m_caption;
    bool m_isOn = false;
    HWND m_kept = nullptr;
    UINT_PTR m_timer = 0;
};
} // namespace fw::test
