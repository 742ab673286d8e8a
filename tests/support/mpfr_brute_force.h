// The escape-time iteration in MPFR at any precision: the brute-force
// reference of deep views, for the native tests only.
#pragma once

#include <mpfr.h>

// A real number of MPFR, released with its scope.
class MpReal {
public:
    explicit MpReal(mpfr_prec_t bits) { mpfr_init2(value_, bits); }
    ~MpReal() { mpfr_clear(value_); }
    MpReal(const MpReal&) = delete;
    MpReal& operator=(const MpReal&) = delete;
    mpfr_ptr get() { return value_; }

private:
    mpfr_t value_;
};

// The program's step rule for the point c in MPFR: z starts at c, z := z^2 + c,
// and the count is the step in which |z|^2 reaches squareBound, or limit + 1.
inline int bruteForceSteps(mpfr_ptr cr, mpfr_ptr ci, int limit, double squareBound, mpfr_prec_t bits)
{
    MpReal x(bits), y(bits), x2(bits), y2(bits), xy(bits);
    mpfr_set(x.get(), cr, MPFR_RNDN);
    mpfr_set(y.get(), ci, MPFR_RNDN);
    for (int n = 0;; ++n) {
        mpfr_sqr(x2.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(y2.get(), y.get(), MPFR_RNDN);
        mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
        mpfr_sub(x.get(), x2.get(), y2.get(), MPFR_RNDN);
        mpfr_add(x.get(), x.get(), cr, MPFR_RNDN);
        mpfr_mul_2ui(y.get(), xy.get(), 1, MPFR_RNDN);
        mpfr_add(y.get(), y.get(), ci, MPFR_RNDN);
        const double re = mpfr_get_d(x.get(), MPFR_RNDN);
        const double im = mpfr_get_d(y.get(), MPFR_RNDN);
        if (re * re + im * im >= squareBound || n >= limit)
            return n + 1;
    }
}
