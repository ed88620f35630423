// Renderer log lines.
#include "render/RenderLog.h"

#include "core/services/LogFile.h"

#include <atomic>
#include <string>

namespace
{
std::atomic<bool> g_isShortOfMemory{false};
std::atomic<bool> g_hasBeenShortOfMemory{false};
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
    g_hasBeenShortOfMemory = true;
    g_isShortOfMemory = true;
}

bool HasBeenShortOfMemory()
{
    return g_hasBeenShortOfMemory;
}

bool TakeMemoryShortage()
{
    return g_isShortOfMemory.exchange(false);
}
} // namespace render_log
