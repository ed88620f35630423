// Record framing inside a data block. Every step moves forward in the file: a frame that does
// not check out ends the block with its code, and a truncated file ends it with op2::kTruncated.
#include "io/op2/NSBlockReader.h"

#include "io/op2/OP2Reader.h"
#include "io/op2/Op2File.h"

#include <climits>
#include <cstring>

namespace
{
constexpr int kKeyBytes = 12;

// Fills the read's buffer piece by piece behind the kept tail and hands it to the sink.
int FeedPiece(COp2File& file, int* words, int64_t bytesLeft, int* kept,
              const NSBlockReader::PieceSink& sink)
{
    unsigned char* buffer = reinterpret_cast<unsigned char*>(words);
    while (bytesLeft > 0)
    {
        const int64_t room = NSBlockReader::kBufferBytes - *kept;
        if (room <= 0)
            return op2::kReaderFailed; // an entry larger than the buffer: no progress possible
        const int chunk = static_cast<int>(bytesLeft < room ? bytesLeft : room);
        if (!file.ReadExact(buffer + *kept, static_cast<size_t>(chunk)))
            return op2::kTruncated;
        bytesLeft -= chunk;
        const int total = *kept + chunk;
        const int tail = sink(total);
        if (tail < 0 || tail > total)
            return op2::kReaderFailed;
        if (tail > 0)
            std::memmove(buffer, buffer + (total - tail), static_cast<size_t>(tail));
        *kept = tail;
    }
    return 0;
}
} // namespace

Op2ReadContext::Op2ReadContext()
    : buffer(new int[NSBlockReader::kBufferBytes / sizeof(int)]())
{
}

int NSRecordReader::readRecord(const int*, int, CModelSet*)
{
    return 0;
}

NSBlockReader::NSBlockReader(int kind)
    : m_kind(kind)
{
}

NSBlockReader::~NSBlockReader() = default;

void NSBlockReader::AddRecordReader(int key, std::unique_ptr<NSRecordReader> reader)
{
    m_recordReaders[key] = std::move(reader);
}

NSRecordReader* NSBlockReader::FindRecordReader(int key) const
{
    const auto found = m_recordReaders.find(key);
    return found == m_recordReaders.end() ? nullptr : found->second.get();
}

Op2ReadContext& NSBlockReader::Context() const
{
    if (m_context == nullptr)
    {
        m_ownContext = std::make_unique<Op2ReadContext>();
        m_context = m_ownContext.get();
    }
    return *m_context;
}

int* NSBlockReader::SharedBuffer() const
{
    return Context().buffer.get();
}

NSBlockReader::IdOffsets& NSBlockReader::GetIdOffsets() const
{
    return Context().idOffsets;
}

bool NSBlockReader::ReadWord(COp2File& file, int* value)
{
    int32_t word = 0;
    if (!file.ReadExact(&word, sizeof(word)))
        return false;
    *value = word;
    return true;
}

int NSBlockReader::ReadControlWord(COp2File& file, int* value)
{
    int32_t words[3];
    if (!file.ReadExact(words, sizeof(words)))
        return op2::kTruncated;
    if (words[0] != 4 || words[2] != 4)
        return op2::kBadPrefix;
    *value = words[1];
    return 0;
}

int NSBlockReader::ReadRecordPrefix(COp2File& file, int* wordCount, bool anyValue)
{
    int32_t words[9];
    if (!file.ReadExact(words, sizeof(words)))
        return op2::kTruncated;
    for (int i = 0; i < 9; i += 3)
    {
        if (words[i] != 4 || words[i + 2] != 4)
            return op2::kBadPrefix;
    }
    if (words[1] != 1 || (words[4] != 0 && !anyValue) || words[7] < 0)
        return op2::kBadPrefix;
    *wordCount = words[7];
    return 0;
}

int NSBlockReader::ReadPieces(COp2File& file, int pieceLength, int64_t bytesLeft,
                              const PieceSink& sink)
{
    int kept = 0;
    for (;;)
    {
        // A piece longer than the file would feed the bytes of the frames after it, and then
        // garbage, to the record reader: it is refused before a byte of it is read.
        if (bytesLeft + 4 > file.BytesLeft())
            return op2::kTruncated;
        if (sink)
        {
            const int code = FeedPiece(file, SharedBuffer(), bytesLeft, &kept, sink);
            if (code != 0)
                return code;
        }
        else if (!file.Skip(bytesLeft))
        {
            return op2::kTruncated;
        }
        int trailer = 0;
        if (!ReadWord(file, &trailer))
            return op2::kTruncated;
        if (trailer != pieceLength)
            return op2::kBadTrailer;
        int marker = 0;
        const int code = ReadControlWord(file, &marker);
        if (code != 0)
            return code;
        if (marker < 0)
            return 0;
        // A positive marker announces a continuation piece of that many words.
        if (!ReadWord(file, &pieceLength))
            return op2::kTruncated;
        if (marker > INT_MAX / 4 || pieceLength != 4 * marker)
            return op2::kBadLength;
        bytesLeft = pieceLength;
    }
}

int NSBlockReader::readBlock(COp2File* file, CModelSet* model, bool skipAll)
{
    for (;;)
    {
        // Blocks read over may be matrices, whose columns break the table rules (second
        // prefix word 1, length not 4n): only the framing is checked for them.
        int wordCount = 0;
        int code = ReadRecordPrefix(*file, &wordCount, skipAll);
        if (code != 0)
            return code;
        if (wordCount == 0)
            return 0;
        int length = 0;
        if (!ReadWord(*file, &length))
            return op2::kTruncated;
        const bool isFramed = skipAll ? length >= 0 : length == 4 * static_cast<int64_t>(wordCount);
        if (!isFramed)
            return op2::kBadLength;
        NSRecordReader* reader = nullptr;
        int64_t bytesLeft = length;
        if (!skipAll)
        {
            int32_t key[3];
            if (length < kKeyBytes)
                return op2::kBadLength;
            if (!file->ReadExact(key, sizeof(key)))
                return op2::kTruncated;
            bytesLeft -= kKeyBytes;
            reader = FindRecordReader(key[1]);
            if (reader != nullptr)
            {
                reader->SetContext(&Context());
                reader->BeginRecord(key);
            }
        }
        PieceSink sink;
        if (reader != nullptr)
        {
            const int* data = SharedBuffer();
            sink = [reader, data, model](int bytes)
            { return reader->readRecord(data, bytes, model); };
        }
        code = ReadPieces(*file, length, bytesLeft, sink);
        if (code != 0)
            return code;
    }
}

int DEFAULTNSBlockReader::readBlock(COp2File* file, CModelSet* model, bool)
{
    return NSBlockReader::readBlock(file, model, true);
}
