// Block and record reader frame of OUTPUT2 files: the record loop of one data block, the shared
// input buffer through which every record is read in pieces, and the geometry id offsets.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

class CModelSet;
class COp2File;
class OP2Reader;
struct Op2ReadContext;

// Return codes of the block loops: 0 end of block, negative a framing failure.
namespace op2
{
constexpr int kTruncated = -1;    // the file ended inside a frame, or a file error
constexpr int kBadPrefix = -2;    // record prefix not control words 1, 0, n
constexpr int kBadLength = -3;    // leading length not 4n, or too short for its frame
constexpr int kReaderFailed = -4; // a record reader failed or could not make progress
constexpr int kBadTrailer = -5;   // trailing length differs from the leading one
constexpr int kIdentWords = 146;  // words of a result table's header (its IDENT record)

// Word index of words by its bit pattern as a float: how the files store real values.
inline float WordAsFloat(const int* words, int index)
{
    float value = 0.0f;
    std::memcpy(&value, words + index, sizeof(value));
    return value;
}
} // namespace op2

// Base of the record readers: turns whole entries at the start of data into model entities.
class NSRecordReader
{
public:
    virtual ~NSRecordReader() = default;
    // Called with the record's three key words before its first piece: a record whose third
    // word names another layout of the same card (double-precision coordinates) can say so.
    virtual void BeginRecord(const int* key) { (void)key; }
    // Returns the byte count of an incomplete last entry (kept for the next piece), or a
    // negative value on failure.
    virtual int readRecord(const int* data, int nBytes, CModelSet* model);

    // The read the record is part of: its block reader sets it before the record's first piece.
    void SetContext(Op2ReadContext* context) { m_context = context; }

protected:
    Op2ReadContext& Context() const { return *m_context; }

private:
    Op2ReadContext* m_context = nullptr;
};

class NSBlockReader
{
public:
    enum Kind
    {
        kDefaultKind = 0,
        kGeometryKind = 1,
        kResultKind = 2
    };
    static constexpr int kBufferBytes = 0x10400;

    // Ids read from a file are shifted by these, so that a file read into a populated model
    // is numbered after what the model holds.
    struct IdOffsets
    {
        int element = 0;
        int node = 0;
        int coordSystem = 0;
        // Set when an id the model would take passed the largest once shifted: the geometry
        // blocks stop, and the whole-file pass refuses the file.
        bool isPastBound = false;
    };

    // Called with the byte count in the shared buffer; returns the unconsumed tail or < 0.
    using PieceSink = std::function<int(int bytesInBuffer)>;

    explicit NSBlockReader(int kind);
    virtual ~NSBlockReader();
    NSBlockReader(const NSBlockReader&) = delete;
    NSBlockReader& operator=(const NSBlockReader&) = delete;

    // Reads records from the current position to the end of the block: 0, or a code of op2::.
    virtual int readBlock(COp2File* file, CModelSet* model, bool skipAll);

    int GetKind() const { return m_kind; }
    void AddRecordReader(int key, std::unique_ptr<NSRecordReader> reader);
    NSRecordReader* FindRecordReader(int key) const;

    // The read this reader takes part in, set by the file's reader; a block reader used on
    // its own makes a read of its own when first asked.
    void SetContext(Op2ReadContext* context) { m_context = context; }
    Op2ReadContext& Context() const;
    // The read's input buffer (kBufferBytes bytes) and geometry id offsets.
    int* SharedBuffer() const;
    IdOffsets& GetIdOffsets() const;

    // Frame helpers, also used by the result block loops and the whole-file pass.
    static bool ReadWord(COp2File& file, int* value);
    // A control word is the 12-byte record [4][k][4]; 0 when read, else a code of op2::.
    static int ReadControlWord(COp2File& file, int* value);
    // Control words 1, 0 and n before every record; 0 with n in wordCount, else a code.
    // Matrix blocks put another value than 0 in the second word: anyValue accepts it.
    static int ReadRecordPrefix(COp2File& file, int* wordCount, bool anyValue = false);
    // Reads the rest of a record whose leading length pieceLength has been read and of which
    // bytesLeft bytes remain in its first piece, then its continuation pieces. With a sink the
    // data passes through the read's input buffer (unconsumed tails carried to the next
    // piece); without one it is skipped. Returns 0 at the record's end marker, else a code.
    int ReadPieces(COp2File& file, int pieceLength, int64_t bytesLeft, const PieceSink& sink);

private:
    int m_kind;
    std::map<int, std::unique_ptr<NSRecordReader>> m_recordReaders;
    // Not the reader's own state: what it reads through, made on first use when no file's
    // reader gave one.
    mutable Op2ReadContext* m_context = nullptr;
    mutable std::unique_ptr<Op2ReadContext> m_ownContext;
};

// What the block readers of one read of a file share: the input buffer every record passes
// through (one per read), the id offsets of the file's geometry, the header of the result
// subcase being read and the entries refused in the current block. Owned by the file's reader,
// so that two reads never share state.
struct Op2ReadContext
{
    Op2ReadContext();

    std::unique_ptr<int[]> buffer; // NSBlockReader::kBufferBytes bytes
    NSBlockReader::IdOffsets idOffsets;
    int tableHeader[op2::kIdentWords] = {};
    int refusedEntries = 0;
    // The file's reader, for its path, the block being read and where messages go; null for
    // a block reader used on its own.
    const OP2Reader* reader = nullptr;
};

// Reads over a block that no other reader knows.
class DEFAULTNSBlockReader : public NSBlockReader
{
public:
    DEFAULTNSBlockReader()
        : NSBlockReader(kDefaultKind)
    {
    }
    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;
};
