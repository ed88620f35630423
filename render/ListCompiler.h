// Display lists compiled on worker threads, each with an OpenGL context that shares its lists
// with the view's: Mesa compiles one list at a time per context, and a model's face, edge and
// node lists then compile side by side while the view's thread records the next.
#pragma once

#include "platform/base/lock.h"
#include "platform/base/thread_start.h"

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

class CGLDevice;
class CListBatch;

class CListCompiler
{
public:
    static constexpr size_t kDefaultWorkers = 3;
    // Batches handed to one list and not yet compiled at most: the hand-over waits beyond that,
    // so the recording never runs far ahead of the compiling.
    static constexpr size_t kBatchesAhead = 64;
    // The class of the workers' hidden windows.
    static constexpr const char* kWorkerWindowClass = "GravikListCompiler";
    // The description of the workers' threads.
    static constexpr const wchar_t* kWorkerThreadName = L"list compiler";
    // The renderer's log line when they do not start.
    static constexpr const char* kNotStartedText =
        "The list compiling workers did not start: the lists compile on the view's thread";

    // How a worker's thread is started: the program's one start of worker threads, which a test
    // may make fail (null puts std::thread back).
    using ThreadStart = fw::ThreadStart;
    static void SetThreadStart(ThreadStart start) { fw::SetThreadStart(start); }

    CListCompiler();
    // Stops the workers; call Stop on the thread that started them to free their windows too.
    ~CListCompiler();
    CListCompiler(const CListCompiler&) = delete;
    CListCompiler& operator=(const CListCompiler&) = delete;

    // A hidden window of the view's pixel format and a context sharing the view context's lists
    // for each worker, made current on its thread. False, with nothing held, when any step fails
    // (a thread that does not start, memory that runs out).
    bool Start(HDC viewDC, HGLRC viewContext, size_t workers);
    bool IsStarted() const { return !m_workers.empty(); }
    // Ends the workers (after the lists handed over) and frees their contexts and windows.
    void Stop();

    // A list that name is compiled into on the least busy worker, replayed on a copy of the
    // device's drawing state as it is now. The handle stays valid until Close.
    class Job;
    Job* Open(UINT name, const CGLDevice& device);
    // Hands a batch over to the job's list; device takes the colour and material its replay
    // leaves, as if the batch were replayed on it. Waits while the job holds kBatchesAhead.
    void Add(Job* job, std::unique_ptr<CListBatch> batch, CGLDevice& device);
    // Ends the job's list once its batches are compiled.
    void Close(Job* job);
    // True while a list of that name is open or waiting to be compiled.
    bool IsCompiling(UINT name) const;
    // Waits until every list handed over is compiled and finished on its worker; the first
    // exception of a worker's replay is thrown here (its list is ended with what it holds).
    void Finish();
    // A list ended short (its replay threw) since the last call, one a call, each once: false
    // when there is none.
    bool TakeCutList(UINT& name);
    // The cut lists kept at most, here and by the lists that take them: their names are noted
    // without taking memory, as it runs out.
    static constexpr size_t kCutListRoom = 64;

private:
    struct Worker;
    using Load = std::tuple<bool, size_t, size_t>;
    static Load LoadOf(const Worker& worker);
    // The workers' windows and contexts sharing the view context's lists; false when one fails.
    bool MakeWorkers(HDC viewDC, HGLRC viewContext, size_t workers);
    // Their threads, each with its context current; false when one fails.
    bool StartThreads();
    void Run(Worker& worker);
    // With m_mutex held: the first job with work to do, null when none.
    Job* NextWork(Worker& worker);
    void FreeWorker(Worker& worker);

    std::vector<std::unique_ptr<Worker>> m_workers;
    mutable fw::Mutex m_mutex;
    fw::ConditionVariable m_changed;
    bool m_isStopping = false;
    std::exception_ptr m_error;
    std::vector<UINT> m_cutLists; // kCutListRoom reserved
};
