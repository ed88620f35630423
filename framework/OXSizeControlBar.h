// COXSizeControlBar: a dockable bar whose size the user sets. It keeps one size for docking at
// the top or bottom, one for the left or right and one for floating; draws its own caption
// (a title bar or two grip lines) with close and maximize buttons; offers a context menu with
// its docking commands; knows whether the focus is inside it (active caption); and lets
// derived bars fit their child window after every change of size or floating state.
#pragma once

#include "framework/OXDockMessages.h"
#include "platform/bars/ctlbar.h"
#include "platform/docview/frame.h"
#include "platform/win/gdiobj.h"

#include <optional>

class CMenu;

class COXSizeControlBar : public CControlBar
{
    FW_CLASS(COXSizeControlBar, CControlBar)

public:
    // Bar style bits: the constructor's argument.
    enum BarStyle : DWORD
    {
        deleteOnClose = 0x0001,   // closing its resizable floating frame deletes the bar
        listed = 0x0002,          // in the process-wide list: destroyed with its frame
        contextMenu = 0x0004,     // WM_CONTEXTMENU shows the bar's menu
        mdiFloatCommand = 0x0010, // the menu offers floating as an MDI child
        noCaption = 0x0020,
        noCloseButton = 0x0040,
        noMaximizeButton = 0x0080,
        noTitle = 0x0100,
        solidCaption = 0x0200 // a filled title bar, 8-point title; else grip lines, 10-point
    };
    // Which caption button the mouse holds down.
    enum TrackedButton
    {
        trackNone = -1,
        trackMaximize = -2,
        trackClose = -3
    };
    // OnBarResized change flags.
    enum ResizeFlags
    {
        sizeChanged = 1,
        floatingChanged = 2
    };

    explicit COXSizeControlBar(DWORD barStyle);
    ~COXSizeControlBar() override;

    // The style is masked to the bar bits (CBRS_ALL); a default rectangle takes the
    // bottom-right quarter-height half of the parent's client area. The window clips children.
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr) override;
    BOOL CreateBar(CWnd* parent, const char* title, UINT id,
                   DWORD style = WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                   const RECT& rect = CFrameWnd::rectDefault);
    // The sides the bar may dock on; the first call makes its own drag-dock context. The owner
    // becomes the parent unless one was set.
    void EnableDocking(DWORD dockStyle);
    // The focus is in the bar: the caption shows active, the frame remembers the bar; with
    // deactivateOthers the frame's other sizeable bars go inactive.
    void SetActive(BOOL active, BOOL deactivateOthers);
    BOOL IsActive() const { return m_bActive; }
    BOOL IsMaximized() const { return m_bMaximized; }
    DWORD GetSizeBarStyle() const { return m_dwSizeBarStyle; }
    // Floating inside the MDI client, in an MDI float window.
    BOOL IsMDIFloating() const;

    // Destroys the listed bars of frame (and deletes those whose windows are gone).
    static void DestroyFrameBars(CFrameWnd* frame);
    // The listed bars, last registered last.
    static int ListedBarCount();

    // Layout: the floating, horizontal or vertical size.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The three sizes travel with the dock state.
    void SaveExtraState(CArchive& archive) const override;
    void LoadExtraState(CArchive& archive) override;

    // Own virtuals.
    virtual BOOL CanMaximizeInRow();
    virtual void PaintNonClientArea();
    virtual void CreateTitleFont();
    // After the size (flags & sizeChanged) or the floating state (floatingChanged) changed.
    virtual void OnBarResized(int cx, int cy, BOOL floating, int flags);
    virtual void DrawCaption(CDC* dc);
    virtual void DrawCloseButton(CDC* dc);
    virtual void DrawMaximizeButton(CDC* dc);
    virtual void ShowContextMenu(CWnd* wnd, CPoint point);
    // Appends the bar's commands (float as MDI child, allow docking, hide) to menu.
    void AppendContextMenuItems(CMenu* menu);

    // Caption geometry in client coordinates (empty when not drawn).
    const CRect& GetCaptionRect() const { return m_rectCaption; }
    const CRect& GetCloseButtonRect() const { return m_rectCloseButton; }
    const CRect& GetMaximizeButtonRect() const { return m_rectMaximizeButton; }
    int GetTrackedButton() const { return m_nTrackedButton; }

    FW_MESSAGE_TABLE()

    CSize m_sizeFloat;
    CSize m_sizeHorzDock;
    CSize m_sizeVertDock;
    // Saved by the dock bar's maximize, put back on restore; none outside a maximized row.
    std::optional<CSize> m_sizeBeforeMaximize;
    DWORD m_dwSavedDockSides = 0; // sides the allow-docking command switched off
    BOOL m_bMaximized = FALSE;

protected:
    // Non-client geometry: a border all round, and docked a caption strip with its buttons.
    static constexpr int kBorder = 5;
    static constexpr int kCaptionWidth = 11;
    static constexpr int kCaptionSpace = kBorder + kCaptionWidth;
    static constexpr int kButtonStep = 13; // a button and the gap after it

    // Docked horizontally: at the top or bottom.
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL HasCaption() const;
    void RecalcCaptionRects();
    // Draws both caption buttons at once, as they are now.
    void RedrawButtons();
    // The frame the bar's activity is reported to: its parent frame, or that frame's
    // top-level frame while floating.
    CFrameWnd* GetActivityFrame() const;

    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnContextMenu(CWnd* wnd, CPoint point);
    LRESULT OnAppendContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloated(WPARAM wParam, LPARAM lParam);
    void OnAllowDocking();
    void OnHideBar();
    void OnMDIFloat();

private:
    // Command 26433 on a bar floating as an MDI child: docks it where it was last docked.
    void DockBackFromMDIClient();
    // The caption button under a client point: trackClose, trackMaximize (only when it can
    // maximize) or trackNone.
    int ButtonAt(CPoint point);
    // Returns where the text ends along the caption (its top for an upright caption).
    int DrawCaptionText(CDC* dc, const CRect& caption, bool horzCaption, const CString& title);
    void DrawGripLines(CDC* dc, const CRect& caption, bool horzCaption, int textEnd);

    DWORD m_dwSizeBarStyle;
    int m_nLastWidth = 65535;
    int m_nLastHeight = 65535;
    int m_nLastFloating = 3; // neither 0 nor 1: the first change always counts
    CFont m_fontTitle;
    CRect m_rectCaption;
    CRect m_rectCloseButton;
    CRect m_rectMaximizeButton;
    int m_nTrackedButton = trackNone;
    BOOL m_bActive = FALSE;
};
