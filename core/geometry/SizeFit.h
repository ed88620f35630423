// Fitting a width and height into a target size with the aspect ratio kept.
#pragma once

#include "platform/base/geometry.h"

// Full target height unless the width would then exceed the target's, in which case full target
// width. A source without area gives (0, 0).
void FitAspectSize(const CSize& source, const CSize& target, CSize& out);
