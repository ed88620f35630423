// Value ranges of a shown result: the range a result stores for a component on its nodal or
// elemental side, and the range over the elements a view shows.
#pragma once

#include "core/geometry/Point3D.h"
#include "core/model/GroupSet.h"

class CResultData;
class CVisibilityView;

// Where the values of a shown result live: the view's result category.
enum ResultLocation : int
{
    kLocationAsResult = -1, // as the result's own location bits say
    kLocationElement = 0,   // "Elemental"
    kLocationNode = 2       // "Nodal": averaged at the nodes
};

// Result kinds of a view: the component shown (the element-block bit 8 masked off).
enum ResultKind : int
{
    kKindVector = 0,
    kKindScalar = 1,
    kKindX = 2,
    kKindY = 3,
    kKindZ = 4,
    kKindElementBlock = 8
};

struct CValueRange
{
    double min = 0.0;
    double max = 0.0;
};

// The side of the result a location reads: kLocationNode, kLocationElement or -1 for neither.
int ResultSide(const CResultData& result, int location);

// The stored range of the component: the scalar range for kinds 0 and 1, the x, y or z of the
// stored vector extremes for kinds 2 to 4. A side never widened, or another location, gives
// 0.0; the result itself is not changed.
CValueRange GetStoredResultRange(const CResultData& result, int kind, int location);
// The stored vector extremes of the side; (0, 0, 0) for another location.
CPoint3D GetStoredMinPoint(const CResultData& result, int location);
CPoint3D GetStoredMaxPoint(const CResultData& result, int location);
void SetStoredMinPoint(CResultData& result, const CPoint3D& point, int location);
void SetStoredMaxPoint(CResultData& result, const CPoint3D& point, int location);

// The range of the component over the elements the view shows: each element's own value, or
// the values of its nodes, whichever side the location reads. Elements and nodes without a
// value are left out; nothing shown gives 0.0 to 0.0.
CValueRange ComputeRangeOverElements(const CResultData& result, int kind, int location,
                                     const CElementMap& elements, const CVisibilityView& view);

class CResultDisplayAttr;
class CVectorDisplayAttr;

// The band settings a view takes from the project's defaults.
struct CBandDefaults
{
    int contourType = 100;    // 100 bands, 101 lines, 102 iso-surface
    unsigned char smooth = 2; // the band type: 2 smooth, 0 flat
    int bands = 10;
    unsigned char reverse = 0;
};

// The contour defaults of the project as band settings.
CBandDefaults ContourBandDefaults(const CResultDisplayAttr& contourDefaults);
// Band count and reverse flag of the vector defaults (the rest as the contour's).
CBandDefaults VectorBandDefaults(const CVectorDisplayAttr& vectorDefaults);

// The bands of a result over the range: attr with the band settings of the defaults and levels
// and colours from the range. keepBandType 0 first resets attr to flat bands, which only the
// vector plot's bands keep.
CResultDisplayAttr PrepareBands(const CResultDisplayAttr& attr, const CValueRange& range,
                                bool keepBandType, bool isVectorPlot,
                                const CBandDefaults& contourDefaults,
                                const CBandDefaults& vectorDefaults);
