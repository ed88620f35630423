// The menu-bar host frame: frame layers between the docking MDI frame and the main frame that
// show the frame's menu as a COXMenuBar instead of a Windows menu.
//
// COXMenuBarFrameBase owns the bar, takes the menu the window was created with away from
// Windows and gives it to the bar, and installs the thread's mouse and keyboard hooks that
// make the bar behave as a menu: Alt puts it into keyboard mode, Alt and a mnemonic opens an
// item, the mouse moving onto another item while a popup is open opens that item's popup.
// COXMenuBarHostFrame adds the dock bars the bar docks on (a row of its own), a second layout
// pass, a subclass of the MDI client that keeps the MDI menus on the bar (put back at idle
// time when other code replaced it), and a context-help mode in which the bar still opens
// its menus. COXMenuBarDockBar is the dock bar that gives the bar its row.
//
// The main frame derives from COXMenuBarHostFrame and is loaded and used as any MDI frame:
// its menu, the documents' shared menus and the Window list appear on the bar.
#pragma once

#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizeDockBar.h"
#include "widgets/bars/OXMenuBar.h"

#include <map>
#include <vector>

// The menu bar's control id.
constexpr UINT AFX_IDW_MENUBAR = 0xE810;
// Sent by the menu organizer to the frame: the menu bar's current menu gets an entry number.
constexpr UINT WM_OX_MENUINDEX = 0x8075;
// Command that makes the open popup's item the next to open.
constexpr UINT ID_OX_MENUBAR_REOPEN = 0xFF56;

class COXMenuBarFrameBase : public COXMDIFrameWndSizeDock
{
    FW_CLASS(COXMenuBarFrameBase, COXMDIFrameWndSizeDock)

public:
    COXMenuBarFrameBase();
    ~COXMenuBarFrameBase() override;

    // Creates the bar with menu on parent; FALSE when the bar cannot be made.
    virtual BOOL AttachMenuBar(HMENU menu, CWnd* parent, DWORD style, UINT id);
    // A mouse or keyboard event of the thread offered to the bar; TRUE when the bar used it.
    // Mouse: wParam the message, lParam its MOUSEHOOKSTRUCT; keyboard: the virtual key and
    // its flags.
    virtual BOOL OnMenuBarMouseHook(int code, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnMenuBarKeyboardHook(int code, WPARAM key, LPARAM flags);
    virtual COXMenuBar* GetMenuBar();
    // With a bar its buttons are rebuilt; without one the Windows menu is redrawn.
    virtual void RedrawFrameMenu();
    virtual HMENU GetFrameMenu();
    // With a bar a menu goes to the bar and the frame keeps no Windows menu (null only takes
    // a Windows menu away); without a bar the menu becomes the Windows menu.
    virtual void SetFrameMenu(HMENU menu);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Menu-bar frames of the thread by window.
    static COXMenuBarFrameBase* FromMenuBarFrameMap(HWND hwnd);

    // What the frame keeps of the bar's state besides the bar itself (the popup's item, the
    // next item and keyboard mode are the bar's): the item clicked while a popup was open,
    // and the entry number of each menu the organizer met.
    int m_nClickedItem = -1;
    std::map<HMENU, int> m_menuIndexMap;

protected:
    // After the window is created: the bar, the menu and the hooks. FALSE without a bar.
    BOOL SetUpMenuBar();
    // Enters the frame among the thread's menu-bar frames.
    void EnterFrameMap();
    void TearDownMenuBar();
    // TRUE when the message goes on (with the item index the bar's open item).
    BOOL OnInitMenuPopupHook(WPARAM wParam, LPARAM& lParam);
    void OnMenuSelectHook(WPARAM wParam, LPARAM lParam);
    BOOL IsBarWindow() const { return m_menuBar.GetSafeHwnd() != nullptr; }
    BOOL IsItemDropped() const;
    static void InstallHooks();
    static void RemoveHooks();

    BOOL m_bIsFrame;
    BOOL m_bIsMDIFrame;
    COXMenuBar m_menuBar;
    HMENU m_hFrameMenu = nullptr; // the window's menu at creation; not owned
    BOOL m_bPopupItemSelected = FALSE;
    std::vector<HMENU> m_arrOpenPopups;
};

class COXMenuBarHostFrame : public COXMenuBarFrameBase
{
    FW_CLASS(COXMenuBarHostFrame, COXMenuBarFrameBase)

public:
    COXMenuBarHostFrame() = default;

    // Dock bars of the menu bar's kind on the sides of style that have none.
    virtual void CreateDockBars(DWORD style);
    // The subclassed MDI client's messages.
    virtual LRESULT MDIClientWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    void RecalcLayout(BOOL notify = TRUE) override;
    void OnUpdateFrameMenu(HMENU menuAlt) override;
    // Help mode: a press on the bar still opens its menu; there is no help viewer, so the
    // status bar says so instead of showing help.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* context) override;
    void ShowContextHelp(DWORD context) override;
    // The status text of a help request; the program gives it from its string files.
    void SetHelpUnavailableText(const CString& text) { m_helpUnavailableText = text; }
    const CString& GetHelpUnavailableText() const { return m_helpUnavailableText; }

    DWORD m_dwMenuBarDockStyle = CBRS_ALIGN_ANY;
    WNDPROC m_pfnOldMDIClientProc = nullptr;
    BOOL m_bMDIClientProbeAnswered = FALSE;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;

private:
    void SubclassMDIClient();

    CString m_helpUnavailableText;
    // The probe at idle time: the subclass is put back when another procedure took it.
    void CheckMDIClientSubclass();
    static LRESULT CALLBACK MDIClientSubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam);
};

class COXMenuBarDockBar : public COXSizeDockBar
{
    FW_CLASS(COXMenuBarDockBar, COXSizeDockBar)

public:
    // A full-row menu bar docked here gets a row of its own that it fills.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

private:
    // Row ends around the menu bar at pos where visible bars share its row.
    void GiveOwnRow(int pos);
};
