// COXBitmapMenu: a popup menu whose items are all owner-drawn: an optional image in a column
// at the left, the label, and a right-aligned shortcut. The menu organizer makes one of each
// popup its frame opens and gives every item its data; the customisation popup window paints
// the same menu outside the system's menu loop. Customisation operations tell the owner
// window first (WM_NOTIFY code OXBMN_CUSTOMIZE) and act only when it answers 0.
#pragma once

#include "platform/win/menu.h"
#include "widgets/bars/OXDragDropSupport.h"

#include <map>
#include <memory>
#include <vector>

class CDC;
class CFrameWnd;
class CImageList;
class COXBitmapMenuPopupWnd;

// An image of a menu command; owned by the menu organizer.
struct MenuImageInfo
{
    CImageList* imageList; // not owned
    int index;
    int isCheckMark;   // 1: the generic check mark or bullet, shown only on a checked item
    int selectedIndex; // drawn instead while the item is selected; -1 none
};

// The application data of a converted item.
struct BitmapMenuItemData
{
    MenuImageInfo* image; // may be null; not owned
    CString text;         // the label, then optionally a tab and the shortcut
};

// Item id of the expansion item that shows hidden items again.
constexpr UINT ID_OXBM_EXPANSION = 0xFF56;
// Customisation commands of an item's context menu.
constexpr UINT ID_OXBM_DELETE = 32877;
constexpr UINT ID_OXBM_APPEARANCE = 32878;
constexpr UINT ID_OXBM_SEPARATORBEFORE = 32879;
constexpr UINT ID_OXBM_SEPARATORAFTER = 32880;
constexpr UINT ID_OXBM_RECENTLYUSED = 32881;
// Notices to the owner: the WM_NOTIFY code, and the commands that only report a change.
constexpr UINT OXBMN_CUSTOMIZE = 32882;
constexpr UINT ID_OXBM_SELECTIONCHANGED = 32873;
constexpr UINT ID_OXBM_INSERTMARKCHANGED = 32876;

struct OXBitmapMenuNotify
{
    NMHDR hdr; // hwndFrom: the customisation popup window, or null
    UINT command;
};

// Draw-state bits added to the owner-draw state in recently-used mode.
constexpr UINT kOXBMStateHidden = 0x1000;     // the item is not recently used
constexpr UINT kOXBMStatePrevRecent = 0x2000; // the item above is
constexpr UINT kOXBMStateNextRecent = 0x4000; // the item below is

class COXBitmapMenu : public CMenu
{
    FW_CLASS(COXBitmapMenu, CMenu)

public:
    // Layout in pixels.
    static constexpr int kImageGapLeft = 2;
    static constexpr int kImageLabelGap = 4;
    static constexpr int kLabelShortcutGap = 2;
    static constexpr int kShortcutGapRight = 3;
    static constexpr int kTextMargin = 4;
    static constexpr int kImageMargin = 3;
    static constexpr int kSeparatorHeight = 8;
    static constexpr int kButtonFrame = 2;
    // Item texts are read with buffers of this many characters.
    static constexpr int kTextLength = 300;

    COXBitmapMenu();
    ~COXBitmapMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

    // Recomputes the column extents from the items, in the system's menu font.
    void MeasureColumns();
    // The item whose accumulated bottom first reaches point.y; -1 below the last or when
    // empty. upperHalf tells whether the point lies in the item's upper half.
    int GetItemFromPoint(CPoint point, BOOL* upperHalf = nullptr) const;
    // The frame's command-update pass over the items, owner-drawn texts included.
    void UpdateMenuItems(CFrameWnd* frame, UINT index, BOOL sysMenu);
    int SetCustomizedItem(int position);
    int GetCustomizedItem() const { return m_customizedItem; }
    int SetDropInsertIndex(int position);
    int GetDropInsertIndex() const { return m_dropInsertIndex; }
    // Non-zero: the owner handled the action itself.
    LRESULT SendCustomizeNotification(UINT command);
    // After the items changed: converted again, the popup window laid out again.
    void OnMenuChanged();

    // What the organizer and the popup window set.
    void MapMnemonic(char lower, int position) { m_mnemonics[lower] = position; }
    void ClearMnemonics() { m_mnemonics.clear(); }
    // The position of a mnemonic character; -1 when none.
    int FindMnemonic(char lower) const;
    BitmapMenuItemData* AddItemData(MenuImageInfo* image, const CString& text);
    void AllowCustomization() { m_bCustomizationAllowed = TRUE; }
    void SetNotificationOwner(HWND owner) { m_hNotifyOwner = owner; }
    void SetCustomizationActive(BOOL active) { m_bCustomizationActive = active; }
    BOOL IsCustomizationActive() const { return m_bCustomizationActive; }
    void SetPopupWnd(COXBitmapMenuPopupWnd* popup) { m_pPopupWnd = popup; }
    BOOL IsDragInProgress() const { return m_bDragInProgress; }
    int GetMaxImageWidth() const { return m_maxImageWidth; }
    int GetTextHeight() const { return m_textHeight; }
    int GetMaxShortcutWidth() const { return m_maxShortcutWidth; }
    int GetMaxLabelWidth() const { return m_maxLabelWidth; }

    virtual BOOL IsCustomizationAllowed() const { return m_bCustomizationAllowed; }
    // The customisation context menu of an item; TRUE when shown.
    virtual BOOL ShowCustomizeMenu(int position, int screenX, int screenY);
    virtual COXDropSource* GetDropSource(CWnd* owner);
    virtual COXDropTarget* GetDropTarget() { return &m_dropTarget; }
    virtual COXBitmapMenuPopupWnd* GetPopupWnd() const { return m_pPopupWnd; }
    virtual void OnBeginDragItem(int position);
    virtual void ComputeItemRects(UINT state, const MenuImageInfo* image, const CRect& item,
                                  CRect& button, CRect& imageRect, CRect& label,
                                  CRect& shortcut) const;
    virtual void DrawBackground(CDC* dc, UINT state, const MenuImageInfo* image, const CRect& item,
                                const CRect& button);
    virtual void DrawButton(CDC* dc, UINT state, const MenuImageInfo* image, const CRect& button);
    virtual void DrawImage(CDC* dc, UINT state, const MenuImageInfo* image, const CRect& imageRect);
    virtual void DrawItemText(CDC* dc, UINT state, const CString& text, const CRect& label,
                              const CRect& shortcut);
    virtual void DrawSeparator(CDC* dc, const CRect& rect);
    virtual void DrawCustomizedFrame(CDC* dc, const CRect& rect);
    virtual void DrawInsertMark(CDC* dc, const CRect& rect, BOOL before);
    virtual void DrawSubmenuItem(CDC* dc, UINT state, const CString& text,
                                 const MenuImageInfo* image, const CRect& item, const CRect& button,
                                 const CRect& label, const CRect& shortcut);
    virtual void DrawExpansionItem(CDC* dc, const CRect& rect, UINT state);
    virtual LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragLeave(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDrop(WPARAM wParam, LPARAM lParam);
    // Items from a packed stream: per record a 32-bit id, a zero-terminated text, 5 bytes
    // skipped and a 32-bit flags word (0 or 2 ends the level; an id of -1 opens a popup,
    // filled from the following records when its flags are non-zero). The cursor moves past
    // what was read. The stream is read whole before the menu is touched: a record that
    // runs past end, or popups nested too deep, leave the menu and the cursor as they were.
    virtual BOOL InsertItemsFromData(const BYTE*& cursor, const BYTE* end, HMENU menu,
                                     int position);
    virtual void DeleteCustomizedItem();
    virtual void ShowItemAppearance();
    virtual void InsertSeparatorBefore();
    virtual void InsertSeparatorAfter();
    virtual void ToggleRecentlyUsed();

private:
    struct DataRecord;
    static bool ParseRecords(const BYTE*& at, const BYTE* end, int depth,
                             std::vector<DataRecord>& records);
    void InsertRecords(HMENU menu, int position, const std::vector<DataRecord>& records);
    // The owner-draw state of an item at position with the recently-used bits added.
    UINT RecentlyUsedState(UINT state, int position) const;
    void RedrawAround(int position);
    static HBRUSH CheckerBrush();

    std::map<char, int> m_mnemonics; // lower-case character -> position
    int m_maxImageWidth = 0;
    int m_textHeight = 0;
    int m_maxShortcutWidth = 0;
    int m_maxLabelWidth = 0;
    std::vector<std::unique_ptr<BitmapMenuItemData>> m_itemData;
    BOOL m_bCustomizationAllowed = FALSE; // set the first time the menu is customised
    int m_customizedItem = -1;
    BOOL m_bCustomizationActive = FALSE;
    HWND m_hNotifyOwner = nullptr; // null: the main window
    COXDropSource m_dropSource;
    COXDropTarget m_dropTarget;
    BOOL m_bDragInProgress = FALSE;
    BOOL m_bDragOver = FALSE;
    COXBitmapMenuPopupWnd* m_pPopupWnd = nullptr; // not owned
    int m_dropInsertIndex = -1;
};
