// SPDX-License-Identifier: Zlib
#include "support/x_server.h"
#include "support/x_tools.h"

#include <gtest/gtest.h>

// A server reset when the last client leaves would wipe the root window's properties,
// and would refuse a client that connects while it runs (a game starting while
// xdotool polls for its window).
TEST(XServer, DoesNotResetWhenItsLastClientLeaves)
{
    XServer x;
    ASSERT_TRUE(x.running());
    ASSERT_TRUE(setRootProperty("PLORVIK_TEST_MARK", "kept"));
    EXPECT_EQ(rootProperty("PLORVIK_TEST_MARK"), "kept");
}
