#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <limits>
#include <sstream>
#include <vector>

#include "termopara.h"
#include "zestawy.h"

namespace {

using namespace zestawy;

double emf(std::int16_t typ, double u) {
    Termopara tc;
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
            << kLitery[w.typ] << " at " << std::setprecision(17) << w.u << " µV";
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
    Termopara tc;
    for (const Granica& g : kGranice) {
        SCOPED_TRACE(::testing::Message() << kLitery[g.typ] << " at " << g.x << " µV");
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

// The inverse sub-ranges in effect, with NIST's published error band of each set.
struct Pasmo {
    double dol;
    double gora;
    bool dolWlacznie;
    bool goraWlacznie;
    double bladMin;
    double bladMax;
    const Zestaw& zestaw;
};

// clang-format off
const std::vector<Pasmo> kPasma[] = {
    /* J */ {{-8095.0, 0.0, true, true, -0.05, 0.03, kJInv1},
             {0.0, 42919.0, false, true, -0.04, 0.04, kJInv2},
             {42919.0, 69553.0, false, true, -0.04, 0.03, kJInv3}},
    /* K */ {{-5891.0, 0.0, true, true, -0.02, 0.04, kKInv1},
             {0.0, 20644.0, false, true, -0.05, 0.04, kKInv2},
             {20644.0, 54886.0, false, true, -0.05, 0.06, kKInv3}},
    /* T */ {{-5603.0, 0.0, true, true, -0.02, 0.04, kTInv1},
             {0.0, 20872.0, false, true, -0.03, 0.03, kTInv2}},
    /* E */ {{-8825.0, 0.0, true, true, -0.01, 0.03, kEInv1},
             {0.0, 76373.0, false, true, -0.02, 0.02, kEInv2}},
    /* N */ {{-3990.0, 0.0, true, true, -0.02, 0.03, kNInv1},
             {0.0, 20613.0, false, true, -0.02, 0.03, kNInv2},
             {20613.0, 47513.0, false, true, -0.04, 0.02, kNInv3}},
    /* B */ {{291.0, 2431.0, true, true, -0.02, 0.03, kBInv1},
             {2431.0, 13820.0, false, true, -0.01, 0.02, kBInv2}},
    /* R */ {{-226.0, 1923.0, true, false, -0.02, 0.02, kRInv1},
             {1923.0, 13228.0, true, false, -0.005, 0.005, kRInv2},
             {13228.0, 19739.0, true, false, -0.0005, 0.001, kRInv3},
             {19739.0, 21103.0, true, true, -0.001, 0.002, kRInv4}},
    /* S */ {{-235.0, 1874.0, true, true, -0.02, 0.02, kSInv1},
             {1874.0, 11950.0, false, false, -0.01, 0.01, kSInv2},
             {11950.0, 17536.0, true, false, -0.0002, 0.0002, kSInv3},
             {17536.0, 18693.0, true, true, -0.002, 0.002, kSInv4}},
};
// clang-format on

const Pasmo* pasmo(std::int16_t typ, double u) {
    for (const Pasmo& p : kPasma[typ]) {
        const bool nad = p.dolWlacznie ? u >= p.dol : u > p.dol;
        const bool pod = p.goraWlacznie ? u <= p.gora : u < p.gora;
        if (nad && pod) return &p;
    }
    return nullptr;
}

// Every tenth of a degree whose EMF lies in the inverse domain must come back
// within the published error of the set in effect, widened by 0.005 °C.
TEST(Emf, RoundTripWithinPublishedErrorBands) {
    constexpr int kOdDziesiatych[] = {-2100, -2700, -2700, -2700, -2700, 0, -500, -500};
    constexpr int kDoDziesiatych[] = {12000, 13720, 4000, 10000, 13000, 18200, 17681, 17681};
    constexpr double kZapas = 0.005;
    std::ostringstream raport;
    raport << std::fixed << std::setprecision(4);
    Termopara tc;
    for (std::int16_t typ = 0; typ < 8; ++typ) {
        tc.Typ = typ;
        const auto& pasma = kPasma[typ];
        std::vector<double> min(pasma.size(), std::numeric_limits<double>::infinity());
        std::vector<double> max(pasma.size(), -std::numeric_limits<double>::infinity());
        std::vector<int> ile(pasma.size(), 0);
        for (int k = kOdDziesiatych[typ]; k <= kDoDziesiatych[typ]; ++k) {
            const double t = k / 10.0;
            const double u = tc.Temperatura(t);
            const Pasmo* p = pasmo(typ, u);
            if (p == nullptr) continue;  // outside the inverse domain
            zasmiec(tc);
            const double blad = tc.EMF(u) - t;
            ASSERT_TRUE(zaladowany(tc, p->zestaw)) << "t = " << t << ", u = " << u;
            const auto i = static_cast<std::size_t>(p - pasma.data());
            min[i] = std::min(min[i], blad);
            max[i] = std::max(max[i], blad);
            ++ile[i];
            EXPECT_GE(blad, p->bladMin - kZapas) << p->zestaw.nazwa << " t = " << t;
            EXPECT_LE(blad, p->bladMax + kZapas) << p->zestaw.nazwa << " t = " << t;
        }
        for (std::size_t i = 0; i < pasma.size(); ++i) {
            EXPECT_GT(ile[i], 100) << pasma[i].zestaw.nazwa << " barely exercised";
            raport << pasma[i].zestaw.nazwa << ": " << ile[i] << " points, error " << min[i]
                   << " to " << max[i] << " °C (band " << pasma[i].bladMin << " to "
                   << pasma[i].bladMax << ")\n";
        }
    }
    std::cout << raport.str();
    RecordProperty("inverse_errors", raport.str());
}

TEST(Emf, FiniteWellBeyondTheDomain) {
    const double kOd[] = {-8095.0, -5891.0, -5603.0, -8825.0, -3990.0, 291.0, -226.0, -235.0};
    const double kDo[] = {69553.0, 54886.0, 20872.0, 76373.0, 47513.0, 13820.0, 21103.0, 18693.0};
    Termopara tc;
    for (std::int16_t typ = 0; typ < 8; ++typ) {
        tc.Typ = typ;
        int nieskonczone = 0;
        // Integer half-microvolt steps, so both widened ends are hit exactly.
        const auto od = std::lround((kOd[typ] - 5000.0) * 2.0);
        const auto doo = std::lround((kDo[typ] + 5000.0) * 2.0);
        for (auto k = od; k <= doo; ++k) {
            if (!std::isfinite(tc.EMF(static_cast<double>(k) / 2.0))) ++nieskonczone;
        }
        EXPECT_EQ(nieskonczone, 0) << kLitery[typ];
    }
}

TEST(Emf, NonFiniteArgumentGivesNonFiniteResult) {
    Termopara tc;
    for (std::int16_t typ = 0; typ < 8; ++typ) {
        tc.Typ = typ;
        EXPECT_TRUE(std::isnan(tc.EMF(nan()))) << kLitery[typ];
        EXPECT_FALSE(std::isfinite(tc.EMF(std::numeric_limits<double>::infinity())));
        EXPECT_FALSE(std::isfinite(tc.EMF(-std::numeric_limits<double>::infinity())));
    }
}

TEST(Emf, IndependentOfEarlierCalls) {
    const double kOd[] = {-8095.0, -5891.0, -5603.0, -8825.0, -3990.0, 291.0, -226.0, -235.0};
    const double kDo[] = {69553.0, 54886.0, 20872.0, 76373.0, 47513.0, 13820.0, 21103.0, 18693.0};
    Termopara brudny;
    for (std::int16_t typ = 0; typ < 8; ++typ) {
        const double krok = (kDo[typ] - kOd[typ]) / 997.0;
        for (int k = 0; k <= 997; ++k) {
            const double u = kOd[typ] + k * krok;
            const double czysty = emf(typ, u);
            for (std::int16_t inny = 0; inny < 8; ++inny) {
                zasmiec(brudny);
                brudny.Typ = inny;
                brudny.Temperatura(-250.0);  // T and E fill slots up to 14
                brudny.Temperatura(500.0);   // K puts its exponential constants in 11, 12
                brudny.Typ = typ;
                const double wynik = brudny.EMF(u);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(wynik), std::bit_cast<std::uint64_t>(czysty))
                    << kLitery[typ] << " at " << u << " after " << kLitery[inny];
            }
        }
    }
}

}  // namespace
