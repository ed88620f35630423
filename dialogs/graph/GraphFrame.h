// The graph window a command opens: a frame with a toolbar (point display, print) and a status
// bar around a pane that owns the graph, lays it out on every size change and paints it.
//
// A caller constructs the frame on the heap, creates it, fills the graph through
// GetPane().GetView() (series first, then titles) and then calls ShowGraph; the frame deletes
// itself when the user closes it.
#pragma once

#include "dialogs/graph/GraphView.h"
#include "platform/bars/statusbar.h"
#include "platform/bars/toolbar.h"
#include "platform/docview/frame.h"

class CGraphWnd : public CWnd
{
public:
    CGraphWnd() = default;
    ~CGraphWnd() override;

    // Null until the window is created.
    CGraphView* GetView() { return m_view.get(); }
    bool AreMarksHidden() const { return m_marksHidden != 0; }

    // The graph laid out for the client area with the current point-display state.
    void Relayout();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    FW_MESSAGE_TABLE()
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    int OnCreate(LPCREATESTRUCTA cs);
    void OnPointDisplay();
    void OnPrint();

private:
    RECT m_clientRect = {};
    int m_marksHidden = 1;
    std::unique_ptr<CGraphView> m_view;
};

class CGraphFrame : public CFrameWnd
{
public:
    FW_CREATABLE(CGraphFrame, CFrameWnd)

    CGraphFrame() = default;
    ~CGraphFrame() override = default;

    // Shows the frame (its first layout) and then, once, what the graph could not draw.
    void ShowGraph();

    CGraphWnd& GetPane() { return m_pane; }
    CToolBar& GetToolBar() { return m_toolBar; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    // The buttons' prompts and tips in the program's language ("standard.str", "Prompt" and
    // "ToolTip"), the resource strings where the string files lack them.
    void GetMessageString(UINT id, CString& message) const override;
    void GetToolTipString(UINT id, CString& tip) const override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    FW_MESSAGE_TABLE()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSetFocus(CWnd* oldWnd);

private:
    CGraphWnd m_pane;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
};
