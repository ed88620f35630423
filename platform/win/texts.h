// The framework's own texts for the user (what data exchange says about a bad value). They live
// in the program's string files: "Message.str", section "DataExchange", each key with the
// language suffix. The application names the string folder and language at start-up.
#pragma once

#include "platform/base/string.h"

namespace fw
{
// The folder of the string files and the language suffix ("_ENG" or "_JPN"). Until this is
// called the folder is "..\string" beside the executable and the language English.
void SetTextSource(const char* stringFolder, const char* languageSuffix);

// The text of key in section "DataExchange", empty when missing.
CString LoadFrameworkText(const char* key);
// The text of key in another section of the same file, empty when missing.
CString LoadFrameworkText(const char* section, const char* key);
} // namespace fw
