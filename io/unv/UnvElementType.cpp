// Element-type table shared by the element datasets 2412 and 780.
#include "io/unv/UnvElementType.h"

namespace
{
constexpr int kBeam = 101;
constexpr int kSolid = 129;
constexpr int kSpring = 130;
constexpr int kMass = 131;
constexpr int kShell = 132;

struct Row
{
    int ids[8]; // descriptor ids of the row, 0-terminated
    CUnvElementType type;
};

constexpr CUnvNodeLine Count(int n)
{
    return {n, false};
}

constexpr CUnvNodeLine Exactly(int n)
{
    return {n, true};
}

constexpr CUnvNodeLine kNone = {0, false};

// Our own descriptors (spring 250, mass 251, gap 253, shear panel 254) are what the writer
// exports for elements that came from bulk data; reading them back gives the elements the bulk
// reader makes: a gap is drawn as a spring, a shear panel as a shell.
const Row kRows[] = {
    {{11, 21, 31, 121, 191, 192, 193}, {kBeam, 0, 21, true, {Count(2), kNone, kNone}}},
    // Salome writes its quadratic edges as 22 with three nodes.
    {{22}, {kBeam, 0, 21, true, {Count(2), kNone, kNone}, true}},
    {{136, 137}, {kBeam, 0, 21, false, {Count(2), kNone, kNone}}},
    {{24}, {kBeam, 0, 0, true, {Count(3), kNone, kNone}}},
    {{41, 51, 61, 74, 81, 91}, {kShell, 1, 91, false, {Count(3), kNone, kNone}}},
    {{44, 54, 64, 71, 84, 94, 171}, {kShell, 1, 94, false, {Count(4), kNone, kNone}}},
    {{42, 52, 62, 72, 82, 92}, {kShell, 1, 0, false, {Count(6), kNone, kNone}}},
    {{45, 55, 65, 75, 85, 95, 172}, {kShell, 1, 0, false, {Count(8), kNone, kNone}}},
    {{111}, {kSolid, 4, 0, false, {Count(4), kNone, kNone}}},
    {{93, 103, 112, 114}, {kSolid, 5, 112, false, {Count(6), kNone, kNone}}},
    {{96, 106, 115, 117}, {kSolid, 6, 115, false, {Count(8), kNone, kNone}}},
    {{118}, {kSolid, 4, 0, false, {Exactly(8), Exactly(2), kNone}}},
    {{102, 113}, {kSolid, 5, 0, false, {Exactly(8), Exactly(7), kNone}}},
    {{105, 116}, {kSolid, 6, 0, false, {Exactly(8), Exactly(8), Exactly(4)}}},
    {{250}, {kSpring, 0, 0, false, {kNone, kNone, kNone}}},
    {{251}, {kMass, 0, 0, false, {kNone, kNone, kNone}}},
    {{253}, {kSpring, 0, 0, false, {kNone, kNone, kNone}}},
    {{254}, {kShell, 1, 0, false, {kNone, kNone, kNone}}},
};
} // namespace

const CUnvElementType* FindUnvElementType(int descriptorId)
{
    if (descriptorId <= 0)
        return nullptr;
    for (const Row& row : kRows)
    {
        for (int id : row.ids)
        {
            if (id == 0)
                break;
            if (id == descriptorId)
                return &row.type;
        }
    }
    return nullptr;
}

bool HasUnvBeamOrientation(int descriptorId)
{
    switch (descriptorId)
    {
    case 21:
    case 22:
    case 24:
    case 31:
    case 121:
    case 191:
    case 192:
    case 193: return true;
    default: return false;
    }
}
