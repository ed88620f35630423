#include "core/model/ModelSet.h"

#include "ModelFixtures.h"
#include "core/geometry/CoordSystem.h"
#include "core/geometry/ElementForce.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace
{
// Everything a read can add, in numeric order, so that two states compare as text.
std::string Describe(CModelSet& model)
{
    std::ostringstream out;
    for (UINT id : model.GetDefaultGroup()->GetNodes().SortedKeys())
    {
        const CFENode* node = model.GetNode(static_cast<int>(id));
        out << "node " << id << " (" << node->m_coord.x << "," << node->m_coord.y << ","
            << node->m_coord.z << ") elements";
        for (int elementId : ElementIdsOfNode(model, static_cast<int>(id)))
            out << " " << elementId;
        out << "\n";
    }
    for (UINT id : model.GetElements().SortedKeys())
        out << "element " << id << "\n";
    for (UINT id : model.GetGroups().SortedKeys())
        out << "group " << id << "\n";
    for (UINT id : model.GetResults().SortedKeys())
        out << "result " << id << "\n";
    for (UINT key : model.GetLoadCaseCounts().SortedKeys())
    {
        const int count = model.GetLoadCaseCount(key);
        out << "cases " << key << " " << count << ":";
        for (int i = 1; i < count; ++i)
            out << " " << model.GetLoadCaseValue(ResultIdNumber(key), ResultIdTypeBits(key), i);
        out << "\n";
    }
    for (UINT id : model.GetPropertyColors().SortedKeys())
        out << "property " << id << "\n";
    for (UINT id : model.GetMaterialColors().SortedKeys())
        out << "material " << id << "\n";
    for (int cs = 0; cs < 10; ++cs)
        out << (model.LookupCoordSystem(cs) ? "cs " + std::to_string(cs) + "\n" : "");
    for (int mode = 0; mode < 10; ++mode)
    {
        double frequency = 0.0;
        if (model.GetModeFrequency(mode, &frequency))
            out << "mode " << mode << " " << frequency << "\n";
    }
    out << "forces " << model.GetForces().size() << " pending " << model.GetPendingNodeCount()
        << "\n";
    const CBox3D box = model.GetBoundingBox();
    out << "box " << box.min.x << " " << box.min.y << " " << box.min.z << " " << box.max.x << " "
        << box.max.y << " " << box.max.z << "\n";
    out << "max " << model.GetMaxNodeId() << " " << model.GetMaxElementId() << " "
        << model.GetMaxPropertyId() << " " << model.GetMaxMaterialId() << " "
        << model.GetMaxCoordSystemId() << " datasets " << model.GetUnvDatasets() << " disp "
        << model.GetDefaultDisplacementId() << "\n";
    return out.str();
}

CResultData* AddTestResult(CModelSet& model, UINT number, double step)
{
    const UINT index = model.AddLoadCaseValue(number, 0, step);
    CResultData* result = new CResultData();
    result->m_id = MakeLoadCaseKey(number, 0, index);
    EXPECT_TRUE(model.AddResult(result));
    return result;
}
} // namespace

TEST(ModelSet, StartsWithTheDefaultGroupOnly)
{
    CModelSet model;
    ASSERT_NE(nullptr, model.GetDefaultGroup());
    EXPECT_EQ(model.GetDefaultGroup(), model.LookupGroup(0));
    EXPECT_EQ(1, model.GetGroups().GetCount());
    EXPECT_EQ(0, model.GetElementCount());
    EXPECT_EQ(-1, model.GetDefaultDisplacementId());
}

TEST(ModelSet, DuplicateNodeIsRefusedAndKeepsTheFirst)
{
    CModelSet model;
    CFENode* first = AddTestNode(model, 7, 1.0, 2.0, 3.0);
    ASSERT_NE(nullptr, first);
    AddTestNode(model, 3, 0.0, 0.0, 0.0);
    CFENode duplicate(7, CPoint3D(9.0, 9.0, 9.0));
    EXPECT_FALSE(model.AddNode(&duplicate));
    EXPECT_EQ(first, model.GetNode(7));
    EXPECT_EQ(7u, model.GetMaxNodeId());
    EXPECT_DOUBLE_EQ(1.0, model.GetNodePoint(7).x);
    EXPECT_EQ(0.0, model.GetNodePoint(99).x);
    ASSERT_EQ(1, first->m_groups.GetSize());
    EXPECT_EQ(0, first->m_groups[0]);
    EXPECT_FALSE(model.AddNode(nullptr));
}

TEST(ModelSet, AddElementFilesByKindAndMakesColourRecords)
{
    CModelSet model;
    CFEElement* shell = AddTestElement(model, 5, kTagShell, 94, {1, 2, 3, 4}, 11, 21);
    CFEElement* beam = AddTestElement(model, 6, kTagBeam, 21, {1, 2}, 12, 21);
    ASSERT_NE(nullptr, shell);
    ASSERT_NE(nullptr, beam);

    const CGroupSet* group = model.GetDefaultGroup();
    CFEElement* found = nullptr;
    EXPECT_TRUE(group->GetShells().Lookup(5, found));
    EXPECT_TRUE(group->GetBeams().Lookup(6, found));
    EXPECT_EQ(shell, model.FindElement(5));
    EXPECT_EQ(6u, model.GetMaxElementId());
    EXPECT_NE(nullptr, model.LookupPropertyColor(11));
    EXPECT_NE(nullptr, model.LookupPropertyColor(12));
    EXPECT_NE(nullptr, model.LookupMaterialColor(21));
    EXPECT_EQ(1, model.GetMaterialColors().GetCount());
    EXPECT_EQ(12u, model.GetMaxPropertyId());
    ASSERT_EQ(1, shell->m_groups.GetSize());
    EXPECT_EQ(0, shell->m_groups[0]);

    EXPECT_EQ(nullptr, AddTestElement(model, 5, kTagShell, 94, {1, 2, 3, 4}));
    EXPECT_EQ(shell, model.FindElement(5));
}

TEST(ModelSet, EachNewColourRecordDrawsThreeRandomNumbers)
{
    std::srand(7);
    const int first = RandomRecordColor();
    const int second = RandomRecordColor();
    std::srand(7);
    CModelSet model;
    EXPECT_TRUE(model.AddPropertyColor(3));
    EXPECT_FALSE(model.AddPropertyColor(3)); // present: no record, no random numbers
    EXPECT_TRUE(model.AddMaterialColor(3));
    EXPECT_EQ(first, model.LookupPropertyColor(3)->color);
    EXPECT_EQ(second, model.LookupMaterialColor(3)->color);
    EXPECT_EQ(3, model.LookupPropertyColor(3)->id);
}

TEST(ModelSet, RefusesIdsOutsideTheSaneRangeWithAMessage)
{
    const int badIds[] = {-1, kMaxEntityId + 1, 2147483647};
    for (int id : badIds)
    {
        SCOPED_TRACE(id);
        CModelSet model;
        CapturingSink sink;
        model.SetOutputSink(&sink);
        EXPECT_EQ(nullptr, AddTestNode(model, id, 0.0, 0.0, 0.0));
        EXPECT_EQ(nullptr, AddQuad(model, id, 1, 2, 3, 4));
        auto system = std::make_unique<CCoordSystem>(nullptr);
        system->m_id = id;
        EXPECT_FALSE(model.AddCoordSystem(system.get()));
        EXPECT_EQ(3u, sink.lines.size());
        EXPECT_EQ(0u, model.GetMaxNodeId());
        EXPECT_EQ(0u, model.GetMaxElementId());
        EXPECT_EQ(0u, model.GetMaxCoordSystemId());
    }
    CModelSet model;
    EXPECT_NE(nullptr, AddTestNode(model, kMaxEntityId, 0.0, 0.0, 0.0));
}

TEST(ModelSet, BuildElementFacesTwiceLinksEachElementOnce)
{
    CModelSet model;
    for (int id = 1; id <= 6; ++id)
        AddTestNode(model, id, id, 0.0, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 3, 4, 5, 6);
    model.BuildElementFaces();
    model.BuildElementFaces();
    EXPECT_EQ((std::vector<int>{1, 2}), ElementIdsOfNode(model, 3));
    EXPECT_EQ((std::vector<int>{1}), ElementIdsOfNode(model, 1));
    EXPECT_EQ(1, model.FindElement(1)->m_faces.GetSize());
}

TEST(ModelSet, BuildElementFacesNumbersNodesAndElementsFromOne)
{
    // The renderer sizes its per-entity tables by the counts and indexes them by these numbers;
    // a second read adds entities with larger ids to a model numbered before.
    CModelSet model;
    for (int id = 1; id <= 4; ++id)
        AddTestNode(model, id, id, 0.0, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    model.BuildElementFaces();
    for (int id = 100001; id <= 100004; ++id)
        AddTestNode(model, id, id, 1.0, 0.0);
    AddQuad(model, 100001, 100001, 100002, 100003, 100004);
    AddQuad(model, 100002, 100004, 100003, 100002, 100001);
    model.BuildElementFaces();

    std::vector<int> nodeIndexes;
    for (UINT id : model.GetDefaultGroup()->GetNodes().SortedKeys())
        nodeIndexes.push_back(model.GetNode(static_cast<int>(id))->m_index);
    std::sort(nodeIndexes.begin(), nodeIndexes.end());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), nodeIndexes);
    std::vector<int> elementIndexes;
    for (UINT id : model.GetElements().SortedKeys())
        elementIndexes.push_back(model.FindElement(static_cast<int>(id))->m_index);
    std::sort(elementIndexes.begin(), elementIndexes.end());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), elementIndexes);
}

TEST(ModelSet, ElementCentreDividesByTheFullNodeCount)
{
    CModelSet model;
    AddTestNode(model, 1, 0.0, 0.0, 0.0);
    AddTestNode(model, 2, 4.0, 0.0, 0.0);
    AddTestNode(model, 3, 4.0, 4.0, 0.0);
    CFEElement* quad = AddQuad(model, 1, 1, 2, 3, 99); // node 99 is missing
    model.BuildElementFaces();
    EXPECT_DOUBLE_EQ(2.0, quad->m_centre.x);
    EXPECT_DOUBLE_EQ(1.0, quad->m_centre.y);
    EXPECT_DOUBLE_EQ(1.0, quad->m_faces[0].m_normal.z);
}

TEST(ModelSet, ElementWithShortNodeListIsNotReadPastItsEnd)
{
    CModelSet model;
    AddTestNode(model, 1, 0.0, 0.0, 0.0);
    CFEElement* quad = AddQuad(model, 1, 1, 1, 1, 1);
    quad->m_ids.SetSize(2);    // a reader's broken element: declares 4, holds 2
    model.BuildElementFaces(); // must stay within the list (ASan checks)
    EXPECT_EQ((std::vector<int>{1}), ElementIdsOfNode(model, 1));
}

TEST(ModelSet, RollbackRestoresTheModelAndCatalogueOfBefore)
{
    CModelSet model;
    for (int id = 1; id <= 4; ++id)
        AddTestNode(model, id, id, 0.0, 0.0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddTestResult(model, 1, 0.5);
    model.SetModeFrequency(1, 10.0);
    model.SetUnvDatasets(CModelSet::kUnvNodes2411);
    model.AddCoordSystem(
        []
        {
            auto* cs = new CCoordSystem(CPoint3D(), CPoint3D(0, 0, 1), CPoint3D(1, 0, 0), nullptr);
            cs->m_id = 1;
            return cs;
        }());
    model.BuildElementFaces();
    model.SaveMaxIds();
    const std::string before = Describe(model);

    // What a failed read adds.
    AddTestNode(model, 5, 5.0, 0.0, 0.0);
    AddTestNode(model, 6, 6.0, 0.0, 0.0);
    AddTestElement(model, 2, kTagShell, 94, {3, 4, 5, 6}, 0, 0); // ids below the old marks
    AddTestResult(model, 1, 0.75);                               // new load case of a result
    AddTestResult(model, 2, 1.0);
    model.SetModeFrequency(2, 20.0);
    model.SetModeFrequency(1, 11.0);
    model.SetUnvDatasets(CModelSet::kUnvNodes2411 | CModelSet::kUnvElements2412);
    model.SetDefaultDisplacementId(8);
    auto* cs = new CCoordSystem(CPoint3D(), CPoint3D(0, 0, 1), CPoint3D(1, 0, 0), nullptr);
    cs->m_id = 3;
    model.AddCoordSystem(cs);
    model.SetNodeCoordSystem(6, 4);
    CElementForce* force = new CElementForce();
    force->m_loadSetId = 1;
    force->m_id = 5;
    model.AddForce(force);
    model.BuildElementFaces();
    ASSERT_NE(before, Describe(model));

    model.RemoveAll(1);
    EXPECT_EQ(before, Describe(model));
}

TEST(ModelSet, RollbackRemovesIdZeroOnlyWhenTheReadAddedIt)
{
    CModelSet model;
    AddTestNode(model, 1, 0.0, 0.0, 0.0);
    model.SaveMaxIds();
    AddTestNode(model, 0, 1.0, 0.0, 0.0); // id 0 lies above no mark
    AddQuad(model, 0, 0, 1, 0, 1);
    model.RemoveAll(1);
    EXPECT_EQ(nullptr, model.GetNode(0));
    EXPECT_EQ(nullptr, model.FindElement(0));
    EXPECT_EQ(1, model.GetNodeCount());
    EXPECT_EQ(0, model.GetElementCount());

    // Read before the marks, id 0 stays.
    AddTestNode(model, 0, 1.0, 0.0, 0.0);
    AddQuad(model, 0, 0, 1, 0, 1);
    model.SaveMaxIds();
    AddTestNode(model, 2, 2.0, 0.0, 0.0);
    model.RemoveAll(1);
    EXPECT_NE(nullptr, model.GetNode(0));
    EXPECT_NE(nullptr, model.FindElement(0));
    EXPECT_EQ(nullptr, model.GetNode(2));
}

TEST(ModelSet, RemoveAllModeZeroLeavesAnEmptyUsableModel)
{
    CModelSet model;
    AddTestNode(model, 1, 0.0, 0.0, 0.0);
    AddQuad(model, 1, 1, 1, 1, 1);
    AddTestResult(model, 3, 1.0);
    model.RemoveAll(0);
    EXPECT_EQ(0, model.GetElementCount());
    EXPECT_EQ(0, model.GetNodeCount());
    EXPECT_EQ(0, model.GetResults().GetCount());
    EXPECT_EQ(0u, model.GetMaxNodeId());
    ASSERT_NE(nullptr, model.GetDefaultGroup());
    EXPECT_NE(nullptr, AddTestNode(model, 1, 0.0, 0.0, 0.0));
    model.RemoveAll(7); // unknown mode: nothing happens
    EXPECT_EQ(1, model.GetNodeCount());
}

TEST(ModelSet, PendingNodeMovesWhenItsSystemIsDefinedLater)
{
    CModelSet model;
    CapturingSink sink;
    model.SetOutputSink(&sink);
    model.ReservePendingNodeMap();
    AddTestNode(model, 1, 1.0, 0.0, 0.0);
    model.SetNodeCoordSystem(1, 5);
    AddTestNode(model, 2, 1.0, 0.0, 0.0);
    model.SetNodeCoordSystem(2, 6); // never defined
    // System 5, defined after the node: origin (10, 0, 0), axes parallel to the global ones.
    auto* cs =
        new CCoordSystem(CPoint3D(10, 0, 0), CPoint3D(10, 0, 1), CPoint3D(11, 0, 0), nullptr);
    cs->m_id = 5;
    ASSERT_TRUE(model.AddCoordSystem(cs));
    EXPECT_EQ(5u, model.GetMaxCoordSystemId());

    EXPECT_EQ(1, model.TransformPendingNodes());
    EXPECT_NEAR(11.0, model.GetNodePoint(1).x, 1e-9);
    EXPECT_NEAR(0.0, model.GetNodePoint(1).y, 1e-9);
    EXPECT_DOUBLE_EQ(1.0, model.GetNodePoint(2).x);
    EXPECT_EQ(1, model.GetPendingNodeCount());
    ASSERT_EQ(1u, sink.lines.size());
    EXPECT_NE(std::string::npos, sink.lines[0].find("Node 2"));
    EXPECT_NE(std::string::npos, sink.lines[0].find("6"));
}

TEST(ModelSet, NodeInASystemThatStaysUndefinedStaysPending)
{
    // System 7 is given on grid points that never arrive: it exists but moves nothing.
    CModelSet model;
    CapturingSink sink;
    model.SetOutputSink(&sink);
    AddTestNode(model, 1, 1.0, 2.0, 3.0);
    model.SetNodeCoordSystem(1, 7);
    auto* cs = new CCoordSystem(101, 102, 103, &model);
    cs->m_id = 7;
    ASSERT_TRUE(model.AddCoordSystem(cs));

    EXPECT_EQ(1, model.TransformPendingNodes());
    EXPECT_DOUBLE_EQ(1.0, model.GetNodePoint(1).x);
    EXPECT_EQ(1, model.GetPendingNodeCount());
    ASSERT_EQ(1u, sink.lines.size());
    EXPECT_NE(std::string::npos, sink.lines[0].find("Node 1"));

    // Once its grid points are there, the same entry is applied.
    AddTestNode(model, 101, 10.0, 0.0, 0.0);
    AddTestNode(model, 102, 10.0, 0.0, 1.0);
    AddTestNode(model, 103, 11.0, 0.0, 0.0);
    cs->SetGridIds(101, 102, 103);
    EXPECT_EQ(0, model.TransformPendingNodes());
    EXPECT_NEAR(11.0, model.GetNodePoint(1).x, 1e-9);
    EXPECT_NEAR(2.0, model.GetNodePoint(1).y, 1e-9);
    EXPECT_NEAR(3.0, model.GetNodePoint(1).z, 1e-9);
}

TEST(ModelSet, ForcesShareASetPerLoadSetAndGrid)
{
    CModelSet model;
    for (int i = 0; i < 3; ++i)
    {
        CElementForce* force = new CElementForce();
        force->m_loadSetId = 2;
        force->m_id = i == 2 ? 8 : 7;
        EXPECT_TRUE(model.AddForce(force));
    }
    EXPECT_FALSE(model.AddForce(nullptr));
    ASSERT_EQ(2u, model.GetForces().size());
    EXPECT_EQ(2, model.GetForces().at({2, 7})->GetCount());
}

TEST(ModelSet, GroupsByIdAndName)
{
    CModelSet model;
    CGroupSet* group = new CGroupSet();
    group->m_id = 4;
    group->SetName("Flange");
    EXPECT_TRUE(model.AddGroup(group));
    CGroupSet duplicate;
    duplicate.m_id = 4;
    EXPECT_FALSE(model.AddGroup(&duplicate));
    EXPECT_EQ(group, model.FindGroupByName("FLANGE"));
    EXPECT_EQ(nullptr, model.FindGroupByName("Web"));
    EXPECT_EQ(4u, model.GetMaxGroupId());
}

TEST(ModelSet, DeletesAGroupButNeverTheDefaultOne)
{
    CModelSet model;
    AddTestNode(model, 1, 0, 0, 0);
    auto* group = new CGroupSet();
    group->m_id = 4;
    ASSERT_TRUE(model.AddGroup(group));
    EXPECT_FALSE(model.DeleteGroup(5));
    EXPECT_FALSE(model.DeleteGroup(CModelSet::kDefaultGroupId));
    EXPECT_NE(nullptr, model.GetDefaultGroup());
    EXPECT_EQ(model.GetDefaultGroup(), model.LookupGroup(CModelSet::kDefaultGroupId));
    EXPECT_TRUE(model.DeleteGroup(4));
    EXPECT_EQ(nullptr, model.LookupGroup(4));
    EXPECT_EQ(1, model.GetGroups().GetCount());
    EXPECT_FALSE(model.DeleteGroup(4));
}

TEST(ModelSet, VolumeSumsBeamLengthsShellAreasAndSolidVolumes)
{
    CModelSet model;
    const double corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                  {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    for (int i = 0; i < 8; ++i)
        AddTestNode(model, i + 1, corners[i][0], corners[i][1], corners[i][2]);
    AddBrick(model, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    AddQuad(model, 2, 1, 2, 3, 4);
    AddTestElement(model, 3, kTagBeam, 21, {1, 7});
    model.BuildElementFaces();
    EXPECT_NEAR(1.0 + 1.0 + std::sqrt(3.0), model.ComputeVolume(), 1e-12);

    CPoint3D min;
    CPoint3D max;
    model.ComputeBoxOfIds(model.FindElement(3), min, max);
    EXPECT_DOUBLE_EQ(0.0, min.x);
    EXPECT_DOUBLE_EQ(1.0, max.z);
}
