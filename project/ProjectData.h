// The open project: its name and folder, the model database and the project settings, and the
// ".mpj" project file that records the solver files, loaded results, views, colours, fonts,
// lighting materials and groups. The file holds no model data: opening reads the solver files
// again. The main frame owns at most one project and deletes it after closing it.
#pragma once

#include "core/model/ModelSet.h"
#include "platform/base/os.h"
#include "platform/base/string.h"
#include "project/AESettings.h"

#include <optional>
#include <string>

class CProjectHost;
class CProjectView;
class CResultDisplayAttr;
class CVectorDisplayAttr;
struct CViewFileState;

class CProjectData
{
public:
    CProjectData();
    ~CProjectData();
    CProjectData(const CProjectData&) = delete;
    CProjectData& operator=(const CProjectData&) = delete;

    // The main frame (borrowed; null: no views, messages go to the "Project" log).
    void SetHost(CProjectHost* host) { m_host = host; }
    CProjectHost* GetHost() const { return m_host; }

    // Views that opening a project recreates at most; the message "TooManyViews" says so.
    static constexpr int kMaxViews = 64;

    // Appends a solver file to the input files. When all 30 slots are taken the file is
    // refused with the message "TooManyInputFiles" and FALSE; the caller then does not read it.
    BOOL AddInputFile(const CString& path);

    // folder + "\" + name + ".mpj".
    std::string GetProjectFilePath() const;
    // True when GetProjectFilePath() names the file this project was opened from or last
    // saved to; a save elsewhere would replace a file that is not the project's own.
    bool OwnsProjectFile() const;

    // Writes the project to GetProjectFilePath() in one pass through a temporary file, so that
    // a failure leaves an earlier file as it was. Saving onto the file the project came from
    // keeps what else that file holds; any other target starts from an empty file. A failed
    // write is reported ("ProjectSaveFailed") and gives FALSE.
    BOOL SaveProject();
    // Reads the project file at path into this freshly constructed project: solver files,
    // loaded results, materials, colours, groups, then the views. FALSE when the reading
    // failed; the views made so far are then closed and the caller deletes the project.
    BOOL OpenProject(const CString& path);
    // Tells every view that the project closes, destroys the frames and empties the frame map.
    BOOL CloseProject();
    // Writes the project, as a save onto its own file would, to "<name> (recovered).mpj" beside
    // it (a project never saved: beside its first model file; none: nothing written), for an end of
    // the program that cannot wait for a save: the project file and the project's saved state stay
    // as they are, and no message is shown (the window may not answer). The file written, or ""
    // when it could not be.
    std::string WriteRecoveryCopy();
    // True unless the project was opened or saved and a save now would write what it held
    // then: a project never saved has changes, and so has any change that a save records
    // (settings, views, groups, loaded results), whatever order the file has its sections in.
    bool HasUnsavedChanges();

    CString m_name;   // file name without folder and extension
    CString m_folder; // without a trailing backslash
    CModelSet m_model;
    CAESettings m_settings;
    // 1 once a tool changed the model in memory (element properties), 0 when made.
    BYTE m_modified = 0;

private:
    // Every section, through the current project file.
    void WriteSections();
    // What a save would write, into an empty file; nothing when a writer failed.
    std::optional<std::string> SavedForm();
    // Section writers, in file order.
    void WritePathSection();
    void WriteViewSettings();
    void WriteViewSection(int number, int frameId, const CProjectView& view);
    static void WriteContourKeys(const char* section, const CResultDisplayAttr& attr);
    static void WriteVectorKeys(const char* section, const CVectorDisplayAttr& attr);
    void WriteAxisAndFont();
    void WriteMaterialAndDisplay();
    void WritePropertyColors();
    void WriteMaterialColors();
    void WriteGroups();
    void WriteGroup(int number, const CGroupSet& group);
    void WriteLoadedResults();

    // Section readers, in reading order.
    void ReadProject(const CString& path);
    void ReadPathSection();
    CString ResolveInputPath(const CString& path) const;
    void ReadAxisAndFont();
    void ReadSolverFiles();
    void ReadLoadedResults();
    void ReadMaterialAndDisplay();
    void ReadPropertyColors();
    void ReadMaterialColors();
    void ReadGroups();
    void ReadGroup(const char* section);
    void ReadViewSettings();
    bool ReadViewSection(int number, int* comboResultId);
    void RestoreViewResult(CProjectView& view, const CViewFileState& state, const char* section);
    static void ReadContourKeys(const char* section, CResultDisplayAttr& attr);
    static void ReadVectorKeys(const char* section, CVectorDisplayAttr& attr);

    // Output log and status bar, when there is a host.
    void ShowStatus(const char* key);
    // The message of "Error" in message.str, followed by the path, in the output log.
    void ReportError(const char* key, const std::string& path);
    // A failed save's message: the file as it was, its former contents kept in another file, or
    // neither.
    void ReportSaveFailure(const std::string& path, const fw::os::SaveFailure& failure);
    COutputSink& Sink();

    CProjectHost* m_host = nullptr;
    std::string m_filePath; // the file this project was read from or last written to
    std::optional<std::string> m_savedForm; // SavedForm() at the last open or save
};

// True when the name ends in ".mpj" in any letter case.
bool HasProjectFileExtension(const std::string& path);
