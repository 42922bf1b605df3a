#include "its90.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "typ_termopary.h"
#include "wspolczynniki_its90.h"
#include "wspolczynniki_wre.h"

namespace {

using engine::emfZTemperatury;
using engine::seebeck;
using engine::temperaturaDokladna;

std::string nazwa(engine::TypTermopary typ) {
    return std::string(1, litera(typ));
}

TEST(TypTermopary, LetterAndIndexRoundTrip) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const char l = litera(typ);
        EXPECT_EQ(engine::typZLitery(l), typ);
        EXPECT_EQ(engine::typZLitery(static_cast<char>(l - 'A' + 'a')), typ);
        EXPECT_EQ(engine::typZIndeksu(static_cast<std::int16_t>(indeks(typ))), typ);
    }
    for (const char c : {'D', 'x', '\0', ' ', '8'}) EXPECT_FALSE(engine::typZLitery(c)) << c;
    for (const std::int16_t i : {std::int16_t{-1}, std::int16_t{10}, std::int16_t{32767}}) {
        EXPECT_FALSE(engine::typZIndeksu(i)) << i;
    }
}

// c1 of the set in effect at 0 °C, plus type K's exponential term's slope.
TEST(Seebeck, AtZeroIsFirstCoefficient) {
    const double dK = engine::kKExpA0 *
                      std::exp(engine::kKExpA1 * engine::kKExpA2 * engine::kKExpA2) * 2.0 *
                      engine::kKExpA1 * -engine::kKExpA2;
    const struct {
        engine::TypTermopary typ;
        double c1;
    } kPrzypadki[] = {
        {engine::TypTermopary::J, engine::kJRef1[1]},
        {engine::TypTermopary::K, engine::kKRef2[1] + dK},
        {engine::TypTermopary::T, engine::kTRef1[1]},
        {engine::TypTermopary::E, engine::kERef1[1]},
        {engine::TypTermopary::N, engine::kNRef1[1]},
        {engine::TypTermopary::B, engine::kBRef1[1]},
        {engine::TypTermopary::R, engine::kRRef1[1]},
        {engine::TypTermopary::S, engine::kSRef1[1]},
        {engine::TypTermopary::C, engine::kCRef1[1]},
        {engine::TypTermopary::A, engine::kARef[1]},
    };
    for (const auto& p : kPrzypadki) EXPECT_DOUBLE_EQ(seebeck(p.typ, 0.0), p.c1) << nazwa(p.typ);
    EXPECT_NEAR(seebeck(engine::TypTermopary::K, 0.0), 39.450, 0.0005);
}

// Every whole degree, and both sides of every sub-range bound, against a
// central difference that stays on one side of the bound. Near -270 °C the
// reference function's high powers cancel to within about 1e-7 µV, so the step
// is large, Richardson's extrapolation takes out its h^2 error, and the last
// two degrees of a domain, where no double-precision difference reaches 1e-6,
// are left out.
TEST(Seebeck, MatchesCentralDifference) {
    constexpr double h = 0.1;  // °C
    const std::vector<double> granice{0.0, 630.615, 760.0, 1064.18, 1664.5};
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const auto d = engine::dziedzinaTemperatury(typ);
        const auto przyGranicy = [&](double t) {
            return std::any_of(granice.begin(), granice.end(),
                               [t](double g) { return std::fabs(t - g) < 2 * h; });
        };
        std::vector<double> punkty;
        for (int k = static_cast<int>(d.od) + 2; k <= static_cast<int>(d.doo) - 2; ++k) {
            if (!przyGranicy(k)) punkty.push_back(k);
        }
        for (const double g : granice) {
            if (g - 2 * h > d.od && g + 2 * h < d.doo) {
                punkty.push_back(g - 2 * h);
                punkty.push_back(g + 2 * h);
            }
        }
        for (const double t : punkty) {
            const auto roznica = [&](double k) {
                return (emfZTemperatury(typ, t + k) - emfZTemperatury(typ, t - k)) / (2 * k);
            };
            const double oczekiwane = (4 * roznica(h / 2) - roznica(h)) / 3;
            const double s = seebeck(typ, t);
            ASSERT_NEAR(s, oczekiwane, 1e-6 * std::max(std::fabs(s), 1.0))
                << nazwa(typ) << " at " << t;
        }
    }
}

TEST(TemperaturaDokladna, RoundTripEveryWholeDegree) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const auto d = engine::dziedzinaTemperatury(typ);
        const auto u = engine::dziedzinaDokladnej(typ);
        int ile = 0;
        for (int k = static_cast<int>(d.od); k <= static_cast<int>(d.doo); ++k) {
            const double t = k;
            const double e = emfZTemperatury(typ, t);
            if (!u.zawiera(e)) continue;
            const auto x = temperaturaDokladna(typ, e);
            ASSERT_TRUE(x) << nazwa(typ) << " at " << t;
            ASSERT_NEAR(emfZTemperatury(typ, *x), e, 1e-6) << nazwa(typ) << " at " << t;
            ++ile;
        }
        EXPECT_GT(ile, 300) << nazwa(typ);
    }
}

// Both answers exist throughout the inverse polynomials' domain and differ by
// no more than the published band, widened by 0.005 °C.
TEST(TemperaturaDokladna, PolynomialWithinPublishedBand) {
    constexpr double kZapas = 0.005;
    std::ostringstream raport;
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        if (engine::podzakresyOdwrotnej(typ).empty()) continue;  // C, A: exact only
        const auto d = engine::dziedzinaTemperatury(typ);
        const auto w = engine::dziedzinaOdwrotnej(typ);
        double najwiekszy = 0.0;
        for (int i = 0;; ++i) {
            const double t = std::ceil(d.od) + 0.1 * i;
            if (t > d.doo) break;
            const double e = emfZTemperatury(typ, t);
            if (!w.zawiera(e)) continue;
            const auto x = temperaturaDokladna(typ, e);
            ASSERT_TRUE(x) << nazwa(typ) << " at " << t;
            const auto& p = engine::podzakresyOdwrotnej(typ)[engine::podzakresOdwrotnej(typ, e)];
            const double blad = engine::temperaturaZEmf(typ, e) - *x;
            ASSERT_GE(blad, p.bladMin - kZapas) << nazwa(typ) << " at " << t;
            ASSERT_LE(blad, p.bladMax + kZapas) << nazwa(typ) << " at " << t;
            najwiekszy = std::max(najwiekszy, std::fabs(blad));
        }
        raport << nazwa(typ) << ": largest |exact - polynomial| " << najwiekszy << " °C\n";
    }
    std::cout << raport.str();
}

// Type B's EMF is one-to-one above zero (from about 42 °C), below its
// inverse polynomials' 0.291 mV too; only its dip's EMFs have two
// temperatures. Every other type rises throughout.
TEST(TemperaturaDokladna, TypeBAnsweredWhereOneToOne) {
    constexpr auto B = engine::TypTermopary::B;
    for (const double t : {42.5, 50.0, 100.0, 200.0, 249.0, 630.615, 1820.0}) {
        const double e = emfZTemperatury(B, t);
        const auto x = temperaturaDokladna(B, e);
        ASSERT_TRUE(x) << t;
        EXPECT_NEAR(*x, t, 1e-6) << t;
    }
    const auto dwuznaczne = engine::emfDwuznaczne(B);
    ASSERT_TRUE(dwuznaczne);
    // The minimum lies near 21 °C; both ends belong to the band.
    for (const double t : {0.0, 10.0, 21.0, 30.0, 41.0}) {
        EXPECT_TRUE(dwuznaczne->zawiera(emfZTemperatury(B, t))) << t;
        EXPECT_FALSE(temperaturaDokladna(B, emfZTemperatury(B, t))) << t;
    }
    EXPECT_GT(engine::dziedzinaDokladnej(B).od, 0.0);
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        if (typ != B) {
            EXPECT_FALSE(engine::emfDwuznaczne(typ)) << nazwa(typ);
        }
    }
}

TEST(TemperaturaDokladna, RefusedOutsideItsDomain) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const auto u = engine::dziedzinaDokladnej(typ);
        for (const double e : {std::nextafter(u.od, -inf), std::nextafter(u.doo, inf), inf, -inf,
                               std::numeric_limits<double>::quiet_NaN()}) {
            EXPECT_FALSE(temperaturaDokladna(typ, e)) << nazwa(typ) << " " << e;
        }
        for (const double e : {u.od, u.doo}) {
            const auto t = temperaturaDokladna(typ, e);
            ASSERT_TRUE(t) << nazwa(typ) << " " << e;
            EXPECT_NEAR(emfZTemperatury(typ, *t), e, 1e-6) << nazwa(typ);
        }
    }
    // Type B: two temperatures below 42 °C share each EMF from its minimum
    // up to 0.
    for (const double e : {0.0, -2.0})
        EXPECT_FALSE(temperaturaDokladna(engine::TypTermopary::B, e));
    // Wider than the inverse polynomials at the low end of K, T, E, N.
    for (const engine::TypTermopary typ : {engine::TypTermopary::K, engine::TypTermopary::T,
                                           engine::TypTermopary::E, engine::TypTermopary::N}) {
        EXPECT_LT(engine::dziedzinaDokladnej(typ).od, engine::dziedzinaOdwrotnej(typ).od)
            << nazwa(typ);
        // The slope is a few µV/°C there, so 1e-6 µV leaves about 1e-6 °C.
        EXPECT_NEAR(*temperaturaDokladna(typ, engine::dziedzinaDokladnej(typ).od), -270.0, 1e-5);
    }
}

}  // namespace
