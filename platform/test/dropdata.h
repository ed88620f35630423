// Data for drag-and-drop tests: a dropped file list as the shell offers it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fw::test
{
// A CF_HDROP block naming the files (ANSI paths); the caller owns it.
HGLOBAL MakeFileDrop(const std::vector<std::string>& files);
} // namespace fw::test
