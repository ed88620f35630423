// Texts between a code page and UTF-16, for tests of names the code page may not carry.
#pragma once

#include <windows.h>

#include <string>

// The text of the code page as UTF-16.
std::wstring Widen(const std::string& text, UINT codePage);

// The UTF-16 text in the code page; characters it cannot carry become its default character.
std::string Narrow(const std::wstring& text, UINT codePage);
