// Beam element drawable: a shrunk line for two-node beams, a shrunk curve for three-node ones.
#pragma once

#include "render/DrawObject.h"

class CFEElement;

class CBeamLine : public CEntityDrawObject
{
public:
    static constexpr int kLinearBeam = 21;
    static constexpr int kParabolicBeam = 24;

    CBeamLine(CEntitySet* entitySet, double shrinkFactor, int curveParameter);
    ~CBeamLine() override = default;

    void SetElement(const CFEElement* element) { m_pElement = element; }
    // Other descriptors, and no element, draw nothing.
    void Draw(CDrawDevice* device);

    void DrawFilled(CDrawDevice* device) override { Draw(device); }
    void DrawOutline(CDrawDevice* device) override { Draw(device); }

    const CFEElement* m_pElement = nullptr; // not owned
    int m_nCurveParameter;
};
