// Property sheets: CPropertySheet holds CPropertyPage objects, each a dialog from its own
// template that the sheet creates the first time it is shown. A modal sheet runs modeless in
// the framework's modal loop and ends when the sheet has no current page any more (OK or
// Cancel). OK and Apply reach only pages that were created, in order; a page whose
// OnKillActive fails stays current.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <vector>

class CTabCtrl;

class CPropertyPage : public CDialog
{
    FW_CLASS(CPropertyPage, CDialog)

public:
    CPropertyPage();
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    void Construct(UINT templateId, UINT captionId = 0);

    // The tab's title (the sheet's caption for it); the text is copied.
    void SetTitle(const char* title);
    // Enables the sheet's Apply button (changed) or takes this page's claim on it back.
    void SetModified(BOOL changed = TRUE);
    // After an irreversible change: OK reads Close and Cancel is disabled.
    void CancelToClose();

    // The page becomes current: the default moves the member values into the controls again
    // (the first time OnInitDialog does it). FALSE keeps the page from showing.
    virtual BOOL OnSetActive();
    // The page is left (or OK pressed): the default takes the values back; FALSE keeps it.
    virtual BOOL OnKillActive();
    // OK or Apply: the default calls OnOK. FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // Cancel: the default calls OnCancel.
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // A page neither ends nor hides anything: OnOK and OnCancel do nothing by default.
    void OnOK() override;
    void OnCancel() override;

    // The sheet decides keyboard navigation for its pages.
    BOOL PreTranslateMessage(MSG* msg) override;

    PROPSHEETPAGEA m_psp;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    friend class CPropertySheet;

    // The dialog procedure of the sheet's page windows: attaches the page object at
    // WM_INITDIALOG, which then reaches it as any window message.
    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    bool m_firstSetActive = true;
};

class CPropertySheet : public CWnd
{
    FW_CLASS(CPropertySheet, CWnd)

public:
    CPropertySheet();
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;
    void Construct(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);

    // Pages are not owned.
    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // FALSE when the current page refuses to be left.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(const char* title, UINT style = 0);
    CTabCtrl* GetTabControl() const;
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW...
    void PressButton(int button);

    // IDOK or IDCANCEL; -1 when the sheet could not be created.
    virtual INT_PTR DoModal();
    // A modeless sheet; with no parent the main window owns it.
    virtual BOOL Create(CWnd* parent = nullptr);
    void EndDialog(int result);

    BOOL ContinueModal() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    PROPSHEETHEADERA m_psh;

protected:
    // The page records handed to the system, one per page in order.
    virtual void BuildPropPageArray();

private:
    HWND CreateSheet(HWND owner);
    // The result of a modeless sheet that has finished: IDOK when it ended with OK.
    int SheetResult() const;

    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageRecords;
};
