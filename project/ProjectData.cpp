// The project object: construction, input files, and saving, opening and closing as a whole.
// The section writers and readers are in ProjectData_write.cpp, ProjectData_read.cpp and
// ProjectData_views.cpp.
#include "project/ProjectData.h"

#include "core/services/LogFile.h"
#include "core/services/StringFile.h"
#include "platform/base/exception.h"
#include "platform/base/os.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectHost.h"
#include "project/ProjectView.h"

#include <cstdio>

namespace
{
// Lines for the "Project" log when no main frame listens.
class CLogSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override
    {
        CAELogFile log("Project");
        log.WriteLine(0, "", line.c_str());
    }
};

std::string FoldPath(const std::string& path)
{
    std::string folded = path;
    for (char& c : folded)
    {
        if (c == '/')
            c = '\\';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// Windows file names compare without regard to case, and either slash separates.
bool IsSamePath(const std::string& a, const std::string& b)
{
    return FoldPath(a) == FoldPath(b);
}

// Asked without opening: opening a FIFO would wait for a writer.
bool FileExists(const std::string& path)
{
    return fw::os::GetFileKind(path) != fw::os::FileKind::kMissing;
}

void LogProjectError(const char* location, const std::string& text)
{
    CAELogFile log("Project");
    log.WriteLine(2, location, text.c_str());
}

// Plain text holding the sections that every save writes, and writable.
bool IsRewritableProjectFile(const std::string& path)
{
    const CProjectFile& content = GetCurrentProjectFileContent();
    return content.GetForm() == CProjectFile::EForm::kPlain && content.HasSection("Path") &&
           content.HasSection("ViewSettings") && content.HasSection("Material") &&
           !fw::os::IsReadOnlyFile(fw::os::FollowLinks(path));
}
} // namespace

bool HasProjectFileExtension(const std::string& path)
{
    return path.size() >= 4 && FoldPath(path.substr(path.size() - 4)) == ".mpj";
}

CProjectData::CProjectData() = default;

CProjectData::~CProjectData() = default;

BOOL CProjectData::AddInputFile(const CString& path)
{
    if (m_settings.AddInputFile(path))
        return TRUE;
    if (m_host != nullptr)
        m_host->ShowMessageWithArg("Error", "TooManyInputFiles", "message.str",
                                   (" " + path.Str()).c_str());
    else
        Sink().AddOutputLine("Input file refused, the project holds 30: " + path.Str());
    return FALSE;
}

std::string CProjectData::GetProjectFilePath() const
{
    return m_folder.Str() + "\\" + m_name.Str() + ".mpj";
}

bool CProjectData::OwnsProjectFile() const
{
    return !m_filePath.empty() && IsSamePath(m_filePath, GetProjectFilePath());
}

BOOL CProjectData::SaveProject()
{
    CWaitCursorGuard wait(m_host);
    const std::string path = GetProjectFilePath();
    // Another target starts empty: what an unrelated file held must not come back.
    OpenCurrentProjectFile(path, OwnsProjectFile());
    bool isSaved = false;
    fw::os::SaveFailure failure;
    try
    {
        WriteSections();
        isSaved = CommitCurrentProjectFile(&failure);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ReleaseCurrentProjectFile();
    if (!isSaved)
    {
        LogProjectError("CProjectData::SaveProject", "The project file was not written: " + path);
        if (m_host != nullptr)
            ReportSaveFailure(path, failure);
        return FALSE;
    }
    m_filePath = path;
    m_savedForm = SavedForm();
    return TRUE;
}

BOOL CProjectData::OpenProject(const CString& path)
{
    CWaitCursorGuard wait(m_host);
    try
    {
        ReadProject(path);
        ReleaseCurrentProjectFile();
        m_savedForm = SavedForm();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    LogProjectError("CProjectData::OpenProject", "Exception occured in CProjectData::OpenProject");
    ReleaseCurrentProjectFile();
    // Nothing of a half-read project stays on screen.
    CloseProject();
    return FALSE;
}

std::string CProjectData::WriteRecoveryCopy()
{
    // A project never saved has no folder: its copy goes beside the first model read into it.
    std::string folder = m_folder.Str();
    if (folder.empty())
    {
        const std::string model = m_settings.m_inputFiles[0].Str();
        const std::size_t separator = model.find_last_of("\\/");
        if (separator == std::string::npos)
            return std::string();
        folder = model.substr(0, separator);
    }
    const std::string path = folder + "\\" + m_name.Str() + " (recovered).mpj";
    OpenCurrentProjectFile(GetProjectFilePath(), OwnsProjectFile());
    bool isWritten = false;
    try
    {
        WriteSections();
        isWritten = CommitCurrentProjectFileTo(path);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ReleaseCurrentProjectFile();
    return isWritten ? path : std::string();
}

bool CProjectData::HasUnsavedChanges()
{
    if (!m_savedForm)
        return true;
    const std::optional<std::string> now = SavedForm();
    return !now || *now != *m_savedForm;
}

void CProjectData::WriteSections()
{
    WritePathSection();
    WriteViewSettings();
    WriteAxisAndFont();
    WriteMaterialAndDisplay();
    WritePropertyColors();
    WriteMaterialColors();
    WriteGroups();
    WriteLoadedResults();
}

std::optional<std::string> CProjectData::SavedForm()
{
    // Written into an empty file, so that the order of the file's own sections, which a save
    // onto it keeps, counts for nothing.
    std::optional<std::string> text;
    // The current file keeps its name: only its held content is replaced, then freed.
    OpenCurrentProjectFile(GetCurrentProjectFile(), false);
    try
    {
        WriteSections();
        text = GetCurrentProjectFileContent().ToText();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ReleaseCurrentProjectFile();
    return text;
}

BOOL CProjectData::CloseProject()
{
    if (m_host == nullptr)
        return TRUE;
    try
    {
        for (int frameId : m_host->GetFrameIds())
        {
            if (CProjectView* view = m_host->GetFrameView(frameId))
                view->OnProjectClosed();
            m_host->DestroyFrame(frameId);
        }
        m_host->RemoveAllFrames();
        m_host->ShowMessage("Status", "ProjectClosed", "message.str");
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    LogProjectError("CProjectData::CloseProject",
                    "Exception occured in CProjectData::CloseProject");
    return FALSE;
}

void CProjectData::ReadProject(const CString& path)
{
    const std::string file = path.Str();
    const std::size_t separator = file.find_last_of("\\/");
    m_folder = separator == std::string::npos ? CString() : CString(file.substr(0, separator));
    const std::string fileName = separator == std::string::npos ? file : file.substr(separator + 1);
    const std::size_t point = fileName.rfind('.');
    m_name = CString(point == std::string::npos ? fileName : fileName.substr(0, point));

    const bool exists = FileExists(file);
    if (!OpenCurrentProjectFile(file, true))
        fw::ThrowFileException(CFileException::accessDenied, -1, file.c_str());
    if (GetCurrentProjectFileContent().GetForm() == CProjectFile::EForm::kUnicode)
    {
        ReportError("ProjectUnicode", file);
        fw::ThrowFileException(CFileException::invalidFile, -1, file.c_str());
    }
    m_filePath = file;

    ReadPathSection();
    ReadAxisAndFont();
    ShowStatus("ReadingFile");
    ReadSolverFiles();
    if (m_settings.m_modelSource != CAESettings::kUniversalFile)
        ReadLoadedResults();
    m_model.TransformPendingNodes();
    m_model.BuildElementFaces();
    m_model.UpdateLoadedResults();
    ShowStatus("ReadingFileComplete");
    ReadMaterialAndDisplay();
    // The one write of opening: the "ObjectColor" keys in their one-digit form, only into a
    // project file as this program writes them. Anything else (a file that does not exist, is
    // read-only, is not text or not a project) keeps its bytes; the values stay in memory.
    if (exists && IsCurrentProjectFileModified() && IsRewritableProjectFile(file) &&
        !CommitCurrentProjectFile())
        LogProjectError("CProjectData::OpenProject", "The project file was not rewritten: " + file);
    ReadPropertyColors();
    ReadMaterialColors();
    ReadGroups();
    ReadViewSettings();
}

void CProjectData::ReportSaveFailure(const std::string& path, const fw::os::SaveFailure& failure)
{
    if (!failure.isFileChanged)
        m_host->ShowMessageWithArg("Error", "ProjectSaveFailed", "message.str",
                                   (" " + path).c_str());
    else if (!failure.formerContents.empty())
        m_host->ShowMessageWithArg("Error", "ProjectSaveFailedFormerKept", "message.str",
                                   (" " + path + "\n" + failure.formerContents).c_str());
    else
        m_host->ShowMessageWithArg("Error", "ProjectSaveFailedFileChanged", "message.str",
                                   (" " + path).c_str());
}

void CProjectData::ReportError(const char* key, const std::string& path)
{
    if (m_host != nullptr)
        m_host->ShowMessageWithArg("Error", key, "message.str", (" " + path).c_str());
    else
        Sink().AddOutputLine(std::string(key) + ": " + path);
}

void CProjectData::ShowStatus(const char* key)
{
    std::string text;
    LoadStringFromFile("message.str", "Status", key, &text);
    if (m_host == nullptr)
        return;
    m_host->AddOutputLine(text);
    m_host->SetStatusText(text.c_str());
}

COutputSink& CProjectData::Sink()
{
    static CLogSink logSink;
    if (m_host != nullptr)
        return *m_host;
    return logSink;
}
