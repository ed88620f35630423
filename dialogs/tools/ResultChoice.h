// What the result choosers list: the loaded results a set of nodes or elements can show, one
// item per scalar and four per vector (resultant, X, Y, Z), and the load cases of a result.
// Each item keeps its record and component code, so nothing is parsed back from its text.
#pragma once

#include "platform/base/string.h"

#include <vector>

class CModelSet;
class CResultData;

namespace result_choice
{
// Component codes handed on with a chosen result.
constexpr int kScalar = 12;
constexpr int kX = 13;
constexpr int kY = 14;
constexpr int kZ = 15;
constexpr int kResultant = 16;

struct Item
{
    CString text;
    CResultData* record = nullptr; // borrowed from the model
    int component = kScalar;
};

// The component labels, in the order Resultant, X, Y, Z.
struct Labels
{
    CString components[4];
    CString step, mode, loadCase; // by the result's load-case kind
};
// The labels of the "ResultFilter" texts in the current language.
Labels LoadLabels();

// Loaded results in packed-id order, each name once: for nodes those stored at nodes or at
// element nodes, or converted to the nodes; for elements all but those stored at nodes.
std::vector<Item> ListResults(const CModelSet& model, bool nodal, const Labels& labels);

// The label of a result's load cases ("Step", "Mode" or "Case"), empty for none.
CString LoadCaseLabel(const CResultData& result, const Labels& labels);

// The loaded load cases of the chosen item's result, "<label><n>", with the item's component.
std::vector<Item> ListLoadCases(const CModelSet& model, const Item& chosen, const Labels& labels);

// The item of a result a view shows: selector 1..4 picks resultant, X, Y or Z of a vector
// (bit 8 ignored), anything else the scalar; a load case past the first of a result with
// more than two entries is named in front. False when the catalogue lacks the result.
bool ShownResultItem(const CModelSet& model, UINT resultId, int selector, const Labels& labels,
                     Item* out);
} // namespace result_choice
