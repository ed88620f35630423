// List view and header wrappers.
#include "platform/ctrl/listctrl.h"

#include "platform/ctrl/ctrltemp.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/ownerdraw.h"
#include "platform/ctrl/stdctrl.h"

#include <string>

namespace
{
template <class T>
LPARAM Ptr(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}
} // namespace

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, WC_HEADERA, nullptr, style, rect, parent, id);
}

CHeaderCtrl* CHeaderCtrl::FromHandle(HWND hwnd)
{
    return fw::ControlFromHandle<CHeaderCtrl>(hwnd);
}

BOOL CHeaderCtrl::GetItem(int index, HDITEMA* item) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

BOOL CHeaderCtrl::SetItem(int index, const HDITEMA* item)
{
    return static_cast<BOOL>(SendMessage(HDM_SETITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

int CHeaderCtrl::InsertItem(int index, const HDITEMA* item)
{
    return static_cast<int>(SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), Ptr(rect)));
}

int CHeaderCtrl::HitTest(HDHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(HDM_HITTEST, 0, Ptr(info)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* list)
{
    const LRESULT old = SendMessage(HDM_SETIMAGELIST, 0, Ptr(list ? list->m_hImageList : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CHeaderCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectDrawItem(this, msg, lParam, result);
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, WC_LISTVIEWA, nullptr, style, rect, parent, id);
}

BOOL CListCtrl::GetItem(LVITEMA* item) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, Ptr(item)));
}

BOOL CListCtrl::SetItem(const LVITEMA* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, Ptr(item)));
}

int CListCtrl::InsertItem(const LVITEMA* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, Ptr(item)));
}

int CListCtrl::InsertItem(int index, const char* text)
{
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, const char* text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, const char* text, UINT state, UINT stateMask,
                          int image, LPARAM data)
{
    LVITEMA item = {};
    item.mask = mask;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.state = state;
    item.stateMask = stateMask;
    item.iImage = image;
    item.lParam = data;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // The control copies at most the buffer's size: grow until the text fits.
    std::string buffer(256, '\0');
    for (;;)
    {
        const int copied = GetItemText(index, subItem, &buffer[0], static_cast<int>(buffer.size()));
        if (copied < static_cast<int>(buffer.size()) - 1)
        {
            buffer.resize(static_cast<size_t>(copied > 0 ? copied : 0));
            return CString(buffer);
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

int CListCtrl::GetItemText(int index, int subItem, char* buffer, int size) const
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = size;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), Ptr(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), Ptr(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), Ptr(&item)));
}

int CListCtrl::GetNextItem(int index, int flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(index), flags));
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), Ptr(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, LPRECT rect) const
{
    rect->top = subItem;
    rect->left = code;
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), Ptr(rect)));
}

BOOL CListCtrl::GetItemPosition(int index, LPPOINT point) const
{
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMPOSITION, static_cast<WPARAM>(index), Ptr(point)));
}

BOOL CListCtrl::SetItemPosition(int index, POINT point)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMPOSITION32, static_cast<WPARAM>(index), Ptr(&point)));
}

BOOL CListCtrl::GetViewRect(LPRECT rect) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETVIEWRECT, 0, Ptr(rect)));
}

BOOL CListCtrl::GetOrigin(LPPOINT point) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETORIGIN, 0, Ptr(point)));
}

DWORD CListCtrl::GetItemSpacing(BOOL smallIcons) const
{
    return static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, smallIcons));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int index = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return index;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, Ptr(info)));
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info)
{
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, Ptr(info)));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk));
}

BOOL CListCtrl::Scroll(CSize size)
{
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
}

BOOL CListCtrl::RedrawItems(int first, int last)
{
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
}

int CListCtrl::GetStringWidth(const char* text) const
{
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHA, 0, Ptr(text)));
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNA* info)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), Ptr(info)));
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width, int subItem)
{
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.pszText = const_cast<char*>(heading);
    info.fmt = format;
    if (width != -1)
    {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1)
    {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMNA* info) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), Ptr(info)));
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMNA* info)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(column), Ptr(info)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

BOOL CListCtrl::GetColumnOrderArray(LPINT order, int count) const
{
    if (count < 0)
    {
        const CHeaderCtrl* header = GetHeaderCtrl();
        count = header ? header->GetItemCount() : 0;
    }
    return static_cast<BOOL>(
        SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), Ptr(order)));
}

BOOL CListCtrl::SetColumnOrderArray(int count, LPINT order)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), Ptr(order)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return CHeaderCtrl::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    const LRESULT old = SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                    Ptr(list ? list->m_hImageList : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind))));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
}

CWnd* CListCtrl::EditLabel(int index)
{
    return CWnd::FromHandle(
        reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(index))));
}

CWnd* CListCtrl::GetEditControl() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR argument)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(argument),
                                         reinterpret_cast<LPARAM>(compare)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CListCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectDrawItem(this, msg, lParam, result);
}
