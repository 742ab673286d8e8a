// The door for view requests: at once when nothing stands in the way;
// otherwise in order, each once, after the calculation's end or the
// dialog's close, and never under an open dialog.
#include "engine/view_request_gate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A pretend program: a calculation that runs or not, the stops asked of it,
// and a log of the requests that ran.
struct Program {
    bool calculationRuns = false;
    int stopsAsked = 0;
    std::string ran;
    ViewRequestGate gate{[this] { return calculationRuns; }, [this] { ++stopsAsked; }};

    // A request that notes its name and, like a zoom, starts a calculation.
    std::function<void()> zoom(char name)
    {
        return [this, name] {
            EXPECT_FALSE(calculationRuns) << name << " met a running calculation";
            ran += name;
            calculationRuns = true;
        };
    }

    // The running calculation stops, and its end is reported.
    void endCalculation()
    {
        calculationRuns = false;
        gate.calculationEnded();
    }
};

} // namespace

TEST(ViewRequestGate, ARequestRunsAtOnceWhenNothingStandsInItsWay)
{
    Program program;
    program.gate.submit(program.zoom('a'));
    EXPECT_EQ(program.ran, "a");
    EXPECT_EQ(program.stopsAsked, 0);
    EXPECT_FALSE(program.gate.holdsRequests());
}

TEST(ViewRequestGate, RequestsGivenWhileACalculationRunsRunInOrderOnceEach)
{
    Program program;
    program.calculationRuns = true;
    for (const char name : std::string("abcd"))
        program.gate.submit(program.zoom(name));
    EXPECT_EQ(program.ran, "");
    EXPECT_GE(program.stopsAsked, 1);
    EXPECT_TRUE(program.gate.holdsRequests());

    // Each request starts a calculation, which the next one has stopped
    // before it runs.
    for (const std::string expected : {"a", "ab", "abc", "abcd"}) {
        const int stops = program.stopsAsked;
        program.endCalculation();
        EXPECT_EQ(program.ran, expected);
        if (expected != "abcd") {
            EXPECT_EQ(program.stopsAsked, stops + 1) << "the next request stops the calculation just started";
        }
    }
    EXPECT_FALSE(program.gate.holdsRequests());
    // An end with nothing waiting changes nothing.
    program.endCalculation();
    EXPECT_EQ(program.ran, "abcd");
}

TEST(ViewRequestGate, RequestsWaitWhileADialogIsOpenAndRunOnceItHasClosed)
{
    Program program;
    program.gate.dialogOpened();
    program.gate.submit(program.zoom('a'));
    EXPECT_EQ(program.ran, "");
    EXPECT_EQ(program.stopsAsked, 0);

    // A calculation that runs under the dialog is left alone until the
    // dialog has closed; its end does not let the request in either.
    program.calculationRuns = true;
    program.endCalculation();
    EXPECT_EQ(program.ran, "");

    program.gate.dialogOpened();
    program.gate.dialogClosed();
    EXPECT_EQ(program.ran, "");
    program.gate.dialogClosed();
    EXPECT_EQ(program.ran, "a");
}

TEST(ViewRequestGate, ADialogThatARequestOpensHoldsBackTheRequestsGivenMeanwhile)
{
    Program program;
    // The parameters: a dialog whose OK starts a calculation. A zoom comes
    // through the dialog's own message loop while it is open.
    program.gate.submit([&] {
        program.gate.dialogOpened();
        program.gate.submit(program.zoom('z'));
        EXPECT_EQ(program.ran, "") << "nothing runs under the dialog";
        program.ran += 'p';
        program.calculationRuns = true;
        program.gate.dialogClosed();
        EXPECT_EQ(program.ran, "p") << "the zoom waits for the calculation that OK started";
    });
    EXPECT_EQ(program.ran, "p");
    EXPECT_EQ(program.stopsAsked, 1);
    program.endCalculation();
    EXPECT_EQ(program.ran, "pz");
}

TEST(ViewRequestGate, DroppedRequestsNeverRun)
{
    Program program;
    program.calculationRuns = true;
    program.gate.submit(program.zoom('a'));
    program.gate.dropWaiting();
    EXPECT_FALSE(program.gate.holdsRequests());
    program.endCalculation();
    EXPECT_EQ(program.ran, "");
}
