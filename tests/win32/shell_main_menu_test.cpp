#include "common/app_instance.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    UINT type;
    UINT state;
    UINT id;
    std::string text;
    HMENU submenu;
};

Item itemAt(HMENU menu, int position)
{
    char text[128] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << position;
    return Item{info.fType, info.fState, info.wID, text, info.hSubMenu};
}

struct Entry {
    BYTE flags;
    WORD key;
    WORD command;
};

} // namespace

TEST(MainMenu, HasFourPopupsWithTheirItemsInOrder)
{
    HMENU menu = LoadMenuA(appInstance, "Zelvar2");
    ASSERT_NE(menu, nullptr);
    struct Expected {
        const char* text;
        UINT id; // 0 for a separator
    };
    const std::vector<std::pair<const char*, std::vector<Expected>>> popups = {
        {"&File",
         {{"E&xit\tCtrl+X", CMD_EXIT},
          {"&Export Orbits to POV-RAY\tCtrl+e", CMD_EXPORT},
          {"", 0},
          {"&Open Location...\tCtrl+O", CMD_OPEN_LOCATION},
          {"&Save Location...\tCtrl+S", CMD_SAVE_LOCATION},
          {"Save &Picture...\tCtrl+Shift+S", CMD_SAVE_PICTURE}}},
        {"&Edit", {{"&Change Fractal Parameters\tCtrl+Enter", CMD_CHANGE_PARAMETERS}, {"&Stop\tEsc", CMD_STOP}}},
        {"&View",
         {{"&Recalculate\tF5", CMD_RECALCULATE},
          {"", 0},
          {"&Zoom Reset\tCtrl+R", CMD_ZOOM_RESET},
          {"", 0},
          {"Zoom &In\t+", CMD_ZOOM_IN},
          {"Zoom &Out\t-", CMD_ZOOM_OUT},
          {"", 0},
          {"&Location...\tCtrl+L", CMD_LOCATION},
          {"", 0},
          {"&Back\tAlt+Left", CMD_BACK},
          {"&Forward\tAlt+Right", CMD_FORWARD}}},
        {"&Help", {{"&About\tCtrl+A", CMD_ABOUT}}},
    };
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    for (int p = 0; p < 4; ++p) {
        const Item popup = itemAt(menu, p);
        EXPECT_EQ(popup.text, popups[p].first);
        ASSERT_NE(popup.submenu, nullptr) << popup.text;
        // Only the Help popup stands at the right end.
        EXPECT_EQ((popup.type & MFT_RIGHTJUSTIFY) != 0, p == 3) << popup.text;
        const auto& items = popups[p].second;
        ASSERT_EQ(GetMenuItemCount(popup.submenu), int(items.size())) << popup.text;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item item = itemAt(popup.submenu, int(i));
            EXPECT_EQ(item.submenu, nullptr);
            if (items[i].id == 0) {
                EXPECT_TRUE(item.type & MFT_SEPARATOR) << popup.text << " " << i;
            } else {
                EXPECT_FALSE(item.type & MFT_SEPARATOR) << items[i].text;
                EXPECT_EQ(item.state & (MFS_GRAYED | MFS_CHECKED), 0u) << items[i].text;
                EXPECT_EQ(item.text, items[i].text);
                EXPECT_EQ(item.id, items[i].id) << items[i].text;
            }
        }
    }
    DestroyMenu(menu);
}

TEST(MainAccelerators, HoldTheEightKeysAndCtrlEForTheExportThenTheLocationsTheHistoryAndTheSave)
{
    HACCEL table = LoadAcceleratorsA(appInstance, "Zelvar2");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 16);
    ACCEL entries[16] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 16), 16);
    const BYTE control = FVIRTKEY | FCONTROL | FNOINVERT;
    const BYTE alt = FVIRTKEY | FALT | FNOINVERT;
    const Entry expected[16] = {
        {FNOINVERT, '+', CMD_ZOOM_IN},
        {FNOINVERT, '-', CMD_ZOOM_OUT},
        {control, 'A', CMD_ABOUT},
        {control, 'R', CMD_ZOOM_RESET},
        {FVIRTKEY | FNOINVERT, VK_ESCAPE, CMD_STOP},
        {FVIRTKEY | FNOINVERT, VK_F5, CMD_RECALCULATE},
        {control, VK_RETURN, CMD_CHANGE_PARAMETERS},
        {control, 'X', CMD_EXIT},
        {control, 'E', CMD_EXPORT},
        {control, 'L', CMD_LOCATION},
        {control, 'O', CMD_OPEN_LOCATION},
        {control, 'S', CMD_SAVE_LOCATION},
        {alt, VK_LEFT, CMD_BACK},
        {FVIRTKEY | FNOINVERT, VK_BACK, CMD_BACK},
        {alt, VK_RIGHT, CMD_FORWARD},
        {control | FSHIFT, 'S', CMD_SAVE_PICTURE},
    };
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(entries[i].fVirt, expected[i].flags) << "entry " << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << "entry " << i;
    }
    DestroyAcceleratorTable(table);
}
