// Universal-file writer: mesh datasets 15, 2411, 780 and 2412.
#include "io/unv/UnvWriter.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/unv/UnvElementType.h"
#include "io/unv/UnvTexts.h"
#include "platform/base/exception.h"
#include "platform/base/os.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace
{
const char kDelimiterLine[] = "    -1\n";

void AppendInt10(std::string& out, int value)
{
    char field[16];
    std::snprintf(field, sizeof(field), "%10d", value);
    out += field;
}
} // namespace

CUnvWriter::CUnvWriter(CModelSet* model, CEntitySet* pointSource)
    : m_model(model)
    , m_file(nullptr)
    , m_hasWriteFailed(false)
    , m_pointSource(pointSource)
{
}

CUnvWriter::~CUnvWriter()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool CUnvWriter::WriteUnv(const std::string& path)
{
    if (m_model == nullptr)
        return false;
    // Text mode: lines end as the platform ends them.
    m_file = std::fopen(fw::os::ResolvePath(path).c_str(), "w");
    if (m_file == nullptr)
    {
        AddError("FileOpenError_Write");
        return false;
    }
    if (m_model->GetUnvDatasets() == 0)
        m_model->SetUnvDatasets(CModelSet::kUnvNodes | CModelSet::kUnvElements);
    const int mask = m_model->GetUnvDatasets();
    bool isOk = true;
    if (isOk && (mask & CModelSet::kUnvNodes) != 0)
        isOk = WriteNodes15();
    if (isOk && (mask & CModelSet::kUnvNodes2411) != 0)
        isOk = WriteNodes2411();
    if (isOk && (mask & CModelSet::kUnvElements) != 0)
        isOk = WriteElements780();
    if (isOk && (mask & CModelSet::kUnvElements2412) != 0)
        isOk = WriteElements2412();
    // Data still buffered is written at the close; a full disk shows only there.
    const bool isClosed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (isOk && !isClosed)
    {
        AddError("Exception_write");
        isOk = false;
    }
    return isOk;
}

bool CUnvWriter::WriteNodes15()
{
    return WriteNodes(15);
}

bool CUnvWriter::WriteNodes2411()
{
    return WriteNodes(2411);
}

bool CUnvWriter::WriteElements780()
{
    return WriteElements(780);
}

bool CUnvWriter::WriteElements2412()
{
    return WriteElements(2412);
}

// Every dataset is framed by "    -1" lines, also when a failure cuts it short, so that a
// reader never runs from it into whatever follows.
bool CUnvWriter::WriteNodes(int dataset)
{
    char number[16];
    std::snprintf(number, sizeof(number), "%6d\n", dataset);
    if (!WriteText(kDelimiterLine) || !WriteText(number))
        return false;
    bool isOk = true;
    try
    {
        const CEntitySet& points =
            m_pointSource != nullptr ? *m_pointSource : static_cast<const CEntitySet&>(*m_model);
        const int largest = static_cast<int>(std::min<UINT>(m_model->GetMaxNodeId(), INT_MAX));
        for (int id = 1; id <= largest && isOk; ++id)
        {
            if (m_model->GetNode(id) == nullptr)
                continue;
            const CPoint3D p = points.GetNodePoint(id);
            m_lineBuffer.clear();
            if (dataset == 15)
            {
                AppendInt10(m_lineBuffer, id);
                m_lineBuffer += "         0         0        11";
                for (double v : {p.x, p.y, p.z})
                    m_lineBuffer += " " + FormatExponent(v, 13, 5);
            }
            else
            {
                AppendInt10(m_lineBuffer, id);
                m_lineBuffer += "         1         1         1\n";
                for (double v : {p.x, p.y, p.z})
                    m_lineBuffer += " " + FormatExponent(v, 24, 16);
            }
            m_lineBuffer += '\n';
            isOk = WriteBuffer();
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddError("Exception_write");
        isOk = false;
    }
    catch (...)
    {
        AddError("Exception_write");
        isOk = false;
    }
    return WriteText(kDelimiterLine) && isOk;
}

bool CUnvWriter::WriteElements(int dataset)
{
    char number[16];
    std::snprintf(number, sizeof(number), "%6d\n", dataset);
    if (!WriteText(kDelimiterLine) || !WriteText(number))
        return false;
    bool isOk = true;
    try
    {
        const int largest = static_cast<int>(std::min<UINT>(m_model->GetMaxElementId(), INT_MAX));
        for (int id = 1; id <= largest && isOk; ++id)
        {
            const CFEElement* element = m_model->FindElement(id);
            if (element == nullptr)
                continue;
            FormatElement(*element, dataset);
            isOk = WriteBuffer();
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddError("Exception_write");
        isOk = false;
    }
    catch (...)
    {
        AddError("Exception_write");
        isOk = false;
    }
    return WriteText(kDelimiterLine) && isOk;
}

// Header, beam orientation line, node lines of eight ids. The header's node count is the
// number of ids written, so that the record always reads back whole.
void CUnvWriter::FormatElement(const CFEElement& element, int dataset)
{
    const int count =
        std::max(0, std::min(element.m_nodeCount, static_cast<int>(element.m_ids.GetSize())));
    m_lineBuffer.clear();
    AppendInt10(m_lineBuffer, element.m_id);
    AppendInt10(m_lineBuffer, element.m_feDescriptorId);
    if (dataset == 780)
    {
        AppendInt10(m_lineBuffer, 1);
        AppendInt10(m_lineBuffer, element.m_propertyId);
        AppendInt10(m_lineBuffer, 1);
        AppendInt10(m_lineBuffer, element.m_materialId);
        AppendInt10(m_lineBuffer, 0);
    }
    else
    {
        AppendInt10(m_lineBuffer, element.m_propertyId);
        AppendInt10(m_lineBuffer, element.m_materialId);
        AppendInt10(m_lineBuffer, 1);
    }
    AppendInt10(m_lineBuffer, count);
    m_lineBuffer += '\n';
    if (HasUnvBeamOrientation(element.m_feDescriptorId))
    {
        AppendInt10(m_lineBuffer, 0);
        AppendInt10(m_lineBuffer, element.m_propertyId);
        AppendInt10(m_lineBuffer, element.m_propertyId);
        m_lineBuffer += '\n';
    }
    for (int i = 0; i < count; ++i)
    {
        AppendInt10(m_lineBuffer, element.m_ids[i]);
        if ((i + 1) % kUnvLabelsPerLine == 0 || i + 1 == count)
            m_lineBuffer += '\n';
    }
}

std::string CUnvWriter::FormatExponent(double value, int width, int precision)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%*.*E", width, precision, value);
    std::string out = text;
    // Runtimes that print three exponent digits ("E+002") get the leading zero removed and a
    // blank in front, so the field keeps its width.
    const size_t e = out.find('E');
    if (e != std::string::npos && out.size() - e == 5 && out[e + 2] == '0')
    {
        out.erase(e + 2, 1);
        if (static_cast<int>(out.size()) < width)
            out.insert(0, 1, ' ');
    }
    return out;
}

bool CUnvWriter::WriteText(const char* text)
{
    if (m_hasWriteFailed || std::fputs(text, m_file) < 0)
    {
        if (!m_hasWriteFailed)
            AddError("Exception_write");
        m_hasWriteFailed = true;
        return false;
    }
    return true;
}

bool CUnvWriter::WriteBuffer()
{
    return WriteText(m_lineBuffer.c_str());
}

void CUnvWriter::AddError(const char* key)
{
    m_errors.push_back(LoadUnvErrorText(key));
    m_errorKeys.push_back(key);
}
