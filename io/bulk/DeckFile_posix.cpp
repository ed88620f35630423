// Deck files through the POSIX calls: opened without blocking, checked with fstat.
#include "io/bulk/DeckFile.h"
#include "platform/base/os.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CDeckFile::EOpen CDeckFile::Open(const std::string& path)
{
    Close();
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    const int descriptor =
        ::open(fw::os::ResolvePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return kCannotOpen;
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
    {
        ::close(descriptor);
        return kNotAFile;
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0)
        ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    m_file = ::fdopen(descriptor, "rb");
    if (m_file == nullptr)
    {
        ::close(descriptor);
        return kCannotOpen;
    }
    m_identity.volume = static_cast<uint64_t>(status.st_dev);
    m_identity.file = static_cast<uint64_t>(status.st_ino);
    return kOpened;
}
