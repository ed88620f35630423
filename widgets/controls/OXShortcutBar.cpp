// The shortcut bar: groups and their information, expanding, layout, the header mouse and
// drag-and-drop handling, and the commands. Painting is in OXShortcutBar_paint.cpp.
#include "widgets/controls/OXShortcutBar.h"

#include "platform/base/exception.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/crackers.h"
#include "widgets/controls/OXSHBListCtrl.h"

#include <algorithm>
#include <cstring>

FW_TABLE(COXShortcutBar, CWnd, fw::on<WM_PAINT, &COXShortcutBar::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXShortcutBar::OnEraseBkgnd>(),
         fw::on<WM_SIZE, &COXShortcutBar::OnSize>(), fw::on<WM_TIMER, &COXShortcutBar::OnTimer>(),
         fw::on<WM_DESTROY, &COXShortcutBar::OnDestroy>(),
         fw::on<WM_MOUSEMOVE, &COXShortcutBar::OnMouseMove>(),
         fw::on<WM_LBUTTONDOWN, &COXShortcutBar::OnLButtonDown>(),
         fw::on<WM_LBUTTONDBLCLK, &COXShortcutBar::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXShortcutBar::OnLButtonUp>(),
         fw::on<WM_CONTEXTMENU, &COXShortcutBar::OnContextMenu>(),
         fw::on<WM_CAPTURECHANGED, &COXShortcutBar::OnCaptureChanged>(),
         fw::command<ID_SHB_LARGEICON, &COXShortcutBar::OnLargeIcon>(),
         fw::command<ID_SHB_SMALLICON, &COXShortcutBar::OnSmallIcon>(),
         fw::update<ID_SHB_LARGEICON, &COXShortcutBar::OnUpdateLargeIcon>(),
         fw::update<ID_SHB_SMALLICON, &COXShortcutBar::OnUpdateSmallIcon>(),
         fw::command<ID_SHB_ADDNEWGROUP, &COXShortcutBar::OnAddNewGroup>(),
         fw::command<ID_SHB_REMOVEGROUP, &COXShortcutBar::OnRemoveGroup>(),
         fw::command<ID_SHB_RENAMEGROUP, &COXShortcutBar::OnRenameGroup>(),
         fw::command<ID_SHB_REMOVEITEM, &COXShortcutBar::OnRemoveItem>(),
         fw::command<ID_SHB_RENAMEITEM, &COXShortcutBar::OnRenameItem>(),
         fw::raw<WM_OX_DRAGENTER, &COXShortcutBar::OnDropMessage>(),
         fw::raw<WM_OX_DRAGOVER, &COXShortcutBar::OnDropMessage>(),
         fw::raw<WM_OX_DRAGLEAVE, &COXShortcutBar::OnDropMessage>(),
         fw::raw<WM_OX_DROP, &COXShortcutBar::OnDropMessage>())

namespace
{
constexpr char kClassName[] = "OXShortcutBar";
constexpr UINT kHotTimerMs = 500;
constexpr int kAnimationStep = 20;
constexpr int kAnimationMs = 100;

BOOL RegisterBarClassOnce()
{
    static const BOOL registered = []
    {
        WNDCLASSA wc = {};
        if (::GetClassInfoA(::GetModuleHandleA(nullptr), kClassName, &wc))
            return TRUE;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kClassName;
        return ::RegisterClassA(&wc) != 0 ? TRUE : FALSE;
    }();
    return registered;
}
} // namespace

BOOL COXShortcutBar::RegisterWindowClass()
{
    return RegisterBarClassOnce();
}

COXShortcutBar::COXShortcutBar()
{
    LOGFONTA font = {};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    if (!m_font.CreateFontIndirect(&font))
        fw::ThrowMemoryException();
}

COXShortcutBar::~COXShortcutBar()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL COXShortcutBar::Create(CWnd* parent, const RECT& rect, DWORD barStyle, UINT id, DWORD style,
                            DWORD exStyle)
{
    if (!RegisterWindowClass())
        return FALSE;
    m_barStyle = barStyle;
    m_creating = true;
    const BOOL created = CreateEx(exStyle, kClassName, "", style | WS_CHILD | WS_CLIPCHILDREN,
                                  rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent ? parent->GetSafeHwnd() : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
    m_creating = false;
    if (!created)
        return FALSE;
    PostCreate();
    return TRUE;
}

void COXShortcutBar::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // A bar made elsewhere (a dialog's control) is set up here; a new one once Create has it.
    if (!m_creating)
        PostCreate();
}

void COXShortcutBar::PostCreate()
{
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetTimer(kHotTimer, kHotTimerMs);
    if (!m_toolTip.GetSafeHwnd() && m_toolTip.Create(this))
    {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKA, &client, kToolId);
    }
    // The owner may offer a drop target of its own.
    auto* target = reinterpret_cast<COleDropTarget*>(Notify(SHBN_GETDROPTARGET, nullptr));
    (target ? target : &m_dropTarget)->Register(this);
}

void COXShortcutBar::SetBarStyle(DWORD barStyle)
{
    m_barStyle = barStyle;
    TellChildren(SHBM_SHBINFOCHANGED, 0x20, 0);
    if (m_hWnd)
        Invalidate();
}

LRESULT COXShortcutBar::Notify(UINT code, HSHBGROUP group, int item, LPARAM value)
{
    if (!m_hWnd)
        return 0;
    NMSHORTCUTBAR record = {};
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    record.hdr.code = code;
    record.group = group;
    record.item = item;
    record.value = value;
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    if (!owner)
        return 0;
    return owner->SendMessage(WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

COXShortcutBar::Group* COXShortcutBar::Find(HSHBGROUP group)
{
    const auto found = m_groups.find(group);
    return found == m_groups.end() ? nullptr : &found->second;
}

const COXShortcutBar::Group* COXShortcutBar::Find(HSHBGROUP group) const
{
    const auto found = m_groups.find(group);
    return found == m_groups.end() ? nullptr : &found->second;
}

BOOL COXShortcutBar::ValidateInfo(const OXShbGroupInfo* info, HSHBGROUP group) const
{
    if (!info || (info->mask & ~SHBIF_ALL))
        return FALSE;
    const int images = m_images && m_images->GetSafeHandle() ? m_images->GetImageCount() : 0;
    if ((info->mask & SHBIF_IMAGE) && (info->image < 0 || info->image >= images))
        return FALSE;
    if ((info->mask & SHBIF_IMAGEEXPANDED) &&
        (info->imageExpanded < 0 || info->imageExpanded >= images))
        return FALSE;
    if (info->mask & SHBIF_ORDER)
    {
        const int order = info->order;
        const bool named = order == SHBGO_FIRST || order == SHBGO_LAST || order == SHBGO_SORTED;
        if (!named && (order < 0 || order >= GetGroupCount()))
            return FALSE;
    }
    if ((info->mask & SHBIF_VIEW) && (info->view < 0 || info->view > 3))
        return FALSE;
    if (info->mask & SHBIF_CHILDWND)
    {
        const HWND child = info->childWnd;
        if (!child || !::IsWindow(child) || !(::GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) ||
            ::GetParent(child) != m_hWnd)
            return FALSE;
        // One window serves one group.
        for (const auto& [handle, record] : m_groups)
            if (record.child == child && handle != group)
                return FALSE;
    }
    if ((info->mask & SHBIF_DESCRIPTOR) && !info->descriptor)
        return FALSE;
    return TRUE;
}

void COXShortcutBar::ApplyInfo(Group& record, const OXShbGroupInfo* info)
{
    if (info->mask & SHBIF_TEXT)
    {
        if (!info->text)
            record.text.Empty();
        else if (info->textLength > 0)
            record.text =
                CString(info->text, static_cast<int>(strnlen(info->text, info->textLength)));
        else
            record.text = info->text;
    }
    if (info->mask & SHBIF_IMAGE)
        record.image = info->image;
    if (info->mask & SHBIF_IMAGEEXPANDED)
        record.imageExpanded = info->imageExpanded;
    if (info->mask & SHBIF_PARAM)
        record.param = info->param;
    if (info->mask & SHBIF_VIEW)
        record.view = info->view == 0 ? SHB_LARGEICON : info->view;
    if (info->mask & SHBIF_DESCRIPTOR)
        record.descriptor = *info->descriptor;
}

HSHBGROUP COXShortcutBar::InsertGroup(const OXShbGroupInfo* info)
{
    if (!m_hWnd || !info)
        return nullptr;
    if (Notify(SHBN_INSERTGROUP, nullptr, -1, reinterpret_cast<LPARAM>(info)) != 0)
        return nullptr;
    if (!ValidateInfo(info, nullptr))
        return nullptr;
    const auto group = reinterpret_cast<HSHBGROUP>(++m_groupCounter);
    Group& record = m_groups[group];
    ApplyInfo(record, info);
    const int order = (info->mask & SHBIF_ORDER) ? info->order : SHBGO_LAST;
    if (order == SHBGO_FIRST)
        m_order.insert(m_order.begin(), group);
    else if (order >= 0)
        m_order.insert(m_order.begin() + order, group);
    else
        m_order.push_back(group);

    if (info->mask & SHBIF_CHILDWND)
        record.child = info->childWnd;
    else if (!CreateGroupList(group, record))
    {
        m_order.erase(std::find(m_order.begin(), m_order.end(), group));
        m_groups.erase(group);
        return nullptr;
    }
    if (order == SHBGO_SORTED)
        SortGroups(m_sortDirection);
    CalculateLayout();
    Invalidate();
    return group;
}

BOOL COXShortcutBar::CreateGroupList(HSHBGROUP group, Group& record)
{
    COXSHBListCtrl* list = NewGroupList();
    if (!list)
        return FALSE;
    record.list.reset(list);
    const DWORD style = WS_CHILD | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSCROLL | LVS_ICON;
    if (!list->Create(style, m_childRect, this, 0))
    {
        record.list.reset();
        return FALSE;
    }
    record.child = list->GetSafeHwnd();
    list->SendMessage(SHBM_SETSHBGROUP, 0, reinterpret_cast<LPARAM>(group));
    return TRUE;
}

COXSHBListCtrl* COXShortcutBar::NewGroupList()
{
    return new COXSHBListCtrl;
}

BOOL COXShortcutBar::DeleteGroup(HSHBGROUP group)
{
    Group* record = Find(group);
    if (!record)
        return FALSE;
    if (Notify(SHBN_DELETEGROUP, group) != 0)
        return FALSE;
    if (m_editGroup == group)
        m_editor.FinishEdit(FALSE);
    m_order.erase(std::find(m_order.begin(), m_order.end(), group));
    if (record->child && ::IsWindow(record->child))
    {
        ::ShowWindow(record->child, SW_HIDE);
        ::SendMessageA(record->child, SHBM_DELETESHBGROUP, 0, 0);
    }
    for (HSHBGROUP* tracked :
         {&m_expandedGroup, &m_pressedGroup, &m_dragGroup, &m_hotGroup, &m_dragHoverGroup,
          &m_contextGroup, &m_editGroup, &m_dropTargetGroup})
        if (*tracked == group)
            *tracked = nullptr;
    m_headerFonts.erase(group);
    m_groups.erase(group); // destroys the bar's own list of the group
    CalculateLayout();
    Invalidate();
    return TRUE;
}

BOOL COXShortcutBar::DeleteAllGroups()
{
    const std::vector<HSHBGROUP> groups = m_order;
    BOOL all = TRUE;
    for (HSHBGROUP group : groups)
        all = DeleteGroup(group) && all;
    return all;
}

BOOL COXShortcutBar::SetGroupInfo(HSHBGROUP group, const OXShbGroupInfo* info)
{
    if (!group)
    {
        if (!info || (info->mask & SHBIF_CHILDWND))
            return FALSE; // one window cannot serve every group
        BOOL all = TRUE;
        const std::vector<HSHBGROUP> groups = m_order;
        for (HSHBGROUP each : groups)
            all = SetGroupInfo(each, info) && all;
        return all;
    }
    Group* record = Find(group);
    if (!record || !ValidateInfo(info, group))
        return FALSE;
    ApplyInfo(*record, info);
    if (info->mask & SHBIF_DESCRIPTOR)
        m_headerFonts.erase(group);
    if ((info->mask & SHBIF_CHILDWND) && info->childWnd != record->child)
    {
        if (record->child && ::IsWindow(record->child))
            ::ShowWindow(record->child, SW_HIDE);
        record->list.reset();
        record->child = info->childWnd;
    }
    if (info->mask & SHBIF_ORDER)
        SetGroupOrder(group, info->order);
    if (record->child)
        ::SendMessageA(record->child, SHBM_GROUPINFOCHANGED, 0, static_cast<LPARAM>(info->mask));
    if (info->mask & (SHBIF_VIEW | SHBIF_DESCRIPTOR))
        TellChildren(SHBM_SHBINFOCHANGED, 0x20, 0);
    CalculateLayout();
    Invalidate();
    return TRUE;
}

BOOL COXShortcutBar::GetGroupInfo(HSHBGROUP group, OXShbGroupInfo* info) const
{
    const Group* record = Find(group);
    if (!record || !info || (info->mask & ~SHBIF_ALL))
        return FALSE;
    if (info->mask & SHBIF_TEXT)
    {
        info->text = const_cast<char*>(record->text.GetString());
        info->textLength = record->text.GetLength();
        info->ownsText = FALSE;
    }
    if (info->mask & SHBIF_IMAGE)
        info->image = record->image;
    if (info->mask & SHBIF_IMAGEEXPANDED)
        info->imageExpanded = record->imageExpanded;
    if (info->mask & SHBIF_PARAM)
        info->param = record->param;
    if (info->mask & SHBIF_ORDER)
        info->order = GetGroupOrder(group);
    if (info->mask & SHBIF_VIEW)
        info->view = record->view;
    if (info->mask & SHBIF_DESCRIPTOR)
        info->descriptor = const_cast<OXShbGroupDescriptor*>(&record->descriptor);
    if (info->mask & SHBIF_CHILDWND)
        info->childWnd = record->child;
    return TRUE;
}

BOOL COXShortcutBar::SetGroupText(HSHBGROUP group, const char* text)
{
    OXShbGroupInfo info;
    info.mask = SHBIF_TEXT;
    info.text = const_cast<char*>(text ? text : "");
    return SetGroupInfo(group, &info);
}

CString COXShortcutBar::GetGroupText(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return record ? record->text : CString();
}

BOOL COXShortcutBar::SetGroupOrder(HSHBGROUP group, int order)
{
    if (!Find(group))
        return FALSE;
    OXShbGroupInfo check;
    check.mask = SHBIF_ORDER;
    check.order = order;
    if (!ValidateInfo(&check, group))
        return FALSE;
    m_order.erase(std::find(m_order.begin(), m_order.end(), group));
    if (order == SHBGO_FIRST)
        m_order.insert(m_order.begin(), group);
    else if (order >= 0)
        m_order.insert(m_order.begin() + std::min<size_t>(order, m_order.size()), group);
    else
        m_order.push_back(group);
    if (order == SHBGO_SORTED)
        SortGroups(m_sortDirection);
    CalculateLayout();
    Invalidate();
    return TRUE;
}

int COXShortcutBar::GetGroupOrder(HSHBGROUP group) const
{
    const auto found = std::find(m_order.begin(), m_order.end(), group);
    return found == m_order.end() ? -1 : static_cast<int>(found - m_order.begin());
}

BOOL COXShortcutBar::SetGroupView(HSHBGROUP group, int view)
{
    OXShbGroupInfo info;
    info.mask = SHBIF_VIEW;
    info.view = view;
    return SetGroupInfo(group, &info);
}

int COXShortcutBar::GetGroupView(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return record ? record->view : 0;
}

BOOL COXShortcutBar::SetGroupDescriptor(HSHBGROUP group, const OXShbGroupDescriptor* descriptor)
{
    OXShbGroupInfo info;
    info.mask = SHBIF_DESCRIPTOR;
    info.descriptor = const_cast<OXShbGroupDescriptor*>(descriptor);
    return SetGroupInfo(group, &info);
}

BOOL COXShortcutBar::SetGroupChildWnd(HSHBGROUP group, CWnd* child)
{
    OXShbGroupInfo info;
    info.mask = SHBIF_CHILDWND;
    info.childWnd = child ? child->GetSafeHwnd() : nullptr;
    return SetGroupInfo(group, &info);
}

CWnd* COXShortcutBar::GetGroupChildWnd(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return record && record->child ? CWnd::FromHandle(record->child) : nullptr;
}

LPARAM COXShortcutBar::GetGroupData(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return record ? record->param : 0;
}

namespace
{
// A descriptor field, or its default when the descriptor leaves it out.
template <typename T>
T Field(const OXShbGroupDescriptor* descriptor, UINT bit, T OXShbGroupDescriptor::*member,
        T fallback)
{
    return descriptor && (descriptor->mask & bit) ? descriptor->*member : fallback;
}
} // namespace

COLORREF COXShortcutBar::GetGroupBkColor(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_CLRBACKGROUND,
                 &OXShbGroupDescriptor::clrBackground, ::GetSysColor(COLOR_BTNSHADOW));
}

COLORREF COXShortcutBar::GetGroupTextColor(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_CLRTEXT,
                 &OXShbGroupDescriptor::clrText, ::GetSysColor(COLOR_CAPTIONTEXT));
}

COLORREF COXShortcutBar::GetGroupHeaderBkColor(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_CLRHEADERBK,
                 &OXShbGroupDescriptor::clrHeaderBackground, ::GetSysColor(COLOR_BTNFACE));
}

COLORREF COXShortcutBar::GetGroupHeaderTextColor(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_CLRHEADERTEXT,
                 &OXShbGroupDescriptor::clrHeaderText, ::GetSysColor(COLOR_BTNTEXT));
}

UINT COXShortcutBar::GetGroupHeaderTextFormat(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_HEADERFORMAT,
                 &OXShbGroupDescriptor::headerTextFormat, kDefaultHeaderFormat);
}

int COXShortcutBar::GetGroupHeaderHeight(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return Field(record ? &record->descriptor : nullptr, SHBD_HEADERHEIGHT,
                 &OXShbGroupDescriptor::headerHeight, kDefaultHeaderHeight);
}

BOOL COXShortcutBar::GetGroupTextFont(HSHBGROUP group, LOGFONTA* font) const
{
    const Group* record = Find(group);
    if (!record || !font)
        return FALSE;
    if (record->descriptor.mask & SHBD_TEXTFONT)
    {
        *font = record->descriptor.textFont;
        return TRUE;
    }
    HFONT childFont = record->child
                          ? reinterpret_cast<HFONT>(::SendMessageA(record->child, WM_GETFONT, 0, 0))
                          : nullptr;
    // The bar's list takes its font from here: its own would be ours again.
    if (record->list || !childFont)
        childFont = static_cast<HFONT>(m_font.GetSafeHandle());
    return ::GetObjectA(childFont, sizeof *font, font) != 0;
}

BOOL COXShortcutBar::GetGroupHeaderFont(HSHBGROUP group, LOGFONTA* font) const
{
    const Group* record = Find(group);
    if (!record || !font)
        return FALSE;
    if (record->descriptor.mask & SHBD_HEADERFONT)
        *font = record->descriptor.headerFont;
    else
        m_font.GetLogFont(font);
    return TRUE;
}

namespace
{
template <typename T>
void SetField(OXShbGroupDescriptor& descriptor, UINT bit, T OXShbGroupDescriptor::*member, T value)
{
    descriptor.*member = value;
    descriptor.mask |= bit;
}
} // namespace

BOOL COXShortcutBar::SetGroupBkColor(HSHBGROUP group, COLORREF color)
{
    const Group* record = Find(group);
    if (!record)
        return FALSE;
    OXShbGroupDescriptor descriptor = record->descriptor;
    SetField(descriptor, SHBD_CLRBACKGROUND, &OXShbGroupDescriptor::clrBackground, color);
    return SetGroupDescriptor(group, &descriptor);
}

BOOL COXShortcutBar::SetGroupTextColor(HSHBGROUP group, COLORREF color)
{
    const Group* record = Find(group);
    if (!record)
        return FALSE;
    OXShbGroupDescriptor descriptor = record->descriptor;
    SetField(descriptor, SHBD_CLRTEXT, &OXShbGroupDescriptor::clrText, color);
    return SetGroupDescriptor(group, &descriptor);
}

BOOL COXShortcutBar::SetGroupHeaderBkColor(HSHBGROUP group, COLORREF color)
{
    const Group* record = Find(group);
    if (!record)
        return FALSE;
    OXShbGroupDescriptor descriptor = record->descriptor;
    SetField(descriptor, SHBD_CLRHEADERBK, &OXShbGroupDescriptor::clrHeaderBackground, color);
    return SetGroupDescriptor(group, &descriptor);
}

BOOL COXShortcutBar::SetGroupHeaderTextColor(HSHBGROUP group, COLORREF color)
{
    const Group* record = Find(group);
    if (!record)
        return FALSE;
    OXShbGroupDescriptor descriptor = record->descriptor;
    SetField(descriptor, SHBD_CLRHEADERTEXT, &OXShbGroupDescriptor::clrHeaderText, color);
    return SetGroupDescriptor(group, &descriptor);
}

BOOL COXShortcutBar::SetGroupHeaderHeight(HSHBGROUP group, int height)
{
    const Group* record = Find(group);
    if (!record || height < 0)
        return FALSE;
    OXShbGroupDescriptor descriptor = record->descriptor;
    SetField(descriptor, SHBD_HEADERHEIGHT, &OXShbGroupDescriptor::headerHeight, height);
    return SetGroupDescriptor(group, &descriptor);
}

HSHBGROUP COXShortcutBar::FindGroupByOrder(int order) const
{
    if (order < 0 || order >= GetGroupCount())
        return nullptr;
    return m_order[static_cast<size_t>(order)];
}

BOOL COXShortcutBar::CompareGroups(const OXShbGroupInfo* a, const OXShbGroupInfo* b) const
{
    if (!a || !b || (a->mask & ~SHBIF_ALL) || (b->mask & ~SHBIF_ALL))
        return FALSE;
    if ((a->mask & b->mask) != a->mask)
        return FALSE;
    if (a->mask & SHBIF_TEXT)
    {
        const int length = a->textLength > 0 ? a->textLength
                                             : static_cast<int>(a->text ? std::strlen(a->text) : 0);
        const int otherLength = b->textLength > 0
                                    ? b->textLength
                                    : static_cast<int>(b->text ? std::strlen(b->text) : 0);
        if (otherLength < length || (length > 0 && std::memcmp(a->text, b->text, length) != 0))
            return FALSE;
    }
    if (((a->mask & SHBIF_IMAGE) && a->image != b->image) ||
        ((a->mask & SHBIF_IMAGEEXPANDED) && a->imageExpanded != b->imageExpanded) ||
        ((a->mask & SHBIF_PARAM) && a->param != b->param) ||
        ((a->mask & SHBIF_ORDER) && a->order != b->order) ||
        ((a->mask & SHBIF_VIEW) && a->view != b->view) ||
        ((a->mask & SHBIF_CHILDWND) && a->childWnd != b->childWnd))
        return FALSE;
    if (a->mask & SHBIF_DESCRIPTOR)
    {
        if (!a->descriptor || !b->descriptor ||
            std::memcmp(a->descriptor, b->descriptor, sizeof(OXShbGroupDescriptor)) != 0)
            return FALSE;
    }
    return TRUE;
}

void COXShortcutBar::SortGroups(int direction)
{
    m_sortDirection = direction < 0 ? -1 : 1;
    if (m_order.size() < 2)
        return;
    bool swapped = true;
    while (swapped)
    {
        swapped = false;
        for (size_t i = 0; i + 1 < m_order.size(); ++i)
        {
            const int compared =
                ::lstrcmpiA(m_groups[m_order[i]].text, m_groups[m_order[i + 1]].text);
            if (compared * m_sortDirection > 0)
            {
                std::swap(m_order[i], m_order[i + 1]);
                swapped = true;
            }
        }
    }
    if (m_hWnd)
    {
        CalculateLayout();
        Invalidate();
    }
}

BOOL COXShortcutBar::ExpandGroup(HSHBGROUP group)
{
    KillTimer(kDragExpandTimer);
    m_dragHoverGroup = nullptr;
    if (!Find(group))
        return FALSE;
    if (group == m_expandedGroup)
        return TRUE;
    if (Notify(SHBN_GROUPEXPANDING, group) != 0)
        return FALSE;
    const HSHBGROUP old = m_expandedGroup;
    if ((m_barStyle & SHBS_ANIMATEEXPAND) && old && IsWindowVisible())
        Animate(old, group);
    m_expandedGroup = group;
    CalculateLayout();
    Invalidate();
    Notify(SHBN_GROUPEXPANDED, group);
    return TRUE;
}

void COXShortcutBar::Animate(HSHBGROUP from, HSHBGROUP to)
{
    // Targets: the headers where the new group's layout puts them.
    const CRect childArea = m_childRect;
    std::map<HSHBGROUP, CRect> start;
    for (const auto& [handle, record] : m_groups)
        start[handle] = record.header;
    m_expandedGroup = to;
    const bool fits = LayoutHeaders();
    std::map<HSHBGROUP, CRect> target;
    for (auto& [handle, record] : m_groups)
    {
        target[handle] = record.header;
        record.header = start[handle];
    }
    m_expandedGroup = from;
    m_childRect = childArea;
    // No area to slide through: no steps (and no division by zero).
    const int steps = childArea.Height() / kAnimationStep;
    if (!fits || steps <= 0)
        return;
    const bool upwards = GetGroupOrder(to) < GetGroupOrder(from);
    const HWND oldChild = Find(from)->child;
    int moved = 0;
    for (int step = 0; step < steps; ++step)
    {
        moved += step < steps / 2 ? kAnimationStep : 2 * kAnimationStep;
        for (auto& [handle, record] : m_groups)
        {
            const int distance = target[handle].top - start[handle].top;
            const int shift = distance > 0 ? std::min(moved, distance) : std::max(-moved, distance);
            record.header = start[handle];
            record.header.OffsetRect(0, shift);
        }
        if (oldChild)
        {
            CRect shrunk = childArea;
            if (upwards)
                shrunk.top = std::min(childArea.bottom, childArea.top + moved);
            else
                shrunk.bottom = std::max(childArea.top, childArea.bottom - moved);
            ::MoveWindow(oldChild, shrunk.left, shrunk.top, shrunk.Width(), shrunk.Height(), TRUE);
        }
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(static_cast<DWORD>(kAnimationMs / steps));
    }
}

void COXShortcutBar::CalculateLayout()
{
    if (!m_hWnd || !LayoutHeaders())
        return;
    for (auto& [handle, record] : m_groups)
    {
        if (!record.child || !::IsWindow(record.child))
            continue;
        if (handle == m_expandedGroup)
        {
            ::MoveWindow(record.child, m_childRect.left, m_childRect.top, m_childRect.Width(),
                         m_childRect.Height(), TRUE);
            ::ShowWindow(record.child, SW_SHOWNA);
        }
        else
            ::ShowWindow(record.child, SW_HIDE);
    }
}

bool COXShortcutBar::LayoutHeaders()
{
    CRect client;
    GetClientRect(&client);
    int y = client.top;
    for (HSHBGROUP group : m_order)
    {
        Group& record = m_groups[group];
        record.header.SetRect(client.left, y, client.right, y + GetGroupHeaderHeight(group));
        y = record.header.bottom + m_headerSpacing;
    }
    if (y - m_headerSpacing > client.bottom)
        return false; // the headers overflow: nothing more fits
    m_childRect.SetRectEmpty();
    if (m_expandedGroup)
    {
        int bottom = client.bottom;
        for (auto it = m_order.rbegin(); it != m_order.rend() && *it != m_expandedGroup; ++it)
        {
            Group& record = m_groups[*it];
            const int height = record.header.Height();
            record.header.SetRect(client.left, bottom - height, client.right, bottom);
            bottom = record.header.top - m_headerSpacing;
        }
        const CRect& expanded = m_groups[m_expandedGroup].header;
        m_childRect.SetRect(client.left, expanded.bottom + m_headerSpacing, client.right,
                            bottom + m_headerSpacing);
        if (m_childRect.bottom < m_childRect.top)
            m_childRect.bottom = m_childRect.top;
    }
    return true;
}

CRect COXShortcutBar::GetHeaderRect(HSHBGROUP group) const
{
    const Group* record = Find(group);
    return record ? record->header : CRect();
}

HSHBGROUP COXShortcutBar::HitTestHeader(CPoint point) const
{
    for (HSHBGROUP group : m_order)
        if (Find(group)->header.PtInRect(point))
            return group;
    return nullptr;
}

void COXShortcutBar::TellChildren(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, msg, wParam, lParam);
}

COXSHBListCtrl* COXShortcutBar::ExpandedList() const
{
    const Group* record = Find(m_expandedGroup);
    if (!record || !record->child)
        return nullptr;
    return dynamic_cast<COXSHBListCtrl*>(CWnd::FromHandlePermanent(record->child));
}

BOOL COXShortcutBar::EditGroupHeader(HSHBGROUP group)
{
    Group* record = Find(group);
    if (!record)
        return FALSE;
    if (!m_editor.GetSafeHwnd() &&
        !m_editor.Create(WS_BORDER | ES_AUTOHSCROLL | ES_CENTER, this, kHeaderEditorId))
        return FALSE;
    m_editGroup = group;
    return m_editor.StartEdit(this, record->header, record->text, HeaderFont(group));
}

CString COXShortcutBar::GetHeaderTipText(HSHBGROUP group)
{
    OXShbInfoTip tip = {};
    Notify(SHBN_GETHEADERINFOTIP, group, -1, reinterpret_cast<LPARAM>(&tip));
    tip.text[kShbTipTextMax - 1] = '\0';
    return tip.text;
}

void COXShortcutBar::OnToolTipText(NMTTDISPINFOA* info)
{
    info->szText[0] = '\0';
    info->lpszText = info->szText;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const HSHBGROUP group = HitTestHeader(point);
    if (!group)
        return;
    const CString text = GetHeaderTipText(group);
    const size_t length = std::min<size_t>(text.GetLength(), sizeof info->szText - 1);
    std::memcpy(info->szText, text.GetString(), length);
    info->szText[length] = '\0';
}

LRESULT COXShortcutBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && m_toolTip.GetSafeHwnd())
    {
        MSG relayed = {m_hWnd, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        const DWORD pos = ::GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        m_toolTip.RelayEvent(&relayed);
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL COXShortcutBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == TTN_GETDISPINFOA && header->hwndFrom == m_toolTip.GetSafeHwnd())
    {
        OnToolTipText(reinterpret_cast<NMTTDISPINFOA*>(lParam));
        if (result)
            *result = 0;
        return TRUE;
    }
    if (header && header->code == SHBEN_FINISHEDIT && header->hwndFrom == m_editor.GetSafeHwnd())
    {
        const auto* edit = reinterpret_cast<const NMSHBEDIT*>(lParam);
        const HSHBGROUP group = m_editGroup;
        m_editGroup = nullptr;
        if (edit->accepted && Find(group))
        {
            SetGroupText(group, edit->text);
            Notify(SHBN_ENDHEADEREDIT, group, -1, reinterpret_cast<LPARAM>(edit->text));
        }
        if (result)
            *result = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

void COXShortcutBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_toolTip.GetSafeHwnd())
    {
        const CRect client(0, 0, cx, cy);
        m_toolTip.SetToolRect(this, kToolId, &client);
    }
    CalculateLayout();
    Invalidate();
}

void COXShortcutBar::OnDestroy()
{
    KillTimer(kHotTimer);
    KillTimer(kPressTimer);
    KillTimer(kDragExpandTimer);
    m_dropTarget.Revoke();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    CWnd::OnDestroy();
}
