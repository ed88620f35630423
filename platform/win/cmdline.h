// CCommandLineInfo: what the command line asks for. ParseParam sees each argument, flags
// without their leading "/" or "-"; programs override it to take their own arguments.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"

#include <string>
#include <vector>

class CCommandLineInfo : public CObject
{
    FW_CLASS(CCommandLineInfo, CObject)

public:
    enum ShellCommand
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    };

    CCommandLineInfo() = default;

    virtual void ParseParam(const char* param, BOOL isFlag, BOOL isLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* param);
    void ParseParamNotFlag(const char* param);
    void ParseLast(BOOL isLast);
};

namespace fw
{
// Splits a command line as the system does for argv: blanks separate, quotes group, 2n
// backslashes before a quote give n and open or close, 2n+1 give n and a literal quote.
std::vector<CString> SplitCommandLine(const char* cmdLine);
// The same for the wide command line, whose characters the code page may not carry.
std::vector<std::wstring> SplitCommandLine(const wchar_t* cmdLine);
// The arguments of a process's whole command line: what follows the program's name.
const wchar_t* SkipProgramName(const wchar_t* commandLine);
} // namespace fw
