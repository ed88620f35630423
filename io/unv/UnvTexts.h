// Texts the universal-file reader and writer show: error messages and result titles, looked up
// in the program's string files.
#pragma once

#include <string>

// The text of key in section of a string file ("Message.str", "Result.str"); empty when the
// key is missing.
std::string LoadUnvText(const char* file, const char* section, const std::string& key);

// An error text of section "UNVErrorMessages" of "Message.str"; the key itself when missing, so
// that the user sees which failure it was rather than an empty line.
std::string LoadUnvErrorText(const char* key);

// Replaces the first "%d" of text by value (appends it when there is none). Texts come from an
// editable file, so they are never used as a printf format.
std::string FormatUnvText(const std::string& text, int value);
