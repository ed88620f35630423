// Renderer log lines.
#include "render/RenderLog.h"

#include "core/services/LogFile.h"

#include <string>

namespace render_log
{
void Write(int level, const char* location, const char* text)
{
    CAELogFile log("Gravik");
    log.WriteLine(level, location, text);
}

void WriteException(const char* location)
{
    const std::string text = std::string("Exception occured in ") + location;
    Write(kError, location, text.c_str());
}
} // namespace render_log
