// The scoped handles of the platform: each gives back what it holds once, at
// the end of its scope or when it is closed before.
#include "common/gdi_object.h"
#include "common/unique_handle.h"
#include "common/window_dc.h"

#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool handleOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != 0;
}

HANDLE newEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

} // namespace

TEST(UniqueHandle, ClosesItsHandleOnceAtTheEndOfItsScopeOrWhenClosed)
{
    const HANDLE event = newEvent();
    ASSERT_NE(event, nullptr);
    {
        const UniqueHandle owned(event);
        EXPECT_TRUE(owned.valid());
        EXPECT_TRUE(handleOpen(event));
    }
    EXPECT_FALSE(handleOpen(event));

    UniqueHandle early(newEvent());
    const HANDLE raw = early.get();
    EXPECT_TRUE(early.close());
    EXPECT_FALSE(handleOpen(raw));
    EXPECT_FALSE(early.valid());
    EXPECT_EQ(early.get(), INVALID_HANDLE_VALUE) << "closed, it reads as a failed CreateFile";
    EXPECT_TRUE(early.close()) << "a second close closes nothing";
}

TEST(UniqueHandle, HoldsNothingForEitherFailureAndHandsItsHandleOnWhenMoved)
{
    EXPECT_FALSE(UniqueHandle(INVALID_HANDLE_VALUE).valid());
    UniqueHandle failedOpen(nullptr);
    EXPECT_FALSE(failedOpen.valid());
    EXPECT_TRUE(failedOpen.close());

    UniqueHandle first(newEvent());
    const HANDLE raw = first.get();
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(second.get(), raw);
    UniqueHandle third;
    third = std::move(second);
    EXPECT_TRUE(handleOpen(raw)) << "moving closes nothing";
    third = UniqueHandle();
    EXPECT_FALSE(handleOpen(raw)) << "the handle taken over is closed";
}

TEST(GdiObject, DeletesItsObjectAtTheEndOfItsScope)
{
    const HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    ASSERT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
    {
        const GdiObject<HPEN> owned(pen);
        EXPECT_EQ(owned.get(), pen);
        EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(WindowDC, GivesTheContextOfTheClientAreaOrOfTheWholeWindow)
{
    const HWND host = sharedTestHost(200, 100);
    const WindowDC client(host);
    const WindowDC whole(host, WindowDC::wholeWindow);
    POINT clientOrigin = {};
    POINT wholeOrigin = {};
    ASSERT_TRUE(GetDCOrgEx(client.get(), &clientOrigin));
    ASSERT_TRUE(GetDCOrgEx(whole.get(), &wholeOrigin));
    POINT clientCorner = {0, 0};
    ClientToScreen(host, &clientCorner);
    const RECT outer = windowRect(host);
    EXPECT_EQ(clientOrigin.x, clientCorner.x);
    EXPECT_EQ(clientOrigin.y, clientCorner.y);
    EXPECT_EQ(wholeOrigin.x, outer.left);
    EXPECT_EQ(wholeOrigin.y, outer.top);

    const WindowDC screen(nullptr);
    ASSERT_NE(screen.get(), nullptr);
    EXPECT_GT(GetDeviceCaps(screen.get(), LOGPIXELSX), 0);
}
