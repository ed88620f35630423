// Texts between a code page and UTF-16.
#include "tests/app/WideText.h"

std::wstring Widen(const std::string& text, UINT codePage)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(),
                                                          static_cast<int>(text.size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    const int length = static_cast<int>(text.size());
    // A UTF-16 unit takes at most four bytes in UTF-8, two in a double-byte code page.
    std::string narrow(static_cast<size_t>(length) * 4, '\0');
    narrow.resize(static_cast<size_t>(
        ::WideCharToMultiByte(codePage, 0, text.data(), length, &narrow[0],
                              static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}
