#include "engine/report_pacing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace std::chrono_literals;

namespace {

// The rows of a picture of `height` rows, each taking `rowTime`, after which
// the worker reports.
std::vector<int> reportedRows(int height, ReportClock::duration rowTime)
{
    std::vector<int> reported;
    ReportClock::duration sinceLastReport{};
    for (int row = 0; row < height; ++row) {
        sinceLastReport += rowTime;
        if (reportAfterRow(row, height, sinceLastReport)) {
            reported.push_back(row);
            sinceLastReport = {};
        }
    }
    return reported;
}

} // namespace

TEST(ReportPacing, FirstRowLastRowAndStopAreReportedAtOnce)
{
    EXPECT_TRUE(reportAfterRow(0, 784, 0ns));
    EXPECT_TRUE(reportAfterRow(783, 784, 0ns));
    // A stop reports with the row number set to the height.
    EXPECT_TRUE(reportAfterRow(784, 784, 0ns));

    // In a picture of one row the first row is the last.
    EXPECT_TRUE(reportAfterRow(0, 1, 0ns));
    EXPECT_TRUE(reportAfterRow(1, 1, 0ns));
    EXPECT_TRUE(reportAfterRow(1, 2, 0ns));
}

TEST(ReportPacing, RowsInBetweenWaitForAFrame)
{
    for (int row : {1, 2, 400, 782}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(reportAfterRow(row, 784, 0ns));
        EXPECT_FALSE(reportAfterRow(row, 784, 15999us));
        EXPECT_TRUE(reportAfterRow(row, 784, 16ms));
        EXPECT_TRUE(reportAfterRow(row, 784, 2s));
    }
}

TEST(ReportPacing, RowsOfAFrameOrMoreAreEachReportedFastRowsOncePerFrame)
{
    EXPECT_EQ(reportedRows(100, 16ms).size(), 100u);
    EXPECT_EQ(reportedRows(100, 20ms).size(), 100u);
    const std::vector<int> everyEighth = {0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 99};
    EXPECT_EQ(reportedRows(100, 2ms), everyEighth);
    EXPECT_EQ(reportedRows(100, 0ns), (std::vector<int>{0, 99}));
}
