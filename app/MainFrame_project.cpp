// Closing the open project (with its save prompt) and saving it: what shut-down and every
// command that replaces the project go through.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "core/model/ResultData.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "platform/dlg/commdlg.h"
#include "platform/docview/doc.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"

#include <windows.h>

#include <vector>

namespace
{
CString Text(const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString("Message.str"), CString(section), CString(key), &text);
    return text;
}

bool FileExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

int CMainFrame::CloseProject()
{
    if (m_pProject == nullptr)
        return kNoProject;
    if (ConfirmUnvModified(false))
        return IDCANCEL;
    // Nothing to ask when a save would write what the last open or save did.
    if (m_pProject->HasUnsavedChanges())
    {
        const int answer = AfxMessageBox(Text("Confirm", "Save"), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return IDCANCEL;
        // A save that failed keeps the project open as a cancelled one does.
        if (answer == IDYES && DoSaveProject(false) != kSaved)
            return IDCANCEL;
    }
    ShowMessage("MsgPane", "Closeproject", "message.str");
    m_pProject->CloseProject();
    CloseAllViews();
    // Code 2 with the project's name, which is no key: the whole tree goes.
    RebuildProjectTree(CCmdRecord{const_cast<char*>(m_pProject->m_name.GetString()),
                                  CProjectTreePage::kClearTree});
    SetProject(nullptr);
    return IDOK;
}

bool CMainFrame::ConfirmUnvModified(bool informOnly)
{
    if (m_pProject == nullptr || m_pProject->m_settings.m_propertyColorFlag != 1)
        return false;
    if (informOnly)
    {
        AfxMessageBox(Text("Confirm", "ModifiedUNVFile"), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return AfxMessageBox(Text("Confirm", "SaveUNVFile"), MB_OKCANCEL | MB_ICONINFORMATION) ==
           IDCANCEL;
}

std::string CMainFrame::KeepUnsavedProject()
{
    CProjectData* project = m_pProject;
    if (project == nullptr || !project->HasUnsavedChanges())
        return std::string();
    return project->WriteRecoveryCopy();
}

int CMainFrame::DoSaveProject(bool saveAs)
{
    CProjectData& project = *m_pProject;
    const CString savedFolder = project.m_folder;
    const CString savedName = project.m_name;
    if (saveAs || project.m_folder.IsEmpty())
    {
        CFileDialog dialog(FALSE, nullptr, project.m_name, OFN_HIDEREADONLY,
                           "MPJ Files (*.mpj)|*.mpj||", this);
        const CString initialFolder = project.m_settings.m_fileIoFolders[CAESettings::kFolderMpj];
        dialog.m_ofn.lpstrInitialDir = initialFolder;
        if (dialog.DoModal() != IDOK)
            return kSaveCancelled;
        const CString path = dialog.GetPathName();
        const int slash = path.ReverseFind('\\');
        const CString folder = path.Left(slash);
        CString name = path.Mid(slash + 1);
        // "plate.v2.mpj" and "plate.txt" both lose everything from their last point.
        const int dot = name.ReverseFind('.');
        if (dot >= 0)
            name = name.Left(dot);
        const CString mpjFolder = path.Left(slash + 1);
        project.m_settings.m_fileIoFolders[CAESettings::kFolderMpj] = mpjFolder;
        SetIniString("FileIOPaths", "MPJ", mpjFolder);
        if (FileExists(folder + "\\" + name + ".mpj") &&
            AfxMessageBox(Text("Confirm", "Projexist"), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return kSaveCancelled;
        project.m_folder = folder;
        project.m_name = name;
    }
    else if (!project.OwnsProjectFile() && FileExists(project.GetProjectFilePath().c_str()) &&
             AfxMessageBox(Text("Confirm", "Projexist"), MB_YESNO | MB_ICONQUESTION) != IDYES)
    {
        // A new project named in the New Project dialog after a file that is there already.
        return kSaveCancelled;
    }
    const CString file(project.GetProjectFilePath().c_str());
    ShowMessageWithArg("MsgPane", "Saveproject", "message.str", file);
    // The project reports a failed write itself; nothing goes on as if it was saved, and the
    // project keeps the file it had.
    if (!project.SaveProject())
    {
        project.m_folder = savedFolder;
        project.m_name = savedName;
        return kSaveFailed;
    }
    AddToRecentProjects(file);
    RetitleDocuments();
    m_projectTreeBar.GetTreePage().UpdateRootLabel();
    return kSaved;
}

void CMainFrame::CloseAllViews()
{
    std::vector<CChildFrame*> frames;
    for (const auto& [frameId, frame] : fw::Assocs(m_frameMap))
    {
        frames.push_back(frame);
    }
    m_frameMap.RemoveAll();
    // A frame whose view already went (its entry removed meanwhile) is no longer a window.
    for (CChildFrame* frame : frames)
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
    }
}

void CMainFrame::RetitleDocuments()
{
    for (const auto& [frameId, frame] : fw::Assocs(m_frameMap))
    {
        auto* view = frame != nullptr ? dynamic_cast<CCAEView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr || view->GetDocument() == nullptr)
            continue;
        // The result shown: the contour's, else the vector's.
        const int shown = view->Renderer().ContourResultId() != -1
                              ? view->Renderer().ContourResultId()
                              : view->Renderer().VectorResultId();
        const CResultData* result =
            shown != -1 ? m_pProject->m_model.GetResult(static_cast<UINT>(shown)) : nullptr;
        CString title;
        if (result != nullptr)
            title.Format("%s - %s", m_pProject->m_name.GetString(), result->GetName().GetString());
        else
            title.Format("%s", m_pProject->m_name.GetString());
        view->GetDocument()->SetTitle(title);
    }
}
