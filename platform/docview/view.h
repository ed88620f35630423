// CView: a child window that shows a document. It joins the document named by its creation
// context, paints through OnPrepareDC and OnDraw, takes the focus and becomes its frame's
// active view on a click, routes commands on to its document, and deletes itself when its
// window goes (leaving its document, which closes with its last view).
#pragma once

#include "platform/win/wnd.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;
struct CPrintInfo;

// What a frame needs to make its view: the view class, the document it shows and the
// template they belong to.
struct CCreateContext
{
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CView : public CWnd
{
    FW_CLASS(CView, CWnd)

public:
    CView() = default;
    // Leaves the document (which closes when this was its last view).
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once the frame is complete (WM_INITIALUPDATE); the default calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints everything.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    // The view becomes or stops being its frame's active view; an activated view takes the
    // focus when its top-level window is active.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    virtual void OnActivateFrame(UINT state, CFrameWnd* frame);

    // Printing steps, for views that print; the job that calls them is in print.cpp.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // The print commands: the print dialog (none for ID_FILE_PRINT_DIRECT) and the pages; the
    // default printer's pages in the preview frame.
    void OnFilePrint();
    void OnFilePrintPreview();

    // The view's own table, then its document's routing.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    // Scroll bars lie outside the client area when the frame places the view.
    void CalcWindowRect(LPRECT clientRect, UINT adjustType = adjustBorder) override;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // The printer of the job into info: the print dialog's, or the default printer's for a
    // direct print or a preview. FALSE when the user cancels or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* info);

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
};
