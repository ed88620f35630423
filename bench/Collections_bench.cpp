// Framework collections, formatting and line reading at model sizes: id maps with 200000
// buckets, arrays grown one element at a time, result lines formatted, text files read.
#include "platform/base/coll_array.h"
#include "platform/base/coll_map.h"
#include "platform/base/file.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace
{
using IdMap = CMap<UINT, UINT, void*, void*>;

void FillIds(IdMap& map, UINT count)
{
    map.InitHashTable(200000);
    for (UINT id = 1; id <= count; ++id)
        map.SetAt(id, &map);
}

void BM_MapInsertIds(benchmark::State& state)
{
    const UINT count = static_cast<UINT>(state.range(0));
    for (auto _ : state)
    {
        IdMap map;
        FillIds(map, count);
        benchmark::DoNotOptimize(map.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_MapInsertIds)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

void BM_MapLookupIds(benchmark::State& state)
{
    const UINT count = static_cast<UINT>(state.range(0));
    IdMap map;
    FillIds(map, count);
    void* value = nullptr;
    for (auto _ : state)
    {
        for (UINT id = 1; id <= count; ++id)
            benchmark::DoNotOptimize(map.Lookup(id, value));
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_MapLookupIds)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

void BM_MapIterate(benchmark::State& state)
{
    IdMap map;
    FillIds(map, 2000000);
    for (auto _ : state)
    {
        UINT key = 0;
        void* value = nullptr;
        for (POSITION pos = map.GetStartPosition(); pos;)
            map.GetNextAssoc(pos, key, value);
        benchmark::DoNotOptimize(key);
    }
    state.SetItemsProcessed(state.iterations() * map.GetCount());
}
BENCHMARK(BM_MapIterate)->Unit(benchmark::kMillisecond);

void BM_ArrayAddDoubles(benchmark::State& state)
{
    const INT_PTR count = state.range(0);
    for (auto _ : state)
    {
        CArray<double> array;
        for (INT_PTR i = 0; i < count; ++i)
            array.Add(static_cast<double>(i));
        benchmark::DoNotOptimize(array.GetData());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArrayAddDoubles)->Arg(1000000)->Arg(6000000)->Unit(benchmark::kMillisecond);

void BM_ArrayAddStrings(benchmark::State& state)
{
    const INT_PTR count = state.range(0);
    for (auto _ : state)
    {
        CStringArray array;
        for (INT_PTR i = 0; i < count; ++i)
            array.Add("a line of text");
        benchmark::DoNotOptimize(array.GetData());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ArrayAddStrings)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_StdioReadLines(benchmark::State& state)
{
    const std::string path = "/tmp/gravik_collections_bench.txt";
    ULONGLONG bytes = 0;
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        const char line[] =
            "    1234567         1         1        11 -1.2345678E+00 2.3456789E+01\n";
        for (int i = 0; i < 400000; ++i)
            file.WriteString(line);
        file.Close();
        bytes = CFile(path.c_str(), CFile::modeRead).GetLength();
    }
    for (auto _ : state)
    {
        CStdioFile file(path.c_str(), CFile::modeRead);
        CString line;
        int lines = 0;
        while (file.ReadString(line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    std::remove(path.c_str());
}
BENCHMARK(BM_StdioReadLines)->Unit(benchmark::kMillisecond);
void BM_FormatValues(benchmark::State& state)
{
    CString text;
    double value = 1.0;
    for (auto _ : state)
    {
        text.Format("%10d%13.5E%13.5E%13.5E", 12345, value, -value, value * 3);
        value += 0.001;
        benchmark::DoNotOptimize(text.GetString());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatValues);
} // namespace

BENCHMARK_MAIN();
