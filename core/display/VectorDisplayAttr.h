// Vector-arrow display settings of one result, with the colour bands of the arrows.
#pragma once

#include "core/display/DisplayObject.h"
#include "core/display/ResultDisplayAttr.h"
#include "core/geometry/ColorRGBA.h"

#include <cstdint>

class CVectorDisplayAttr : public CDisplayObject
{
public:
    CVectorDisplayAttr();
    CVectorDisplayAttr(const CVectorDisplayAttr& other) = default;
    CVectorDisplayAttr& operator=(const CVectorDisplayAttr& other) = default;
    ~CVectorDisplayAttr() override = default;

    void SetConstantLength(bool constant) { m_bConstantLength = constant ? 1 : 0; }
    bool IsConstantLength() const { return m_bConstantLength != 0; }
    void SetScaleFactor(double factor) { m_scaleFactor = factor; }
    double GetScaleFactor() const { return m_scaleFactor; }
    void SetThickness(int16_t thickness) { m_nThickness = thickness; }
    int16_t GetThickness() const { return m_nThickness; }
    void SetSameColor(bool same) { m_bSameColor = same ? 1 : 0; }
    bool IsSameColor() const { return m_bSameColor != 0; }
    void SetColor(CColorRGBA color) { m_sameColor = color; }
    CColorRGBA GetColor() const { return m_sameColor; }
    void SetPosition(int16_t position) { m_nPosition = position; }
    int16_t GetPosition() const { return m_nPosition; }
    void SetArrowHeadSize(int16_t size) { m_nArrowHeadSize = size; }
    int16_t GetArrowHeadSize() const { return m_nArrowHeadSize; }
    void SetArrowHeadPercLen(double fraction) { m_arrowHeadPercLen = fraction; }
    double GetArrowHeadPercLen() const { return m_arrowHeadPercLen; }
    void SetArrowHeadConst(double length) { m_arrowHeadConst = length; }
    double GetArrowHeadConst() const { return m_arrowHeadConst; }
    void SetArrowHeadType(int16_t type) { m_nArrowHeadType = type; }
    int16_t GetArrowHeadType() const { return m_nArrowHeadType; }
    void SetResultID(int id) { m_nResultID = id; }
    int GetResultID() const { return m_nResultID; }
    void SetLength(double length) { m_length = length; }
    double GetLength() const { return m_length; }
    void SetNoOfBands(int bands) { m_nColorBands = bands; }
    int GetNoOfBands() const { return m_nColorBands; }
    void SetLengthPercent(double percent) { m_lengthPercent = percent; }
    double GetLengthPercent() const { return m_lengthPercent; }

    CResultDisplayAttr m_colorBands;
    double m_minMagnitude = 0.0;
    double m_maxMagnitude = 1.0; // lengths that follow the magnitude are divided by it
    unsigned char m_bConstantLength = 1;
    double m_scaleFactor = 1.0;
    int16_t m_nThickness = 1; // line width: 1 thin, 2 normal, 5 thick
    unsigned char m_bSameColor = 0;
    CColorRGBA m_sameColor;
    int m_nColorBands = 10;
    int16_t m_nPosition = 1;      // 1 centred, 2 starting at the centre, 3 ending there
    double m_length = 1.0;        // model units
    int16_t m_nArrowHeadSize = 1; // 1 constant head, 2 fraction of the arrow
    double m_arrowHeadPercLen = 0.25;
    double m_arrowHeadConst = 0.25;
    int16_t m_nArrowHeadType = 1; // 1 slim, 2 normal, 3 large
    int m_nResultID = -1;
    double m_lengthPercent = 2.0; // of the model extent
};
