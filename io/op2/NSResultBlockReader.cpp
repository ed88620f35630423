// Catalogue and data loops over the subcases of a result table.
#include "io/op2/NSResultBlockReader.h"

#include "io/op2/OP2Reader.h"
#include "io/op2/Op2File.h"
#include "io/results/ImportMessages.h"

#include <climits>

NSResultBlockReader::NSResultBlockReader()
    : NSBlockReader(kResultKind)
{
}

int* NSResultBlockReader::TableHeader() const
{
    return Context().tableHeader;
}

int NSResultBlockReader::PackResultId(int resultNumber, int typeBits, int loadCase, int variant)
{
    const uint32_t id = (static_cast<uint32_t>(typeBits) << kResultTypeShift) & kResultTypeMask;
    return static_cast<int>(
        id | ((static_cast<uint32_t>(resultNumber) << kResultNumberShift) & kResultNumberMask) |
        ((static_cast<uint32_t>(loadCase) << kResultLoadCaseShift) & kResultLoadCaseMask) |
        (static_cast<uint32_t>(variant) & kResultVariantMask));
}

double NSResultBlockReader::StepWordAsFloat() const
{
    return op2::WordAsFloat(TableHeader(), 4);
}

bool NSResultBlockReader::IsTableOfKind(std::initializer_list<int> tableTypes)
{
    const int tableType = TableHeader()[1] % 1000;
    for (const int type : tableTypes)
    {
        if (type == tableType)
            return true;
    }
    const OP2Reader* reader = Context().reader;
    if (!m_isForeignTableReported && reader != nullptr)
    {
        reader->ReportLine(ImportMessage(
            "Op2TableRefused", {reader->GetPath(), reader->GetBlockName(), TableHeader()[1]}));
    }
    m_isForeignTableReported = true;
    return false;
}

CString NSResultBlockReader::SourcePath() const
{
    const OP2Reader* reader = Context().reader;
    return reader != nullptr ? CString(reader->GetPath().c_str()) : CString();
}

int NSResultBlockReader::readRecord(int, CModelSet*, const CResultMap*)
{
    return 0;
}

int NSResultBlockReader::createResults(CModelSet*, int64_t)
{
    return 0;
}

void NSResultBlockReader::ResolveGroupResultId(int* out, int packedId, const CResultMap* group)
{
    *out = packedId;
    if (group == nullptr)
        return;
    CResultData* result = nullptr;
    if (!group->Lookup(static_cast<UINT>(packedId), result) || result == nullptr)
        *out = -1;
}

int NSResultBlockReader::ReadTableHeader(COp2File* file, int* identBuffer, bool* endOfTable)
{
    *endOfTable = false;
    int wordCount = 0;
    const int code = ReadRecordPrefix(*file, &wordCount);
    if (code != 0)
        return code;
    if (wordCount == 0)
    {
        *endOfTable = true;
        return 0;
    }
    constexpr int kIdentBytes = kIdentWords * 4;
    int length = 0;
    if (!ReadWord(*file, &length))
        return op2::kTruncated;
    if (length != kIdentBytes || wordCount != kIdentWords)
        return op2::kBadLength;
    int trailer = 0;
    if (!file->ReadExact(identBuffer, kIdentBytes) || !ReadWord(*file, &trailer))
        return op2::kTruncated;
    if (trailer != kIdentBytes)
        return op2::kBadTrailer;
    int marker = 0;
    if (ReadControlWord(*file, &marker) != 0 || marker >= 0)
        return op2::kReaderFailed;
    return 0;
}

// The data record after a table header: its prefix, its leading length and its pieces.
int NSResultBlockReader::ReadDataRecord(COp2File& file, CModelSet* model, const CResultMap* group,
                                        bool wanted)
{
    int wordCount = 0;
    const int code = ReadRecordPrefix(file, &wordCount);
    if (code != 0)
        return code;
    if (wordCount == 0)
        return 1; // the table ends where the data record would be
    int length = 0;
    if (!ReadWord(file, &length))
        return op2::kTruncated;
    if (wordCount > INT_MAX / 4 || length != 4 * wordCount)
        return op2::kBadLength;
    PieceSink sink;
    if (wanted)
        sink = [this, model, group](int bytes) { return readRecord(bytes, model, group); };
    return ReadPieces(file, length, length, sink);
}

int NSResultBlockReader::readBlock(COp2File* file, CModelSet* model, bool skipAll)
{
    StartBlock();
    for (;;)
    {
        const int64_t position = file->GetPosition();
        bool endOfTable = false;
        if (ReadTableHeader(file, TableHeader(), &endOfTable) != 0)
            return op2::kTruncated;
        if (endOfTable)
            return 0;
        // Asked once per subcase: continuation pieces belong to the same subcase.
        const bool wanted = !skipAll && createResults(model, position) == 1;
        const int code = ReadDataRecord(*file, model, nullptr, wanted);
        if (code != 0)
            return code > 0 ? 0 : code;
    }
}

int NSResultBlockReader::readData(COp2File* file, CModelSet* model, const CResultMap* group)
{
    bool endOfTable = false;
    if (ReadTableHeader(file, TableHeader(), &endOfTable) != 0)
        return op2::kTruncated;
    if (endOfTable)
        return 0;
    const int code = ReadDataRecord(*file, model, group, true);
    return code > 0 ? 0 : code;
}
