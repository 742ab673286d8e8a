// libFuzzer target for the reading of location files and of the decimals in
// them: every input either reads or gets a message that names its line, a
// location that reads is valid and reads back unchanged from its own text,
// and a decimal that reads writes a text that reads back to the same bits.
// Built and run by scripts/fuzz-location.sh, never by the tests.
#include "engine/decimal_text.h"
#include "engine/location_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    Location location;
    location.iterationLimit = 7;
    const std::string problem = readLocationText(text, location);
    if (problem.empty()) {
        check(isValidLocation(location));
        Location again;
        check(readLocationText(locationFileText(location), again).empty());
        check(again == location);
    } else {
        check(problem.rfind("Line ", 0) == 0);
        check(location.iterationLimit == 7);
    }

    PreciseReal value;
    if (readDecimal(text, value) == DecimalReading::number) {
        PreciseReal back;
        check(readDecimal(exactText(value), back) == DecimalReading::number);
        check(back == value);
    }
    double real = 0;
    readDecimal(text, real);
    int whole = 0;
    readWholeNumber(text, whole);
    return 0;
}
