// Subcase loops of the element and grid point result readers, with the record measured first.
#include "io/op2/SizedResultBlockReader.h"

#include "core/model/ModelSet.h"
#include "core/services/LogFile.h"
#include "io/op2/Op2File.h"

#include <algorithm>
#include <climits>

SizedResultBlockReader::StepKey SizedResultBlockReader::MakeStepKey(int flags) const
{
    StepKey step;
    step.flags = flags;
    step.isStepped = flags != 0;
    step.value = step.isStepped ? StepWordAsFloat() : 0.0;
    step.tag = ApproachCode() == 2 ? TableHeader()[4] : -1;
    step.subcase = TableHeader()[3];
    return step;
}

int SizedResultBlockReader::LoadCaseOf(CModelSet* model, const StepKey& step, int resultNumber,
                                       int typeBits)
{
    if (!step.isStepped)
        return 0;
    return static_cast<int>(model->AddLoadCaseValue(static_cast<UINT>(resultNumber),
                                                    static_cast<UINT>(typeBits) << kResultTypeShift,
                                                    step.value, step.subcase));
}

CPoint3D SizedResultBlockReader::ColumnVector(const int* block, const EntryColumn& column)
{
    double xyz[3];
    for (int i = 0; i < 3; ++i)
        xyz[i] = column.words[i] == kZeroWord ? 0.0 : op2::WordAsFloat(block, column.words[i]);
    return CPoint3D(xyz[0], xyz[1], xyz[2]);
}

bool SizedResultBlockReader::CheckEntrySize(int entryBytes, int minBytes,
                                            const char* location) const
{
    if (entryBytes < 1 || entryBytes > kBufferBytes)
    {
        CAELogFile("FileRead")
            .WriteLog(0, location, "Entry size %d outside 1..%d bytes", entryBytes, kBufferBytes);
        return false;
    }
    if (entryBytes < minBytes)
    {
        CAELogFile("FileRead")
            .WriteLog(0, location, "Entry size %d too short for the element layout", entryBytes);
        return false;
    }
    if (m_recordBytes % entryBytes != 0)
    {
        CAELogFile("FileRead")
            .WriteLog(0, location, "Record of %lld bytes does not hold whole entries of %d bytes",
                      static_cast<long long>(m_recordBytes), entryBytes);
        return false;
    }
    return true;
}

int SizedResultBlockReader::MeasureDataRecord(COp2File& file)
{
    const int64_t start = file.GetPosition();
    int wordCount = 0;
    int code = ReadRecordPrefix(file, &wordCount);
    if (code != 0)
        return code;
    if (wordCount == 0)
        return 1;
    int pieceLength = 0;
    if (!ReadWord(file, &pieceLength))
        return op2::kTruncated;
    if (wordCount > INT_MAX / 4 || pieceLength != 4 * wordCount)
        return op2::kBadLength;
    int64_t total = 0;
    for (;;)
    {
        total += pieceLength;
        int trailer = 0;
        if (!file.Skip(pieceLength) || !ReadWord(file, &trailer))
            return op2::kTruncated;
        if (trailer != pieceLength)
            return op2::kBadTrailer;
        int marker = 0;
        code = ReadControlWord(file, &marker);
        if (code != 0)
            return code;
        if (marker < 0)
            break;
        if (!ReadWord(file, &pieceLength))
            return op2::kTruncated;
        if (marker > INT_MAX / 4 || pieceLength != 4 * marker)
            return op2::kBadLength;
    }
    m_recordBytes = total;
    return file.Seek(start) ? 0 : op2::kTruncated;
}

int SizedResultBlockReader::ReadDataRecord(COp2File& file, CModelSet* model,
                                           const CResultMap* group, bool wanted)
{
    int wordCount = 0;
    const int code = ReadRecordPrefix(file, &wordCount);
    if (code != 0)
        return code;
    int length = 0;
    if (!ReadWord(file, &length))
        return op2::kTruncated;
    PieceSink sink;
    if (wanted)
        sink = [this, model, group](int bytes) { return readRecord(bytes, model, group); };
    return ReadPieces(file, length, length, sink);
}

int SizedResultBlockReader::readBlock(COp2File* file, CModelSet* model, bool skipAll)
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
        const int measured = MeasureDataRecord(*file);
        if (measured != 0)
            return measured > 0 ? 0 : measured;
        const bool wanted = !skipAll && createResults(model, position) == 1;
        const int code = ReadDataRecord(*file, model, nullptr, wanted);
        if (code != 0)
            return code;
    }
}

int SizedResultBlockReader::readData(COp2File* file, CModelSet* model, const CResultMap* group)
{
    // One result can take values from several tables of the same step (the axial force of
    // rods and bars; the grid point stresses of several volumes, whose direct and principal
    // tables alternate), but is filed under the first table's position only: the pass goes
    // on through the following tables while they belong to the same subcase and step.
    int* ident = TableHeader();
    int firstStep[3] = {0, 0, 0};
    for (bool isFirst = true;; isFirst = false)
    {
        bool endOfTable = false;
        if (ReadTableHeader(file, ident, &endOfTable) != 0)
            return isFirst ? op2::kTruncated : 0;
        if (endOfTable)
            return 0;
        // Approach and device, subcase, step word.
        const int step[3] = {ident[0], ident[3], ident[4]};
        if (isFirst)
            std::copy(step, step + 3, firstStep);
        else if (!std::equal(step, step + 3, firstStep))
            return 0;
        const int measured = MeasureDataRecord(*file);
        if (measured != 0)
            return measured > 0 ? 0 : measured;
        // A following table of an element type the reader refuses was reported by the
        // catalogue pass already: read over it quietly.
        const int code = ReadDataRecord(*file, model, group, isFirst || IsReadableTable());
        if (code != 0)
            return code;
    }
}
