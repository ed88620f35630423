// The message loop of the user-interface thread: pre-translation through the target window
// and its parents, dispatch, and idle work when the queue is empty.
#pragma once

#include <windows.h>

namespace fw
{
// Offers a queued message to the target's object and then each parent's; TRUE = consumed.
BOOL PreTranslateInput(MSG* msg);

// Idle work while the queue is empty; returns TRUE while more idle passes are wanted.
// Pass 1 and later free the temporary wrappers.
BOOL OnIdle(LONG count);

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Dispatches every message already queued, then does the idle passes. Returns FALSE when a
// WM_QUIT was met; it is posted again so that the outer loop sees it too.
BOOL PumpMessages();
} // namespace fw
