// The one check every reader makes before it opens a file that a user or a project named:
// only a regular file is read, as a folder, a device or a FIFO would fail oddly, never end or
// block the program.
#pragma once

#include <string>

class COutputSink;

// True when path names a regular file. Otherwise false, with one line to the sink (when there
// is one) that names the path: "NotFound" when nothing of that name can be opened,
// "NotAFile" for a folder, a device or a FIFO.
bool CheckInputFile(const std::string& path, COutputSink* sink);

// True when path names a regular file; asked without opening it.
bool IsRegularInputFile(const std::string& path);
