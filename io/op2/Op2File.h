// Read-only binary file for the OUTPUT2 reader: 64-bit positions, forward skips that notice
// the end of the file (a seek past the end is a truncated file, not a silent success).
#pragma once

#include "platform/base/os.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

class COp2File
{
public:
    COp2File() = default;
    ~COp2File();
    COp2File(const COp2File&) = delete;
    COp2File& operator=(const COp2File&) = delete;

    // On Windows nobody may write, rename or delete the file while it is open.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    // True when the open file's identity, size or write time differ from when it was opened:
    // written to in its place (a file replaced under its name is not this one).
    bool HasChanged() const;

    // Reads up to byteCount bytes; returns how many were read (fewer only at the end).
    size_t Read(void* buffer, size_t byteCount);
    // True when exactly byteCount bytes were read.
    bool ReadExact(void* buffer, size_t byteCount) { return Read(buffer, byteCount) == byteCount; }
    // Moves forward; false (and positioned at the end) when fewer bytes are left.
    bool Skip(int64_t byteCount);
    // Absolute seek; false when the position lies outside the file.
    bool Seek(int64_t position);

    int64_t GetPosition() const { return m_position; }
    int64_t GetLength() const { return m_length; }
    int64_t BytesLeft() const { return m_length - m_position; }

private:
    std::FILE* m_file = nullptr; // owned
    int64_t m_position = 0;
    int64_t m_length = 0;
    std::optional<fw::os::FileStamp> m_openedStamp; // none where the system cannot tell
};
