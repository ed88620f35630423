// Archives at layout and blob sizes and beyond: scalars and strings through the 4096-byte
// buffer into a memory file, and an object array of 100,000 small objects stored and read
// back (class tags, back-references and creation by name).
#include "platform/base/archive.h"

#include "platform/base/coll_array.h"
#include "platform/base/file.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace
{
class CBenchState : public CObject
{
    FW_SERIAL(CBenchState, CObject, VERSIONABLE_SCHEMA | 1)

    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
            archive << m_id << m_size << m_name;
        else
            archive >> m_id >> m_size >> m_name;
    }

    int32_t m_id = 0;
    double m_size = 0;
    CString m_name = "Splitter row";
};

void BM_ArchiveScalarsAndStrings(benchmark::State& state)
{
    const CString text("Message Window");
    for (auto _ : state)
    {
        CMemFile file;
        CArchive archive(&file, CArchive::store);
        for (int i = 0; i < 100000; ++i)
            archive << int32_t(i) << 0.5 << text;
        archive.Close();
        benchmark::DoNotOptimize(file.GetLength());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    state.SetBytesProcessed(state.iterations() * 100000 * (4 + 8 + 15));
}
BENCHMARK(BM_ArchiveScalarsAndStrings)->Unit(benchmark::kMillisecond);

void BM_ArchiveObjectArrayRoundTrip(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    CObArray objects;
    for (int i = 0; i < count; ++i)
        objects.Add(new CBenchState);
    objects.Add(objects[0]); // one back-reference
    for (auto _ : state)
    {
        CMemFile file;
        {
            CArchive archive(&file, CArchive::store);
            archive << &objects;
        }
        file.SeekToBegin();
        CArchive archive(&file, CArchive::load);
        CObArray* read = nullptr;
        archive >> read;
        benchmark::DoNotOptimize(read->GetSize());
        for (int i = 0; i < count; ++i)
            delete read->GetAt(i);
        delete read;
    }
    for (int i = 0; i < count; ++i)
        delete objects[i];
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArchiveObjectArrayRoundTrip)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
