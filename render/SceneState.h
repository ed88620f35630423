// What a 3-D view shows and how: the display and colour modes, the shrink, the id labels, the
// colour bands of its contour and the settings of each vector result it shows. The view owns
// it and changes it; the renderer reads it while it builds and draws.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "render/SceneSettings.h"
#include "render/VectorPlotEntry.h"

class CSceneState
{
public:
    CSceneState() = default;
    CSceneState(const CSceneState&) = delete;
    CSceneState& operator=(const CSceneState&) = delete;

    int DisplayMode() const { return m_displayMode; } // DisplayMode
    void SetDisplayMode(int mode) { m_displayMode = mode; }
    int ColorMode() const { return m_colorMode; } // ColorMode
    void SetColorMode(int mode) { m_colorMode = mode; }

    // Elements drawn shrunk towards their centres by the factor while shrink is on.
    bool IsShrunk() const { return m_isShrunk; }
    void SetShrunk(bool isShrunk) { m_isShrunk = isShrunk; }
    double ShrinkFactor() const { return m_shrinkFactor; }
    void SetShrinkFactor(double factor) { m_shrinkFactor = factor; }
    // The factor the builders apply: 1 while shrink is off.
    double AppliedShrink() const { return m_isShrunk ? m_shrinkFactor : 1.0; }

    // Id label modes: the labels show while a mode is exactly 1.
    BYTE NodeIdMode() const { return m_nodeIdMode; }
    void SetNodeIdMode(BYTE mode) { m_nodeIdMode = mode; }
    BYTE ElementIdMode() const { return m_elementIdMode; }
    void SetElementIdMode(BYTE mode) { m_elementIdMode = mode; }

    // The view's own colour bands, those of a shown contour.
    const CResultDisplayAttr& DisplayAttr() const { return m_displayAttr; }
    CResultDisplayAttr& EditDisplayAttr() { return m_displayAttr; }
    // The settings of each vector result shown in the view, by the id of its load case 1.
    const CVectorPlotMap& VectorPlots() const { return m_vectorPlots; }
    CVectorPlotMap& EditVectorPlots() { return m_vectorPlots; }

private:
    int m_displayMode = kWireframe;
    int m_colorMode = kColorByProperty;
    bool m_isShrunk = false;
    double m_shrinkFactor = 0.8;
    BYTE m_nodeIdMode = 0;
    BYTE m_elementIdMode = 0;
    CResultDisplayAttr m_displayAttr;
    CVectorPlotMap m_vectorPlots;
};
