// The model-file commands: the three imports, reading a model file into the project, the
// display rebuilt after a read, the two universal-file exports and dropped files.
#include "app/ChildFrame.h"
#include "app/FilePaths.h"
#include "app/MainFrame.h"
#include "app/ModelFileRead.h"
#include "app/WendraApp.h"
#include "core/model/ResultData.h"
#include "core/services/ProductIni.h"
#include "dialogs/tools/SelectResultsDlg.h"
#include "io/unv/UnvImport.h"
#include "platform/dlg/commdlg.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"

#include <shellapi.h>
#include <string>
#include <vector>

namespace
{
bool IsTensorType(int type)
{
    return type == 1 || type == 1002 || type == 1003;
}

// The first file the dialog names; empty when none.
CString FirstChosenPath(const CFileDialog& dialog)
{
    POSITION position = dialog.GetStartPosition();
    return position != nullptr ? dialog.GetNextPathName(position) : dialog.GetPathName();
}

void DropLastInputFile(CAESettings& settings)
{
    if (settings.m_inputFileCount <= 0)
        return;
    --settings.m_inputFileCount;
    settings.m_inputFiles[settings.m_inputFileCount].Empty();
}
} // namespace

bool CMainFrame::IsModelFileName(const CString& name)
{
    return ModelFileKindOf(name) != ModelFileKind::kNone;
}

void CMainFrame::StoreFileFolder(const CString& path, int folderSlot, const char* folderKey)
{
    const CString folder = FolderWithSeparatorOf(path);
    if (m_pProject != nullptr)
        m_pProject->m_settings.m_fileIoFolders[folderSlot] = folder;
    SetIniString("FileIOPaths", folderKey, folder);
}

void CMainFrame::OnImportBulkData()
{
    ImportFile("Nastran d File (*.d)|*.d|Nastran dat File (*.dat)|*.dat|Nastran bdf File "
               "(*.bdf)|*.bdf|All files(*.*)|*.*||",
               CAESettings::kFolderDat, "DAT", false);
}

void CMainFrame::OnImportUnv()
{
    ImportFile("Universal File (*.unv)|*.unv||", CAESettings::kFolderUnv, "UNV", true);
}

void CMainFrame::OnImportOp2()
{
    m_isChoosingOp2Results = true;
    ImportFile("OP2 file (*.op2)|*.op2||", CAESettings::kFolderOp2, "OP2", false);
    m_isChoosingOp2Results = false;
}

void CMainFrame::ImportFile(const char* filter, int folderSlot, const char* folderKey, bool logged)
{
    if (m_pProject == nullptr)
        return;
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY, filter, this);
    const CString initialFolder = m_pProject->m_settings.m_fileIoFolders[folderSlot];
    dialog.m_ofn.lpstrInitialDir = initialFolder;
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = FirstChosenPath(dialog);
    if (path.IsEmpty())
        return;
    CWaitCursorGuard wait(&m_projectHost);
    if (logged)
        theAppLog.WriteLine(0, "Import", " ------ START ------- ");
    ReadFile(FileNameOf(path), path);
    if (logged)
        theAppLog.WriteLine(0, "Import", " ------ END ------- ");
    StoreFileFolder(path, folderSlot, folderKey);
}

void CMainFrame::ReadFile(const CString& name, const CString& path)
{
    const ModelFileKind kind = ModelFileKindOf(name);
    if (m_pProject == nullptr || kind == ModelFileKind::kNone)
        return;
    ShowMessageWithArg("MsgPane", "ReadFile", "message.str", name);
    // A project holds 30 files: the 31st is refused before anything is read.
    if (!m_pProject->AddInputFile(path))
        return;
    Op2ResultChooser chooser = ChooseAllOp2Results;
    if (m_isChoosingOp2Results)
        chooser = [this, &path](const std::vector<CResultData*>& results)
        { ChooseOp2Results(m_pProject->m_model, path, results); };
    FinishReadFile(kind, path, ReadModelFile(*m_pProject, kind, path, m_projectHost, chooser));
}

void CMainFrame::FinishReadFile(ModelFileKind kind, const CString& path, const CModelFileRead& read)
{
    if (kind == ModelFileKind::kUniversal)
        StoreFileFolder(path, CAESettings::kFolderUnv, "UNV");
    else if (kind == ModelFileKind::kBulkData)
        StoreFileFolder(path, CAESettings::kFolderDat, "DAT");
    else
        StoreFileFolder(path, CAESettings::kFolderOp2, "OP2");
    if (!read.isRead)
    {
        // Nothing of the file stayed in the model: it leaves the list, the source is kept.
        DropLastInputFile(m_pProject->m_settings);
        m_pProject->m_settings.m_modelSource = read.previousSource;
        if (kind != ModelFileKind::kBulkData)
            return;
    }
    // The OUTPUT2 import has refreshed its results already.
    RebuildDisplay(kind != ModelFileKind::kOutput2);
}

void CMainFrame::ChooseOp2Results(CModelSet& model, const CString& path,
                                  const std::vector<CResultData*>& results)
{
    CSelectResultsDlg dialog(this);
    dialog.m_model = &model;
    dialog.m_path = path;
    dialog.m_isDefaultResult = [this](const CString& name)
    { return IsDefaultResult(name) != FALSE; };
    if (dialog.DoModal() == IDOK)
        return;
    // Closed without OK: none of the file's results is read, the mesh still comes.
    for (CResultData* result : results)
    {
        if (result->m_loaded == CResultData::kRequested)
            result->m_loaded = CResultData::kNotLoaded;
    }
}

void CMainFrame::RebuildDisplay(bool updateResults)
{
    if (m_pProject == nullptr)
        return;
    ShowMessage("MsgPane", "Dispread", "message.str");
    CModelSet& model = m_pProject->m_model;
    if (updateResults)
        model.UpdateLoadedResults();
    CChildFrame* frame = nullptr;
    CCAEView* view =
        m_frameMap.Lookup(kFirstFrameId, frame) ? GetFrameView(kFirstFrameId) : nullptr;
    if (view != nullptr)
    {
        RegisterFrame(view->FrameKey(), frame);
        view->SetCurrentGroup(model.GetDefaultGroup());
        view->LoadElementFilter(&model);
        view->ClearStoredIdMaps();
        // Compiled when the view is first painted: the start-up file's result view covers this
        // one before then, and a million elements' lists need not be compiled for nothing.
        view->Renderer().RenderAllAtNextDraw();
        view->InvalidateView();
        view->Renderer().AutoScale(view);
        view->Camera(CSceneView::kSceneViewport).m_rotationCentre = model.GetCenter();
    }
    else
    {
        // A new first view shows the model at once.
        CreateMainView(2, true, nullptr);
    }
    const CResultMap& results = model.GetResults();
    for (const bool tensorPass : {false, true})
    {
        for (const auto& [id, result] : fw::Assocs(results))
        {
            if (result == nullptr || !result->IsLoaded() ||
                IsTensorType(result->m_type) != tensorPass)
                continue;
            RebuildProjectTree(CCmdRecord{result, tensorPass ? CProjectTreePage::kAddTensorResult
                                                             : CProjectTreePage::kAddResult});
        }
    }
}

void CMainFrame::OnExportDeformedUnv()
{
    ExportUnv(true);
}

void CMainFrame::OnExportOriginalUnv()
{
    ExportUnv(false);
}

void CMainFrame::ExportUnv(bool deformed)
{
    if (m_pProject == nullptr)
        return;
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       "Universal File (*.unv)|*.unv||", this);
    const CString initialFolder = m_pProject->m_settings.m_fileIoFolders[CAESettings::kFolderUnv];
    dialog.m_ofn.lpstrInitialDir = initialFolder;
    if (dialog.DoModal() != IDOK)
        return;
    CWaitCursorGuard wait(&m_projectHost);
    CString path = dialog.GetPathName();
    StoreFileFolder(path, CAESettings::kFolderUnv, "UNV");
    if (!HasEndingNoCase(path, ".unv"))
        path += ".unv";
    CMDIChildWnd* child = GetActiveChildFrame();
    auto* view = child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr;
    if (view == nullptr)
    {
        // Nothing is written: saying "writing" would report a file that never comes.
        AfxMessageBox(MessageText("Error", "ExportNeedsView"), MB_OK | MB_ICONERROR);
        return;
    }
    const char* location = deformed ? "MainFrm::UNV Write" : "MainFrm::UNV Write Original";
    CEntitySet& points =
        deformed ? static_cast<CEntitySet&>(*view) : static_cast<CEntitySet&>(m_pProject->m_model);
    ShowMessageWithArg("MsgPane", "WritingFile", "message.str", path);
    theAppLog.WriteLine(0, location, " ------ START ------- ");
    ExportUnvFile(m_pProject->m_model, points, path.Str(), m_projectHost);
    theAppLog.WriteLine(0, location, " ------ End ------- ");
}

void CMainFrame::OnDropFiles(HDROP drop)
{
    // Only the first file counts; the shell's block is given back at once.
    CString path;
    if (::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0)
    {
        std::vector<char> buffer(::DragQueryFileA(drop, 0, nullptr, 0) + 1, '\0');
        if (::DragQueryFileA(drop, 0, buffer.data(), static_cast<UINT>(buffer.size())) > 0)
            path = buffer.data();
    }
    ::DragFinish(drop);
    // Refused while the start-up file is read, as the commands are.
    if (IsReadingStartUpFile())
        return;
    const CString name = FileNameOf(path);
    if (path.IsEmpty() || !IsModelFileName(name))
        return;
    if (CloseProject() == IDCANCEL)
        return;
    OpenFileInNewProject(name, path);
}
