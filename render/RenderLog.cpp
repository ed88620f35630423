// Renderer log lines.
#include "render/RenderLog.h"

#include "core/services/LogFile.h"

#include <atomic>
#include <string>

namespace
{
std::atomic<bool> g_isShortageUntold{false};
std::atomic<bool> g_isShortOfMemoryNow{false};
} // namespace

namespace render_log
{
void Write(int level, const char* location, const char* text)
{
    try
    {
        CAELogFile log("Gravik");
        log.WriteLine(level, location, text);
    }
    catch (...)
    {
        // Out of memory for the line itself: the operation's own outcome matters more.
    }
}

void WriteException(const char* location)
{
    try
    {
        const std::string text = std::string("Exception occured in ") + location;
        Write(kError, location, text.c_str());
    }
    catch (...)
    {
    }
}

void NoteMemoryShortage()
{
    g_isShortOfMemoryNow = true;
    g_isShortageUntold = true;
}

bool TakeMemoryShortage()
{
    return g_isShortageUntold.exchange(false);
}

void NoteMemoryStillShort()
{
    g_isShortOfMemoryNow = true;
}

void NoteMemoryAvailable()
{
    g_isShortOfMemoryNow = false;
}

bool IsShortOfMemoryNow()
{
    return g_isShortOfMemoryNow;
}
} // namespace render_log
