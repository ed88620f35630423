// COX3DTabViewContainer: a tab control whose tabs carry page windows, one shown at a time in
// the display area, with a margin around the control. Dragging anything over a tab activates
// its page (the drop itself is refused). Destroying the container destroys its pages' windows.
#pragma once

#include "framework/TabPages.h"
#include "platform/ctrl/comctrl.h"
#include "platform/ole/droptarget.h"

#include <windows.h>

struct CCreateContext;
class COX3DTabViewContainer;

namespace fw
{
// Activates the tab under a drag; accepts nothing.
class TabDragActivation : public COleDropTarget
{
public:
    explicit TabDragActivation(COX3DTabViewContainer& owner)
        : m_owner(owner)
    {
    }

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;

private:
    COX3DTabViewContainer& m_owner;
    int m_nLastHovered = -1; // the tab last hovered during this drag
};
} // namespace fw

class COX3DTabViewContainer : public CTabCtrl
{
    FW_CLASS(COX3DTabViewContainer, CTabCtrl)

public:
    // The style of the generic creation: tabs at the bottom, several rows, hot tracking.
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER | TCS_MULTILINE |
                                           TCS_HOTTRACK | TCS_BOTTOM | TCS_SCROLLOPPOSITE;

    COX3DTabViewContainer();
    ~COX3DTabViewContainer() override;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Inserts an existing window as the page of a new tab; it gets extendedStyle and
    // WS_TABSTOP. FALSE when the control puts the tab elsewhere.
    virtual BOOL InsertPage(int index, CWnd* page, const char* title, int image = -1,
                            DWORD extendedStyle = 0, BOOL activate = TRUE);
    virtual BOOL InsertPage(int index, const CRuntimeClass* pageClass, CCreateContext* context,
                            const char* title, int image = -1, DWORD extendedStyle = 0,
                            BOOL activate = TRUE);
    virtual BOOL DeletePage(int index, BOOL destroy = TRUE);
    virtual BOOL DeletePage(CWnd* page, BOOL destroy = TRUE);
    virtual BOOL SetActivePageIndex(int index);
    // A control id for a new page: freed ids first, latest freed first.
    virtual UINT GetUniqueId();
    // Moves the active page to the display area.
    virtual void RecalcLayout();

    // Generic creation: anything but a tab control class is made one with kDefaultStyle.
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr) override;

    int GetPageCount() const { return GetItemCount(); }
    int GetActivePageIndex() const { return m_nActivePage; }
    CWnd* GetPage(int index) const;
    CWnd* GetActivePage() const { return GetPage(m_nActivePage); }
    BOOL FindPage(const CWnd* page, int& index) const;
    const CRect& GetPageRect() const { return m_rectPage; }
    int GetMargin() const { return m_nMargin; }
    void SetPageInset(int inset) { m_nPageInset = inset; }
    COleDropTarget& GetDropTarget() { return m_dropTarget; }

    // Our own reflected entries (the selection change) come before the control's.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();
    void OnSetFocus(CWnd* oldWnd);
    void OnSelChange(NMHDR* header, LRESULT* result);

private:
    fw::TabDragActivation m_dropTarget;
    CTabPageIds m_pageIds;
    int m_nMargin = 5;    // non-client border on every side, pixels
    int m_nPageInset = 0; // further inset of the page inside the display area
    int m_nActivePage = -1;
    BOOL m_bPaintingMargin = FALSE;
    CRect m_rectPage;
};
