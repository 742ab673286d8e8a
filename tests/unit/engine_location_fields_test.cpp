// The Location dialog's fields: what they show of a view, how what the user
// leaves in them is read, and which field each refusal names.
#include "engine/location_fields.h"

#include "engine/decimal_text.h"
#include "engine/deep_view.h"
#include "tests/support/deep_places.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int height = 300;

PreciseReal precise(const std::string& text)
{
    PreciseReal value;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text.substr(0, 60);
    return value;
}

Location deepLocation(double halfHeight)
{
    Location location;
    location.centerReal = precise(preperiodic41.centerReal);
    location.centerImag = precise(preperiodic41.centerImag);
    location.halfHeight = halfHeight;
    location.iterationLimit = 5000;
    return location;
}

} // namespace

TEST(LocationFields, ShowTheCentreWithinATenthOfAPixelAndTheHalfHeightExactly)
{
    const LocationTexts start = locationTexts(Location{}, height);
    EXPECT_EQ(start.centerReal, "-0.5");
    EXPECT_EQ(start.centerImag, "0");
    EXPECT_EQ(start.halfHeight, "1.3");

    for (double halfHeight : {1e-30, 1e-100, 1e-290}) {
        const Location location = deepLocation(halfHeight);
        const LocationTexts texts = locationTexts(location, height);
        const double tenth = pixelSpacing(halfHeight, height) / 10;
        EXPECT_LE(abs(precise(texts.centerReal) - location.centerReal), PreciseReal(tenth)) << halfHeight;
        EXPECT_LE(abs(precise(texts.centerImag) - location.centerImag), PreciseReal(tenth)) << halfHeight;
        double shown = 0;
        ASSERT_EQ(readDecimal(texts.halfHeight, shown), DecimalReading::number);
        EXPECT_EQ(shown, halfHeight);
        // Not many more digits than that takes.
        EXPECT_LT(texts.centerReal.size(), std::size_t(-std::log10(tenth) + 4)) << halfHeight;
    }
}

TEST(LocationFields, TextsLeftAsShownKeepTheExactPlace)
{
    Location location = deepLocation(1e-100);
    const Location before = location;
    const LocationTexts shown = locationTexts(location, height);
    // The texts shown place the centre only within a tenth of a pixel.
    ASSERT_NE(precise(shown.centerReal), location.centerReal);
    EXPECT_EQ(readLocationTexts(shown, shown, location).problem, "");
    EXPECT_EQ(location, before);

    // A new half-height alone keeps the centre to its last bit.
    LocationTexts typed = shown;
    typed.halfHeight = "1e-30";
    EXPECT_EQ(readLocationTexts(typed, shown, location).problem, "");
    EXPECT_EQ(location.centerReal, before.centerReal);
    EXPECT_EQ(location.centerImag, before.centerImag);
    EXPECT_EQ(location.halfHeight, 1e-30);
}

TEST(LocationFields, LongTypedTextsReadAsTheirDigitsSay)
{
    // The 400-digit place, a 100,000-digit one and an exponent far out.
    const std::string hundredThousand = "-0.75" + std::string(99996, '0') + "1";
    const std::vector<LocationTexts> typed = {
        {preperiodic41.centerReal, preperiodic41.centerImag, "2.5e-290"},
        {hundredThousand, "+1" + std::string(299, '0') + ".0e-300", "0.00000000000000000000000000000000001"},
        {" -1.5E+0 ", "\t0.9562865108091415007710960577299774358098333365105291700343e0", "1e300"},
    };
    for (const LocationTexts& texts : typed) {
        Location location;
        const LocationTexts shown = locationTexts(location, height);
        ASSERT_EQ(readLocationTexts(texts, shown, location).problem, "") << texts.centerReal.substr(0, 40);
        EXPECT_EQ(location.centerReal, precise(texts.centerReal));
        EXPECT_EQ(location.centerImag, precise(texts.centerImag));
        double halfHeight = 0;
        readDecimal(texts.halfHeight, halfHeight);
        EXPECT_EQ(location.halfHeight, halfHeight);
        // The parameters are not the fields'.
        EXPECT_EQ(location.iterationLimit, 32);
    }
}

TEST(LocationFields, EachBadTextIsRefusedNamingItsField)
{
    struct Case {
        LocationField field;
        std::string text;
        const char* says;
    };
    const std::vector<Case> cases = {
        {LocationField::centerReal, "abc", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "nan", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "inf", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "0x1p3", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "1,5", "The center's real part must be a decimal number"},
        {LocationField::centerReal, "2e300", "The center's real part must lie from -1e300 to 1e300"},
        {LocationField::centerReal, "1e2000000", "The center's real part must lie from -1e300 to 1e300"},
        {LocationField::centerImag, "-", "The center's imaginary part must be a decimal number"},
        {LocationField::centerImag, "-1e301", "The center's imaginary part must lie from -1e300 to 1e300"},
        {LocationField::halfHeight, "0", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "-1.3", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "1e-301", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "1e-400", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "1.1e300", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "1e400", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "NaN", "The half-height must be a number from 1e-300 to 1e300"},
        {LocationField::halfHeight, "", "The half-height must be a number from 1e-300 to 1e300"},
    };
    for (const Case& bad : cases) {
        Location location = deepLocation(1e-30);
        const Location before = location;
        const LocationTexts shown = locationTexts(location, height);
        // The other fields hold good new values, which must not be taken either.
        LocationTexts typed{"0.25", "-0.5", "0.001"};
        (bad.field == LocationField::centerReal   ? typed.centerReal
         : bad.field == LocationField::centerImag ? typed.centerImag
                                                  : typed.halfHeight) = bad.text;
        const LocationFieldsReading reading = readLocationTexts(typed, shown, location);
        EXPECT_EQ(reading.problem.rfind(bad.says, 0), 0u) << bad.text << ": " << reading.problem;
        EXPECT_EQ(reading.field, bad.field) << bad.text;
        EXPECT_EQ(location, before) << bad.text;
    }
}

TEST(LocationFields, AMessageQuotesTheStartOfALongOrStrangeText)
{
    Location location;
    const LocationTexts shown = locationTexts(location, height);
    const std::string longText = std::string(1000, '7') + "x";
    EXPECT_EQ(readLocationTexts({longText, "0", "1"}, shown, location).problem,
              "The center's real part must be a decimal number such as -0.75 or 1.5e-3, not \"" +
                  std::string(40, '7') + "...\".");
    EXPECT_EQ(readLocationTexts({"0", "0", "1\xC3\xA9\n"}, shown, location).problem,
              "The half-height must be a number from 1e-300 to 1e300, not \"1???\".");
}
