// OLE for the user-interface thread: drag and drop, the clipboard and the imaging codecs all
// need it before their first call.
#pragma once

#include <windows.h>

#include <ole2.h>

// What a drop does with the data: DROPEFFECT_COPY, _MOVE, _LINK, _SCROLL bits.
typedef DWORD DROPEFFECT;

namespace fw
{
// Initialises OLE on the calling thread the first time; later calls only report the outcome.
// False when OLE cannot be initialised (then drag and drop and image files fail cleanly).
bool OleInit();
} // namespace fw
