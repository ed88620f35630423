#include "ModelFixtures.h"
#include "core/model/ModelSet.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr UINT kTypeBits = 5u << kResultTypeShift;

// Files a loaded result at load case `index` of result number 3.
CResultData* AddLoaded(CModelSet& model, UINT index, int loaded = CResultData::kLoaded)
{
    CResultData* result = new CResultData();
    result->m_id = MakeLoadCaseKey(3, kTypeBits, index) | 1; // variant 1 rides along
    result->m_loaded = loaded;
    EXPECT_TRUE(model.AddResult(result));
    return result;
}
} // namespace

TEST(ResultCatalogue, NumbersLoadCasesInOrderOfFirstAppearance)
{
    CModelSet model;
    EXPECT_EQ(1u, model.AddLoadCaseValue(3, kTypeBits, 0.5));
    EXPECT_EQ(2, model.GetLoadCaseCountByKey(3, kTypeBits));
    EXPECT_EQ(2u, model.AddLoadCaseValue(3, kTypeBits, 0.25));
    EXPECT_EQ(1u, model.AddLoadCaseValue(3, kTypeBits, 0.5));
    EXPECT_EQ(3, model.GetLoadCaseCountByKey(3, kTypeBits));
    // Exact comparison: a value one bit away is a new step.
    EXPECT_EQ(3u, model.AddLoadCaseValue(3, kTypeBits, std::nextafter(0.5, 1.0)));
    // Another type bit pattern is another result.
    EXPECT_EQ(1u, model.AddLoadCaseValue(3, 0, 0.25));
    EXPECT_EQ(1u, model.AddLoadCaseValueById(MakeLoadCaseKey(3, kTypeBits, 9), 0.5));

    EXPECT_DOUBLE_EQ(0.25, model.GetLoadCaseValue(3, kTypeBits, 2));
    EXPECT_EQ(4, model.GetLoadCaseCount(MakeLoadCaseKey(3, kTypeBits, 1)));
    EXPECT_EQ(0, model.GetLoadCaseCount(MakeLoadCaseKey(4, kTypeBits, 1)));
}

TEST(ResultCatalogue, NegativeOrMissingStepValueReadsAsZero)
{
    CModelSet model;
    model.AddLoadCaseValue(1, 0, -2.0);
    EXPECT_EQ(0.0, model.GetLoadCaseValue(1, 0, 1));
    EXPECT_EQ(0.0, model.GetLoadCaseValue(1, 0, 7));
}

TEST(ResultCatalogue, FieldsThatDoNotFitAreRefusedNotPackedIntoNeighbours)
{
    struct Case
    {
        UINT number;
        UINT typeBits;
    };
    const Case cases[] = {{1024, 0}, {1, 0x40000000u}, {1, 0x00001000u}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.number);
        CModelSet model;
        CapturingSink sink;
        model.SetOutputSink(&sink);
        EXPECT_EQ(0u, model.AddLoadCaseValue(c.number, c.typeBits, 1.0));
        EXPECT_EQ(1u, sink.lines.size());
        EXPECT_EQ(0, model.GetLoadCaseCounts().GetCount());
    }
}

TEST(ResultCatalogue, LoadCaseIndexStopsAtItsField)
{
    CModelSet model;
    CapturingSink sink;
    model.SetOutputSink(&sink);
    for (int i = 1; i <= 1023; ++i)
        ASSERT_EQ(static_cast<UINT>(i), model.AddLoadCaseValue(2, 0, i));
    EXPECT_EQ(0u, model.AddLoadCaseValue(2, 0, 5000.0));
    EXPECT_EQ(1u, sink.lines.size());
    EXPECT_EQ(7u, model.AddLoadCaseValue(2, 0, 7.0)); // known values still answer
    EXPECT_EQ(1024, model.GetLoadCaseCountByKey(2, 0));
    EXPECT_EQ(0u, model.AddLoadCaseValue(3, 0, 1.0) & ~1u); // other results unaffected
}

TEST(ResultCatalogue, LoadCaseResultIdRefusesIndicesOutsideTheCount)
{
    CModelSet model;
    model.AddLoadCaseValue(3, kTypeBits, 1.0);
    model.AddLoadCaseValue(3, kTypeBits, 2.0);
    const UINT id = MakeLoadCaseKey(3, kTypeBits, 1) | 1;
    UINT out = 77;
    EXPECT_FALSE(model.GetLoadCaseResultId(id, 0, &out));
    EXPECT_FALSE(model.GetLoadCaseResultId(id, 3, &out)); // n equal to the count
    EXPECT_FALSE(model.GetLoadCaseResultId(MakeLoadCaseKey(4, 0, 1), 1, &out));
    EXPECT_EQ(77u, out);
    ASSERT_TRUE(model.GetLoadCaseResultId(id, 2, &out));
    EXPECT_EQ(MakeLoadCaseKey(3, kTypeBits, 2) | 1, out);
}

TEST(ResultCatalogue, SteppingVisitsLoadedCasesAndWraps)
{
    CModelSet model;
    for (double step : {1.0, 2.0, 3.0, 4.0})
        model.AddLoadCaseValue(3, kTypeBits, step);
    AddLoaded(model, 1);
    AddLoaded(model, 2, CResultData::kRequested); // not loaded: skipped
    AddLoaded(model, 3);
    const auto idOf = [](UINT index)
    { return static_cast<int>(MakeLoadCaseKey(3, kTypeBits, index) | 1); };

    EXPECT_EQ(idOf(1), model.GetFirstLoadCase(idOf(2)));
    EXPECT_EQ(idOf(3), model.GetLastLoadCase(idOf(1)));
    EXPECT_EQ(idOf(3), model.GetNextLoadCase(idOf(1)));
    EXPECT_EQ(idOf(1), model.GetNextLoadCase(idOf(3))); // wraps to the first
    EXPECT_EQ(idOf(3), model.GetPrevLoadCase(idOf(1))); // wraps to the last
    EXPECT_EQ(idOf(1), model.GetPrevLoadCase(idOf(3)));

    CModelSet single;
    single.AddLoadCaseValue(3, kTypeBits, 1.0);
    AddLoaded(single, 1);
    EXPECT_EQ(idOf(1), single.GetNextLoadCase(idOf(1)));
    EXPECT_EQ(idOf(1), single.GetPrevLoadCase(idOf(1)));
    EXPECT_EQ(-1, CModelSet().GetFirstLoadCase(idOf(1)));
}

TEST(ResultCatalogue, AveragesOnlyElementsThatCarryAValue)
{
    CModelSet model;
    for (int id = 1; id <= 7; ++id)
        AddTestNode(model, id, id, 0.0, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 3, 4, 5, 6);
    AddTestElement(model, 3, kTagBeam, 21, {4, 7}); // no value
    model.BuildElementFaces();

    CResultData* result = AddLoaded(model, 1);
    result->SetElementValue(1, 1.0);
    result->SetElementValue(2, 3.0);
    result->SetElementVector(1, CPoint3D(1.0, 0.0, 0.0));
    result->SetElementVector(2, CPoint3D(3.0, 2.0, 0.0));
    result->m_flags = CResultData::kFlagVector;
    result->SetNodeValue(7, 42.0); // node 7: only the beam, which has no value

    model.UpdateLoadedResults();
    double value = 0.0;
    ASSERT_TRUE(result->GetNodeValue(4, &value));
    EXPECT_DOUBLE_EQ(2.0, value);
    ASSERT_TRUE(result->GetNodeValue(1, &value));
    EXPECT_DOUBLE_EQ(1.0, value);
    ASSERT_TRUE(result->GetNodeValue(7, &value));
    EXPECT_DOUBLE_EQ(42.0, value);
    CPoint3D vector;
    ASSERT_TRUE(result->GetNodeVector(3, &vector));
    EXPECT_DOUBLE_EQ(2.0, vector.x);
    EXPECT_DOUBLE_EQ(1.0, vector.y);
    EXPECT_FALSE(result->GetNodeVector(7, &vector));
    EXPECT_DOUBLE_EQ(1.0, result->m_min);
    EXPECT_DOUBLE_EQ(3.0, result->m_max);
    EXPECT_GE(result->GetNodeValueCount(), 7);
}

TEST(ResultCatalogue, AveragingSkipsNodalAndUnloadedResults)
{
    CModelSet model;
    AddTestNode(model, 1, 0.0, 0.0, 0.0);
    AddQuad(model, 1, 1, 1, 1, 1);
    model.BuildElementFaces();
    CResultData* nodal = AddLoaded(model, 1);
    nodal->m_flags = CResultData::kFlagAtNodes;
    CResultData* requested = AddLoaded(model, 2, CResultData::kRequested);
    CResultData* unaveraged = AddLoaded(model, 3);
    unaveraged->m_average = 0;
    for (CResultData* result : {nodal, requested, unaveraged})
        result->SetElementValue(1, 5.0);
    model.UpdateLoadedResults();
    double value = 0.0;
    for (CResultData* result : {nodal, requested, unaveraged})
        EXPECT_FALSE(result->GetNodeValue(1, &value) && value != 0.0);
}

// Far ids live outside the tables' arrays; their values count like any other.
TEST(ResultCatalogue, AveragesElementsAndNodesWithFarIds)
{
    CModelSet model;
    const int farId = 90000000;
    for (int id : {1, 2, farId, farId + 1})
        AddTestNode(model, id, id % 7, id % 5, 0.0);
    AddQuad(model, farId, 1, 2, farId, farId + 1);
    AddQuad(model, 3, 1, 2, farId, 2); // a repeated node counts its element once
    model.BuildElementFaces();
    CResultData* result = AddLoaded(model, 1);
    result->SetElementValue(farId, 4.0);
    result->SetElementValue(3, 2.0);
    model.UpdateLoadedResults();
    double value = 0.0;
    ASSERT_TRUE(result->GetNodeValue(farId + 1, &value));
    EXPECT_DOUBLE_EQ(4.0, value);
    ASSERT_TRUE(result->GetNodeValue(2, &value));
    EXPECT_DOUBLE_EQ(3.0, value);
    ASSERT_TRUE(result->GetNodeValue(farId, &value));
    EXPECT_DOUBLE_EQ(3.0, value);
}

// The means are the same whether the element tables' arrays cover every linked element (read
// in place) or leave some out (read through a copy): here element 4 has no value, and only the
// first result's tables reach it.
TEST(ResultCatalogue, AveragesAlikeWhetherTheTablesCoverEveryLinkedElement)
{
    CModelSet model;
    for (int id = 1; id <= 10; ++id)
        AddTestNode(model, id, id / 2, id % 2, 0.0);
    for (int quad = 1; quad <= 4; ++quad)
        AddQuad(model, quad, 2 * quad - 1, 2 * quad, 2 * quad + 1, 2 * quad + 2);
    model.BuildElementFaces();
    struct Case
    {
        const char* name;
        int reserved;    // element table cells made ahead, 0 for none
        bool vectorsToo; // the vector tables made ahead as well
    };
    const Case cases[] = {{"all tables cover", 5, true},
                          {"no table covers", 0, false},
                          {"only the scalar tables cover", 5, false}};
    UINT index = 1;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CResultData* result = AddLoaded(model, index++);
        result->m_flags = CResultData::kFlagVector;
        if (c.reserved != 0)
            result->ReserveElements(c.reserved, c.vectorsToo);
        for (int element = 1; element <= 3; ++element)
        {
            result->SetElementValue(element, 2.0 * element - 1.0);
            result->SetElementVector(element, CPoint3D(element, 0.0, -element));
        }
    }
    model.UpdateLoadedResults();
    const struct
    {
        int node;
        double mean; // 0 for none
    } expected[] = {{1, 1.0}, {3, 2.0}, {6, 4.0}, {7, 5.0}, {8, 5.0}, {9, 0.0}, {10, 0.0}};
    for (UINT i = 1; i < index; ++i)
    {
        SCOPED_TRACE(cases[i - 1].name);
        const CResultData* result = model.GetResult(MakeLoadCaseKey(3, kTypeBits, i) | 1);
        ASSERT_NE(nullptr, result);
        for (const auto& e : expected)
        {
            SCOPED_TRACE(e.node);
            double value = 0.0;
            CPoint3D vector;
            const bool hasValue = result->GetNodeValue(e.node, &value) && value != 0.0;
            EXPECT_EQ(e.mean != 0.0, hasValue);
            EXPECT_EQ(e.mean != 0.0, result->GetNodeVector(e.node, &vector));
            if (e.mean == 0.0)
                continue;
            EXPECT_DOUBLE_EQ(e.mean, value);
            EXPECT_DOUBLE_EQ((e.mean + 1.0) / 2.0, vector.x);
            EXPECT_DOUBLE_EQ(-(e.mean + 1.0) / 2.0, vector.z);
        }
        EXPECT_DOUBLE_EQ(1.0, result->m_min);
        EXPECT_DOUBLE_EQ(5.0, result->m_max);
    }
}

// Element values of a single-precision file and values that need double precision average to
// the same means, whichever precision each table keeps.
TEST(ResultCatalogue, AveragesSingleAndDoublePrecisionValuesAsStored)
{
    CModelSet model;
    for (int id = 1; id <= 6; ++id)
        AddTestNode(model, id, id / 2, id % 2, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 3, 4, 5, 6);
    model.BuildElementFaces();
    const struct
    {
        const char* name;
        double values[2];
        double vectorX[2];
    } cases[] = {{"both single", {1.5, 2.25}, {0.5, -4.0}},
                 {"values double", {0.1, 0.7}, {0.5, -4.0}},
                 {"vectors double", {1.5, 2.25}, {0.1, 0.3}},
                 {"both double", {0.1, 0.7}, {0.2, 1.0e300}}};
    UINT index = 1;
    for (const auto& c : cases)
    {
        CResultData* result = AddLoaded(model, index++);
        result->m_flags = CResultData::kFlagVector;
        result->ReserveElements(3, true);
        for (int element = 1; element <= 2; ++element)
        {
            result->SetElementValue(element, c.values[element - 1]);
            result->SetElementVector(element, CPoint3D(c.vectorX[element - 1], 1.0, 0.0));
        }
    }
    model.UpdateLoadedResults();
    for (UINT i = 1; i < index; ++i)
    {
        const auto& c = cases[i - 1];
        SCOPED_TRACE(c.name);
        const CResultData* result = model.GetResult(MakeLoadCaseKey(3, kTypeBits, i) | 1);
        ASSERT_NE(nullptr, result);
        double value = 0.0;
        ASSERT_TRUE(result->GetNodeValue(1, &value));
        EXPECT_EQ(c.values[0], value);
        ASSERT_TRUE(result->GetNodeValue(3, &value)); // shared by both quads
        EXPECT_EQ((c.values[0] + c.values[1]) / 2, value);
        CPoint3D vector;
        ASSERT_TRUE(result->GetNodeVector(4, &vector));
        EXPECT_EQ((c.vectorX[0] + c.vectorX[1]) / 2, vector.x);
        ASSERT_TRUE(result->GetElementValue(2, &value));
        EXPECT_EQ(c.values[1], value);
        ASSERT_TRUE(result->GetElementVector(2, &vector));
        EXPECT_EQ(c.vectorX[1], vector.x);
    }
}

// The means are worked out when first read, from the node-element links of the update: a model
// changed after the update (as by a later read) does not change them until the next update.
TEST(ResultCatalogue, MeansReadLaterAreThoseOfTheLinksAtTheUpdate)
{
    CModelSet model;
    for (int id = 1; id <= 8; ++id)
        AddTestNode(model, id, id / 2, id % 2, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 3, 4, 5, 6);
    model.BuildElementFaces();
    CResultData* result = AddLoaded(model, 1);
    result->SetElementValue(1, 1.0);
    result->SetElementValue(2, 3.0);
    result->SetElementValue(3, 8.0);
    model.UpdateLoadedResults();

    AddQuad(model, 3, 4, 6, 7, 8);
    model.BuildElementFaces();
    ASSERT_EQ((std::vector<int>{1, 2, 3}), ElementIdsOfNode(model, 4));
    double value = 0.0;
    ASSERT_TRUE(result->GetNodeValue(4, &value));
    EXPECT_DOUBLE_EQ(2.0, value);
    EXPECT_FALSE(result->GetNodeValue(7, &value) && value != 0.0);
    EXPECT_DOUBLE_EQ(3.0, result->m_max);

    model.UpdateLoadedResults();
    ASSERT_TRUE(result->GetNodeValue(4, &value));
    EXPECT_DOUBLE_EQ(4.0, value);
    ASSERT_TRUE(result->GetNodeValue(7, &value));
    EXPECT_DOUBLE_EQ(8.0, value);
    EXPECT_DOUBLE_EQ(8.0, result->m_max);
}

// An update on changed links first gives the results still waiting the means of their own
// update, as an update then would have: node 7 keeps the mean of the element that has gone.
TEST(ResultCatalogue, UpdateOnChangedLinksKeepsTheMeansOfTheEarlierUpdate)
{
    CModelSet model;
    for (int id = 1; id <= 8; ++id)
        AddTestNode(model, id, id / 2, id % 2, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 3, 4, 5, 6);
    AddQuad(model, 3, 4, 6, 7, 8);
    model.BuildElementFaces();
    CResultData* result = AddLoaded(model, 1);
    result->SetElementValue(1, 1.0);
    result->SetElementValue(2, 3.0);
    result->SetElementValue(3, 8.0);
    model.UpdateLoadedResults();
    model.ReleaseElementsAbove(2);
    model.UpdateLoadedResults();

    double value = 0.0;
    ASSERT_TRUE(result->GetNodeValue(7, &value));
    EXPECT_DOUBLE_EQ(8.0, value);
    ASSERT_TRUE(result->GetNodeValue(4, &value));
    EXPECT_DOUBLE_EQ(2.0, value);
    EXPECT_DOUBLE_EQ(8.0, result->m_max);
}

// Every reader of the range or the node tables sees the means, whichever comes first: three
// values of 0.1 average to one bit above 0.1, which only the means put into the range.
TEST(ResultCatalogue, EveryReaderSeesTheMeansWhenReadFirst)
{
    const double mean = (0.1 + 0.1 + 0.1) / 3.0;
    ASSERT_GT(mean, 0.1);
    struct Case
    {
        const char* name;
        std::function<void(const CResultData&)> check;
    };
    const Case cases[] = {
        {"largest value", [&](const CResultData& r) { EXPECT_EQ(mean, r.GetLargestValue()); }},
        {"has range", [&](const CResultData& r) { EXPECT_TRUE(r.HasRange()); }},
        {"node value count", [&](const CResultData& r) { EXPECT_GT(r.GetNodeValueCount(), 1); }},
        {"node vector count", [&](const CResultData& r) { EXPECT_GT(r.GetNodeVectorCount(), 1); }},
        {"node vector",
         [&](const CResultData& r)
         {
             CPoint3D vector;
             ASSERT_TRUE(r.GetNodeVector(1, &vector));
             EXPECT_EQ(mean, vector.y);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CModelSet model;
        for (int id = 1; id <= 7; ++id)
            AddTestNode(model, id, id, id % 3, 0.0);
        AddQuad(model, 1, 1, 2, 3, 4);
        AddQuad(model, 2, 1, 4, 5, 6);
        AddTestElement(model, 3, kTagBeam, 21, {1, 7});
        model.BuildElementFaces();
        CResultData* result = AddLoaded(model, 1);
        result->m_flags = CResultData::kFlagVector;
        for (int element = 1; element <= 3; ++element)
        {
            result->SetElementValue(element, 0.1);
            result->SetElementVector(element, CPoint3D(0.0, 0.1, 0.0));
        }
        model.UpdateLoadedResults();
        EXPECT_TRUE(result->HasPendingNodeMeans());
        c.check(*result);
        EXPECT_FALSE(result->HasPendingNodeMeans());
        EXPECT_EQ(mean, result->m_max);
        EXPECT_EQ(mean, result->m_maxVector.y);
    }
}
