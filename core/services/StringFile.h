// UI-text lookup in the string files beside the executable's folder ("..\string\<file>").
// Keys carry the language suffix: the English text of "DefaultGroup" is "DefaultGroup_ENG".
#pragma once

#include "platform/base/string.h"

#include <cstdio>
#include <string>

// Looks the key, with the current language suffix appended, up in the first section of the
// given name and writes its value to *out. True exactly when *out is non-empty afterwards.
// A missing file, section or key leaves *out as it was, except that a pre-filled default loses
// its surrounding blanks when the section exists without the key. In the value, "\n" (the two
// characters) becomes a blank and a line feed.
bool LoadStringFromFile(std::string file, std::string section, std::string key, std::string* out);

bool LoadStringFromFile(CString file, CString section, CString key, CString* out);

// The text of a command (key "ID<id>") in a section of "standard.str", such as its status-bar
// prompt or its tip; empty when the file has none.
CString LoadCommandText(const char* section, unsigned id);

// The same lookup with an explicit suffix instead of the current one.
bool LoadStringWithSuffix(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& suffix, std::string* out);

// The two scanning steps of the lookup, on a string file open for reading. FindSection moves
// past the header line "[section]" (letter case aside); false at the end of the file.
// FindKey reads the entry lines of the current section up to the next header and stores the
// raw value of the first entry whose key (with its suffix) matches; true when *out is then
// non-empty.
bool FindSection(FILE* file, const std::string& section);
bool FindKey(FILE* file, const std::string& key, std::string* out);

// Comparison of string-file text without regard to the case of ASCII letters; double-byte
// characters of code page 932 compare exactly.
bool EqualTextNoCase(const std::string& a, const std::string& b);

// True for the first byte of a code page 932 double-byte character.
inline bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
