// Universal-file reader: node datasets 2411 and 15, element datasets 2412 and 780.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/unv/UnvElementType.h"
#include "io/unv/UnvFields.h"
#include "io/unv/UnvReader.h"
#include "io/unv/UnvTexts.h"

#include <climits>
#include <cmath>
#include <memory>

struct CUnvReader::ElementHeader
{
    int label;
    int descriptorId;
    int propertyNumber;
    int materialNumber;
    int nodeCount;
};

namespace
{
const char kBad2411[] = "InvalidDataSet[2411]";
const char kBad15[] = "InvalidDataSet[15]";
const char kBad2412[] = "InvalidDataSet[2412]";
} // namespace

bool CUnvReader::ReadNodes2411()
{
    m_model->SetUnvDatasets(m_model->GetUnvDatasets() | CModelSet::kUnvNodes2411);
    return Guarded("NodeException",
                   [&] { return ReadNodeRecords(&CUnvReader::ReadNodeRecord2411); });
}

bool CUnvReader::ReadNodeRecords(bool (CUnvReader::*readRecord)(bool*))
{
    for (;;)
    {
        bool isEnd = false;
        if (!(this->*readRecord)(&isEnd))
            return false;
        if (isEnd)
            return true;
    }
}

bool CUnvReader::ReadNodes15()
{
    m_model->SetUnvDatasets(m_model->GetUnvDatasets() | CModelSet::kUnvNodes);
    return Guarded("NodeException", [&] { return ReadNodeRecords(&CUnvReader::ReadNodeRecord15); });
}

// Record 1: label, export system, displacement system, colour; record 2: x, y, z. Past the end
// of the file a line is empty, so a cut-off dataset ends with the format error.
bool CUnvReader::ReadNodeRecord2411(bool* isEnd)
{
    ReadLine();
    if (IsUnvClosingLine(m_line))
    {
        *isEnd = true;
        return true;
    }
    int fields[4];
    int id = 0;
    if (ScanInts(m_line, fields, 4) < 4 || !ShiftLabel(fields[0], m_model->GetMarkNodeId(), &id))
    {
        AddRecordError(kBad2411);
        return false;
    }
    ReadLine();
    FixExponent(m_line);
    double xyz[3];
    // "NaN" or "Inf" reads as a number: a node there would be nowhere.
    if (ScanReals(m_line, xyz, 3) < 3 || !AreFinite(xyz, 3))
    {
        AddError(kBad2411);
        return false;
    }
    auto node = std::make_unique<CFENode>(id, CPoint3D(xyz[0], xyz[1], xyz[2]));
    if (!m_model->AddNode(node.get()))
    {
        AddError("NodeAddition");
        return false;
    }
    node.release(); // the model owns it now
    return true;
}

// One line per node: label, definition system, displacement system, colour, x, y, z.
bool CUnvReader::ReadNodeRecord15(bool* isEnd)
{
    ReadLine();
    if (IsUnvClosingLine(m_line))
    {
        *isEnd = true;
        return true;
    }
    FixExponent(m_line);
    double fields[7];
    int id = 0;
    if (ScanReals(m_line, fields, 7) < 7 || fields[0] != std::floor(fields[0]) ||
        std::fabs(fields[0]) > INT_MAX || !AreFinite(fields + 4, 3) ||
        !ShiftLabel(static_cast<int>(fields[0]), m_model->GetMarkNodeId(), &id))
    {
        AddRecordError(kBad15);
        return false;
    }
    auto node = std::make_unique<CFENode>(id, CPoint3D(fields[4], fields[5], fields[6]));
    if (!m_model->AddNode(node.get()))
    {
        AddError("NodeAddition");
        return false;
    }
    node.release();
    return true;
}

bool CUnvReader::ReadElements2412()
{
    return ReadElements(CModelSet::kUnvElements2412, 6, kBad2412);
}

// The 780 header carries the table bins and the colour besides the 2412 fields; the records
// after it read exactly as for 2412, and its format errors use the 2412 key.
bool CUnvReader::ReadElements780()
{
    return ReadElements(CModelSet::kUnvElements, 8, kBad2412);
}

bool CUnvReader::ReadElements(int datasetBit, int headerInts, const char* formatKey)
{
    m_model->SetUnvDatasets(m_model->GetUnvDatasets() | datasetBit);
    return Guarded("ElementException", [&] { return ReadElementRecords(headerInts, formatKey); });
}

bool CUnvReader::ReadElementRecords(int headerInts, const char* formatKey)
{
    for (;;)
    {
        ReadLine();
        if (IsUnvClosingLine(m_line))
            return true;
        int fields[8];
        if (ScanInts(m_line, fields, headerInts) < headerInts)
        {
            AddError(formatKey);
            return false;
        }
        ElementHeader header;
        header.label = fields[0];
        header.descriptorId = fields[1];
        if (headerInts == 8)
        {
            header.propertyNumber = fields[3];
            header.materialNumber = fields[5];
            header.nodeCount = fields[7];
        }
        else
        {
            header.propertyNumber = fields[2];
            header.materialNumber = fields[3];
            header.nodeCount = fields[5];
        }
        if (FindUnvElementType(header.descriptorId) == nullptr)
        {
            ReportElementType(header.descriptorId);
            bool isEnd = false;
            if (!SkipElementNodeLines(header.nodeCount, &isEnd) || isEnd)
                return true;
            continue;
        }
        if (!ReadElementRecord(header, formatKey))
            return false;
    }
}

void CUnvReader::ReportElementType(int descriptorId)
{
    const char key[] = "InvalidElementType";
    AddError(key, FormatUnvText(ErrorText(key), descriptorId));
}

// The node lines of an element type we do not draw: eight labels a line, at least one line.
// A closing line met on the way ends the dataset (false: the file ended).
bool CUnvReader::SkipElementNodeLines(int nodeCount, bool* isEnd)
{
    const int lines = nodeCount > kUnvLabelsPerLine ? (nodeCount - 1) / kUnvLabelsPerLine + 1 : 1;
    for (int i = 0; i < lines; ++i)
    {
        if (!ReadLine())
            return false;
        if (IsUnvClosingLine(m_line))
        {
            *isEnd = true;
            return true;
        }
    }
    return true;
}

bool CUnvReader::ReadElementRecord(const ElementHeader& header, const char* formatKey)
{
    const CUnvElementType& type = *FindUnvElementType(header.descriptorId);
    if (type.hasOrientation)
        ReadLine();
    int labels[kUnvMaxElementNodes];
    int kept = 0;
    const bool isQuadraticBeam = type.takesQuadraticBeam && header.nodeCount == 3;
    if (isQuadraticBeam)
    {
        ReadLine();
        if (ScanInts(m_line, labels, 3) != 3)
        {
            AddError(formatKey);
            return false;
        }
        labels[1] = labels[2]; // the middle node goes: a linear beam joins the ends
        kept = 2;
    }
    else if (type.TakesHeaderCount())
    {
        ReadLine();
        const int count = header.nodeCount;
        if (count < 1 || count > kUnvLabelsPerLine || ScanInts(m_line, labels, count) != count)
        {
            AddError(formatKey);
            return false;
        }
        kept = count;
    }
    for (const CUnvNodeLine& line : type.lines)
    {
        if (line.labels == 0 || isQuadraticBeam)
            break;
        ReadLine();
        const int got = ScanInts(m_line, labels + kept, line.labels);
        if (got != line.labels || (!line.isExact && header.nodeCount != line.labels))
        {
            AddError(formatKey);
            return false;
        }
        kept += got;
    }
    auto element = std::make_unique<CFEElement>(static_cast<int16_t>(type.faceCount));
    element->type = type.kindTag;
    int id = 0;
    int propertyId = 0;
    int materialId = 0;
    if (!ShiftLabel(header.label, m_model->GetMarkElementId(), &id) ||
        !ShiftId(header.propertyNumber, m_model->GetMarkPropertyId(), &propertyId) ||
        !ShiftId(header.materialNumber, m_model->GetMarkMaterialId(), &materialId) ||
        !AppendNodeIds(element.get(), labels, kept))
    {
        AddRecordError(formatKey);
        return false;
    }
    element->m_id = id;
    element->m_propertyId = propertyId;
    element->m_materialId = materialId;
    element->m_feDescriptorId =
        type.newDescriptorId != 0 ? type.newDescriptorId : header.descriptorId;
    // The labels actually kept: a 20-node brick declared with 8 nodes still holds 20.
    element->m_nodeCount = kept;
    if (!m_model->AddElement(element.get()))
    {
        AddError("ElementAddition");
        return false;
    }
    element.release(); // the model owns it now
    return true;
}

// Labels near the int limit would overflow once shifted by the mark; they are refused.
bool CUnvReader::ShiftId(int label, int mark, int* id) const
{
    const long long shifted = static_cast<long long>(label) + mark;
    if (shifted > INT_MAX || shifted < INT_MIN)
        return false;
    *id = static_cast<int>(shifted);
    return true;
}

// Node and element labels count from 1: a label of 0 or less would land at or below the marks
// taken before the read, where a failed read's roll-back cannot reach it. A label the model
// would take, which numbered after the model's ids passes the largest, refuses the file.
bool CUnvReader::ShiftLabel(int label, int mark, int* id)
{
    if (label < 1 || !ShiftId(label, mark, id))
        return false;
    if (*id <= kMaxEntityId)
        return true;
    m_isPastBound = m_isPastBound || label <= kMaxEntityId;
    return false;
}

// A record refused for its ids passing the bound says so; other records are format errors.
void CUnvReader::AddRecordError(const char* formatKey)
{
    if (m_isPastBound)
        AddError("IdsPastBound", FormatUnvText(ErrorText("IdsPastBound"), kMaxEntityId));
    else
        AddError(formatKey);
}

bool CUnvReader::AreFinite(const double* values, int count)
{
    for (int i = 0; i < count; ++i)
    {
        if (!std::isfinite(values[i]))
            return false;
    }
    return true;
}

void CUnvReader::CountNonNumbers(const double* values, int count)
{
    for (int i = 0; i < count; ++i)
        m_nonNumbers += std::isfinite(values[i]) ? 0 : 1;
}

bool CUnvReader::AppendNodeIds(CFEElement* element, const int* labels, int count)
{
    for (int i = 0; i < count; ++i)
    {
        int id = 0;
        if (!ShiftLabel(labels[i], m_model->GetMarkNodeId(), &id))
            return false;
        element->m_ids.Add(id);
    }
    return true;
}
