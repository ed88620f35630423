// Typed access to the product INI "..\ini\Gravik.ini" beside the executable's folder. Getters
// give true when the key holds a non-empty value and leave *out unchanged otherwise, so callers
// set their default first. Setters give true when the write succeeded.
#pragma once

#include "platform/base/string.h"

#include <string>

// Reads up to 255 characters.
bool GetIniString(const char* section, const char* key, CString* out);
bool GetIniString(const char* section, const char* key, std::string* out);
bool SetIniString(const char* section, const char* key, const char* value);

// Stored as "%lf" (2.5 is "2.500000"). False, with *out unchanged, when the value is missing or
// is not one finite number ("abc", "2.5x").
bool GetIniDouble(const char* section, const char* key, double* out);
bool SetIniDouble(const char* section, const char* key, double value);

// Stored as "%u". False, with *out unchanged, when the value is missing or is not a whole
// number of 0 to 4294967295 ("-1", "12abc").
bool GetIniUInt(const char* section, const char* key, unsigned* out);
bool SetIniUInt(const char* section, const char* key, unsigned value);

// One character, "0" plus the value: true only for a one-character value, which gives its code
// minus the code of "0" (a stored "A" gives 17).
bool GetIniFlag(const char* section, const char* key, int* out);
bool SetIniFlag(const char* section, const char* key, int value);

// The path of the product INI as the profile functions get it.
std::string ProductIniPath();
