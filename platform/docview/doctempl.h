// CDocTemplate and CMultiDocTemplate: a document class, its frame class and view class under
// one resource id (the document string, menu and accelerators). The template makes documents
// and frames for them and keeps the list of its open documents.
#pragma once

#include "platform/base/string.h"
#include "platform/win/cmdtarget.h"

#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    FW_CLASS(CDocTemplate, CCmdTarget)

public:
    // The seven "\n"-separated fields of the document string.
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& position) const = 0;
    // A document joins the template (and learns it); a document made by program code joins
    // when a frame is made for it.
    virtual void AddDocument(CDocument* document);
    virtual void RemoveDocument(CDocument* document);

    // FALSE when the field is empty or missing.
    virtual BOOL GetDocString(CString& text, DocStringIndex index) const;
    // Reads the document string (and, for several documents, the shared menu).
    virtual void LoadTemplate();

    virtual CDocument* CreateNewDocument();
    // A frame (and its view) for document, loaded from the template's resource; null when
    // it cannot be made (the frame has deleted itself then).
    virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
    // A new document (null path) or the file opened, shown in a new frame.
    virtual CDocument* OpenDocumentFile(const char* pathName, BOOL makeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* document) = 0;
    virtual Confidence MatchDocType(const char* pathName, CDocument*& match);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);
    virtual void OnIdle();

    UINT GetResourceId() const { return m_nIDResource; }

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete = TRUE;

protected:
    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);

    // Documents of the template, in the order they joined.
    std::vector<CDocument*> m_docList;
};

class CMultiDocTemplate : public CDocTemplate
{
    FW_CLASS(CMultiDocTemplate, CDocTemplate)

public:
    CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                      const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);
    // Closes nothing: the documents must be gone. Frees the shared menu.
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& position) const override;
    CDocument* OpenDocumentFile(const char* pathName, BOOL makeVisible = TRUE) override;
    // "<docName><n>", counting untitled documents from 1.
    void SetDefaultTitle(CDocument* document) override;

    HMENU m_hMenuShared = nullptr; // the menu shown while one of its documents is active
    HACCEL m_hAccelTable = nullptr;
    UINT m_nUntitledCount = 0;
};
