// Vector settings of a shown vector result and their entry in the view's plot map.
#include "view/VectorPlotSetup.h"

#include "core/geometry/Box3D.h"
#include "render/VectorPlotEntry.h"

#include <gtest/gtest.h>

TEST(VectorPlotSetup, ArrowSettingsFromTheDefaultsAndLengthFromTheLargestExtent)
{
    CResultDisplayAttr bands;
    bands.SetRange(0.0, 5.0, 0.0, 5.0, 6);
    CVectorDisplayAttr defaults;
    defaults.m_lengthPercent = 10.0;
    defaults.m_bConstantLength = 0;
    defaults.m_nPosition = 3;
    defaults.m_scaleFactor = 2.5;
    defaults.m_arrowHeadConst = 0.7; // not a default the display copies
    // A model in the YZ plane: no X extent.
    const CBox3D box(CPoint3D(3, -10, 0), CPoint3D(3, 30, 20));
    const CVectorDisplayAttr attr = MakeVectorDisplayAttr(bands, defaults, 77, box, 0.5, 5.0);
    EXPECT_DOUBLE_EQ(4.0, attr.m_length);
    EXPECT_EQ(0, attr.m_bConstantLength);
    EXPECT_EQ(3, attr.m_nPosition);
    EXPECT_EQ(2.5, attr.m_scaleFactor);
    EXPECT_EQ(0.25, attr.m_arrowHeadConst);
    EXPECT_EQ(77, attr.m_nResultID);
    EXPECT_EQ(6, attr.m_colorBands.m_nBands);
    EXPECT_EQ(0.5, attr.m_minMagnitude);
    EXPECT_EQ(5.0, attr.m_maxMagnitude);

    // No magnitude to divide by: lengths follow values as they are.
    EXPECT_EQ(1.0, MakeVectorDisplayAttr(bands, defaults, 77, box, 0.0, 0.0).m_maxMagnitude);
    // The model box before any measurement gives no length rather than a huge one.
    const CBox3D unset(CPoint3D(1e8, 1e8, 1e8), CPoint3D(-1e8, -1e8, -1e8));
    EXPECT_EQ(0.0, MakeVectorDisplayAttr(bands, defaults, 77, unset, 0.0, 1.0).m_length);
}

TEST(VectorPlotSetup, AResultKeepsItsEntryAcrossLoadCases)
{
    CVectorPlotMap plots;
    CVectorDisplayAttr first;
    first.m_length = 3.0;
    first.m_colorBands.SetRange(0.0, 1.0, 0.0, 1.0, 5);
    CVectorPlotEntry* entry = InstallVectorPlot(plots, 1000, first);
    EXPECT_EQ(3.0, entry->m_attr.m_length);
    entry->m_attr.m_nThickness = 5; // as the user set it

    CVectorDisplayAttr second;
    second.m_length = 9.0;
    second.m_colorBands.SetRange(0.0, 2.0, 0.0, 2.0, 7);
    second.m_maxMagnitude = 2.0;
    EXPECT_EQ(entry, InstallVectorPlot(plots, 1000, second));
    EXPECT_EQ(1, plots.GetCount());
    EXPECT_EQ(3.0, entry->m_attr.m_length);
    EXPECT_EQ(5, entry->m_attr.m_nThickness);
    EXPECT_EQ(7, entry->m_attr.m_nColorBands);
    EXPECT_EQ(2.0, entry->m_attr.m_colorBands.m_dataMax);
    EXPECT_EQ(2.0, entry->m_attr.m_maxMagnitude);

    // A result without a load case 1 files its entry under -1.
    InstallVectorPlot(plots, -1, first);
    EXPECT_NE(nullptr, plots.Find(-1));
}
