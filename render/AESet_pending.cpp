// Renderer: the result lists, the result values, the clip plane and the selection highlight
// come with the result display and the selection; until then they build and draw nothing.
#include "render/AESet.h"

void CAESet::CreateDisplayListForContourResult()
{
}

void CAESet::CreateVectorResultLists()
{
}

void CAESet::DrawClipPlane()
{
}

void CAESet::DrawContoursOnPlane()
{
}

double CAESet::GetAnimatedValue(double value)
{
    return value;
}

void CAESet::DrawSelection()
{
}
