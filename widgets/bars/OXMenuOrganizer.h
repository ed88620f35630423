// COXMenuOrganizer: attached to a frame by replacing its window procedure, it turns every popup
// the frame opens into a COXBitmapMenu with images for its commands (registered ones, else the
// generic check mark) and keyboard mnemonics. In recently-used mode, commands and submenus
// marked as not recently used are taken out of a popup when it first opens and replaced by one
// expansion item; choosing it (mouse or keyboard, caught by thread hooks) reopens the popup
// with every item. The marks are kept in two sets that the profile can hold.
//
// A drop-down handler uses one on the stack:
//   COXMenuOrganizer organizer;
//   organizer.AttachFrameWnd(AfxGetMainWnd());
//   organizer.SetMenuBitmap(ID_CMD, IDB_CMD);
//   popup->TrackPopupMenu(TPM_LEFTALIGN, x, y, AfxGetMainWnd());
// and its destructor detaches it.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "widgets/bars/OXBitmapMenu.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

class CArchive;
class CBitmap;

// Sent to the frame (no arguments) when a chosen command changed the recently-used sets.
constexpr UINT WM_OX_RECENTLYUSEDCHANGED = 0x8075;

class COXMenuOrganizer : public CObject
{
public:
    COXMenuOrganizer();
    ~COXMenuOrganizer() override;
    COXMenuOrganizer(const COXMenuOrganizer&) = delete;
    COXMenuOrganizer& operator=(const COXMenuOrganizer&) = delete;

    // FALSE when already attached or frame is null. A frame that has an organizer takes a
    // second one (a drop-down's): the newer serves the frame's menus until it detaches.
    BOOL AttachFrameWnd(CWnd* frame);
    CWnd* DetachFrameWnd();
    CWnd* GetFrameWnd() const { return m_pFrameWnd; }
    static COXMenuOrganizer* FindOrganizer(HWND wnd);

    // Images (0: detached, or the source does not load).
    BOOL SetCheckMarkImages(int cx, int cy, UINT checkBitmap, UINT bulletBitmap);
    BOOL SetMenuBitmap(UINT command, UINT bitmapId);
    BOOL SetMenuBitmap(UINT command, const char* bitmapName);
    BOOL SetMenuImage(UINT command, UINT bitmapId, int imageIndex, int imageWidth);
    BOOL SetMenuImage(UINT command, const char* bitmapName, int imageIndex, int imageWidth);
    BOOL SetMenuImage(UINT command, CBitmap* bitmap, COLORREF mask, int cx, int cy);
    BOOL SetMenuIcon(UINT command, HICON icon, int cx, int cy);
    BOOL SetMenuIcon(UINT command, UINT iconId);
    BOOL SetMenuIcon(UINT command, const char* iconName);
    BOOL SetMenuSelectedImage(UINT command, UINT bitmapId, int imageIndex, int imageWidth);
    BOOL SetMenuSelectedImage(UINT command, UINT bitmapId);
    BOOL SetMenuSelectedImage(UINT command, const char* bitmapName);
    BOOL SetMenuSelectedImage(UINT command, CBitmap* bitmap, COLORREF mask);
    BOOL SetMenuSelectedIcon(UINT command, HICON icon);
    BOOL SetMenuSelectedIcon(UINT command, UINT iconId);
    BOOL SetMenuSelectedIcon(UINT command, const char* iconName);
    BOOL SetMenuImagesFromToolbars();
    MenuImageInfo* GetMenuImageInfo(UINT command) const;
    BOOL IsTopLevelPopup(HMENU menu) const;

    // Forgets every image and gives every converted menu back its plain items.
    void RestoreMenus();
    void SetCustomizationMode(bool on, HWND notifyWnd = nullptr);
    BOOL IsCustomizationMode() const { return m_bCustomizationMode; }
    BOOL IsShowOnlyRecentlyUsed() const { return m_bShowOnlyRecentlyUsed; }

    // Recently-used marks.
    BOOL IsRecentlyUsed(HMENU menu, int position) const;
    BOOL MarkNotRecentlyUsed(HMENU menu, int position);
    BOOL MarkRecentlyUsed(HMENU menu, int position);

    virtual void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    virtual LRESULT OnMenuChar(UINT character, UINT flags, CMenu* menu);
    virtual BOOL OnMeasureItem(int controlId, LPMEASUREITEMSTRUCT item);
    virtual void ConvertMenuItems(COXBitmapMenu* menu, bool isNew);
    virtual void RestoreMenu(COXBitmapMenu* menu);
    virtual void ShowOnlyRecentlyUsedItems(bool on);
    virtual BOOL ExcludeCommandFromRecentlyUsed(UINT command);
    virtual BOOL ExcludeSubmenuFromRecentlyUsed(HMENU submenu);
    virtual BOOL IncludeCommandInRecentlyUsed(UINT command);
    virtual BOOL IncludeSubmenuInRecentlyUsed(HMENU submenu);
    // Archive layouts: a count, then per hidden command its id; per hidden submenu the item
    // positions from root down to it, ended by 0xFFFFFFFF. Reading throws CArchiveException*
    // on a short or inconsistent archive.
    virtual void WriteHiddenCommands(CArchive& archive) const;
    virtual void ReadHiddenCommands(CArchive& archive, UINT length);
    virtual void WriteHiddenSubmenus(CArchive& archive, HMENU root) const;
    virtual void ReadHiddenSubmenus(CArchive& archive, UINT length, HMENU root);

    // Profile persistence under section (empty: the default section). A value that cannot be
    // read whole leaves the set as it was; the result is FALSE then.
    BOOL SaveHiddenSubmenus(HMENU root, const char* section = nullptr);
    BOOL LoadHiddenSubmenus(HMENU root, const char* section = nullptr);
    BOOL SaveHiddenCommands(const char* section = nullptr);
    BOOL LoadHiddenCommands(const char* section = nullptr);

    // For tests and the popup window.
    int GetOpenDepth() const { return m_depth; }
    BOOL IsShowingAll() const { return m_bShowAll; }
    const std::vector<COXBitmapMenu*>& GetBitmapMenus() const { return m_bitmapMenus; }
    // What the thread hooks do with an event; tests call them directly, since posted input
    // does not pass through thread hooks under every system.
    bool HandleMouseHook(WPARAM msg, const MOUSEHOOKSTRUCT* info);
    bool HandleKeyboardHook(WPARAM key, LPARAM flags);

private:
    struct HiddenItem
    {
        int position;
        MENUITEMINFOA info;
        CString text;
    };
    struct OpenLevel
    {
        HMENU menu;
    };

    static LRESULT CALLBACK SharedWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInitMenuPopupMessage(HMENU menu, UINT index, BOOL sysMenu);
    void OnMenuSelect(HMENU menu);
    void OnExitMenuLoop(BOOL trackPopup);
    void OnMenuCommand(UINT id);
    void Expand();
    // Drops the levels whose popup windows are gone (from the first such level on).
    void TrimLevels();
    HWND PopupWindowOf(HMENU menu) const;
    HMENU CopySubmenu(HMENU menu);
    MenuImageInfo* CheckMarkRecord(UINT command, const CString& key);
    CImageList* ListFor(const CString& key, bool* existed);
    BOOL AssignImage(UINT command, CImageList* list, int index);
    BOOL AddSelectedImage(UINT command, HICON icon);
    BOOL AddSelectedBitmap(UINT command, HBITMAP bitmap, COLORREF mask);
    void InstallHooks();
    static void RemoveHooks();
    static CString ResourceKey(UINT id, bool icon);
    static CString ResourceKey(const char* name, bool icon);
    static CString Section(const char* section, const char* fallback);

    std::map<CString, CImageList*> m_imageLists; // owned except the check-mark list
    std::map<UINT, std::unique_ptr<MenuImageInfo>> m_images;
    CWnd* m_pFrameWnd = nullptr;
    HWND m_hSubclassed = nullptr;
    WNDPROC m_previousProc = nullptr;
    CImageList m_checkMarks; // 0 check mark, 1 bullet
    BOOL m_bCustomizationMode = FALSE;
    HWND m_hCustomizeWnd = nullptr;
    std::vector<COXBitmapMenu*> m_bitmapMenus; // owned
    BOOL m_bShowOnlyRecentlyUsed = TRUE;
    std::set<UINT> m_hiddenCommands;
    std::set<HMENU> m_hiddenSubmenus;
    std::map<HMENU, std::vector<HiddenItem>> m_hiddenItems;
    std::vector<OpenLevel> m_levels;
    BOOL m_bInMenuLoop = FALSE;
    int m_depth = 0;
    std::map<HMENU, HWND> m_popupWindows;
    std::vector<HMENU> m_createdMenus; // owned, destroyed last first
    BOOL m_bShowAll = FALSE;

    friend class COXBitmapMenu;
};
