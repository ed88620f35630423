// The message loop of the user-interface thread when no thread object runs it (tests, and
// the pieces the thread object shares): pre-translation through the target window and its
// parents, dispatch, and idle work when the queue is empty.
#pragma once

#include <windows.h>

namespace fw
{
// Offers a queued message to the target's object and then each parent's, up to stop (or the
// top); TRUE = consumed.
BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
// The thread object's PreTranslateMessage, or the walk without one.
BOOL PreTranslateInput(MSG* msg);

// Idle work while the queue is empty, through the thread object when there is one; returns
// TRUE while more idle passes are wanted. Pass 1 and later free the temporary wrappers.
BOOL OnIdle(LONG count);

// False for messages that come all the time (paint, system timer, a mouse move in place).
bool IsIdleMessage(const MSG& msg);

// Gets one message into the thread's current message and dispatches it; FALSE on WM_QUIT.
BOOL PumpOneMessage();

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Dispatches every message already queued, then does the idle passes. Returns FALSE when a
// WM_QUIT was met; it is posted again so that the outer loop sees it too.
BOOL PumpMessages();
} // namespace fw
