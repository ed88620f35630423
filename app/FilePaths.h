// Small helpers of the file commands: endings, folders and existence of Windows paths, and the
// texts of "Message.str".
#pragma once

#include "platform/base/string.h"

// True when the text ends in ending, compared without regard to ASCII letter case.
bool HasEndingNoCase(const CString& text, const char* ending);
// The part after the last backslash (or slash); the whole text when it has none.
CString FileNameOf(const CString& path);
// The folder of a path with its trailing backslash; empty when the path has no folder.
CString FolderWithSeparatorOf(const CString& path);
// True when path names an existing file (not a folder).
bool IsExistingFile(const CString& path);
// The full path as a file search gives it; path itself when the system cannot say.
CString FullPathOf(const CString& path);
// The text of a key of "Message.str"; empty when missing.
CString MessageText(const char* section, const char* key);
