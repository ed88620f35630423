// View volume, angle conversions and clip-plane record.
#include "render/ViewVolume.h"

#include "GLTestWindow.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "render/ClipPlane.h"
#include "render/Segment3D.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using render_test::GLTest;

namespace
{
void ReadModelView(GLdouble m[16])
{
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
}
} // namespace

class ViewVolumeGL : public GLTest
{
};

TEST_F(ViewVolumeGL, ApplyRotationEqualsRotationsAboutXYZInTurn)
{
    struct AngleCase
    {
        double x, y, z;
    };
    const AngleCase cases[] = {{30, 45, 60}, {0, 0, 0}, {-120, 10, 170}, {90, 0, 0}};
    for (const AngleCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y << " " << c.z);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotated(c.x, 1, 0, 0);
        glRotated(c.y, 0, 1, 0);
        glRotated(c.z, 0, 0, 1);
        GLdouble expected[16];
        ReadModelView(expected);
        glLoadIdentity();
        ApplyRotation(c.x, c.y, c.z);
        GLdouble actual[16];
        ReadModelView(actual);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(expected[i], actual[i], 2e-5) << i;
        // The decomposition gives the angles back.
        const CPoint3D angles = RotationAnglesFromMatrix(actual);
        glLoadIdentity();
        ApplyRotation(angles.x, angles.y, angles.z);
        GLdouble again[16];
        ReadModelView(again);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(actual[i], again[i], 1e-4) << i;
    }
}

TEST_F(ViewVolumeGL, ViewVectorGivesTheAnglesOfTheLook)
{
    CViewVolume volume;
    volume.SetViewVector(CPoint3D(0, 0, 1), CPoint3D(0, 1, 0)); // looking down -z: no turn
    EXPECT_NEAR(0.0, volume.m_rotation.x, 1e-9);
    EXPECT_NEAR(0.0, volume.m_rotation.y, 1e-9);
    EXPECT_NEAR(0.0, volume.m_rotation.z, 1e-9);

    volume.SetViewVector(CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)); // from +x
    EXPECT_NEAR(-90.0, volume.m_rotation.y, 1e-6);

    // An eye on the Y axis is the degenerate case: no Z angle.
    volume.SetViewVector(CPoint3D(0, 1, 0), CPoint3D(0, 0, -1));
    EXPECT_EQ(0.0, volume.m_rotation.z);
    EXPECT_NEAR(90.0, std::abs(volume.m_rotation.x), 1e-6);
}

TEST(ViewVolume, DefaultsAndViewportAspect)
{
    CViewVolume volume;
    EXPECT_EQ(1, volume.m_bRotateAboutViewportCentre);
    EXPECT_EQ(0.0, volume.m_aspect);
    volume.SetViewport(CPoint3D(0, 0, 0), CPoint3D(300, 200, 0));
    EXPECT_DOUBLE_EQ(1.5, volume.m_aspect);
    volume.SetViewport(CPoint3D(0, 0, 0), CPoint3D(300, 0, 0)); // a flat viewport
    EXPECT_EQ(0.0, volume.m_aspect);
}

TEST(ClipPlane, SetPlaneNormalisesAndFillsTheSteps)
{
    CSegment3D segment;
    segment.m_start = CPoint3D(0, 0, 5);
    segment.m_end = CPoint3D(0, 0, 2);
    CClipPlane plane;
    plane.SetPlane(segment, 0.5, 4);
    EXPECT_EQ(1.0, plane.m_c);
    EXPECT_EQ(-5.0, plane.m_d);
    EXPECT_EQ(4, plane.m_nSteps);
    EXPECT_EQ((std::vector<double>{0, 0.5, 1.0, 1.5, 2.0}),
              std::vector<double>(plane.m_stepOffsets, plane.m_stepOffsets + 5));
    plane.SetPlane(segment, 1.0, 500); // the table holds 120 offsets
    EXPECT_EQ(CClipPlane::kMaxSteps, plane.m_nSteps);
    EXPECT_EQ(119.0, plane.m_stepOffsets[119]);
}

TEST(ClipPlane, NodeAndElementDistancesByIndexNumber)
{
    CFENode n1(1, CPoint3D(0, 0, -2));
    CFENode n2(2, CPoint3D(0, 0, 3));
    CFENode n3(3, CPoint3D(0, 0, 1));
    CFENode stray(4, CPoint3D(0, 0, 9));
    n1.m_index = 1;
    n2.m_index = 2;
    n3.m_index = 3;
    stray.m_index = 50; // past the count: skipped, never written
    CNodeMap nodes;
    nodes.SetAt(1, &n1);
    nodes.SetAt(2, &n2);
    nodes.SetAt(3, &n3);
    nodes.SetAt(4, &stray);
    CFEElement cut;
    cut.m_index = 1;
    cut.m_ids.Add(1);
    cut.m_ids.Add(2);
    CFEElement above;
    above.m_index = 2;
    above.m_ids.Add(3);
    above.m_ids.Add(2);
    CElementMap elements;
    elements.SetAt(10, &cut);
    elements.SetAt(11, &above);

    CSegment3D segment;
    segment.m_end = CPoint3D(0, 0, 1);
    CClipPlane plane;
    plane.SetPlane(segment, 1.0, 1);
    plane.ComputeNodeDistances(nodes, 3, elements, 2);
    ASSERT_EQ(4u, plane.m_nodeDistances.size());
    EXPECT_EQ((std::vector<double>{0, -2, 3, 1}), plane.m_nodeDistances);
    EXPECT_EQ(-2.0, plane.m_minDistance);
    EXPECT_EQ(3.0, plane.m_maxDistance);
    EXPECT_EQ(-2.0, plane.m_elementMin[1]);
    EXPECT_EQ(3.0, plane.m_elementMax[1]);
    EXPECT_EQ(1.0, plane.m_elementMin[2]);
    EXPECT_EQ(3.0, plane.m_elementMax[2]);

    CNodeMap single;
    single.SetAt(3, &n3);
    plane.ComputeNodeDistances(single, 3, CElementMap(), 0);
    EXPECT_EQ(plane.m_minDistance, plane.m_maxDistance);
}

TEST(VectorDisplayAttr, DefaultsAndCopies)
{
    CVectorDisplayAttr attr;
    EXPECT_TRUE(attr.IsConstantLength());
    EXPECT_EQ(1, attr.GetThickness());
    EXPECT_EQ(1.0f, attr.GetColor().g);
    EXPECT_EQ(0.0f, attr.GetColor().r);
    EXPECT_EQ(-1, attr.GetResultID());
    EXPECT_EQ(2.0, attr.GetLengthPercent());
    EXPECT_EQ(0.25, attr.GetArrowHeadPercLen());
    attr.SetResultID(12);
    attr.SetScaleFactor(3.0);
    attr.m_colorBands.SetRange(0, 10, 0, 10, 5);
    const CVectorDisplayAttr copy(attr);
    EXPECT_EQ(12, copy.GetResultID());
    EXPECT_EQ(3.0, copy.GetScaleFactor());
    EXPECT_EQ(5, copy.m_colorBands.m_nTotalBands);
    EXPECT_EQ(10.0, copy.m_colorBands.m_levels[5]);
}
