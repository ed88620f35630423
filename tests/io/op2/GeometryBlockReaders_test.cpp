#include "io/op2/GeometryBlockReaders.h"

#include "core/geometry/CoordSystem.h"
#include "core/geometry/ElementForce.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/op2/OP2Reader.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
Op2Words Grid(int id, int cp, float x, float y, float z)
{
    return Op2Words().I(id).I(cp).F(x).F(y).F(z).I(0).I(0).I(0);
}

std::vector<int> NodeIds(const CFEElement* element)
{
    std::vector<int> ids;
    for (INT_PTR i = 0; i < element->m_ids.GetSize(); ++i)
        ids.push_back(element->m_ids[i]);
    return ids;
}

void ReadGeometry(const Op2TestFile& content, CModelSet* model, const char* name)
{
    OP2Reader reader;
    const std::string path = content.Save(testing_support::MakeTempDir("op2geom"), name);
    ASSERT_EQ(0, reader.readCatalogue(path, model, true, nullptr));
}
} // namespace

TEST(GeometryBlockReaders, GridsAndQuadBecomeNodesAndAShell)
{
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1");
    f.KeyedRecord(4501, 45, 1,
                  Op2Words()
                      .Append(Grid(1, 0, 0, 0, 0))
                      .Append(Grid(2, 0, 1, 0, 0))
                      .Append(Grid(3, 5, 1, 1, 0))
                      .Append(Grid(4, -1, 0, 1, 0)));
    f.EndBlock().BlockHeader("GEOM2S");
    f.KeyedRecord(
        2958, 51, 177,
        Op2Words().I(10).I(7).I(1).I(2).I(3).I(4).F(0).F(0).I(0).I(0).F(0).F(0).F(0).F(0));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "quad.op2");
    EXPECT_EQ(4, model.GetNodeCount());
    const CPoint3D p3 = model.GetNodePoint(3);
    EXPECT_DOUBLE_EQ(1.0, p3.x);
    EXPECT_DOUBLE_EQ(1.0, p3.y);
    // Only a positive system id asks for a transformation.
    EXPECT_EQ(1, model.GetPendingNodeCount());
    const CFEElement* quad = model.FindElement(10);
    ASSERT_NE(nullptr, quad);
    EXPECT_EQ(132, quad->type);
    EXPECT_EQ(94, quad->m_feDescriptorId);
    EXPECT_EQ(7, quad->m_propertyId);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), NodeIds(quad));
}

TEST(GeometryBlockReaders, HigherOrderElementsAreReorderedOrReadAsLinear)
{
    // CTETRA entries: eid, pid, 10 node ids (corners 1-4, then edges 12 23 31 14 24 34).
    Op2TestFile f;
    f.Label().BlockHeader("GEOM2");
    f.KeyedRecord(5508, 55, 217,
                  Op2Words()
                      .I(1)
                      .I(3)
                      .I(1)
                      .I(2)
                      .I(3)
                      .I(4)
                      .I(12)
                      .I(23)
                      .I(31)
                      .I(14)
                      .I(24)
                      .I(34)
                      .I(2)
                      .I(3)
                      .I(1)
                      .I(2)
                      .I(3)
                      .I(4)
                      .I(0)
                      .I(0)
                      .I(0)
                      .I(0)
                      .I(0)
                      .I(0));
    // CQUAD8 (17 words): corners 1-4, mid-sides 12 23 34 41.
    f.KeyedRecord(4701, 47, 326,
                  Op2Words()
                      .I(3)
                      .I(5)
                      .I(1)
                      .I(2)
                      .I(3)
                      .I(4)
                      .I(12)
                      .I(23)
                      .I(34)
                      .I(41)
                      .F(0)
                      .F(0)
                      .F(0)
                      .F(0)
                      .F(0)
                      .F(0)
                      .I(0));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "tetra.op2");

    const CFEElement* tetra10 = model.FindElement(1);
    ASSERT_NE(nullptr, tetra10);
    EXPECT_EQ(118, tetra10->m_feDescriptorId);
    EXPECT_EQ(129, tetra10->type);
    EXPECT_EQ((std::vector<int>{1, 12, 2, 23, 3, 31, 14, 24, 34, 4}), NodeIds(tetra10));

    const CFEElement* tetra4 = model.FindElement(2);
    ASSERT_NE(nullptr, tetra4);
    EXPECT_EQ(111, tetra4->m_feDescriptorId);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), NodeIds(tetra4));
    EXPECT_EQ(4, tetra4->m_nodeCount);

    const CFEElement* quad8 = model.FindElement(3);
    ASSERT_NE(nullptr, quad8);
    EXPECT_EQ(45, quad8->m_feDescriptorId);
    EXPECT_EQ(132, quad8->type);
    EXPECT_EQ((std::vector<int>{1, 12, 2, 23, 3, 34, 4, 41}), NodeIds(quad8));
}

TEST(GeometryBlockReaders, EveryBeamEntryOf18WordsIsRead)
{
    Op2Words beams;
    for (int id = 1; id <= 3; ++id)
    {
        beams.I(id).I(9).I(id).I(id + 1);
        for (int w = 4; w < 18; ++w)
            beams.I(w == 4 ? 0 : 77);
    }
    Op2TestFile f;
    f.Label().BlockHeader("GEOM2").KeyedRecord(5408, 54, 261, beams, 20).EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "beams.op2");
    ASSERT_EQ(3, model.GetElementCount());
    for (int id = 1; id <= 3; ++id)
    {
        const CFEElement* beam = model.FindElement(id);
        ASSERT_NE(nullptr, beam);
        EXPECT_EQ(101, beam->type);
        EXPECT_EQ(9, beam->m_propertyId);
        EXPECT_EQ((std::vector<int>{id, id + 1}), NodeIds(beam));
    }
}

TEST(GeometryBlockReaders, SecondFileIsNumberedAfterTheModel)
{
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1");
    f.KeyedRecord(2101, 21, 8,
                  Op2Words().I(2).I(1).I(2).I(0).F(0).F(0).F(0).F(0).F(0).F(1).F(1).F(0).F(0));
    f.KeyedRecord(4501, 45, 1, Grid(1, 2, 0, 0, 0).Append(Grid(2, 0, 1, 0, 0)));
    f.EndBlock().BlockHeader("GEOM2");
    f.KeyedRecord(3001, 30, 48, Op2Words().I(1).I(4).I(1).I(2));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "first.op2");
    ReadGeometry(f, &model, "second.op2");
    EXPECT_EQ(4, model.GetNodeCount());
    EXPECT_EQ(2, model.GetElementCount());
    const CFEElement* shifted = model.FindElement(2);
    ASSERT_NE(nullptr, shifted);
    EXPECT_EQ((std::vector<int>{3, 4}), NodeIds(shifted));
    EXPECT_NE(nullptr, model.LookupCoordSystem(4));
    // Node 3 (grid 1 of the second file) waits for system 4 (system 2 of that file).
    EXPECT_EQ(2, model.GetPendingNodeCount());
    EXPECT_EQ(0, model.TransformPendingNodes());
}

TEST(GeometryBlockReaders, SystemOnGridPointsIsDefinedAfterItsBlock)
{
    // CORD1R records precede the GRID record in a block.
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1");
    f.KeyedRecord(1801, 18, 5, Op2Words().I(6).I(1).I(1).I(1).I(2).I(3));
    f.KeyedRecord(4501, 45, 1,
                  Grid(1, 0, 5, 0, 0).Append(Grid(2, 0, 5, 0, 1)).Append(Grid(3, 0, 6, 0, 0)));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "cord1.op2");
    const CCoordSystem* system = model.LookupCoordSystem(6);
    ASSERT_NE(nullptr, system);
    EXPECT_TRUE(system->IsDefined());
    CPoint3D p(1, 0, 0);
    system->Transform(p);
    EXPECT_NEAR(6.0, p.x, 1e-12);
}

// Grids in cylindrical (r, theta, z) and spherical (r, theta, phi) systems land where the
// bulk-data reader puts the same grids: angles in degrees.
TEST(GeometryBlockReaders, GridsInCylindricalAndSphericalSystemsAreConverted)
{
    const auto points = [](int id)
    { return Op2Words().I(id).I(0).I(0).I(0).F(0).F(0).F(0).F(0).F(0).F(1).F(1).F(0).F(0); };
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1");
    f.KeyedRecord(2001, 20, 9, points(3));  // CORD2C
    f.KeyedRecord(2201, 22, 10, points(4)); // CORD2S
    f.KeyedRecord(4501, 45, 1, Grid(1, 3, 2, 90, 1).Append(Grid(2, 4, 2, 90, 90)));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "polar.op2");
    EXPECT_EQ(0, model.TransformPendingNodes());
    const CPoint3D p1 = model.GetNodePoint(1);
    EXPECT_NEAR(0.0, p1.x, 1e-6);
    EXPECT_NEAR(2.0, p1.y, 1e-6);
    EXPECT_NEAR(1.0, p1.z, 1e-6);
    const CPoint3D p2 = model.GetNodePoint(2);
    EXPECT_NEAR(0.0, p2.x, 1e-6);
    EXPECT_NEAR(2.0, p2.y, 1e-6);
    EXPECT_NEAR(0.0, p2.z, 1e-6);
}

// Records keyed (4501, 45, 1120001) hold grids of 11 words with double coordinates.
TEST(GeometryBlockReaders, GridsWithDoubleCoordinatesAreRead)
{
    const auto grid = [](int id, double x, double y, double z)
    {
        Op2Words words;
        words.I(id).I(0);
        for (double value : {x, y, z})
        {
            int32_t halves[2];
            std::memcpy(halves, &value, sizeof(value));
            words.I(halves[0]).I(halves[1]);
        }
        return words.I(0).I(0).I(0);
    };
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1S");
    f.KeyedRecord(4501, 45, 1120001, grid(1, 0.125, -24.0, 20.0).Append(grid(2, 1e10, 3.5, -0.5)),
                  13);
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "double.op2");
    EXPECT_EQ(2, model.GetNodeCount());
    EXPECT_EQ(-24.0, model.GetNodePoint(1).y);
    EXPECT_EQ(1e10, model.GetNodePoint(2).x);
    EXPECT_EQ(-0.5, model.GetNodePoint(2).z);
}

TEST(GeometryBlockReaders, ShearPanelGetsItsQuadrilateralFace)
{
    Op2TestFile f;
    f.Label().BlockHeader("GEOM1");
    f.KeyedRecord(4501, 45, 1,
                  Grid(1, 0, 0, 0, 0)
                      .Append(Grid(2, 0, 1, 0, 0))
                      .Append(Grid(3, 0, 1, 1, 0))
                      .Append(Grid(4, 0, 0, 1, 0)));
    f.EndBlock().BlockHeader("GEOM2");
    f.KeyedRecord(3101, 31, 61, Op2Words().I(9).I(2).I(1).I(2).I(3).I(4));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "shear.op2");
    model.BuildElementFaces();
    const CFEElement* shear = model.FindElement(9);
    ASSERT_NE(nullptr, shear);
    EXPECT_EQ(254, shear->m_feDescriptorId);
    ASSERT_EQ(1, shear->m_faces.GetSize());
    EXPECT_EQ(4, shear->m_faces[0].m_ids.GetSize());
    EXPECT_EQ(4, shear->m_faces[0].m_ids[3]);
    EXPECT_NEAR(1.0, shear->m_faces[0].m_normal.z, 1e-12);
}

TEST(GeometryBlockReaders, ForcesAreFiledAndOtherLoadsReadOver)
{
    Op2TestFile f;
    f.Label().BlockHeader("GEOM3S");
    f.KeyedRecord(4201, 42, 18, Op2Words().I(100).I(7).I(0).F(2.5f).F(0).F(0).F(1));
    f.KeyedRecord(4001, 40, 20, Op2Words().I(100).I(8).F(3.0f).I(1).I(2));
    f.KeyedRecord(4101, 41, 22, Op2Words().I(101).I(9).F(4.0f).I(1).I(2).I(3).I(4));
    f.KeyedRecord(6802, 68, 199, Op2Words().I(1).I(2).I(3));
    f.KeyedRecord(4401, 44, 26, Op2Words().I(1).I(2));
    f.EndBlock().EndFile();
    CModelSet model;
    ReadGeometry(f, &model, "forces.op2");
    const CForceMap& forces = model.GetForces();
    ASSERT_EQ(3u, forces.size());
    const CElementForce* force = forces.at({100, 7})->GetAt(0);
    EXPECT_DOUBLE_EQ(2.5, force->m_scale);
    EXPECT_DOUBLE_EQ(1.0, force->m_direction.z);
    EXPECT_EQ(0, force->m_ids.GetSize());
    const CElementForce* force2 = forces.at({101, 9})->GetAt(0);
    ASSERT_EQ(4, force2->m_ids.GetSize());
    EXPECT_EQ(4, force2->m_ids[3]);
    EXPECT_DOUBLE_EQ(3.0, forces.at({100, 8})->GetAt(0)->m_scale);
}
