// The project's display settings that the renderer reads while it builds and draws a view:
// the display filter, a colour and a size per entity kind, the two lighting materials, the
// ridge-line drag flag and the curve divisions. The view hands over a copy (the project owns
// the settings).
#pragma once

#include "core/display/EntityKinds.h"
#include "core/display/GLMaterial.h"

#include <windows.h>

// Display modes of a view.
enum DisplayMode : int
{
    kWireframe = 0,
    kRidgeLine = 1,
    kShading = 2,
    kRidgeLineShading = 3,
    kHiddenLine = 4
};

// Colour modes of a view: elements coloured by property, by material, or by kind.
enum ColorMode : int
{
    kColorByProperty = 0,
    kColorByMaterial = 1,
    kColorByElementType = 2
};

class CSceneSettings
{
public:
    // Index of the per-kind colours and sizes, in the project's order.
    enum Kind
    {
        kSolid,
        kShell,
        kBeam,
        kMass,
        kElass,
        kGrid,
        kKindCount
    };
    // Index of the two materials.
    enum Material
    {
        kSolidMaterial,
        kShellMaterial
    };

    CSceneSettings();

    int m_displayFilter = kKindAll; // EntityKindBit: set bits are drawn
    COLORREF m_colors[kKindCount];  // "SolidColor" ... "GridColor"
    int m_sizes[kKindCount];        // "SolidSize" ... "GridSize": line width, point size
    CGLMaterial m_materials[2];     // lit faces of solids and shells
    int m_sameOnBothSide = 1;       // shells take face 0 of their material on both sides
    int m_rigidLineView = 0;        // ridge lines only while the mouse drags
    int m_curveDivisions = 4;       // straight pieces per node-to-node step of a curve
    COLORREF m_nodeLabelColor = RGB(255, 0, 0);    // "FontColorNodeLabel"
    COLORREF m_elementLabelColor = RGB(255, 0, 0); // "FontColorElementLabel"
};
