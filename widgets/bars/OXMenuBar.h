// COXMenuBar: a frame's menu shown as a dockable cool toolbar. One text button per top-level
// item opens its popup under (or beside) the button; the keyboard drives it as a window menu
// (Alt, arrows, Enter, Escape, mnemonics); a maximised MDI child's icon and caption buttons
// sit at its ends; customised menus are kept per document type in the profile.
//
// A frame that hosts one creates it with Create(this, style, id), gives it the frame's menu
// with SetMenu (again whenever the menu changes; the frame then shows no Windows menu), calls
// RebuildButtons after changing the menu's items, and offers keys to HandleMenuKey and mouse
// positions to HitTest while the bar is in menu mode (see the menu-bar host frame).
#pragma once

#include "widgets/bars/OXCoolToolBar.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

class CDocTemplate;
class CDocument;

// Posted to the bar: open the popup of item wParam (the item count stands for the child's
// system menu).
constexpr UINT WM_OX_MENUBAR_OPENITEM = 0x808D;
// Sent to the frame after a menu was saved or loaded: wParam the menu, lParam the section.
constexpr UINT WM_OX_MENUSAVED = 0x8073;
constexpr UINT WM_OX_MENULOADED = 0x8074;
// WM_NOTIFY code sent to the frame in customisation mode instead of showing a popup.
constexpr UINT OXMBN_POPUP = 32910;

struct OXMenuPopupNotify
{
    NMHDR hdr;
    HMENU popup;
    UINT flags; // TrackPopupMenu flags
    int x;
    int y;
};

class COXMenuBar : public COXCoolToolBar
{
    FW_CLASS(COXMenuBar, COXCoolToolBar)

public:
    // HitTest answers besides a button index.
    enum HitCode
    {
        hitNone = -1,
        hitMinimize = -2,
        hitRestore = -3,
        hitClose = -4,
        hitIcon = -5
    };
    // HitTest coordinate kinds.
    enum Coordinates
    {
        coordsClient = 0,
        coordsScreen = 1,
        coordsWindow = 2
    };

    // Throws CNotSupportedException* when the common controls are older than 4.71.
    COXMenuBar();
    ~COXMenuBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                UINT id = AFX_IDW_TOOLBAR);

    // Makes menu the bar's menu (null: none, the bar hides); TRUE for the menu it has.
    BOOL SetMenu(HMENU menu);
    HMENU GetMenu() const { return m_hMenu; }
    // The popup holding the MDI window list, when a loaded menu named one.
    HMENU GetWindowMenu() const { return m_hWindowMenu; }
    // One button per top-level item; shows the bar when there is a menu, hides it otherwise.
    BOOL RebuildButtons(BOOL recalc = TRUE);

    // The button index under a point, or a HitCode.
    int HitTest(POINT point, int coordinates = coordsClient) const;
    // A key for the bar (0: Alt alone went up); TRUE when the bar used it.
    BOOL HandleMenuKey(UINT key);
    // The first menu bar among wnd (default: the main window) and its descendants.
    static COXMenuBar* FindMenuBar(CWnd* wnd = nullptr);

    // What the host frame reads and writes while a popup is open.
    int GetPressedItem() const { return m_pressedItem; }
    int GetNextItem() const { return m_nextItem; }
    void SetNextItem(int item) { m_nextItem = item; }
    BOOL IsInMenuMode() const { return m_bMenuMode; }
    int GetSystemMenuItem() const { return GetCount(); }
    // Docked, the bar is as long as its frame (the full row); the second flag asks the same
    // of any layout (a dock bar sets it while it gives the bar a row of its own).
    BOOL m_bFullLength = TRUE;
    BOOL m_bSecondLength = FALSE;

    // Customisation: the menu bar is always of the advanced kind.
    BOOL IsCustomizable(BOOL advanced) const override;
    BOOL SaveBarState(const char* sub, const char* name, BOOL withProperties = TRUE) override;
    BOOL LoadBarState(const char* sub, const char* name, BOOL withProperties = TRUE) override;
    void ShowCustomizeContextMenu(int index, int x, int y) override;
    BOOL DeleteButton(int index) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    // Added operations: the caption buttons, and filling a menu from a standard menu template
    // (MENUITEMTEMPLATEHEADER and items) of size bytes, submenus included.
    virtual void DrawSystemButtons(CDC* dc);
    virtual BOOL BuildMenuFromTemplate(HMENU menu, const void* itemTemplate, size_t size);

    FW_MESSAGE_TABLE()

protected:
    CSize CalcLayout(DWORD mode, int length = -1) override;
    void GetExtraBorders(CRect& borders, int orientation) const override;
    void DrawExtraNonClient(CDC* dc, CRect& rect) override;
    void OnFloatingDocking(BOOL floating) override;
    void OnChangeDockSide(DWORD side) override;

    // Tracking (OXMenuBar_track.cpp).
    LRESULT OnOpenItem(WPARAM wParam, LPARAM lParam);
    void OnDropDown(NMHDR* header, LRESULT* result);
    void OnKillFocus(CWnd* newWnd);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    // Mouse and non-client messages (OXMenuBar.cpp).
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnSettingChange(UINT flags, const char* section);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

private:
    struct MenuItemRecord;

    // Tracking steps.
    void OpenItem(int item);
    void Release();
    void EnterMenuMode(int item);
    void LeaveMenuMode();
    void SendMenuSelect(int item) const;
    int Neighbour(int item, int step) const;
    BOOL IsPopupItem(int item) const;
    UINT CommandOf(int item) const;
    CRect ItemScreenRect(int item) const;
    int HotItem() const;
    void SetHotItem(int item);
    CFrameWnd* Frame() const;
    BOOL IsHorizontal() const;
    BOOL IsCursorOnItem(int item) const;

    // Buttons, icon and caption buttons.
    void SetMenuFont();
    // The "&" letters of the menu's items, by position.
    void MapMnemonics();
    void RefreshChildIcon();
    HWND MaximizedChild() const;
    void LayoutCaptionButtons(const CRect& window);
    int CaptionButtonAt(CPoint windowPoint) const;
    void RedrawFrameNow();

    // Persistence (OXMenuBar_persist.cpp).
    CDocument* ActiveDocument() const;
    static CString SectionFor(const char* className);
    void SaveMenu(HMENU menu);
    void LoadMenu(HMENU menu, const char* className);
    void StoreItems(CArchive& archive, HMENU menu) const;
    static bool ParseItems(CArchive& archive, UINT length, int depth,
                           std::vector<MenuItemRecord>& items);
    void FillMenu(HMENU menu, const std::vector<MenuItemRecord>& items);
    BOOL FillFromTemplate(HMENU menu, const BYTE*& at, const BYTE* end, int depth);
    HMENU NewPopup();

    std::map<char, int> m_mnemonics;  // upper-case character -> item
    HMENU m_hWindowMenu = nullptr;    // not owned
    HMENU m_hMenu = nullptr;          // not owned
    int m_pressedItem = -1;           // its popup is open
    int m_nextItem = -1;              // to open when the open one closes
    int m_justClosedItem = -1;        // closed by a click on its own button
    BOOL m_bReturnToKeyboard = FALSE; // menu mode resumes after the popup
    CFrameWnd* m_pParentFrame = nullptr;
    CRect m_rectClose; // window coordinates; empty when not shown
    CRect m_rectRestore;
    CRect m_rectMinimize;
    int m_pressedCaption = hitNone;  // drawn pushed
    int m_capturedCaption = hitNone; // pressed when the mouse went down
    BOOL m_bMenuMode = FALSE;
    int m_hotItem = -1;          // in menu mode; the item count for the system-menu item
    HFONT m_hMenuFont = nullptr; // owned
    BOOL m_bFontInitialised = FALSE;
    std::map<HMENU, CDocTemplate*> m_menuTemplates;
    std::set<HMENU> m_changedMenus;
    std::vector<HMENU> m_loadedPopups; // owned: destroyed with the bar
    UINT_PTR m_customizeTimer = 0;
    int m_customizeButton = -1;

    // The window that had the focus when menu mode began (one per process).
    static HWND s_focusBeforeMenuMode;
};
