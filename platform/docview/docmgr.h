// CDocManager: the application's document templates (owned, in the order added) and what
// spans them: opening a file with the best template, saving and closing every document, and
// the file dialogs of New, Open and Save As.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"

#include <vector>

class CDocTemplate;
class CDocument;

class CDocManager : public CObject
{
    FW_CLASS(CDocManager, CObject)

public:
    CDocManager() = default;
    // Deletes the templates.
    ~CDocManager() override;
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    // Takes ownership; the template reads its resources now.
    virtual void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& position) const;

    // An open document of that path is shown again; otherwise the template that best
    // matches the file opens it. Null (after a message) when nothing can.
    virtual CDocument* OpenDocumentFile(const char* fileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);
    virtual int GetOpenDocumentCount();
    // The open or save dialog, filtered by the templates' file types; FALSE on Cancel.
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFile,
                                  CDocTemplate* docTemplate);

    // A new document of the first template (this program has one); Open asks for a file.
    virtual void OnFileNew();
    virtual void OnFileOpen();

private:
    std::vector<CDocTemplate*> m_templateList; // owned
};
