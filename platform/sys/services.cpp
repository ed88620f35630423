// The system's implementation of the services: thin calls of the real functions.
#include "platform/sys/services.h"

#include <cstdio>
#include <shellapi.h>
#include <winspool.h>

namespace sys
{
namespace
{
Services& SystemServices()
{
    static Services services;
    return services;
}

Services* g_installed = nullptr;
} // namespace

int Services::MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(owner, text, caption, type);
}

int Services::WideMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return ::MessageBoxW(owner, text, caption, type);
}

BOOL Services::GetOpenFileName(OPENFILENAMEA* ofn)
{
    return ::GetOpenFileNameA(ofn);
}

BOOL Services::GetSaveFileName(OPENFILENAMEA* ofn)
{
    return ::GetSaveFileNameA(ofn);
}

BOOL Services::ChooseFont(CHOOSEFONTA* cf)
{
    return ::ChooseFontA(cf);
}

BOOL Services::ChooseColor(CHOOSECOLORA* cc)
{
    return ::ChooseColorA(cc);
}

BOOL Services::PrintDlg(PRINTDLGA* pd)
{
    return ::PrintDlgA(pd);
}

DWORD Services::CommDlgExtendedError()
{
    return ::CommDlgExtendedError();
}

bool Services::HasPrinter()
{
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                    &count);
    return needed > 0;
}

BOOL Services::AVISaveOptions(HWND owner, UINT flags, int streamCount, PAVISTREAM* streams,
                              LPAVICOMPRESSOPTIONS* options)
{
    return ::AVISaveOptions(owner, flags, streamCount, streams, options);
}

BOOL Services::WinHelp(HWND, const char*, UINT, ULONG_PTR)
{
    return TRUE;
}

HINSTANCE Services::ShellExecute(HWND owner, const char* operation, const char* file,
                                 const char* parameters, const char* directory, int show)
{
    return ::ShellExecuteA(owner, operation, file, parameters, directory, show);
}

ULONGLONG Services::TickCount()
{
    return ::GetTickCount64();
}

void Services::GetLocalTime(SYSTEMTIME* time)
{
    ::GetLocalTime(time);
}

void Services::Log(const char* text)
{
    ::OutputDebugStringA(text);
    ::OutputDebugStringA("\n");
    std::fprintf(stderr, "%s\n", text);
}

Services& Get()
{
    return g_installed ? *g_installed : SystemServices();
}

Services* Install(Services* services)
{
    Services* previous = g_installed;
    g_installed = services;
    return previous;
}
} // namespace sys
