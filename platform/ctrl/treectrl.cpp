// Tree view wrapper.
#include "platform/ctrl/treectrl.h"

#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/stdctrl.h"

#include <memory>
#include <string>

namespace
{
template <class T>
LPARAM Ptr(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

WPARAM Item(HTREEITEM item)
{
    return reinterpret_cast<WPARAM>(item);
}
} // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, WC_TREEVIEWA, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTA* insert)
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, Ptr(insert)));
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after)
{
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0,
                      0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, const char* text, int image, int selectedImage,
                                UINT state, UINT stateMask, LPARAM data, HTREEITEM parent,
                                HTREEITEM after)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = mask;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    insert.item.lParam = data;
    return InsertItem(&insert);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(
        SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    TVITEMA info = {};
    info.mask = TVIF_CHILDREN;
    info.hItem = item;
    return GetItem(&info) && info.cChildren != 0;
}

BOOL CTreeCtrl::GetItem(TVITEMA* item) const
{
    return static_cast<BOOL>(SendMessage(TVM_GETITEMA, 0, Ptr(item)));
}

BOOL CTreeCtrl::SetItem(const TVITEMA* item)
{
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, Ptr(item)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    std::string buffer(256, '\0');
    for (;;)
    {
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = &buffer[0];
        info.cchTextMax = static_cast<int>(buffer.size());
        if (!GetItem(&info))
            return CString();
        const size_t length = std::char_traits<char>::length(info.pszText);
        if (length < buffer.size() - 1)
            return CString(std::string(info.pszText, length));
        buffer.assign(buffer.size() * 2, '\0');
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text)
{
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = const_cast<char*>(text);
    return SetItem(&info);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    TVITEMA info = {};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    if (!GetItem(&info))
        return FALSE;
    image = info.iImage;
    selectedImage = info.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    TVITEMA info = {};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    info.iImage = image;
    info.iSelectedImage = selectedImage;
    return SetItem(&info);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, Item(item), mask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask)
{
    TVITEMA info = {};
    info.mask = TVIF_STATE;
    info.hItem = item;
    info.state = state;
    info.stateMask = mask;
    return SetItem(&info);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
{
    // The item goes in as the first bytes of the rectangle.
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, textOnly, Ptr(rect)));
}

BOOL CTreeCtrl::Select(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const
{
    TVHITTESTINFO info = {};
    info.pt = point;
    const HTREEITEM item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, Ptr(info)));
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int kind)
{
    const LRESULT old = SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                    Ptr(list ? list->m_hImageList : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CTreeCtrl::GetImageList(int kind) const
{
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(kind))));
}

CWnd* CTreeCtrl::EditLabel(HTREEITEM item)
{
    return CWnd::FromHandle(
        reinterpret_cast<HWND>(SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item))));
}

CWnd* CTreeCtrl::GetEditControl() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL)));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::SortChildrenCB(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM argument)
{
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = compare;
    sort.lParam = argument;
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, Ptr(&sort)));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM item)
{
    const auto list = reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item)));
    if (!list)
        return nullptr;
    auto image = std::make_unique<CImageList>();
    image->Attach(list);
    return image.release();
}

CWnd* CTreeCtrl::GetToolTips() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_GETTOOLTIPS)));
}

CWnd* CTreeCtrl::SetToolTips(CWnd* tips)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(
        TVM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips ? tips->GetSafeHwnd() : nullptr))));
}
