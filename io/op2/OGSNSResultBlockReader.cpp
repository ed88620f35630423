// Grid point stress tables.
#include "io/op2/OGSNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"

namespace
{
constexpr int kMaxResults = 8;
constexpr const char* kCreateLocation = "OGSNSResultBlockReader::createResults";
constexpr const char* kReadLocation = "OGSNSResultBlockReader::readRecord";

// One result of a record type: its type number and the entry words it takes. A vector takes
// three words; -1 stands for a zero component.
struct ResultColumn
{
    int typeBits;
    int words[3]; // words[1] == -2: a scalar of words[0]
};

constexpr int kScalar = -2;
constexpr int kZero = -1;

int StepFlags(int approachCode)
{
    switch (approachCode)
    {
    case 1: return 8;
    case 2: return 16;
    case 6:
    case 10: return 24;
    default: return 0;
    }
}

bool IsVector(const ResultColumn& column)
{
    return column.words[1] != kScalar;
}

int KindOf(const ResultColumn& column)
{
    if (column.typeBits == 7)
        return CResultData::kTensor;
    return IsVector(column) ? CResultData::kVector : CResultData::kScalar;
}

float WordValue(const int* entry, int word)
{
    if (word == kZero)
        return 0.0f;
    float value = 0.0f;
    std::memcpy(&value, entry + word, sizeof(value));
    return value;
}
} // namespace

struct OGSNSResultBlockReader::RecordType
{
    int tableCode;
    const char* name;
    int entryWords;
    int resultCount;
    ResultColumn results[kMaxResults];
};

const OGSNSResultBlockReader::RecordType* OGSNSResultBlockReader::FindRecordType(int tableCode)
{
    static const RecordType kTypes[] = {
        {26,
         "GRID_POINT_STRESSES_SURFACE",
         11,
         7,
         {{7, {3, 4, kZero}},
          {23, {5, kScalar, 0}},
          {8, {6, kScalar, 0}},
          {9, {7, kScalar, 0}},
          {10, {8, kScalar, 0}},
          {11, {9, kScalar, 0}},
          {12, {10, kScalar, 0}}}},
        {27,
         "GRID_POINT_STRESSES_VOLUME_DIRECT",
         9,
         6,
         {{7, {1, 2, 3}},
          {23, {4, kScalar, 0}},
          {24, {5, kScalar, 0}},
          {25, {6, kScalar, 0}},
          {13, {7, kScalar, 0}},
          {12, {8, kScalar, 0}}}},
        {28,
         "GRID_POINT_STRESSES_VOLUME_PRINCIPAL",
         15,
         8,
         {{14, {1, 4, 7}},
          {15, {2, 5, 8}},
          {16, {3, 6, 9}},
          {17, {10, kScalar, 0}},
          {18, {11, kScalar, 0}},
          {19, {12, kScalar, 0}},
          {13, {13, kScalar, 0}},
          {12, {14, kScalar, 0}}}},
        {35, "GRID_POINT_STRESSES_PLANE_STRAIN", 6, 2, {{7, {1, 2, kZero}}, {23, {4, kScalar, 0}}}},
    };
    for (const RecordType& type : kTypes)
    {
        if (type.tableCode == tableCode)
            return &type;
    }
    return nullptr;
}

int OGSNSResultBlockReader::EntryBytesOf(int tableCode)
{
    const RecordType* type = FindRecordType(tableCode);
    return type == nullptr ? 0 : 4 * type->entryWords;
}

void OGSNSResultBlockReader::ResultIds(const RecordType& type, CModelSet* model,
                                       const StepKey& step, int* ids)
{
    const int resultNumber = type.tableCode % 1000;
    for (int i = 0; i < type.resultCount; ++i)
    {
        const ResultColumn& column = type.results[i];
        ids[i] = PackResultId(resultNumber, column.typeBits,
                              LoadCaseOf(model, step, resultNumber, column.typeBits),
                              IsVector(column) ? 1 : 0);
    }
}

int OGSNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        const RecordType* type = FindRecordType(TableHeader()[1]);
        if (type == nullptr)
        {
            CAELogFile("FileRead").WriteLog(0, kCreateLocation, "Record type not supported");
            return 0;
        }
        if (!CheckEntrySize(HeaderEntryBytes(), 4 * type->entryWords, kCreateLocation))
            return 0;
        int ids[kMaxResults];
        ResultIds(*type, model, MakeStepKey(StepFlags(ApproachCode())), ids);
        for (int i = 0; i < type->resultCount; ++i)
            GetOrCreateResult(ids[i], model, type->name, KindOf(type->results[i]), filePosition,
                              "OGS");
        return 0;
    }
    catch (...)
    {
        CAELogFile("FileRead").WriteLog(0, kCreateLocation, "EXCEPTION");
        return -1;
    }
}

int OGSNSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    const RecordType* type = FindRecordType(TableHeader()[1]);
    if (type == nullptr)
        return 0;
    // Entries are stepped by the size the header gives; the table's words lead each entry.
    const int entryBytes = HeaderEntryBytes();
    if (!CheckEntrySize(entryBytes, 4 * type->entryWords, kReadLocation))
        return 0;
    const int entryWords = entryBytes / 4;
    const StepKey step = MakeStepKey(StepFlags(ApproachCode()));
    int ids[kMaxResults];
    ResultIds(*type, model, step, ids);
    for (int i = 0; i < type->resultCount; ++i)
        ResolveGroupResultId(&ids[i], ids[i], group);
    const bool isSurface = type->tableCode == 26;
    const int entries = nBytes / entryBytes;
    for (int e = 0; e < entries; ++e)
    {
        const int* entry = InputWords() + e * entryWords;
        const int gridId = entry[0] / 10;
        for (int i = 0; i < type->resultCount; ++i)
        {
            const ResultColumn& column = type->results[i];
            if (IsVector(column))
            {
                const CPoint3D vector(WordValue(entry, column.words[0]),
                                      WordValue(entry, column.words[1]),
                                      WordValue(entry, column.words[2]));
                AddNodeVectorValue(gridId, ids[i], vector, model, step.flags, step.tag);
            }
            else
            {
                AddNodeScalarValue(gridId, ids[i], WordValue(entry, column.words[0]), model,
                                   step.flags, step.tag);
            }
        }
        if (!isSurface)
            continue;
        // A surface entry also belongs to one element.
        const int elementId = entry[1];
        for (int i = 0; i < type->resultCount; ++i)
        {
            const ResultColumn& column = type->results[i];
            if (IsVector(column))
                AddElementVectorValue(elementId, ids[i],
                                      CPoint3D(WordValue(entry, column.words[0]),
                                               WordValue(entry, column.words[1]),
                                               WordValue(entry, column.words[2])),
                                      model, step.flags, step.tag);
            else
                AddElementScalarValue(elementId, ids[i], WordValue(entry, column.words[0]), model,
                                      step.flags, step.tag);
        }
    }
    return nBytes % entryBytes;
}
