// Element stress and strain tables.
#include "io/op2/OESNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"

#include <iterator>

namespace
{
constexpr int kMaxColumns = 14;
constexpr int kStressResultNumber = 12;
constexpr int kStressTable = 5; // stresses and strains alike
constexpr const char* kCreateLocation = "OESNSResultBlockReader::createResults";
constexpr const char* kReadLocation = "OESNSResultBlockReader::readRecord";

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
    case 5:
    case 6:
    case 10:
    case 12: return 24;
    default: return 0;
    }
}
} // namespace

// Entry layout of one element type. Solids hold station blocks (the centre and the corners);
// a layout without blocks stores one value per element from the entry itself.
struct OESNSResultBlockReader::Layout
{
    int elementType;
    int entryWords; // the words the layout reads
    const char* stressText;
    const char* strainText;
    int blockStart;
    int blockWords;
    int blockCount; // 0: values per element
    int columnCount;
    EntryColumn columns[kMaxColumns]; // in registration order
};

namespace
{
using Layout = OESNSResultBlockReader::Layout;

const Layout kLayouts[] = {
    {33,
     17,
     "STRESS_QUAD",
     "STRAIN_QUAD",
     0,
     0,
     0,
     14,
     {{26, S, {1, kS, 0}},
      {27, T, {2, 3, kZ}},
      {28, S, {4, kS, 0}},
      {29, S, {5, kS, 0}},
      {30, S, {6, kS, 0}},
      {31, S, {7, kS, 0}},
      {32, S, {8, kS, 0}},
      {33, S, {9, kS, 0}},
      {34, T, {10, 11, kZ}},
      {35, S, {12, kS, 0}},
      {36, S, {13, kS, 0}},
      {37, S, {14, kS, 0}},
      {38, S, {15, kS, 0}},
      {39, S, {16, kS, 0}}}},
    {67,
     193,
     "STRESS_HEXA",
     "STRAIN_HEXA",
     4,
     21,
     9,
     12,
     {{7, T, {1, 9, 15}},
      {23, S, {2, kS, 0}},
      {40, S, {3, kS, 0}},
      {54, V, {4, 12, 18}},
      {55, V, {5, 13, 19}},
      {56, V, {6, 14, 20}},
      {13, S, {7, kS, 0}},
      {57, S, {8, kS, 0}},
      {24, S, {10, kS, 0}},
      {41, S, {11, kS, 0}},
      {25, S, {16, kS, 0}},
      {42, S, {17, kS, 0}}}},
    {93,
     146,
     "STRESS_SOLID",
     "STRAIN_SOLID",
     2,
     16,
     9,
     11,
     {{43, T, {1, 2, 3}},
      {44, S, {4, kS, 0}},
      {45, S, {5, kS, 0}},
      {46, S, {6, kS, 0}},
      {51, S, {7, kS, 0}},
      {52, S, {8, kS, 0}},
      {53, S, {9, kS, 0}},
      {47, T, {10, 11, 12}},
      {48, S, {13, kS, 0}},
      {49, S, {14, kS, 0}},
      {50, S, {15, kS, 0}}}},
};

bool IsStrainTable(const int* tableHeader)
{
    return (tableHeader[10] & 2) != 0;
}
} // namespace

const OESNSResultBlockReader::Layout* OESNSResultBlockReader::AcceptedLayout(const char* location)
{
    const int* ident = TableHeader();
    const int sortCode = ident[1] / 1000;
    // Complex entries hold real and imaginary parts; sort-2 entries start with the step.
    if ((sortCode & 1) != 0)
    {
        CAELogFile("FileRead")
            .WriteLog(0, location, "Results with imaginary components not supported");
        return nullptr;
    }
    if ((sortCode & 2) != 0)
    {
        CAELogFile("FileRead").WriteLog(0, location, "Sort 2 not supported");
        return nullptr;
    }
    const Layout* layout = FindLayout(ident[2]);
    if (layout == nullptr)
        CAELogFile("FileRead").WriteLog(0, location, "Record type not supported");
    return layout;
}

const OESNSResultBlockReader::Layout* OESNSResultBlockReader::FindLayout(int elementType)
{
    for (const Layout& layout : kLayouts)
    {
        if (layout.elementType == elementType)
            return &layout;
    }
    return nullptr;
}

bool OESNSResultBlockReader::IsReadableTable() const
{
    return TableHeader()[1] / 1000 == 0 && FindLayout(TableHeader()[2]) != nullptr;
}

bool OESNSResultBlockReader::CheckLayoutEntry(const Layout& layout, const char* location) const
{
    return CheckEntrySize(HeaderEntryBytes(), 4 * layout.entryWords, location);
}

int OESNSResultBlockReader::ResultNumber() const
{
    return IsStrainTable(TableHeader()) ? TableHeader()[1] % 1000 : kStressResultNumber;
}

void OESNSResultBlockReader::ResultIds(const Layout& layout, CModelSet* model, const StepKey& step,
                                       int* ids) const
{
    const int resultNumber = ResultNumber();
    for (int i = 0; i < layout.columnCount; ++i)
    {
        const EntryColumn& column = layout.columns[i];
        ids[i] = PackResultId(resultNumber, column.typeBits,
                              LoadCaseOf(model, step, resultNumber, column.typeBits),
                              column.IsVector() ? 1 : 0);
    }
}

int OESNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        if (!IsTableOfKind({kStressTable}))
            return 0;
        const Layout* layout = AcceptedLayout(kCreateLocation);
        if (layout == nullptr || !CheckLayoutEntry(*layout, kCreateLocation))
            return 0;
        int ids[kMaxColumns];
        ResultIds(*layout, model, MakeStepKey(StepFlags(ApproachCode())), ids);
        const char* text = IsStrainTable(TableHeader()) ? layout->strainText : layout->stressText;
        for (int i = 0; i < layout->columnCount; ++i)
            GetOrCreateResult(ids[i], model, text, layout->columns[i].kind, filePosition, "OES",
                              SourcePath());
        return 0;
    }
    catch (...)
    {
        CAELogFile("FileRead").WriteLog(0, kCreateLocation, "EXCEPTION");
        return -1;
    }
}

int OESNSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    try
    {
        const Layout* layout = AcceptedLayout(kReadLocation);
        if (layout == nullptr || !CheckLayoutEntry(*layout, kReadLocation))
            return 0;
        const StepKey step = MakeStepKey(StepFlags(ApproachCode()));
        int ids[kMaxColumns];
        ResultIds(*layout, model, step, ids);
        CResultData* results[kMaxColumns];
        for (int i = 0; i < layout->columnCount; ++i)
        {
            ResolveGroupResultId(&ids[i], ids[i], group);
            results[i] = ResultForStores(ids[i], model);
            if (layout->blockCount == 0)
                ReserveElementStores(results[i], model, layout->columns[i].IsVector());
        }
        const int entryBytes = HeaderEntryBytes();
        const int entryWords = entryBytes / 4;
        const int entries = nBytes / entryBytes;
        if (layout->blockCount == 0)
        {
            // A result at a time over the piece's entries: each of its tables is written in
            // order rather than all of them a cell at a time.
            for (int i = 0; i < layout->columnCount; ++i)
            {
                const EntryColumn& column = layout->columns[i];
                for (int e = 0; results[i] != nullptr && e < entries; ++e)
                {
                    const int* entry = InputWords() + e * entryWords;
                    const int elementId = entry[0] / 10;
                    if (column.IsVector())
                        StoreElementVectorValue(results[i], elementId, ColumnVector(entry, column),
                                                model, step.flags, step.tag);
                    else
                        StoreElementScalarValue(results[i], elementId, ColumnScalar(entry, column),
                                                model, step.flags, step.tag);
                }
            }
            return nBytes % entryBytes;
        }
        for (int e = 0; e < entries; ++e)
        {
            const int* entry = InputWords() + e * entryWords;
            const int elementId = entry[0] / 10;
            for (int k = 0; k < layout->blockCount; ++k)
            {
                const int* block = entry + layout->blockStart + k * layout->blockWords;
                const int gridId = block[0];
                for (int i = 0; i < layout->columnCount; ++i)
                {
                    const EntryColumn& column = layout->columns[i];
                    if (column.IsVector())
                        StoreElementNodeVectorValue(results[i], elementId, gridId,
                                                    ColumnVector(block, column), model, k,
                                                    layout->blockCount, step.flags, step.tag);
                    else
                        StoreElementNodeScalarValue(results[i], elementId, gridId,
                                                    ColumnScalar(block, column), model, k,
                                                    layout->blockCount, step.flags, step.tag);
                }
            }
        }
        return nBytes % entryBytes;
    }
    catch (...)
    {
        CAELogFile("FileRead").WriteLog(0, kReadLocation, "EXCEPTION");
        return -1;
    }
}
