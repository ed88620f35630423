// Colour records.
#include "core/model/ColorRecords.h"

#include <cstdlib>

int RandomRecordColor()
{
    // Three separate statements: the call order decides which channel gets which number.
    const int blue = std::rand() & 255;
    const int green = std::rand() & 255;
    const int red = std::rand() & 255;
    return blue << 16 | green << 8 | red;
}

CPropertyColor::CPropertyColor()
    : color(RandomRecordColor())
{
}

CMaterialColor::CMaterialColor()
    : color(RandomRecordColor())
{
}
