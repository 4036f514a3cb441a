// SPDX-License-Identifier: Zlib
#include "world/random_source.h"

#include <gtest/gtest.h>

TEST(RandomSource, FirstValuesAreTheSameInEveryRun)
{
    constexpr double TWO_POW_32 = 4294967296.0;
    EXPECT_EQ(random01(), 2412496532.0 / TWO_POW_32);
    EXPECT_EQ(random01(), 3119216746.0 / TWO_POW_32);
    EXPECT_EQ(random01(), 1495923606.0 / TWO_POW_32);
}
