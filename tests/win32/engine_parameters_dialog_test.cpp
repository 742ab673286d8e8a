#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "engine/parameters_dialog.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/view_idle.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const caption = "Change Fractal Paramters";
const char* const thresholdMessage = "Error!  Distance threshold must be a positive number!";
const char* const iterationsMessage = "Error!  Max iterations must be a positive integer!";
// Put into the status bar before a dialog opens: a calculation replaces it.
const char* const idleMark = "idle";

// A host window with a status bar and a fractal view on a child window, its
// first calculation finished.
class ParametersDialog : public testing::Test {
protected:
    void SetUp() override
    {
        host = createTestHost(320, 240);
        panel.createStatusPanel(host, appInstance);
        theStatusPanel = &panel;
        theCalculationReport = &statusPanelReport();
        HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 160, 100, host, nullptr,
                                     appInstance, nullptr);
        view = createFractalView(child);
        ASSERT_NE(view, nullptr);
        theFractalView = view;
        ASSERT_TRUE(waitUntilIdle());
        panel.setStatusText(idleMark);
    }

    void TearDown() override
    {
        EXPECT_TRUE(waitUntilIdle());
        theFractalView = nullptr;
        theStatusPanel = nullptr;
        DestroyWindow(host);
    }

    void openWith(const std::function<void(HWND)>& script)
    {
        driveModalDialog(caption, [&] { showParametersDialog(view); }, script);
    }

    // Whether the dialog started a calculation, and that one has ended.
    bool calculationRan()
    {
        EXPECT_TRUE(waitUntilIdle());
        return statusPartText(panel.statusBar, 0) != idleMark;
    }

    // Types the two texts, clicks OK and reads the message box that must come.
    SeenMessageBox refusal(HWND dialog, const std::string& threshold, const std::string& iterations)
    {
        setItemText(dialog, IDC_THRESHOLD, threshold);
        setItemText(dialog, IDC_MAX_ITERATIONS, iterations);
        clickButton(dialog, IDOK);
        SeenMessageBox seen = answerMessageBox(dialog);
        EXPECT_FALSE(messageBoxOpen(dialog)) << "a second message box for " << threshold << " / " << iterations;
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(itemText(dialog, IDC_THRESHOLD), threshold);
        EXPECT_EQ(itemText(dialog, IDC_MAX_ITERATIONS), iterations);
        return seen;
    }

    // Types the texts, sets the check box by clicking it when it differs, and
    // accepts them with OK.
    void accept(HWND dialog, const std::string& threshold, const std::string& iterations, bool binary)
    {
        setItemText(dialog, IDC_THRESHOLD, threshold);
        setItemText(dialog, IDC_MAX_ITERATIONS, iterations);
        const UINT wanted = binary ? BST_CHECKED : BST_UNCHECKED;
        if (IsDlgButtonChecked(dialog, IDC_BINARY_COLORING) != wanted) {
            clickButton(dialog, IDC_BINARY_COLORING);
            EXPECT_TRUE(pumpUntil([&] { return IsDlgButtonChecked(dialog, IDC_BINARY_COLORING) == wanted; }));
        }
        clickButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog)) << threshold << " / " << iterations << " were not accepted";
    }

    HWND host = nullptr;
    StatusPanel panel = {};
    // Types each pair of a threshold and an iterations text into one opening
    // of the dialog, and expects each refused with message; the view stays
    // as it was.
    void expectRefused(const std::vector<std::pair<std::string, std::string>>& texts, const char* message);

    FractalView* view = nullptr;
};

void expectErrorBox(const SeenMessageBox& seen, const char* message, const std::string& what)
{
    EXPECT_TRUE(seen.shown) << what;
    EXPECT_EQ(seen.caption, "Error") << what;
    EXPECT_EQ(seen.text, message) << what;
    EXPECT_TRUE(seen.errorIcon) << what;
}

void ParametersDialog::expectRefused(const std::vector<std::pair<std::string, std::string>>& texts,
                                     const char* message)
{
    openWith([&](HWND dialog) {
        for (const auto& [threshold, iterations] : texts) {
            expectErrorBox(refusal(dialog, threshold, iterations), message, threshold + " / " + iterations);
            if (!IsWindow(dialog))
                break;
        }
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(view->threshold, 15.0);
    EXPECT_EQ(view->maxIterations, 32);
    EXPECT_FALSE(calculationRan());
}

} // namespace

TEST_F(ParametersDialog, FirstOpeningShowsTheStartValuesOverADisabledOwner)
{
    bool hostEnabled = true;
    HWND owner = nullptr;
    HWND focus = nullptr;
    HWND okButton = nullptr;
    openWith([&](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_THRESHOLD), "15.000000");
        EXPECT_EQ(itemText(dialog, IDC_MAX_ITERATIONS), "32");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BINARY_COLORING), UINT(BST_UNCHECKED));
        owner = GetWindow(dialog, GW_OWNER);
        hostEnabled = IsWindowEnabled(host);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        focus = info.hwndFocus;
        okButton = GetDlgItem(dialog, IDOK);
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(owner, host);
    EXPECT_FALSE(hostEnabled);
    EXPECT_TRUE(IsWindowEnabled(host));
    EXPECT_EQ(focus, okButton);
}

TEST_F(ParametersDialog, ShowsTheViewsOwnValues)
{
    view->threshold = 2.5;
    view->maxIterations = 100;
    view->binaryColoring = true;
    openWith([&](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_THRESHOLD), "2.500000");
        EXPECT_EQ(itemText(dialog, IDC_MAX_ITERATIONS), "100");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BINARY_COLORING), UINT(BST_CHECKED));
        clickButton(dialog, IDCANCEL);
    });
}

TEST_F(ParametersDialog, CancelEscapeAndCloseStoreNothingAndStartNothing)
{
    // Cancel button, the Esc key in an edit box, the close box.
    const std::vector<std::function<void(HWND)>> ways = {
        [](HWND dialog) { clickButton(dialog, IDCANCEL); },
        [](HWND dialog) {
            HWND edit = GetDlgItem(dialog, IDC_MAX_ITERATIONS);
            PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (std::size_t way = 0; way < ways.size(); ++way) {
        bool closed = false;
        openWith([&](HWND dialog) {
            setItemText(dialog, IDC_THRESHOLD, "3");
            setItemText(dialog, IDC_MAX_ITERATIONS, "7");
            clickButton(dialog, IDC_BINARY_COLORING);
            EXPECT_TRUE(pumpUntil([&] { return IsDlgButtonChecked(dialog, IDC_BINARY_COLORING) == BST_CHECKED; }));
            ways[way](dialog);
            closed = waitUntilClosed(dialog);
        });
        EXPECT_TRUE(closed) << "way " << way;
        EXPECT_EQ(view->threshold, 15.0) << "way " << way;
        EXPECT_EQ(view->maxIterations, 32) << "way " << way;
        EXPECT_FALSE(view->binaryColoring) << "way " << way;
        EXPECT_FALSE(calculationRan()) << "way " << way;
    }
}

TEST_F(ParametersDialog, RefusesThresholdsThatAreNotPositiveWhateverTheIterations)
{
    // The threshold is judged first; the iterations text is not looked at.
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"0", "32"}, {"-3", "32"}, {"abc", "32"}, {"0", "abc"}, {"-3", "0"},
        {"", "12"},  {"  ", "-1"}, {"nan", "32"}, {"-0.0", "5"}, {"1e-400", "5"},
    };
    expectRefused(texts, thresholdMessage);
}

TEST_F(ParametersDialog, RefusesIterationLimitsThatAreNotPositive)
{
    // -4294967295 would wrap round to 1 in 32 bits; it is read as the
    // smallest 32-bit value instead and refused.
    expectRefused({{"15", "0"}, {"15", "-1"}, {"15", "abc"}, {"15", ""}, {"15", "-4294967295"}, {"15", "- 5"}},
                  iterationsMessage);
}

TEST_F(ParametersDialog, AcceptsTheLeadingNumberOfEachTextAndRecalculates)
{
    openWith([&](HWND dialog) { accept(dialog, "1e3", "12abc", true); });
    EXPECT_EQ(view->threshold, 1000.0);
    EXPECT_EQ(view->maxIterations, 12);
    EXPECT_TRUE(view->binaryColoring);
    EXPECT_TRUE(calculationRan());

    // The next opening shows what was stored.
    panel.setStatusText(idleMark);
    openWith([&](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_THRESHOLD), "1000.000000");
        EXPECT_EQ(itemText(dialog, IDC_MAX_ITERATIONS), "12");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BINARY_COLORING), UINT(BST_CHECKED));
        accept(dialog, "0.5x", "2.5", false);
    });
    EXPECT_EQ(view->threshold, 0.5);
    EXPECT_EQ(view->maxIterations, 2);
    EXPECT_FALSE(view->binaryColoring);
    EXPECT_TRUE(calculationRan());

    // The smallest limit, and blanks before the numbers.
    panel.setStatusText(idleMark);
    openWith([&](HWND dialog) { accept(dialog, "  7", " +1", false); });
    EXPECT_EQ(view->threshold, 7.0);
    EXPECT_EQ(view->maxIterations, 1);
    EXPECT_TRUE(calculationRan());
}

TEST_F(ParametersDialog, ALimitBeyondThirtyTwoBitsIsReadAsTheLargest)
{
    openWith([&](HWND dialog) { accept(dialog, "15", "99999999999", false); });
    EXPECT_EQ(view->maxIterations, INT_MAX);
    // Such a calculation would run for hours; it is stopped at once.
    requestStop();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusPartText(panel.statusBar, 0), "Cancelled");
}

TEST_F(ParametersDialog, OkWithUnchangedValuesRecalculatesTheSameView)
{
    const HWND window = view->window;
    openWith([&](HWND dialog) {
        clickButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_TRUE(calculationRan());
    EXPECT_EQ(statusPartText(panel.statusBar, 0), "Done");
    EXPECT_EQ(view->window, window);
    EXPECT_EQ(view->threshold, 15.0);
    EXPECT_EQ(view->maxIterations, 32);
    EXPECT_FALSE(view->binaryColoring);
}

TEST_F(ParametersDialog, EveryThresholdSurvivesOkWithNothingChanged)
{
    // "%f" where it reads back as a positive number in 255 characters, the
    // shortest exact text where it does not.
    const std::vector<std::pair<double, std::string>> table = {
        {1e-7, "1e-07"},
        {5e-7, "5e-07"},
        {1e-320, "1e-320"},
        {1e249, "1e+249"},
        {1e300, "1e+300"},
        {DBL_MAX, "1.7976931348623157e+308"},
        {15.0, "15.000000"},
        {0.1, "0.100000"},
    };
    for (const auto& [threshold, text] : table) {
        view->threshold = threshold;
        panel.setStatusText(idleMark);
        std::string shown;
        bool closed = false;
        openWith([&](HWND dialog) {
            shown = itemText(dialog, IDC_THRESHOLD);
            clickButton(dialog, IDOK);
            closed = waitUntilClosed(dialog);
        });
        EXPECT_EQ(shown, text) << text;
        EXPECT_TRUE(closed) << text << " was refused";
        EXPECT_EQ(view->threshold, threshold) << text;
        EXPECT_TRUE(calculationRan()) << text;
    }
}

namespace {

struct TemplateControl {
    const char* className;
    int id;
    const char* text;
    RECT units; // x, y, width, height
    LONG buttonType;
    bool tabStop;
};

} // namespace

TEST_F(ParametersDialog, TemplateHasItsTitleSizeAndControlsInTabOrder)
{
    const TemplateControl expected[] = {
        {"Button", IDOK, "OK", {60, 90, 50, 14}, BS_DEFPUSHBUTTON, true},
        {"Button", IDCANCEL, "Cancel", {5, 90, 50, 14}, BS_PUSHBUTTON, true},
        {"Button", 0xFFFF, "Distance Treshhold", {5, 5, 105, 30}, BS_GROUPBOX, false},
        {"Edit", IDC_THRESHOLD, nullptr, {10, 15, 95, 14}, 0, true},
        {"Button", 0xFFFF, "Maximum Iterations", {5, 40, 105, 30}, BS_GROUPBOX, false},
        {"Edit", IDC_MAX_ITERATIONS, nullptr, {10, 50, 95, 14}, 0, true},
        {"Button", IDC_BINARY_COLORING, "Binary Coloring", {25, 75, 63, 10}, BS_AUTOCHECKBOX, true},
    };
    openWith([&](HWND dialog) {
        EXPECT_EQ(windowText(dialog), caption);
        const LONG style = GetWindowLongA(dialog, GWL_STYLE);
        for (LONG bit : {LONG(WS_POPUP), LONG(WS_CAPTION), LONG(WS_SYSMENU), LONG(DS_MODALFRAME)})
            EXPECT_EQ(style & bit, bit) << std::hex << bit;

        RECT size = {0, 0, 117, 111};
        MapDialogRect(dialog, &size);
        RECT client = {};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        HWND child = GetWindow(dialog, GW_CHILD);
        for (const TemplateControl& control : expected) {
            ASSERT_NE(child, nullptr) << control.id;
            char className[32] = "";
            GetClassNameA(child, className, sizeof className);
            EXPECT_STRCASEEQ(className, control.className);
            EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, control.id);
            if (control.text) {
                EXPECT_EQ(windowText(child), control.text);
            }

            const LONG childStyle = GetWindowLongA(child, GWL_STYLE);
            EXPECT_TRUE(childStyle & WS_VISIBLE) << control.id;
            EXPECT_EQ((childStyle & WS_TABSTOP) != 0, control.tabStop) << control.id;
            if (std::string(control.className) == "Button") {
                EXPECT_EQ(childStyle & BS_TYPEMASK, control.buttonType) << control.id;
            } else {
                EXPECT_TRUE(childStyle & ES_AUTOHSCROLL) << control.id;
                // A bordered edit box of a dialog may be given the sunken edge instead.
                const bool bordered = (childStyle & WS_BORDER) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
                EXPECT_TRUE(bordered) << control.id;
            }

            RECT place = control.units;
            MapDialogRect(dialog, &place);
            RECT actual = {};
            GetWindowRect(child, &actual);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
            // Position and size are converted to pixels each on its own.
            EXPECT_EQ(actual.left, place.left) << control.id;
            EXPECT_EQ(actual.top, place.top) << control.id;
            EXPECT_EQ(actual.right - actual.left, place.right) << control.id;
            EXPECT_EQ(actual.bottom - actual.top, place.bottom) << control.id;
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more controls than the template's seven";
        EXPECT_EQ(itemText(dialog, IDC_THRESHOLD), "15.000000");

        // Tab goes from OK through Cancel, the two edit boxes and the check box.
        const int order[] = {IDOK, IDCANCEL, IDC_THRESHOLD, IDC_MAX_ITERATIONS, IDC_BINARY_COLORING, IDOK};
        for (int i = 0; i + 1 < 6; ++i)
            EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, order[i]), FALSE), GetDlgItem(dialog, order[i + 1]))
                << "after " << order[i];
        clickButton(dialog, IDCANCEL);
    });
}
