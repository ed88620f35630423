// Steps taken from the Unix side, as another program there takes them. Under Wine a Windows
// test reaches Unix through the Unix programs that Wine starts for it: no share mode of an open
// file stops them, and they see what Windows calls cannot (a file's mode, owner and group).
#pragma once

#include <string>

namespace testing_support
{
// The Unix name of a path: the path itself natively, its Unix name under Wine; empty on Windows.
std::string UnixName(const std::string& path);

// Runs a shell script on the Unix side and waits for its end; its output (error output too)
// goes to output when given. True when it ran and its exit status was 0. False on Windows.
bool RunUnixShell(const std::string& script, std::string* output = nullptr);

// A path quoted for the shell.
std::string ShellQuoted(const std::string& unixName);

// Removes a file or a folder with its contents, or renames a file over another, as a program
// outside the process does it: on the Unix side where there is one; on Windows as the system
// allows (it refuses while the file is open). True when the step was done.
bool RemoveAsAnotherProgram(const std::string& path);
bool RenameAsAnotherProgram(const std::string& from, const std::string& to);
} // namespace testing_support
