// Universal-file reader: file walk, dataset dispatch and error texts.
#include "io/unv/UnvReader.h"

#include "core/model/ModelSet.h"
#include "core/services/TextFormat.h"
#include "io/unv/UnvFields.h"
#include "io/unv/UnvTexts.h"
#include "platform/base/exception.h"

#include <cstdlib>

namespace
{
enum Dataset
{
    kNone = -1,
    kNodes2411,
    kNodes15,
    kElements2412,
    kElements780,
    kResults2414,
    kResults55,
    kResults56,
};

// Header lines in the order they are compared: the number right-aligned in six columns.
const char* const kHeaders[] = {"  2411", "    15", "  2412", "   780",
                                "  2414", "    55", "    56"};

const char kDelimiter[] = "    -1";
constexpr size_t kFieldWidth = 6;
} // namespace

CUnvReader::CUnvReader(CModelSet* model)
    : m_hasNodes(0)
    , m_hasElements(0)
    , m_model(model)
    , m_analysisType(0)
    , m_dataCharacteristic(0)
    , m_resultType(0)
    , m_modeNumber(0)
    , m_frequency(0.0)
    , m_loadSet(0)
    , m_timeStep(0)
    , m_time(0.0)
{
}

CUnvReader::~CUnvReader() = default;

bool CUnvReader::ReadUnv(const std::string& path)
{
    if (m_model == nullptr || !m_file.Open(path))
    {
        AddError("FileOpenError");
        return false;
    }
    m_model->SaveMaxIds();
    try
    {
        // A file whose first line is a header reads as if a delimiter came before it.
        std::string previous = kDelimiter;
        while (ReadLine())
        {
            m_line.resize(TrimRight(m_line).size());
            const int dataset = MatchHeader();
            if (dataset == kNone)
            {
                previous.assign(m_line, 0, kFieldWidth);
                continue;
            }
            if (previous.compare(0, kFieldWidth, kDelimiter) != 0)
            {
                AddError("InvalidFileFormat");
                return false;
            }
            previous = " ";
            if (!ReadDataset(dataset))
                return false;
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddError("Exception");
        return false;
    }
    catch (...)
    {
        AddError("Exception");
        return false;
    }
    const bool isComplete = CheckMandatoryDatasets() && m_hasElements != 0;
    if (isComplete)
        m_file.Close();
    return isComplete;
}

bool CUnvReader::ReadLine()
{
    return m_file.ReadLine(m_line);
}

// A header is recognised by its number in the first six columns; some writers put a title
// after it, as in "    55   %VALEURS AUX NOEUDS".
int CUnvReader::MatchHeader() const
{
    if (m_line.size() < kFieldWidth || (m_line.size() > kFieldWidth && !IsUnvBlank(m_line[6])))
        return kNone;
    for (int i = 0; i < static_cast<int>(sizeof(kHeaders) / sizeof(kHeaders[0])); ++i)
    {
        if (m_line.compare(0, kFieldWidth, kHeaders[i]) == 0)
            return i;
    }
    return kNone;
}

// Node and element datasets that fail end the read; result datasets that fail do not.
bool CUnvReader::ReadDataset(int dataset)
{
    switch (dataset)
    {
    case kNodes2411: m_hasNodes = 1; return ReadNodes2411();
    case kNodes15: m_hasNodes = 1; return ReadNodes15();
    case kElements2412: m_hasElements = 1; return ReadElements2412();
    case kElements780: m_hasElements = 1; return ReadElements780();
    case kResults2414:
    case kResults55:
    case kResults56: ReadResultDataset(dataset); return true;
    default: return true;
    }
}

void CUnvReader::ReadResultDataset(int dataset)
{
    const long long headerLine = m_file.LineNumber();
    m_nonNumbers = 0;
    if (dataset == kResults2414)
        ReadResults2414();
    else
        ReadResults55And56(dataset == kResults55 ? 2 : 0);
    if (m_nonNumbers == 0)
        return;
    const int number = std::atoi(kHeaders[dataset]);
    AddError("NotNumbers", FormatText(ErrorText("NotNumbers"), {number, headerLine, m_nonNumbers}),
             false);
}

// Out of memory, or a framework collection that could not grow: the dataset ends with the key's
// text.
bool CUnvReader::Guarded(const char* key, const std::function<bool()>& body)
{
    try
    {
        return body();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    AddError(key);
    return false;
}

const std::string& CUnvReader::ErrorText(const char* key)
{
    auto found = m_errorTexts.find(key);
    if (found == m_errorTexts.end())
        found = m_errorTexts.emplace(key, LoadUnvErrorText(key)).first;
    return found->second;
}

void CUnvReader::AddError(const char* key)
{
    AddError(key, ErrorText(key));
}

void CUnvReader::AddError(const char* key, const std::string& text, bool withLine)
{
    std::string line = text;
    if (withLine && m_file.LineNumber() > 0)
        line += " (line " + std::to_string(m_file.LineNumber()) + ")";
    m_errors.push_back(line);
    m_errorKeys.push_back(key);
}

// A file without nodes fails; one without elements is reported here and fails in ReadUnv,
// whose contract asks for both.
bool CUnvReader::CheckMandatoryDatasets()
{
    // About the whole file: no line number.
    if (m_hasNodes == 0)
    {
        AddError("MandatoryDataSet_Node", ErrorText("MandatoryDataSet_Node"), false);
        return false;
    }
    if (m_hasElements == 0)
        AddError("MandatoryDataSet_Element", ErrorText("MandatoryDataSet_Element"), false);
    return true;
}
