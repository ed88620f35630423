// Block and record reader frame of OUTPUT2 files: the record loop of one data block, the shared
// input buffer through which every record is read in pieces, and the geometry id offsets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class CModelSet;
class COp2File;

// Return codes of the block loops: 0 end of block, negative a framing failure.
namespace op2
{
constexpr int kTruncated = -1;    // the file ended inside a frame, or a file error
constexpr int kBadPrefix = -2;    // record prefix not control words 1, 0, n
constexpr int kBadLength = -3;    // leading length not 4n, or too short for its frame
constexpr int kReaderFailed = -4; // a record reader failed or could not make progress
constexpr int kBadTrailer = -5;   // trailing length differs from the leading one
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

    // Process-wide state shared by all block readers (they are not reentrant).
    static int* SharedBuffer(); // kBufferBytes bytes
    static IdOffsets& GetIdOffsets();

    // Frame helpers, also used by the result block loops and the whole-file pass.
    static bool ReadWord(COp2File& file, int* value);
    // A control word is the 12-byte record [4][k][4]; 0 when read, else a code of op2::.
    static int ReadControlWord(COp2File& file, int* value);
    // Control words 1, 0 and n before every record; 0 with n in wordCount, else a code.
    // Matrix blocks put another value than 0 in the second word: anyValue accepts it.
    static int ReadRecordPrefix(COp2File& file, int* wordCount, bool anyValue = false);
    // Reads the rest of a record whose leading length pieceLength has been read and of which
    // bytesLeft bytes remain in its first piece, then its continuation pieces. With a sink the
    // data passes through the shared buffer (unconsumed tails carried to the next piece);
    // without one it is skipped. Returns 0 at the record's end marker, else a code.
    static int ReadPieces(COp2File& file, int pieceLength, int64_t bytesLeft,
                          const PieceSink& sink);

private:
    int m_kind;
    std::map<int, std::unique_ptr<NSRecordReader>> m_recordReaders;
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
