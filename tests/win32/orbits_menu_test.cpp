#include "tests/win32/orbits_test_window.h"

#include "common/app_instance.h"
#include "resources/resource_ids.h"
#include "tests/support/win32_test_support.h"

#include <functional>
#include <string>

namespace {

// What runs inside the menu's modal loop, from a thread timer that the loop
// dispatches.
std::function<void()> insideMenu;

void CALLBACK menuTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    insideMenu();
}

struct MenuMarks {
    bool guide;
    bool lines;
    bool dots;
    bool crosshairs;
};

bool checked(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

MenuMarks marksOf(HMENU menu)
{
    return {checked(menu, CMD_GUIDE), checked(menu, CMD_LINES), checked(menu, CMD_DOTS), checked(menu, CMD_CROSSHAIRS)};
}

std::string itemText(HMENU menu, int position)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool isSeparator(HMENU menu, int position)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return (info.fType & MFT_SEPARATOR) != 0;
}

} // namespace

class OrbitMenu : public OrbitWindowTest {
protected:
    // Right-clicks the window at client point (10, 20) and reads the marks
    // while the menu is open, then closes it.
    MenuMarks marksShown()
    {
        MenuMarks marks = {};
        bool ran = false;
        insideMenu = [&] {
            marks = marksOf(orbit.contextMenu);
            ran = true;
            EndMenu();
        };
        SetTimer(nullptr, 0, 10, menuTimer);
        SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
        EXPECT_TRUE(ran) << "the menu loop ran";
        return marks;
    }
};

TEST_F(OrbitMenu, ResourceHoldsTheItemsUncheckedInOrder)
{
    HMENU resource = LoadMenuA(appInstance, "orbits");
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(GetMenuItemCount(resource), 1);
    EXPECT_EQ(itemText(resource, 0), "&Orbits Window");
    HMENU popup = GetSubMenu(resource, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    const UINT ids[] = {CMD_GUIDE, 0, CMD_LINES, CMD_DOTS, 0, CMD_CROSSHAIRS};
    const char* texts[] = {"Mandelbrot Guide", "", "Lines", "Dots", "", "Crosshairs"};
    for (int position = 0; position < 6; ++position) {
        EXPECT_EQ(isSeparator(popup, position), ids[position] == 0) << "position " << position;
        if (ids[position] != 0) {
            EXPECT_EQ(GetMenuItemID(popup, position), ids[position]);
            EXPECT_EQ(itemText(popup, position), texts[position]);
            EXPECT_FALSE(GetMenuState(popup, position, MF_BYPOSITION) & MF_CHECKED) << texts[position];
        }
    }
    DestroyMenu(resource);
}

TEST_F(OrbitMenu, StartsWithGuideDotsAndCrosshairsMarked)
{
    const MenuMarks marks = marksShown();
    EXPECT_TRUE(marks.guide);
    EXPECT_FALSE(marks.lines);
    EXPECT_TRUE(marks.dots);
    EXPECT_TRUE(marks.crosshairs);
}

TEST_F(OrbitMenu, MarksFollowEveryCommand)
{
    SendMessageA(window, WM_COMMAND, CMD_LINES, 0);
    MenuMarks marks = marksShown();
    EXPECT_TRUE(marks.lines);
    EXPECT_FALSE(marks.dots);
    EXPECT_TRUE(marks.guide);
    EXPECT_TRUE(marks.crosshairs);

    // Choosing the mode that is already on changes nothing.
    SendMessageA(window, WM_COMMAND, CMD_LINES, 0);
    marks = marksShown();
    EXPECT_TRUE(marks.lines);
    EXPECT_FALSE(marks.dots);

    SendMessageA(window, WM_COMMAND, CMD_DOTS, 0);
    marks = marksShown();
    EXPECT_FALSE(marks.lines);
    EXPECT_TRUE(marks.dots);
    SendMessageA(window, WM_COMMAND, CMD_DOTS, 0);
    marks = marksShown();
    EXPECT_FALSE(marks.lines);
    EXPECT_TRUE(marks.dots);

    SendMessageA(window, WM_COMMAND, CMD_GUIDE, 0);
    marks = marksShown();
    EXPECT_FALSE(marks.guide);
    EXPECT_TRUE(marks.crosshairs);
    SendMessageA(window, WM_COMMAND, CMD_GUIDE, 0);
    EXPECT_TRUE(marksShown().guide);

    SendMessageA(window, WM_COMMAND, CMD_CROSSHAIRS, 0);
    marks = marksShown();
    EXPECT_FALSE(marks.crosshairs);
    EXPECT_TRUE(marks.guide);
    SendMessageA(window, WM_COMMAND, CMD_CROSSHAIRS, 0);
    EXPECT_TRUE(marksShown().crosshairs);
}

TEST_F(OrbitMenu, CommandsChangeOnlyTheFlagsAndAskForNoRepaint)
{
    ValidateRect(window, nullptr);
    // Only the low word of the command's wParam is its id.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_LINES, 1), 0);
    EXPECT_EQ(orbit.drawLines, 1);
    SendMessageA(window, WM_COMMAND, CMD_ZOOM_IN, 0);
    SendMessageA(window, WM_COMMAND, CMD_EXPORT, 0);
    EXPECT_EQ(orbit.showGuide, 1);
    EXPECT_EQ(orbit.drawLines, 1);
    EXPECT_EQ(orbit.showCrosshairs, 1);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST_F(OrbitMenu, OpensAtTheClickAndSendsTheChosenCommand)
{
    POINT expected = {10, 20};
    ClientToScreen(window, &expected);
    RECT menuRect = {};
    bool found = false;
    insideMenu = [&] {
        HWND popup = FindWindowA("#32768", nullptr);
        found = popup && IsWindowVisible(popup);
        if (popup)
            GetWindowRect(popup, &menuRect);
        // Down to "Mandelbrot Guide", past the separator to "Lines", and choose it.
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    };
    SetTimer(nullptr, 0, 10, menuTimer);
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    ASSERT_TRUE(found);
    EXPECT_EQ(menuRect.left, expected.x);
    EXPECT_EQ(menuRect.top, expected.y);
    EXPECT_TRUE(pumpUntil([&] { return orbit.drawLines == 1; }));
    EXPECT_EQ(orbit.showGuide, 1);
    EXPECT_EQ(orbit.showCrosshairs, 1);
}
