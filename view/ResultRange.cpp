// Value ranges of a shown result.
#include "view/ResultRange.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "core/model/ViewServices.h"

#include <algorithm>

namespace
{
int KindOf(int kind)
{
    return kind & ~kKindElementBlock;
}

double Axis(const CPoint3D& p, int kind)
{
    return kind == kKindX ? p.x : kind == kKindY ? p.y : p.z;
}

// Element results whose range was saved before their values were averaged to the nodes keep
// the element range as the saved one; the current one then holds the nodal means.
bool ReadsSavedRange(const CResultData& result, int side, bool vectors)
{
    result.SettleNodeMeans(); // the current range holds the nodal means
    const bool hasSaved = vectors ? result.m_savedMinVector.x <= result.m_savedMaxVector.x
                                  : result.m_savedMin <= result.m_savedMax;
    return side == kLocationElement && hasSaved && result.GetLocation() == 0;
}

void StoredScalars(const CResultData& result, int side, double& min, double& max)
{
    const bool isSaved = ReadsSavedRange(result, side, false);
    min = isSaved ? result.m_savedMin : result.m_min;
    max = isSaved ? result.m_savedMax : result.m_max;
}

void StoredVectors(const CResultData& result, int side, CPoint3D& min, CPoint3D& max)
{
    const bool isSaved = ReadsSavedRange(result, side, true);
    min = isSaved ? result.m_savedMinVector : result.m_minVector;
    max = isSaved ? result.m_savedMaxVector : result.m_maxVector;
}

double OrZero(double value, double sentinel)
{
    return value == sentinel ? 0.0 : value;
}

CPoint3D OrZero(const CPoint3D& p, double sentinel)
{
    return CPoint3D(OrZero(p.x, sentinel), OrZero(p.y, sentinel), OrZero(p.z, sentinel));
}

// The stored minimum or maximum vector point of the side; (0, 0, 0) for no side.
CPoint3D StoredPoint(const CResultData& result, int location, bool isMax)
{
    const int side = ResultSide(result, location);
    if (side < 0)
        return CPoint3D();
    CPoint3D min;
    CPoint3D max;
    StoredVectors(result, side, min, max);
    return isMax ? OrZero(max, kRangeUnsetMax) : OrZero(min, kRangeUnsetMin);
}

class RangeAccumulator
{
public:
    void Add(double value)
    {
        m_min = std::min(m_min, value);
        m_max = std::max(m_max, value);
        m_isEmpty = false;
    }
    CValueRange Get() const { return m_isEmpty ? CValueRange{} : CValueRange{m_min, m_max}; }

private:
    double m_min = kRangeUnsetMin;
    double m_max = kRangeUnsetMax;
    bool m_isEmpty = true;
};

void AddValue(const CResultData& result, int kind, bool isElement, int id, RangeAccumulator& range)
{
    if (kind == kKindVector || kind == kKindScalar)
    {
        double value = 0.0;
        const bool hasValue =
            isElement ? result.GetElementValue(id, &value) : result.GetNodeValue(id, &value);
        if (hasValue)
            range.Add(value);
        return;
    }
    CPoint3D vector;
    const bool hasVector =
        isElement ? result.GetElementVector(id, &vector) : result.GetNodeVector(id, &vector);
    if (hasVector)
        range.Add(Axis(vector, kind));
}
} // namespace

int ResultSide(const CResultData& result, int location)
{
    if (location == kLocationNode || location == kLocationElement)
        return location;
    if (location != kLocationAsResult)
        return -1;
    const int bits = result.GetLocation();
    return bits == CResultData::kFlagAtNodes ? kLocationNode : bits == 0 ? kLocationElement : -1;
}

CValueRange GetStoredResultRange(const CResultData& result, int kind, int location)
{
    const int side = ResultSide(result, location);
    if (side < 0)
        return CValueRange{};
    const int k = KindOf(kind);
    if (k == kKindVector || k == kKindScalar)
    {
        double min = 0.0;
        double max = 0.0;
        StoredScalars(result, side, min, max);
        return CValueRange{OrZero(min, kRangeUnsetMin), OrZero(max, kRangeUnsetMax)};
    }
    if (k < kKindX || k > kKindZ)
        return CValueRange{};
    const CPoint3D min = GetStoredMinPoint(result, location);
    const CPoint3D max = GetStoredMaxPoint(result, location);
    return CValueRange{Axis(min, k), Axis(max, k)};
}

CPoint3D GetStoredMinPoint(const CResultData& result, int location)
{
    return StoredPoint(result, location, false);
}

CPoint3D GetStoredMaxPoint(const CResultData& result, int location)
{
    return StoredPoint(result, location, true);
}

void SetStoredMinPoint(CResultData& result, const CPoint3D& point, int location)
{
    const int side = ResultSide(result, location);
    if (side >= 0)
        (ReadsSavedRange(result, side, true) ? result.m_savedMinVector : result.m_minVector) =
            point;
}

void SetStoredMaxPoint(CResultData& result, const CPoint3D& point, int location)
{
    const int side = ResultSide(result, location);
    if (side >= 0)
        (ReadsSavedRange(result, side, true) ? result.m_savedMaxVector : result.m_maxVector) =
            point;
}

CValueRange ComputeRangeOverElements(const CResultData& result, int kind, int location,
                                     const CElementMap& elements, const CVisibilityView& view)
{
    const int side = ResultSide(result, location);
    const int k = KindOf(kind);
    RangeAccumulator range;
    if (side < 0 || k < kKindVector || k > kKindZ)
        return range.Get();
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (!element || view.IsEntityVisible(element) != 1)
            continue;
        if (side == kLocationElement)
        {
            AddValue(result, k, true, element->m_id, range);
            continue;
        }
        for (const int nodeId : element->m_ids)
            AddValue(result, k, false, nodeId, range);
    }
    return range.Get();
}

CBandDefaults ContourBandDefaults(const CResultDisplayAttr& contourDefaults)
{
    CBandDefaults defaults;
    defaults.contourType = contourDefaults.m_nContourType;
    defaults.smooth = contourDefaults.m_nBandType;
    defaults.bands = contourDefaults.m_nBands;
    defaults.reverse = contourDefaults.m_bReverseBand;
    return defaults;
}

CBandDefaults VectorBandDefaults(const CVectorDisplayAttr& vectorDefaults)
{
    CBandDefaults defaults = ContourBandDefaults(vectorDefaults.m_colorBands);
    defaults.bands = vectorDefaults.m_nColorBands;
    return defaults;
}

CResultDisplayAttr PrepareBands(const CResultDisplayAttr& attr, const CValueRange& range,
                                bool keepBandType, bool isVectorPlot,
                                const CBandDefaults& contourDefaults,
                                const CBandDefaults& vectorDefaults)
{
    CResultDisplayAttr bands = attr;
    if (!keepBandType)
    {
        bands.m_nContourType = CResultDisplayAttr::kBands;
        bands.m_nBandType = 0;
    }
    int count = vectorDefaults.bands;
    unsigned char reverse = vectorDefaults.reverse;
    if (!isVectorPlot)
    {
        bands.m_nContourType = contourDefaults.contourType;
        bands.m_nBandType = contourDefaults.smooth;
        count = contourDefaults.bands;
        reverse = contourDefaults.reverse;
    }
    bands.SetRange(range.min, range.max, range.min, range.max, count);
    // Also when it is off: a ramp left reversed by earlier bands would contradict the flag.
    bands.SetReverseBand(reverse == 1);
    return bands;
}
