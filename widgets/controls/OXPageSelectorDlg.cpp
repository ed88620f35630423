// The page-selector dialog: set-up of its controls, pages added by groups, activation through
// the bar's notifications, Apply, OK and Cancel, and the page area on resizing.
#include "widgets/controls/OXPageSelectorDlg.h"

#include "platform/win/crackers.h"
#include "platform/win/privmsg.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/controls/OXSHBListCtrl.h"

#include <algorithm>
#include <cstring>

FW_TABLE(COXPageSelectorDlg, CDialog, fw::command<IDC_OXSHB_APPLY, &COXPageSelectorDlg::OnApply>(),
         fw::on<WM_SIZE, &COXPageSelectorDlg::OnSize>(),
         fw::on<WM_GETMINMAXINFO, &COXPageSelectorDlg::OnGetMinMaxInfo>(),
         fw::on<WM_DESTROY, &COXPageSelectorDlg::OnDestroy>(),
         fw::raw<WM_KICKIDLE, &COXPageSelectorDlg::OnKickIdle>())

namespace
{
constexpr int kIconSize = 32;
constexpr int kInitialImages = 25;
constexpr int kTitlePoints = 12;
} // namespace

COXPageSelectorDlg::COXPageSelectorDlg(CWnd* parent)
    : CDialog(IDD_OXSHB_PAGESELECTOR, parent)
{
    // The template names the bar's window class.
    COXShortcutBar::RegisterWindowClass();
}

BOOL COXPageSelectorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_images.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, kInitialImages, kInitialImages);
    if (!m_bar.SubclassDlgItem(IDC_OXSHB_SELECTOR, this) ||
        !m_title.SubclassDlgItem(IDC_OXSHB_TITLE, this) ||
        !m_topFrame.SubclassDlgItem(IDC_OXSHB_TOPFRAME, this) ||
        !m_bottomFrame.SubclassDlgItem(IDC_OXSHB_BOTTOMFRAME, this))
        return TRUE;
    m_bar.SetBarStyle(kBarStyle);

    m_title.SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT), FALSE);
    m_title.SetBkColor(::GetSysColor(COLOR_BTNFACE), FALSE);
    m_title.SetBkMode(COXStatic::kFadeFromLeft, FALSE);
    LOGFONTA font = {};
    const HDC screen = ::GetDC(nullptr);
    font.lfHeight = -::MulDiv(kTitlePoints, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    m_title.SetTextLogFont(&font, FALSE);

    using L = COXLayoutManager;
    m_layout.Attach(this);
    m_layout.AnchorChild(IDC_OXSHB_SELECTOR, L::kTop | L::kBottom);
    m_layout.AnchorChild(IDC_OXSHB_TITLE, L::kLeft | L::kRight);
    m_layout.AnchorChild(IDC_OXSHB_TOPFRAME, L::kLeft | L::kRight);
    m_layout.AnchorChild(IDC_OXSHB_BOTTOMFRAME, L::kBottom | L::kLeft | L::kRight);
    for (const UINT button :
         {static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL), static_cast<UINT>(IDC_OXSHB_APPLY)})
        m_layout.AnchorChild(button, L::kBottom | L::kRight);

    CreatePages();
    for (int order = 0; order < m_bar.GetGroupCount(); ++order)
        m_bar.ExpandGroup(m_bar.FindGroupByOrder(order));
    UpdatePageRect();
    if (const HSHBGROUP first = m_bar.FindGroupByOrder(0))
        ActivatePage(first, 0);
    PlaceCurrentPage();
    m_initialised = TRUE;
    return TRUE;
}

BOOL COXPageSelectorDlg::CreatePages()
{
    return TRUE;
}

HSHBGROUP COXPageSelectorDlg::AddGroup(const char* text)
{
    OXShbGroupInfo info;
    info.mask = SHBIF_TEXT | SHBIF_VIEW;
    info.text = const_cast<char*>(text ? text : "");
    info.view = SHB_LARGEICON;
    const HSHBGROUP group = m_bar.InsertGroup(&info);
    if (!group)
        return nullptr;
    m_groups.push_back(group);
    if (COXSHBListCtrl* list = GroupList(group))
        list->SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL,
                          reinterpret_cast<LPARAM>(m_images.GetSafeHandle()));
    return group;
}

int COXPageSelectorDlg::AddPage(HSHBGROUP group, COXSelectorPage* page, const char* text,
                                HICON icon)
{
    COXSHBListCtrl* list = GroupList(group);
    if (!list || !page || m_places.count(page))
        return -1;
    const int image = icon && m_images.GetSafeHandle() ? m_images.Add(icon) : -1;
    const int item =
        list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, list->GetItemCount(),
                         text ? text : "", 0, 0, image, reinterpret_cast<LPARAM>(page));
    if (item < 0)
        return -1;
    m_texts[page] = text ? text : "";
    m_places[page] = {group, item};
    return item;
}

COXSHBListCtrl* COXPageSelectorDlg::GroupList(HSHBGROUP group)
{
    return dynamic_cast<COXSHBListCtrl*>(m_bar.GetGroupChildWnd(group));
}

COXSelectorPage* COXPageSelectorDlg::PageOf(HSHBGROUP group, int item)
{
    COXSHBListCtrl* list = GroupList(group);
    if (!list || item < 0 || item >= list->GetItemCount())
        return nullptr;
    return reinterpret_cast<COXSelectorPage*>(list->GetItemData(item));
}

BOOL COXPageSelectorDlg::ActivatePage(HSHBGROUP group, int item)
{
    COXSelectorPage* page = PageOf(group, item);
    if (!page)
        return FALSE;
    if (page == m_current)
        return TRUE;
    if (COXSelectorPage* old = m_current)
    {
        // Cleared first: unselecting the old item comes back here through the bar.
        m_current = nullptr;
        old->DeactivatePage();
        const auto place = m_places.find(old);
        if (place != m_places.end())
            if (COXSHBListCtrl* list = GroupList(place->second.group))
                list->SelectItem(-1);
    }
    if (!page->ShowPage(this))
        return FALSE;
    m_current = page;
    PlaceCurrentPage();
    if (CWnd* window = page->GetPageWnd())
        window->SetFocus();
    m_bar.ExpandGroup(group);
    if (COXSHBListCtrl* list = GroupList(group))
    {
        list->SelectItem(item);
        list->EnsureItemVisible(item);
    }
    m_title.SetWindowText(m_texts[page]);
    UpdateApply();
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return TRUE;
}

void COXPageSelectorDlg::UpdateApply()
{
    if (CWnd* apply = GetDlgItem(IDC_OXSHB_APPLY))
        apply->EnableWindow(m_current && m_current->HasChanges());
}

void COXPageSelectorDlg::UpdatePageRect()
{
    if (!m_topFrame.GetSafeHwnd() || !m_bottomFrame.GetSafeHwnd())
        return;
    CRect top;
    CRect bottom;
    m_topFrame.GetWindowRect(&top);
    m_bottomFrame.GetWindowRect(&bottom);
    ScreenToClient(&top);
    ScreenToClient(&bottom);
    m_pageRect.SetRect(top.left, top.bottom, top.right, std::max(top.bottom, bottom.top));
}

void COXPageSelectorDlg::PlaceCurrentPage()
{
    if (!m_current)
        return;
    if (CWnd* window = m_current->GetPageWnd(); window && window->GetSafeHwnd())
        window->SetWindowPos(nullptr, m_pageRect.left, m_pageRect.top, m_pageRect.Width(),
                             m_pageRect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BOOL COXPageSelectorDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* record = reinterpret_cast<const NMSHORTCUTBAR*>(lParam);
    if (record && record->hdr.idFrom == IDC_OXSHB_SELECTOR)
    {
        if (record->hdr.code == SHBN_SELECTITEM)
        {
            if (record->item >= 0)
                ActivatePage(record->group, record->item);
            if (result)
                *result = 0;
            return TRUE;
        }
        if (record->hdr.code == SHBN_GETITEMINFOTIP)
        {
            auto* tip = reinterpret_cast<OXShbInfoTip*>(record->value);
            const auto text = m_texts.find(PageOf(record->group, record->item));
            if (tip && text != m_texts.end())
            {
                const size_t length =
                    std::min<size_t>(text->second.GetLength(), kShbTipTextMax - 1);
                std::memcpy(tip->text, text->second.GetString(), length);
                tip->text[length] = '\0';
            }
            if (result)
                *result = 1;
            return TRUE;
        }
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void COXPageSelectorDlg::OnApply()
{
    if (m_current)
        m_current->ApplyChanges();
    UpdateApply();
}

BOOL COXPageSelectorDlg::ClosePages(int cancel)
{
    for (const auto& [page, place] : m_places)
    {
        if (cancel)
            page->CancelChanges();
        else if (!page->ApplyChanges())
            return FALSE;
    }
    return TRUE;
}

void COXPageSelectorDlg::OnOK()
{
    if (!ClosePages(0))
        return;
    m_pagesClosed = TRUE;
    EndDialog(IDOK);
}

void COXPageSelectorDlg::OnCancel()
{
    if (!ClosePages(1))
        return;
    m_pagesClosed = TRUE;
    EndDialog(IDCANCEL);
}

void COXPageSelectorDlg::OnDestroy()
{
    // Only pages that OK or Cancel left open are closed here: after Cancel, applying them now
    // would keep what the user threw away.
    if (m_initialised && !m_pagesClosed)
    {
        m_pagesClosed = TRUE;
        ClosePages(0);
    }
    m_layout.Detach();
    CDialog::OnDestroy();
}

void COXPageSelectorDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (!m_initialised)
        return;
    UpdatePageRect();
    PlaceCurrentPage();
}

void COXPageSelectorDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize.x = kMinTrackWidth;
    info->ptMinTrackSize.y = kMinTrackHeight;
}

LRESULT COXPageSelectorDlg::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    if (m_current)
        if (CWnd* window = m_current->GetPageWnd(); window && window->GetSafeHwnd())
            return window->SendMessage(WM_KICKIDLE, wParam, lParam);
    return 0;
}
