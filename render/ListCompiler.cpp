// Display lists compiled on worker threads with contexts that share the view's lists.
#include "render/ListCompiler.h"

#include "platform/base/memory.h"
#include "platform/base/progress.h"
#include "render/GLDevice.h"
#include "render/ListBatch.h"
#include "render/OrderedBlocks.h"

#include <GL/gl.h>

class CListCompiler::Job
{
public:
    UINT name = 0;
    CGLDevice device; // the view's drawing state as the list was opened
    std::deque<std::unique_ptr<CListBatch>> batches;
    bool isBegun = false;
    bool isClosed = false;
    bool isFailed = false;   // a replay threw: the rest is dropped, the list still ended
    size_t listVertices = 0; // handed to the driver for this list (on its worker only)
    Worker* worker = nullptr;
};

struct CListCompiler::Worker
{
    size_t queuedVertices = 0; // of the batches handed over and not yet compiled
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    std::thread thread;
    bool isStarted = false; // its thread has tried to make the context current
    bool isCurrent = false;
    std::deque<std::unique_ptr<Job>> jobs; // in the order they were opened
};

namespace
{
const char* WorkerWindowClass()
{
    static const char* const name = []
    {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        // Its own DC: the worker keeps it current for as long as it runs.
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = CListCompiler::kWorkerWindowClass;
        RegisterClassExA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}
// Names the calling thread where the system can: the workers are told apart in a debugger and
// counted by the tests.
void NameThisThread(const wchar_t* name)
{
    using SetDescription = HRESULT(WINAPI*)(HANDLE, const wchar_t*);
    const auto set = reinterpret_cast<SetDescription>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetThreadDescription")));
    if (set != nullptr)
        set(GetCurrentThread(), name);
}
} // namespace

CListCompiler::CListCompiler()
{
    m_cutLists.reserve(kCutListRoom);
}

// What a worker has yet to do: a list still recorded may bring any amount, then the vertices
// handed over, then the lists.
CListCompiler::Load CListCompiler::LoadOf(const Worker& worker)
{
    bool isRecording = false;
    for (const std::unique_ptr<Job>& job : worker.jobs)
        isRecording = isRecording || !job->isClosed;
    return Load{isRecording, worker.queuedVertices, worker.jobs.size()};
}

CListCompiler::~CListCompiler()
{
    Stop();
}

bool CListCompiler::Start(HDC viewDC, HGLRC viewContext, size_t workers)
{
    if (IsStarted() || viewDC == nullptr || viewContext == nullptr || workers == 0)
        return false;
    bool isMade = false;
    try
    {
        isMade = MakeWorkers(viewDC, viewContext, workers) && StartThreads();
    }
    catch (...)
    {
        // No thread or no memory left: the caller compiles its lists without workers.
        isMade = false;
    }
    if (!isMade)
        Stop();
    return isMade;
}

bool CListCompiler::MakeWorkers(HDC viewDC, HGLRC viewContext, size_t workers)
{
    const int format = GetPixelFormat(viewDC);
    PIXELFORMATDESCRIPTOR descriptor = {};
    if (format == 0 || DescribePixelFormat(viewDC, format, sizeof descriptor, &descriptor) == 0)
        return false;
    m_workers.reserve(workers);
    for (size_t i = 0; i < workers; ++i)
    {
        auto worker = std::make_unique<Worker>();
        worker->window = CreateWindowExA(0, WorkerWindowClass(), "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
        worker->dc = worker->window ? GetDC(worker->window) : nullptr;
        if (worker->dc != nullptr && SetPixelFormat(worker->dc, format, &descriptor))
            worker->context = wglCreateContext(worker->dc);
        // Lists are shared only with a context that has none yet: right after it is made.
        const bool isMade =
            worker->context != nullptr && wglShareLists(viewContext, worker->context);
        m_workers.push_back(std::move(worker));
        if (!isMade)
            return false;
    }
    return true;
}

bool CListCompiler::StartThreads()
{
    for (const std::unique_ptr<Worker>& started : m_workers)
    {
        Worker& worker = *started;
        worker.thread = fw::StartThread(
            [this, &worker]
            {
                NameThisThread(kWorkerThreadName);
                const bool isCurrent = wglMakeCurrent(worker.dc, worker.context) != FALSE;
                {
                    const std::lock_guard<fw::Mutex> lock(m_mutex);
                    worker.isStarted = true;
                    worker.isCurrent = isCurrent;
                }
                m_changed.notify_all();
                if (isCurrent)
                    Run(worker);
                wglMakeCurrent(nullptr, nullptr);
            });
    }
    std::unique_lock<fw::Mutex> lock(m_mutex);
    bool isMade = true;
    for (const std::unique_ptr<Worker>& worker : m_workers)
    {
        m_changed.wait(lock, [&] { return worker->isStarted; });
        isMade = isMade && worker->isCurrent;
    }
    return isMade;
}

void CListCompiler::Stop()
{
    // Nothing started: nothing to stop.
    if (m_workers.empty())
    {
        m_error = nullptr;
        m_cutLists.clear();
        return;
    }
    {
        std::lock_guard<fw::Mutex> lock(m_mutex);
        m_isStopping = true;
        for (const std::unique_ptr<Worker>& worker : m_workers)
        {
            for (const std::unique_ptr<Job>& job : worker->jobs)
                job->isClosed = true;
        }
    }
    m_changed.notify_all();
    for (const std::unique_ptr<Worker>& worker : m_workers)
    {
        if (worker->thread.joinable())
            worker->thread.join();
        FreeWorker(*worker);
    }
    m_workers.clear();
    m_isStopping = false;
    m_error = nullptr;
    m_cutLists.clear();
}

void CListCompiler::FreeWorker(Worker& worker)
{
    if (worker.context != nullptr)
        wglDeleteContext(worker.context);
    if (worker.dc != nullptr)
        ReleaseDC(worker.window, worker.dc);
    if (worker.window != nullptr)
        DestroyWindow(worker.window);
    worker = Worker();
}

CListCompiler::Job* CListCompiler::Open(UINT name, const CGLDevice& device)
{
    auto job = std::make_unique<Job>();
    job->name = name;
    job->device.CopyDrawingState(device);
    Job* const opened = job.get();
    {
        std::lock_guard<fw::Mutex> lock(m_mutex);
        Worker* idlest = m_workers.front().get();
        for (const std::unique_ptr<Worker>& worker : m_workers)
        {
            if (LoadOf(*worker) < LoadOf(*idlest))
                idlest = worker.get();
        }
        opened->worker = idlest;
        idlest->jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
    return opened;
}

void CListCompiler::Add(Job* job, std::unique_ptr<CListBatch> batch, CGLDevice& device)
{
    device.AssumeReplayed(*batch);
    const size_t vertices = batch->GetVertexCount();
    {
        std::unique_lock<fw::Mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return job->batches.size() < kBatchesAhead || job->isFailed; });
        if (job->isFailed)
            return;
        job->batches.push_back(std::move(batch));
        job->worker->queuedVertices += vertices;
    }
    m_changed.notify_all();
}

void CListCompiler::Close(Job* job)
{
    {
        std::lock_guard<fw::Mutex> lock(m_mutex);
        job->isClosed = true;
    }
    m_changed.notify_all();
}

bool CListCompiler::IsCompiling(UINT name) const
{
    std::lock_guard<fw::Mutex> lock(m_mutex);
    for (const std::unique_ptr<Worker>& worker : m_workers)
    {
        for (const std::unique_ptr<Job>& job : worker->jobs)
        {
            if (job->name == name)
                return true;
        }
    }
    return false;
}

void CListCompiler::Finish()
{
    std::unique_lock<fw::Mutex> lock(m_mutex);
    m_changed.wait(lock,
                   [&]
                   {
                       for (const std::unique_ptr<Worker>& worker : m_workers)
                       {
                           if (!worker->jobs.empty())
                               return false;
                       }
                       return true;
                   });
    if (m_error)
    {
        const std::exception_ptr error = m_error;
        m_error = nullptr;
        std::rethrow_exception(error);
    }
}

bool CListCompiler::TakeCutList(UINT& name)
{
    std::lock_guard<fw::Mutex> lock(m_mutex);
    if (m_cutLists.empty())
        return false;
    name = m_cutLists.back();
    m_cutLists.pop_back();
    return true;
}

CListCompiler::Job* CListCompiler::NextWork(Worker& worker)
{
    if (worker.jobs.empty())
        return nullptr;
    Job* const job = worker.jobs.front().get();
    return !job->isBegun || !job->batches.empty() || job->isClosed ? job : nullptr;
}

void CListCompiler::Run(Worker& worker)
{
    std::unique_lock<fw::Mutex> lock(m_mutex);
    for (;;)
    {
        m_changed.wait(lock, [&] { return NextWork(worker) != nullptr || m_isStopping; });
        Job* const job = NextWork(worker);
        if (job == nullptr)
            return; // stopping, every list handed over compiled
        if (!job->isBegun)
        {
            job->isBegun = true;
            lock.unlock();
            glNewList(job->name, GL_COMPILE);
            lock.lock();
        }
        else if (!job->batches.empty())
        {
            std::unique_ptr<CListBatch> batch = std::move(job->batches.front());
            job->batches.pop_front();
            const size_t vertices = batch->GetVertexCount();
            const bool isFailed = job->isFailed;
            lock.unlock();
            std::exception_ptr error;
            try
            {
                if (!isFailed)
                {
                    // The driver stalls rather than fails when memory runs out: ask first.
                    job->listVertices += vertices;
                    fw::EnsureHeadroom(ordered_blocks::TakeHeadroom(job->listVertices));
                    batch->ReplayAndReset(&job->device);
                    fw::NoteProgress();
                }
                batch.reset();
            }
            catch (...)
            {
                error = std::current_exception();
            }
            lock.lock();
            worker.queuedVertices -= vertices;
            if (error)
            {
                if (m_cutLists.size() < m_cutLists.capacity())
                    m_cutLists.push_back(job->name);
                job->isFailed = true;
                for (const std::unique_ptr<CListBatch>& dropped : job->batches)
                    worker.queuedVertices -= dropped->GetVertexCount();
                job->batches.clear();
                if (!m_error)
                    m_error = error;
            }
            m_changed.notify_all();
        }
        else
        {
            lock.unlock();
            glEndList();
            // The view's thread may draw the list as soon as it is told.
            glFinish();
            lock.lock();
            worker.jobs.pop_front();
            m_changed.notify_all();
        }
    }
}
