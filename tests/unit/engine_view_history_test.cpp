// Back and Forward through the places the view has left: each comes back
// exactly, a new change drops the places ahead, and the oldest places go
// beyond the limit.
#include "engine/view_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Places that differ only far below a double's resolution, in the double
// centre of their formulas, or in a parameter: the history must keep each
// as it was.
std::vector<VisitedView> places(int count)
{
    std::vector<VisitedView> result;
    for (int i = 0; i < count; ++i) {
        VisitedView place;
        place.location.centerReal = PreciseReal("-0.1010963638456221") + ldexp(PreciseReal(i + 1), -1000);
        place.location.halfHeight = std::ldexp(1.3, -i);
        place.location.iterationLimit = 100 + i % 3;
        place.centerReal = -0.1010963638456221 + i * 1e-17;
        result.push_back(place);
    }
    return result;
}

} // namespace

TEST(ViewHistory, BackAndForwardRetraceTheChangesExactly)
{
    const std::vector<VisitedView> place = places(4);
    ViewHistory history;
    EXPECT_FALSE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());

    // From place 0 through 1 and 2 to 3.
    for (int i = 0; i < 3; ++i)
        history.record(place[i]);
    EXPECT_TRUE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());

    EXPECT_EQ(history.goBack(place[3]), place[2]);
    EXPECT_EQ(history.goBack(place[2]), place[1]);
    EXPECT_TRUE(history.canGoForward());
    EXPECT_EQ(history.goForward(place[1]), place[2]);
    EXPECT_EQ(history.goBack(place[2]), place[1]);
    EXPECT_EQ(history.goBack(place[1]), place[0]);
    EXPECT_FALSE(history.canGoBack());
    EXPECT_EQ(history.goForward(place[0]), place[1]);
    EXPECT_EQ(history.goForward(place[1]), place[2]);
    EXPECT_EQ(history.goForward(place[2]), place[3]);
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.size(), 3u);
}

TEST(ViewHistory, BackReturnsToThePlaceShownWhenItWasPressed)
{
    // Forward leads to where Back was pressed, even where the view has not
    // been recorded there: the place shown is what it keeps.
    const std::vector<VisitedView> place = places(3);
    ViewHistory history;
    history.record(place[0]);
    EXPECT_EQ(history.goBack(place[2]), place[0]);
    EXPECT_EQ(history.goForward(place[0]), place[2]);
}

TEST(ViewHistory, ANewChangeAfterBackDropsThePlacesAhead)
{
    const std::vector<VisitedView> place = places(6);
    ViewHistory history;
    for (int i = 0; i < 4; ++i)
        history.record(place[i]);
    // Back from 4 to 3 and to 2, then a change from 2 to 5.
    history.goBack(place[4]);
    history.goBack(place[3]);
    history.record(place[2]);
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.size(), 3u);
    EXPECT_EQ(history.goBack(place[5]), place[2]);
    EXPECT_EQ(history.goBack(place[2]), place[1]);
    EXPECT_EQ(history.goForward(place[1]), place[2]);
    EXPECT_EQ(history.goForward(place[2]), place[5]);
}

TEST(ViewHistory, KeepsTheLatestThousandPlaces)
{
    const int changes = 1005;
    const std::vector<VisitedView> place = places(changes + 1);
    ViewHistory history;
    for (int i = 0; i < changes; ++i)
        history.record(place[std::size_t(i)]);
    EXPECT_EQ(history.size(), historyLimit);

    int backs = 0;
    for (int i = changes; history.canGoBack(); --i, ++backs)
        ASSERT_EQ(history.goBack(place[std::size_t(i)]), place[std::size_t(i - 1)]) << i;
    // The five oldest are forgotten; the way forward is whole.
    EXPECT_EQ(backs, 1000);
    EXPECT_EQ(history.size(), historyLimit);
    int forwards = 0;
    for (int i = changes - 1000; history.canGoForward(); ++i, ++forwards)
        ASSERT_EQ(history.goForward(place[std::size_t(i)]), place[std::size_t(i + 1)]) << i;
    EXPECT_EQ(forwards, 1000);

    // At the limit, a change after Back still drops what lies ahead first.
    history.goBack(place[changes]);
    history.record(place[changes - 1]);
    EXPECT_EQ(history.size(), historyLimit);
    EXPECT_FALSE(history.canGoForward());
}
