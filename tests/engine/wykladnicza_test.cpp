#include "wykladnicza.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "its90.h"
#include "wspolczynniki_its90.h"

namespace {

namespace w = engine::wykladnicza;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Type K's exponent a1 (t - a2)^2, as the engine forms it.
double wykladnik(double t) {
    const double d = t - engine::kKExpA2;
    return engine::kKExpA1 * (d * d);
}

// Every argument type K's term can meet: t over the whole domain densely,
// its sub-range bounds and the term's peak a hair either side, random points
// over the same arguments, and the points where k changes (x = (j + 1/2)
// ln2/256, where the reduction's rounding flips), all down to the lowest.
std::vector<double> argumenty() {
    std::vector<double> x;
    const engine::Zakres d = engine::dziedzinaTemperatury(engine::TypTermopary::K);
    for (int i = 0; i <= 400000; ++i) x.push_back(wykladnik(d.od + (d.doo - d.od) * i / 400000.0));
    for (const double t : {d.od, 0.0, engine::kKExpA2, d.doo}) {
        double u = t;
        double v = t;
        for (int k = 0; k < 50; ++k) {
            x.push_back(wykladnik(u = std::nextafter(u, -kInf)));
            x.push_back(wykladnik(v = std::nextafter(v, kInf)));
        }
    }
    const double najnizszy = wykladnik(d.doo);
    std::mt19937_64 los(7);
    std::uniform_real_distribution<double> rozklad(najnizszy, 0.0);
    for (int i = 0; i < 400000; ++i) x.push_back(rozklad(los));
    const double krok = std::log(2.0) / 256.0;
    for (double j = 0.5; j * krok <= -najnizszy; j += 1.0) {
        for (const double e : {-1e-15, 0.0, 1e-15}) x.push_back(-j * krok * (1.0 + e));
    }
    return x;
}

// |a - b| in ulps of b.
double ulpy(double a, long double b) {
    const double bd = static_cast<double>(b);
    const double ulp = std::nextafter(std::fabs(bd), kInf) - std::fabs(bd);
    return static_cast<double>(std::fabs(static_cast<long double>(a) - b) / ulp);
}

// The exact reference needs long double's extra bits, which valgrind drops.
const bool kRozszerzona = [] {
    const volatile long double j = 1;
    return j + 0x1p-60L != 1;
}();

TEST(Wykladnicza, WithinHalfAnUlpOverTypeKsArguments) {
    double najgorszy = 0.0;
    int rozneOdBiblioteki = 0;
    const std::vector<double> x = argumenty();
    for (const double a : x) {
        const double e = w::wartosc(a);
        najgorszy = std::max(najgorszy, ulpy(e, std::exp(static_cast<long double>(a))));
        // One ulp at most from the C library's exp, which is not correctly rounded either.
        ASSERT_LE(ulpy(e, std::exp(a)), 1.0) << a;
        rozneOdBiblioteki += e != std::exp(a) ? 1 : 0;
    }
    // 0.51 ulp of the exact value, give or take the reference's own error.
    EXPECT_TRUE(!kRozszerzona || najgorszy < 0.512) << najgorszy;
    // A rounding that differs from the library's is rare, not systematic.
    EXPECT_LT(rozneOdBiblioteki, static_cast<int>(x.size() / 500)) << x.size();
}

// Outside rdzen()'s arguments the C library's exp, bit for bit; at its ends
// and in between, within half an ulp and a hair.
TEST(Wykladnicza, WholeRangeAndBeyond) {
    for (const double a : {kNaN, -kInf, kInf, -1e300, -800.0, -745.2, -708.5, 709.9, 1e300}) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(w::wartosc(a)),
                  std::bit_cast<std::uint64_t>(std::exp(a)))
            << a;
    }
    for (const double a :
         {w::kOd, -700.0, -1.0, -0x1p-60, -0.0, 0.0, 0x1p-60, 1.0, 300.0, w::kDo}) {
        const double u = ulpy(w::wartosc(a), std::exp(static_cast<long double>(a)));
        EXPECT_TRUE(!kRozszerzona || u <= 0.512) << a << ": " << u;
    }
}

}  // namespace
