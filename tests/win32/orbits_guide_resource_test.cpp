#include "common/app_instance.h"
#include "resources/tools/guide_picture.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// The guide bitmap resource as it is stored: its header and its rows.
struct StoredBitmap {
    const BITMAPINFOHEADER* header = nullptr;
    const unsigned char* bits = nullptr;

    // Colour of pixel (x, y), row 0 at the top, of a bottom-up 24-bit bitmap.
    Rgb at(int x, int y) const
    {
        const int stride = (header->biWidth * 3 + 3) / 4 * 4;
        const unsigned char* pixel = bits + std::size_t(header->biHeight - 1 - y) * stride + 3 * x;
        return {pixel[2], pixel[1], pixel[0]};
    }
};

StoredBitmap storedGuide()
{
    StoredBitmap stored;
    HRSRC found = FindResourceA(appInstance, "smallmandel", MAKEINTRESOURCEA(2));
    if (!found)
        return stored;
    stored.header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(appInstance, found)));
    if (stored.header)
        stored.bits = reinterpret_cast<const unsigned char*>(stored.header) + stored.header->biSize;
    return stored;
}

} // namespace

TEST(GuideResource, IsA128By96TwentyFourBitBitmap)
{
    const StoredBitmap stored = storedGuide();
    ASSERT_NE(stored.header, nullptr);
    EXPECT_EQ(stored.header->biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(stored.header->biWidth, 128);
    EXPECT_EQ(stored.header->biHeight, 96);
    EXPECT_EQ(stored.header->biBitCount, 24);
    EXPECT_EQ(stored.header->biCompression, DWORD(BI_RGB));

    HBITMAP loaded = LoadBitmapA(appInstance, "smallmandel");
    ASSERT_NE(loaded, nullptr);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(loaded, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 128);
    EXPECT_EQ(info.bmHeight, 96);
    DeleteObject(loaded);
}

TEST(GuideResource, ShowsTheSetFramedByTheBorder)
{
    HBITMAP loaded = LoadBitmapA(appInstance, "smallmandel");
    ASSERT_NE(loaded, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, loaded);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(86, 86, 86));
    EXPECT_EQ(GetPixel(dc, 127, 95), RGB(86, 86, 86));
    EXPECT_EQ(GetPixel(dc, 50, 0), RGB(75, 75, 75));
    EXPECT_EQ(GetPixel(dc, 0, 50), RGB(75, 75, 75));
    EXPECT_EQ(GetPixel(dc, 127, 50), RGB(75, 75, 75));
    EXPECT_EQ(GetPixel(dc, 50, 95), RGB(75, 75, 75));
    // -0.5 + 0i and 0 lie in the set; 1 + i and -2.2 - 1.2i far outside.
    EXPECT_EQ(GetPixel(dc, 64, 48), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 80, 48), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 112, 80), RGB(64, 64, 64));
    EXPECT_EQ(GetPixel(dc, 9, 9), RGB(64, 64, 64));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(loaded);
}

TEST(GuideResource, HoldsExactlyThePictureTheBuildMakes)
{
    const StoredBitmap stored = storedGuide();
    ASSERT_NE(stored.header, nullptr);
    ASSERT_EQ(stored.header->biBitCount, 24);
    const Picture made = makeGuidePicture();
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(stored.at(x, y), made.at(x, y)) << "at " << x << ", " << y;
}
