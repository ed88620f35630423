// Lists compiled on worker threads with contexts sharing the view's lists: what they compile is
// the view's to call, what cannot be made leaves nothing behind, and the workers' threads and
// windows go with the view's context.
#include "render/ListCompiler.h"

#include "GLTestWindow.h"
#include "platform/base/memory.h"
#include "platform/win/dc.h"
#include "render/ListBatch.h"
#include "tests/support/LogLines.h"

#include <windows.h>

#include <GL/gl.h>
#include <array>
#include <cwchar>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <tlhelp32.h>

using render_test::GLTest;
using render_test::GLTestWindow;
using render_test::kSize;
using render_test::ReadPixel;

namespace
{
constexpr UINT kList = 0x7F001;

// Worker threads of this process now, by their description (the system's own threads come and
// go under Wine).
int ThreadCount()
{
    using GetDescription = HRESULT(WINAPI*)(HANDLE, wchar_t**);
    const auto get = reinterpret_cast<GetDescription>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetThreadDescription")));
    if (get == nullptr)
        return 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    {
        if (entry.th32OwnerProcessID != GetCurrentProcessId())
            continue;
        const HANDLE thread =
            OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        wchar_t* description = nullptr;
        if (thread != nullptr && SUCCEEDED(get(thread, &description)) && description != nullptr)
        {
            count += std::wcscmp(description, CListCompiler::kWorkerThreadName) == 0 ? 1 : 0;
            LocalFree(description);
        }
        if (thread != nullptr)
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return count;
}

// Hidden windows of workers now, whoever started them.
int WorkerWindowCount()
{
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, CListCompiler::kWorkerWindowClass, nullptr);
         window != nullptr;
         window = FindWindowExA(nullptr, window, CListCompiler::kWorkerWindowClass, nullptr))
        ++count;
    return count;
}

// Starts this many threads, then fails as a system out of threads does.
int g_threadsToStart = 0;
std::thread StartOrFail(std::function<void()> run)
{
    if (g_threadsToStart-- <= 0)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    return std::thread(std::move(run));
}

// A batch of one square of half-width h about the origin at depth z in the colour.
std::unique_ptr<CListBatch> Square(double h, CColorRGBA color, double z = 0.0)
{
    auto batch = std::make_unique<CListBatch>();
    batch->Reset(false);
    batch->SetColor(color);
    batch->SetRenderMode(kRenderFill);
    batch->DrawQuad(CPoint3D(-h, -h, z), CPoint3D(h, -h, z), CPoint3D(h, h, z), CPoint3D(-h, h, z),
                    0);
    return batch;
}

class ListCompilerTest : public GLTest
{
protected:
    // Clears to black, calls the list over the square volume and reads the centre and a corner.
    std::array<std::array<int, 3>, 2> DrawList(UINT list)
    {
        CallListOverSquare(list);
        return {ReadPixel(kSize / 2, kSize / 2), ReadPixel(2, 2)};
    }
};
} // namespace

TEST_F(ListCompilerTest, ListsCompiledOnWorkersAreTheViewsToCall)
{
    const int threadsBefore = ThreadCount();
    const int windowsBefore = WorkerWindowCount();
    CListCompiler compiler;
    HDC dc = Device().GetClientDC()->GetSafeHdc();
    ASSERT_TRUE(compiler.Start(dc, Device().GetRenderingContext(), 3));
    EXPECT_EQ(threadsBefore + 3, ThreadCount());
    EXPECT_EQ(windowsBefore + 3, WorkerWindowCount());

    // Two batches in one list, the second in front of the first.
    CListCompiler::Job* job = compiler.Open(kList, Device());
    compiler.Add(job, Square(50, CColorRGBA(255, 0, 0, 0)), Device());
    compiler.Add(job, Square(20, CColorRGBA(0, 255, 0, 0), 50.0), Device());
    compiler.Close(job);
    // A second list side by side on another worker.
    CListCompiler::Job* other = compiler.Open(kList + 1, Device());
    compiler.Add(other, Square(100, CColorRGBA(0, 0, 255, 0)), Device());
    compiler.Close(other);
    compiler.Finish();
    EXPECT_FALSE(compiler.IsCompiling(kList));
    // The device holds the colour the last batch handed over set, as if replayed on it.
    EXPECT_EQ(255.0f, Device().GetColor().b);
    EXPECT_EQ(0.0f, Device().GetColor().g);

    ASSERT_TRUE(glIsList(kList));
    const auto first = DrawList(kList);
    EXPECT_EQ((std::array<int, 3>{0, 255, 0}), first[0]);
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), first[1]);
    const auto second = DrawList(kList + 1);
    EXPECT_EQ((std::array<int, 3>{0, 0, 255}), second[1]);

    // Compiled again under the same name: the new list replaces the old.
    job = compiler.Open(kList, Device());
    compiler.Add(job, Square(50, CColorRGBA(255, 0, 0, 0)), Device());
    compiler.Close(job);
    compiler.Finish();
    EXPECT_EQ((std::array<int, 3>{255, 0, 0}), DrawList(kList)[0]);

    compiler.Stop();
    EXPECT_EQ(threadsBefore, ThreadCount());
    EXPECT_EQ(windowsBefore, WorkerWindowCount());
    EXPECT_TRUE(glIsList(kList)); // the view's context keeps the shared lists
    glDeleteLists(kList, 2);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ListCompilerTest, WorkersThatCannotBeMadeLeaveNothingBehind)
{
    const int threadsBefore = ThreadCount();
    const int windowsBefore = WorkerWindowCount();
    HDC viewDC = Device().GetClientDC()->GetSafeHdc();
    // A DC without a pixel format: the screen's.
    HDC screen = GetDC(nullptr);
    struct Case
    {
        const char* what;
        HDC dc;
        HGLRC context;
        size_t workers;
    };
    const Case cases[] = {
        {"no DC", nullptr, Device().GetRenderingContext(), 3},
        {"no context", viewDC, nullptr, 3},
        {"no pixel format", screen, Device().GetRenderingContext(), 3},
        {"no workers", viewDC, Device().GetRenderingContext(), 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CListCompiler compiler;
        EXPECT_FALSE(compiler.Start(c.dc, c.context, c.workers));
        EXPECT_FALSE(compiler.IsStarted());
        EXPECT_EQ(threadsBefore, ThreadCount());
        EXPECT_EQ(windowsBefore, WorkerWindowCount());
    }
    ReleaseDC(nullptr, screen);
}

// A worker's thread that does not start, the first or after others: Start says so without a
// throw and leaves no thread, context or window behind.
TEST_F(ListCompilerTest, WorkersWhoseThreadsDoNotStartLeaveNothingBehind)
{
    const int threadsBefore = ThreadCount();
    const int windowsBefore = WorkerWindowCount();
    HDC dc = Device().GetClientDC()->GetSafeHdc();
    CListCompiler::SetThreadStart(StartOrFail);
    for (const int started : {0, 1, 2})
    {
        SCOPED_TRACE(testing::Message() << started << " started");
        g_threadsToStart = started;
        CListCompiler compiler;
        bool isStarted = true;
        EXPECT_NO_THROW(isStarted = compiler.Start(dc, Device().GetRenderingContext(), 3));
        EXPECT_FALSE(isStarted);
        EXPECT_FALSE(compiler.IsStarted());
        EXPECT_EQ(threadsBefore, ThreadCount());
        EXPECT_EQ(windowsBefore, WorkerWindowCount());
    }
    CListCompiler::SetThreadStart(nullptr);
}

// A worker short of memory hands nothing more to the driver (which stalls rather than fails when
// memory runs out): the list ends with what it held, and the shortage reaches the view's thread.
TEST_F(ListCompilerTest, AWorkerShortOfMemoryGivesTheDriverNothingAndSaysSo)
{
    CListCompiler compiler;
    ASSERT_TRUE(
        compiler.Start(Device().GetClientDC()->GetSafeHdc(), Device().GetRenderingContext(), 1));
    fw::SetHeadroomProbe([](size_t) { return false; });
    CListCompiler::Job* job = compiler.Open(kList, Device());
    compiler.Add(job, Square(50, CColorRGBA(255, 0, 0, 0)), Device());
    compiler.Close(job);
    EXPECT_THROW(compiler.Finish(), std::bad_alloc);
    fw::SetHeadroomProbe(nullptr);
    EXPECT_FALSE(compiler.IsCompiling(kList));
    ASSERT_TRUE(glIsList(kList));
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), DrawList(kList)[0]);
    // The list is told as cut, once.
    UINT cut = 0;
    EXPECT_TRUE(compiler.TakeCutList(cut));
    EXPECT_EQ(kList, cut);
    EXPECT_FALSE(compiler.TakeCutList(cut));

    // Memory back: the next list compiles whole.
    job = compiler.Open(kList, Device());
    compiler.Add(job, Square(50, CColorRGBA(255, 0, 0, 0)), Device());
    compiler.Close(job);
    EXPECT_NO_THROW(compiler.Finish());
    EXPECT_EQ((std::array<int, 3>{255, 0, 0}), DrawList(kList)[0]);
    EXPECT_FALSE(compiler.TakeCutList(cut));
    compiler.Stop();
    glDeleteLists(kList, 1);
}

// The device starts its workers once, on first use, and frees them with its context: a closed
// view leaves no thread, context or window behind.
TEST(ListCompilerOfDevice, StartsOnceAndGoesWithTheContext)
{
    const int threadsBefore = ThreadCount();
    const int windowsBefore = WorkerWindowCount();
    {
        GLTestWindow window;
        if (!window.IsReady())
            SKIP_OR_FAIL_WITHOUT_GL();
        CGLDevice& device = window.Device();
        EXPECT_EQ(nullptr, device.GetListCompiler(0));
        CListCompiler* compiler = device.GetListCompiler(2);
        ASSERT_NE(nullptr, compiler);
        EXPECT_EQ(compiler, device.GetListCompiler(2));
        EXPECT_EQ(threadsBefore + 2, ThreadCount());
        EXPECT_EQ(windowsBefore + 2, WorkerWindowCount());
        device.DeleteRenderingContext();
        EXPECT_EQ(threadsBefore, ThreadCount());
        EXPECT_EQ(windowsBefore, WorkerWindowCount());
        // Without a context there is nothing to share lists with.
        EXPECT_EQ(nullptr, device.GetListCompiler(2));
    }
    EXPECT_EQ(threadsBefore, ThreadCount());
}

// Workers that do not start are logged once; the device does not try again for its context, and
// its lists are compiled on the view's thread.
TEST(ListCompilerOfDevice, WorkersThatDoNotStartAreLoggedOnceAndNotTriedAgain)
{
    GLTestWindow window;
    if (!window.IsReady())
        SKIP_OR_FAIL_WITHOUT_GL();
    const int logged = testing_support::CountLogLines("Gravik", CListCompiler::kNotStartedText);
    CListCompiler::SetThreadStart(StartOrFail);
    g_threadsToStart = 1;
    EXPECT_EQ(nullptr, window.Device().GetListCompiler(2));
    g_threadsToStart = 2;
    EXPECT_EQ(nullptr, window.Device().GetListCompiler(2));
    CListCompiler::SetThreadStart(nullptr);
    EXPECT_EQ(nullptr, window.Device().GetListCompiler(2));
    EXPECT_EQ(logged + 1, testing_support::CountLogLines("Gravik", CListCompiler::kNotStartedText));
}
