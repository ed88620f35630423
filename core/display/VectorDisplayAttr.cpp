// Vector-arrow display settings.
#include "core/display/VectorDisplayAttr.h"

CVectorDisplayAttr::CVectorDisplayAttr()
    : m_sameColor(0.0f, 1.0f, 0.0f, 0.0f) // RGB(0, 255, 0)
{
}
