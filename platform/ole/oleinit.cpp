// OLE start-up, once per thread. It is never torn down: the process's exit does that, and
// uninitialising while windows still hold drop targets would release them under our feet.
#include "platform/ole/oleinit.h"

#include <windows.h>

#include <ole2.h>

namespace fw
{
bool OleInit()
{
    thread_local const bool initialised = SUCCEEDED(::OleInitialize(nullptr));
    return initialised;
}
} // namespace fw
