// Beam element drawable.
#include "render/BeamLine.h"

#include "core/geometry/EntitySet.h"
#include "core/model/FEElement.h"
#include "render/DrawDevice.h"

CBeamLine::CBeamLine(CEntitySet* entitySet, double shrinkFactor, int curveParameter)
    : CEntityDrawObject(entitySet, shrinkFactor)
    , m_nCurveParameter(curveParameter)
{
}

void CBeamLine::Draw(CDrawDevice* device)
{
    if (!device || !m_pElement || !m_pEntitySet)
        return;
    const CIdList& ids = m_pElement->m_ids;
    if (m_pElement->m_feDescriptorId == kLinearBeam && ids.GetSize() >= 2)
    {
        device->DrawShrunkLine(m_shrinkFactor, m_pEntitySet->GetNodePoint(ids[0]),
                               m_pEntitySet->GetNodePoint(ids[1]), 0);
    }
    else if (m_pElement->m_feDescriptorId == kParabolicBeam && ids.GetSize() >= 3)
    {
        CPoint3DArray curve;
        for (int i = 0; i < 3; ++i)
            curve.Add(m_pEntitySet->GetNodePoint(ids[i]));
        device->DrawShrunkCurve(&curve, m_shrinkFactor, m_nCurveParameter);
    }
}
