#include "core/services/Numerics.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Numerics, DiagonalMatrixNeedsNoRotation)
{
    double a[9] = {3, 0, 0, 0, -1, 0, 0, 0, 2};
    double values[3];
    double v[9];
    JacobiEigen(values, v, a, 3);
    EXPECT_EQ(3.0, values[0]);
    EXPECT_EQ(-1.0, values[1]);
    EXPECT_EQ(2.0, values[2]);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(i % 4 == 0 ? 1.0 : 0.0, v[i]) << i;
}

TEST(Numerics, TwoByTwoGivesThreeAndOne)
{
    double a[4] = {2, 1, 1, 2};
    double values[2];
    double v[4];
    JacobiEigen(values, v, a, 2);
    const double r = 1.0 / std::sqrt(2.0);
    EXPECT_NEAR(3.0, values[0], 1e-14);
    EXPECT_NEAR(1.0, values[1], 1e-14);
    // Columns: (1, 1)/sqrt2 for 3, (-1, 1)/sqrt2 for 1.
    EXPECT_NEAR(r, v[0], 1e-14);
    EXPECT_NEAR(r, v[2], 1e-14);
    EXPECT_NEAR(-r, v[1], 1e-14);
    EXPECT_NEAR(r, v[3], 1e-14);
}

TEST(Numerics, StressTensorGivesPrincipalValuesThenSorts)
{
    // Principal values of this tensor, by hand: 5 (z), and 4, 2 from the xy block.
    const double tensor[9] = {3, 1, 0, 1, 3, 0, 0, 0, 5};
    double a[9];
    std::copy(tensor, tensor + 9, a);
    double values[3];
    double v[9];
    JacobiEigen(values, v, a, 3);
    for (int j = 0; j < 3; ++j)
    {
        // A v = lambda v and |v| = 1 for each column.
        double length = 0.0;
        for (int i = 0; i < 3; ++i)
        {
            double av = 0.0;
            for (int k = 0; k < 3; ++k)
                av += tensor[i * 3 + k] * v[k * 3 + j];
            EXPECT_NEAR(values[j] * v[i * 3 + j], av, 1e-12);
            length += v[i * 3 + j] * v[i * 3 + j];
        }
        EXPECT_NEAR(1.0, length, 1e-12);
    }
    EXPECT_NEAR(4.0, values[0], 1e-12); // diagonal order, not sorted
    EXPECT_NEAR(2.0, values[1], 1e-12);
    EXPECT_NEAR(5.0, values[2], 1e-12);
    SortAscending(values, 3);
    EXPECT_NEAR(2.0, values[0], 1e-12);
    EXPECT_NEAR(4.0, values[1], 1e-12);
    EXPECT_NEAR(5.0, values[2], 1e-12);
}

TEST(Numerics, SmallSizes)
{
    double a[1] = {7.5};
    double values[1] = {0};
    double v[1] = {0};
    JacobiEigen(values, v, a, 1);
    EXPECT_EQ(7.5, values[0]);
    EXPECT_EQ(1.0, v[0]);
    JacobiEigen(values, v, a, 0); // nothing happens
    EXPECT_EQ(7.5, values[0]);

    double sorted[5] = {3, -1, 3, 0, -1};
    SortAscending(sorted, 5);
    const double expected[5] = {-1, -1, 0, 3, 3};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], sorted[i]);
    SortAscending(sorted, 0);
}
