// Dialogs: creation from templates through the creation hook, the modal loop, data exchange
// and keyboard navigation.
#include "platform/dlg/dialog.h"

#include "platform/base/exception.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/dlg/ddx.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/ownedwindows.h"
#include "platform/win/privmsg.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

namespace
{
// The dialog manager's procedure for our dialogs: everything reaches the window procedure
// (ours, through the subclass) first, so the dialog manager only adds its defaults.
INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Ignores the dialog's own control notifications while data is exchanged, so that filling a
// field does not look like the user typing; restores the previous window on the way out.
class NotifyLockout
{
public:
    explicit NotifyLockout(HWND hwnd)
        : m_state(fw::GetThreadState())
        , m_old(m_state.lockoutNotifyWindow)
    {
        m_state.lockoutNotifyWindow = hwnd;
    }
    ~NotifyLockout() { m_state.lockoutNotifyWindow = m_old; }
    NotifyLockout(const NotifyLockout&) = delete;
    NotifyLockout& operator=(const NotifyLockout&) = delete;

private:
    fw::ThreadState& m_state;
    HWND m_old;
};

HWND SafeOwnerOf(CWnd* parent)
{
    CWnd* owner = CWnd::GetSafeOwner(parent);
    return owner ? owner->GetSafeHwnd() : nullptr;
}

bool IsEditClass(HWND hwnd)
{
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return ::lstrcmpiA(name, "Edit") == 0;
}
} // namespace

namespace fw
{
ModalOwner::ModalOwner(CWnd* parent)
    : m_owner(SafeOwnerOf(parent))
    , m_disabled(m_owner && ::IsWindowEnabled(m_owner))
    , m_rootWait(m_owner)
{
    if (m_disabled)
        ::EnableWindow(m_owner, FALSE);
}

void ModalOwner::Release(HWND window)
{
    if (m_released)
        return;
    m_released = true;
    if (window && ::IsWindow(window))
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    m_rootWait.Release();
    if (m_disabled)
        ::EnableWindow(m_owner, TRUE);
    const HWND active = ::GetActiveWindow();
    if (m_owner && (!active || active == window))
        ::SetActiveWindow(m_owner);
}
} // namespace fw

FW_TABLE(CDialog, CWnd, fw::raw<WM_INITDIALOG, &CDialog::OnInitDialogMessage>(),
         fw::command<IDOK, &CDialog::OnOK>(), fw::command<IDCANCEL, &CDialog::OnCancel>())

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId)
    , m_pParentWnd(parent)
{
}

CDialog::~CDialog() = default;

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    // A modeless dialog stays in sight while its owner is used.
    fw::KeepOwnedWindowsAbove();
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    return CreateFromTemplate(templateId, owner ? owner->GetSafeHwnd() : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    // Whatever gives the owner the focus meanwhile, the dialog goes back in front of it.
    fw::KeepOwnedWindowsAbove();
    fw::ModalOwner owner(m_pParentWnd);
    fw::Watch watch(this);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    const HWND hwnd = CreateFromTemplate(m_nIDTemplate, owner.Get());
    // EndDialog from OnInitDialog ends it before the loop starts.
    if (hwnd && !watch.Gone() && (m_nFlags & WF_CONTINUEMODAL))
        RunModalLoop(MLF_SHOWONIDLE | ((GetStyle() & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0));
    if (watch.Gone())
        return watch.ModalResult(); // a handler deleted the dialog, and its window with it
    m_nFlags &= ~WF_CONTINUEMODAL;
    owner.Release(hwnd);
    if (m_hWnd)
        DestroyWindow();
    return hwnd ? m_nModalResult : -1;
}

void CDialog::EndDialog(int result)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(result);
    // The dialog manager hides the window; a modeless dialog stays, hidden.
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    NotifyLockout lockout(m_hWnd);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete(); // the user has been told
    }
    catch (CException* e)
    {
        const std::string text = "Data exchange failed: " + e->GetErrorText().Str();
        sys::Get().Log(text.c_str());
        e->Delete();
    }
    return FALSE;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control && control->GetSafeHwnd())
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()),
                       TRUE);
}

void CDialog::SetDefID(UINT id)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    ::MapDialogRect(m_hWnd, rect);
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id)
    {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            return id;
    }
    return 0;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_MOUSELAST || !m_hWnd)
        return FALSE;
    if (IsEscapeInMultilineEdit(msg))
    {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM)
{
    return OnInitDialog();
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND owner)
{
    fw::InitCommonControls();
    const HINSTANCE instance = fw::ResourceHandle();
    return fw::CreateThroughHook(this,
                                 [&] {
                                     return ::CreateDialogParamA(instance,
                                                                 MAKEINTRESOURCEA(templateId),
                                                                 owner, &DialogProc, 0);
                                 });
}

BOOL CDialog::IsEscapeInMultilineEdit(const MSG* msg) const
{
    if (msg->message != WM_KEYDOWN || (msg->wParam != VK_ESCAPE && msg->wParam != VK_CANCEL))
        return FALSE;
    if (!(::GetWindowLongPtrA(msg->hwnd, GWL_STYLE) & ES_MULTILINE) || !IsEditClass(msg->hwnd) ||
        !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    const HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
    return !cancel || ::IsWindowEnabled(cancel);
}
