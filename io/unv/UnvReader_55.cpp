// Universal-file reader: the older result datasets 55 (at nodes) and 56 (on elements), and the
// principal stresses derived from their stress tensors.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/Numerics.h"
#include "io/unv/UnvFields.h"
#include "io/unv/UnvReader.h"
#include "io/unv/UnvTexts.h"

#include <cmath>

namespace
{
constexpr uint32_t kFirstPartBits = 0x3F800000u;
constexpr uint32_t kSecondPartBits = 0x3F000000u;
constexpr int kResultTypeStress = 2;
constexpr int kPrincipalCode = 1;

// Principal results, in the order maximum, middle, minimum: scalar and direction type bits and
// the Result.str keys of their names.
struct PrincipalKind
{
    uint32_t valueBits;
    uint32_t directionBits;
    const char* valueKey;
    const char* directionKey;
};

const PrincipalKind kPrincipalKinds[3] = {
    {40u << 23, 54u << 23, "PrincipalStressMax", "PrincipalStressVectorMax"},
    {41u << 23, 55u << 23, "PrincipalStressInterim", "PrincipalStressVectorInterim"},
    {42u << 23, 56u << 23, "PrincipalStressMin", "PrincipalStressVectorMin"},
};

std::string ResultTypeText(const char* key)
{
    const std::string text = LoadUnvText("Result.str", "ResultType", key);
    return text.empty() ? std::string(key) : text;
}

// Whole numbers only: "         7" or "        12         6", the node or element number
// record; record 8 holds reals.
bool IsNumberRecord(const std::string& line)
{
    bool hasDigit = false;
    for (const char c : line)
    {
        if (c >= '0' && c <= '9')
            hasDigit = true;
        else if (!IsUnvBlank(c) && c != '-' && c != '+')
            return false;
    }
    return hasDigit;
}

const char* RecordErrorKey(int location)
{
    return location == 2 ? "ResultDataSet[55]" : "ResultDataSet[56]";
}
} // namespace

struct CUnvReader::PrincipalResults
{
    CResultData* values[3] = {};     // maximum, middle, minimum
    CResultData* directions[3] = {}; // their directions
};

bool CUnvReader::ReadResults55And56(int location)
{
    return Guarded("ResultException", [&] { return ReadDataset55(location); });
}

bool CUnvReader::ReadDataset55(int location)
{
    m_hasHeldLine = false;
    std::string labelLine;
    bool isDone = false;
    if (!ReadHeader55(location, &labelLine, &isDone))
        return false;
    if (isDone)
        return true;

    int vectorFlag = 0;
    int kind = 0;
    int code = 0;
    std::string typeWord;
    std::string title;
    DescribeResult(&vectorFlag, &kind, &code, &typeWord, &title);
    m_analysisType = MapAnalysisType(m_analysisType);
    const bool hasTwoParts = m_dataCharacteristic == 3 || m_dataCharacteristic == 4;
    CResultData* first = CreateResult(location, vectorFlag, kFirstPartBits, m_datasetName, code,
                                      kind, typeWord, labelLine, title);
    CResultData* second = nullptr;
    if (first != nullptr && hasTwoParts)
        second =
            CreateResult(location, vectorFlag, kSecondPartBits, m_datasetName, RotationCode(code),
                         kind, typeWord, labelLine, RotationTitle(code, title));
    PrincipalResults principal;
    if (first == nullptr || (hasTwoParts && second == nullptr) ||
        (hasTwoParts && m_resultType == kResultTypeStress &&
         !CreatePrincipalResults(location, labelLine, &principal)))
    {
        AddError(RecordErrorKey(location));
        return false;
    }
    ReserveValues(first, location, vectorFlag != 0);
    if (second != nullptr)
        ReserveValues(second, location, vectorFlag != 0);
    const bool isOk = ReadValues55(location, first, second, principal);
    first->ResetRange();
    if (second != nullptr)
        second->ResetRange();
    for (int i = 0; i < 3; ++i)
    {
        if (principal.values[i] != nullptr)
            principal.values[i]->ResetRange();
        if (principal.directions[i] != nullptr)
            principal.directions[i]->ResetRange();
    }
    return isOk;
}

// Records 1 to 8. *isDone when the dataset is empty or holds data we do not read; false when
// it is refused.
bool CUnvReader::ReadHeader55(int location, std::string* labelLine, bool* isDone)
{
    ReadLine();
    if (IsUnvClosingLine(m_line))
    {
        *isDone = true;
        return true;
    }
    *labelLine = std::string(Trim(m_line));
    ReadLine();
    m_datasetName = std::string(Trim(m_line));
    for (int record = 3; record <= 5; ++record)
        ReadLine();
    ReadLine();
    int fields[6] = {};
    if (ScanInts(m_line, fields, 6) < 4)
    {
        AddError(RecordErrorKey(location));
        return false;
    }
    m_analysisType = fields[1];
    m_dataCharacteristic = fields[2];
    m_resultType = fields[3];
    // General tensors and complex values are not shown; the dispatch loop skips the rest.
    if (m_dataCharacteristic == 0 || m_dataCharacteristic == 5 || fields[4] == 5 || fields[4] == 6)
    {
        *isDone = true;
        return true;
    }
    if (m_dataCharacteristic < 1 || m_dataCharacteristic > 5 || m_analysisType < 0 ||
        m_analysisType > 6)
    {
        AddError(RecordErrorKey(location)); // refused, not silently left out
        return false;
    }
    // Record 7 is there for every analysis type; type 0 ("unknown") gives nothing we use.
    ReadLine();
    int ints[4] = {};
    ScanInts(m_line, ints, 4);
    // Record 8 as well in most files; but static data (and type 0) use none of it, and some
    // writers leave it out: a line of whole numbers there is the first node or element number.
    ReadLine();
    m_hasHeldLine = (m_analysisType == 0 || m_analysisType == 1) && IsNumberRecord(m_line);
    FixExponent(m_line);
    double real = 0.0;
    if (!m_hasHeldLine)
        ScanReals(m_line, &real, 1);
    switch (m_analysisType)
    {
    case 1: m_loadSet = ints[2]; break;
    case 2:
    case 3:
    case 5:
        m_loadSet = ints[2];
        m_modeNumber = ints[3];
        m_frequency = real;
        break;
    case 4:
        m_loadSet = ints[2];
        m_timeStep = ints[3];
        m_time = real;
        break;
    case 6:
        m_loadSet = ints[2];
        m_frequency = real;
        break;
    default: break;
    }
    return true;
}

bool CUnvReader::CreatePrincipalResults(int location, const std::string& labelLine,
                                        PrincipalResults* principal)
{
    for (int i = 0; i < 3; ++i)
    {
        const PrincipalKind& kind = kPrincipalKinds[i];
        const std::string valueText = ResultTypeText(kind.valueKey);
        principal->values[i] = CreateResult(location, 0, kind.valueBits, valueText, kPrincipalCode,
                                            CResultData::kScalar, "STRESS", labelLine, valueText);
        principal->directions[i] =
            CreateResult(location, 1, kind.directionBits, ResultTypeText(kind.directionKey),
                         kPrincipalCode, CResultData::kVector, "STRESS", labelLine, valueText);
        if (principal->values[i] == nullptr || principal->directions[i] == nullptr)
            return false;
        ReserveValues(principal->values[i], location, false);
        ReserveValues(principal->directions[i], location, true);
    }
    return true;
}

// Node (or element) number line and value line, until the closing "-1". A record whose number
// or values cannot be read is reported and left out; the end of the file ends the dataset with
// an error.
bool CUnvReader::ReadValues55(int location, CResultData* first, CResultData* second,
                              const PrincipalResults& principal)
{
    const int wanted = m_dataCharacteristic == 1 ? 1 : m_dataCharacteristic == 2 ? 3 : 6;
    bool isOk = true;
    for (;;)
    {
        if (m_hasHeldLine)
            m_hasHeldLine = false; // the first number record, read in place of record 8
        else if (!ReadLine())
        {
            AddError(RecordErrorKey(location));
            return false;
        }
        if (IsUnvClosingLine(m_line))
            return isOk;
        int number = 0;
        const bool hasNumber = ScanInts(m_line, &number, 1) == 1;
        if (!ReadLine() || IsUnvClosingLine(m_line))
        {
            AddError(RecordErrorKey(location));
            return false;
        }
        FixExponent(m_line);
        double values[6];
        int id = 0;
        if (!hasNumber || ScanReals(m_line, values, wanted) < wanted ||
            !StoreId(number, location, &id))
        {
            AddError(RecordErrorKey(location));
            isOk = false;
            continue;
        }
        CountNonNumbers(values, wanted);
        if (wanted == 1)
        {
            AddScalarValue(first, id, values[0], location);
            continue;
        }
        AddVectorValue(first, id, CPoint3D(values[0], values[1], values[2]), location, 0.0);
        if (wanted == 6)
            AddVectorValue(second, id, CPoint3D(values[3], values[4], values[5]), location, 0.0);
        if (m_dataCharacteristic == 4 && principal.values[0] != nullptr)
            AddPrincipalValues(principal, id, values, location);
    }
}

void CUnvReader::AddPrincipalValues(const PrincipalResults& principal, int id,
                                    const double tensor[6], int location)
{
    double vectors[9];
    double values[3];
    SolvePrincipalStresses(tensor, vectors, values);
    double sorted[3] = {values[0], values[1], values[2]};
    SortAscending(sorted, 3);
    int positions[3] = {0, 0, 0}; // of the maximum, middle and minimum
    MatchPrincipalOrder(sorted, values, &positions[0], &positions[1], &positions[2]);
    for (int i = 0; i < 3; ++i)
    {
        const double value = sorted[2 - i];
        const int k = positions[i];
        AddScalarValue(principal.values[i], id, value, location);
        AddVectorValue(principal.directions[i], id,
                       CPoint3D(vectors[k], vectors[3 + k], vectors[6 + k]), location, value);
    }
}

void CUnvReader::SolvePrincipalStresses(const double tensor[6], double vectors[9], double values[3])
{
    double matrix[9] = {tensor[0], tensor[1], tensor[3], tensor[1], tensor[2],
                        tensor[4], tensor[3], tensor[4], tensor[5]};
    JacobiEigen(values, vectors, matrix, 3);
}

// For each solver position in turn: the smallest is matched first, then the middle, then the
// largest; with equal values a later position overwrites an earlier one.
void CUnvReader::MatchPrincipalOrder(const double sorted[3], const double values[3], int* maxPos,
                                     int* midPos, int* minPos)
{
    *maxPos = *midPos = *minPos = 0;
    for (int k = 0; k < 3; ++k)
    {
        if (sorted[0] == values[k])
            *minPos = k;
        else if (sorted[1] == values[k])
            *midPos = k;
        else if (sorted[2] == values[k])
            *maxPos = k;
    }
}
