// Texts of the process's code page drawn as wide text. DrawTextA decodes its bytes with the
// code page of the selected font's character set: the menu font of the system metrics names
// a Western set, which turns Japanese texts into Western characters. Converting with the
// process's own code page keeps them whatever font is selected.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring AnsiToWide(const char* text, int length)
{
    if (text == nullptr || length == 0)
        return std::wstring();
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], size);
    // A length of -1 counted the terminator.
    if (length < 0 && !wide.empty() && wide.back() == L'\0')
        wide.pop_back();
    return wide;
}

// DrawTextA's contract (length -1: up to the terminator) for a text of the process's code page.
inline int DrawAnsiText(HDC dc, const char* text, int length, RECT* rect, UINT format)
{
    const std::wstring wide = AnsiToWide(text, length);
    return ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}
