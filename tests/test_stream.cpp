#include <gtest/gtest.h>
#include "TestSupport.h"
TEST(Smoke, Builds) { EXPECT_TRUE(true); }
