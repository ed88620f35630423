// The value of a result at one node or one element, as the result list, the result sheet, the
// graphs and the contour by node show it: one rule for all of them, whatever the picks and
// wherever the result keeps its values.
#pragma once

class CFENode;
class CModelSet;
class CResultData;

// Component codes the result tools hand on with each chosen result.
constexpr int kComponentScalar = 12;
constexpr int kComponentX = 13;
constexpr int kComponentY = 14;
constexpr int kComponentZ = 15;
constexpr int kComponentResultant = 16;

// The scalar (codes 12 and 16) or one vector component (13 to 15) of the result at node or
// element id; 0.0 where the result holds no value for it. A node reads the node tables,
// which hold an element result's node means; an element reads the element tables. A result
// kept at element corners gives an element the mean of its corners and a node its
// NodeCornerMean.
double ResultValueAt(const CModelSet& model, const CResultData& result, int id, bool atNode,
                     int component);

// The mean of a corner-kept result at a node: the scalar or one vector component (codes as
// above) at the node's corner, over the elements that use the node and hold a value there.
// Elements without one do not count, as in the node means of element results: a solid's
// stress is not thinned by shells beside it. False when no element holds a value at the node.
bool NodeCornerMean(const CFENode& node, const CResultData& result, int component, double* mean);
