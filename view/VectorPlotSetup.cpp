// Vector settings of a shown vector result.
#include "view/VectorPlotSetup.h"

#include "core/geometry/Box3D.h"
#include "render/VectorPlotEntry.h"

#include <algorithm>
#include <cmath>

CVectorDisplayAttr MakeVectorDisplayAttr(const CResultDisplayAttr& bands,
                                         const CVectorDisplayAttr& defaults, int resultId,
                                         const CBox3D& modelBox, double smallestMagnitude,
                                         double largestMagnitude)
{
    CVectorDisplayAttr attr;
    attr.m_colorBands = bands;
    attr.m_bConstantLength = defaults.m_bConstantLength;
    attr.m_lengthPercent = defaults.m_lengthPercent;
    attr.m_nThickness = defaults.m_nThickness;
    attr.m_bSameColor = defaults.m_bSameColor;
    attr.m_nColorBands = defaults.m_nColorBands;
    attr.m_nPosition = defaults.m_nPosition;
    attr.m_nArrowHeadSize = defaults.m_nArrowHeadSize;
    attr.m_arrowHeadPercLen = defaults.m_arrowHeadPercLen;
    attr.m_nArrowHeadType = defaults.m_nArrowHeadType;
    attr.m_scaleFactor = defaults.m_scaleFactor;
    attr.m_sameColor = defaults.m_sameColor;
    attr.m_nResultID = resultId;
    // The largest extent: a model in the YZ plane has no X extent but still wants arrows.
    const bool isMeasured = modelBox.min.x <= modelBox.max.x; // not the box before any update
    const double extent =
        std::max({modelBox.max.x - modelBox.min.x, modelBox.max.y - modelBox.min.y,
                  modelBox.max.z - modelBox.min.z});
    attr.m_length = attr.m_lengthPercent * 0.01 * (isMeasured ? extent : 0.0);
    attr.m_minMagnitude = smallestMagnitude;
    attr.m_maxMagnitude = largestMagnitude > 0.0 ? largestMagnitude : 1.0;
    return attr;
}

CVectorPlotEntry* InstallVectorPlot(CVectorPlotMap& plots, int key, const CVectorDisplayAttr& attr)
{
    CVectorPlotEntry* entry = plots.Find(key);
    if (entry == nullptr)
    {
        entry = plots.FindOrAdd(key);
        entry->m_attr = attr;
        return entry;
    }
    // The user's arrow settings stay with the result from one load case to the next.
    entry->m_attr.m_nColorBands = attr.m_colorBands.m_nBands;
    entry->m_attr.m_colorBands = attr.m_colorBands;
    entry->m_attr.m_minMagnitude = attr.m_minMagnitude;
    entry->m_attr.m_maxMagnitude = attr.m_maxMagnitude;
    return entry;
}
