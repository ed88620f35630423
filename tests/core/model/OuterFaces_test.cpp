#include "core/model/OuterFaces.h"

#include "ModelFixtures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The threaded extraction against a plain one written from the rules: faces met an odd number
// of times are outer (the last meeting keeps the flag); edges of outer faces are stored when
// first met and removed when met again between faces at less than 30 degrees; edges the
// caller's map holds count as met once before every face.
namespace
{
struct Flags
{
    std::array<uint8_t, CFEElement::kMaxFaceFlags> outer{};
    uint8_t hasOuter = 0;

    bool operator==(const Flags& other) const
    {
        return outer == other.outer && hasOuter == other.hasOuter;
    }
};

// What no extraction writes: elements the view hides must keep it.
constexpr uint8_t kUntouched = 9;

Flags UntouchedFlags()
{
    Flags flags;
    flags.outer.fill(kUntouched);
    flags.hasOuter = kUntouched;
    return flags;
}

Flags FlagsOf(const CFEElement& element)
{
    Flags flags;
    std::copy(element.m_outerFace, element.m_outerFace + CFEElement::kMaxFaceFlags,
              flags.outer.begin());
    flags.hasOuter = element.m_hasOuterFace;
    return flags;
}

using EdgeTable = std::map<ULONGLONG, ULONGLONG>;

struct Extraction
{
    std::map<int, Flags> flags; // by element id
    EdgeTable edges;
};

bool IsSmooth(const CPoint3D& a, const CPoint3D& b)
{
    const double lengthA = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const double lengthB = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    if (lengthA == 0.0 || lengthB == 0.0)
        return false;
    const double cosine = (a.x * b.x + a.y * b.y + a.z * b.z) / (lengthA * lengthB);
    if (std::isnan(cosine))
        return true;
    return std::acos(std::clamp(cosine, -1.0, 1.0)) < 0.5236;
}

Extraction ExtractPlainly(const CElementMap& elements, const CVisibilityView& view,
                          const EdgeTable& held)
{
    Extraction result;
    std::vector<CFEElement*> visited;
    std::vector<int> shown;
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        const int value = element ? view.IsEntityVisible(element) : 0;
        if (element != nullptr)
            result.flags[element->m_id] = UntouchedFlags();
        if (value == 0)
            continue;
        visited.push_back(element);
        shown.push_back(value);
        result.flags[element->m_id] = Flags();
    }
    std::map<std::vector<int>, std::vector<std::pair<CFEElement*, int>>> meetings;
    for (CFEElement* element : visited)
    {
        for (int i = 0; i < std::min<int>(element->m_faces.GetSize(), 8); ++i)
        {
            const CFEFace& face = element->m_faces[i];
            std::vector<int> key(face.m_ids.begin(), face.m_ids.end());
            std::sort(key.begin(), key.end());
            meetings[key].emplace_back(element, i);
        }
    }
    for (const auto& [key, met] : meetings)
    {
        if (met.size() % 2 == 1)
            result.flags[met.back().first->m_id].outer[met.back().second] = 1;
    }

    struct Stored
    {
        ULONGLONG value;
        const CFEElement* element; // null: held by the caller, found by the value's id
    };
    std::map<ULONGLONG, Stored> edges;
    for (const auto& [key, value] : held)
        edges[key] = Stored{value, nullptr};
    for (size_t k = 0; k < visited.size(); ++k)
    {
        const CFEElement& element = *visited[k];
        Flags& flags = result.flags[element.m_id];
        if (shown[k] != 1)
        {
            flags.outer.fill(0);
            continue;
        }
        for (int i = 0; i < std::min<int>(element.m_faces.GetSize(), 8); ++i)
        {
            if (!flags.outer[i])
                continue;
            flags.hasOuter = 1;
            const CFEFace& face = element.m_faces[i];
            const int count = static_cast<int>(face.m_ids.GetSize());
            if (count != 3 && count != 4 && count != 6 && count != 8)
                continue;
            const int step = count >= 6 ? 2 : 1;
            for (int j = 0; j < count; j += step)
            {
                const ULONGLONG key =
                    MakeEdgeKey(face.m_ids[j], face.m_ids[(j + step) % count]).value;
                const auto found = edges.find(key);
                if (found == edges.end())
                {
                    const UINT position = static_cast<UINT>(step == 2 ? j + 1 : j);
                    edges[key] =
                        Stored{MakeEdgeValue(element.m_id, face.m_faceIndex, position), &element};
                    continue;
                }
                const CFEElement* other = found->second.element;
                CFEElement* named = nullptr;
                if (other == nullptr &&
                    elements.Lookup(EdgeValueElementId(found->second.value), named))
                    other = named;
                const int otherFace = static_cast<int>(EdgeValueFaceIndex(found->second.value));
                if (other != nullptr && otherFace < other->m_faces.GetSize() &&
                    IsSmooth(face.m_normal, other->m_faces[otherFace].m_normal))
                {
                    edges.erase(found);
                }
            }
        }
    }
    for (const auto& [key, stored] : edges)
        result.edges[key] = stored.value;
    return result;
}

// Runs one extraction from a known start: every flag untouched, the caller's map as given.
Extraction Extract(const CElementMap& elements, const EdgeTable& held,
                   const std::function<void(CEdgeMap&)>& extract)
{
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        std::fill(element->m_outerFace, element->m_outerFace + CFEElement::kMaxFaceFlags,
                  kUntouched);
        element->m_hasOuterFace = kUntouched;
    }
    CEdgeMap edgeMap;
    for (const auto& [key, value] : held)
        edgeMap.SetAt(CEdgeKey{key}, value);
    extract(edgeMap);
    Extraction result;
    for (const auto& [id, element] : fw::Assocs(elements))
        result.flags[element->m_id] = FlagsOf(*element);
    for (const auto& [key, value] : fw::Assocs(edgeMap))
        result.edges[key.value] = value;
    return result;
}

// Hides every fifth element and shows every seventh without walking its edges (the filter's
// value 2).
class PatternView : public CVisibilityView
{
public:
    int IsEntityVisible(const CFEElement* element) const override
    {
        if (element == nullptr || element->m_id % 5 == 0)
            return 0;
        return element->m_id % 7 == 0 ? 2 : 1;
    }
    bool HasVisibleElement(const CFENode*) const override { return true; }
};

// A plate of quads in the x-y plane, folded up along every sixth column of nodes; node ids
// start at nodeBase + 1, element ids at elementBase + 1. Returns the node id function.
std::function<int(int, int)> AddFoldedPlate(CModelSet& model, int columns, int rows, int nodeBase,
                                            int elementBase)
{
    auto node = [=](int i, int j) { return nodeBase + j * (columns + 1) + i + 1; };
    for (int j = 0; j <= rows; ++j)
    {
        for (int i = 0; i <= columns; ++i)
            AddTestNode(model, node(i, j), i, j, i % 6 == 0 ? 0.6 : 0.0);
    }
    int id = elementBase;
    for (int j = 0; j < rows; ++j)
    {
        for (int i = 0; i < columns; ++i)
            AddQuad(model, ++id, node(i, j), node(i + 1, j), node(i + 1, j + 1), node(i, j + 1));
    }
    return node;
}

// Fins standing on the plate along its row of nodes j: each fin edge on the plate is met by
// two plate quads and the fin (three times).
void AddFins(CModelSet& model, const std::function<int(int, int)>& plateNode, int columns, int j,
             int nodeBase, int elementBase)
{
    for (int i = 0; i <= columns; ++i)
    {
        const CFENode* base = model.GetNode(plateNode(i, j));
        AddTestNode(model, nodeBase + i + 1, base->m_coord.x, base->m_coord.y, 1.0);
    }
    for (int i = 0; i < columns; ++i)
    {
        AddQuad(model, elementBase + i + 1, plateNode(i, j), plateNode(i + 1, j), nodeBase + i + 2,
                nodeBase + i + 1);
    }
}

// A block of bricks; node ids from nodeBase + 1, element ids from elementBase + 1.
void AddBlock(CModelSet& model, int nx, int ny, int nz, int nodeBase, int elementBase)
{
    auto node = [=](int i, int j, int k)
    { return nodeBase + (k * (ny + 1) + j) * (nx + 1) + i + 1; };
    for (int k = 0; k <= nz; ++k)
    {
        for (int j = 0; j <= ny; ++j)
        {
            for (int i = 0; i <= nx; ++i)
                AddTestNode(model, node(i, j, k), i, j, k);
        }
    }
    int id = elementBase;
    for (int k = 0; k < nz; ++k)
    {
        for (int j = 0; j < ny; ++j)
        {
            for (int i = 0; i < nx; ++i)
            {
                AddBrick(model, ++id,
                         {node(i, j, k), node(i + 1, j, k), node(i + 1, j + 1, k),
                          node(i, j + 1, k), node(i, j, k + 1), node(i + 1, j, k + 1),
                          node(i + 1, j + 1, k + 1), node(i, j + 1, k + 1)});
            }
        }
    }
}

struct Fixture
{
    CModelSet model;
    CElementMap elements; // what is extracted: shells, solids or both
    std::unique_ptr<CVisibilityView> view = std::make_unique<ShowAllView>();
    EdgeTable held;
};

struct ModelCase
{
    const char* name;
    std::function<void(Fixture&)> build;
};

void TakeAll(Fixture& f)
{
    f.model.BuildElementFaces();
    f.model.GetDefaultGroup()->CollectElements(f.elements);
}

const ModelCase kModels[] = {
    {"folded plate with fins",
     [](Fixture& f)
     {
         const auto node = AddFoldedPlate(f.model, 24, 18, 0, 0);
         AddFins(f.model, node, 24, 9, 10000, 10000);
         TakeAll(f);
     }},
    {"solid block",
     [](Fixture& f)
     {
         AddBlock(f.model, 6, 5, 4, 0, 0);
         TakeAll(f);
     }},
    {"shells on and beside solids",
     [](Fixture& f)
     {
         // The skin on the block's top shares its faces with the bricks: both cancel.
         AddBlock(f.model, 4, 4, 3, 0, 0);
         auto top = [](int i, int j) { return (3 * 5 + j) * 5 + i + 1; };
         int id = 1000;
         for (int j = 0; j < 4; ++j)
         {
             for (int i = 0; i < 4; ++i)
                 AddQuad(f.model, ++id, top(i, j), top(i + 1, j), top(i + 1, j + 1), top(i, j + 1));
         }
         AddFoldedPlate(f.model, 7, 5, 5000, 2000);
         TakeAll(f);
     }},
    {"hidden elements and elements shown without edges",
     [](Fixture& f)
     {
         const auto node = AddFoldedPlate(f.model, 20, 15, 0, 0);
         AddFins(f.model, node, 20, 7, 10000, 10000);
         AddBlock(f.model, 4, 3, 3, 20000, 20000);
         f.view = std::make_unique<PatternView>();
         TakeAll(f);
     }},
    {"a face met three times and a brick face met twice by shells",
     [](Fixture& f)
     {
         AddBlock(f.model, 2, 1, 1, 0, 0);
         // Three quads on one set of free nodes, in different orders; two on the second
         // brick's bottom.
         AddTestNode(f.model, 51, 5, 0, 0);
         AddTestNode(f.model, 52, 6, 0, 0);
         AddTestNode(f.model, 53, 6, 1, 0);
         AddTestNode(f.model, 54, 5, 1, 0);
         AddQuad(f.model, 101, 51, 52, 53, 54);
         AddQuad(f.model, 102, 52, 53, 54, 51);
         AddQuad(f.model, 103, 54, 53, 52, 51);
         AddQuad(f.model, 104, 2, 3, 6, 5);
         AddQuad(f.model, 105, 5, 6, 3, 2);
         TakeAll(f);
     }},
    {"mid-side nodes and triangles",
     [](Fixture& f)
     {
         // Quads of eight nodes on a 2 x 2 plate folded along its middle, and triangles.
         for (int j = 0; j <= 4; ++j)
         {
             for (int i = 0; i <= 4; ++i)
                 AddTestNode(f.model, j * 5 + i + 1, i * 0.5, j * 0.5, i == 2 ? 0.5 : 0.0);
         }
         auto n = [](int i, int j) { return j * 5 + i + 1; };
         int id = 0;
         for (int j = 0; j < 4; j += 2)
         {
             for (int i = 0; i < 4; i += 2)
             {
                 AddTestElement(f.model, ++id, kTagShell, 95,
                                {n(i, j), n(i + 1, j), n(i + 2, j), n(i + 2, j + 1),
                                 n(i + 2, j + 2), n(i + 1, j + 2), n(i, j + 2), n(i, j + 1)});
             }
         }
         AddTestNode(f.model, 100, -1, 0, 0);
         AddTestNode(f.model, 101, -1, 2, 1);
         AddTestElement(f.model, ++id, kTagShell, 91, {n(0, 0), 100, n(0, 4)});
         AddTestElement(f.model, ++id, kTagShell, 91, {100, 101, n(0, 4)});
         TakeAll(f);
     }},
    {"empty model", [](Fixture& f) { TakeAll(f); }},
    {"the caller's map holds edges",
     [](Fixture& f)
     {
         const auto node = AddFoldedPlate(f.model, 12, 10, 0, 0);
         TakeAll(f);
         // Met again between coplanar faces, met again at a fold, never met, naming an
         // element that is not extracted, naming a face the element lacks.
         f.held[MakeEdgeKey(node(2, 3), node(3, 3)).value] = MakeEdgeValue(3, 0, 0);
         f.held[MakeEdgeKey(node(6, 3), node(6, 4)).value] = MakeEdgeValue(2, 0, 1);
         f.held[MakeEdgeKey(900001, 900002).value] = MakeEdgeValue(3, 0, 2);
         f.held[MakeEdgeKey(node(8, 5), node(9, 5)).value] = MakeEdgeValue(777777, 0, 0);
         f.held[MakeEdgeKey(node(3, 7), node(4, 7)).value] = MakeEdgeValue(5, 6, 0);
     }},
    {"a plate larger than a block of the walk, with fins and hidden elements",
     [](Fixture& f)
     {
         const auto node = AddFoldedPlate(f.model, 300, 230, 0, 0);
         AddFins(f.model, node, 300, 100, 1000000, 1000000);
         AddFins(f.model, node, 300, 200, 2000000, 2000000);
         f.view = std::make_unique<PatternView>();
         TakeAll(f);
     }},
};

void ExpectSame(const Extraction& expected, const Extraction& actual)
{
    EXPECT_EQ(expected.edges.size(), actual.edges.size());
    EXPECT_TRUE(expected.edges == actual.edges);
    int differing = 0;
    for (const auto& [id, flags] : expected.flags)
    {
        const auto found = actual.flags.find(id);
        if (found == actual.flags.end() || !(found->second == flags))
        {
            if (++differing <= 3)
                ADD_FAILURE() << "element " << id << " has other flags";
        }
    }
    EXPECT_EQ(0, differing);
}
} // namespace

TEST(OuterFaces, EveryThreadCountGivesThePlainResult)
{
    for (const ModelCase& c : kModels)
    {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.build(f);
        const Extraction expected = ExtractPlainly(f.elements, *f.view, f.held);
        ASSERT_EQ(static_cast<size_t>(f.elements.GetCount()), expected.flags.size());
        for (int threads : {1, 2, 3, 4})
        {
            SCOPED_TRACE(threads);
            ExpectSame(expected, Extract(f.elements, f.held,
                                         [&](CEdgeMap& edges) {
                                             ExtractOuterFacesOnThreads(edges, f.elements, *f.view,
                                                                        threads);
                                         }));
        }
        // As the renderer calls it: the thread count follows the model's size.
        ExpectSame(expected, Extract(f.elements, f.held,
                                     [&](CEdgeMap& edges)
                                     {
                                         CGroupSet::ExtractOuterFaces(
                                             edges, static_cast<int>(f.elements.GetCount()),
                                             f.elements, f.view.get());
                                     }));
    }
}

// The plain extraction itself, on counts worked by hand.
TEST(OuterFaces, ThePlainExtractionCountsByHand)
{
    Fixture plate;
    AddFoldedPlate(plate.model, 24, 18, 0, 0);
    TakeAll(plate);
    const Extraction folded = ExtractPlainly(plate.elements, *plate.view, plate.held);
    int outer = 0;
    for (const auto& [id, flags] : folded.flags)
        outer += flags.outer[0] + flags.hasOuter;
    EXPECT_EQ(2 * 24 * 18, outer);
    // The rim (84) and 11 columns of 18 ridges beside and on the folds: the rises tilt by 31
    // degrees.
    EXPECT_EQ(84u + 11 * 18, folded.edges.size());

    Fixture three;
    kModels[4].build(three);
    const Extraction met = ExtractPlainly(three.elements, *three.view, three.held);
    const auto outerOf = [&](int id, int face) { return met.flags.at(id).outer[face]; };
    EXPECT_EQ(1, outerOf(101, 0) + outerOf(102, 0) + outerOf(103, 0));
    // The second brick's bottom is its first face.
    EXPECT_EQ(1, outerOf(2, 0) + outerOf(104, 0) + outerOf(105, 0));
    EXPECT_EQ(0, outerOf(1, 4) + outerOf(2, 5)); // the face the bricks share
}
