// Read-only binary file with 64-bit positions over the C runtime streams.
#include "io/op2/Op2File.h"

#include "io/results/InputFile.h"
#include "platform/base/progress.h"

namespace
{
constexpr size_t kStreamBufferBytes = 1 << 18;

int SeekTo(std::FILE* file, int64_t position, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, position, origin);
#else
    return fseeko(file, static_cast<off_t>(position), origin);
#endif
}

int64_t TellOf(std::FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<int64_t>(ftello(file));
#endif
}
} // namespace

COp2File::~COp2File()
{
    Close();
}

bool COp2File::Open(const std::string& path)
{
    Close();
    // A FIFO or a device would block or never end.
    if (!IsRegularInputFile(path))
        return false;
    m_file = fw::os::OpenFileForReading(path);
    if (m_file == nullptr)
        return false;
    fw::os::FileStamp stamp;
    if (fw::os::GetOpenFileStamp(m_file, &stamp))
        m_openedStamp = stamp;
    std::setvbuf(m_file, nullptr, _IOFBF, kStreamBufferBytes);
    if (SeekTo(m_file, 0, SEEK_END) != 0 || (m_length = TellOf(m_file)) < 0 ||
        SeekTo(m_file, 0, SEEK_SET) != 0)
    {
        Close();
        return false;
    }
    m_position = 0;
    return true;
}

void COp2File::Close()
{
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_position = 0;
    m_length = 0;
    m_openedStamp.reset();
}

bool COp2File::HasChanged() const
{
    fw::os::FileStamp now;
    return m_openedStamp && fw::os::GetOpenFileStamp(m_file, &now) && now != *m_openedStamp;
}

size_t COp2File::Read(void* buffer, size_t byteCount)
{
    if (m_file == nullptr || byteCount == 0)
        return 0;
    const size_t got = std::fread(buffer, 1, byteCount, m_file);
    fw::NoteProgress();
    m_position += static_cast<int64_t>(got);
    return got;
}

bool COp2File::Skip(int64_t byteCount)
{
    if (m_file == nullptr || byteCount < 0)
        return false;
    if (byteCount > BytesLeft())
    {
        Seek(m_length);
        return false;
    }
    return Seek(m_position + byteCount);
}

bool COp2File::Seek(int64_t position)
{
    if (m_file == nullptr || position < 0 || position > m_length)
        return false;
    if (SeekTo(m_file, position, SEEK_SET) != 0)
        return false;
    m_position = position;
    return true;
}
