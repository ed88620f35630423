// OUTPUT2 reader: block table and the low-level record read.
#include "io/op2/OP2Reader.h"

#include "core/services/OutputSink.h"
#include "io/op2/ElementResultBlocks.h"
#include "io/op2/GeometryBlockReaders.h"
#include "io/op2/LAMANSResultBlockReader.h"
#include "io/op2/NSBlockReader.h"
#include "io/op2/OQGNSResultBlockReader.h"
#include "io/op2/OUGNSResultBlockReader.h"
#include "io/op2/Op2File.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"

#include <cassert>
#include <cstdint>

// Element stress, strain, force, energy and grid point stress tables have no reader here yet:
// they are read over as unknown blocks.
OP2Reader::OP2Reader()
{
    m_context.reader = this;
    AddBlockReader({"DEFAULT"}, std::make_unique<DEFAULTNSBlockReader>());
    // Names ending in S are the same blocks as written by newer solver versions.
    AddBlockReader({"GEOM1", "GEOM1S"}, std::make_unique<GEOM1NSBlockReader>());
    AddBlockReader({"GEOM2", "GEOM2S"}, std::make_unique<GEOM2NSBlockReader>());
    AddBlockReader({"GEOM3", "GEOM3S"}, std::make_unique<GEOM3NSBlockReader>());
    AddBlockReader({"IUG", "OUG", "OUG1", "OUG1DS", "OUG1VU", "OUG2", "OUG2X", "OUGATO2", "OUGDSN",
                    "OUGNO2", "OUGPSD2", "OUGRMS2", "OUXY1"},
                   std::make_unique<OUGNSResultBlockReader>());
    AddAlias({"OUGV1", "BOUGV1"}, "OUG");
    AddBlockReader({"LAMA"}, std::make_unique<LAMANSResultBlockReader>());
    AddBlockReader({"OQG", "OQG1", "OQG1DS", "OQG2", "OQG2X", "OQGATO2", "OQGCRM2", "OQGDSN",
                    "OQGNO2", "OQGPSD2", "OQGRMS2", "OQMATO2", "OQMCRM2", "OQMG1", "OQMG2",
                    "OQMNO2", "OQMPSD2", "OQMRMS2"},
                   std::make_unique<OQGNSResultBlockReader>());
    AddElementResultBlockReaders(this);
}

OP2Reader::~OP2Reader() = default;

void OP2Reader::ReportLine(const std::string& line) const
{
    if (m_sink != nullptr)
        m_sink->AddOutputLine(line);
}

void OP2Reader::AddBlockReader(std::initializer_list<const char*> names,
                               std::unique_ptr<NSBlockReader> reader)
{
    reader->SetContext(&m_context);
    for (const char* name : names)
        m_blocks[name] = reader.get();
    m_readers.push_back(std::move(reader));
}

void OP2Reader::AddAlias(std::initializer_list<const char*> names, const char* registeredName)
{
    NSBlockReader* reader = FindBlockReader(registeredName);
    assert(reader != nullptr);
    for (const char* name : names)
        m_blocks[name] = reader;
}

NSBlockReader* OP2Reader::FindBlockReader(const std::string& name) const
{
    const auto found = m_blocks.find(name);
    return found == m_blocks.end() ? nullptr : found->second;
}

int OP2Reader::ReadRecord(COp2File* file, void* buffer, int capacity)
{
    int length = 0;
    if (!NSBlockReader::ReadWord(*file, &length))
        return -1;
    if (length < 0 || length > capacity)
        return -2;
    int trailer = 0;
    if (!file->ReadExact(buffer, static_cast<size_t>(length)) ||
        !NSBlockReader::ReadWord(*file, &trailer))
        return -1;
    return length;
}

int OP2Reader::ReadRecord(CFile* file, void* buffer, int capacity)
{
    try
    {
        int32_t length = 0;
        if (file->Read(&length, sizeof(length)) != sizeof(length))
            return -1;
        if (length < 0 || length > capacity)
            return -2;
        int32_t trailer = 0;
        const UINT count = static_cast<UINT>(length);
        if (file->Read(buffer, count) != count || file->Read(&trailer, sizeof(trailer)) != 4)
            return -1;
        return length;
    }
    catch (CException* e)
    {
        e->Delete();
        return -1;
    }
}
