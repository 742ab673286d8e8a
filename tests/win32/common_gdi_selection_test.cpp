#include "common/gdi_selection.h"

#include <gtest/gtest.h>

namespace {

class GdiSelectionTest : public testing::Test {
protected:
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ startPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ startBrush = GetCurrentObject(dc, OBJ_BRUSH);

    void TearDown() override { DeleteDC(dc); }
};

} // namespace

TEST_F(GdiSelectionTest, APenMadeForTheStepIsSelectedThenDeselectedAndDeleted)
{
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
    ASSERT_NE(dotted, nullptr);
    {
        const GdiSelection selection(dc, dotted, GdiSelection::deleteAtEnd);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), dotted);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), startPen);
    EXPECT_EQ(GetObjectType(dotted), 0u) << "the pen is deleted";
}

TEST_F(GdiSelectionTest, KeptObjectsAreDeselectedButLive)
{
    HBRUSH green = CreateSolidBrush(RGB(64, 155, 64));
    {
        const GdiSelection hollow(dc, GetStockObject(NULL_BRUSH), GdiSelection::keep);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(NULL_BRUSH));
        {
            const GdiSelection filled(dc, green, GdiSelection::keep);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), green);
        }
        // Nested steps put back what the step around them selected.
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(NULL_BRUSH));
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), startBrush);
    EXPECT_EQ(GetObjectType(green), static_cast<DWORD>(OBJ_BRUSH)) << "the brush lives on";
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(green);
}
