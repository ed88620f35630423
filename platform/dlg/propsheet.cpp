// Property sheets over the common controls' sheet, always modeless underneath.
#include "platform/dlg/propsheet.h"

#include "platform/ctrl/comctrl.h"
#include "platform/ctrl/ctrltemp.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/win/app.h"
#include "platform/win/ownedwindows.h"
#include "platform/win/privmsg.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

#include <algorithm>

namespace
{
BOOL Answer(HWND page, LRESULT* result, LRESULT value)
{
    // Sheets read the answer of a page's notification from the dialog's message result.
    *result = value;
    ::SetWindowLongPtrA(page, DWLP_MSGRESULT, value);
    return TRUE;
}
} // namespace

FW_TABLE(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage()
{
    Construct(0);
}

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
{
    Construct(templateId, captionId);
}

void CPropertyPage::Construct(UINT templateId, UINT captionId)
{
    m_nIDTemplate = templateId;
    m_psp = {};
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = fw::ResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = &PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (captionId != 0 && fw::LoadResourceString(captionId, m_strCaption))
        SetTitle(m_strCaption);
}

void CPropertyPage::SetTitle(const char* title)
{
    m_strCaption = title ? title : "";
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
}

void CPropertyPage::SetModified(BOOL changed)
{
    const HWND sheet = ::GetParent(m_hWnd);
    if (!sheet)
        return;
    ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd),
                   0);
}

void CPropertyPage::CancelToClose()
{
    if (const HWND sheet = ::GetParent(m_hWnd))
        ::SendMessageA(sheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code)
    {
    case PSN_SETACTIVE: return Answer(m_hWnd, result, OnSetActive() ? 0 : -1);
    case PSN_KILLACTIVE: return Answer(m_hWnd, result, OnKillActive() ? FALSE : TRUE);
    case PSN_APPLY:
        return Answer(m_hWnd, result, OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_RESET: OnReset(); return Answer(m_hWnd, result, 0);
    case PSN_QUERYCANCEL: return Answer(m_hWnd, result, OnQueryCancel() ? FALSE : TRUE);
    default: return CDialog::OnNotify(wParam, lParam, result);
    }
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    // lParam is the system's copy of the page record, whose lParam is the page object.
    const auto* record = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* page = reinterpret_cast<CPropertyPage*>(record->lParam);
    if (!page || page->GetSafeHwnd() || !page->SubclassWindow(hwnd))
        return FALSE;
    return fw::CallWndProc(page, hwnd, WM_INITDIALOG, wParam, lParam);
}

CPropertySheet::CPropertySheet()
{
    Construct(nullptr);
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
{
    Construct(caption, parent, selectPage);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::Construct(const char* caption, CWnd* parent, UINT selectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = fw::ResourceHandle();
    m_psh.nStartPage = selectPage;
    m_pParentWnd = parent;
    SetTitle(caption);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
    if (!m_hWnd)
        return;
    // A running sheet takes the page at once.
    BuildPropPageArray();
    if (const HPROPSHEETPAGE handle = ::CreatePropertySheetPageA(&m_pageRecords.back()))
        ::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle));
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    RemovePage(GetPageIndex(page));
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
    m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    const HWND current =
        reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (m_pages[static_cast<size_t>(i)]->GetSafeHwnd() == current && current)
            return i;
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (!m_hWnd)
    {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page)
{
    return SetActivePage(GetPageIndex(page));
}

void CPropertySheet::SetTitle(const char* title, UINT style)
{
    m_strCaption = title ? title : "";
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (style & PSH_PROPTITLE);
    m_psh.pszCaption = m_strCaption;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, style, reinterpret_cast<LPARAM>(title));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return fw::ControlFromHandle<CTabCtrl>(
        reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::PressButton(int button)
{
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

INT_PTR CPropertySheet::DoModal()
{
    // Whatever gives the owner the focus meanwhile, the sheet goes back in front of it.
    fw::KeepOwnedWindowsAbove();
    fw::ModalOwner owner(m_pParentWnd);
    fw::Watch watch(this);
    m_nModalResult = -1;
    const HWND hwnd = CreateSheet(owner.Get());
    if (hwnd && !watch.Gone())
    {
        m_nFlags |= WF_CONTINUEMODAL;
        RunModalLoop(MLF_SHOWONIDLE);
    }
    if (watch.Gone())
        return watch.ModalResult();
    m_nFlags &= ~WF_CONTINUEMODAL;
    owner.Release(hwnd);
    if (m_hWnd)
        DestroyWindow();
    return hwnd ? m_nModalResult : -1;
}

BOOL CPropertySheet::Create(CWnd* parent)
{
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    m_pParentWnd = parent;
    return CreateSheet(owner ? owner->GetSafeHwnd() : nullptr) != nullptr;
}

void CPropertySheet::EndDialog(int result)
{
    m_nModalResult = result;
    PressButton(result == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK or Cancel leave a modeless sheet without a current page: the sheet is done.
    if (::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0))
        return TRUE;
    m_nModalResult = SheetResult();
    return FALSE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    if (!m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_MOUSELAST)
        return FALSE;
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)));
}

void CPropertySheet::BuildPropPageArray()
{
    m_pageRecords.clear();
    for (CPropertyPage* page : m_pages)
        m_pageRecords.push_back(page->m_psp);
    m_psh.nPages = static_cast<UINT>(m_pageRecords.size());
    m_psh.ppsp = m_pageRecords.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

HWND CPropertySheet::CreateSheet(HWND owner)
{
    fw::InitCommonControls();
    BuildPropPageArray();
    m_psh.hwndParent = owner;
    m_psh.dwFlags |= PSH_MODELESS;
    for (CPropertyPage* page : m_pages)
        page->m_firstSetActive = true;
    const HWND hwnd = fw::CreateThroughHook(
        this, [this] { return reinterpret_cast<HWND>(::PropertySheetA(&m_psh)); });
    // Over its owner, as a dialog opens, rather than at the screen's corner over the owner's
    // caption and menu.
    if (hwnd && owner && ::IsWindowVisible(owner) && !::IsIconic(owner) && m_hWnd == hwnd)
        CenterWindow();
    return hwnd;
}

int CPropertySheet::SheetResult() const
{
    // Above 0 when the sheet ended with OK (it may ask for a restart), 0 for Cancel.
    const LRESULT result = ::SendMessageA(m_hWnd, PSM_GETRESULT, 0, 0);
    return result > 0 ? IDOK : IDCANCEL;
}
