// COXBitmapMenuPopupWnd: shows a COXBitmapMenu in an ordinary top-level popup window, outside
// the system's menu loop, so that the user can customise it: a click selects an item, the
// right button opens the item's customisation menu, and the window is a drop target. It
// paints with the menu's own drawing and never takes the activation.
#pragma once

#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <vector>

class COXBitmapMenu;

class COXBitmapMenuPopupWnd : public CWnd
{
    FW_CLASS(COXBitmapMenuPopupWnd, CWnd)

public:
    // Alignment of Show and CalcLayout: x is the left edge, the centre or the right edge.
    enum Alignment
    {
        alignLeft = 0,
        alignCenter = 4,
        alignRight = 8
    };
    static constexpr UINT_PTR kDragStartTimer = 412;
    static constexpr UINT kDragStartDelay = 200; // milliseconds

    COXBitmapMenuPopupWnd() = default;
    ~COXBitmapMenuPopupWnd() override;

    virtual COXBitmapMenu* GetBitmapMenu() const { return m_pBitmapMenu; }
    // FALSE when the window cannot be created.
    virtual BOOL Show(COXBitmapMenu* menu, int alignment, int x, int y, CWnd* parent);
    virtual void Hide();
    virtual void OnMenuChanged();
    virtual BOOL CalcLayout(int alignment, int x, int y);
    virtual LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragLeave(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDrop(WPARAM wParam, LPARAM lParam);

    void RedrawItem(int position);
    void UpdateFont();
    // Item rectangles in client coordinates, one per item.
    const std::vector<CRect>& GetItemRects() const { return m_itemRects; }
    const CRect& GetWindowRectangle() const { return m_windowRect; }

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnOtherButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChangeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragEnterMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragOverMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragLeaveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropMessage(WPARAM wParam, LPARAM lParam);
    void OnDeleteItem();
    void OnItemAppearance();
    void OnSeparatorBefore();
    void OnSeparatorAfter();
    void OnRecentlyUsed();

private:
    // The item under a client point; -1 outside the items.
    int ItemAt(CPoint point) const;
    bool IsCustomizing() const;

    COXBitmapMenu* m_pBitmapMenu = nullptr; // not owned
    CRect m_windowRect;                     // screen coordinates
    std::vector<CRect> m_itemRects;
    CFont m_font;
    UINT_PTR m_dragTimer = 0;
};
