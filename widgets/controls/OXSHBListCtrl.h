// The item list of one shortcut bar group: a single column of large or small icons with
// captions, scroll buttons instead of scroll bars, hot tracking, in-place renaming and drag
// and drop of items between lists. It also works on its own, its options then taken from its
// list-view styles. The list-view keeps the items; this class lays them out and draws them.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "platform/ctrl/tooltip.h"
#include "widgets/bars/OXDragDropSupport.h"
#include "widgets/controls/OXSHBEdit.h"
#include "widgets/controls/OXShortcutBarTypes.h"

#include <windows.h>

#include <vector>

class COXShortcutBar;

class COXSHBListCtrl : public CListCtrl
{
    FW_CLASS(COXSHBListCtrl, CListCtrl)

public:
    // Hit-test codes of the scroll buttons.
    static constexpr int kHitScrollUp = -3;
    static constexpr int kHitScrollDown = -4;
    static constexpr UINT_PTR kHoverTimer = 275;
    static constexpr UINT_PTR kScrollTimer = 276;
    static constexpr int kScrollButtonSize = 20;
    static constexpr int kMargin = 5; // around the items and between them
    static constexpr UINT_PTR kToolId = 1000;

    COXSHBListCtrl();
    ~COXSHBListCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    COXShortcutBar* GetBar() const { return m_bar; }
    HSHBGROUP GetGroup() const { return m_group; }
    // The option bits (SHBS_*): the bar's, or derived from the list's own styles.
    DWORD GetOptions() const;
    int GetView() const;

    // Item geometry in client coordinates (scrolled); FALSE for an index out of range.
    BOOL GetItemIconRect(int item, LPRECT rect) const;
    BOOL GetItemCaptionRect(int item, LPRECT rect) const;
    BOOL GetItemFullRect(int item, LPRECT rect) const;
    CRect GetScrollUpRect() const { return m_scrollUpRect; }
    CRect GetScrollDownRect() const { return m_scrollDownRect; }
    CPoint GetScrollOrigin() const { return m_origin; }
    // The item under point, or kHitScrollUp / kHitScrollDown, or -1; flags gets LVHT_* codes.
    int HitTestItem(CPoint point, UINT* flags = nullptr) const;

    int GetSelectedItem() const { return m_selectedItem; }
    // Makes item the selected one (the owner may keep the old one); -1 for none.
    BOOL SelectItem(int item);
    int GetHotItemIndex() const { return m_hotItem; }
    int GetLastHotItem() const { return m_lastHotItem; }
    int GetPressedItem() const { return m_pressedItem; }
    int GetDropMarkIndex() const { return m_dropItem; }
    // Scrolls by whole items (negative: up); FALSE when it cannot move.
    BOOL ScrollItems(int count);
    BOOL EnsureItemVisible(int item);
    int EditItem(int item);
    COXSHBEdit* GetEditor() { return &m_editor; }
    // Asks the owner for the item's tip text (SHBN_GETITEMINFOTIP); empty when none given.
    CString GetItemTipText(int item);
    // The tip of the hot item, when item tips are on (SHBS_INFOTIP).
    void OnToolTipText(NMTTDISPINFOA* info);
    CToolTipCtrl& GetToolTipCtrl() { return m_toolTip; }

    // The drag data of an item in the registered format, a global block the caller owns.
    HGLOBAL BuildDragData(int item);
    // Inserts the item a drag block describes at index; -1 when the block is malformed.
    int InsertFromDragData(HGLOBAL block, int index);
    static CLIPFORMAT GetDragFormat();

    // Drop target (through the drop adapter's messages).
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);

    // Relayout (after items, size, font or view changed).
    virtual void CalculateLayout();
    // Painting parts.
    virtual void DrawItem(HDC dc, int item);
    virtual void FillBackground(HDC dc, const RECT& rect);
    virtual void DrawScrollButtons(HDC dc);
    virtual void DrawDropMark(HDC dc);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    LRESULT OnListMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetGroup(WPARAM wParam, LPARAM lParam);
    LRESULT OnGroupInfoChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarInfoChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopulateContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnStartDrag(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGiveFeedback(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditorNotify(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct ItemRects
    {
        CRect icon; // list coordinates (unscrolled)
        CRect caption;
        CRect full;
    };

    void SetUp();
    // Sends a notification; its answer.
    LRESULT Notify(UINT code, int item, LPARAM value = 0);
    CSize ImageSize() const;
    CImageList* ViewImageList() const;
    COLORREF BackColor() const;
    COLORREF TextColor() const;
    HFONT ItemFont();
    CRect Scrolled(const CRect& rect) const;
    void SetHotItem(int item);
    void RedrawItem(int item);
    int InsertionIndexAt(CPoint point) const;
    UINT ScrollDelay() const;
    // Starts or stops scrolling on the timer while dragged data stays near an edge.
    void ScrollWhileDragging(int by);
    // Answers a list-view message that concerns our layout; FALSE leaves it to the list-view.
    BOOL HandleListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

    COXShortcutBar* m_bar = nullptr;
    HSHBGROUP m_group = nullptr;
    int m_pressedItem = -1;
    int m_hotItem = -1;
    int m_lastHotItem = -1;
    int m_selectedItem = -1;
    int m_dropItem = -1; // the insertion mark: before this index
    int m_dragItem = -1;
    int m_editItem = -1;
    COXSHBEdit m_editor;
    CToolTipCtrl m_toolTip;
    std::vector<ItemRects> m_rects;
    CRect m_scrollUpRect;
    CRect m_scrollDownRect;
    CPoint m_origin;       // how far the items are scrolled up
    int m_scrollingBy = 0; // while a scroll button is held: -1 up, 1 down
    COXDropSource m_dropSource;
    COXDropTarget m_dropTarget;
    CPoint m_buttonDownPoint;
    CPoint m_gripOffset;
    BOOL m_mouseInside = FALSE;
    int m_dropScrollBy = 0;        // while data is dragged near an edge: -1 up, 1 down
    HGLOBAL m_dragBlock = nullptr; // owned until the drag starts
    BOOL m_dragImageShown = FALSE;
    CFont m_itemFont; // from the group's descriptor
    bool m_creating = false;
};
