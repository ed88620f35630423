// A CF_HDROP block for drag-and-drop tests.
#include "platform/test/dropdata.h"

#include <cstring>
#include <shlobj.h>

namespace fw::test
{
HGLOBAL MakeFileDrop(const std::vector<std::string>& files)
{
    // DROPFILES, then the paths, each ended by a null, and one more null.
    std::string names;
    for (const std::string& file : files)
        names += file + '\0';
    names += '\0';
    const HGLOBAL block =
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    if (!block)
        return nullptr;
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(block);
    return block;
}
} // namespace fw::test
