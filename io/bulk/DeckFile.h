// An open deck file. Only regular files are opened: a folder, a device or a FIFO named by an
// include would fail oddly, block or never end. The file's identity (volume and file number)
// tells one file reached by two paths (a folder link, "..", another letter case) as one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class CDeckFile
{
public:
    enum EOpen
    {
        kOpened,
        kCannotOpen, // missing, or not readable
        kNotAFile    // a folder, a device, a FIFO
    };

    struct SIdentity
    {
        uint64_t volume = 0;
        uint64_t file = 0;

        bool operator==(const SIdentity& other) const
        {
            return volume == other.volume && file == other.file;
        }
        bool operator<(const SIdentity& other) const
        {
            return volume != other.volume ? volume < other.volume : file < other.file;
        }
    };

    CDeckFile() = default;
    ~CDeckFile() { Close(); }
    CDeckFile(const CDeckFile&) = delete;
    CDeckFile& operator=(const CDeckFile&) = delete;

    // Opens path for reading in binary mode; never waits for a writer or a device.
    EOpen Open(const std::string& path);
    void Close();

    std::FILE* GetStream() const { return m_file; }
    const SIdentity& GetIdentity() const { return m_identity; }

private:
    std::FILE* m_file = nullptr; // owned
    SIdentity m_identity;
};
