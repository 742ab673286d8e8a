// The example location shipped with the program: the neck of a small copy of
// the set where every pixel needs more than 2.2e5 steps, the place the deep
// benchmark measures.
#include "engine/decimal_text.h"
#include "engine/location_file.h"
#include "tests/support/deep_places.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

TEST(ExampleLocation, TheDeepMinibrotFileHoldsTheBenchmarksPlace)
{
    Location example;
    const std::string path = std::string(ZELVAR_SOURCE_DIR) + "/examples/deep-minibrot.zelvar";
    ASSERT_EQ(loadLocationFile(path.c_str(), example), "");

    Location place;
    ASSERT_EQ(readDecimal(neck713.centerReal, place.centerReal), DecimalReading::number);
    ASSERT_EQ(readDecimal(neck713.centerImag, place.centerImag), DecimalReading::number);
    place.halfHeight = 2e-53;
    place.iterationLimit = 1000000;
    place.escapeThreshold = 2;
    EXPECT_EQ(example, place);

    // Byte for byte what the program itself writes for that place.
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, locationFileText(place));
}
