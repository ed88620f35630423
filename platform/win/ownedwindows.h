// Windows a top-level window owns stay above it. Wine without a window manager breaks that rule:
// the window that takes the focus is raised above every other, the windows it owns included, so
// an open modeless dialog vanished behind the main window at the next click into it.
#pragma once

#include <windows.h>

namespace fw
{
// From the first call on, each focus change of the calling thread puts the windows that the
// focus window's top-level window owns back above it, once the change is made.
void KeepOwnedWindowsAbove();

// Puts the visible windows that owner owns (topmost ones aside) above it, keeping their order
// among themselves; true when it had any.
bool RaiseOwnedWindows(HWND owner);
} // namespace fw
