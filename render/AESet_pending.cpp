// Renderer: the selection highlight comes with the selection; until then it draws nothing.
#include "render/AESet.h"

void CAESet::DrawSelection()
{
}
