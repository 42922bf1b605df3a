#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "termopara.h"
#include "zestawy.h"

namespace {

using namespace zestawy;

double temperatura(std::int16_t typ, double t) {
    engine::Termopara tc;
    tc.Typ = typ;
    return tc.Temperatura(t);
}

struct Wartosc {
    std::int16_t typ;
    double t;
    long long setneUV;  // expected EMF in µV, rounded to hundredths
};

TEST(Temperatura, PublishedValues) {
    // clang-format off
    const Wartosc kWartosci[] = {
        {K, 1000.0,   4127561},
        {J, 760.0,    4291864},
        {T, -270.0,   -625751},
        {B, 630.615,  197837},
        {R, 1768.1,   2110270},
        {S, 1768.1,   1869354},
        {S, -50.0,    -23556},
        {E, -270.0,   -983495},
        {N, 1300.0,   4751277},
        {K, 100.0,    409623},
        {J, 20.0,     101915},
    };
    // clang-format on
    for (const auto& w : kWartosci) {
        EXPECT_EQ(setne(temperatura(w.typ, w.t)), w.setneUV) << nazwaTypu(w.typ) << " at " << w.t;
    }
}

TEST(Temperatura, ZeroDegreesGivesExactZeroExceptKAndA) {
    // A's approximating polynomial gives its c0, 0.716 µV, as published.
    EXPECT_EQ(temperatura(A, 0.0), engine::kARef[0]);
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        if (typ == K || typ == A) continue;
        EXPECT_EQ(temperatura(typ, 0.0), 0.0) << nazwaTypu(typ);
        EXPECT_EQ(temperatura(typ, -0.0), 0.0) << nazwaTypu(typ);
    }
    // K's 0 °C takes the upper set: c0 plus the exponential term, not the lower set's 0.
    const double k0 = temperatura(K, 0.0);
    EXPECT_GT(k0, 1e-6);
    EXPECT_LT(k0, 3e-6);
}

// clang-format off
const Granica kGranice[] = {
    // Domain ends: the end sets carry on outside.
    {J, -210.0,  kJRef1, kJRef1, kJRef1},
    {J, 1200.0,  kJRef2, kJRef2, kJRef2},
    {K, -270.0,  kKRef1, kKRef1, kKRef1},
    {K, 1372.0,  kKRef2, kKRef2, kKRef2},
    {T, -270.0,  kTRef1, kTRef1, kTRef1},
    {T, 400.0,   kTRef2, kTRef2, kTRef2},
    {E, -270.0,  kERef1, kERef1, kERef1},
    {E, 1000.0,  kERef2, kERef2, kERef2},
    {N, -270.0,  kNRef1, kNRef1, kNRef1},
    {N, 1300.0,  kNRef2, kNRef2, kNRef2},
    {B, 0.0,     kBRef1, kBRef1, kBRef1},
    {B, 1820.0,  kBRef2, kBRef2, kBRef2},
    {R, -50.0,   kRRef1, kRRef1, kRRef1},
    {R, 1768.1,  kRRef3, kRRef3, kRRef3},
    {S, -50.0,   kSRef1, kSRef1, kSRef1},
    {S, 1768.1,  kSRef3, kSRef3, kSRef3},
    {C, 0.0,     kCRef1, kCRef1, kCRef1},
    {C, 2315.0,  kCRef2, kCRef2, kCRef2},
    {A, 0.0,     kARef,  kARef,  kARef},
    {A, 2500.0,  kARef,  kARef,  kARef},
    // Inner bounds belong to the lower set, except K's 0 °C and C's 630.615 °C.
    {J, 760.0,   kJRef1, kJRef1, kJRef2},
    {K, 0.0,     kKRef1, kKRef2, kKRef2},
    {T, 0.0,     kTRef1, kTRef1, kTRef2},
    {E, 0.0,     kERef1, kERef1, kERef2},
    {N, 0.0,     kNRef1, kNRef1, kNRef2},
    {B, 630.615, kBRef1, kBRef1, kBRef2},
    {R, 1064.18, kRRef1, kRRef1, kRRef2},
    {R, 1664.5,  kRRef2, kRRef2, kRRef3},
    {S, 1064.18, kSRef1, kSRef1, kSRef2},
    {S, 1664.5,  kSRef2, kSRef2, kSRef3},
    {C, 630.615, kCRef1, kCRef2, kCRef2},
};
// clang-format on

TEST(Temperatura, SubRangeBoundsFromBothSides) {
    engine::Termopara tc;
    for (const Granica& g : kGranice) {
        SCOPED_TRACE(::testing::Message() << nazwaTypu(g.typ) << " at " << g.x << " °C");
        tc.Typ = g.typ;
        const struct {
            double t;
            const Zestaw& z;
        } kPunkty[] = {{ponizej(g.x), g.ponizej}, {g.x, g.na}, {powyzej(g.x), g.powyzej}};
        double wyniki[3];
        int i = 0;
        for (const auto& p : kPunkty) {
            zasmiec(tc);
            wyniki[i++] = tc.Temperatura(p.t);
            EXPECT_TRUE(zaladowany(tc, p.z)) << "t = " << p.t;
        }
        // Adjacent sets meet to well under 1 nV; a wrong set or slot would not.
        EXPECT_NEAR(wyniki[0], wyniki[1], 1e-3);
        EXPECT_NEAR(wyniki[1], wyniki[2], 1e-3);
    }
}

TEST(Temperatura, OutsideDomainUsesEndSets) {
    // clang-format off
    const struct { std::int16_t typ; double t; const Zestaw& z; } kPunkty[] = {
        {J, -300.0, kJRef1}, {J, 2000.0, kJRef2},
        {K, -300.0, kKRef1}, {K, 2000.0, kKRef2},
        {T, -300.0, kTRef1}, {T, 2000.0, kTRef2},
        {E, -300.0, kERef1}, {E, 2000.0, kERef2},
        {N, -300.0, kNRef1}, {N, 2000.0, kNRef2},
        {B, -30.0,  kBRef1}, {B, 2000.0, kBRef2},
        {R, -300.0, kRRef1}, {R, 2000.0, kRRef3},
        {S, -300.0, kSRef1}, {S, 2000.0, kSRef3},
    };
    // clang-format on
    engine::Termopara tc;
    for (const auto& p : kPunkty) {
        tc.Typ = p.typ;
        zasmiec(tc);
        EXPECT_TRUE(std::isfinite(tc.Temperatura(p.t)));
        EXPECT_TRUE(zaladowany(tc, p.z)) << nazwaTypu(p.typ) << " at " << p.t;
    }
}

TEST(Temperatura, FiniteFromMinus300To2000) {
    engine::Termopara tc;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        tc.Typ = typ;
        int nieskonczone = 0;
        for (int k = -1200; k <= 8000; ++k) {
            const double t = k / 4.0;
            if (!std::isfinite(tc.Temperatura(t))) ++nieskonczone;
        }
        EXPECT_EQ(nieskonczone, 0) << nazwaTypu(typ);
    }
}

TEST(Temperatura, NonFiniteArgumentGivesNonFiniteResult) {
    engine::Termopara tc;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        tc.Typ = typ;
        EXPECT_TRUE(std::isnan(tc.Temperatura(nan()))) << nazwaTypu(typ);
        EXPECT_FALSE(std::isfinite(tc.Temperatura(std::numeric_limits<double>::infinity())));
        EXPECT_FALSE(std::isfinite(tc.Temperatura(-std::numeric_limits<double>::infinity())));
    }
}

// Results must come from the call's own slots only: poison the table, leave
// other types' sets behind, and expect bit-identical results.
TEST(Temperatura, IndependentOfEarlierCalls) {
    engine::Termopara brudny;
    for (std::int16_t typ = 0; typ < kLiczbaTypow; ++typ) {
        const auto d = dziedzinaT(typ);
        // An integer counter: a summed floating-point step would drift.
        const int kroki = static_cast<int>((d.doo - d.od) / 3.7);
        for (int k = 0; k <= kroki; ++k) {
            const double t = d.od + 3.7 * k;
            const double czysty = temperatura(typ, t);
            for (std::int16_t inny = 0; inny < kLiczbaTypow; ++inny) {
                zasmiec(brudny);
                brudny.Typ = inny;
                brudny.Temperatura(-250.0);  // T and E fill slots up to 14
                brudny.EMF(-5000.0);
                brudny.Typ = typ;
                const double wynik = brudny.Temperatura(t);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(wynik), std::bit_cast<std::uint64_t>(czysty))
                    << nazwaTypu(typ) << " at " << t << " after " << nazwaTypu(inny);
            }
        }
    }
}

}  // namespace
