// Texts of the bulk-data reader's output lines: "Message.str", section "Error". A text that is
// used as a format is checked against the values first; a missing or unfit text falls back to
// the key followed by the values, so a damaged string file cannot crash a read.
#pragma once

#include <string>

std::string BulkMessage(const char* key);
std::string BulkMessage(const char* key, int number);
std::string BulkMessage(const char* key, int first, int second);
std::string BulkMessage(const char* key, const std::string& text);
std::string BulkMessage(const char* key, const std::string& text, int number);
