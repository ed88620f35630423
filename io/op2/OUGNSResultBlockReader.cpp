// Displacement and eigenvector tables: one translation and one rotation vector per node, or
// four acoustic scalars.
#include "io/op2/OUGNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"
#include "platform/base/exception.h"

namespace
{
constexpr int kEntryWords = 8;
constexpr int kDisplacementTable = 1;
constexpr int kEigenvectorTable = 7;
constexpr int kVelocityTable = 10;
constexpr int kAccelerationTable = 11;
constexpr const char* kLocation = "OUGNSResultBlockReader::createResults";
} // namespace

OUGNSResultBlockReader::Table OUGNSResultBlockReader::ReadTable() const
{
    const int* ident = TableHeader();
    Table table;
    table.approachCode = ident[0] / 10;
    table.tableType = ident[1] % 1000;
    const int sortCode = ident[1] / 1000;
    table.isSortTwo = (sortCode & 2) != 0;
    const bool isComplex = (sortCode & 1) != 0;
    const int acousticFlag = ident[12];
    table.isAcoustic = acousticFlag == 2;
    switch (table.approachCode)
    {
    case 1: table.flags = 8; break;
    case 2: table.flags = 16; break;
    case 5:
    case 6:
    case 10: table.flags = 24; break;
    default: table.flags = 0; break;
    }
    table.isStepped = table.flags != 0;
    table.stepValue = table.isStepped ? StepWordAsFloat() : 0.0;
    table.tag = table.approachCode == 2 ? ident[4] : -1;
    table.subcase = ident[3];
    // Complex tables have wider entries than the 8 words read here.
    const bool isReadable =
        !table.isSortTwo && !isComplex &&
        ((table.tableType == kDisplacementTable && (acousticFlag == 0 || acousticFlag == 2)) ||
         table.tableType == kEigenvectorTable);
    table.entryBytes = isReadable ? kEntryWords * 4 : 0;
    return table;
}

int OUGNSResultBlockReader::TableResultIds(const Table& table, CModelSet* model, int* ids)
{
    const int firstTypeBits = table.isAcoustic ? 3 : 1;
    const int count = table.isAcoustic ? 4 : 2;
    const int variant = table.isAcoustic ? 0 : 1;
    for (int i = 0; i < count; ++i)
    {
        const int typeBits = firstTypeBits + i;
        int loadCase = 0;
        if (table.isStepped)
            loadCase = static_cast<int>(model->AddLoadCaseValue(
                static_cast<UINT>(table.tableType), static_cast<UINT>(typeBits) << kResultTypeShift,
                table.stepValue, table.subcase));
        ids[i] = PackResultId(table.tableType, typeBits, loadCase, variant);
    }
    return count;
}

int OUGNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        // Nodal motion of every kind; the solution-set tables 14 to 17 as well.
        if (!IsTableOfKind({kDisplacementTable, kEigenvectorTable, kVelocityTable,
                            kAccelerationTable, 14, 15, 16, 17}))
            return 0;
        const Table table = ReadTable();
        if (table.isSortTwo && table.isStepped)
        {
            CAELogFile("FileRead").WriteLog(0, kLocation, "FREQ / TIME is not supported.");
            return 0;
        }
        if (table.entryBytes == 0)
        {
            CAELogFile("FileRead").WriteLog(0, kLocation, "Record type not supported.");
            return 0;
        }
        int ids[4];
        const int count = TableResultIds(table, model, ids);
        const char* text = table.tableType == kEigenvectorTable ? "EIGENVECTOR"
                           : table.isAcoustic                   ? "DISPLACEMENT_ACOUSTIC"
                                                                : "DISPLACEMENT";
        const int kind = table.isAcoustic ? CResultData::kScalar : CResultData::kVectorXYZ;
        for (int i = 0; i < count; ++i)
            GetOrCreateResult(ids[i], model, text, kind, filePosition, "OUG", SourcePath());
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

int OUGNSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    const Table table = ReadTable();
    if ((table.isSortTwo && table.isStepped) || table.entryBytes == 0)
        return 0;
    int ids[4];
    const int count = TableResultIds(table, model, ids);
    if (!table.isAcoustic)
        model->SetDefaultDisplacementId(ids[0]);
    CResultData* results[4];
    for (int i = 0; i < count; ++i)
    {
        ResolveGroupResultId(&ids[i], ids[i], group);
        results[i] = ResultForStores(ids[i], model);
        ReserveNodeStores(results[i], model, !table.isAcoustic);
    }
    const int entries = nBytes / table.entryBytes;
    const int* words = InputWords();
    for (int e = 0; e < entries; ++e)
    {
        const int* entry = words + e * kEntryWords;
        const int nodeId = entry[0] / 10;
        if (table.isAcoustic)
        {
            for (int i = 0; i < 4; ++i)
                StoreNodeScalarValue(results[i], nodeId, op2::WordAsFloat(entry, 2 + i), model,
                                     table.flags, table.tag);
            continue;
        }
        const CPoint3D translation(op2::WordAsFloat(entry, 2), op2::WordAsFloat(entry, 3),
                                   op2::WordAsFloat(entry, 4));
        const CPoint3D rotation(op2::WordAsFloat(entry, 5), op2::WordAsFloat(entry, 6),
                                op2::WordAsFloat(entry, 7));
        StoreNodeVectorValue(results[0], nodeId, translation, model, table.flags, table.tag);
        StoreNodeVectorValue(results[1], nodeId, rotation, model, table.flags, table.tag);
    }
    return nBytes % table.entryBytes;
}
