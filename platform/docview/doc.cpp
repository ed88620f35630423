// CDocument: views, titles, closing and routing.
#include "platform/docview/doc.h"

#include "platform/docview/doctempl.h"
#include "platform/docview/frame.h"
#include "platform/docview/position.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"

#include <algorithm>

FW_TABLE(CDocument, CCmdTarget, fw::command<ID_FILE_CLOSE, &CDocument::OnFileClose>(),
         fw::command<ID_FILE_SAVE, &CDocument::OnFileSave>(),
         fw::command<ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs>())

CDocument::~CDocument()
{
    for (CView* view : m_viewList)
        view->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const char* pathName, BOOL addToRecent)
{
    char full[MAX_PATH * 2] = {};
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(pathName, sizeof full, full, &filePart);
    m_strPathName = length > 0 && length < sizeof full ? CString(full) : CString(pathName);
    m_bEmbedded = FALSE;
    const int slash = m_strPathName.ReverseFind('\\');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (addToRecent)
    {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL modified)
{
    m_bModified = modified;
}

POSITION CDocument::GetFirstViewPosition() const
{
    return fw::FirstPosition(m_viewList);
}

CView* CDocument::GetNextView(POSITION& position) const
{
    return fw::NextAt(m_viewList, position);
}

void CDocument::AddView(CView* view)
{
    if (!view || view->m_pDocument == this)
        return;
    m_viewList.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    const auto found = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (found == m_viewList.end())
        return;
    m_viewList.erase(found);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    // A view's OnUpdate may close views: walk a copy.
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views)
    {
        if (view != sender &&
            std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end())
            view->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // Number the visible frames 1, 2... in view order; a single frame gets 0 (no number).
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_viewList)
    {
        if (!view->m_hWnd || !view->IsWindowVisible())
            continue;
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i]->m_nWindow = frames.size() == 1 ? 0 : static_cast<int>(i + 1);
    for (CFrameWnd* frame : frames)
        frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Closing frames must not delete the document before its contents go.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty())
    {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame)
        {
            PreCloseFrame(frame);
            frame->DestroyWindow(); // destroys the view too
        }
        else
        {
            view->DestroyWindow();
        }
        // A view that outlived its window (or never had one) must not keep the loop going.
        if (!m_viewList.empty() && m_viewList.front() == view)
            RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    // Another frame still shows the document: nothing to ask.
    for (CView* view : m_viewList)
    {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->m_nWindow > 0)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty())
    {
        name = m_strTitle;
        if (name.IsEmpty())
            fw::LoadResourceString(AFX_IDS_UNTITLED, name);
    }
    else
    {
        name = name.Mid(name.ReverseFind('\\') + 1);
    }
    const CString prompt = fw::FormatString1(AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::DoFileSave()
{
    // A read-only or vanished file is saved under a new name.
    const DWORD attributes = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const char* pathName, BOOL replace)
{
    CString newName = pathName ? pathName : "";
    if (newName.IsEmpty())
    {
        newName = m_strPathName;
        if (replace && newName.IsEmpty())
        {
            // The title, cut at the first character that cannot start a good file name.
            newName = m_strTitle;
            const int bad = newName.FindOneOf(" #%;/\\");
            if (bad >= 0)
                newName.Truncate(bad);
            CString extension;
            if (m_pDocTemplate &&
                m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt) &&
                !extension.IsEmpty())
                newName += extension;
        }
        CWinApp* app = AfxGetApp();
        if (!app ||
            !app->DoPromptFileName(newName, replace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    CWaitCursor wait;
    if (!OnSaveDocument(newName))
        return FALSE;
    if (replace)
        SetPathName(newName);
    return TRUE;
}

HMENU CDocument::GetDefaultMenu()
{
    return nullptr;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return nullptr;
}

void CDocument::OnIdle()
{
}

BOOL CDocument::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    if (CCmdTarget::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, extra, handlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
