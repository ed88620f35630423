// Paths of decks and their include files. Folder separators are found character by character:
// in the Windows code page of Japanese systems the second byte of a double-byte character may
// be a backslash, which is no separator.
#pragma once

#include <string>

// Position of the last folder separator ("\" or "/"), or npos.
std::size_t LastSeparator(const std::string& path);

// The folder part of a path, without its last separator; empty when it has none.
std::string FolderOf(const std::string& path);

// The included name relative to the folder of the including deck (an absolute name as it is),
// with the separators of the platform.
std::string IncludedPath(const std::string& includingPath, const std::string& name);

// True for the first byte of a double-byte character in the code page of file names.
bool IsPathLeadByte(char c);
