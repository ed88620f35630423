// Display colours of the model's properties and materials. A new record gets a random colour,
// so that neighbouring properties tell apart before the user picks colours.
#pragma once

#include "core/geometry/GeomObject.h"

class CPropertyColor : public CNamedObject
{
public:
    CPropertyColor();
    ~CPropertyColor() override = default;

    int color; // 0x00BBGGRR
};

class CMaterialColor : public CNamedObject
{
public:
    CMaterialColor();
    ~CMaterialColor() override = default;

    int color; // 0x00BBGGRR
};

// Three rand() calls masked to 0..255, going to bits 16-23, 8-15 and 0-7 in that order.
int RandomRecordColor();
