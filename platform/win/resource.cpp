// Resource loading from the executable.
#include "platform/win/resource.h"

#include "platform/win/platform_ids.h"
#include "platform/win/texts.h"

#include <cstring>

namespace fw
{
namespace
{
template <class T>
T ReadAt(const BYTE* data, std::size_t offset)
{
    T value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// The framework's texts that a user reads come from the string files in the program's
// language when they are there; the resource strings are the English fallback.
const char* FrameworkTextKey(UINT id)
{
    switch (id)
    {
    case AFX_IDS_IDLEMESSAGE: return "Ready";
    case AFX_IDS_HELPMODEMESSAGE: return "HelpMode";
    case AFX_IDS_UNTITLED: return "Untitled";
    case AFX_IDP_ASK_TO_SAVE: return "AskToSave";
    case AFX_IDP_FAILED_TO_OPEN_DOC: return "FailedToOpenDocument";
    case AFX_IDP_FAILED_TO_SAVE_DOC: return "FailedToSaveDocument";
    case AFX_IDP_FAILED_TO_CREATE_DOC: return "FailedToCreateDocument";
    case AFX_IDP_COMMAND_FAILURE: return "CommandFailed";
    case AFX_IDP_INVALID_FILENAME: return "InvalidFileName";
    default: return nullptr;
    }
}
} // namespace

HINSTANCE ResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

BOOL LoadResourceString(UINT id, CString& text)
{
    if (const char* key = FrameworkTextKey(id))
    {
        text = LoadFrameworkText("Framework", key);
        if (!text.IsEmpty())
            return TRUE;
    }
    text.Empty();
    // LoadStringA cuts at the buffer: grow it until the string fits.
    for (int size = 256; size <= 65536; size *= 4)
    {
        char* buffer = text.GetBufferSetLength(size);
        const int length = ::LoadStringA(ResourceHandle(), id, buffer, size);
        text.ReleaseBuffer(length > 0 ? length : 0);
        if (length <= 0)
            return FALSE;
        if (length < size - 1)
            return TRUE;
    }
    return TRUE;
}

BOOL ExtractSubString(CString& piece, const char* full, int index, char separator)
{
    piece.Empty();
    if (!full)
        return FALSE;
    const char* start = full;
    for (; index > 0; --index)
    {
        start = std::strchr(start, separator);
        if (!start)
            return FALSE;
        ++start;
    }
    const char* end = std::strchr(start, separator);
    const int length = end ? static_cast<int>(end - start) : static_cast<int>(std::strlen(start));
    piece = CString(start, length);
    return TRUE;
}

HMENU LoadResourceMenu(UINT id)
{
    return ::LoadMenuA(ResourceHandle(), MAKEINTRESOURCEA(id));
}

HACCEL LoadResourceAccelerators(UINT id)
{
    return ::LoadAcceleratorsA(ResourceHandle(), MAKEINTRESOURCEA(id));
}

HICON LoadResourceIcon(UINT id)
{
    return ::LoadIconA(ResourceHandle(), MAKEINTRESOURCEA(id));
}

HCURSOR LoadResourceCursor(UINT id)
{
    return ::LoadCursorA(ResourceHandle(), MAKEINTRESOURCEA(id));
}

HBITMAP LoadResourceBitmap(UINT id)
{
    return ::LoadBitmapA(ResourceHandle(), MAKEINTRESOURCEA(id));
}

BOOL ParseToolBarResource(const BYTE* data, std::size_t size, ToolBarResource& toolBar)
{
    toolBar = ToolBarResource();
    if (!data)
        return FALSE;
    // 16-bit: WORD version 1, width, height, count, then count WORD items.
    if (size >= 8 && ReadAt<WORD>(data, 0) == 1)
    {
        const std::size_t count = ReadAt<WORD>(data, 6);
        if (size == 8 + 2 * count)
        {
            toolBar.width = ReadAt<WORD>(data, 2);
            toolBar.height = ReadAt<WORD>(data, 4);
            for (std::size_t i = 0; i < count; ++i)
                toolBar.items.push_back(ReadAt<WORD>(data, 8 + 2 * i));
            return TRUE;
        }
    }
    // 32-bit: DWORD width, height, count, then count DWORD items.
    if (size >= 12)
    {
        const std::size_t count = ReadAt<DWORD>(data, 8);
        if (count <= (size - 12) / 4 && size == 12 + 4 * count)
        {
            toolBar.width = static_cast<int>(ReadAt<DWORD>(data, 0));
            toolBar.height = static_cast<int>(ReadAt<DWORD>(data, 4));
            for (std::size_t i = 0; i < count; ++i)
                toolBar.items.push_back(ReadAt<DWORD>(data, 12 + 4 * i));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL LoadToolBarResource(UINT id, ToolBarResource& toolBar)
{
    const HRSRC found = ::FindResourceA(ResourceHandle(), MAKEINTRESOURCEA(id),
                                        MAKEINTRESOURCEA(kToolBarResourceType));
    if (!found)
        return FALSE;
    const HGLOBAL loaded = ::LoadResource(ResourceHandle(), found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    return ParseToolBarResource(static_cast<const BYTE*>(data),
                                ::SizeofResource(ResourceHandle(), found), toolBar);
}
} // namespace fw
