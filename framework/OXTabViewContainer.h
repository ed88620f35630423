// COXTabViewContainer: holds page windows of which one shows at a time, with sheet tabs drawn
// along the bottom edge beside four tab-scrolling buttons, a splitter and a horizontal scroll
// bar that the active page borrows, and a vertical one on the right. Pages stay owned by
// whoever inserted them; the container recycles their control ids.
#pragma once

#include "framework/TabPages.h"
#include "platform/base/string.h"
#include "platform/win/gdiobj.h"
#include "platform/win/platform_ids.h"
#include "platform/win/scrollbar.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <vector>

struct CCreateContext;
class COXTabViewContainer;

// The mark a container keeps in its GWLP_USERDATA, so that a page can tell its parent is one.
constexpr LONG_PTR kTabViewContainerMark = 0x3A7B4567;

// One page of a container.
struct COXTabViewPage
{
    CWnd* m_pWnd = nullptr; // not owned
    CString m_strTitle;
    BOOL m_bHasHorzBar = FALSE; // the page needs the horizontal bar (worked out on activation)
    BOOL m_bHasVertBar = FALSE;
    SCROLLINFO m_horzInfo = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0}; // as last read from the page
    SCROLLINFO m_vertInfo = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
};

// The container whose page wnd is, when its parent carries the mark; with onlyIfActive, only
// while wnd is the active page. Otherwise null.
COXTabViewContainer* GetParentTabViewContainer(const CWnd* wnd, BOOL onlyIfActive = TRUE);

class COXTabViewContainer : public CWnd
{
    FW_CREATABLE(COXTabViewContainer, CWnd)

public:
    // Hit-test codes; a tab answers its index (0 or more).
    enum HitTest
    {
        hitHorzBar = -1,
        hitVertBar = -2,
        hitFirst = -3,
        hitPrevious = -4,
        hitNext = -5,
        hitLast = -6,
        hitSplitter = -7,
        hitPage = -8,
        hitTabArea = -9,
        hitSizeBox = -10,
        hitNone = -11
    };
    static constexpr UINT kHorzBarId = 59904;
    static constexpr UINT kVertBarId = 59920;
    static constexpr int kTabScrollStep = 15;   // pixels per scroll-button action
    static constexpr int kMinSplitterRoom = 60; // kept right of the splitter
    static constexpr int kSplitterWidth = 6;
    static constexpr UINT_PTR kRepeatTimerId = 122; // repeats a held scroll button
    static constexpr UINT kRepeatMs = 200;

    COXTabViewContainer();
    ~COXTabViewContainer() override;

    virtual BOOL Create(CWnd* parent, const RECT& rect = CRect(),
                        DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_PANE_FIRST);
    // Inserts an existing window as a page and activates it. The title defaults to the
    // window's text, then to the index.
    virtual BOOL InsertPage(int index, CWnd* page, const char* title = nullptr);
    // Creates the page from a run-time class (a view joins the active view's document when
    // no context is given) and inserts it.
    virtual BOOL InsertPage(int index, const CRuntimeClass* pageClass,
                            CCreateContext* context = nullptr, const char* title = nullptr);
    virtual BOOL DeletePage(int index, BOOL destroy = TRUE);
    // Shows the page and hides the previous one; an index out of range leaves none active.
    virtual BOOL SetActivePageIndex(int index);
    // The tab buttons area width as "TabButtonsAreaWidth" in the application's profile.
    virtual BOOL SaveState(const char* section);
    virtual BOOL LoadState(const char* section);
    // (Re)creates both bars; one whose bit is missing is disabled.
    virtual BOOL SetScrollStyle(DWORD style, BOOL force = FALSE);
    virtual void CalcLayout();
    virtual void RecalcTabButtons();
    // A control id for a new page: freed ids first, latest freed first.
    virtual UINT GetUniqueId();
    virtual void DrawScrollButtons(CDC* dc);
    virtual void DrawTabButtons(CDC* dc);
    virtual void DrawSplitter(CDC* dc);
    virtual void DrawSizeBar(CDC* dc);
    virtual void DrawButton(CDC* dc, const CRect& rect, int hitCode);
    virtual void DrawTab(CDC* dc, int index);

    // Generic creation of a child window goes to Create above.
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr) override;

    BOOL DeletePage(CWnd* page, BOOL destroy = TRUE);
    BOOL FindPage(HWND page, int& index) const;
    CWnd* GetPage(int index) const;
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetActivePageIndex() const { return m_nActivePage; }
    CWnd* GetActivePage() const { return GetPage(m_nActivePage); }
    CString GetPageTitle(int index) const;
    // TRUE at once when the text is unchanged.
    BOOL SetPageTitle(int index, const char* title);
    // Asked by a page whose own scroll bars may have changed: which bars it needs now.
    void UpdateScrollState();
    // Copies the active page's scroll ranges and positions into the container's bars.
    void UpdateScrollInfo();
    // While this container reads a page's own scroll bars (which sizes the page for a moment).
    BOOL IsUpdatingScrollBars() const;
    // Scrolls the tabs so that tab index shows; partly visible is enough with acceptPartial.
    void EnsureTabVisible(int index, BOOL acceptPartial = FALSE);
    int HitTest(CPoint point) const;

    CScrollBar* GetHorzScrollBar() { return &m_horzBar; }
    CScrollBar* GetVertScrollBar() { return &m_vertBar; }
    int GetTabOffset() const { return m_nTabOffset; }
    int GetTabButtonsAreaWidth() const { return m_nTabButtonsAreaWidth; }
    // Rectangles of the layout, in client coordinates.
    const CRect& GetTabAreaRect() const { return m_rectTabArea; }
    const CRect& GetSplitterRect() const { return m_rectSplitter; }
    const CRect& GetPageRect() const { return m_rectPage; }
    const CRect& GetScrollButtonRect(int hitCode) const;
    // The tab's rectangle in client coordinates, scrolled.
    CRect GetTabRect(int index) const;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    FW_MESSAGE_TABLE()

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnCancelMode();
    void OnDestroy();
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnSettingChange(UINT flags, const char* section);

private:
    static const char* RegisterContainerClass();
    void CreateFonts();
    // Layout after a size or setting change: bars and the active page follow.
    void Relayout();
    void SizeActivePage();
    void TakeOverScrollBars(COXTabViewPage& page);
    // The active page when it shows and no scroll update runs; else null.
    COXTabViewPage* PageToUpdate();
    void RedrawBottomStrip();
    void RedrawTabArea();
    void RedrawButton(int hitCode);
    void DoScrollButtonAction(int hitCode);
    void DragSplitter(int cursorX);
    void EndMouseTracking();
    void FillUncoveredPage(CDC* dc);
    void ForwardScroll(UINT message, UINT code, UINT pos, CScrollBar* scrollBar);

    CRect m_rectScrollButtons[4]; // first, previous, next, last
    int m_nTabOffset = 0;         // 0 or negative: horizontal shift of all tabs
    CRect m_rectTabArea;
    std::vector<CRect> m_tabRects; // from the tab area's corner, before the offset
    int m_nTabButtonsAreaWidth = 200;
    CRect m_rectHorzBar;
    CRect m_rectVertBar;
    CRect m_rectSplitter;
    CRect m_rectSizeBox;
    CRect m_rectPage;
    std::vector<COXTabViewPage> m_pages;
    int m_nActivePage = -1;
    DWORD m_dwScrollStyle = 0; // WS_HSCROLL and WS_VSCROLL the bars were last made for
    CTabPageIds m_pageIds;
    CScrollBar m_horzBar;
    CScrollBar m_vertBar;
    int m_nPressedButton = hitNone;
    BOOL m_bPressedLook = FALSE;
    UINT_PTR m_nTimer = 0; // 0 when no repeat timer runs
    BOOL m_bSplitterDrag = FALSE;
    // Guards of UpdateScrollState and UpdateScrollInfo: one page's update must not start
    // another's in the same container; another container's pages update on their own.
    bool m_isUpdatingState = false;
    bool m_isUpdatingInfo = false;
    CFont m_tabFont;
    CFont m_boldTabFont;
};
