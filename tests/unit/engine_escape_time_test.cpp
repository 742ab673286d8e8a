#include "engine/escape_time.h"

#include <gtest/gtest.h>

TEST(EscapeSteps, PointInsideTheSetRunsOneStepPastTheLimit)
{
    EXPECT_EQ(escapeSteps(0.0, 0.0, 32, 15.0), 33);
}
