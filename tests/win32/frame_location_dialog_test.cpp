// View > Location: the dialog shows where the view is, takes decimals of any
// length, refuses bad ones naming the field, and its OK moves the view in
// its turn.
#include "engine/decimal_text.h"
#include "engine/deep_view.h"
#include "engine/fractal_view.h"
#include "engine/location_fields.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/deep_places.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/frame_location_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const char* const caption = "Location";

PreciseReal precise(const std::string& text)
{
    PreciseReal value;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text.substr(0, 60);
    return value;
}

// How many colours the view's finished picture has: a deep picture that
// has lost its precision shows one flat block.
std::size_t pictureColours()
{
    const std::string pixels = viewPixels();
    std::set<std::string> colours;
    for (std::size_t at = 0; at + 4 <= pixels.size(); at += 4)
        colours.insert(pixels.substr(at, 4));
    return colours.size();
}

} // namespace

TEST(FrameLocationDialog, HasItsFieldsInTabOrderThenOkAndCancelInTheLookOfTheOtherDialogs)
{
    TestFrame frame;
    runCommandWith(frame.window(), CMD_LOCATION, [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, caption, frame.window());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowEnabled(frame.window()));
        const LONG style = GetWindowLongA(dialog, GWL_STYLE);
        for (LONG bit : {LONG(WS_POPUP), LONG(WS_CAPTION), LONG(WS_SYSMENU), LONG(DS_MODALFRAME)})
            EXPECT_EQ(style & bit, bit) << std::hex << bit;
        // The dialog font of the template.
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

        // Focus starts in the real part; Tab goes through the fields, OK and Cancel.
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(uiThread, &info);
        EXPECT_EQ(info.hwndFocus, GetDlgItem(dialog, IDC_LOCATION_REAL));
        const int order[] = {IDC_LOCATION_REAL, IDC_LOCATION_IMAG, IDC_LOCATION_HALF_HEIGHT, IDOK, IDCANCEL,
                             IDC_LOCATION_REAL};
        for (int i = 0; i + 1 < 6; ++i) {
            EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, order[i]), FALSE), GetDlgItem(dialog, order[i + 1]))
                << "after " << order[i];
        }
        for (int id : {IDC_LOCATION_REAL, IDC_LOCATION_IMAG, IDC_LOCATION_HALF_HEIGHT}) {
            HWND edit = GetDlgItem(dialog, id);
            char className[16] = "";
            GetClassNameA(edit, className, sizeof className);
            EXPECT_STRCASEEQ(className, "Edit");
            EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_AUTOHSCROLL);
            // Long texts are not cut short.
            EXPECT_GE(static_cast<unsigned long>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
        }
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDOK)), "OK");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDCANCEL)), "Cancel");
        EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

        // The start-up view: its centre to a tenth of a pixel, its half-height exactly.
        EXPECT_EQ(itemText(dialog, IDC_LOCATION_REAL), "-0.5");
        EXPECT_EQ(itemText(dialog, IDC_LOCATION_IMAG), "0");
        EXPECT_EQ(itemText(dialog, IDC_LOCATION_HALF_HEIGHT), "1.3");
        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_TRUE(IsWindowEnabled(frame.window()));
    EXPECT_EQ(theFractalView->location(), Location{});
    EXPECT_FALSE(theFractalView->history.canGoBack());
}

TEST(FrameLocationDialog, LongTextsTakeTheViewThereToTheLastBitAndShowAgain)
{
    TestFrame frame;
    const unsigned started = theFractalView->calculation;
    const LocationTexts deep{preperiodic41.centerReal, preperiodic41.centerImag, "1e-100"};
    enterLocation(frame.window(), deep);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, started + 1);
    EXPECT_EQ(theFractalView->preciseReal, precise(deep.centerReal));
    EXPECT_EQ(theFractalView->preciseImag, precise(deep.centerImag));
    EXPECT_EQ(theFractalView->halfHeight, 1e-100);
    // The parameters stay the view's.
    EXPECT_EQ(theFractalView->maxIterations, 32);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_TRUE(theFractalView->history.canGoBack());

    // Shown again: within a tenth of a pixel; OK without a change keeps the
    // view exactly, recalculates it, and records nothing.
    const VisitedView there = viewPlace();
    const LocationTexts shown = pressOkUnchanged(frame.window());
    const double tenth = pixelSpacing(1e-100, theFractalView->bitmapHeight) / 10;
    EXPECT_LE(abs(precise(shown.centerReal) - precise(deep.centerReal)), PreciseReal(tenth));
    EXPECT_LE(abs(precise(shown.centerImag) - precise(deep.centerImag)), PreciseReal(tenth));
    EXPECT_EQ(shown.halfHeight, "1e-100");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, started + 2);
    EXPECT_EQ(viewPlace(), there);
    EXPECT_EQ(theFractalView->history.size(), 1u);

    // Twenty thousand digits and an exponent, deep: taken to the last bit.
    // (Wine's edit control takes its time over longer texts: a hundred
    // thousand digits take it some fifteen seconds.)
    const std::string longReal = "-0.75" + std::string(200, '0') + "123" + std::string(19790, '0');
    enterLocation(frame.window(), {longReal, "1000000000000000e-16", "2.5E-20"});
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->preciseReal, precise(longReal));
    EXPECT_NE(theFractalView->preciseReal, PreciseReal(-0.75));
    EXPECT_EQ(theFractalView->preciseImag, precise("0.1"));
    EXPECT_EQ(theFractalView->halfHeight, 2.5e-20);

    // Shallow, the view keeps its centre on the nearest double.
    enterLocation(frame.window(), {longReal, "0.1", "0.0025"});
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->centerReal, -0.75);
    EXPECT_EQ(theFractalView->centerImag, 0.1);
    EXPECT_EQ(theFractalView->preciseReal, PreciseReal(-0.75));
    EXPECT_EQ(theFractalView->halfHeight, 0.0025);
}

TEST(FrameLocationDialog, DeepPlacesReachedThroughItArePicturesNotBlocks)
{
    TestFrame frame;
    // Limits a little above the largest counts there, which spread the
    // counts over the colours.
    const struct {
        const char* halfHeight;
        int limit;
    } places[] = {{"1e-30", 700}, {"1e-100", 1300}, {"1e-290", 2900}};
    for (const auto& [halfHeight, limit] : places) {
        theFractalView->maxIterations = limit;
        enterLocation(frame.window(), {preperiodic41.centerReal, preperiodic41.centerImag, halfHeight});
        ASSERT_TRUE(waitUntilIdle()) << halfHeight;
        EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done") << halfHeight;
        EXPECT_TRUE(isDeepView(theFractalView->halfHeight, theFractalView->bitmapHeight));
        EXPECT_GT(pictureColours(), 5u) << halfHeight;
        EXPECT_TRUE(viewPixels() == expectedPixels(theFractalView->location())) << halfHeight;
    }
    theFractalView->maxIterations = 32;
}

TEST(FrameLocationDialog, EachBadFieldGetsItsMessageTheDialogStaysAndNothingChanges)
{
    TestFrame frame;
    const VisitedView before = viewPlace();
    const unsigned started = theFractalView->calculation;
    struct Case {
        int id;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {IDC_LOCATION_REAL, "-0.5x",
         "The center's real part must be a decimal number such as -0.75 or 1.5e-3, not \"-0.5x\"."},
        {IDC_LOCATION_REAL, "5e300", "The center's real part must lie from -1e300 to 1e300, not \"5e300\"."},
        {IDC_LOCATION_IMAG, "",
         "The center's imaginary part must be a decimal number such as -0.75 or 1.5e-3, not \"\"."},
        {IDC_LOCATION_HALF_HEIGHT, "0", "The half-height must be a number from 1e-300 to 1e300, not \"0\"."},
        {IDC_LOCATION_HALF_HEIGHT, "-1", "The half-height must be a number from 1e-300 to 1e300, not \"-1\"."},
        {IDC_LOCATION_HALF_HEIGHT, "1e-301", "The half-height must be a number from 1e-300 to 1e300, not \"1e-301\"."},
        {IDC_LOCATION_HALF_HEIGHT, "inf", "The half-height must be a number from 1e-300 to 1e300, not \"inf\"."},
    };
    runCommandWith(frame.window(), CMD_LOCATION, [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, caption, frame.window());
        ASSERT_NE(dialog, nullptr);
        for (const Case& bad : cases) {
            setItemText(dialog, IDC_LOCATION_REAL, "0.25");
            setItemText(dialog, IDC_LOCATION_IMAG, "0.5");
            setItemText(dialog, IDC_LOCATION_HALF_HEIGHT, "0.01");
            setItemText(dialog, bad.id, bad.text);
            pressButton(dialog, IDOK);
            HWND box = waitForDialog(uiThread, "Error", dialog);
            ASSERT_NE(box, nullptr) << bad.text;
            EXPECT_EQ(readMessageBox(box).text, bad.message);
            pressButton(box, IDOK);
            ASSERT_TRUE(waitUntilClosed(box));
            EXPECT_TRUE(IsWindowVisible(dialog)) << bad.text;
            // The field at fault has the focus, and keeps what was typed.
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            waitFor([&] {
                GetGUIThreadInfo(uiThread, &info);
                return info.hwndFocus == GetDlgItem(dialog, bad.id);
            }, 5000);
            EXPECT_EQ(info.hwndFocus, GetDlgItem(dialog, bad.id)) << bad.text;
            EXPECT_EQ(itemText(dialog, bad.id), bad.text);
        }
        pressButton(dialog, IDCANCEL);
    });
    pumpPending();
    EXPECT_EQ(viewPlace(), before);
    EXPECT_EQ(theFractalView->calculation, started);
    EXPECT_FALSE(theFractalView->history.canGoBack());
}

TEST(FrameLocationDialog, OkWhileACalculationRunsMovesOnceAfterTheStop)
{
    TestFrame frame;
    const VisitedView before = viewPlace();
    const unsigned started = theFractalView->calculation;
    {
        PretendCalculation busy;
        // The dialog opens at once, over the running calculation.
        enterLocation(frame.window(), {"-0.75", "0.1", "0.05"});
        pumpPending();
        EXPECT_TRUE(stopRequested);
        EXPECT_EQ(viewPlace(), before) << "nothing moves under a running calculation";
    }
    ASSERT_TRUE(waitUntilIdle());
    // The pretended calculation, then the move's, once.
    EXPECT_EQ(theFractalView->calculation, started + 2);
    EXPECT_EQ(theFractalView->centerReal, -0.75);
    EXPECT_EQ(theFractalView->centerImag, 0.1);
    EXPECT_EQ(theFractalView->halfHeight, 0.05);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_EQ(theFractalView->history.size(), 1u);
}
