// The program's last word when an exception reaches no handler: a thread's function that throws,
// or a function that must not throw letting one through. Without it the process ends without a
// word (exit code 3) and the log says nothing.
#pragma once

#include <windows.h>

#include <string>

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
// window with it. Watches the window from a thread of its own: the program ends as End does,
// with "EndedNoMemory", only when the window has not answered for answerMilliseconds, memory is
// short now (isShortOfMemoryNow), and nothing went on meanwhile: no progress noted
// (fw::NoteProgress) and less than kStuckProcessorShare of one processor's time used by the
// process. A window that is busy, or stopped while memory lasts, is left alone.
constexpr unsigned long kHangMilliseconds = 20000;
constexpr double kStuckProcessorShare = 0.025;
void WatchForHang(HWND window, bool (*isShortOfMemoryNow)(),
                  unsigned long answerMilliseconds = kHangMilliseconds);

// What an end does first where it can: keep the user's unsaved work. keep writes it and gives
// the file that holds it, or "" (nothing to keep, or it could not be written); the text then
// names that file (Message.str [Error] "EndedWorkKept"). It runs on a thread of its own while
// the calling thread (the window's) is held still, so that nothing changes under it; after at
// most waitMilliseconds that thread is let go and the end goes on, kept or not.
constexpr unsigned long kKeepMilliseconds = 15000;
using KeepWork = std::string (*)();
void SetKeepWork(KeepWork keep, unsigned long waitMilliseconds = kKeepMilliseconds);
} // namespace program_end
