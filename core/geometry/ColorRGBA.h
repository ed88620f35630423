// Colour of four floats in 0..1, as OpenGL takes it.
#pragma once

#include "core/geometry/GeomObject.h"

class CColorRGBA : public CGeomObject
{
public:
    CColorRGBA() = default;
    CColorRGBA(float red, float green, float blue, float alpha)
        : r(red)
        , g(green)
        , b(blue)
        , a(alpha)
    {
    }
    CColorRGBA(const CColorRGBA&) = default;
    // Copies the components only: the tag stays the target's.
    CColorRGBA& operator=(const CColorRGBA& other)
    {
        r = other.r;
        g = other.g;
        b = other.b;
        a = other.a;
        return *this;
    }
    ~CColorRGBA() override = default;

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};
