// Key names that the product INI and the project file share, and numbered key names.
#pragma once

#include "project/AESettings.h"

#include <cstdio>
#include <string>

namespace project_keys
{
// Lighting-material keys are kind + side + property: "SolidObverseEnvColor".
inline const char* const kSides[] = {"Obverse", "Reverse"};
inline const char* const kMaterialWords[] = {"Solid", "Shell"};

// "DisplayAttribute" keys in file order, with the entity kind each belongs to.
struct EntityKeys
{
    const char* colorKey;
    const char* sizeKey;
    CAESettings::EntityKind kind;
};
inline const EntityKeys kEntityKeys[] = {
    {"GridColor", "GridSize", CAESettings::kGrid},
    {"SolidColor", "SolidSize", CAESettings::kSolid},
    {"ShellColor", "ShellSize", CAESettings::kShell},
    {"MassColor", "MassSize", CAESettings::kMass},
    {"ElassColor", "ElassSize", CAESettings::kElass},
    {"BeamColor", "BeamSize", CAESettings::kBeam},
};

// The format with its one "%d" filled: "ElemList %d" and 3 give "ElemList 3".
inline std::string Numbered(const char* format, int n)
{
    char key[64];
    std::snprintf(key, sizeof key, format, n);
    return key;
}
} // namespace project_keys
