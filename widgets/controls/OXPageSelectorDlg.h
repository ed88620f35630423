// A dialog that works like a property sheet whose page list is a shortcut bar: the bar's groups
// hold one item per page; selecting an item shows its page between the two caption lines, puts
// the item's text into the title line and enables Apply as the page asks. The dialog is
// sizeable; its controls keep their distances from its edges.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "platform/dlg/dialog.h"
#include "widgets/controls/OXCaptionLabel.h"
#include "widgets/controls/OXLayoutManager.h"
#include "widgets/controls/OXShortcutBar.h"
#include "widgets/controls/OXStatic.h"

#include <windows.h>

#include <map>
#include <vector>

// One page of the dialog; the dialog borrows it.
class COXSelectorPage
{
public:
    virtual ~COXSelectorPage() = default;
    // Creates the page's window as a child of parent the first time, shows it later; FALSE
    // refuses the page.
    virtual BOOL ShowPage(CWnd* parent) = 0;
    // The page's window; null before ShowPage made it.
    virtual CWnd* GetPageWnd() = 0;
    // Another page takes its place: the page hides.
    virtual void DeactivatePage() = 0;
    // FALSE keeps the dialog open (OK) with the page's changes not taken.
    virtual BOOL ApplyChanges() = 0;
    virtual void CancelChanges() = 0;
    virtual BOOL HasChanges() = 0;
};

class COXPageSelectorDlg : public CDialog
{
public:
    static constexpr int kMinTrackWidth = 520;
    static constexpr int kMinTrackHeight = 450;
    static constexpr DWORD kBarStyle = 0x5D3;

    explicit COXPageSelectorDlg(CWnd* parent = nullptr);

    // Called from CreatePages: a group of pages, then its pages with their text and icon.
    HSHBGROUP AddGroup(const char* text);
    // The item's index in the group's list, -1 on failure.
    int AddPage(HSHBGROUP group, COXSelectorPage* page, const char* text, HICON icon = nullptr);

    // Shows the page of the group's item; FALSE when there is none or it refused.
    BOOL ActivatePage(HSHBGROUP group, int item);
    COXSelectorPage* GetCurrentPage() const { return m_current; }
    CRect GetPageRect() const { return m_pageRect; }
    COXShortcutBar& GetBar() { return m_bar; }
    COXStatic& GetTitle() { return m_title; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnApply();
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnDestroy();
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    FW_MESSAGE_TABLE()

protected:
    // Adds the groups and pages (AddGroup, AddPage); the default adds none.
    virtual BOOL CreatePages();
    // OK (cancel 0) applies every page, Cancel (1) cancels them; FALSE keeps the dialog open.
    virtual BOOL ClosePages(int cancel);

private:
    struct Place
    {
        HSHBGROUP group;
        int item;
    };

    COXSHBListCtrl* GroupList(HSHBGROUP group);
    COXSelectorPage* PageOf(HSHBGROUP group, int item);
    void UpdatePageRect();
    void PlaceCurrentPage();
    void UpdateApply();

    COXShortcutBar m_bar;
    COXStatic m_title;
    COXCaptionLabel m_topFrame;
    COXCaptionLabel m_bottomFrame;
    COXLayoutManager m_layout;
    CImageList m_images; // 32 by 32, for the items
    std::map<COXSelectorPage*, CString> m_texts;
    std::map<COXSelectorPage*, Place> m_places;
    std::vector<HSHBGROUP> m_groups;
    CRect m_pageRect;
    COXSelectorPage* m_current = nullptr;
    BOOL m_initialised = FALSE;
    BOOL m_pagesClosed = FALSE;
};
