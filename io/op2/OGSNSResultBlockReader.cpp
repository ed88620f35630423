// Grid point stress tables.
#include "io/op2/OGSNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"

namespace
{
constexpr int kMaxResults = 8;
constexpr const char* kCreateLocation = "OGSNSResultBlockReader::createResults";
constexpr const char* kReadLocation = "OGSNSResultBlockReader::readRecord";

constexpr int S = CResultData::kScalar;
constexpr int V = CResultData::kVector;
constexpr int T = CResultData::kTensor;
constexpr int kS = SizedResultBlockReader::kScalarWord;
constexpr int kZ = SizedResultBlockReader::kZeroWord;

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
} // namespace

struct OGSNSResultBlockReader::RecordType
{
    int tableCode;
    const char* name;
    int entryWords;
    int resultCount;
    EntryColumn results[kMaxResults]; // in registration order
};

const OGSNSResultBlockReader::RecordType* OGSNSResultBlockReader::FindRecordType(int tableCode)
{
    static const RecordType kTypes[] = {
        {26,
         "GRID_POINT_STRESSES_SURFACE",
         11,
         7,
         {{7, T, {3, 4, kZ}},
          {23, S, {5, kS, 0}},
          {8, S, {6, kS, 0}},
          {9, S, {7, kS, 0}},
          {10, S, {8, kS, 0}},
          {11, S, {9, kS, 0}},
          {12, S, {10, kS, 0}}}},
        {27,
         "GRID_POINT_STRESSES_VOLUME_DIRECT",
         9,
         6,
         {{7, T, {1, 2, 3}},
          {23, S, {4, kS, 0}},
          {24, S, {5, kS, 0}},
          {25, S, {6, kS, 0}},
          {13, S, {7, kS, 0}},
          {12, S, {8, kS, 0}}}},
        {28,
         "GRID_POINT_STRESSES_VOLUME_PRINCIPAL",
         15,
         8,
         {{14, V, {1, 4, 7}},
          {15, V, {2, 5, 8}},
          {16, V, {3, 6, 9}},
          {17, S, {10, kS, 0}},
          {18, S, {11, kS, 0}},
          {19, S, {12, kS, 0}},
          {13, S, {13, kS, 0}},
          {12, S, {14, kS, 0}}}},
        {35, "GRID_POINT_STRESSES_PLANE_STRAIN", 6, 2, {{7, T, {1, 2, kZ}}, {23, S, {4, kS, 0}}}},
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
        const EntryColumn& column = type.results[i];
        ids[i] = PackResultId(resultNumber, column.typeBits,
                              LoadCaseOf(model, step, resultNumber, column.typeBits),
                              column.IsVector() ? 1 : 0);
    }
}

int OGSNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        if (!IsTableOfKind({26, 27, 28, 35}))
            return 0;
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
            GetOrCreateResult(ids[i], model, type->name, type->results[i].kind, filePosition, "OGS",
                              SourcePath());
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
    CResultData* results[kMaxResults];
    for (int i = 0; i < type->resultCount; ++i)
    {
        ResolveGroupResultId(&ids[i], ids[i], group);
        results[i] = ResultForStores(ids[i], model);
    }
    const bool isSurface = type->tableCode == 26;
    const int entries = nBytes / entryBytes;
    for (int e = 0; e < entries; ++e)
    {
        const int* entry = InputWords() + e * entryWords;
        const int gridId = entry[0] / 10;
        for (int i = 0; i < type->resultCount; ++i)
        {
            const EntryColumn& column = type->results[i];
            if (column.IsVector())
                StoreNodeVectorValue(results[i], gridId, ColumnVector(entry, column), model,
                                     step.flags, step.tag);
            else
                StoreNodeScalarValue(results[i], gridId, ColumnScalar(entry, column), model,
                                     step.flags, step.tag);
        }
        if (!isSurface)
            continue;
        // A surface entry also belongs to one element.
        const int elementId = entry[1];
        for (int i = 0; i < type->resultCount; ++i)
        {
            const EntryColumn& column = type->results[i];
            if (column.IsVector())
                StoreElementVectorValue(results[i], elementId, ColumnVector(entry, column), model,
                                        step.flags, step.tag);
            else
                StoreElementScalarValue(results[i], elementId, ColumnScalar(entry, column), model,
                                        step.flags, step.tag);
        }
    }
    return nBytes % entryBytes;
}
