// What the benchmark programs under Wine share: a clock and a flat model of quads.
#pragma once

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"

#include <windows.h>

namespace win_bench
{
// Seconds from a fixed start.
inline double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Processor seconds of the whole process so far (every thread, the rasteriser's too), and of
// them in the kernel: the kernel's share shows memory faulted in again frame after frame.
inline double ProcessorSeconds(double* kernelSeconds)
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t)
    { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
    *kernelSeconds = seconds(kernel);
    return seconds(kernel) + seconds(user);
}

// side x side quads on the plane z = 0 from (0, 0) to (side, side): node j * (side + 1) + i + 1
// at (i, j), element faces built. propertyBands properties in strips along x (1 for one).
inline void BuildQuadPlate(CModelSet& model, int side, int propertyBands)
{
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
            model.AddNode(new CFENode(j * (side + 1) + i + 1, CPoint3D(i, j, 0)));
    }
    for (int j = 0; j < side; ++j)
    {
        for (int i = 0; i < side; ++i)
        {
            CFEElement* quad = new CFEElement();
            quad->type = kTagShell;
            quad->m_id = j * side + i + 1;
            quad->m_feDescriptorId = 94;
            quad->m_propertyId = 1 + (i * propertyBands) / side;
            const int n1 = j * (side + 1) + i + 1;
            quad->m_ids.Add(n1);
            quad->m_ids.Add(n1 + 1);
            quad->m_ids.Add(n1 + side + 2);
            quad->m_ids.Add(n1 + side + 1);
            quad->m_nodeCount = 4;
            model.AddElement(quad);
        }
    }
    model.BuildElementFaces();
}
} // namespace win_bench
