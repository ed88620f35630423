// The start-up file read on a thread of its own; its messages wait for the output bar.
#include "app/StartUpRead.h"

#include "app/FilePaths.h"
#include "core/services/OutputSink.h"
#include "project/ProjectData.h"

#include <system_error>

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
} // namespace

CStartUpRead::CStartUpRead() = default;

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
    m_project = std::make_unique<CProjectData>();
    // A fresh project has room for its first file.
    m_project->AddInputFile(m_path);
    try
    {
        m_thread = std::thread([this] { Run(); });
    }
    catch (const std::system_error&)
    {
        // No thread to spare: the file is read once the window is there, as any other.
        m_project.reset();
        return false;
    }
    return true;
}

void CStartUpRead::Run()
{
    try
    {
        CHeldLines held(m_lines);
        m_read = ReadModelFile(*m_project, m_kind, m_path, held, ChooseAllOp2Results);
    }
    catch (...)
    {
        m_failure = std::current_exception();
    }
}

void CStartUpRead::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
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
