// The project target's solver files and seeds. The solver files are the plate of the project
// tests: its deck, the same mesh as a universal file, and its displacement results. The seeds
// are projects on them written by the program's own save, with the scratch folder written "$".
#pragma once

#include "io/bulk/BulkImport.h"
#include "io/op2/Op2Import.h"
#include "io/unv/UnvImport.h"
#include "project/ProjectData.h"
#include "tests/support/ProjectFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace project_fuzz
{
inline std::string ModelFile(const std::filesystem::path& folder, const char* name)
{
    return folder.string() + "/" + name;
}

inline void WriteModelFiles(const std::filesystem::path& folder)
{
    fuzz_support::CNullSink sink;
    std::ofstream(ModelFile(folder, "plate.dat"), std::ios::binary) << PlateDeck();
    WritePlateResults(folder.string(), "plate.op2");
    CModelSet model;
    if (ImportBulkFile(model, ModelFile(folder, "plate.dat"), sink))
        ExportUnvFile(model, model, ModelFile(folder, "plate.unv"), sink);
}

// Catalogues the results and loads those of load case 1.
inline bool LoadFirstCase(CProjectData& project, const std::string& path)
{
    fuzz_support::CNullSink sink;
    std::vector<std::string> inputFiles;
    const auto chooseFirstCase = [](const std::vector<CResultData*>& results)
    {
        for (CResultData* result : results)
        {
            if (ResultIdLoadCase(result->m_id) == 1)
                result->m_loaded = CResultData::kRequested;
        }
    };
    return project.AddInputFile(path.c_str()) &&
           ImportOp2File(path, &project.m_model, inputFiles, chooseFirstCase, &sink) == 0;
}

inline bool ReadDeck(CProjectData& project, const std::string& path)
{
    fuzz_support::CNullSink sink;
    return project.AddInputFile(path.c_str()) && ImportBulkFile(project.m_model, path, sink);
}

// Saves the project as seeds/name.mpj, then writes the scratch folder in it as "$".
inline bool SaveSeed(CProjectData& project, const std::filesystem::path& scratch,
                     const std::string& seeds, const char* name)
{
    project.m_folder = seeds.c_str();
    project.m_name = name;
    if (!project.SaveProject())
        return false;
    const std::string path = seeds + "/" + name + ".mpj";
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string folder = scratch.string() + "/";
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.replace(at, folder.size(), "$");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return true;
}

// The plate with its results, the fixture's settings, group, colours and three views, the
// contour view showing a loaded result.
inline bool WritePlateSeed(const std::filesystem::path& scratch, const std::string& seeds)
{
    CFakeProjectHost host;
    CProjectData project;
    project.SetHost(&host);
    if (!ReadDeck(project, ModelFile(scratch, "plate.dat")) ||
        !LoadFirstCase(project, ModelFile(scratch, "plate.op2")))
        return false;
    FillFixtureSettings(project.m_settings);
    FillFixtureGroupAndColors(project.m_model);
    FillFixtureViews(host);
    const std::vector<UINT> loaded = CollectLoadedResultIds(project.m_model);
    if (loaded.empty())
        return false;
    host.View(1)->state.contourResultId = static_cast<int>(loaded.front());
    // The arrows show the same result, their record filed under its first load case, so
    // that the vector keys are written.
    CFakeProjectView* arrows = host.View(3);
    UINT firstCase = 0;
    if (project.m_model.GetLoadCaseResultId(loaded.front(), 1, &firstCase))
    {
        const CVectorDisplayAttr record = arrows->vectorAttrs.begin()->second;
        arrows->vectorAttrs = {{firstCase, record}};
        arrows->state.vectorResultId = static_cast<int>(loaded.front());
    }
    return SaveSeed(project, scratch, seeds, "plate");
}

inline bool WriteUniversalSeed(const std::filesystem::path& scratch, const std::string& seeds)
{
    fuzz_support::CNullSink sink;
    CFakeProjectHost host;
    CProjectData project;
    project.SetHost(&host);
    const std::string path = ModelFile(scratch, "plate.unv");
    if (!project.AddInputFile(path.c_str()) || !ImportUnvFile(project.m_model, path, nullptr, sink))
        return false;
    project.m_settings.m_modelSource = CAESettings::kUniversalFile;
    host.AddFrame(1)->state.displayMode = 4;
    host.activeFrameId = 1;
    return SaveSeed(project, scratch, seeds, "universal");
}

// Results without a model, and a project of nothing.
inline bool WriteSmallSeeds(const std::filesystem::path& scratch, const std::string& seeds)
{
    CProjectData results;
    CProjectData empty;
    return LoadFirstCase(results, ModelFile(scratch, "plate.op2")) &&
           SaveSeed(results, scratch, seeds, "results") && SaveSeed(empty, scratch, seeds, "empty");
}

inline bool WriteSeeds(const std::filesystem::path& scratch, const std::string& seeds)
{
    std::error_code error;
    std::filesystem::create_directories(seeds, error);
    return WritePlateSeed(scratch, seeds) && WriteUniversalSeed(scratch, seeds) &&
           WriteSmallSeeds(scratch, seeds);
}
} // namespace project_fuzz
