// The framework's texts, read from the string files with the profile functions: the files are
// sections of "key_SUFFIX = text" lines.
#include "platform/win/texts.h"

#include "platform/base/os.h"

#include <windows.h>

#include <string>

namespace
{
struct TextSource
{
    std::string file; // full path of Message.str
    std::string suffix = "_ENG";
};

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

TextSource& Source()
{
    static TextSource source = []
    {
        TextSource made;
        made.file = FullPath(fw::os::ExecutableFolder() + "\\..\\string\\Message.str");
        return made;
    }();
    return source;
}
} // namespace

namespace fw
{
void SetTextSource(const char* stringFolder, const char* languageSuffix)
{
    Source().file = FullPath(std::string(stringFolder) + "\\Message.str");
    Source().suffix = languageSuffix;
}

CString LoadFrameworkText(const char* key)
{
    return LoadFrameworkText("DataExchange", key);
}

CString LoadFrameworkText(const char* section, const char* key)
{
    const TextSource& source = Source();
    return CString(os::ReadProfileString(source.file, section, key + source.suffix, "", 1024));
}
} // namespace fw
