// An exception that reaches no handler, on a worker thread or through a function that must not
// throw: the program ends with exit code 4 and says why (the error output and the message box
// get the text, the log the reason), instead of ending without a word.
#include "app/ProgramEnd.h"

#include "platform/base/exception.h"
#include "platform/base/thread_start.h"
#include "platform/test/scripted_services.h"

#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
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

// A window that stops answering after memory ran out (the GL driver stopped in a call): the
// program ends with the memory message instead of hanging. One that is only busy while memory
// lasts is left alone.
TEST(ProgramEndDeathTest, AWindowThatStopsAnsweringAfterMemoryRanOutEndsTheProgram)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    const auto hangFor = [](bool (*isShort)())
    {
        const fw::test::ScopedServices services;
        const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                              nullptr, nullptr, nullptr);
        program_end::WatchForHang(window, isShort, 300);
        ::Sleep(4000); // not answering
        std::exit(0);
    };
    EXPECT_EXIT(hangFor([] { return true; }), testing::ExitedWithCode(program_end::kExitCode),
                "Not enough memory to go on");
    EXPECT_EXIT(hangFor([] { return false; }), testing::ExitedWithCode(0), "");
}
