// Element force tables.
#include "io/op2/OEFNSResultBlockReader.h"

#include "core/services/LogFile.h"
#include "io/results/ResultSets.h"

namespace
{
constexpr int kMaxColumns = 16;
constexpr int kForceTable = 4;
constexpr int kMaxElementTypes = 6;
constexpr const char* kRefusalLocation = "OP2 Read";
constexpr const char* kCreateLocation = "OEFNSResultBlockReader::createResults";
constexpr const char* kReadLocation = "OEFNSResultBlockReader::readRecord";

constexpr int S = CResultData::kScalar;
constexpr int kS = SizedResultBlockReader::kScalarWord;

int StepFlags(int approachCode)
{
    switch (approachCode)
    {
    case 1:
    case 10: return 8;
    case 2: return 16;
    case 6:
    case 12: return 24;
    default: return 0;
    }
}
} // namespace

// Entry layout of one row of element types. Beams hold station blocks; a layout without
// blocks stores one value per element from the entry itself.
struct OEFNSResultBlockReader::Layout
{
    int elementTypes[kMaxElementTypes]; // 0 ends the list
    const char* text;
    int entryWords; // the words the layout reads
    int blockStart;
    int blockWords;
    int blockCount; // 0: values per element
    int columnCount;
    EntryColumn columns[kMaxColumns]; // in registration order
};

namespace
{
using Layout = OEFNSResultBlockReader::Layout;

#define OEF_SCALAR(typeBits, word)                                                                 \
    {                                                                                              \
        typeBits, S,                                                                               \
        {                                                                                          \
            word, kS, 0                                                                            \
        }                                                                                          \
    }

const Layout kLayouts[] = {
    {{1, 3, 10}, "ELEMENT_FORCE_CROD", 3, 0, 0, 0, 2, {OEF_SCALAR(69, 1), OEF_SCALAR(74, 2)}},
    {{34},
     "ELEMENT_FORCE_CBAR_34",
     9,
     0,
     0,
     0,
     8,
     {OEF_SCALAR(69, 7), OEF_SCALAR(70, 1), OEF_SCALAR(71, 3), OEF_SCALAR(72, 2), OEF_SCALAR(73, 4),
      OEF_SCALAR(74, 8), OEF_SCALAR(75, 5), OEF_SCALAR(76, 6)}},
    {{100},
     "ELEMENT_FORCE_CBAR_100",
     8,
     0,
     0,
     0,
     7,
     {OEF_SCALAR(69, 6), OEF_SCALAR(77, 2), OEF_SCALAR(78, 3), OEF_SCALAR(79, 1), OEF_SCALAR(74, 7),
      OEF_SCALAR(75, 4), OEF_SCALAR(76, 5)}},
    // 11 stations of 9 words: grid, distance, two moments, two shears, axial, two torques.
    {{2},
     "ELEMENT_FORCE_CBEAM",
     100,
     1,
     9,
     11,
     8,
     {OEF_SCALAR(69, 6), OEF_SCALAR(77, 2), OEF_SCALAR(78, 3), OEF_SCALAR(79, 1), OEF_SCALAR(75, 4),
      OEF_SCALAR(76, 5), OEF_SCALAR(80, 7), OEF_SCALAR(81, 8)}},
    // Two ends of 7 words: grid, two moments, two shears, axial force, torque.
    {{69},
     "ELEMENT_FORCE_CBEND",
     15,
     1,
     7,
     2,
     6,
     {OEF_SCALAR(69, 5), OEF_SCALAR(77, 1), OEF_SCALAR(78, 2), OEF_SCALAR(74, 6), OEF_SCALAR(75, 3),
      OEF_SCALAR(76, 4)}},
    {{11, 12, 13, 14}, "ELEMENT_FORCE_CELAS", 2, 0, 0, 0, 1, {OEF_SCALAR(82, 1)}},
    {{38},
     "ELEMENT_FORCE_CGAP",
     9,
     0,
     0,
     0,
     8,
     {OEF_SCALAR(83, 1), OEF_SCALAR(84, 2), OEF_SCALAR(85, 3), OEF_SCALAR(86, 7), OEF_SCALAR(87, 8),
      OEF_SCALAR(88, 4), OEF_SCALAR(89, 5), OEF_SCALAR(90, 6)}},
    {{33, 64, 70, 74, 75, 82},
     "ELEMENT_FORCE_CQUAD_CTRIA",
     9,
     0,
     0,
     0,
     8,
     {OEF_SCALAR(91, 4), OEF_SCALAR(92, 6), OEF_SCALAR(93, 5), OEF_SCALAR(94, 1), OEF_SCALAR(95, 3),
      OEF_SCALAR(96, 2), OEF_SCALAR(97, 7), OEF_SCALAR(98, 8)}},
    {{95, 96, 97, 98},
     "ELEMENT_FORCE_CTRIA_CQUAD",
     8,
     0,
     0,
     0,
     4,
     {OEF_SCALAR(99, 6), OEF_SCALAR(100, 5), OEF_SCALAR(101, 7), OEF_SCALAR(102, 4)}},
    {{4},
     "ELEMENT_FORCE_CSHEAR",
     17,
     0,
     0,
     0,
     16,
     {OEF_SCALAR(103, 3), OEF_SCALAR(104, 8), OEF_SCALAR(105, 2), OEF_SCALAR(106, 5),
      OEF_SCALAR(107, 4), OEF_SCALAR(108, 7), OEF_SCALAR(109, 1), OEF_SCALAR(110, 6),
      OEF_SCALAR(111, 9), OEF_SCALAR(112, 11), OEF_SCALAR(113, 13), OEF_SCALAR(114, 15),
      OEF_SCALAR(115, 10), OEF_SCALAR(116, 12), OEF_SCALAR(117, 14), OEF_SCALAR(118, 16)}},
};

#undef OEF_SCALAR

// Plates with corner output (CQUAD8, CTRIAR, CTRIA6, CQUADR) write the element key, the text
// "CEN/" and a grid count before the centre's values, then one block per corner: their
// values per element are the centre's, two words further on than in a plain plate entry.
int CentreShift(int elementType, int entryWords)
{
    const bool hasCorners =
        elementType == 64 || elementType == 70 || elementType == 75 || elementType == 82;
    return hasCorners && entryWords > 9 ? 2 : 0;
}
} // namespace

bool OEFNSResultBlockReader::AcceptTable()
{
    const int* ident = TableHeader();
    const int sortCode = ident[1] / 1000;
    const char* refusal = nullptr;
    if ((sortCode & 1) != 0)
        refusal = "Results with imaginary components not supported";
    else if (ident[22] != 0)
        refusal = "Thermal element output not supported";
    else if ((sortCode & 2) != 0)
        refusal = "Sort 2 not supported";
    if (refusal == nullptr)
        return true;
    CAELogFile("FileRead").WriteLog(0, kRefusalLocation, "%s", refusal);
    return false;
}

bool OEFNSResultBlockReader::IsReadableTable() const
{
    const int* ident = TableHeader();
    return ident[1] / 1000 == 0 && ident[22] == 0 && FindLayout(ident[2]) != nullptr;
}

const OEFNSResultBlockReader::Layout* OEFNSResultBlockReader::FindLayout(int elementType)
{
    for (const Layout& layout : kLayouts)
    {
        for (const int type : layout.elementTypes)
        {
            if (type == elementType && type != 0)
                return &layout;
        }
    }
    return nullptr;
}

void OEFNSResultBlockReader::ResultIds(const Layout& layout, CModelSet* model, const StepKey& step,
                                       int* ids) const
{
    const int resultNumber = TableHeader()[1] % 1000;
    for (int i = 0; i < layout.columnCount; ++i)
    {
        const int typeBits = layout.columns[i].typeBits;
        ids[i] = PackResultId(resultNumber, typeBits,
                              LoadCaseOf(model, step, resultNumber, typeBits), 0);
    }
}

int OEFNSResultBlockReader::createResults(CModelSet* model, int64_t filePosition)
{
    try
    {
        if (TableHeader()[9] < 1)
            return -1;
        if (!IsTableOfKind({kForceTable}) || !AcceptTable())
            return 0;
        const Layout* layout = FindLayout(TableHeader()[2]);
        if (layout == nullptr)
        {
            CAELogFile("FileRead").WriteLog(0, kCreateLocation, "Record type not supported");
            return 0;
        }
        const int shift = CentreShift(TableHeader()[2], HeaderEntryBytes() / 4);
        if (!CheckEntrySize(HeaderEntryBytes(), 4 * (layout->entryWords + shift), kCreateLocation))
            return 0;
        int ids[kMaxColumns];
        ResultIds(*layout, model, MakeStepKey(StepFlags(ApproachCode())), ids);
        for (int i = 0; i < layout->columnCount; ++i)
            GetOrCreateResult(ids[i], model, layout->text, CResultData::kScalar, filePosition,
                              "OEF", SourcePath());
        return 0;
    }
    catch (...)
    {
        CAELogFile("FileRead").WriteLog(0, kReadLocation, "EXCEPTION");
        return -1;
    }
}

int OEFNSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap* group)
{
    try
    {
        if (TableHeader()[9] < 1)
        {
            CAELogFile("FileRead").WriteLog(0, kReadLocation, "Record type not supported");
            return 0;
        }
        if (!AcceptTable())
            return 0;
        const Layout* layout = FindLayout(TableHeader()[2]);
        const int shift = CentreShift(TableHeader()[2], HeaderEntryBytes() / 4);
        if (layout == nullptr ||
            !CheckEntrySize(HeaderEntryBytes(), 4 * (layout->entryWords + shift), kReadLocation))
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
                ReserveElementStores(results[i], model, false);
        }
        const int entryBytes = HeaderEntryBytes();
        const int entries = nBytes / entryBytes;
        for (int e = 0; e < entries; ++e)
            StoreEntry(*layout, InputWords() + e * (entryBytes / 4), shift, results, model, step);
        return nBytes % entryBytes;
    }
    catch (...)
    {
        CAELogFile("FileRead").WriteLog(0, kReadLocation, "EXCEPTION");
        return -1;
    }
}

void OEFNSResultBlockReader::StoreEntry(const Layout& layout, const int* entry, int shift,
                                        CResultData* const* results, CModelSet* model,
                                        const StepKey& step) const
{
    const int elementId = entry[0] / 10;
    if (layout.blockCount == 0)
    {
        for (int i = 0; i < layout.columnCount; ++i)
            StoreElementScalarValue(results[i], elementId,
                                    ColumnScalar(entry + shift, layout.columns[i]), model,
                                    step.flags, step.tag);
        return;
    }
    for (int k = 0; k < layout.blockCount; ++k)
    {
        const int* block = entry + layout.blockStart + k * layout.blockWords;
        for (int i = 0; i < layout.columnCount; ++i)
            StoreElementNodeScalarValue(results[i], elementId, block[0],
                                        ColumnScalar(block, layout.columns[i]), model, k,
                                        layout.blockCount, step.flags, step.tag);
    }
}
