// Document templates.
#include "platform/docview/doctempl.h"

#include "platform/docview/doc.h"
#include "platform/docview/frame.h"
#include "platform/docview/position.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"

#include <algorithm>
#include <cstring>

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId)
    , m_pDocClass(docClass)
    , m_pFrameClass(frameClass)
    , m_pViewClass(viewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    // Documents still open forget the template rather than point at freed memory.
    for (CDocument* document : m_docList)
        document->m_pDocTemplate = nullptr;
}

void CDocTemplate::AddDocument(CDocument* document)
{
    if (!document || document->m_pDocTemplate == this)
        return;
    if (document->m_pDocTemplate)
        document->m_pDocTemplate->RemoveDocument(document);
    m_docList.push_back(document);
    document->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* document)
{
    const auto found = std::find(m_docList.begin(), m_docList.end(), document);
    if (found == m_docList.end())
        return;
    m_docList.erase(found);
    document->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const
{
    return fw::ExtractSubString(text, m_strDocStrings, static_cast<int>(index)) && !text.IsEmpty();
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        fw::LoadResourceString(m_nIDResource, m_strDocStrings);
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(object);
    if (!document)
    {
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other)
{
    // A document made by program code joins the template here.
    if (document && !document->GetDocTemplate())
        AddDocument(document);
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = document;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame)
    {
        delete object;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr; // the frame deleted itself
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible)
{
    frame->InitialUpdateFrame(document, makeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* pathName, CDocument*& match)
{
    match = nullptr;
    POSITION position = GetFirstDocPosition();
    while (position)
    {
        CDocument* document = GetNextDoc(position);
        if (document->GetPathName().CompareNoCase(pathName) == 0)
        {
            match = document;
            return yesAlreadyOpen;
        }
    }
    CString extension;
    if (GetDocString(extension, filterExt))
    {
        const char* dot = std::strrchr(pathName, '.');
        if (dot && extension.CompareNoCase(dot) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified()
{
    const std::vector<CDocument*> documents = m_docList;
    for (CDocument* document : documents)
    {
        if (std::find(m_docList.begin(), m_docList.end(), document) != m_docList.end() &&
            !document->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // Each close removes (and usually deletes) the document: take them from the front.
    while (!m_docList.empty())
    {
        CDocument* document = m_docList.front();
        document->OnCloseDocument();
        // A document that stays (no auto-delete) leaves the list so the loop ends.
        if (!m_docList.empty() && m_docList.front() == document)
            RemoveDocument(document);
    }
}

void CDocTemplate::OnIdle()
{
    for (CDocument* document : m_docList)
        document->OnIdle();
}

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                     const CRuntimeClass* frameClass,
                                     const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && !m_hMenuShared)
    {
        m_hMenuShared = fw::LoadResourceMenu(m_nIDResource);
        m_hAccelTable = fw::LoadResourceAccelerators(m_nIDResource);
    }
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return fw::FirstPosition(m_docList);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& position) const
{
    return fw::NextAt(m_docList, position);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* pathName, BOOL makeVisible)
{
    CDocument* document = CreateNewDocument();
    if (!document)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    // Nothing must delete the document while its frame is being made.
    const BOOL autoDelete = document->m_bAutoDelete;
    document->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(document, nullptr);
    document->m_bAutoDelete = autoDelete;
    if (!frame)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete document;
        return nullptr;
    }
    if (!pathName)
    {
        SetDefaultTitle(document);
        if (!makeVisible)
            document->m_bEmbedded = TRUE;
        // A failure destroys the frame, whose view takes the document with it.
        if (!document->OnNewDocument())
        {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    }
    else
    {
        CWaitCursor wait;
        if (!document->OnOpenDocument(pathName))
        {
            frame->DestroyWindow();
            return nullptr;
        }
        document->SetPathName(pathName);
    }
    InitialUpdateFrame(frame, document, makeVisible);
    return document;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* document)
{
    CString title;
    if (!GetDocString(title, docName))
        fw::LoadResourceString(AFX_IDS_UNTITLED, title);
    title.AppendFormat("%u", m_nUntitledCount + 1);
    document->SetTitle(title);
}
