// Operating-system seam: executable folder, current folder, INI profile access, durable file
// replacement, local time, thread id and a lock. Windows calls the real system functions; the
// native build emulates them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace fw::os
{
// Folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// Makes the folder the process's current folder; false when that fails.
bool SetCurrentFolder(const std::string& folder);

// The path as the platform opens it. Windows: unchanged. Native: backslashes become slashes,
// "." and ".." are resolved by name (as Windows does, so "bin\..\ini" works without "bin"),
// and a component missing in the given letter case is matched without regard to case.
std::string ResolvePath(const std::string& path);

// Named apart from GetProfileString and WriteProfileString, which <windows.h> defines as macros.
// GetPrivateProfileStringA with a section and a key: the value trimmed of blanks and of one
// pair of enclosing quotes, cut to bufferSize - 1 characters. The first entry of a repeated key
// wins; section and key names compare without regard to case. A missing file, section or key
// gives the default without its trailing blanks. bufferSize 0 gives an empty text.
std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize);

// WritePrivateProfileStringA with a section, a key and a value: creates the file, the section
// or the key when missing, else replaces the first entry's value. False when the write fails.
bool StoreProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// Writes the bytes as the whole content of the file (created or emptied) and forces them to the
// disk before returning. False when any step fails; the file may then hold part of the bytes.
bool WriteFileToDisk(const std::string& path, const std::string& bytes);

// Renames the file from onto to in one step, replacing a file at to. False when that fails,
// with both files left as they were.
bool MoveFileReplacing(const std::string& from, const std::string& to);

// What a path names, links followed.
enum class FileKind
{
    kMissing,
    kRegular,
    kFolder,
    kOther // a device, a FIFO, a socket
};
FileKind GetFileKind(const std::string& path);

// The file that writing to path reaches: a link (a chain of links, a dangling one too) is
// followed to the file it names, so that replacing that file keeps the link. Other paths come
// back unchanged. Empty when the links form a loop or lead nowhere that can be named.
std::string FollowLinks(const std::string& path);

// True when the existing file may not be written: the read-only attribute, or no write
// permission for anyone.
bool IsReadOnlyFile(const std::string& path);

// A name in path's folder for the temporary of a save, from the number: "~N.tmp" (N below
// 100000), cut to the length of path's own name when that is shorter (at least "~N").
std::string TemporaryNameBeside(const std::string& path, unsigned long number);

// Creates a file beside path under a new name (TemporaryNameBeside), exclusively: an existing
// file, folder or link of that name is never opened, the next name is tried instead. Writes the
// bytes, forces them to the disk and returns the name; empty when that fails, with nothing
// left behind. Natively, where path names a file, the new one takes its mode, owner and group
// (a group that cannot be kept loses the group's permissions, so that no other group gains
// any); elsewhere the new file has the defaults.
std::string WriteNewFileBeside(const std::string& path, const std::string& bytes);

// Writes the bytes to a new file beside path (WriteNewFileBeside) and renames it over path;
// false, with no temporary left, when a step fails.
bool WriteBesideAndRename(const std::string& path, const std::string& bytes);

// What a save that failed left behind.
struct SaveFailure
{
    // The file was written to and could not be put back as it was.
    bool isFileChanged = false;
    // The file that keeps its former contents then; empty where none could be kept.
    std::string formerContents;
};

// Gives an existing regular file the bytes as its whole contents, keeping all else of it.
// Windows writes over the file itself, so that its access list, attributes, owner and links
// stay (under Wine its Unix mode, owner, group and access entries too: a file made anew there
// takes a mode that Wine works out from an access list): first a whole copy of its contents
// goes to a file beside it that nobody but its owner may open (under Wine mode 0), then the new
// contents are written; on any failure the copy is written back, and kept where that fails
// too, or where the save is interrupted. A file its owner may write but not read is written
// without a copy. Natively a new file beside it (WriteNewFileBeside) replaces it. False, with
// failure filled where given, when any step fails.
bool ReplaceFileContents(const std::string& path, const std::string& bytes, SaveFailure* failure);

// Writes the bytes as the whole file that path names, only when all of them are written: an
// existing file through ReplaceFileContents, a new one as a file beside it renamed at the end.
// Through a link (a chain, a dangling one too) the file it names is written, so the link stays
// a link. False, with the file as it was (or as failure tells) and no temporary left, when the
// links lead nowhere, the target is a folder, a device or read-only, or any step fails.
bool SaveWholeFile(const std::string& path, const std::string& bytes,
                   SaveFailure* failure = nullptr);

#ifdef _WIN32
// Tests: makes the writes over a file fail as a full disk does, the new contents' after
// newContentsFailAfter bytes (-1: never), and the putting back of the former contents.
struct SaveFault
{
    long long newContentsFailAfter = -1;
    bool isPuttingBackFailing = false;
};
void SetSaveFault(const SaveFault& fault);
#endif

// Opens an existing file to be read in binary; null when that fails. On Windows others may
// read the file while it is open, but neither write, rename nor delete it.
std::FILE* OpenFileForReading(const std::string& path);

// What tells an open file from another and from itself after a change: its identity on its
// volume, its size and its last write time.
struct FileStamp
{
    uint64_t volume = 0;
    uint64_t index = 0;
    int64_t size = 0;
    int64_t writeTime = 0; // in the platform's units
};
// Volume 0 is one that cannot be told: Wine tells it so of an open file whose name was removed,
// and that file is still the one opened.
inline bool operator==(const FileStamp& a, const FileStamp& b)
{
    const bool isSameVolume = a.volume == b.volume || a.volume == 0 || b.volume == 0;
    return isSameVolume && a.index == b.index && a.size == b.size && a.writeTime == b.writeTime;
}
inline bool operator!=(const FileStamp& a, const FileStamp& b)
{
    return !(a == b);
}
// False when the system cannot tell the open file's stamp.
bool GetOpenFileStamp(std::FILE* file, FileStamp* stamp);

// Removes a file; false when it is not there or cannot be removed.
bool RemoveFile(const std::string& path);

struct LocalTime
{
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

LocalTime GetLocalTime();

// The platform's id of the calling thread (32 bits on both platforms).
unsigned long CurrentThreadId();

// A critical section: the callers never re-enter it from the same thread.
class Lock
{
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Enter();
    void Leave();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Holds a lock for the lifetime of the guard.
class LockGuard
{
public:
    explicit LockGuard(Lock& lock)
        : m_lock(lock)
    {
        m_lock.Enter();
    }
    ~LockGuard() { m_lock.Leave(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    Lock& m_lock;
};
} // namespace fw::os
