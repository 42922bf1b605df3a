#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <vector>

#include "termopara.h"
#include "zestawy.h"

namespace {

using namespace zestawy;

double emf(std::int16_t typ, double u) {
    engine::Termopara tc;
    tc.Typ = typ;
    return tc.EMF(u);
}

struct Wartosc {
    std::int16_t typ;
    double u;
    long long setneC;  // expected temperature in °C, rounded to hundredths
};

TEST(Emf, PublishedValues) {
    // clang-format off
    const Wartosc kWartosci[] = {
        {J, 69553.0,   119996},
        {J, 1019.15,   1997},     // 20 °C: the inverse set's own deviation
        {K, 41276.0,   99999},
        {T, 20872.0,   39998},
        {E, 76373.0,   100002},
        {N, 47513.0,   129997},
        {B, 291.0,     24992},
        {B, 2431.0,    70004},    // first set; the second gives 700.07
        {B, powyzej(2431.0), 70007},
        {B, 13820.0,   181996},
        {R, 1923.0,    24996},    // second set; the first gives 249.95
        {R, ponizej(1923.0), 24995},
        {R, 13228.0,   120000},   // third set; the second gives 1200.01
        {R, ponizej(13228.0), 120001},
        {R, 21103.0,   176812},
        {S, 1874.0,    25006},    // first set; the second gives 250.05
        {S, powyzej(1874.0), 25005},
        {S, 11950.0,   119995},   // third set; the second gives 1199.96
        {S, ponizej(11950.0), 119996},
        {S, 18693.0,   176805},
        {S, -235.0,    -4984},
    };
    // clang-format on
    for (const auto& w : kWartosci) {
        EXPECT_EQ(setne(emf(w.typ, w.u)), w.setneC)
            << nazwaTypu(w.typ) << " at " << std::setprecision(17) << w.u << " µV";
    }
    EXPECT_EQ(emf(J, 0.0), 0.0);
}

// clang-format off
const Granica kGranice[] = {
    // Domain ends: the end sets carry on outside.
    {J, -8095.0,  kJInv1, kJInv1, kJInv1},
    {J, 69553.0,  kJInv3, kJInv3, kJInv3},
    {K, -5891.0,  kKInv1, kKInv1, kKInv1},
    {K, 54886.0,  kKInv3, kKInv3, kKInv3},
    {T, -5603.0,  kTInv1, kTInv1, kTInv1},
    {T, 20872.0,  kTInv2, kTInv2, kTInv2},
    {E, -8825.0,  kEInv1, kEInv1, kEInv1},
    {E, 76373.0,  kEInv2, kEInv2, kEInv2},
    {N, -3990.0,  kNInv1, kNInv1, kNInv1},
    {N, 47513.0,  kNInv3, kNInv3, kNInv3},
    {B, 291.0,    kBInv1, kBInv1, kBInv1},
    {B, 13820.0,  kBInv2, kBInv2, kBInv2},
    {R, -226.0,   kRInv1, kRInv1, kRInv1},
    {R, 21103.0,  kRInv4, kRInv4, kRInv4},
    {S, -235.0,   kSInv1, kSInv1, kSInv1},
    {S, 18693.0,  kSInv4, kSInv4, kSInv4},
    // Inner bounds.
    {J, 0.0,      kJInv1, kJInv1, kJInv2},
    {J, 42919.0,  kJInv2, kJInv2, kJInv3},
    {K, 0.0,      kKInv1, kKInv1, kKInv2},
    {K, 20644.0,  kKInv2, kKInv2, kKInv3},
    {T, 0.0,      kTInv1, kTInv1, kTInv2},
    {E, 0.0,      kEInv1, kEInv1, kEInv2},
    {N, 0.0,      kNInv1, kNInv1, kNInv2},
    {N, 20613.0,  kNInv2, kNInv2, kNInv3},
    {B, 2431.0,   kBInv1, kBInv1, kBInv2},
    // R and S: where two sets share a closed bound, the later one applies.
    {R, 1923.0,   kRInv1, kRInv2, kRInv2},
    {R, 13228.0,  kRInv2, kRInv3, kRInv3},
    {R, 19739.0,  kRInv3, kRInv4, kRInv4},
    {S, 1874.0,   kSInv1, kSInv1, kSInv2},
    {S, 11950.0,  kSInv2, kSInv3, kSInv3},
    {S, 17536.0,  kSInv3, kSInv4, kSInv4},
};
// clang-format on

TEST(Emf, SubRangeBoundsFromBothSides) {
    engine::Termopara tc;
    for (const Granica& g : kGranice) {
        SCOPED_TRACE(::testing::Message() << nazwaTypu(g.typ) << " at " << g.x << " µV");
        tc.Typ = g.typ;
        const struct {
            double u;
            const Zestaw& z;
        } kPunkty[] = {{ponizej(g.x), g.ponizej}, {g.x, g.na}, {powyzej(g.x), g.powyzej}};
        double wyniki[3];
        int i = 0;
        for (const auto& p : kPunkty) {
            zasmiec(tc);
            wyniki[i++] = tc.EMF(p.u);
            EXPECT_TRUE(zaladowany(tc, p.z)) << "u = " << p.u;
        }
        // Adjacent inverse sets step by less than their two error bands
        // together (J at 42919 µV: 0.067 °C against 0.04 + 0.04).
        EXPECT_NEAR(wyniki[0], wyniki[1], 0.08);
        EXPECT_NEAR(wyniki[1], wyniki[2], 0.08);
    }
}

// Which set owns each shared bound of the inverse sub-ranges, and the set in
// effect; bounds and NIST's error bands come from the engine's table, which
// the coefficient test checks against allcoeff.tab.
struct Pasmo {
    bool dolWlacznie;
    bool goraWlacznie;
    const Zestaw& zestaw;
};

// clang-format off
const std::vector<Pasmo> kPasma[] = {
    /* J */ {{true, true, kJInv1}, {false, true, kJInv2}, {false, true, kJInv3}},
    /* K */ {{true, true, kKInv1}, {false, true, kKInv2}, {false, true, kKInv3}},
    /* T */ {{true, true, kTInv1}, {false, true, kTInv2}},
    /* E */ {{true, true, kEInv1}, {false, true, kEInv2}},
    /* N */ {{true, true, kNInv1}, {false, true, kNInv2}, {false, true, kNInv3}},
    /* B */ {{true, true, kBInv1}, {false, true, kBInv2}},
    /* R */ {{true, false, kRInv1}, {true, false, kRInv2}, {true, false, kRInv3}, {true, true, kRInv4}},
    /* S */ {{true, true, kSInv1}, {false, false, kSInv2}, {true, false, kSInv3}, {true, true, kSInv4}},
};
// clang-format on

const engine::PodzakresOdwrotnej& opis(std::int16_t typ, std::size_t i) {
    return engine::podzakresyOdwrotnej(*engine::typZIndeksu(typ))[i];
}

// Index of the set in effect at u, or nothing outside the inverse domain.
std::optional<std::size_t> pasmo(std::int16_t typ, double u) {
    const auto& pasma = kPasma[typ];
    for (std::size_t i = 0; i < pasma.size(); ++i) {
        const auto& z = opis(typ, i).emf;
        const bool nad = pasma[i].dolWlacznie ? u >= z.od : u > z.od;
        const bool pod = pasma[i].goraWlacznie ? u <= z.doo : u < z.doo;
        if (nad && pod) return i;
    }
    return std::nullopt;
}

// Every tenth of a degree whose EMF lies in the inverse domain must come back
// within the published error of the set in effect, widened by 0.005 °C.
TEST(Emf, RoundTripWithinPublishedErrorBands) {
    constexpr double kZapas = 0.005;
    std::ostringstream raport;
    raport << std::fixed << std::setprecision(4);
    engine::Termopara tc;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        if (!maWielomian(typ)) continue;  // exact inverse: wre_test.cpp
        tc.Typ = typ;
        const auto& pasma = kPasma[typ];
        ASSERT_EQ(pasma.size(), engine::podzakresyOdwrotnej(*engine::typZIndeksu(typ)).size());
        std::vector<double> min(pasma.size(), std::numeric_limits<double>::infinity());
        std::vector<double> max(pasma.size(), -std::numeric_limits<double>::infinity());
        std::vector<int> ile(pasma.size(), 0);
        const auto d = dziedzinaT(typ);
        const auto kOd = std::lround(d.od * 10.0);
        const auto kDo = std::lround(std::floor(d.doo * 10.0));
        for (auto k = kOd; k <= kDo; ++k) {
            const double t = static_cast<double>(k) / 10.0;
            const double u = tc.Temperatura(t);
            const auto n = pasmo(typ, u);
            if (!n) continue;  // outside the inverse domain
            const std::size_t i = *n;
            const auto& opisPasma = opis(typ, i);
            zasmiec(tc);
            const double blad = tc.EMF(u) - t;
            ASSERT_TRUE(zaladowany(tc, pasma[i].zestaw)) << "t = " << t << ", u = " << u;
            min[i] = std::min(min[i], blad);
            max[i] = std::max(max[i], blad);
            ++ile[i];
            EXPECT_GE(blad, opisPasma.bladMin - kZapas) << pasma[i].zestaw.nazwa << " t = " << t;
            EXPECT_LE(blad, opisPasma.bladMax + kZapas) << pasma[i].zestaw.nazwa << " t = " << t;
        }
        for (std::size_t i = 0; i < pasma.size(); ++i) {
            EXPECT_GT(ile[i], 100) << pasma[i].zestaw.nazwa << " barely exercised";
            raport << pasma[i].zestaw.nazwa << ": " << ile[i] << " points, error " << min[i]
                   << " to " << max[i] << " °C (band " << opis(typ, i).bladMin << " to "
                   << opis(typ, i).bladMax << ")\n";
        }
    }
    std::cout << raport.str();
    RecordProperty("inverse_errors", raport.str());
}

// The polynomials carry on outside their domain; the exact inverse that
// stands in for them (C, A) gives NaN there.
TEST(Emf, FiniteWellBeyondTheDomain) {
    engine::Termopara tc;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        tc.Typ = typ;
        if (!maWielomian(typ)) {
            EXPECT_TRUE(std::isnan(tc.EMF(dziedzinaU(typ).doo + 1.0))) << nazwaTypu(typ);
            EXPECT_TRUE(std::isfinite(tc.EMF(dziedzinaU(typ).doo))) << nazwaTypu(typ);
            continue;
        }
        int nieskonczone = 0;
        // Integer half-microvolt steps, so both widened ends are hit exactly.
        const auto od = std::lround((dziedzinaU(typ).od - 5000.0) * 2.0);
        const auto doo = std::lround((dziedzinaU(typ).doo + 5000.0) * 2.0);
        for (auto k = od; k <= doo; ++k) {
            if (!std::isfinite(tc.EMF(static_cast<double>(k) / 2.0))) ++nieskonczone;
        }
        EXPECT_EQ(nieskonczone, 0) << nazwaTypu(typ);
    }
}

TEST(Emf, NonFiniteArgumentGivesNonFiniteResult) {
    engine::Termopara tc;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        tc.Typ = typ;
        EXPECT_TRUE(std::isnan(tc.EMF(nan()))) << nazwaTypu(typ);
        EXPECT_FALSE(std::isfinite(tc.EMF(std::numeric_limits<double>::infinity())));
        EXPECT_FALSE(std::isfinite(tc.EMF(-std::numeric_limits<double>::infinity())));
    }
}

TEST(Emf, IndependentOfEarlierCalls) {
    engine::Termopara brudny;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        const auto d = dziedzinaU(typ);
        const double krok = (d.doo - d.od) / 997.0;
        for (int k = 0; k <= 997; ++k) {
            const double u = d.od + k * krok;
            const double czysty = emf(typ, u);
            for (std::int16_t inny = 0; inny < kLiczbaTypow; ++inny) {
                zasmiec(brudny);
                brudny.Typ = inny;
                brudny.Temperatura(-250.0);  // T and E fill slots up to 14
                brudny.Temperatura(500.0);   // K puts its exponential constants in 11, 12
                brudny.Typ = typ;
                const double wynik = brudny.EMF(u);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(wynik), std::bit_cast<std::uint64_t>(czysty))
                    << nazwaTypu(typ) << " at " << u << " after " << nazwaTypu(inny);
            }
        }
    }
}

}  // namespace
