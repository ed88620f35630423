// What the fuzz targets share: a sink that drops the readers' lines, and a scratch folder per
// process that also serves as the executable folder (logs and the product INI land there).
#pragma once

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz_support
{
class CNullSink : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

// One scratch folder per process (workers run side by side), removed at a normal exit. The
// target name is taken at the first call.
inline const std::filesystem::path& ScratchFolder(const char* target)
{
    static const std::filesystem::path folder = [target]
    {
        // scripts/fuzz.sh gives a folder of its own that it removes: a process that libFuzzer
        // ends on a finding or in fork mode leaves its folder behind.
        std::error_code error;
        const char* given = std::getenv("GRAVIK_FUZZ_SCRATCH");
        std::filesystem::path base = given != nullptr ? given : "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        const std::filesystem::path path =
            base / ("gravik_" + std::string(target) + "_" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "bin", error);
        SetExecutableFolder((path / "bin").string());
        std::atexit([] { std::filesystem::remove_all(ScratchFolder(nullptr)); });
        return path;
    }();
    return folder;
}
// What a failed read must leave exactly as it found it.
struct SModelState
{
    int nodes = 0;
    int elements = 0;
    int results = 0;
    UINT maxNodeId = 0;
    UINT maxElementId = 0;
    UINT maxCoordSystemId = 0;

    static SModelState Of(const CModelSet& model)
    {
        SModelState state;
        state.nodes = model.GetNodeCount();
        state.elements = model.GetElementCount();
        state.results = static_cast<int>(model.GetResults().GetCount());
        state.maxNodeId = model.GetMaxNodeId();
        state.maxElementId = model.GetMaxElementId();
        state.maxCoordSystemId = model.GetMaxCoordSystemId();
        return state;
    }
    bool operator==(const SModelState& other) const
    {
        return nodes == other.nodes && elements == other.elements && results == other.results &&
               maxNodeId == other.maxNodeId && maxElementId == other.maxElementId &&
               maxCoordSystemId == other.maxCoordSystemId;
    }
};

[[noreturn]] inline void Fail(const char* what, long long value)
{
    std::fprintf(stderr, "model invariant broken: %s (%lld)\n", what, value);
    std::abort();
}

inline void CheckRolledBack(const SModelState& before, const CModelSet& model)
{
    const SModelState after = SModelState::Of(model);
    if (!(after == before))
    {
        std::fprintf(stderr,
                     "roll-back left %d nodes, %d elements, %d results (before: %d, %d, %d)\n",
                     after.nodes, after.elements, after.results, before.nodes, before.elements,
                     before.results);
        std::abort();
    }
}

// What every model must hold after any read: finite coordinates, ids within the bounds, each
// entity found under its own id, counts that agree with what is stored.
inline void CheckInvariants(const CModelSet& model)
{
    int nodes = 0;
    for (const auto& [id, node] : fw::Assocs(model.GetDefaultGroup()->GetNodes()))
    {
        ++nodes;
        if (node == nullptr || static_cast<UINT>(node->m_id) != id)
            Fail("node filed under another id", id);
        if (node->m_id < 0 || node->m_id > kMaxEntityId || id > model.GetMaxNodeId())
            Fail("node id outside the bounds", node->m_id);
        if (model.GetNode(node->m_id) != node)
            Fail("node not found under its id", node->m_id);
        const CPoint3D& p = node->m_coord;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            Fail("node with a non-finite coordinate", node->m_id);
    }
    if (nodes != model.GetNodeCount())
        Fail("node count", nodes);
    int elements = 0;
    for (const auto& [id, element] : fw::Assocs(model.GetElements()))
    {
        ++elements;
        if (element == nullptr || static_cast<UINT>(element->m_id) != id)
            Fail("element filed under another id", id);
        if (element->m_id < 0 || element->m_id > kMaxEntityId || id > model.GetMaxElementId())
            Fail("element id outside the bounds", element->m_id);
        if (model.FindElement(element->m_id) != element)
            Fail("element not found under its id", element->m_id);
        if (element->m_faces.GetSize() > CFEElement::kMaxFaceFlags)
            Fail("element with more faces than flags", element->m_id);
    }
    if (elements != model.GetElementCount())
        Fail("element count", elements);
}
} // namespace fuzz_support
