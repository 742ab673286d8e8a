#include "resources/tools/pixel_map.h"

#include <gtest/gtest.h>

namespace {

const Rgb red = {255, 0, 0};
const Rgb grey = {192, 192, 192};
const Rgb navy = {0, 0, 128};

// The error of a map that must be refused.
std::string refusal(const std::string& text)
{
    PixelMap map;
    std::string error;
    EXPECT_FALSE(parsePixelMap(text, map, error)) << text;
    return error;
}

const std::string legend = "colour . 192 192 192 light grey\ncolour r 255 0 0 red\n";

} // namespace

TEST(PixelMap, ReadsPicturesWithTheirColoursRowByRow)
{
    const std::string text = "# two small pictures\n"
                             "colour . 192 192 192   light grey\n"
                             "colour r 255   0   0\n"
                             "\n"
                             "picture First\n"
                             "r..\n"
                             ".r.\n"
                             "# a comment between rows\n"
                             "..r\n"
                             "colour b 0 0 128 a colour given after the first picture\n"
                             "picture Second\n"
                             "rb\n";
    PixelMap map;
    std::string error;
    ASSERT_TRUE(parsePixelMap(text, map, error)) << error;
    ASSERT_EQ(map.pictures.size(), 2u);

    const NamedPicture& first = map.pictures[0];
    EXPECT_EQ(first.name, "First");
    ASSERT_EQ(first.picture.width, 3);
    ASSERT_EQ(first.picture.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(first.picture.at(x, y), x == y ? red : grey) << x << "," << y;

    const NamedPicture& second = map.pictures[1];
    EXPECT_EQ(second.name, "Second");
    ASSERT_EQ(second.picture.width, 2);
    ASSERT_EQ(second.picture.height, 1);
    EXPECT_EQ(second.picture.at(0, 0), red);
    EXPECT_EQ(second.picture.at(1, 0), navy);
}

TEST(PixelMap, WindowsLineEndsReadTheSame)
{
    PixelMap unix;
    PixelMap windows;
    std::string error;
    ASSERT_TRUE(parsePixelMap(legend + "picture A\nr.\n.r\n", unix, error)) << error;
    ASSERT_TRUE(parsePixelMap("colour . 192 192 192\r\ncolour r 255 0 0\r\npicture A\r\nr.\r\n.r\r\n", windows, error))
        << error;
    ASSERT_EQ(windows.pictures.size(), 1u);
    EXPECT_EQ(windows.pictures[0].name, "A");
    EXPECT_EQ(windows.pictures[0].picture.width, 2);
    EXPECT_EQ(windows.pictures[0].picture.pixels, unix.pictures[0].picture.pixels);
}

TEST(PixelMap, RefusesCharactersWithoutColourNamingLineAndColumn)
{
    EXPECT_EQ(refusal(legend + "picture A\nr.\n.x\n"), "line 5: character 'x' in column 2 has no colour");
    // A character is not mistaken for one of another case.
    EXPECT_EQ(refusal(legend + "picture A\nR.\n"), "line 4: character 'R' in column 1 has no colour");
}

TEST(PixelMap, RefusesRaggedRows)
{
    EXPECT_EQ(refusal(legend + "picture A\nrrr\nrr\n"), "line 5: the row is 2 characters wide, the rows above it 3");
    EXPECT_EQ(refusal(legend + "picture A\nrrr\nrrr\nrrrr\n"),
              "line 6: the row is 4 characters wide, the rows above it 3");
    // Each picture has a width of its own.
    PixelMap map;
    std::string error;
    EXPECT_TRUE(parsePixelMap(legend + "picture A\nrrr\npicture B\nr\n", map, error)) << error;
}

TEST(PixelMap, RefusesMalformedColours)
{
    EXPECT_EQ(refusal("colour r 255 0 0\ncolour r 0 0 0\n"), "line 2: character 'r' is given a colour twice");
    const std::string badValue = "line 1: a colour needs red, green and blue values from 0 to 255";
    EXPECT_EQ(refusal("colour r 256 0 0\n"), badValue);
    EXPECT_EQ(refusal("colour r -1 0 0\n"), badValue);
    EXPECT_EQ(refusal("colour r 12a 0 0\n"), badValue);
    EXPECT_EQ(refusal("colour r 1000 0 0\n"), badValue);
    EXPECT_EQ(refusal("colour r 255 0\n"), badValue);
    const std::string badName = "line 1: a colour is named by one character other than '#'";
    EXPECT_EQ(refusal("colour rr 255 0 0\n"), badName);
    EXPECT_EQ(refusal("colour # 255 0 0\n"), badName);
}

TEST(PixelMap, RefusesMisplacedOrMissingPictureParts)
{
    EXPECT_EQ(refusal(legend + "rr\n"), "line 3: a row before the first \"picture\" line");
    // A tab separates the name as a blank does.
    EXPECT_EQ(refusal(legend + "picture\trr\nr\npicture\n"), "line 5: a picture needs a name");
    EXPECT_EQ(refusal(legend + "picture A\nr\nshape B\n"),
              "line 5: expected \"colour\", \"picture\" or a row without blanks");
    EXPECT_EQ(refusal(legend + "picture A B\nr\n"), "line 3: a picture's name is one word");
    EXPECT_EQ(refusal(legend + "picture A\npicture B\nr\n"), "line 4: picture \"A\" has no rows");
    EXPECT_EQ(refusal(legend + "picture A\nr\npicture B\n"), "at the end: picture \"B\" has no rows");
    EXPECT_EQ(refusal(legend + "picture A\nr r\n"), "line 4: expected \"colour\", \"picture\" or a row without blanks");
    EXPECT_EQ(refusal(legend + "picture A\n r\n"), "line 4: expected \"colour\", \"picture\" or a row without blanks");
}

TEST(PixelMap, AnEmptyTextHoldsNoPictures)
{
    PixelMap map;
    std::string error;
    EXPECT_TRUE(parsePixelMap("# nothing yet\n\n", map, error)) << error;
    EXPECT_TRUE(map.pictures.empty());
}

TEST(PixelMap, AMissingFileIsReportedByName)
{
    PixelMap map;
    std::string error;
    EXPECT_FALSE(readPixelMapFile("no-such-folder/no-such-map.txt", map, error));
    EXPECT_EQ(error, "cannot open no-such-folder/no-such-map.txt");
}
