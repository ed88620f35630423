// Universal-file reader: result dataset 2414 and the result creation and value stores that
// datasets 55 and 56 share.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "io/unv/UnvFields.h"
#include "io/unv/UnvReader.h"
#include "io/unv/UnvTexts.h"

#include <cmath>
#include <memory>

namespace
{
const char kBadResult2414[] = "ResultDataSet[2414]";
const char kUnknownResult[] = "Unkown Result";
constexpr uint32_t kFirstPartBits = 0x3F800000u;
constexpr uint32_t kSecondPartBits = 0x3F000000u;
constexpr int kDefaultValueCount = 200000;
constexpr int kResultTypeStress = 2;
constexpr int kResultTypeStrain = 3;
constexpr int kResultTypeDisplacement = 8;

std::string ResultTitleKey(int resultType)
{
    return "ResultTitle_" + std::to_string(resultType);
}

// Complex values come as real and imaginary pairs; read as real values they would give vectors
// made of mixed parts.
bool IsComplexDataType(int dataType)
{
    return dataType == 5 || dataType == 6;
}
} // namespace

int CUnvReader::MapAnalysisType(int analysisType)
{
    if (analysisType == 1)
        return 8;
    if (analysisType == 4 || analysisType == 9)
        return 24;
    return 16;
}

bool CUnvReader::ReadResults2414()
{
    m_analysisType = m_dataCharacteristic = m_resultType = m_modeNumber = 0;
    m_loadSet = m_timeStep = 0;
    m_datasetName = "a";
    return Guarded("ResultException", [&] { return ReadDataset2414(); });
}

bool CUnvReader::ReadDataset2414()
{
    std::string labelLine;
    std::string location;
    bool isDone = false;
    if (!ReadResultHeader2414(&labelLine, &location, &isDone))
        return false;
    if (isDone)
        return true;
    if (location == "1")
        return ReadNodalResults(labelLine);
    if (location == "2")
        return ReadElementResults(labelLine);
    return true; // other locations are not shown: the dispatch loop skips the values
}

// Records 1 to 13. *isDone when the dataset is empty or holds data we do not read.
bool CUnvReader::ReadResultHeader2414(std::string* labelLine, std::string* location, bool* isDone)
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
    ReadLine();
    *location = std::string(Trim(m_line));
    for (int record = 4; record <= 8; ++record)
        ReadLine();
    ReadLine();
    int fields[8] = {};
    if (ScanInts(m_line, fields, 6) < 4)
    {
        AddError(kBadResult2414);
        return false;
    }
    m_analysisType = fields[1];
    m_dataCharacteristic = fields[2];
    m_resultType = fields[3];
    if (m_dataCharacteristic == 0 || m_dataCharacteristic == 4 || m_dataCharacteristic == 6 ||
        IsComplexDataType(fields[4]))
    {
        *isDone = true;
        return true;
    }
    ReadLine();
    int steps[8] = {};
    ScanInts(m_line, steps, 8);
    m_loadSet = steps[4];
    m_modeNumber = m_analysisType == 5 ? steps[7] : steps[5];
    m_timeStep = steps[6];
    ReadLine(); // record 11
    ReadLine();
    FixExponent(m_line);
    double reals[3] = {};
    ScanReals(m_line, reals, 3);
    m_time = reals[0];
    m_frequency = m_analysisType == 6 ? reals[2] : reals[1];
    ReadLine(); // record 13
    return true;
}

bool CUnvReader::ReadNodalResults(const std::string& labelLine)
{
    return ReadValues2414(labelLine, 2);
}

bool CUnvReader::ReadElementResults(const std::string& labelLine)
{
    return ReadValues2414(labelLine, 0);
}

// Vector flag, kind, code, type word and title of a result from the dataset's header values.
void CUnvReader::DescribeResult(int* vectorFlag, int* kind, int* code, std::string* typeWord,
                                std::string* title)
{
    *vectorFlag = m_dataCharacteristic == 1 ? 0 : 1;
    *kind = m_dataCharacteristic == 1 ? CResultData::kScalar : CResultData::kVectorXYZ;
    const std::string titleText =
        LoadUnvText("Result.str", "ResultType", ResultTitleKey(m_resultType));
    *title = titleText.empty() ? m_datasetName + kUnknownResult : titleText;
    *code = 0;
    typeWord->clear();
    switch (m_resultType)
    {
    case kResultTypeStress:
        *code = kResultTypeStress;
        *typeWord = "STRESS";
        *kind = CResultData::kTensor;
        break;
    case kResultTypeStrain:
        *code = kResultTypeStrain;
        *typeWord = "STRAIN";
        *kind = CResultData::kTensor;
        break;
    case kResultTypeDisplacement:
    {
        *code = kResultTypeDisplacement;
        *typeWord = "DISPLACEMENT";
        *kind = CResultData::kVectorXYZ;
        const std::string translation = LoadUnvText("Result.str", "ResultType", "Translation");
        if (!translation.empty())
            *title = translation;
        break;
    }
    default: break;
    }
}

int CUnvReader::RotationCode(int code) const
{
    return code == 0 ? 0 : code + 1000;
}

// Title of the second (rotation) part of 6-value data.
std::string CUnvReader::RotationTitle(int code, const std::string& title) const
{
    std::string word = LoadUnvText("Result.str", "ResultType", "Roatation");
    if (word.empty())
        word = ResultTitleKey(m_resultType);
    if (code == kResultTypeStress || code == kResultTypeStrain)
        return title;
    if (code == kResultTypeDisplacement)
        return word;
    return title + "_" + word;
}

bool CUnvReader::ReadValues2414(const std::string& labelLine, int location)
{
    int vectorFlag = 0;
    int kind = 0;
    int code = 0;
    std::string typeWord;
    std::string title;
    DescribeResult(&vectorFlag, &kind, &code, &typeWord, &title);
    m_analysisType = MapAnalysisType(m_analysisType);
    CResultData* first = CreateResult(location, vectorFlag, kFirstPartBits, m_datasetName, code,
                                      kind, typeWord, labelLine, title);
    CResultData* second = nullptr;
    if (first != nullptr && m_dataCharacteristic == 3)
        second =
            CreateResult(location, vectorFlag, kSecondPartBits, m_datasetName, RotationCode(code),
                         kind, typeWord, labelLine, RotationTitle(code, title));
    if (first == nullptr || (m_dataCharacteristic == 3 && second == nullptr))
    {
        AddError(kBadResult2414);
        return false;
    }
    ReserveValues(first, location, vectorFlag != 0);
    if (second != nullptr)
        ReserveValues(second, location, vectorFlag != 0);
    for (;;)
    {
        if (!IsUnvClosingLine(m_line))
            ReadLine();
        if (IsUnvClosingLine(m_line))
        {
            first->ResetRange();
            if (second != nullptr)
                second->ResetRange();
            return true;
        }
        int number = 0;
        int id = 0;
        if (ScanInts(m_line, &number, 1) != 1)
        {
            ReadLine();
            AddError(kBadResult2414);
            return false;
        }
        ReadLine();
        FixExponent(m_line);
        double values[6];
        const int wanted = m_dataCharacteristic == 1   ? 1
                           : m_dataCharacteristic == 2 ? 3
                           : m_dataCharacteristic == 3 ? 6
                                                       : 0;
        if (wanted == 0)
            continue;
        if (ScanReals(m_line, values, wanted) < wanted || !StoreId(number, location, &id))
        {
            AddError(kBadResult2414);
            return false;
        }
        CountNonNumbers(values, wanted);
        if (wanted == 1)
            AddScalarValue(first, id, values[0], location);
        else
            AddVectorValue(first, id, CPoint3D(values[0], values[1], values[2]), location, 0.0);
        if (wanted == 6)
            AddVectorValue(second, id, CPoint3D(values[3], values[4], values[5]), location, 0.0);
    }
}

// The id a value is stored under: the number shifted like the mesh it belongs to. Ids outside
// the value tables' range are refused.
bool CUnvReader::StoreId(int number, int location, int* id) const
{
    const int mark = location == 0 ? m_model->GetMarkElementId() : m_model->GetMarkNodeId();
    const long long shifted = static_cast<long long>(number) + mark;
    if (shifted < 0 || shifted > kMaxEntityId)
        return false;
    *id = static_cast<int>(shifted);
    return true;
}

void CUnvReader::ReserveValues(CResultData* result, int location, bool withVectors)
{
    const UINT largest = location == 0 ? m_model->GetMaxElementId() : m_model->GetMaxNodeId();
    const int count = largest > 0 && largest < static_cast<UINT>(kMaxEntityId)
                          ? static_cast<int>(largest) + 1
                          : kDefaultValueCount;
    if (location == 0)
        result->ReserveElements(count, withVectors);
    else
        result->ReserveNodes(count, withVectors);
}

// Each dataset of a result type and part becomes its next load case, with the load-case index
// as step value. Null when the numbers do not fit a packed id or the id is taken.
CResultData* CUnvReader::CreateResult(int location, int vectorFlag, uint32_t typeBits,
                                      const std::string& name, int code, int kind,
                                      const std::string& typeWord, const std::string& labelLine,
                                      const std::string& title)
{
    if (!ResultNumberFits(static_cast<uint32_t>(m_resultType)) || m_resultType < 0)
        return nullptr;
    const UINT number = static_cast<UINT>(m_resultType);
    const int count = m_model->GetLoadCaseCountByKey(number, typeBits);
    const UINT next = count > 0 ? static_cast<UINT>(count) : 1u;
    if (!ResultLoadCaseFits(next))
        return nullptr;
    const UINT firstId = MakeLoadCaseKey(number, typeBits, next) | static_cast<UINT>(vectorFlag);
    const UINT index = m_model->AddLoadCaseValueById(firstId, static_cast<double>(next));
    if (index == 0)
        return nullptr;
    const UINT id = ResultIdWithLoadCase(firstId, index);
    if (m_model->GetResult(id) != nullptr)
        return nullptr;
    auto result = std::make_unique<CResultData>();
    result->m_id = id;
    result->SetName(CString(name));
    result->SetSubtitle(CString(typeWord));
    result->SetTitle(CString(title));
    result->m_flags = location | vectorFlag | m_analysisType;
    result->m_kind = kind;
    result->m_loaded = CResultData::kLoaded;
    result->m_type = code;
    result->m_groupName = CString(labelLine);
    if (m_analysisType == 24)
        result->m_stepValue = m_time;
    else if (m_analysisType == 16)
        result->m_mode = m_modeNumber;
    if (!m_model->AddResult(result.get()))
        return nullptr;
    CResultData* const added = result.release(); // the model owns it now
    if (m_resultType == kResultTypeDisplacement && m_model->GetDefaultDisplacementId() == -1)
        m_model->SetDefaultDisplacementId(static_cast<int>(id));
    if (m_analysisType == 16)
        m_model->SetModeFrequency(m_modeNumber, m_frequency);
    return added;
}

// A value that is no finite number ("NaN" in the file) is no value: nothing is stored and the
// range stays as it was. The dataset's reader has counted it for its message.
void CUnvReader::AddScalarValue(CResultData* result, int id, double value, int location)
{
    if (!std::isfinite(value))
        return;
    if (location == 2)
        result->SetNodeValue(id, value);
    else if (location == 0)
        result->SetElementValue(id, value);
    result->WidenRange(value);
}

void CUnvReader::AddVectorValue(CResultData* result, int id, const CPoint3D& vector, int location,
                                double magnitude)
{
    if (!std::isfinite(vector.x) || !std::isfinite(vector.y) || !std::isfinite(vector.z) ||
        !std::isfinite(magnitude))
        return;
    result->WidenVectorRange(vector);
    if (magnitude == 0.0)
        magnitude = std::sqrt(vector.x * vector.x + vector.y * vector.y + vector.z * vector.z);
    result->WidenRange(magnitude);
    if (location == 2)
    {
        result->SetNodeVector(id, vector);
        result->SetNodeValue(id, magnitude);
    }
    else if (location == 0)
    {
        result->SetElementVector(id, vector);
        result->SetElementValue(id, magnitude);
    }
}
