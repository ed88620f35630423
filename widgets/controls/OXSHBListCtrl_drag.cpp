// Drag and drop of shortcut bar items: the drag block, starting a drag, and the drop target.
// Block: the text with its null; the item data (pointer-sized); the count of image records
// (0 to 2), each a reserved 0, the list kind (0 normal, 1 small), a byte size and a one-image
// list; the size of the owner's extra data and the data. Integers are 32-bit little-endian.
#include "widgets/controls/OXSHBImages.h"
#include "widgets/controls/OXSHBListCtrl.h"
#include "widgets/controls/OXShortcutBar.h"

#include <algorithm>
#include <cstring>
#include <objidl.h>
#include <string>

namespace
{
constexpr DWORD kNormalList = 0;
constexpr DWORD kSmallList = 1;

void Append(std::string& block, const void* data, size_t size)
{
    block.append(static_cast<const char*>(data), size);
}

void AppendDword(std::string& block, DWORD value)
{
    Append(block, &value, sizeof value);
}

// Reads the block front to back, never past its end.
class BlockReader
{
public:
    BlockReader(const char* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool Text(std::string& text)
    {
        const void* end = std::memchr(m_data + m_at, '\0', m_size - m_at);
        if (!end)
            return false; // an unterminated text
        const size_t length = static_cast<size_t>(static_cast<const char*>(end) - (m_data + m_at));
        text.assign(m_data + m_at, length);
        m_at += length + 1;
        return true;
    }
    template <typename T>
    bool Value(T& value)
    {
        if (m_size - m_at < sizeof value)
            return false;
        std::memcpy(&value, m_data + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool Bytes(size_t size, const char*& bytes)
    {
        if (m_size - m_at < size)
            return false;
        bytes = m_data + m_at;
        m_at += size;
        return true;
    }

private:
    const char* m_data;
    size_t m_size;
    size_t m_at = 0;
};
} // namespace

CLIPFORMAT COXSHBListCtrl::GetDragFormat()
{
    static const auto format =
        static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Shortcut bar child window item"));
    return format;
}

HGLOBAL COXSHBListCtrl::BuildDragData(int item)
{
    if (item < 0 || item >= GetItemCount())
        return nullptr;
    LVITEMA info = {};
    info.mask = LVIF_IMAGE | LVIF_PARAM;
    info.iItem = item;
    GetItem(&info);

    std::string block;
    const CString text = GetItemText(item, 0);
    Append(block, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    const auto data = static_cast<UINT64>(info.lParam);
    Append(block, &data, sizeof data);

    std::string images[2];
    const HIMAGELIST lists[2] = {
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL)),
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL))};
    DWORD count = 0;
    for (int kind = 0; kind < 2; ++kind)
    {
        images[kind] = oxshb::WriteOneImage(lists[kind], info.iImage);
        count += !images[kind].empty();
    }
    AppendDword(block, count);
    for (DWORD kind = kNormalList; kind <= kSmallList; ++kind)
    {
        if (images[kind].empty())
            continue;
        AppendDword(block, 0);
        AppendDword(block, kind);
        AppendDword(block, static_cast<DWORD>(images[kind].size()));
        block += images[kind];
    }
    OXShbDragData extra = {0, nullptr};
    Notify(SHBN_GETDRAGDATA, item, reinterpret_cast<LPARAM>(&extra));
    AppendDword(block, extra.data ? extra.size : 0);
    if (extra.data && extra.size)
        Append(block, extra.data, extra.size);

    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size());
    if (!memory)
        return nullptr;
    std::memcpy(::GlobalLock(memory), block.data(), block.size());
    ::GlobalUnlock(memory);
    return memory;
}

int COXSHBListCtrl::InsertFromDragData(HGLOBAL block, int index)
{
    if (!block)
        return -1;
    const auto* data = static_cast<const char*>(::GlobalLock(block));
    if (!data)
        return -1;
    BlockReader reader(data, ::GlobalSize(block));
    std::string text;
    UINT64 itemData = 0;
    DWORD count = 0;
    bool ok = reader.Text(text) && reader.Value(itemData) && reader.Value(count) && count <= 2;
    int image = -1;
    for (DWORD i = 0; ok && i < count; ++i)
    {
        DWORD reserved = 0;
        DWORD kind = 0;
        DWORD size = 0;
        const char* bytes = nullptr;
        ok = reader.Value(reserved) && reader.Value(kind) && kind <= kSmallList &&
             reader.Value(size) && reader.Bytes(size, bytes);
        if (!ok)
            break;
        const HIMAGELIST ours = reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_GETIMAGELIST, kind == kNormalList ? LVSIL_NORMAL : LVSIL_SMALL));
        const HIMAGELIST theirs = ours ? oxshb::ReadImageList(bytes, size) : nullptr;
        if (theirs)
        {
            const HICON icon = ::ImageList_GetIcon(theirs, 0, ILD_NORMAL);
            const int added = icon ? ::ImageList_AddIcon(ours, icon) : -1;
            if (icon)
                ::DestroyIcon(icon);
            ::ImageList_Destroy(theirs);
            if (image < 0 || kind == kNormalList)
                image = added >= 0 ? added : image;
        }
    }
    DWORD extraSize = 0;
    const char* extra = nullptr;
    ok = ok && reader.Value(extraSize) && reader.Bytes(extraSize, extra);
    int inserted = -1;
    if (ok)
    {
        const int at = std::clamp(index < 0 ? GetItemCount() : index, 0, GetItemCount());
        inserted = InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, at, text.c_str(), 0, 0, image,
                              static_cast<LPARAM>(itemData));
        if (inserted >= 0)
        {
            OXShbDragData dropped = {extraSize, extraSize ? extra : nullptr};
            Notify(SHBN_DROPITEM, inserted, reinterpret_cast<LPARAM>(&dropped));
        }
    }
    ::GlobalUnlock(block);
    return inserted;
}

LRESULT COXSHBListCtrl::OnStartDrag(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const int item = m_dragItem;
    HGLOBAL block = m_dragBlock;
    m_dragBlock = nullptr;
    if (item < 0 || !block || Notify(SHBN_DRAGITEM, item) != 0)
    {
        if (block)
            ::GlobalFree(block);
        m_dragItem = -1;
        return 0;
    }
    COleDataSource source;
    source.CacheGlobalData(GetDragFormat(), block);
    const CString text = GetItemText(item, 0);
    if (const HGLOBAL plain =
            ::GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(text.GetLength()) + 1))
    {
        std::memcpy(::GlobalLock(plain), text.GetString(),
                    static_cast<size_t>(text.GetLength()) + 1);
        ::GlobalUnlock(plain);
        source.CacheGlobalData(CF_TEXT, plain);
    }
    auto* dropSource = reinterpret_cast<COleDropSource*>(Notify(SHBN_GETDROPSOURCE, item));
    LVITEMA info = {};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    CImageList* images = ViewImageList();
    CRect icon;
    GetItemIconRect(item, &icon);
    // The image is held where the pointer took the icon (3 inside the icon rectangle).
    const CPoint hotSpot(m_buttonDownPoint.x - icon.left - 3, m_buttonDownPoint.y - icon.top - 3);
    m_dragImageShown =
        images && GetItem(&info) && info.iImage >= 0 &&
        ::ImageList_BeginDrag(images->GetSafeHandle(), info.iImage, hotSpot.x, hotSpot.y);
    if (m_dragImageShown)
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ::ImageList_DragEnter(nullptr, cursor.x, cursor.y);
    }
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr,
                                                dropSource ? dropSource : &m_dropSource);
    if (m_dragImageShown)
    {
        ::ImageList_DragLeave(nullptr);
        ::ImageList_EndDrag();
        m_dragImageShown = FALSE;
    }
    m_dragItem = -1;
    Notify(SHBN_DRAGDROPENDED, item, static_cast<LPARAM>(effect));
    return 0;
}

DROPEFFECT COXSHBListCtrl::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    Notify(SHBN_DRAGENTER, -1, reinterpret_cast<LPARAM>(data));
    return OnDragOver(data, keyState, point);
}

DROPEFFECT COXSHBListCtrl::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    Notify(SHBN_DRAGOVER, -1, reinterpret_cast<LPARAM>(data));
    if (!data || !data->IsDataAvailable(GetDragFormat()))
    {
        ScrollWhileDragging(0);
        if (m_dropItem >= 0)
        {
            m_dropItem = -1;
            Invalidate();
        }
        return DROPEFFECT_NONE;
    }
    // Near the top or bottom edge the list scrolls on its timer to show more places.
    CRect inner;
    GetClientRect(&inner);
    inner.DeflateRect(kMargin, kMargin);
    ScrollWhileDragging(point.y < inner.top ? -1 : point.y >= inner.bottom ? 1 : 0);
    const int mark = InsertionIndexAt(point);
    if (mark != m_dropItem)
    {
        m_dropItem = mark;
        Invalidate();
    }
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void COXSHBListCtrl::OnDragLeave()
{
    ScrollWhileDragging(0);
    if (m_dropItem >= 0)
    {
        m_dropItem = -1;
        Invalidate();
    }
    Notify(SHBN_DRAGLEAVE, -1);
}

BOOL COXSHBListCtrl::OnDrop(COleDataObject* data, DROPEFFECT /*effect*/, CPoint point)
{
    const int mark = m_dropItem >= 0 ? m_dropItem : InsertionIndexAt(point);
    ScrollWhileDragging(0);
    m_dropItem = -1;
    Invalidate();
    if (!data || !data->IsDataAvailable(GetDragFormat()))
        return FALSE;
    BOOL dropped = TRUE;
    if (Notify(SHBN_DROP, mark, reinterpret_cast<LPARAM>(data)) == 0)
    {
        const HGLOBAL block = data->GetGlobalData(GetDragFormat());
        dropped = InsertFromDragData(block, mark) >= 0;
        if (block)
            ::GlobalFree(block);
    }
    Notify(SHBN_DRAGDROPENDED, mark);
    return dropped;
}

LRESULT COXSHBListCtrl::OnGiveFeedback(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The drag image follows the pointer; the cursors stay the default ones (answer 0).
    if (m_dragImageShown)
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ::ImageList_DragMove(cursor.x, cursor.y);
    }
    return 0;
}

LRESULT COXSHBListCtrl::OnDropMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* record = reinterpret_cast<OXDropRecord*>(lParam);
    const MSG* current = GetCurrentMessage();
    if (!record || !current)
        return 0;
    const CPoint point(record->x, record->y);
    switch (current->message)
    {
    case WM_OX_DRAGENTER:
        record->result = OnDragEnter(record->data, record->keyState, point);
        return 1;
    case WM_OX_DRAGOVER:
        record->result = OnDragOver(record->data, record->keyState, point);
        return 1;
    case WM_OX_DRAGLEAVE: OnDragLeave(); return 1;
    case WM_OX_DROP: record->result = OnDrop(record->data, record->effect, point); return 1;
    default: return 0;
    }
}
