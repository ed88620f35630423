// An exception that reaches no handler, on a worker thread or through a function that must not
// throw: the program ends with exit code 4 and says why (the error output and the message box
// get the text, the log the reason), instead of ending without a word.
#include "app/ProgramEnd.h"

#include "platform/base/exception.h"
#include "platform/base/progress.h"
#include "platform/base/thread_start.h"
#include "platform/test/scripted_services.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

namespace
{
// The death tests' child shows its message box through services that answer at once.
void EndOnAThreadWith(void (*raise)())
{
    const fw::test::ScopedServices services;
    program_end::Install();
    fw::StartThread(raise).join();
}

void ThrowNoNoexcept() noexcept
{
    throw std::bad_alloc();
}
} // namespace

TEST(ProgramEndDeathTest, AnExceptionNothingCatchesEndsTheProgramWithItsReason)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(EndOnAThreadWith([] { throw std::bad_alloc(); }),
                testing::ExitedWithCode(program_end::kExitCode), "Not enough memory to go on");
    EXPECT_EXIT(
        EndOnAThreadWith(
            [] { throw std::system_error(std::make_error_code(std::errc::not_enough_memory)); }),
        testing::ExitedWithCode(program_end::kExitCode), "Not enough memory to go on");
    EXPECT_EXIT(EndOnAThreadWith([] { fw::ThrowMemoryException(); }),
                testing::ExitedWithCode(program_end::kExitCode), "Not enough memory to go on");
    EXPECT_EXIT(EndOnAThreadWith([] { throw std::runtime_error("disk on fire"); }),
                testing::ExitedWithCode(program_end::kExitCode), "disk on fire");
    // Through a function that must not throw, on the main thread.
    EXPECT_EXIT(
        {
            const fw::test::ScopedServices services;
            program_end::Install();
            ThrowNoNoexcept();
        },
        testing::ExitedWithCode(program_end::kExitCode), "Not enough memory to go on");
}

// A window that stops while memory is short (the GL driver stopped in a call for good): the
// program ends with the memory message instead of hanging, and keeps the user's work where it
// can. A window that is busy (on the processor, or noting progress while it waits on a read)
// is left to finish, and so is one that stops while memory lasts.
namespace
{
bool g_isShortNow = false;

enum class Window
{
    kStopped,
    kBusy,
    kWaitingOnProgress
};

// The child's window does not answer for 6 s (past the watch's 2 s and a keeping's 2 s), doing what
// the case says, then the child ends with 0 unless the watch ended it first.
void RunWatched(Window kind, bool isShortNow, program_end::KeepWork keep = nullptr)
{
    const fw::test::ScopedServices services;
    g_isShortNow = isShortNow;
    const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          nullptr, nullptr);
    if (keep != nullptr)
        program_end::SetKeepWork(keep, 2000);
    program_end::WatchForHang(
        window, [] { return g_isShortNow; }, 1000);
    const DWORD start = ::GetTickCount();
    volatile unsigned long long spins = 0;
    while (::GetTickCount() - start < 6000)
    {
        if (kind == Window::kBusy)
            ++spins;
        else if (kind == Window::kWaitingOnProgress)
        {
            ::Sleep(100);
            fw::NoteProgress();
        }
        else
            ::Sleep(100);
    }
    std::exit(0);
}

// One name for the test and its death-test children, which run it again from the start.
std::string KeptFile()
{
    return (std::filesystem::temp_directory_path() / "gravik_program_end_kept.mpj").string();
}
} // namespace

TEST(ProgramEndDeathTest, OnlyAWindowStoppedWhileMemoryIsShortEndsTheProgram)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(RunWatched(Window::kStopped, true), testing::ExitedWithCode(program_end::kExitCode),
                "Not enough memory to go on");
    EXPECT_EXIT(RunWatched(Window::kStopped, false), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(RunWatched(Window::kBusy, true), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(RunWatched(Window::kWaitingOnProgress, true), testing::ExitedWithCode(0), "");
}

// The work is kept while the window's thread is held still, and the message names the file; a
// keeping that does not come back in time does not hold the end up.
TEST(ProgramEndDeathTest, AnEndKeepsTheUnsavedWorkAndNamesItsFile)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    const std::string kept = KeptFile();
    std::filesystem::remove(kept);
    EXPECT_EXIT(RunWatched(Window::kStopped, true,
                           []
                           {
                               std::ofstream(KeptFile()) << "kept";
                               return KeptFile();
                           }),
                testing::ExitedWithCode(program_end::kExitCode),
                "Not enough memory to go on.*\n.*kept in: .*kept\\.mpj");
    {
        std::ifstream in(kept);
        EXPECT_EQ("kept", std::string(std::istreambuf_iterator<char>(in), {}));
    }
    std::filesystem::remove(kept);
    EXPECT_EXIT(RunWatched(Window::kStopped, true,
                           []
                           {
                               ::Sleep(INFINITE);
                               return std::string();
                           }),
                testing::ExitedWithCode(program_end::kExitCode), "Not enough memory to go on");
    EXPECT_EXIT(
        {
            const fw::test::ScopedServices services;
            program_end::Install();
            program_end::SetKeepWork([] { return KeptFile(); });
            fw::StartThread([] { throw std::runtime_error("disk on fire"); }).join();
        },
        testing::ExitedWithCode(program_end::kExitCode), "disk on fire.*\n.*kept in: ");
}

// The window's thread may be held still anywhere, here while it holds the error output that the
// end writes its text to: the end still comes, and the thread is let go once the keeping has had
// its time.
TEST(ProgramEndDeathTest, AnEndComesWhereverTheWindowsThreadWasHeldStill)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            const fw::test::ScopedServices services;
            program_end::Install();
            program_end::SetKeepWork([] { return KeptFile(); }, 1000);
            // A child that stops for good ends itself, with a code the test tells apart.
            ::CreateThread(
                nullptr, 0,
                [](void*) -> DWORD
                {
                    ::Sleep(20000);
                    ::TerminateProcess(::GetCurrentProcess(), 7);
                    return 0;
                },
                nullptr, 0, nullptr);
            // A lock is handed on to whoever waits for it, so this thread holds the error
            // output, or is next to, whenever the ending thread does not.
            _lock_file(stderr);
            fw::StartThread([] { throw std::runtime_error("disk on fire"); }).detach();
            for (;;)
            {
                ::Sleep(1);
                _unlock_file(stderr);
                _lock_file(stderr);
            }
        },
        testing::ExitedWithCode(program_end::kExitCode), "disk on fire");
}
