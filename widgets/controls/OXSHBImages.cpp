// Images of the shortcut bar and its lists as bytes: one icon as a one-image list for a drag,
// and a bar's chosen icons in a block kept by its owner.
#include "widgets/controls/OXSHBImages.h"

#include "platform/base/archive.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "widgets/controls/OXShortcutBar.h"

#include <cstring>
#include <objidl.h>

namespace oxshb
{
// One image of a list, as the bytes of a one-image list; empty when it cannot be written.
std::string WriteOneImage(HIMAGELIST list, int image)
{
    std::string bytes;
    int cx = 0;
    int cy = 0;
    if (!list || image < 0 || image >= ::ImageList_GetImageCount(list) ||
        !::ImageList_GetIconSize(list, &cx, &cy))
        return bytes;
    const HIMAGELIST single = ::ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0);
    const HICON icon = ::ImageList_GetIcon(list, image, ILD_NORMAL);
    IStream* stream = nullptr;
    if (single && icon && ::ImageList_AddIcon(single, icon) == 0 &&
        SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        ::ImageList_Write(single, stream))
    {
        HGLOBAL memory = nullptr;
        if (SUCCEEDED(::GetHGlobalFromStream(stream, &memory)))
        {
            STATSTG stat = {};
            stream->Stat(&stat, STATFLAG_NONAME);
            const auto* data = static_cast<const char*>(::GlobalLock(memory));
            if (data)
                bytes.assign(data, static_cast<size_t>(stat.cbSize.QuadPart));
            ::GlobalUnlock(memory);
        }
    }
    if (stream)
        stream->Release();
    if (icon)
        ::DestroyIcon(icon);
    if (single)
        ::ImageList_Destroy(single);
    return bytes;
}

// The list the bytes hold; null when they are no image list.
HIMAGELIST ReadImageList(const char* bytes, size_t size)
{
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory)
        return nullptr;
    if (void* data = ::GlobalLock(memory))
    {
        std::memcpy(data, bytes, size);
        ::GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    HIMAGELIST list = nullptr;
    if (SUCCEEDED(::CreateStreamOnHGlobal(memory, TRUE, &stream)))
    {
        list = ::ImageList_Read(stream);
        stream->Release();
    }
    else
        ::GlobalFree(memory);
    return list;
}
} // namespace oxshb

std::vector<BYTE> COXShortcutBar::SaveImageList(HIMAGELIST images, const std::vector<int>& indexes)
{
    std::vector<std::string> icons;
    for (const int index : indexes)
    {
        std::string bytes = oxshb::WriteOneImage(images, index);
        if (bytes.empty())
            return {};
        icons.push_back(std::move(bytes));
    }
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive << static_cast<int32_t>(icons.size());
        for (const std::string& icon : icons)
        {
            archive << static_cast<uint32_t>(icon.size());
            archive.Write(icon.data(), static_cast<UINT>(icon.size()));
        }
        archive.Close();
    }
    const auto size = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> block(data, data + size);
    std::free(data);
    return block;
}

namespace
{
// Appends count icons from the archive to list (made at the first icon's size); false when
// the bytes run out or are no image list. left: the bytes the archive still holds.
bool ReadIcons(CArchive& archive, int32_t count, size_t left, HIMAGELIST& list)
{
    for (int32_t i = 0; i < count; ++i)
    {
        uint32_t bytes = 0;
        if (left < sizeof bytes)
            return false;
        archive >> bytes;
        left -= sizeof bytes;
        if (bytes > left)
            return false;
        std::string icon(bytes, '\0');
        if (archive.Read(icon.data(), bytes) != bytes)
            return false;
        left -= bytes;
        const HIMAGELIST one = oxshb::ReadImageList(icon.data(), icon.size());
        if (!one)
            return false;
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(one, &cx, &cy);
        if (!list)
            list = ::ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, count, 4);
        const HICON image = ::ImageList_GetIcon(one, 0, ILD_NORMAL);
        const int added = image && list ? ::ImageList_AddIcon(list, image) : -1;
        if (image)
            ::DestroyIcon(image);
        ::ImageList_Destroy(one);
        if (added < 0)
            return false;
    }
    return true;
}
} // namespace

HIMAGELIST COXShortcutBar::LoadImageList(const BYTE* data, size_t size)
{
    if (!data || size < sizeof(int32_t) || size > 0x7FFFFFFF)
        return nullptr;
    std::vector<BYTE> copy(data, data + size);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    HIMAGELIST list = nullptr;
    bool read = false;
    try
    {
        CArchive archive(&file, CArchive::load);
        int32_t count = 0;
        archive >> count;
        const size_t left = size - sizeof count;
        // Every icon takes at least its size word: a larger count is no block of ours.
        read = count >= 0 && static_cast<size_t>(count) <= left / sizeof(uint32_t) &&
               ReadIcons(archive, count, left, list);
    }
    catch (CException* e)
    {
        e->Delete();
        read = false;
    }
    if (!read)
    {
        if (list)
            ::ImageList_Destroy(list);
        return nullptr;
    }
    return list ? list : ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
}
