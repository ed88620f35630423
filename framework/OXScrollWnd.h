// COXScrollWnd: a child window that scrolls a logical drawing surface as a document view does
// (scroll sizes in a mapping mode, positions in logical units, keyboard and wheel scrolling)
// and zooms it from 10 % to 1000 %: to a level, to fit the window, to a rectangle or to a
// dragged band. Smooth page scrolling, alignment of a content smaller than the window, and a
// context menu offering all of these. Every scroll call goes through GetScrollBarCtrl, so a
// window that lends itself a sibling's scroll bars scrolls with them.
#pragma once

#include "platform/win/wnd.h"

#include <windows.h>

class CBrush;
class CDC;
class CMenu;
struct CPrintInfo;

class COXScrollWnd : public CWnd
{
    FW_CREATABLE(COXScrollWnd, CWnd)

public:
    // The point of the window that keeps its place when zooming, and that scroll positions
    // refer to.
    enum ScrollAnchor
    {
        anchorStored = 0, // as an argument: the window's own anchor
        anchorTopLeft = 1,
        anchorBottomLeft = 2,
        anchorCenter = 3
    };
    // Where a content smaller than the window sits, along each axis on which it is smaller.
    enum ContentAlignment
    {
        alignTopLeft,
        alignTopCenter,
        alignTopRight,
        alignCenterLeft,
        alignCenter,
        alignCenterRight,
        alignBottomLeft,
        alignBottomCenter,
        alignBottomRight
    };
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 1000;

    COXScrollWnd();
    ~COXScrollWnd() override;

    // Sizes in logical units of mapMode; a zero page or line size takes one tenth of the total
    // or of the page (per axis, in device units).
    void SetScrollSizes(int mapMode, SIZE sizeTotal, SIZE sizePage = SIZE{0, 0},
                        SIZE sizeLine = SIZE{0, 0});
    // MM_ANISOTROPIC: the logical rectangle shows as sizeDevice pixels at zoom 100 (upwards
    // when its bottom is above its top); page and line sizes are percentages of the client.
    void SetScrollSizesFromRect(SIZE sizeDevice, const RECT& rectLogical, SIZE pagePercent,
                                SIZE linePercent);
    int GetMapMode() const { return m_nMapMode; }
    CSize GetTotalSize() const { return m_totalLog; }
    // In device units at the present zoom.
    CSize GetDeviceTotalSize() const { return m_totalDev; }
    CSize GetDevicePageSize() const { return m_pageDev; }
    CSize GetDeviceLineSize() const { return m_lineDev; }

    // The logical point at the anchor, and scrolling so that a logical point is there.
    CPoint GetScrollPosition(int anchor = anchorStored) const;
    void ScrollToPosition(POINT logical, int anchor = anchorStored);
    // The two scroll-bar positions.
    CPoint GetDeviceScrollPosition() const;

    // Clamped to 10 ... 1000; keeps the logical point at the anchor in place. Returns the
    // previous level.
    int SetZoomLevel(int percent, int anchor = anchorStored);
    int GetZoomLevel() const { return m_nZoomLevel; }
    void ZoomToWindow();
    // rect in client coordinates; it is clipped to the content first.
    void ZoomToRectangle(const RECT& rect, int anchor = anchorStored);
    void SetScrollAnchor(int anchor) { m_nScrollAnchor = anchor; }
    int GetScrollAnchor() const { return m_nScrollAnchor; }
    void SetContentAlignment(int alignment);
    int GetContentAlignment() const { return m_nContentAlignment; }
    // Resizes the window so that its client area holds the zoomed content.
    void SizeToContent();

    // Scaling by the zoom factor (multiply by zoom / 100, or divide).
    void ZoomSize(CSize& size) const;
    void UnzoomSize(CSize& size) const;
    void ZoomRect(CRect& rect) const;
    void UnzoomRect(CRect& rect) const;
    // Between a printer's and the screen's logical pixels per inch.
    static void PrinterToScreen(CDC* printer, CSize& size);
    static void ScreenToPrinter(CDC* printer, CSize& size);

    void SetSmoothScrolling(BOOL smooth) { m_bSmoothScroll = smooth; }
    BOOL GetSmoothScrolling() const { return m_bSmoothScroll; }
    void SetSmoothScrollSteps(int lineSteps, int pageSteps, int delayMs);
    void SetAlwaysFitWindow(BOOL alwaysFit);
    BOOL GetAlwaysFitWindow() const { return m_bAlwaysFit; }
    void SetUseTrackZoom(BOOL trackZoom) { m_bTrackZoom = trackZoom; }
    BOOL GetUseTrackZoom() const { return m_bTrackZoom; }
    void EnableContextMenu(BOOL enable) { m_bContextMenu = enable; }
    BOOL IsContextMenuEnabled() const { return m_bContextMenu; }

    // Fills what the content leaves of the client area; dc in client (device) coordinates.
    virtual void FillOutsideRect(CDC* dc, CBrush* brush);
    // Runs once, after WM_CREATE or when an existing window is subclassed; FALSE fails the
    // creation.
    virtual BOOL Initialize();
    // Mapping mode, zoom and origin for drawing; printing sets only the mapping.
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    // One scroll-bar action: the horizontal code in the low byte, the vertical one in the high
    // byte, 0xFF for none.
    virtual BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
    // By a distance in device units; FALSE when nothing moves.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE);
    // Page (or line) scrolling in steps.
    virtual BOOL SmoothScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
    // May change the menu or the point (screen coordinates); FALSE shows no menu.
    virtual BOOL PrepareContextMenu(CMenu* popup, CPoint& point);
    // Keyboard scrolling; TRUE when the key was used.
    virtual BOOL OnKeyScroll(UINT key, UINT repeat, UINT flags);

    BOOL PreTranslateMessage(MSG* msg) override;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;

    // Shows, hides and ranges the scroll bars for the present sizes and zoom.
    void UpdateBars();
    // Moves the scroll bars and the contents to a device position.
    void ScrollToDevicePosition(POINT devicePos);
    // Where the content's top-left corner is in client coordinates.
    CPoint GetContentOrigin() const;
    // The part of the client area that shows content.
    CRect VisibleContent() const;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSize(UINT type, int cx, int cy);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnZoomLevel(UINT id);
    void OnZoomToContent();
    void OnAlwaysFitWindow();
    void OnUseTrackZoom();
    void OnSmoothScrolling();

private:
    // Mapping of a DC for this window: mode, extents and (unless printing) the zoom.
    void ApplyMapping(HDC dc, bool withZoom) const;
    // Conversions with the window origin at the content's corner and no scrolling.
    CPoint DeviceToLogical(POINT device, bool withZoom = true) const;
    CPoint LogicalToDevice(POINT logical, bool withZoom = true) const;
    CSize LogicalToDeviceSize(SIZE logical, bool withZoom) const;
    // The device offset of the anchor point from the scroll position.
    CSize AnchorOffset(int anchor) const;
    // The client size plus the room of the window's own visible scroll bars.
    CSize GetAvailableSize(CSize& barRoom) const;
    bool IsBarUsable(int bar) const;
    // Shows or enables the bar as needed and sets its range, page and position.
    void SetBar(int bar, bool isNeeded, int total, int view, int pos);
    void ComputeDeviceSizes();
    void RunInitialize();
    // The zoom at which sizeLogical fills the client area.
    int ZoomToFit(SIZE sizeLogical) const;
    void TrackZoom(CPoint point);
    void BuildContextMenu(CMenu& popup) const;

    int m_nMapMode = 0;
    CSize m_totalLog;
    CRect m_rectContent; // logical; bottom negative in modes other than MM_TEXT
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    CSize m_viewportExt; // sizes from a rectangle: device extent at zoom 100
    CSize m_pagePercent; // sizes from a rectangle: of the client size
    CSize m_linePercent;
    BOOL m_bFromRect = FALSE;
    int m_nZoomLevel = 100;
    int m_nScrollAnchor = anchorTopLeft;
    int m_nContentAlignment = alignTopLeft;
    BOOL m_bSmoothScroll = FALSE;
    int m_nLineSteps = 4;
    int m_nPageSteps = 12;
    int m_nStepDelay = 10; // milliseconds
    BOOL m_bSmoothScrolling = FALSE;
    BOOL m_bAlwaysFit = FALSE;
    BOOL m_bContextMenu = TRUE;
    BOOL m_bTrackZoom = FALSE;
    BOOL m_bInsideUpdate = FALSE;
    bool m_isCreating = false;
    bool m_isInitialized = false;
};
