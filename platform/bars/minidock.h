// CMiniFrameWnd: a frame with a small caption (a tool window), owned by a frame; its
// MFS_* style bits choose how its borders behave. CMiniDockFrameWnd: the floating frame of
// bars, holding one floating dock bar (AFX_IDW_DOCKBAR_FLOAT). A press on its caption drags
// its bar, a press on a border resizes a dynamic bar, a double click docks it again, and
// closing it hides its bars. It follows its owner through WM_FLOATSTATUS.
#pragma once

#include "platform/bars/dockbar.h"
#include "platform/docview/frame.h"

// A frame holding a floating dock bar takes the bar's title and shows exactly while a bar in it
// does; mayShow false keeps it hidden, showCommand shows it.
void FollowFloatingDockBar(CWnd& frame, CDockBar& dockBar, bool mayShow, int showCommand);

// Mini-frame styles (in the window style's low word, unused by popups).
constexpr DWORD MFS_SYNCACTIVE = 0x00000100;   // caption active while the owner is
constexpr DWORD MFS_4THICKFRAME = 0x00000200;  // no sizing at the corners
constexpr DWORD MFS_THICKFRAME = 0x00000400;   // a sizing border
constexpr DWORD MFS_MOVEFRAME = 0x00000800;    // the border moves the frame
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000; // no system menu on the caption

class CMiniFrameWnd : public CFrameWnd
{
    FW_CREATABLE(CMiniFrameWnd, CFrameWnd)

public:
    CMiniFrameWnd() = default;

    // A tool-window popup owned by parent (rect in screen coordinates).
    BOOL CreateMini(const char* className, const char* title, DWORD style, const RECT& rect,
                    CWnd* parent = nullptr, UINT id = 0);

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    BOOL OnNcActivate(BOOL active);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

    // Set while FS_HIDE keeps the frame hidden for its owner; FS_SHOW shows it again.
    BOOL m_bHiddenByOwner = FALSE;
    BOOL m_bActive = FALSE;
};

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    FW_CREATABLE(CMiniDockFrameWnd, CMiniFrameWnd)

public:
    CMiniDockFrameWnd();

    // A floating frame owned by the dock site parent; barStyle's CBRS_ALIGN_LEFT or RIGHT
    // makes its dock bar vertical, CBRS_FLOAT_MULTI lets it hold several bars and
    // CBRS_SIZE_DYNAMIC gives it resizing borders.
    virtual BOOL Create(CWnd* parent, DWORD barStyle);

    // Fits the frame around its bars, takes the title of the dock bar, and shows the frame
    // only while a bar in it shows.
    void RecalcLayout(BOOL notify = TRUE) override;

    FW_MESSAGE_TABLE()

protected:
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnClose();
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);

    // The bar a caption press drags: the only one, when there is exactly one.
    CControlBar* SingleBar() const;

public:
    CDockBar m_wndDockBar{TRUE}; // the floating dock bar, AFX_IDW_DOCKBAR_FLOAT
};
