// The document manager.
#include "platform/docview/docmgr.h"

#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/frame.h"
#include "platform/docview/position.h"
#include "platform/docview/view.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"

#include <commdlg.h>
#include <vector>

namespace
{
// "Name (*.ext)\0*.ext\0" for a template with a file type.
void AppendFilter(CString& filter, CDocTemplate* docTemplate, CString* defaultExtension)
{
    CString name;
    CString extension;
    if (!docTemplate->GetDocString(name, CDocTemplate::filterName) ||
        !docTemplate->GetDocString(extension, CDocTemplate::filterExt))
        return;
    if (defaultExtension && defaultExtension->IsEmpty())
        *defaultExtension = extension.Mid(1);
    filter += name;
    filter += '\n';
    filter += "*" + extension;
    filter += '\n';
}
} // namespace

CDocManager::~CDocManager()
{
    for (CDocTemplate* docTemplate : m_templateList)
        delete docTemplate;
}

void CDocManager::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (!docTemplate)
        return;
    docTemplate->LoadTemplate();
    m_templateList.push_back(docTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return fw::FirstPosition(m_templateList);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& position) const
{
    return fw::NextAt(m_templateList, position);
}

CDocument* CDocManager::OpenDocumentFile(const char* fileName)
{
    // A quoted name loses its quotes; the path is made full.
    CString name = fileName ? fileName : "";
    name.Trim('"');
    char full[MAX_PATH * 2] = {};
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(name, sizeof full, full, &filePart);
    const CString path = length > 0 && length < sizeof full ? CString(full) : name;

    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* open = nullptr;
    for (CDocTemplate* docTemplate : m_templateList)
    {
        const CDocTemplate::Confidence match = docTemplate->MatchDocType(path, open);
        if (match > bestMatch)
        {
            bestMatch = match;
            best = docTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (open)
    {
        // Already open: show its first frame, and the main window.
        POSITION position = open->GetFirstViewPosition();
        if (position)
        {
            CFrameWnd* frame = open->GetNextView(position)->GetParentFrame();
            if (frame)
                frame->ActivateFrame();
            CWnd* main = AfxGetMainWnd();
            if (main && main != frame && main->IsFrameWnd())
                static_cast<CFrameWnd*>(main)->ActivateFrame();
        }
        return open;
    }
    if (!best)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return best->OpenDocumentFile(path);
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* docTemplate : m_templateList)
    {
        if (!docTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL endSession)
{
    for (CDocTemplate* docTemplate : m_templateList)
        docTemplate->CloseAllDocuments(endSession);
}

int CDocManager::GetOpenDocumentCount()
{
    int count = 0;
    for (CDocTemplate* docTemplate : m_templateList)
    {
        POSITION position = docTemplate->GetFirstDocPosition();
        while (position)
        {
            docTemplate->GetNextDoc(position);
            ++count;
        }
    }
    return count;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFile,
                                   CDocTemplate* docTemplate)
{
    CString filter;
    CString defaultExtension;
    if (docTemplate)
    {
        AppendFilter(filter, docTemplate, &defaultExtension);
    }
    else
    {
        for (CDocTemplate* each : m_templateList)
            AppendFilter(filter, each, &defaultExtension);
    }
    CString allFilter;
    fw::LoadResourceString(AFX_IDS_ALLFILTER, allFilter);
    filter += allFilter.IsEmpty() ? CString("All Files (*.*)") : allFilter;
    filter += "\n*.*\n";
    // The dialog wants zero bytes between the pieces.
    std::vector<char> filterBytes(filter.GetString(), filter.GetString() + filter.GetLength() + 1);
    for (char& c : filterBytes)
    {
        if (c == '\n')
            c = '\0';
    }
    filterBytes.push_back('\0');

    char path[MAX_PATH * 2] = {};
    lstrcpynA(path, fileName, sizeof path);
    CString title;
    if (titleId)
        fw::LoadResourceString(titleId, title);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    CWnd* main = AfxGetMainWnd();
    ofn.hwndOwner = main ? main->m_hWnd : nullptr;
    ofn.lpstrFilter = filterBytes.data();
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = title.IsEmpty() ? nullptr : title.GetString();
    ofn.lpstrDefExt = defaultExtension.IsEmpty() ? nullptr : defaultExtension.GetString();
    ofn.Flags = flags | OFN_EXPLORER | (openFile ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    const BOOL chosen =
        openFile ? sys::Get().GetOpenFileName(&ofn) : sys::Get().GetSaveFileName(&ofn);
    if (chosen)
        fileName = path;
    return chosen;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.empty())
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          nullptr))
        return;
    if (CWinApp* app = AfxGetApp())
        app->OpenDocumentFile(name);
}
