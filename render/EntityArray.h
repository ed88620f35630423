// Lists of model entities (nodes and elements, never owned) that picking and the area and
// polygon selection hand over, and the view's set of picked entities with their pick batches.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/coll_map.h"

class CModelEntity;

using CEntityArray = CArray<CModelEntity*>;
// Picked entity -> number of the pick batch that added it.
using CPickedEntityMap = CMap<CModelEntity*, CModelEntity*, int, int>;
