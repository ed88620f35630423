// The vector settings a view gives a vector result it shows: the project's vector defaults,
// the colour bands prepared for the result, an arrow length from the model's size and the
// magnitude range of the result; and their entry in the view's vector plot map.
#pragma once

#include "core/display/VectorDisplayAttr.h"

class CBox3D;
class CVectorPlotEntry;
class CVectorPlotMap;

// The defaults' arrow settings with the bands; the arrow is the defaults' percentage of the
// model's largest extent long. Arrow lengths that follow the magnitude are scaled by the
// largest magnitude given, which is kept at 1 when it is not positive.
CVectorDisplayAttr MakeVectorDisplayAttr(const CResultDisplayAttr& bands,
                                         const CVectorDisplayAttr& defaults, int resultId,
                                         const CBox3D& modelBox, double smallestMagnitude,
                                         double largestMagnitude);

// Files the settings under key: a new entry takes them all; an entry the result had keeps its
// arrow settings and takes the band count, the bands and the magnitude range.
CVectorPlotEntry* InstallVectorPlot(CVectorPlotMap& plots, int key, const CVectorDisplayAttr& attr);
