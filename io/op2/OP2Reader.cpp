// OUTPUT2 reader: block table and the low-level record read.
#include "io/op2/OP2Reader.h"

#include "io/op2/NSBlockReader.h"
#include "io/op2/Op2File.h"

#include <cassert>

namespace
{
OP2Reader* g_currentReader = nullptr;
} // namespace

OP2Reader::OP2Reader()
{
    AddBlockReader({"DEFAULT"}, std::make_unique<DEFAULTNSBlockReader>());
}

OP2Reader::~OP2Reader()
{
    if (g_currentReader == this)
        g_currentReader = nullptr;
}

OP2Reader* OP2Reader::GetCurrent()
{
    return g_currentReader;
}

OP2Reader::CurrentScope::CurrentScope(OP2Reader* reader)
    : m_previous(g_currentReader)
{
    g_currentReader = reader;
}

OP2Reader::CurrentScope::~CurrentScope()
{
    g_currentReader = m_previous;
}

void OP2Reader::AddBlockReader(std::initializer_list<const char*> names,
                               std::unique_ptr<NSBlockReader> reader)
{
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
