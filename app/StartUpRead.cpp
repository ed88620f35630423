// The start-up file read on a thread of its own; its messages wait for the output bar.
#include "app/StartUpRead.h"

#include "app/FilePaths.h"
#include "core/services/OutputSink.h"
#include "platform/base/exception.h"
#include "platform/base/thread_start.h"
#include "project/ProjectData.h"

#include <cstdio>
#include <utility>

namespace
{
// The output bar belongs to the view's thread: the read's lines wait here until it is there.
class CHeldLines : public COutputSink
{
public:
    explicit CHeldLines(std::vector<std::string>& lines)
        : m_lines(lines)
    {
    }
    void AddOutputLine(const std::string& line) override { m_lines.push_back(line); }

private:
    std::vector<std::string>& m_lines;
};

CModelFileRead ReadEveryResult(CProjectData& project, ModelFileKind kind, const CString& path,
                               COutputSink& sink)
{
    return ReadModelFile(project, kind, path, sink, ChooseAllOp2Results);
}

// Called in a handler: what it caught, in words.
std::string DescribeCaught()
{
    try
    {
        throw;
    }
    catch (CException* e)
    {
        char text[200] = {};
        if (!e->GetErrorMessage(text, sizeof text) || text[0] == '\0')
            std::snprintf(text, sizeof text, "framework exception");
        e->Delete();
        return text;
    }
    catch (const std::exception& e)
    {
        return e.what();
    }
    catch (...)
    {
        return "unknown exception";
    }
}
} // namespace

CStartUpRead::CStartUpRead(Reader reader)
    : m_reader(reader ? std::move(reader) : Reader(ReadEveryResult))
{
}

CStartUpRead::~CStartUpRead()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CStartUpRead::Start(const CString& path)
{
    if (m_thread.joinable() || m_project != nullptr || path.IsEmpty() || !IsExistingFile(path))
        return false;
    const CString full = FullPathOf(path);
    const CString name = FileNameOf(full);
    const ModelFileKind kind = ModelFileKindOf(name);
    if (kind == ModelFileKind::kNone)
        return false;
    m_path = full;
    m_name = name;
    m_kind = kind;
    m_project = NewProject();
    try
    {
        m_thread = fw::StartThread([this] { Run(); });
    }
    catch (...)
    {
        // No thread or no memory to spare: the file is read once the window is there, as any
        // other.
        m_project.reset();
        return false;
    }
    return true;
}

void CStartUpRead::WhenEnded(std::function<void()> ended)
{
    {
        const std::lock_guard<fw::Mutex> lock(m_endMutex);
        if (!m_hasEnded)
        {
            m_ended = std::move(ended);
            return;
        }
    }
    if (ended)
        ended();
}

void CStartUpRead::Run() noexcept
{
    try
    {
        CHeldLines held(m_lines);
        m_read = m_reader(*m_project, m_kind, m_path, held);
    }
    catch (...)
    {
        NoteFailure();
    }
    std::function<void()> ended;
    {
        const std::lock_guard<fw::Mutex> lock(m_endMutex);
        m_hasEnded = true;
        ended = std::move(m_ended);
    }
    if (ended)
        ended();
}

void CStartUpRead::NoteFailure() noexcept
{
    m_hasFailed = true;
    // Out of memory most likely: what the read made goes first.
    m_project.reset();
    try
    {
        m_failure = DescribeCaught();
    }
    catch (...)
    {
        m_failure.clear();
    }
}

std::unique_ptr<CProjectData> CStartUpRead::NewProject() const
{
    auto project = std::make_unique<CProjectData>();
    // A fresh project has room for its first file.
    project->AddInputFile(m_path);
    return project;
}

void CStartUpRead::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    if (!m_hasFailed)
        return;
    m_hasFailed = false;
    // As a read that failed after the start leaves it: the file listed until the frame drops
    // it, the model empty.
    m_project = NewProject();
    m_read = CModelFileRead();
    if (m_failure.empty())
        m_failure = "unknown exception";
}

std::unique_ptr<CProjectData> CStartUpRead::TakeProject()
{
    Wait();
    return std::move(m_project);
}

void CStartUpRead::ReplayMessages(COutputSink& sink)
{
    Wait();
    for (const std::string& line : m_lines)
        sink.AddOutputLine(line);
    m_lines.clear();
}
