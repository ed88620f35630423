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

// A box or dialog disables its own owner only. While this guard lives, the top of the owner's
// chain (the main window, when a dialog over it owns the box) takes no input either, when it is
// not the owner itself and took input before.
class RootOwnerWait
{
public:
    explicit RootOwnerWait(HWND owner);
    ~RootOwnerWait() { Release(); }
    RootOwnerWait(const RootOwnerWait&) = delete;
    RootOwnerWait& operator=(const RootOwnerWait&) = delete;

    // Gives the top of the chain back its input, once.
    void Release();

private:
    HWND m_root = nullptr; // disabled by this guard, until released
};
} // namespace fw
