// The project commands: New, Open, Save, Save As, Close, the recent projects, a model file in
// a new project (command line and dropped files), and which of them are enabled.
#include "app/ChildFrame.h"
#include "app/FilePaths.h"
#include "app/MainFrame.h"
#include "app/StartUpRead.h"
#include "app/WendraApp.h"
#include "core/model/ResultId.h"
#include "core/model/TreeNode.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "dialogs/settings/ProjectNewDlg.h"
#include "platform/dlg/commdlg.h"
#include "platform/win/app.h"
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "render/GLDevice.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"

#include <memory>
#include <utility>

namespace
{
constexpr const char* kProjectFilter = "MPJ Files (*.mpj)|*.mpj||";

CString NewProjectName()
{
    CString name;
    LoadStringFromFile(CString("Dialog.str"), CString("COMMON"), CString("NewProject"), &name);
    return name;
}

// The folder part without its trailing backslash, as a project keeps it.
CString WithoutTrailingSeparator(CString folder)
{
    while (folder.GetLength() > 1 && (folder.Right(1) == "\\" || folder.Right(1) == "/"))
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}
} // namespace

void CMainFrame::RebuildProjectTree(const CCmdRecord& record)
{
    m_projectTreeBar.GetTreePage().RebuildProjectTree(record);
}

void CMainFrame::OnProjectNew()
{
    if (CloseProject() == IDCANCEL)
        return;
    CProjectNewDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    auto* project = new CProjectData;
    SetProject(project);
    ShowMessage("MsgPane", "CreatingNewproject", "message.str");
    if (dialog.m_projectKind == CProjectNewDlg::kUsingImportFile)
    {
        project->m_name = dialog.m_projectName;
        project->m_folder = WithoutTrailingSeparator(dialog.m_projectFolder);
        // Without a folder the project is saved where the user says at its first save.
        if (!project->m_folder.IsEmpty())
        {
            const CString mpjFolder = project->m_folder + "\\";
            project->m_settings.m_fileIoFolders[CAESettings::kFolderMpj] = mpjFolder;
            SetIniString("FileIOPaths", "MPJ", mpjFolder);
        }
        RebuildProjectTree(CCmdRecord{project, CProjectTreePage::kBuildProject});
        CreateMainView(project->m_settings.m_displayType, false, nullptr);
        ReadFile(dialog.m_importFileName, dialog.m_importFilePath);
        return;
    }
    // A blank project is named by the program; the dialog's name is not used.
    project->m_name = NewProjectName();
    ShowMessage("MsgPane", "Newproject", "message.str");
    RebuildProjectTree(CCmdRecord{project, CProjectTreePage::kBuildProject});
    CreateMainView(project->m_settings.m_displayType, false, nullptr);
}

void CMainFrame::OnProjectOpen()
{
    if (CloseProject() == IDCANCEL)
        return;
    ShowMessage("Request", "SelectProjectFile", "message.str");
    CString initialFolder;
    GetIniString("FileIOPaths", "MPJ", &initialFolder);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kProjectFilter, this);
    dialog.m_ofn.lpstrInitialDir = initialFolder;
    if (dialog.DoModal() != IDOK)
    {
        ShowMessage("MsgPane", "ProjectOpenCancelled", "message.str");
        return;
    }
    const CString path = dialog.GetPathName();
    // ".MPJ" is a project file as ".mpj" is; a name typed for a file that is not there is not.
    if (!HasProjectFileExtension(path.Str()) || !IsExistingFile(path))
    {
        AfxMessageBox(MessageText("Error", "InvalidProjectFile"), MB_OK | MB_ICONERROR);
        return;
    }
    auto* project = new CProjectData;
    SetProject(project);
    ShowMessageWithArg("MsgPane", "Openingprj", "message.str",
                       " [ " + dialog.GetFileName() + " ] ...");
    if (!project->OpenProject(path))
    {
        SetProject(nullptr);
        ShowMessageWithArg("Error", "FileOpen", "message.str", path);
        return;
    }
    const CString mpjFolder = FolderWithSeparatorOf(path);
    project->m_settings.m_fileIoFolders[CAESettings::kFolderMpj] = mpjFolder;
    SetIniString("FileIOPaths", "MPJ", mpjFolder);
    AddToRecentProjects(CString(project->GetProjectFilePath()));
    RebuildProjectTree(CCmdRecord{project, CProjectTreePage::kBuildProject});
    ShowMessage("MsgPane", "Openproject", "message.str");
}

void CMainFrame::OnRecentProject(UINT commandId)
{
    auto* app = dynamic_cast<CWendraApp*>(AfxGetApp());
    const UINT index = commandId - ID_RECENT_PROJECT_FIRST;
    if (app == nullptr || index >= static_cast<UINT>(CRecentProjects::kCount))
        return;
    const CString path = app->GetRecentProjects().Entries()[index];
    if (CloseProject() == IDCANCEL)
        return;
    if (path.IsEmpty() || !IsExistingFile(path))
    {
        const CString text = MessageText("Status", "ProjDoesNotExists");
        AddOutputLine(text + " " + path);
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
        return;
    }
    auto* project = new CProjectData;
    SetProject(project);
    ShowMessageWithArg("MsgPane", "Openingprj", "message.str", " [ " + path + " ] ...");
    if (!project->OpenProject(path))
    {
        // Nothing of a project that failed halfway stays open.
        AddOutputLine(MessageText("Status", "ProjectOpenAborted"));
        SetProject(nullptr);
        return;
    }
    RebuildProjectTree(CCmdRecord{project, CProjectTreePage::kBuildProject});
    if (!project->m_folder.IsEmpty())
        AddToRecentProjects(CString(project->GetProjectFilePath()));
}

void CMainFrame::OnProjectSave()
{
    if (m_pProject == nullptr)
        return;
    ConfirmUnvModified(true);
    DoSaveProject(false);
}

void CMainFrame::OnProjectSaveAs()
{
    if (m_pProject == nullptr)
        return;
    ConfirmUnvModified(true);
    DoSaveProject(true);
}

void CMainFrame::OnProjectClose()
{
    CloseProject();
}

void CMainFrame::OpenFileInNewProject(const CString& name, const CString& path)
{
    OpenNewProject(new CProjectData, CProjectTreePage::kBuildProject);
    ReadFile(name, path);
}

void CMainFrame::OpenNewProject(CProjectData* project, CProjectTreePage::RebuildCode treeCode)
{
    ShowNewProjectMessages();
    MakeNewProjectOpen(project, treeCode);
}

void CMainFrame::ShowNewProjectMessages()
{
    ShowMessage("MsgPane", "CreatingNewproject", "message.str");
    ShowMessage("MsgPane", "Newproject", "message.str");
    ShowMessage("MsgPane", "CreateMainView", "message.str");
}

void CMainFrame::MakeNewProjectOpen(CProjectData* project, CProjectTreePage::RebuildCode treeCode)
{
    SetProject(project);
    project->m_name = NewProjectName();
    RebuildProjectTree(CCmdRecord{project, treeCode});
    MakeMainView(project->m_settings.m_displayType, false, nullptr);
}

void CMainFrame::OpenStartUpFile(const CString& path)
{
    if (path.IsEmpty() || !IsExistingFile(path))
        return;
    const CString full = FullPathOf(path);
    OpenFileInNewProject(FileNameOf(full), full);
    ShowStartUpResult();
}

void CMainFrame::AwaitStartUpRead(CStartUpRead& read)
{
    m_startUpRead = &read;
    BeginWaitCursor();
    // What the opening says before its read is said now, while the read runs.
    ShowNewProjectMessages();
    ShowMessageWithArg("MsgPane", "ReadFile", "message.str", m_startUpRead->Name());
    const HWND frame = m_hWnd;
    m_startUpRead->WhenEnded([frame] { ::PostMessageA(frame, kStartUpReadEndedMessage, 0, 0); });
}

LRESULT CMainFrame::OnStartUpReadEnded(WPARAM, LPARAM)
{
    if (m_startUpRead == nullptr)
        return 0;
    EndWaitCursor(); // the read's; the opening keeps its own
    const CWaitCursorGuard wait(&m_projectHost);
    // Loaded here, not beside the read: it holds the frame's thread for a while, and the frame
    // answers while the read runs.
    CGLDevice::LoadDriver();
    OpenStartUpFile(*std::exchange(m_startUpRead, nullptr));
    return 0;
}

void CMainFrame::OpenStartUpFile(CStartUpRead& read)
{
    std::unique_ptr<CProjectData> project = read.TakeProject();
    if (project == nullptr)
        return;
    // The results join the tree after the view, as they do after any read.
    MakeNewProjectOpen(project.release(), CProjectTreePage::kBuildProjectWithoutResults);
    read.ReplayMessages(m_projectHost);
    if (!read.Failure().empty())
    {
        theAppLog.WriteLine(2, "StartUpRead",
                            ("The read of " + std::string(read.Path().Str()) +
                             " ended with an exception: " + read.Failure())
                                .c_str());
        ShowMessageWithArg("Error", "ReadFailed", "message.str", read.Path());
    }
    FinishReadFile(read.Kind(), read.Path(), read.Read());
    ShowStartUpResult();
}

BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    // While the start-up file is read there is no project to act on: every command but Exit
    // is greyed and refused, as while any read runs.
    const bool isRouted = code == CN_COMMAND || code == CN_UPDATE_COMMAND_UI;
    if (m_startUpRead != nullptr && isRouted && id != ID_APP_EXIT)
    {
        if (code == CN_UPDATE_COMMAND_UI && extra != nullptr)
            static_cast<CCmdUI*>(extra)->Enable(FALSE);
        return TRUE;
    }
    return COXMenuBarHostFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

void CMainFrame::ShowStartUpResult()
{
    if (m_pProject == nullptr || GetFrameView(kFirstFrameId) == nullptr)
        return;
    // The displacement says most about a run at a glance; the first nodal scalar of the tree
    // may be a constant such as a principal angle.
    const int displacement = m_pProject->m_model.GetDefaultDisplacementId();
    CResultItemNode* first = nullptr;
    for (CTreeNode* node : m_projectTreeBar.GetTreePage().NodesInTreeOrder())
    {
        auto* item = dynamic_cast<CResultItemNode*>(node);
        if (item == nullptr || item->m_result == nullptr ||
            item->m_resultKind != CResultItemNode::kScalarResult ||
            item->m_location != CResultItemNode::kNodal)
            continue;
        if (displacement != -1 && ResultIdKey(static_cast<uint32_t>(item->m_result->m_id)) ==
                                      ResultIdKey(static_cast<uint32_t>(displacement)))
        {
            first = item;
            break;
        }
        if (first == nullptr)
            first = item;
    }
    // Shown as a double click on it shows it.
    if (first != nullptr)
        first->Execute();
}

void CMainFrame::OnUpdateProjectCommand(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pProject != nullptr);
}

void CMainFrame::OnUpdateImportBulkData(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pProject != nullptr &&
                  m_pProject->m_settings.m_modelSource != CAESettings::kUniversalFile);
}

void CMainFrame::OnUpdateImportUnv(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pProject != nullptr &&
                  m_pProject->m_settings.m_modelSource != CAESettings::kBulkData);
}

void CMainFrame::OnUpdateExport(CCmdUI* cmdUI)
{
    const CModelSet* model = m_pProject != nullptr ? &m_pProject->m_model : nullptr;
    cmdUI->Enable(model != nullptr && model->GetNodeCount() > 0 && model->GetElementCount() > 0);
}
