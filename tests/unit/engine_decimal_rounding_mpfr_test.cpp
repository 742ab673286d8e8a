// The reading and writing of precise decimals checked against MPFR, which
// rounds every decimal correctly at any precision.
#include "engine/decimal_text.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <boost/multiprecision/cpp_int.hpp>

#include <random>
#include <string>

namespace {

class Mpfr {
public:
    Mpfr() { mpfr_init2(value_, 1152); }
    ~Mpfr() { mpfr_clear(value_); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;

    // The decimal rounded to nearest; false when MPFR does not take all of it.
    bool read(const std::string& text)
    {
        char* end = nullptr;
        mpfr_strtofr(value_, text.c_str(), &end, 10, MPFR_RNDN);
        return *end == '\0';
    }

    // The value, which has 1152 bits like a PreciseReal, as one exactly.
    PreciseReal precise() const
    {
        if (mpfr_zero_p(value_))
            return 0;
        mpz_t mantissa;
        mpz_init(mantissa);
        const long exponent = mpfr_get_z_2exp(mantissa, value_);
        char* digits = mpz_get_str(nullptr, 10, mantissa);
        const PreciseReal result = ldexp(PreciseReal(boost::multiprecision::cpp_int(digits)), static_cast<int>(exponent));
        void (*release)(void*, size_t);
        mp_get_memory_functions(nullptr, nullptr, &release);
        release(digits, std::strlen(digits) + 1);
        mpz_clear(mantissa);
        return result;
    }

private:
    mpfr_t value_;
};

// A decimal of 1 to 500 random digits with a point somewhere and an
// exponent: shallow and deep centres, and numbers far from any view.
std::string randomDecimal(std::mt19937_64& random)
{
    const int digits = 1 + static_cast<int>(random() % 500);
    std::string text = random() & 1 ? "-" : "";
    const int point = static_cast<int>(random() % (digits + 1));
    for (int i = 0; i < digits; ++i) {
        if (i == point)
            text += '.';
        text += static_cast<char>('0' + random() % 10);
    }
    const int spread = random() % 4 == 0 ? 300000 : 700;
    text += "e" + std::to_string(std::uniform_int_distribution<int>(-spread, 400)(random));
    return text;
}

} // namespace

TEST(DecimalRounding, ReadsAsMpfrRoundsToNearest)
{
    std::mt19937_64 random(29);
    Mpfr reference;
    for (int i = 0; i < 3000; ++i) {
        const std::string text = randomDecimal(random);
        PreciseReal value;
        ASSERT_EQ(readDecimal(text, value), DecimalReading::number) << text;
        ASSERT_TRUE(reference.read(text)) << text;
        EXPECT_EQ(value, reference.precise()) << text;
    }
}

TEST(DecimalRounding, WrittenTextsReadBackInMpfr)
{
    std::mt19937_64 random(31);
    Mpfr reference;
    for (int i = 0; i < 1000; ++i) {
        PreciseReal value;
        ASSERT_EQ(readDecimal(randomDecimal(random), value), DecimalReading::number);
        const std::string text = exactText(value);
        ASSERT_TRUE(reference.read(text)) << text;
        EXPECT_EQ(reference.precise(), value) << text;
    }
}
