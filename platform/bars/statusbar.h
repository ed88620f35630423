// CStatusBar: the common-controls status bar as a control bar. Each pane has an id, a style,
// a width and a text; the first pane stretches and shows the frame's messages (the window
// text of the bar is pane 0). Indicator panes (ID_INDICATOR_CAPS...) show their string while
// their update handler enables them, and follow the keyboard's lock keys when none does.
#pragma once

#include "platform/bars/ctlbar.h"
#include "platform/win/platform_ids.h"

#include <commctrl.h>
#include <vector>

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_OWNERDRAW = SBT_OWNERDRAW;
constexpr UINT SBPS_DISABLED = 0x04000000; // the text is kept but not shown
constexpr UINT SBPS_STRETCH = 0x08000000;  // takes the width the other panes leave

class CStatusBar : public CControlBar
{
    FW_CLASS(CStatusBar, CControlBar)

public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);

    // One pane per id; an indicator's text is its string resource and sets its width.
    BOOL SetIndicators(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    // The pane's rectangle in the bar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    CString GetPaneText(int index) const;
    BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
    int GetCount() const override;

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    FW_MESSAGE_TABLE()

protected:
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnNcHitTest(CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

private:
    struct Pane
    {
        UINT id;
        UINT style;
        int width; // pixels, without the pane's borders; unused while stretching
        CString text;
    };

    // Gives the control the panes' right edges.
    void UpdateParts();
    // Shows a pane's text as its style says (blank while disabled).
    void ShowPaneText(int index);
    int TextWidth(const char* text) const;
    bool IsPane(int index) const;

    std::vector<Pane> m_panes;
};
