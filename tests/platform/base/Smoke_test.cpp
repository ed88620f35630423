#include <gtest/gtest.h>

TEST(Build, Runs)
{
    EXPECT_EQ(4, 2 + 2);
}
