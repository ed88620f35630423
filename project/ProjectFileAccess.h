// The current project file and the typed accessors on it. One process-wide path names the file
// that the project is saved to or opened from; its content is held in memory between
// OpenCurrentProjectFile and CommitCurrentProjectFile, so that each accessor is a lookup, not
// a pass over the file. Value forms:
// - integer "%d"; real "%lf" (six decimals); flag one character, '0' + value;
// - a missing key and an empty value are alike: getters then leave the output and return FALSE.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"
#include "project/ProjectFile.h"

#include <string>

// The full path of the current project file; empty at start-up.
const std::string& GetCurrentProjectFile();

// Makes path the current project file. With readContent its content is read (a missing file
// gives an empty one), else it starts empty. False when an existing file cannot be read.
bool OpenCurrentProjectFile(const std::string& path, bool readContent);
// Writes the held content to the current file whole (CProjectFile::Save). False when the file
// was not written; failure (where given) tells whether the earlier file was left as it was.
bool CommitCurrentProjectFile(fw::os::SaveFailure* failure = nullptr);
// Writes the held content to another file, whole; the current file stays current.
bool CommitCurrentProjectFileTo(const std::string& path);
// True when the held content differs from what was read.
bool IsCurrentProjectFileModified();
// Frees the held content; the path stays current.
void ReleaseCurrentProjectFile();
// The held content, for the section counts that bound the readers' loops.
const CProjectFile& GetCurrentProjectFileContent();

// Up to 1023 characters.
BOOL GetProjectString(const char* section, const char* key, CString* out);
void WriteProjectString(const char* section, const char* key, const char* text);
// Up to 127 characters; TRUE for any non-empty value, the output changing only when the text
// scans as a number ("12abc" gives 12), and for reals only to a finite one (not "nan", "inf" or
// "1e999"). Integers beyond the int range are clamped to it.
BOOL GetProjectDouble(const char* section, const char* key, double* out);
void WriteProjectDouble(const char* section, const char* key, double value);
BOOL GetProjectInt(const char* section, const char* key, int* out);
void WriteProjectInt(const char* section, const char* key, int value);
// A value of exactly one character stores that character minus '0' and returns it; any other
// value leaves the output and returns 0.
int GetProjectFlag(const char* section, const char* key, int* out);
void WriteProjectFlag(const char* section, const char* key, BYTE value);
void EraseProjectSection(const char* section);

// The forms written as text: a real with twenty decimals ("%.20f"), and an unsigned 32-bit
// value such as a colour ("%u"); the latter is read back with GetProjectUInt.
void WriteProjectPreciseDouble(const char* section, const char* key, double value);
void WriteProjectUInt(const char* section, const char* key, DWORD value);
BOOL GetProjectUInt(const char* section, const char* key, DWORD* out);

// The value read, or the fallback when the key is missing or empty.
int GetProjectIntOr(const char* section, const char* key, int fallback);
double GetProjectDoubleOr(const char* section, const char* key, double fallback);
int GetProjectFlagOr(const char* section, const char* key, int fallback);

// Erases every section named prefix + N (decimal) with N above count.
void EraseProjectSectionsAbove(const char* prefix, int count);

// "%lf" and "%.20f" at any magnitude (1e300 prints 301 digits before the point).
std::string FormatFixed(double value, int decimals);
// A real truncated toward zero into an int; beyond the int range the nearest end, NaN 0.
int TruncateToInt(double value);
