// CDocument: what a set of views shows. It knows its views, its template, title, path and
// modified state; it closes (and deletes itself) with its last view, asks to save changes
// before it closes, and routes commands on to its template.
#pragma once

#include "platform/base/string.h"
#include "platform/win/cmdtarget.h"

#include <vector>

class CDocTemplate;
class CFrameWnd;
class CView;
class CException;

class CDocument : public CCmdTarget
{
    FW_CLASS(CDocument, CCmdTarget)

public:
    CDocument() = default;
    // Leaves its template; views still attached forget it.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the full path, takes the file name as title and, with addToRecent, puts the
    // path on the application's recent-file list.
    virtual void SetPathName(const char* pathName, BOOL addToRecent = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL modified = TRUE);

    // Views, in the order they joined.
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& position) const;
    void AddView(CView* view);
    // The last view leaving closes an auto-deleting document.
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    virtual void OnChangedViewList();
    // Window numbers ":1", ":2" for a document shown in several frames, and their titles.
    void UpdateFrameCounts();

    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* pathName);
    virtual BOOL OnSaveDocument(const char* pathName);
    // Destroys every frame showing the document, then the contents, then (auto-delete) the
    // document itself.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(const char* pathName, CException* e, BOOL saving,
                                         UINT defaultPromptId);

    // Closing: CanCloseFrame asks to save when the frame is the document's last one.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    // Asks "Save changes to ...?": FALSE when the user cancels or saving fails.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* frame);
    // Saves to pathName, or asks for a name when it is null; replace makes it the new path.
    virtual BOOL DoSave(const char* pathName, BOOL replace = TRUE);
    virtual BOOL DoFileSave();

    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();
    virtual void OnIdle();

    // Its own table, then its template's.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    FW_MESSAGE_TABLE()

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE; // deleted when its last view goes
    BOOL m_bEmbedded = FALSE;

private:
    std::vector<CView*> m_viewList;
};
