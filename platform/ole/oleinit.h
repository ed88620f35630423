// OLE for the user-interface thread: drag and drop, the clipboard and the imaging codecs all
// need it before their first call.
#pragma once

namespace fw
{
// Initialises OLE on the calling thread the first time; later calls only report the outcome.
// False when OLE cannot be initialised (then drag and drop and image files fail cleanly).
bool OleInit();
} // namespace fw
