// The shortcut bar's item list: options, layout, hit testing, painting, the mouse, the
// list-view messages it answers itself and the in-place editor. Drag and drop is in
// OXSHBListCtrl_drag.cpp.
#include "widgets/controls/OXSHBListCtrl.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "widgets/controls/OXShortcutBar.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

FW_TABLE(COXSHBListCtrl, CListCtrl, fw::on<WM_PAINT, &COXSHBListCtrl::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXSHBListCtrl::OnEraseBkgnd>(),
         fw::on<WM_SIZE, &COXSHBListCtrl::OnSize>(), fw::on<WM_TIMER, &COXSHBListCtrl::OnTimer>(),
         fw::on<WM_DESTROY, &COXSHBListCtrl::OnDestroy>(),
         fw::on<WM_MOUSEMOVE, &COXSHBListCtrl::OnMouseMove>(),
         fw::on<WM_LBUTTONDOWN, &COXSHBListCtrl::OnLButtonDown>(),
         fw::on<WM_LBUTTONDBLCLK, &COXSHBListCtrl::OnLButtonDblClk>(),
         fw::on<WM_LBUTTONUP, &COXSHBListCtrl::OnLButtonUp>(),
         fw::on<WM_RBUTTONUP, &COXSHBListCtrl::OnRButtonUp>(),
         fw::raw<SHBM_SETSHBGROUP, &COXSHBListCtrl::OnSetGroup>(),
         fw::raw<SHBM_GROUPINFOCHANGED, &COXSHBListCtrl::OnGroupInfoChanged>(),
         fw::raw<SHBM_SHBINFOCHANGED, &COXSHBListCtrl::OnBarInfoChanged>(),
         fw::raw<SHBM_POPULATECONTEXTMENU, &COXSHBListCtrl::OnPopulateContextMenu>(),
         fw::raw<SHBM_CHECKHOVER, &COXSHBListCtrl::OnCheckHover>(),
         fw::raw<SHBM_STARTDRAG, &COXSHBListCtrl::OnStartDrag>(),
         fw::raw<WM_OX_DRAGENTER, &COXSHBListCtrl::OnDropMessage>(),
         fw::raw<WM_OX_DRAGOVER, &COXSHBListCtrl::OnDropMessage>(),
         fw::raw<WM_OX_DRAGLEAVE, &COXSHBListCtrl::OnDropMessage>(),
         fw::raw<WM_OX_DROP, &COXSHBListCtrl::OnDropMessage>(),
         fw::raw<WM_OX_GIVEFEEDBACK, &COXSHBListCtrl::OnGiveFeedback>())

namespace
{
constexpr int kIconInflate = 3;
constexpr int kCaptionInflate = 4;
constexpr UINT kEditorId = 0xFFFE;

void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Frame3d(HDC dc, const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    Fill(dc, CRect(rect.left, rect.top, rect.right - 1, rect.top + 1), topLeft);
    Fill(dc, CRect(rect.left, rect.top, rect.left + 1, rect.bottom - 1), topLeft);
    Fill(dc, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), bottomRight);
    Fill(dc, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottomRight);
}

} // namespace

COXSHBListCtrl::COXSHBListCtrl() = default;

COXSHBListCtrl::~COXSHBListCtrl()
{
    if (m_dragBlock)
        ::GlobalFree(m_dragBlock);
}

BOOL COXSHBListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_creating = true;
    const BOOL created = CListCtrl::Create(style, rect, parent, id);
    m_creating = false;
    if (!created)
        return FALSE;
    SetUp();
    return TRUE;
}

void COXSHBListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // A list-view made elsewhere (a dialog's) is set up here; a new one once Create has it.
    if (!m_creating)
        SetUp();
}

void COXSHBListCtrl::SetUp()
{
    m_dropSource.m_pOwner = this;
    if (!m_toolTip.GetSafeHwnd() && m_toolTip.Create(this))
    {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKA, &client, kToolId);
    }
    auto* target = reinterpret_cast<COleDropTarget*>(Notify(SHBN_GETDROPTARGET, -1));
    (target ? target : &m_dropTarget)->Register(this);
    CalculateLayout();
}

DWORD COXSHBListCtrl::GetOptions() const
{
    if (m_bar)
        return m_bar->GetBarStyle();
    const DWORD style = GetStyle();
    const DWORD exStyle = static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    DWORD options = SHBS_DRAGITEMS;
    if (style & LVS_EDITLABELS)
        options |= SHBS_EDITITEMS;
    if (style & LVS_NOSCROLL)
        options |= SHBS_NOSCROLL;
    if (style & LVS_SHOWSELALWAYS)
        options |= SHBS_SHOWACTIVEALWAYS;
    if (exStyle & LVS_EX_INFOTIP)
        options |= SHBS_INFOTIP;
    if (exStyle & LVS_EX_UNDERLINEHOT)
        options |= SHBS_UNDERLINEHOTITEM;
    return options;
}

int COXSHBListCtrl::GetView() const
{
    if (m_bar)
    {
        const int view = m_bar->GetGroupView(m_group);
        return view == SHB_SMALLICON ? SHB_SMALLICON : SHB_LARGEICON;
    }
    return (GetStyle() & LVS_TYPEMASK) == LVS_SMALLICON ? SHB_SMALLICON : SHB_LARGEICON;
}

LRESULT COXSHBListCtrl::Notify(UINT code, int item, LPARAM value)
{
    if (m_bar && m_bar->GetSafeHwnd())
        return m_bar->Notify(code, m_group, item, value);
    if (!m_hWnd)
        return 0;
    NMSHORTCUTBAR record = {};
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    record.hdr.code = code;
    record.group = nullptr;
    record.item = item;
    record.value = value;
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    if (!owner)
        return 0;
    return owner->SendMessage(WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

CImageList* COXSHBListCtrl::ViewImageList() const
{
    const HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_GETIMAGELIST, GetView() == SHB_SMALLICON ? LVSIL_SMALL : LVSIL_NORMAL));
    return list ? CImageList::FromHandle(list) : nullptr;
}

CSize COXSHBListCtrl::ImageSize() const
{
    int cx = 16;
    int cy = 16;
    if (CImageList* images = ViewImageList())
        images->GetIconSize(&cx, &cy);
    return CSize(cx, cy);
}

COLORREF COXSHBListCtrl::BackColor() const
{
    if (m_bar)
        return m_bar->GetGroupBkColor(m_group);
    return static_cast<COLORREF>(
        const_cast<COXSHBListCtrl*>(this)->CListCtrl::WindowProc(LVM_GETBKCOLOR, 0, 0));
}

COLORREF COXSHBListCtrl::TextColor() const
{
    if (m_bar)
        return m_bar->GetGroupTextColor(m_group);
    return static_cast<COLORREF>(
        const_cast<COXSHBListCtrl*>(this)->CListCtrl::WindowProc(LVM_GETTEXTCOLOR, 0, 0));
}

HFONT COXSHBListCtrl::ItemFont()
{
    if (m_bar)
    {
        if (!m_itemFont.GetSafeHandle())
        {
            LOGFONTA font = {};
            if (m_bar->GetGroupTextFont(m_group, &font))
                m_itemFont.CreateFontIndirect(&font);
        }
        if (m_itemFont.GetSafeHandle())
            return static_cast<HFONT>(m_itemFont.GetSafeHandle());
    }
    const HFONT own = GetFont();
    return own ? own : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

CRect COXSHBListCtrl::Scrolled(const CRect& rect) const
{
    CRect shifted = rect;
    shifted.OffsetRect(-m_origin.x, -m_origin.y);
    return shifted;
}

void COXSHBListCtrl::CalculateLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int count = GetItemCount();
    m_rects.assign(static_cast<size_t>(std::max(0, count)), ItemRects());
    m_scrollUpRect.SetRectEmpty();
    m_scrollDownRect.SetRectEmpty();
    if (client.IsRectEmpty())
    {
        for (ItemRects& rects : m_rects)
            rects.icon = rects.caption = rects.full = client;
        return;
    }
    const CSize image = ImageSize();
    const bool small = GetView() == SHB_SMALLICON;
    const int width = client.Width();
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ oldFont = ::SelectObject(dc, ItemFont());
    int y = kMargin;
    for (int i = 0; i < count; ++i)
    {
        ItemRects& rects = m_rects[static_cast<size_t>(i)];
        const CString text = GetItemText(i, 0);
        CRect icon(0, 0, image.cx, image.cy);
        icon.InflateRect(kIconInflate, kIconInflate);
        if (small)
            icon.OffsetRect(kMargin - icon.left, y - icon.top);
        else
            icon.OffsetRect((width - icon.Width()) / 2 - icon.left, y - icon.top);

        CRect caption;
        if (small)
        {
            RECT measured = {0, 0, 0, 0};
            ::DrawTextA(dc, text.IsEmpty() ? " " : text.GetString(), -1, &measured,
                        DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            const int height = measured.bottom - measured.top;
            caption.SetRect(icon.right + kCaptionInflate, icon.CenterPoint().y - height / 2,
                            icon.right + kCaptionInflate + (measured.right - measured.left),
                            icon.CenterPoint().y - height / 2 + height);
        }
        else
        {
            RECT measured = {0, 0, std::max(1, width - 2 * kMargin - 2 * kCaptionInflate), 0};
            ::DrawTextA(dc, text.IsEmpty() ? " " : text.GetString(), -1, &measured,
                        DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_EDITCONTROL | DT_NOPREFIX);
            const int captionWidth = measured.right - measured.left;
            const int top = icon.bottom + kCaptionInflate;
            caption.SetRect((width - captionWidth) / 2, top,
                            (width - captionWidth) / 2 + captionWidth,
                            top + (measured.bottom - measured.top));
        }
        caption.InflateRect(kCaptionInflate, kCaptionInflate);
        rects.icon = icon;
        rects.caption = caption;
        rects.full.UnionRect(&icon, &caption);
        y = rects.full.bottom + kMargin;
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);

    // Keep the scroll origin where some item can still be seen.
    const int contentBottom = m_rects.empty() ? 0 : m_rects.back().full.bottom + kMargin;
    const int maxOrigin = std::max(0, contentBottom - client.Height());
    m_origin.y = std::clamp<int>(m_origin.y, 0, maxOrigin);
    m_origin.x = 0;
    if (!(GetOptions() & SHBS_NOSCROLL) && !m_rects.empty())
    {
        const int size = kScrollButtonSize;
        if (m_origin.y > 0)
            m_scrollUpRect.SetRect(client.right - size - 2, client.top + 2, client.right - 2,
                                   client.top + 2 + size);
        if (contentBottom - kMargin - m_origin.y > client.bottom)
            m_scrollDownRect.SetRect(client.right - size - 2, client.bottom - size - 2,
                                     client.right - 2, client.bottom - 2);
    }
}

BOOL COXSHBListCtrl::GetItemIconRect(int item, LPRECT rect) const
{
    if (item < 0 || item >= static_cast<int>(m_rects.size()) || !rect)
        return FALSE;
    *rect = Scrolled(m_rects[static_cast<size_t>(item)].icon);
    return TRUE;
}

BOOL COXSHBListCtrl::GetItemCaptionRect(int item, LPRECT rect) const
{
    if (item < 0 || item >= static_cast<int>(m_rects.size()) || !rect)
        return FALSE;
    *rect = Scrolled(m_rects[static_cast<size_t>(item)].caption);
    return TRUE;
}

BOOL COXSHBListCtrl::GetItemFullRect(int item, LPRECT rect) const
{
    if (item < 0 || item >= static_cast<int>(m_rects.size()) || !rect)
        return FALSE;
    *rect = Scrolled(m_rects[static_cast<size_t>(item)].full);
    return TRUE;
}

int COXSHBListCtrl::HitTestItem(CPoint point, UINT* flags) const
{
    UINT where = 0;
    int found = -1;
    CRect client;
    GetClientRect(&client);
    if (!m_scrollUpRect.IsRectEmpty() && m_scrollUpRect.PtInRect(point))
        found = kHitScrollUp;
    else if (!m_scrollDownRect.IsRectEmpty() && m_scrollDownRect.PtInRect(point))
        found = kHitScrollDown;
    else if (!client.PtInRect(point))
    {
        if (point.y < client.top)
            where |= LVHT_ABOVE;
        if (point.y >= client.bottom)
            where |= LVHT_BELOW;
        if (point.x >= client.right)
            where |= LVHT_TORIGHT;
        if (point.x < client.left)
            where |= LVHT_TOLEFT;
    }
    else
    {
        where = LVHT_NOWHERE;
        for (size_t i = 0; i < m_rects.size(); ++i)
        {
            if (Scrolled(m_rects[i].icon).PtInRect(point))
                where = LVHT_ONITEMICON;
            else if (Scrolled(m_rects[i].caption).PtInRect(point))
                where = LVHT_ONITEMLABEL;
            else
                continue;
            found = static_cast<int>(i);
            break;
        }
    }
    if (flags)
        *flags = where;
    return found;
}

BOOL COXSHBListCtrl::ScrollItems(int count)
{
    if (m_rects.empty() || count == 0)
        return FALSE;
    int top = 0;
    while (top < static_cast<int>(m_rects.size()) - 1 &&
           m_rects[static_cast<size_t>(top)].full.top < m_origin.y + kMargin)
        ++top;
    if (m_rects[static_cast<size_t>(top)].full.top > m_origin.y + kMargin && top > 0 && count < 0)
        ++count; // the item above the top one is partly shown: scroll to it first
    const int target = std::clamp(top + count, 0, static_cast<int>(m_rects.size()) - 1);
    const CPoint old = m_origin;
    m_origin.y = m_rects[static_cast<size_t>(target)].full.top - kMargin;
    CalculateLayout();
    if (m_origin == old)
        return FALSE;
    Invalidate();
    return TRUE;
}

BOOL COXSHBListCtrl::EnsureItemVisible(int item)
{
    if (item < 0 || item >= static_cast<int>(m_rects.size()))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const CRect full = m_rects[static_cast<size_t>(item)].full;
    const CPoint old = m_origin;
    if (full.top - kMargin < m_origin.y)
        m_origin.y = full.top - kMargin;
    else if (full.bottom + kMargin > m_origin.y + client.Height())
        m_origin.y = full.bottom + kMargin - client.Height();
    CalculateLayout();
    if (m_origin != old)
        Invalidate();
    return TRUE;
}

void COXSHBListCtrl::RedrawItem(int item)
{
    CRect rect;
    if (GetItemFullRect(item, &rect))
        InvalidateRect(&rect, FALSE);
}

void COXSHBListCtrl::SetHotItem(int item)
{
    if (item == m_hotItem)
        return;
    if (Notify(SHBN_HOTITEM, item) != 0)
        return;
    const int old = m_hotItem;
    if (old >= 0)
        m_lastHotItem = old;
    m_hotItem = item;
    // Another item's tip is asked for afresh.
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.Pop();
    RedrawItem(old);
    RedrawItem(item);
}

BOOL COXSHBListCtrl::SelectItem(int item)
{
    if (item == m_selectedItem)
        return TRUE;
    if (item >= GetItemCount())
        return FALSE;
    if (Notify(SHBN_SELECTITEM, item) != 0)
        return FALSE;
    const int old = m_selectedItem;
    m_selectedItem = item;
    RedrawItem(old);
    RedrawItem(item);
    return TRUE;
}

void COXSHBListCtrl::OnToolTipText(NMTTDISPINFOA* info)
{
    info->szText[0] = '\0';
    info->lpszText = info->szText;
    if (m_hotItem < 0 || !(GetOptions() & SHBS_INFOTIP))
        return;
    const CString text = GetItemTipText(m_hotItem);
    const size_t length = std::min<size_t>(text.GetLength(), sizeof info->szText - 1);
    std::memcpy(info->szText, text.GetString(), length);
    info->szText[length] = '\0';
}

CString COXSHBListCtrl::GetItemTipText(int item)
{
    OXShbInfoTip tip = {};
    Notify(SHBN_GETITEMINFOTIP, item, reinterpret_cast<LPARAM>(&tip));
    tip.text[kShbTipTextMax - 1] = '\0';
    return tip.text;
}

int COXSHBListCtrl::EditItem(int item)
{
    if (item < 0 || item >= GetItemCount())
        return 0;
    if (Notify(SHBN_BEGINITEMEDIT, item) != 0)
        return 0;
    const bool small = GetView() == SHB_SMALLICON;
    if (!m_editor.GetSafeHwnd() &&
        !m_editor.Create(WS_BORDER |
                             (small ? ES_AUTOHSCROLL : ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL),
                         this, kEditorId))
        return 0;
    m_editItem = item;
    CRect caption;
    GetItemCaptionRect(item, &caption);
    m_editor.StartEdit(this, caption, GetItemText(item, 0), ItemFont());
    return 1;
}

LRESULT COXSHBListCtrl::OnEditorNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    const auto* edit = reinterpret_cast<const NMSHBEDIT*>(lParam);
    const int item = m_editItem;
    m_editItem = -1;
    if (item < 0)
        return 0;
    if (edit->accepted)
        SetItemText(item, 0, edit->text);
    // An empty or dropped caption ends the edit all the same.
    Notify(SHBN_ENDITEMEDIT, item, edit->accepted ? reinterpret_cast<LPARAM>(edit->text) : 0);
    return 0;
}

BOOL COXSHBListCtrl::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE; // painted whole, off-screen
}

void COXSHBListCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap =
        ::CreateCompatibleBitmap(dc, std::max(1, client.Width()), std::max(1, client.Height()));
    const HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);

    FillBackground(memory, client);
    for (int i = 0; i < static_cast<int>(m_rects.size()); ++i)
    {
        CRect full;
        GetItemFullRect(i, &full);
        CRect shown;
        if (!shown.IntersectRect(&full, &client))
            continue;
        if (Notify(SHBN_DRAWITEM, i, reinterpret_cast<LPARAM>(memory)) == 0)
            DrawItem(memory, i);
    }
    DrawScrollButtons(memory);
    DrawDropMark(memory);

    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::EndPaint(m_hWnd, &ps);
}

void COXSHBListCtrl::FillBackground(HDC dc, const RECT& rect)
{
    Fill(dc, rect, BackColor());
}

void COXSHBListCtrl::DrawItem(HDC dc, int item)
{
    CRect full;
    CRect icon;
    CRect caption;
    if (!GetItemFullRect(item, &full) || !GetItemIconRect(item, &icon) ||
        !GetItemCaptionRect(item, &caption))
        return;
    const COLORREF background = BackColor();
    Fill(dc, full, background);
    const COLORREF light = ShbShiftColor(background, 64);
    const COLORREF dark = ShbShiftColor(background, -128);
    const bool buttonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    CRect frame = icon;
    frame.DeflateRect(1, 1);
    if (item == m_hotItem && (!buttonDown || item != m_pressedItem))
        Frame3d(dc, frame, light, dark);
    else if (item == m_hotItem && item == m_pressedItem)
        Frame3d(dc, frame, dark, light);
    else if (item == m_selectedItem && (GetOptions() & SHBS_SHOWACTIVEALWAYS))
        Frame3d(dc, frame, dark, light);

    LVITEMA info = {};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    if (CImageList* images = ViewImageList(); images && GetItem(&info) && info.iImage >= 0)
        ::ImageList_Draw(images->GetSafeHandle(), info.iImage, dc, frame.left + 2, frame.top + 2,
                         ILD_TRANSPARENT);

    const CString text = GetItemText(item, 0);
    HFONT font = ItemFont();
    HFONT underlined = nullptr;
    if (item == m_hotItem && (GetOptions() & SHBS_UNDERLINEHOTITEM))
    {
        LOGFONTA logFont = {};
        ::GetObjectA(font, sizeof logFont, &logFont);
        logFont.lfUnderline = TRUE;
        underlined = ::CreateFontIndirectA(&logFont);
        font = underlined;
    }
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, TextColor());
    CRect textRect = caption;
    textRect.DeflateRect(kCaptionInflate, kCaptionInflate);
    const UINT format = GetView() == SHB_SMALLICON ? DT_SINGLELINE | DT_VCENTER | DT_LEFT
                                                   : DT_WORDBREAK | DT_CENTER | DT_EDITCONTROL;
    ::DrawTextA(dc, text, text.GetLength(), &textRect, format | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    if (underlined)
        ::DeleteObject(underlined);
}

void COXSHBListCtrl::DrawScrollButtons(HDC dc)
{
    if (!m_scrollUpRect.IsRectEmpty())
    {
        RECT rect = m_scrollUpRect;
        ::DrawFrameControl(dc, &rect, DFC_SCROLL,
                           DFCS_SCROLLUP | (m_scrollingBy < 0 ? DFCS_PUSHED : 0));
    }
    if (!m_scrollDownRect.IsRectEmpty())
    {
        RECT rect = m_scrollDownRect;
        ::DrawFrameControl(dc, &rect, DFC_SCROLL,
                           DFCS_SCROLLDOWN | (m_scrollingBy > 0 ? DFCS_PUSHED : 0));
    }
}

void COXSHBListCtrl::DrawDropMark(HDC dc)
{
    if (m_dropItem < 0)
        return;
    CRect client;
    GetClientRect(&client);
    int y = kMargin / 2;
    CRect full;
    if (GetItemFullRect(m_dropItem, &full))
        y = full.top - kMargin / 2 - 1;
    else if (GetItemFullRect(static_cast<int>(m_rects.size()) - 1, &full))
        y = full.bottom + kMargin / 2 - 1;
    Fill(dc, CRect(client.left + kMargin, y, client.right - kMargin, y + 2), TextColor());
}

void COXSHBListCtrl::OnSize(UINT type, int cx, int cy)
{
    CListCtrl::OnSize(type, cx, cy);
    if (m_toolTip.GetSafeHwnd())
    {
        const CRect client(0, 0, cx, cy);
        m_toolTip.SetToolRect(this, kToolId, &client);
    }
    CalculateLayout();
    Invalidate();
}

void COXSHBListCtrl::OnDestroy()
{
    KillTimer(kHoverTimer);
    KillTimer(kScrollTimer);
    if (m_editor.GetSafeHwnd())
        m_editor.DestroyWindow();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    m_dropTarget.Revoke();
    CListCtrl::OnDestroy();
}

LRESULT COXSHBListCtrl::OnSetGroup(WPARAM /*wParam*/, LPARAM lParam)
{
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    m_bar = dynamic_cast<COXShortcutBar*>(parent);
    m_group = m_bar ? reinterpret_cast<HSHBGROUP>(lParam) : nullptr;
    m_itemFont.DeleteObject();
    CalculateLayout();
    Invalidate();
    return 0;
}

LRESULT COXSHBListCtrl::OnGroupInfoChanged(WPARAM /*wParam*/, LPARAM lParam)
{
    const UINT mask = static_cast<UINT>(lParam);
    if (mask & SHBIF_DESCRIPTOR)
        m_itemFont.DeleteObject();
    if (mask & (SHBIF_DESCRIPTOR | SHBIF_VIEW))
    {
        CalculateLayout();
        Invalidate();
    }
    return 0;
}

LRESULT COXSHBListCtrl::OnBarInfoChanged(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam & (1 | 0x20))
    {
        m_itemFont.DeleteObject();
        CalculateLayout();
    }
    if (wParam & 0x20)
        Invalidate();
    return 0;
}

int COXSHBListCtrl::InsertionIndexAt(CPoint point) const
{
    for (int i = 0; i < static_cast<int>(m_rects.size()); ++i)
    {
        const CRect full = Scrolled(m_rects[static_cast<size_t>(i)].full);
        if (point.y < full.CenterPoint().y)
            return i;
    }
    return static_cast<int>(m_rects.size());
}

BOOL COXSHBListCtrl::HandleListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const int index = static_cast<int>(wParam);
    switch (msg)
    {
    case LVM_GETBKCOLOR:
    case LVM_GETTEXTBKCOLOR:
        if (!m_bar)
            return FALSE;
        *result = static_cast<LRESULT>(m_bar->GetGroupBkColor(m_group));
        return TRUE;
    case LVM_GETTEXTCOLOR:
        if (!m_bar)
            return FALSE;
        *result = static_cast<LRESULT>(m_bar->GetGroupTextColor(m_group));
        return TRUE;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTBKCOLOR:
        if (!m_bar)
            return FALSE;
        *result = m_bar->SetGroupBkColor(m_group, static_cast<COLORREF>(lParam));
        return TRUE;
    case LVM_SETTEXTCOLOR:
        if (!m_bar)
            return FALSE;
        *result = m_bar->SetGroupTextColor(m_group, static_cast<COLORREF>(lParam));
        return TRUE;
    case LVM_GETITEMRECT:
    {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect)
            return FALSE;
        switch (rect->left)
        {
        case LVIR_ICON: *result = GetItemIconRect(index, rect); break;
        case LVIR_LABEL: *result = GetItemCaptionRect(index, rect); break;
        default: *result = GetItemFullRect(index, rect); break;
        }
        return TRUE;
    }
    case LVM_GETITEMPOSITION:
    {
        CRect full;
        *result = GetItemFullRect(index, &full);
        if (*result && lParam)
            *reinterpret_cast<POINT*>(lParam) = full.TopLeft();
        return TRUE;
    }
    case LVM_HITTEST:
    {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info)
            return FALSE;
        UINT flags = 0;
        info->iItem = HitTestItem(info->pt, &flags);
        info->flags = flags;
        *result = info->iItem;
        return TRUE;
    }
    case LVM_ENSUREVISIBLE: *result = EnsureItemVisible(index); return TRUE;
    case LVM_SCROLL:
    {
        m_origin.y += static_cast<int>(lParam);
        CalculateLayout();
        Invalidate();
        *result = TRUE;
        return TRUE;
    }
    case LVM_REDRAWITEMS:
        Invalidate();
        *result = TRUE;
        return TRUE;
    case LVM_UPDATE:
        CalculateLayout();
        Invalidate();
        *result = TRUE;
        return TRUE;
    case LVM_EDITLABELA:
        *result = EditItem(index) ? reinterpret_cast<LRESULT>(m_editor.GetSafeHwnd()) : 0;
        return TRUE;
    case LVM_GETEDITCONTROL:
        *result = m_editor.IsEditing() ? reinterpret_cast<LRESULT>(m_editor.GetSafeHwnd()) : 0;
        return TRUE;
    case LVM_GETTOPINDEX:
    {
        int top = 0;
        while (top < static_cast<int>(m_rects.size()) &&
               m_rects[static_cast<size_t>(top)].full.bottom <= m_origin.y)
            ++top;
        *result = top < static_cast<int>(m_rects.size()) ? top : 0;
        return TRUE;
    }
    case LVM_GETCOUNTPERPAGE:
    {
        CRect client;
        GetClientRect(&client);
        int count = 0;
        for (const ItemRects& rects : m_rects)
        {
            const CRect full = Scrolled(rects.full);
            count += full.top >= client.top && full.bottom <= client.bottom;
        }
        *result = count;
        return TRUE;
    }
    case LVM_GETORIGIN:
        if (lParam)
            *reinterpret_cast<POINT*>(lParam) = m_origin;
        *result = TRUE;
        return TRUE;
    case LVM_GETVIEWRECT:
    {
        CRect view;
        for (const ItemRects& rects : m_rects)
            view.UnionRect(&view, &rects.full);
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = view;
        *result = TRUE;
        return TRUE;
    }
    case LVM_GETHOTITEM: *result = m_hotItem; return TRUE;
    case LVM_SETHOTITEM:
        *result = m_hotItem;
        SetHotItem(index);
        return TRUE;
    default: return FALSE;
    }
}

namespace
{
// Keeps a remembered index on its item after one is inserted or deleted at index.
void ShiftIndex(int& remembered, int index, bool inserted)
{
    if (remembered < 0)
        return;
    if (inserted)
        remembered += remembered >= index;
    else if (remembered == index)
        remembered = -1;
    else if (remembered > index)
        --remembered;
}
} // namespace

LRESULT COXSHBListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleListMessage(msg, wParam, lParam, &result))
        return result;
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && m_toolTip.GetSafeHwnd())
    {
        MSG relayed = {m_hWnd, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        const DWORD pos = ::GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        m_toolTip.RelayEvent(&relayed);
    }
    switch (msg)
    {
    case WM_NCCALCSIZE:
    {
        // The list-view shows scroll bars for its own idea of the items; ours are buttons.
        const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL))
            ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        break;
    }
    case WM_NOTIFY:
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->code == SHBEN_FINISHEDIT &&
            header->hwndFrom == m_editor.GetSafeHwnd())
            return OnEditorNotify(wParam, lParam);
        if (header && header->code == TTN_GETDISPINFOA &&
            header->hwndFrom == m_toolTip.GetSafeHwnd())
        {
            OnToolTipText(reinterpret_cast<NMTTDISPINFOA*>(lParam));
            return 0;
        }
        break;
    }
    case LVM_INSERTITEMA:
    {
        result = CListCtrl::WindowProc(msg, wParam, lParam);
        const int index = static_cast<int>(result);
        if (index >= 0)
        {
            for (int* remembered : {&m_hotItem, &m_lastHotItem, &m_selectedItem, &m_pressedItem})
                ShiftIndex(*remembered, index, true);
            CalculateLayout();
            Invalidate();
            Notify(SHBN_INSERTITEM, index);
        }
        return result;
    }
    case LVM_DELETEITEM:
    {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= GetItemCount())
            return FALSE;
        Notify(SHBN_DELETEITEM, index);
        if (index == m_editItem)
            m_editor.FinishEdit(FALSE);
        result = CListCtrl::WindowProc(msg, wParam, lParam);
        if (result)
            for (int* remembered : {&m_hotItem, &m_lastHotItem, &m_selectedItem, &m_pressedItem})
                ShiftIndex(*remembered, index, false);
        CalculateLayout();
        Invalidate();
        return result;
    }
    case LVM_DELETEALLITEMS:
        Notify(SHBN_DELETEALLITEMS, -1);
        m_editor.FinishEdit(FALSE);
        result = CListCtrl::WindowProc(msg, wParam, lParam);
        m_hotItem = m_lastHotItem = m_selectedItem = m_pressedItem = -1;
        m_origin = CPoint(0, 0);
        CalculateLayout();
        Invalidate();
        return result;
    case LVM_SETITEMA:
    case LVM_SETITEMTEXTA:
    case LVM_SORTITEMS:
    case LVM_SETIMAGELIST:
    case WM_SETFONT:
        result = CListCtrl::WindowProc(msg, wParam, lParam);
        CalculateLayout();
        Invalidate();
        return result;
    case SHBM_DELETESHBGROUP:
        m_bar = nullptr;
        m_group = nullptr;
        return 0;
    default: break;
    }
    return CListCtrl::WindowProc(msg, wParam, lParam);
}
