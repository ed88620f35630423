// CWinApp's document side: templates through the document manager, the standard file,
// recent-file and exit commands.
#include "platform/docview/docmgr.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/frame.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/recentfiles.h"

#include <commdlg.h>

FW_TABLE(CWinApp, CWinThread, fw::command<ID_APP_EXIT, &CWinApp::OnAppExit>(),
         fw::update<ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu>(),
         fw::command_range<ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile>())

void CWinApp::DeleteDocManager()
{
    delete m_pDocManager;
    m_pDocManager = nullptr;
}

void CWinApp::IdleTemplates()
{
    if (!m_pDocManager)
        return;
    POSITION position = m_pDocManager->GetFirstDocTemplatePosition();
    while (position)
        m_pDocManager->GetNextDocTemplate(position)->OnIdle();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (!m_pDocManager)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(docTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& position) const
{
    return m_pDocManager->GetNextDocTemplate(position);
}

CDocument* CWinApp::OpenDocumentFile(const char* fileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(fileName) : nullptr;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(endSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFile,
                               CDocTemplate* docTemplate)
{
    if (!m_pDocManager)
        m_pDocManager = new CDocManager;
    return m_pDocManager->DoPromptFileName(fileName, titleId, flags, openFile, docTemplate);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (!m_pDocManager)
        m_pDocManager = new CDocManager;
    m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    CWnd* main = AfxGetMainWnd();
    pd.hwndOwner = main ? main->m_hWnd : nullptr;
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (sys::Get().PrintDlg(&pd))
    {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_pRecentFileList)
        return FALSE;
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return FALSE;
    const CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return FALSE;
    // A file that no longer opens leaves the list.
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(cmdUI);
    else
        cmdUI->Enable(FALSE);
}

void CWinApp::OnHelp()
{
    CWnd* main = AfxGetMainWnd();
    if (main && !main->SendMessage(WM_COMMANDHELP, 0, 0))
        main->SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}
