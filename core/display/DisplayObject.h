// Roots of the drawables and of the value records that the project keeps and the renderer
// draws with: display attributes, view volumes, clip planes, segments.
#pragma once

class CDrawObject
{
public:
    CDrawObject() = default;
    CDrawObject(const CDrawObject&) = default;
    CDrawObject& operator=(const CDrawObject&) = default;
    virtual ~CDrawObject() = default;
};

// Root of the value records.
class CDisplayObject : public CDrawObject
{
public:
    CDisplayObject() = default;
    CDisplayObject(const CDisplayObject&) = default;
    CDisplayObject& operator=(const CDisplayObject&) = default;
    ~CDisplayObject() override = default;
};
