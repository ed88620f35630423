// Command-line parsing.
#include "platform/win/cmdline.h"

#include <cstring>
#include <string>

void CCommandLineInfo::ParseParam(const char* param, BOOL isFlag, BOOL isLast)
{
    if (isFlag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
    ParseLast(isLast);
}

void CCommandLineInfo::ParseParamFlag(const char* param)
{
    const CString flag(param);
    if (flag.CompareNoCase("pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (flag.CompareNoCase("p") == 0)
        m_nShellCommand = FilePrint;
    else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (flag.CompareNoCase("dde") == 0)
    {
        m_nShellCommand = FileDDE;
        m_bShowSplash = FALSE;
    }
    else if (flag.CompareNoCase("Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (flag.CompareNoCase("Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* param)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = param;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = param;
}

void CCommandLineInfo::ParseLast(BOOL isLast)
{
    if (!isLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

namespace
{
template <typename Char>
std::vector<std::basic_string<Char>> Split(const Char* cmdLine)
{
    using Text = std::basic_string<Char>;
    std::vector<Text> args;
    const Char* p = cmdLine;
    for (;;)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            return args;
        Text arg;
        bool quoted = false;
        for (;;)
        {
            size_t backslashes = 0;
            while (*p == '\\')
            {
                ++backslashes;
                ++p;
            }
            if (*p == '"')
            {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2)
                {
                    arg += '"';
                }
                else if (quoted && p[1] == '"')
                {
                    arg += '"'; // "" inside quotes is a literal quote
                    ++p;
                }
                else
                {
                    quoted = !quoted;
                }
                ++p;
                continue;
            }
            arg.append(backslashes, '\\');
            if (!*p || (!quoted && (*p == ' ' || *p == '\t')))
                break;
            arg += *p++;
        }
        args.push_back(arg);
    }
}
} // namespace

namespace fw
{
std::vector<CString> SplitCommandLine(const char* cmdLine)
{
    std::vector<CString> args;
    for (const std::string& arg : Split(cmdLine ? cmdLine : ""))
        args.push_back(CString(arg));
    return args;
}

std::vector<std::wstring> SplitCommandLine(const wchar_t* cmdLine)
{
    return Split(cmdLine ? cmdLine : L"");
}

const wchar_t* SkipProgramName(const wchar_t* commandLine)
{
    const wchar_t* p = commandLine ? commandLine : L"";
    // The name takes no escapes: quoted, it runs to the next quote; else to a blank.
    if (*p == '"')
    {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p)
            ++p;
    }
    while (*p && *p != ' ' && *p != '\t')
        ++p;
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}
} // namespace fw
