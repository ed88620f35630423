// File command helpers.
#include "app/FilePaths.h"

#include "core/services/StringFile.h"

#include <windows.h>

#include <cstring>

bool HasEndingNoCase(const CString& text, const char* ending)
{
    const std::string& bytes = text.Str();
    const size_t length = std::strlen(ending);
    if (bytes.size() < length)
        return false;
    return ::_strnicmp(bytes.c_str() + bytes.size() - length, ending, length) == 0;
}

CString FileNameOf(const CString& path)
{
    const size_t separator = path.Str().find_last_of("\\/");
    return separator == std::string::npos ? path : CString(path.Str().substr(separator + 1));
}

CString FolderWithSeparatorOf(const CString& path)
{
    const size_t separator = path.Str().find_last_of("\\/");
    if (separator == std::string::npos)
        return CString();
    return CString(path.Str().substr(0, separator) + "\\");
}

bool IsExistingFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CString FullPathOf(const CString& path)
{
    char full[MAX_PATH * 4] = {};
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, &namePart);
    return length > 0 && length < sizeof full ? CString(full) : path;
}

CString MessageText(const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString("Message.str"), CString(section), CString(key), &text);
    return text;
}
