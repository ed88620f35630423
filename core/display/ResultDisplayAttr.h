// Contour display settings of one result: data and user range, band count and type, the band
// levels and one colour per band, and the algorithm that derives levels and colours.
#pragma once

#include "core/display/DisplayObject.h"
#include "core/geometry/ColorRGBA.h"

class CResultDisplayAttr : public CDisplayObject
{
public:
    static constexpr int kMaxLevels = 120;
    static constexpr int kRampSize = 7;
    // A user range may add a band below and one above; both fit with the levels' terminator.
    static constexpr int kMaxBands = kMaxLevels - 3;

    enum ContourType
    {
        kBands = 100,
        kLines = 101,
        kIsoSurface = 102
    };
    enum BandKind // where FindBand found a value
    {
        kOnUpperLevel = 1,
        kInside = 2,
        kOnLowerLevel = 3
    };

    CResultDisplayAttr();
    CResultDisplayAttr(const CResultDisplayAttr& other);
    CResultDisplayAttr& operator=(const CResultDisplayAttr& other);
    ~CResultDisplayAttr() override = default;

    // Band counts are clamped to 1..kMaxBands.
    void SetRange(double dataMin, double dataMax, double viewMin, double viewMax, int bands);
    void SetOutOfRangeColor(CColorRGBA color);
    void SetReverseBand(bool reverse);
    // Recolours the bands from the ramp; the levels stay.
    void RecomputeBandColors();
    // Band of a value and whether it lies inside or on a level; band = m_nTotalBands when none.
    void FindBand(double value, int& kind, int& band) const;
    void GetRampColor(double t, CColorRGBA& color) const;

    double m_dataMin = 0.0;
    double m_dataMax = 1.0;
    int m_nTotalBands = 10; // includes the out-of-range bands
    double m_viewMin = 0.0;
    double m_viewMax = 1.0;
    int m_nContourType = kBands;
    int m_nDisplayType = 103;
    unsigned char m_nBandType = 2; // 2 smooth contours, 0 not smooth
    int m_nRampColors = 6;
    CColorRGBA m_rampColors[kRampSize];
    int m_nBands = 10; // bands inside the user range
    double m_levels[kMaxLevels] = {};
    unsigned char m_bLowBand = 0;
    unsigned char m_bHighBand = 0;
    CColorRGBA m_bandColors[kMaxLevels];
    int m_nResultCategory = 2; // 2 nodal, 0 elemental
    int m_nOutline = -1;       // 0: facet drawings add a white outline
    CColorRGBA m_outOfRangeColor;
    unsigned char m_bReverseBand = 0;

private:
    void LoadRamp();
    void ColourBands();
};
