// Constraint force tables.
#include "io/op2/OQGNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"
#include "platform/base/exception.h"

namespace
{
constexpr int kEntryWords = 8;
constexpr int kSpcTable = 3;
constexpr int kMpcTable = 39;
constexpr int kForceTypeBits = 67;
constexpr int kMomentTypeBits = 68;
constexpr const char* kLocation = "OQGNSResultBlockReader::readRecord";
} // namespace

OQGNSResultBlockReader::Table OQGNSResultBlockReader::ReadTable() const
{
    const int* ident = TableHeader();
    Table table;
    const int approachCode = ident[0] / 10;
    table.resultNumber = ident[1] % 1000;
    switch (approachCode)
    {
    case 1:
    case 10: table.flags = 8; break;
    case 2: table.flags = 16; break;
    case 6:
    case 12: table.flags = 24; break;
    default: table.flags = 0; break;
    }
    table.isStepped = table.flags != 0;
    table.stepValue = table.isStepped ? StepWordAsFloat() : 0.0;
    table.tag = approachCode == 2 ? ident[4] : -1;
    table.subcase = ident[3];
    // Sort-2 and complex tables (sort code not 0) do not hold one node per 8-word entry.
    const bool isRealSortOne = ident[1] / 1000 == 0;
    table.entryBytes = ident[9] == kEntryWords && isRealSortOne ? kEntryWords * 4 : 0;
    return table;
}

void OQGNSResultBlockReader::TableResultIds(const Table& table, CModelSet* model, int* ids)
{
    const int typeBits[2] = {kForceTypeBits, kMomentTypeBits};
    for (int i = 0; i < 2; ++i)
    {
        int loadCase = 0;
        if (table.isStepped)
            loadCase = static_cast<int>(
                model->AddLoadCaseValue(static_cast<UINT>(table.resultNumber),
                                        static_cast<UINT>(typeBits[i]) << kResultTypeShift,
                                        table.stepValue, table.subcase));
        ids[i] = PackResultId(table.resultNumber, typeBits[i], loadCase, 1);
    }
}

int OQGNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        if (!IsTableOfKind({kSpcTable, kMpcTable}))
            return 0;
        const Table table = ReadTable();
        if (table.entryBytes == 0)
            return -1;
        int ids[2];
        TableResultIds(table, model, ids);
        for (int id : ids)
            GetOrCreateResult(id, model, "SPC_FORCES_MPC_FORCES", CResultData::kVector,
                              filePosition, "OQG", SourcePath());
        return 0;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    CAELogFile("FileRead").WriteLog(0, kLocation, "EXCEPTION");
    return -1;
}

int OQGNSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    const Table table = ReadTable();
    if (table.entryBytes == 0)
    {
        CAELogFile("FileRead").WriteLog(0, kLocation, "Record type not supported");
        return 0;
    }
    int ids[2];
    TableResultIds(table, model, ids);
    CResultData* results[2];
    for (int i = 0; i < 2; ++i)
    {
        ResolveGroupResultId(&ids[i], ids[i], group);
        results[i] = ResultForStores(ids[i], model);
        ReserveNodeStores(results[i], model, true);
    }
    const int entries = nBytes / table.entryBytes;
    const int* words = InputWords();
    for (int e = 0; e < entries; ++e)
    {
        const int* entry = words + e * kEntryWords;
        const int nodeId = entry[0] / 10;
        const CPoint3D force(op2::WordAsFloat(entry, 2), op2::WordAsFloat(entry, 3),
                             op2::WordAsFloat(entry, 4));
        const CPoint3D moment(op2::WordAsFloat(entry, 5), op2::WordAsFloat(entry, 6),
                              op2::WordAsFloat(entry, 7));
        StoreNodeVectorValue(results[0], nodeId, force, model, table.flags, table.tag);
        StoreNodeVectorValue(results[1], nodeId, moment, model, table.flags, table.tag);
    }
    return nBytes % table.entryBytes;
}
