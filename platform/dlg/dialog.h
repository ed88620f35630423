// CDialog: a dialog from a template of the program's resources, modeless (Create) or modal
// (DoModal, run in the framework's own modal loop so that idle work and WM_KICKIDLE go on).
// Keyboard navigation goes through IsDialogMessage in PreTranslateMessage; EndDialog ends a
// modal dialog and only hides a modeless one.
#pragma once

#include "platform/win/ownedwindows.h"
#include "platform/win/wnd.h"

#include <windows.h>

class CDataExchange;

namespace fw
{
// The owner of a modal window: disabled while the window runs, with the top of its owner chain
// (the main window, when a dialog over it owns the modal window); on Release (or when the guard
// goes, for a window that went early) both take input again and the owner, when the modal
// window had the activation, gets it back. Release comes before the modal window is destroyed.
class ModalOwner
{
public:
    explicit ModalOwner(CWnd* parent);
    ~ModalOwner() { Release(nullptr); }
    ModalOwner(const ModalOwner&) = delete;
    ModalOwner& operator=(const ModalOwner&) = delete;

    HWND Get() const { return m_owner; }
    // Hides the ended window (null: already gone) and gives the owner back.
    void Release(HWND window);

private:
    HWND m_owner = nullptr;
    bool m_disabled = false;
    RootOwnerWait m_rootWait;
    bool m_released = false;
};
} // namespace fw

class CDialog : public CWnd
{
    FW_CLASS(CDialog, CWnd)

public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // A modeless dialog; with no parent the main window owns it, and it stays above its owner
    // when the owner takes the focus. FALSE when the template is missing or OnInitDialog's
    // creation failed.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog modally: the owner is disabled until the dialog ends, and enabled again
    // before the dialog's window goes. Returns EndDialog's result, -1 when the dialog could not
    // be created. The object may be deleted by a handler meanwhile; the result still returns.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with result; a modeless one is only hidden.
    void EndDialog(int result);

    // Moves member values into the controls (FALSE) or validates and takes them back (TRUE);
    // FALSE when a value was refused (the user has been told and the field has the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Focus and default button.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    // Dialog units to pixels.
    void MapDialogRect(LPRECT rect) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The checked button of firstId..lastId, 0 when none is.
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // Called from WM_INITDIALOG after the controls exist; the default moves the member values
    // into the controls. TRUE lets the system give the focus to the first control.
    virtual BOOL OnInitDialog();
    // IDOK: takes the values back (UpdateData) and, when they are valid, ends with IDOK.
    virtual void OnOK();
    // IDCANCEL (Escape, the close box): ends with IDCANCEL.
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDTemplate = 0;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    FW_MESSAGE_TABLE()

protected:
    // The exchange of member values with controls, through the DDX_ and DDV_ functions.
    virtual void DoDataExchange(CDataExchange* dx);

    // WM_INITDIALOG: OnInitDialog's answer.
    LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);

    // The template's window through the creation hook, owned by owner; null on failure.
    HWND CreateFromTemplate(UINT templateId, HWND owner);

private:
    // Escape in a multi-line edit would be eaten by the edit: it cancels the dialog instead.
    BOOL IsEscapeInMultilineEdit(const MSG* msg) const;
};
