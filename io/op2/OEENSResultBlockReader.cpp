// Element strain energy tables.
#include "io/op2/OEENSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"

namespace
{
constexpr int kTableType = 18;
constexpr int kResultNumber = 18;
constexpr int kEntryWords = 4;
// Each element type's energies end with a subtotal entry under this key; it is no element.
constexpr int kSubtotalKey = 1000000000;
constexpr int kTypeBits[3] = {20, 21, 22}; // energy, percent of total, density
constexpr const char* kCreateLocation = "OEENSResultBlockReader::createResults";
constexpr const char* kReadLocation = "OEENSResultBlockReader::readRecord";

int StepFlags(int approachCode)
{
    switch (approachCode)
    {
    case 1: return 8;
    case 2: return 16;
    case 5:
    case 6:
    case 10:
    case 12: return 24;
    default: return 0;
    }
}
} // namespace

int OEENSResultBlockReader::AcceptedEntryBytes(const char* location) const
{
    const int* ident = TableHeader();
    if (ident[1] % 1000 != kTableType)
        return 0;
    // Sort-2 entries start with the step, not the element; complex ones hold two parts.
    const int sortCode = ident[1] / 1000;
    if ((sortCode & 1) != 0)
    {
        CAELogFile("FileRead")
            .WriteLog(0, location, "Results with imaginary components not supported");
        return 0;
    }
    if ((sortCode & 2) != 0)
    {
        CAELogFile("FileRead").WriteLog(0, location, "Sort 2 not supported");
        return 0;
    }
    const int entryBytes = HeaderEntryBytes();
    return CheckEntrySize(entryBytes, 4 * kEntryWords, location) ? entryBytes : 0;
}

void OEENSResultBlockReader::ResultIds(CModelSet* model, const StepKey& step, int* ids)
{
    for (int i = 0; i < 3; ++i)
        ids[i] = PackResultId(kResultNumber, kTypeBits[i],
                              LoadCaseOf(model, step, kResultNumber, kTypeBits[i]), 0);
}

int OEENSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        if (!IsTableOfKind({kTableType}) || AcceptedEntryBytes(kCreateLocation) == 0)
            return 0;
        int ids[3];
        ResultIds(model, MakeStepKey(StepFlags(ApproachCode())), ids);
        for (const int id : ids)
            GetOrCreateResult(id, model, "ELEMENT_STRAIN_ENERGY", CResultData::kScalar,
                              filePosition, "OEE", SourcePath());
        return 0;
    }
    catch (...)
    {
        // The registration step reports under the data pass's name.
        CAELogFile("FileRead").WriteLog(0, kReadLocation, "EXCEPTION");
        return -1;
    }
}

int OEENSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    try
    {
        const int entryBytes = AcceptedEntryBytes(kReadLocation);
        if (entryBytes == 0)
            return 0;
        const StepKey step = MakeStepKey(StepFlags(ApproachCode()));
        int ids[3];
        ResultIds(model, step, ids);
        CResultData* results[3];
        for (int i = 0; i < 3; ++i)
        {
            ResolveGroupResultId(&ids[i], ids[i], group);
            results[i] = ResultForStores(ids[i], model);
            ReserveElementStores(results[i], model, false);
        }
        const int entries = nBytes / entryBytes;
        const int entryWords = entryBytes / 4;
        for (int e = 0; e < entries; ++e)
        {
            const int* entry = InputWords() + e * entryWords;
            if (entry[0] == kSubtotalKey)
                continue;
            const int elementId = entry[0] / 10;
            for (int i = 0; i < 3; ++i)
                StoreElementScalarValue(results[i], elementId, op2::WordAsFloat(entry, i + 1),
                                        model, step.flags, step.tag);
        }
        return nBytes % entryBytes;
    }
    catch (...)
    {
        return -1;
    }
}
