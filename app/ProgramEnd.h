// The program's last word when an exception reaches no handler: a thread's function that throws,
// or a function that must not throw letting one through. Without it the process ends without a
// word (exit code 3) and the log says nothing.
#pragma once

#include <windows.h>

namespace program_end
{
// The exit code of such an end.
constexpr int kExitCode = 4;

// Makes End the terminate handler of the process, and holds the memory End gives back.
void Install();
// Reads the texts End tells now, in the program's language: at the end the file may not be
// readable.
void PrepareTexts();
// Writes the reason to the log, and what the user is told to the error output and a message box:
// Message.str [Error] "EndedNoMemory" when memory ran out (std::bad_alloc, the framework's memory
// exception, a system error "not enough memory"), else "EndedByError" followed by the
// exception's own text. Then ends the process with kExitCode. A second thread that comes here
// meanwhile waits for that end.
[[noreturn]] void End() noexcept;

// The GL driver does not fail when memory runs out: it may stop in a call for good, and the
// window with it. Watches the window from a thread of its own: when it has not answered for
// answerMilliseconds and isShortOfMemory() tells that memory ran out, the program ends as End
// does, with "EndedNoMemory". A window busy while memory lasts is left alone.
constexpr unsigned long kHangMilliseconds = 20000;
void WatchForHang(HWND window, bool (*isShortOfMemory)(),
                  unsigned long answerMilliseconds = kHangMilliseconds);
} // namespace program_end
