// The entry point: WinMain makes the program's application, runs it and returns its code.
#include "platform/test/mainframe.h"
#include "platform/win/app.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace
{
std::string g_seenCommandLine;

class CEntryApp : public fw::test::TestApp
{
public:
    BOOL InitInstance() override
    {
        g_seenCommandLine = m_lpCmdLine;
        ::PostQuitMessage(31);
        return TRUE;
    }
};
} // namespace

CWinApp* fw::CreateApplication()
{
    return new CEntryApp;
}

TEST(WinMain, RunsTheProgramsApplicationAndReturnsItsExitCode)
{
    char cmdLine[] = "model.dat /x";
    EXPECT_EQ(31, WinMain(::GetModuleHandleA(nullptr), nullptr, cmdLine, SW_SHOWNORMAL));
    EXPECT_EQ("model.dat /x", g_seenCommandLine);
    EXPECT_EQ(nullptr, AfxGetApp()) << "the application was deleted";
}
