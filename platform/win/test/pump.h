// Helpers for tests that drive real windows: pump the queue, wait for a condition, click.
#pragma once

#include <windows.h>

#include <functional>

namespace fw::test
{
// Dispatches everything queued (paints included) and runs the idle passes.
void Pump();

// Pumps until done() is true or the time is up; returns done().
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 2000);

// Sends a left button press and release at a client point.
void Click(HWND hwnd, int x, int y);
} // namespace fw::test
