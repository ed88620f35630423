// Scripted services.
#include "platform/test/scripted_services.h"

#include <cstring>
#include <utility>

namespace fw::test
{
namespace
{
std::string ToUtf8(const wchar_t* text)
{
    if (text == nullptr || *text == L'\0')
        return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    utf8.pop_back(); // the terminator
    return utf8;
}
} // namespace

int ScriptedServices::MessageBox(HWND, const char* text, const char* caption, UINT type)
{
    messageBoxes.push_back({text ? text : "", caption ? caption : "", type});
    return NextMessageBoxAnswer(type);
}

int ScriptedServices::WideMessageBox(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    messageBoxes.push_back({ToUtf8(text), ToUtf8(caption), type, true});
    return NextMessageBoxAnswer(type);
}

int ScriptedServices::NextMessageBoxAnswer(UINT type)
{
    if (!messageBoxAnswers.empty())
    {
        const int answer = messageBoxAnswers.front();
        messageBoxAnswers.pop_front();
        return answer;
    }
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

BOOL ScriptedServices::AnswerFile(OPENFILENAMEA* ofn)
{
    fileDialogTitles.push_back(ofn->lpstrTitle ? ofn->lpstrTitle : "");
    if (fileAnswers.empty())
        return FALSE;
    const std::string path = fileAnswers.front();
    fileAnswers.pop_front();
    if (path.empty() || path.size() + 1 > ofn->nMaxFile)
        return FALSE;
    std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    const std::size_t slash = path.find_last_of("\\/");
    ofn->nFileOffset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = path.find_last_of('.');
    ofn->nFileExtension =
        static_cast<WORD>(dot == std::string::npos || dot < ofn->nFileOffset ? 0 : dot + 1);
    return TRUE;
}

BOOL ScriptedServices::GetOpenFileName(OPENFILENAMEA* ofn)
{
    return AnswerFile(ofn);
}

BOOL ScriptedServices::GetSaveFileName(OPENFILENAMEA* ofn)
{
    return AnswerFile(ofn);
}

BOOL ScriptedServices::ChooseFont(CHOOSEFONTA* cf)
{
    if (!hasFontAnswer)
        return FALSE;
    if (cf->lpLogFont)
        *cf->lpLogFont = fontAnswer;
    return TRUE;
}

BOOL ScriptedServices::ChooseColor(CHOOSECOLORA* cc)
{
    if (!hasColorAnswer)
        return FALSE;
    cc->rgbResult = colorAnswer;
    return TRUE;
}

BOOL ScriptedServices::PrintDlg(PRINTDLGA* pd)
{
    ++printDialogs;
    printDialogFlags.push_back(pd->Flags);
    if (!printer)
        return FALSE;
    if (pd->Flags & PD_RETURNDC)
        pd->hDC = printer();
    return !(pd->Flags & PD_RETURNDC) || pd->hDC != nullptr;
}

DWORD ScriptedServices::CommDlgExtendedError()
{
    return 0;
}

bool ScriptedServices::HasPrinter()
{
    return hasPrinter;
}

BOOL ScriptedServices::AVISaveOptions(HWND, UINT, int streamCount, PAVISTREAM*,
                                      LPAVICOMPRESSOPTIONS* options)
{
    ++aviOptionCalls;
    if (!aviOptionsConfirmed)
        return FALSE;
    for (int i = 0; i < streamCount; ++i)
    {
        if (!options[i])
            continue;
        options[i]->fccType = streamtypeVIDEO;
        options[i]->fccHandler = aviCompressor;
    }
    return TRUE;
}

BOOL ScriptedServices::WinHelp(HWND, const char* helpFile, UINT command, ULONG_PTR data)
{
    helpCalls.push_back({helpFile ? helpFile : "", command, data});
    return TRUE;
}

HINSTANCE ScriptedServices::ShellExecute(HWND, const char* operation, const char* file,
                                         const char* parameters, const char*, int)
{
    std::string call = operation ? operation : "";
    call += " ";
    call += file ? file : "";
    if (parameters && *parameters)
    {
        call += " ";
        call += parameters;
    }
    shellExecutes.push_back(call);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42)); // above 32: success
}

ULONGLONG ScriptedServices::TickCount()
{
    return tickCount;
}

void ScriptedServices::GetLocalTime(SYSTEMTIME* time)
{
    *time = SYSTEMTIME{2024, 1, 1, 1, 12, 0, 0, 0};
}

void ScriptedServices::Log(const char* text)
{
    log.push_back(text ? text : "");
}

ScopedServices::ScopedServices()
    : m_previous(sys::Install(&m_services))
{
}

ScopedServices::~ScopedServices()
{
    sys::Install(m_previous);
}

SystemBoxes::SystemBoxes()
    : m_previous(sys::Install(this))
{
}

SystemBoxes::~SystemBoxes()
{
    sys::Install(m_previous);
}

int SystemBoxes::MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    messageBoxes.push_back({text, caption != nullptr ? caption : "", type});
    owners.push_back(owner);
    return sys::Services::MessageBox(owner, text, caption, type);
}

namespace
{
BoxAnswerer* g_answerer = nullptr;
} // namespace

BoxAnswerer::BoxAnswerer(std::string caption)
    : m_caption(std::move(caption))
{
    g_answerer = this;
    m_timer = ::SetTimer(nullptr, 0, 50, &AnswerBoxes);
}

BoxAnswerer::~BoxAnswerer()
{
    ::KillTimer(nullptr, m_timer);
    g_answerer = nullptr;
}

void BoxAnswerer::SetAnswering(bool isOn, HWND kept)
{
    m_isOn = isOn;
    m_kept = kept;
}

HWND BoxAnswerer::ShownBox() const
{
    const HWND box = ::FindWindowA("#32770", m_caption.c_str());
    return box != nullptr && ::IsWindowVisible(box) ? box : nullptr;
}

BOOL CALLBACK BoxAnswerer::AnswerBox(HWND hwnd, LPARAM answerer)
{
    const auto* self = reinterpret_cast<const BoxAnswerer*>(answerer);
    char className[16] = {};
    char caption[256] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    if (self->m_isOn && hwnd != self->m_kept && std::string(className) == "#32770" &&
        self->m_caption == caption && ::IsWindowVisible(hwnd))
        ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK BoxAnswerer::AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_answerer != nullptr)
        ::EnumThreadWindows(::GetCurrentThreadId(), &AnswerBox,
                            reinterpret_cast<LPARAM>(g_answerer));
}
} // namespace fw::test
