// What a distance graph plots of one result over picked nodes or elements: the X value of each
// entity (its id, one coordinate of its point or its distance from the first pick) and the
// entity's value of the result, ordered along X.
#pragma once

#include "core/geometry/Point3D.h"
#include "core/model/ResultValue.h"
#include "platform/base/string.h"

#include <vector>

class CGraphView;
class CModelEntity;
class CModelSet;
class CResultData;

// The X scales, in the order of the dialog's combo box.
enum DistanceScale
{
    kScaleEntityId = 0,
    kScaleXPoint = 1,
    kScaleYPoint = 2,
    kScaleZPoint = 3,
    kScaleDistance = 4,
};

struct DistanceSeries
{
    bool isLabelled = false;      // X labels of the ids (the id scale), else numeric X
    std::vector<CString> xLabels; // "%d" of each id, for the id scale
    std::vector<double> x;        // for the other scales
    std::vector<double> y;
};

// A node's coordinate, an element's reference point.
CPoint3D DistancePoint(const CModelEntity& entity);

// The entity's value of the result as the result list shows it (ResultValueAt): a node's
// value for a node, an element's for an element.
double DistanceValue(const CModelSet& model, const CResultData& result, int component,
                     const CModelEntity& entity);

// The points of one result over the picks of the model, sorted along X; ties keep the
// picking order.
DistanceSeries MakeDistanceSeries(const CModelSet& model,
                                  const std::vector<const CModelEntity*>& picks,
                                  const CResultData& result, int component, int scale);

// Adds the series to the graph under name; an empty series adds nothing.
void AddDistanceSeries(CGraphView& view, const DistanceSeries& series, const CString& name);
