// OUTPUT2 reading speed on generated files of 100,000 grids and CQUAD4 with 10 static subcases
// of displacements and SPC forces (about 73 MB), and the same plus the CQUAD4 stresses of every
// subcase (about 140 MB); records in solver-sized continuation pieces. Catalogue pass plus
// loading every result. And the whole import of a 1,000,000-quad plate with 2 subcases of
// displacements, SPC forces and plate stresses (about 390 MB), as the import command runs it.
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2Import.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{
constexpr int kGrids = 100000;
constexpr int kQuads = 100000;
constexpr int kSubcases = 10;
constexpr int kPieceWords = 65536;
constexpr int kPlateWords = 17;

int32_t Bits(float f)
{
    int32_t w = 0;
    std::memcpy(&w, &f, 4);
    return w;
}

class Writer
{
public:
    explicit Writer(std::FILE* file)
        : m_file(file)
    {
    }
    void Word(int32_t w) { std::fwrite(&w, 4, 1, m_file); }
    void Control(int k)
    {
        Word(4);
        Word(k);
        Word(4);
    }
    void Framed(const std::vector<int32_t>& words, size_t first, size_t count)
    {
        Word(static_cast<int32_t>(count * 4));
        std::fwrite(words.data() + first, 4, count, m_file);
        Word(static_cast<int32_t>(count * 4));
    }
    void Record(const std::vector<int32_t>& words)
    {
        const size_t total = words.size();
        size_t piece = total < kPieceWords ? total : kPieceWords;
        Control(1);
        Control(0);
        Control(static_cast<int>(piece));
        for (size_t done = 0;;)
        {
            Framed(words, done, piece);
            done += piece;
            if (done == total)
                break;
            piece = total - done < kPieceWords ? total - done : kPieceWords;
            Control(static_cast<int>(piece));
        }
        Control(m_marker--);
    }
    void Header(const char* name)
    {
        std::vector<int32_t> text(2);
        std::memcpy(text.data(), name, 8);
        Control(2);
        Framed(text, 0, 2);
        Control(-1);
        Control(7);
        Framed(std::vector<int32_t>{101, 0, 0, 0, 0, 0, 0}, 0, 7);
        Control(-2);
        Control(1);
        Control(0);
        Control(2);
        Framed(text, 0, 2);
        Control(-3);
        m_marker = -4;
    }
    void EndBlock()
    {
        Control(1);
        Control(0);
        Control(0);
    }

private:
    std::FILE* m_file;
    int m_marker = -4;
};

std::vector<int32_t> Ident(int tableCode, int loadSet, int elementType, int entryWords)
{
    std::vector<int32_t> ident(146, 0);
    ident[0] = 11;
    ident[1] = tableCode;
    ident[2] = elementType;
    ident[3] = loadSet; // the subcase
    ident[4] = loadSet;
    ident[9] = entryWords;
    ident[10] = 1;
    return ident;
}

// Displacement-like entries of nodes 1..nodes for every subcase.
void WriteNodeBlock(Writer& w, const char* name, int tableCode, int nodes, int subcases)
{
    w.Header(name);
    std::vector<int32_t> data;
    data.reserve(static_cast<size_t>(nodes) * 8);
    for (int subcase = 1; subcase <= subcases; ++subcase)
    {
        w.Record(Ident(tableCode, subcase, 0, 8));
        data.clear();
        for (int id = 1; id <= nodes; ++id)
        {
            data.push_back(id * 10 + 1);
            data.push_back(1);
            for (float f : {id * 1e-6f, subcase * 1e-3f, -id * 1e-7f, 0.5f, 0.25f, 0.125f})
                data.push_back(Bits(f));
        }
        w.Record(data);
    }
    w.EndBlock();
}

void WriteStressBlock(Writer& w)
{
    w.Header("OES1X1  ");
    for (int subcase = 1; subcase <= kSubcases; ++subcase)
    {
        w.Record(Ident(5, subcase, 33, kPlateWords));
        std::vector<int32_t> data;
        data.reserve(static_cast<size_t>(kQuads) * kPlateWords);
        for (int id = 1; id <= kQuads; ++id)
        {
            data.push_back(id * 10 + 1);
            for (int word = 1; word < kPlateWords; ++word)
                data.push_back(Bits(static_cast<float>(id % 1000) * 0.1f + word + subcase));
        }
        w.Record(data);
    }
    w.EndBlock();
}

std::string GenerateFile(bool withStresses)
{
    const std::string path =
        withStresses ? "/tmp/gravik_op2_stress_bench.op2" : "/tmp/gravik_op2_bench.op2";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Writer w(file); // no label: the first block starts the file
    w.Header("GEOM1   ");
    std::vector<int32_t> grids{4501, 45, 1};
    for (int id = 1; id <= kGrids; ++id)
    {
        grids.insert(grids.end(), {id, 0});
        for (float f : {float(id % 317), float(id / 317), 0.0f})
            grids.push_back(Bits(f));
        grids.insert(grids.end(), {0, 0, 0});
    }
    w.Record(grids);
    w.EndBlock();
    w.Header("GEOM2   ");
    std::vector<int32_t> quads{2958, 51, 177};
    for (int id = 1; id <= kQuads; ++id)
    {
        const int n = (id % (kGrids - 320)) + 1;
        quads.insert(quads.end(), {id, 1, n, n + 1, n + 318, n + 317, 0, 0, 0, 0, 0, 0, 0, 0});
    }
    w.Record(quads);
    w.EndBlock();
    WriteNodeBlock(w, "OUGV1   ", 1, kGrids, kSubcases);
    WriteNodeBlock(w, "OQG1    ", 3, kGrids, kSubcases);
    if (withStresses)
        WriteStressBlock(w);
    w.Control(0);
    std::fclose(file);
    return path;
}

const std::string& BenchFile(bool withStresses)
{
    static const std::string plain = GenerateFile(false);
    static const std::string stresses = GenerateFile(true);
    return withStresses ? stresses : plain;
}

// Argument 1: the file with the CQUAD4 stresses.
void BM_Op2CatalogueAndLoadAll(benchmark::State& state)
{
    const std::string& path = BenchFile(state.range(0) != 0);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const int64_t bytes = std::ftell(file);
    std::fclose(file);
    size_t results = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto model = std::make_unique<CModelSet>();
        state.ResumeTiming();
        OP2Reader reader;
        reader.readCatalogue(path, model.get(), true, nullptr);
        for (UINT id : model->GetResults().SortedKeys())
            model->GetResult(id)->m_loaded = CResultData::kRequested;
        reader.readResults(path, model.get());
        results = static_cast<size_t>(model->GetResults().GetCount());
        benchmark::DoNotOptimize(results);
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["results"] = static_cast<double>(results);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_Op2CatalogueAndLoadAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The 1,000,000-quad plate: 1001 x 1001 grids, 2 static subcases.
constexpr int kPlateSide = 1000;
constexpr int kPlateSubcases = 2;
constexpr int kPlateNodes = (kPlateSide + 1) * (kPlateSide + 1);
constexpr int kPlateQuads = kPlateSide * kPlateSide;

int PlateNode(int i, int j)
{
    return j * (kPlateSide + 1) + i + 1;
}

const std::string& PlateFile()
{
    static const std::string path = []
    {
        const std::string file = "/tmp/gravik_op2_plate_bench.op2";
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr)
            return file;
        Writer w(out);
        w.Header("GEOM1   ");
        std::vector<int32_t> grids{4501, 45, 1};
        grids.reserve(3 + static_cast<size_t>(kPlateNodes) * 8);
        for (int j = 0; j <= kPlateSide; ++j)
        {
            for (int i = 0; i <= kPlateSide; ++i)
            {
                grids.insert(grids.end(), {PlateNode(i, j), 0});
                for (float f : {i * 0.01f, j * 0.01f, 0.0f})
                    grids.push_back(Bits(f));
                grids.insert(grids.end(), {0, 0, 0});
            }
        }
        w.Record(grids);
        grids = {};
        w.EndBlock();
        w.Header("GEOM2   ");
        std::vector<int32_t> quads{2958, 51, 177};
        quads.reserve(3 + static_cast<size_t>(kPlateQuads) * 14);
        int id = 0;
        for (int j = 0; j < kPlateSide; ++j)
        {
            for (int i = 0; i < kPlateSide; ++i)
            {
                quads.insert(quads.end(), {++id, 1, PlateNode(i, j), PlateNode(i + 1, j),
                                           PlateNode(i + 1, j + 1), PlateNode(i, j + 1), 0, 0, 0, 0,
                                           0, 0, 0, 0});
            }
        }
        w.Record(quads);
        quads = {};
        w.EndBlock();
        WriteNodeBlock(w, "OUGV1   ", 1, kPlateNodes, kPlateSubcases);
        WriteNodeBlock(w, "OQG1    ", 3, kPlateNodes, kPlateSubcases);
        w.Header("OES1X1  ");
        std::vector<int32_t> data;
        data.reserve(static_cast<size_t>(kPlateQuads) * kPlateWords);
        for (int subcase = 1; subcase <= kPlateSubcases; ++subcase)
        {
            w.Record(Ident(5, subcase, 33, kPlateWords));
            data.clear();
            for (int element = 1; element <= kPlateQuads; ++element)
            {
                data.push_back(element * 10 + 1);
                for (int word = 1; word < kPlateWords; ++word)
                    data.push_back(
                        Bits(static_cast<float>(element % 1000) * 0.1f + word + subcase));
            }
            w.Record(data);
        }
        w.EndBlock();
        w.Control(0);
        std::fclose(out);
        return file;
    }();
    return path;
}

class CDiscardOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

// Resident and peak resident set in MB (Linux); writing 5 to clear_refs resets the peak.
double StatusMb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::strlen(field))) / 1024.0;
    }
    return 0.0;
}

void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The whole import a user waits for: catalogue with geometry, every result loaded, pending
// nodes, faces and the update of the loaded results. Peak: the most the process held during
// the import; held: what it holds afterwards (the model and its values).
void BM_Op2ImportPlate(benchmark::State& state)
{
    const std::string& path = PlateFile();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
    {
        state.SkipWithError("could not write the generated file");
        return;
    }
    std::fseek(file, 0, SEEK_END);
    const int64_t bytes = std::ftell(file);
    std::fclose(file);
    CDiscardOutput output;
    double peakMb = 0.0;
    double heldMb = 0.0;
    double baseMb = 0.0;
    size_t results = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto model = std::make_unique<CModelSet>();
        baseMb = StatusMb("VmRSS:");
        ResetPeakResident();
        state.ResumeTiming();
        std::vector<std::string> inputs;
        const int code = ImportOp2File(path, model.get(), inputs, ChooseAllOp2Results, &output);
        state.PauseTiming();
        // The first iteration finds no freed memory to reuse: the largest figures are its.
        peakMb = std::max(peakMb, StatusMb("VmHWM:") - baseMb);
        heldMb = std::max(heldMb, StatusMb("VmRSS:") - baseMb);
        results = static_cast<size_t>(model->GetResults().GetCount());
        if (code != 0 || model->GetElementCount() != kPlateQuads)
            state.SkipWithError("the generated file was not read whole");
        model.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * kPlateQuads);
    state.counters["results"] = static_cast<double>(results);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peakMB"] = peakMb;
    state.counters["heldMB"] = heldMb;
}
BENCHMARK(BM_Op2ImportPlate)->Unit(benchmark::kMillisecond)->Iterations(2);
} // namespace

BENCHMARK_MAIN();
