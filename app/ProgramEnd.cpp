// The end of the program on an exception nothing caught.
#include "app/ProgramEnd.h"

#include "core/services/LogFile.h"
#include "core/services/StringFile.h"
#include "platform/base/exception.h"
#include "platform/base/progress.h"
#include "platform/base/thread_start.h"
#include "platform/sys/services.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <system_error>

namespace
{
// When even the string file cannot be read.
constexpr const char* kNoMemoryFallback = "Not enough memory to go on: Gravik ends.";
constexpr const char* kErrorFallback = "An unexpected error ends Gravik:";
// Memory held from the start in pieces small enough to stay in the heaps, and given back as the
// end begins: when memory has run out, the log line, the text and the message box need some.
constexpr size_t kEndReservePieces = 64;
constexpr size_t kEndReservePieceBytes = size_t(128) << 10;
void* g_crtReserve[kEndReservePieces] = {};
void* g_processReserve[kEndReservePieces] = {};
constexpr const char* kWorkKeptFallback = "Your unsaved work was kept in:";
// The texts in the program's language, read while files can still be read.
std::string g_noMemoryText;
std::string g_errorText;
std::string g_workKeptText;
std::atomic<program_end::KeepWork> g_keepWork{nullptr};
std::atomic<unsigned long> g_keepMilliseconds{program_end::kKeepMilliseconds};
std::atomic<DWORD> g_windowThreadId{0};

std::string LoadText(const char* key, const std::string& prepared, const char* fallback)
{
    if (!prepared.empty())
        return prepared;
    std::string text;
    if (!LoadStringFromFile("Message.str", "Error", key, &text) || text.empty())
        text = fallback;
    return text;
}

void HoldEndReserve()
{
    for (size_t i = 0; i < kEndReservePieces; ++i)
    {
        if (g_crtReserve[i] == nullptr)
            g_crtReserve[i] = std::malloc(kEndReservePieceBytes);
        if (g_processReserve[i] == nullptr)
            g_processReserve[i] = ::HeapAlloc(::GetProcessHeap(), 0, kEndReservePieceBytes);
    }
}

void GiveBackEndReserve()
{
    for (size_t i = 0; i < kEndReservePieces; ++i)
    {
        std::free(g_crtReserve[i]);
        g_crtReserve[i] = nullptr;
        if (g_processReserve[i] != nullptr)
            ::HeapFree(::GetProcessHeap(), 0, g_processReserve[i]);
        g_processReserve[i] = nullptr;
    }
}

// The exception's own text, and whether it tells of memory that ran out.
std::string ReasonOf(const std::exception_ptr& error, bool* isShortOfMemory)
{
    *isShortOfMemory = false;
    try
    {
        if (error)
            std::rethrow_exception(error);
        return "the program was ended without an exception";
    }
    catch (const std::bad_alloc& e)
    {
        *isShortOfMemory = true;
        return e.what();
    }
    catch (const std::system_error& e)
    {
        *isShortOfMemory = e.code() == std::errc::not_enough_memory;
        return e.what();
    }
    catch (const std::exception& e)
    {
        return e.what();
    }
    catch (CException* e)
    {
        *isShortOfMemory = dynamic_cast<CMemoryException*>(e) != nullptr;
        char text[200] = {};
        if (!e->GetErrorMessage(text, sizeof text) || !text[0])
            std::snprintf(text, sizeof text, "framework exception");
        return text;
    }
    catch (...)
    {
        return "unknown exception";
    }
}

// What the user is told: "EndedNoMemory" when memory ran out, else "EndedByError" and the reason;
// then where the work was kept.
std::string TextOf(bool isShortOfMemory, const std::string& reason, const std::string& kept)
{
    std::string text = isShortOfMemory
                           ? LoadText("EndedNoMemory", g_noMemoryText, kNoMemoryFallback)
                           : LoadText("EndedByError", g_errorText, kErrorFallback) + "\n" + reason;
    if (!kept.empty())
        text += "\n" + LoadText("EndedWorkKept", g_workKeptText, kWorkKeptFallback) + " " + kept;
    return text;
}

struct KeepJob
{
    program_end::KeepWork keep;
    HANDLE done;
    std::string kept;
};

DWORD WINAPI RunKeepJob(void* parameter)
{
    auto* job = static_cast<KeepJob*>(parameter);
    try
    {
        job->kept = job->keep();
    }
    catch (...)
    {
        job->kept.clear();
    }
    ::SetEvent(job->done);
    return 0;
}

// The file that keeps the user's work, or "". The window's thread is held still while the job
// runs, so that nothing changes under it, and let go after: held at any point, it may hold what
// the rest of the end needs (the heap), so everything the job takes is made before it is held,
// and a job that does not come back in time is left to run (its memory with it) until the
// process ends.
std::string KeepWorkIfAny() noexcept
{
    const program_end::KeepWork keep = g_keepWork.load();
    if (keep == nullptr)
        return std::string();
    try
    {
        auto* job = new KeepJob{keep, ::CreateEventA(nullptr, TRUE, FALSE, nullptr), {}};
        if (job->done == nullptr)
            return std::string();
        const HANDLE thread =
            ::CreateThread(nullptr, 0, RunKeepJob, job, CREATE_SUSPENDED, nullptr);
        if (thread == nullptr)
            return std::string();
        const DWORD windowThreadId = g_windowThreadId.load();
        HANDLE windowThread = nullptr;
        if (windowThreadId != 0 && windowThreadId != ::GetCurrentThreadId())
            windowThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, windowThreadId);
        if (windowThread != nullptr && ::SuspendThread(windowThread) == DWORD(-1))
        {
            ::CloseHandle(windowThread);
            windowThread = nullptr;
        }
        ::ResumeThread(thread);
        const bool isDone =
            ::WaitForSingleObject(job->done, g_keepMilliseconds.load()) == WAIT_OBJECT_0;
        if (windowThread != nullptr)
        {
            ::ResumeThread(windowThread);
            ::CloseHandle(windowThread);
        }
        ::CloseHandle(thread);
        return isDone ? job->kept : std::string();
    }
    catch (...)
    {
        return std::string();
    }
}

// What the process did: progress noted, and processor time in milliseconds.
struct Activity
{
    unsigned long long progress = 0;
    unsigned long long processorMilliseconds = 0;
};

Activity ActivityNow()
{
    Activity activity;
    activity.progress = fw::ProgressCount();
    FILETIME created, exited, kernel, user;
    if (::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
    {
        const auto ticks = [](const FILETIME& t)
        { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        activity.processorMilliseconds = (ticks(kernel) + ticks(user)) / 10000;
    }
    return activity;
}
} // namespace

namespace program_end
{
void PrepareTexts()
{
    g_noMemoryText = LoadText("EndedNoMemory", std::string(), kNoMemoryFallback);
    g_errorText = LoadText("EndedByError", std::string(), kErrorFallback);
    g_workKeptText = LoadText("EndedWorkKept", std::string(), kWorkKeptFallback);
}

void SetKeepWork(KeepWork keep, unsigned long waitMilliseconds)
{
    g_windowThreadId = ::GetCurrentThreadId();
    g_keepMilliseconds = waitMilliseconds;
    g_keepWork = keep;
}

void Install()
{
    HoldEndReserve();
    std::set_terminate([] { End(); });
}

namespace
{
[[noreturn]] void EndWith(const std::exception_ptr& error, const char* hang) noexcept
{
    static std::atomic<bool> isEnding{false};
    if (isEnding.exchange(true))
    {
        for (;;)
            ::Sleep(INFINITE);
    }
    GiveBackEndReserve();
    // Nothing here may throw: a throw would come back here and wait for ever.
    try
    {
        bool isShortOfMemory = hang != nullptr;
        const std::string reason =
            hang != nullptr ? std::string(hang) : ReasonOf(error, &isShortOfMemory);
        const std::string kept = KeepWorkIfAny();
        CAELogFile("Gravik").WriteLine(
            2, "Gravik",
            ("Ended: " + reason + (kept.empty() ? "" : "; the work was kept in " + kept)).c_str());
        const std::string text = TextOf(isShortOfMemory, reason, kept);
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        sys::Get().MessageBox(nullptr, text.c_str(), "Gravik",
                              MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
    }
    catch (...)
    {
        // Not even the words could be had: the fallback says it.
        std::fprintf(stderr, "%s\n", kNoMemoryFallback);
        ::MessageBoxA(nullptr, kNoMemoryFallback, "Gravik", MB_OK | MB_ICONERROR | MB_TOPMOST);
    }
    // Not ExitProcess: its library detach waits on the threads it stops, one of which may hold
    // what it waits for.
    ::TerminateProcess(::GetCurrentProcess(), program_end::kExitCode);
    for (;;)
        ::Sleep(INFINITE);
}
} // namespace

void End() noexcept
{
    EndWith(std::current_exception(), nullptr);
}

void WatchForHang(HWND window, bool (*isShortOfMemoryNow)(), unsigned long answerMilliseconds)
{
    try
    {
        fw::StartThread(
            [window, isShortOfMemoryNow, answerMilliseconds]
            {
                const double stuckMilliseconds = answerMilliseconds * kStuckProcessorShare;
                for (;;)
                {
                    ::Sleep(1000);
                    if (!::IsWindow(window))
                        return;
                    const Activity before = ActivityNow();
                    DWORD_PTR answer = 0;
                    if (::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, answerMilliseconds,
                                              &answer) != 0)
                        continue;
                    // A read, a paint or an export that goes on, however slowly, is left to
                    // finish; so is any wait while memory lasts.
                    const Activity after = ActivityNow();
                    const bool isGoingOn =
                        after.progress != before.progress ||
                        double(after.processorMilliseconds - before.processorMilliseconds) >=
                            stuckMilliseconds;
                    if (::IsWindow(window) && !isGoingOn && isShortOfMemoryNow())
                        EndWith(nullptr, "the window stopped while memory was short");
                }
            })
            .detach();
    }
    catch (...)
    {
        // No thread for the watch: the program runs unwatched.
    }
}
} // namespace program_end
