// The values of a result list: picked nodes or elements sorted by id, one series per chosen
// result (a scalar, the magnitude or one component of a vector) read from the result's tables.
#pragma once

#include "platform/base/string.h"
#include "render/EntityArray.h"

#include <vector>

class CModelSet;
class CResultData;
struct CResultListRecord;

struct CChosenResult
{
    const CResultData* result = nullptr; // borrowed from the model
    int component = 12;                  // 12 scalar, 16 magnitude, 13 to 15 X to Z
    CString title;
};

// Fills the record's ids (ascending) and series; the nodal flag is the caller's.
void BuildResultList(const CModelSet& model, const CEntityArray& picks, bool nodal,
                     const std::vector<CChosenResult>& chosen, CResultListRecord* record);
