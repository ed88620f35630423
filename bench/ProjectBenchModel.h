// The project of the project-file benchmarks: a model of shells (ids from 1, no nodes: the file
// records only ids) and one group holding all of them, written to and read from a scratch folder.
#pragma once

#include "core/model/FEElement.h"
#include "platform/base/os.h"
#include "project/ProjectData.h"

#include <filesystem>
#include <memory>
#include <string>

constexpr int kBenchGroupElements = 1000000;

inline void AddBenchElements(CModelSet& model, int count)
{
    for (int id = 1; id <= count; ++id)
    {
        CFEElement* element = new CFEElement();
        element->type = kTagShell;
        element->m_id = id;
        element->m_propertyId = 1 + id % 5;
        model.AddElement(element);
    }
}

inline void AddBenchGroup(CModelSet& model, int count)
{
    auto group = std::make_unique<CGroupSet>();
    group->m_id = 1;
    group->SetName("All shells");
    for (int id = 1; id <= count; ++id)
    {
        CFEElement* element = model.FindElement(id);
        group->AddElement(element);
        element->m_groups.Add(1);
    }
    model.AddGroup(group.release());
}

// A fresh folder under the system's temporary folder, in the program's path form.
inline std::string BenchFolder(const char* name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder, ec);
    return folder.string();
}

// "ElemList %d" lines of ten ids written one profile call each, as the profile functions
// would take them: the cost that the one-pass file avoids.
inline bool WriteGroupByProfileCalls(const std::string& path, int lines)
{
    int id = 1;
    for (int k = 0; k < lines; ++k)
    {
        std::string line;
        for (int i = 0; i < 10; ++i, ++id)
            line += std::to_string(id) + ",";
        if (!fw::os::StoreProfileString(path, "Group 0", "ElemList " + std::to_string(k), line))
            return false;
    }
    return true;
}
