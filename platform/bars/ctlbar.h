// CControlBar: the base of toolbars, status bars, dock bars and the program's sizeable bars.
// A bar lives in its frame's bar list from creation until WM_DESTROY, takes its thickness
// from the side of the frame named by its alignment when the frame lays out (WM_SIZEPARENT),
// updates its items from the owner frame at idle, and passes what its child controls send
// (commands, notifications, owner draw, colours) to the owner frame after its own table.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/wnd.h"

class CArchive;
class CDockBar;
class CDockContext;
class CFrameWnd;

// Bar styles (m_dwStyle); the window itself never carries them.
constexpr DWORD CBRS_NOALIGN = 0x00000000;
constexpr DWORD CBRS_FLOATING = 0x00000001;
constexpr DWORD CBRS_SIZE_FIXED = 0x00000002;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x00000004;
constexpr DWORD CBRS_HIDE_INPLACE = 0x00000008;
constexpr DWORD CBRS_TOOLTIPS = 0x00000010;
constexpr DWORD CBRS_FLYBY = 0x00000020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x00000040;
constexpr DWORD CBRS_BORDER_3D = 0x00000080;
constexpr DWORD CBRS_BORDER_LEFT = 0x00000100;
constexpr DWORD CBRS_BORDER_TOP = 0x00000200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x00000400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x00000800;
constexpr DWORD CBRS_BORDER_ANY = 0x00000F00;
constexpr DWORD CBRS_ALIGN_LEFT = 0x00001000;
constexpr DWORD CBRS_ALIGN_TOP = 0x00002000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x00004000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x00008000;
constexpr DWORD CBRS_ALIGN_ANY = 0x0000F000;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
// The usual combinations: a side and the border facing the frame's inside.
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// CalcDynamicLayout modes.
constexpr DWORD LM_STRETCH = 0x01;  // the bar takes the whole length
constexpr DWORD LM_HORZ = 0x02;     // horizontal orientation
constexpr DWORD LM_MRUWIDTH = 0x04; // the width the bar had when it last floated
constexpr DWORD LM_HORZDOCK = 0x08; // docked at the top or bottom
constexpr DWORD LM_VERTDOCK = 0x10; // docked at the left or right
constexpr DWORD LM_LENGTHY = 0x20;  // the length given is a height
constexpr DWORD LM_COMMIT = 0x40;   // the layout is applied, not only measured

namespace fw
{
struct SizeParentParams;

// The framework's border line widths: twice the system's border metrics.
int CxBorder2();
int CyBorder2();
// Space a gripper takes at the leading edge of a docked bar.
constexpr int kGripperSpace = 7;
} // namespace fw

class CControlBar : public CWnd
{
    FW_CLASS(CControlBar, CWnd)

public:
    // Delayed visibility (m_nStateFlags): applied at the next layout or idle pass.
    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2
    };

    CControlBar();
    ~CControlBar() override;

    // Styles.
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style);
    // Border space inside the bar (pixels): left and right along the length when horizontal.
    void SetBorders(int left = 0, int top = 0, int right = 0, int bottom = 0);
    void SetBorders(LPCRECT rect);
    CRect GetBorders() const;

    // Docking: the sides this bar may dock on; the first call makes its dock context.
    void EnableDocking(DWORD dockStyle);
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const;
    // Visible, or about to be shown by a delayed show.
    BOOL IsVisible() const;
    // Shows or hides at the next layout of the frame.
    void DelayShow(BOOL show);
    // Number of items (buttons, panes); 0 for bars without items.
    virtual int GetCount() const;

    // Layout: the size the bar wants; stretch asks for the whole length.
    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz);
    // length -1 with a docked mode is the fixed layout; otherwise the size for length.
    virtual CSize CalcDynamicLayout(int length, DWORD mode);
    // Shrinks rect by the borders and the gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL horz) const;
    // Updates the items from target's handlers; called at idle while the bar is visible.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);
    virtual void OnBarStyleChange(DWORD oldStyle, DWORD newStyle);

    // State kept with the dock state for bars with more to keep than their place (the
    // sizeable bars' sizes). The base keeps nothing.
    virtual void SaveExtraState(CArchive& archive) const;
    virtual void LoadExtraState(CArchive& archive);

    // Drawing of the non-client area: borders (deflating rect) and the gripper.
    virtual void DrawBorders(CDC* dc, CRect& rect);
    virtual void DrawGripper(CDC* dc, const CRect& rect);
    virtual void DoPaint(CDC* dc);

    // Applies a delayed show or hide within a layout (deferred) or at once; returns the
    // window style the bar will have.
    DWORD RecalcDelayShow(fw::SizeParentParams* layout);

    FW_MESSAGE_TABLE()

protected:
    // Child notifications the bar's own table leaves go on to the owner frame.
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);
    // The tip of a command, as the bar's command target frame words it.
    CString ToolTipOf(UINT id) const;

    // Starts a drag at a client point when the bar can be dragged; FALSE when it cannot.
    BOOL StartDragAt(CPoint clientPoint);
    // Toggles between docked and floating when the bar can be; FALSE when it cannot.
    BOOL ToggleDockingNow();
    // The frame that handles the bar's commands: the owner when it is a frame, else the
    // nearest frame above.
    CFrameWnd* GetCommandTarget() const;

public:
    DWORD m_dwStyle = 0;                    // CBRS_* bits
    DWORD m_dwDockStyle = 0;                // CBRS_ALIGN_* sides it may dock on
    CFrameWnd* m_pDockSite = nullptr;       // the frame whose bar list holds it
    CDockBar* m_pDockBar = nullptr;         // the dock bar holding it, null when not docked
    CDockContext* m_pDockContext = nullptr; // owned; made by EnableDocking
    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;
    int m_nMRUWidth = 32767; // width when it last floated (dynamic bars)
    UINT m_nStateFlags = 0;
    BOOL m_bAutoDelete = FALSE; // deleted in PostNcDestroy
};
