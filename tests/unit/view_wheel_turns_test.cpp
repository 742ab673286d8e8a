// The turns of the wheel that make its zooms: whole notches either way, and
// the parts of a notch that fine-grained wheels send.
#include "view/wheel_turns.h"

#include <gtest/gtest.h>

TEST(WheelTurns, PartsOfANotchAddUpAndTheRestIsKept)
{
    WheelTurns turns;
    for (int i = 0; i < 7; ++i) {
        turns.add(17);
        EXPECT_FALSE(turns.holdsNotch()) << i;
    }
    turns.add(17); // 136: a notch and 16
    EXPECT_TRUE(turns.holdsNotch());
    EXPECT_EQ(turns.takeNotches(), 1);
    EXPECT_FALSE(turns.holdsNotch());
    turns.add(104); // 16 + 104: the next notch
    EXPECT_EQ(turns.takeNotches(), 1);
    EXPECT_EQ(turns.takeNotches(), 0);
}

TEST(WheelTurns, NotchesOfBothWaysCountAgainstEachOther)
{
    WheelTurns turns;
    turns.add(3 * wheelNotch);
    turns.add(-wheelNotch);
    EXPECT_EQ(turns.takeNotches(), 2);
    turns.add(-60);
    turns.add(-100); // -160: a notch back and -40
    EXPECT_EQ(turns.takeNotches(), -1);
    turns.add(40);
    EXPECT_FALSE(turns.holdsNotch());
    turns.add(wheelNotch);
    turns.add(-wheelNotch);
    EXPECT_EQ(turns.takeNotches(), 0);
}

TEST(WheelTurns, AFlurryOfTurnsStaysWithinItsLimit)
{
    WheelTurns turns;
    for (int i = 0; i < 100000; ++i)
        turns.add(0x7FFF);
    EXPECT_EQ(turns.takeNotches(), wheelNotchLimit);
    turns.add(-2147483647 - 1);
    turns.add(-2147483647 - 1);
    EXPECT_EQ(turns.takeNotches(), -wheelNotchLimit);
    turns.clear();
    EXPECT_EQ(turns.takeNotches(), 0);
}
