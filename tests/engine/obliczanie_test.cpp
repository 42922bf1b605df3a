#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "termopara.h"
#include "zestawy.h"

// The evaluation order is part of the result's last bits: nested for J and K,
// term-by-term power sums for the others and for every inverse set, each term
// c_i*t*...*t, added in ascending order; K's exponential term square first.
// A rewrite (Horner everywhere, powers via std::pow, fused multiply-add)
// changes those bits, which this checks against the definitions.

namespace {

using namespace zestawy;

double zagniezdzona(std::span<const double> c, double t) {
    double e = c.back();
    for (std::size_t i = c.size() - 1; i-- > 0;) e = e * t + c[i];
    return e;
}

double sumaPoteg(std::span<const double> c, double t) {
    double s = c[0] + c[1] * t;
    for (std::size_t i = 2; i < c.size(); ++i) {
        double wyraz = c[i];
        for (std::size_t k = 0; k < i; ++k) wyraz = wyraz * t;
        s = s + wyraz;
    }
    return s;
}

double kPowyzejZera(double t) {
    const double d = t - engine::kKExpA2;
    const double kwadrat = d * d;
    const double wykladnik = engine::kKExpA1 * kwadrat;
    return zagniezdzona(engine::kKRef2, t) + engine::kKExpA0 * std::exp(wykladnik);
}

enum class Wzor { Zagniezdzony, KWykladniczy, Potegowy };

struct Odcinek {
    std::int16_t typ;
    double od;
    double doo;
    const Zestaw& zestaw;
    Wzor wzor;
};

double wedlugWzoru(const Odcinek& o, double x) {
    switch (o.wzor) {
        case Wzor::Zagniezdzony:
            return zagniezdzona(o.zestaw.wsp, x);
        case Wzor::KWykladniczy:
            return kPowyzejZera(x);
        case Wzor::Potegowy:
            break;
    }
    return sumaPoteg(o.zestaw.wsp, x);
}

// Interior points of each sub-range, so the choice of set is not in question.
void sprawdz(const Odcinek& o, bool odwrotna) {
    constexpr int kPunkty = 2000;
    engine::Termopara tc;
    tc.Typ = o.typ;
    int rozne = 0;
    for (int k = 0; k < kPunkty; ++k) {
        const double x = o.od + (o.doo - o.od) * (k + 0.5) / kPunkty;
        const double wynik = odwrotna ? tc.EMF(x) : tc.Temperatura(x);
        if (std::bit_cast<std::uint64_t>(wynik) !=
            std::bit_cast<std::uint64_t>(wedlugWzoru(o, x))) {
            ++rozne;
        }
    }
    EXPECT_EQ(rozne, 0) << o.zestaw.nazwa;
}

TEST(Obliczanie, ReferenceFunctionBitExact) {
    constexpr auto Z = Wzor::Zagniezdzony;
    constexpr auto P = Wzor::Potegowy;
    // clang-format off
    const Odcinek kOdcinki[] = {
        {J, -210.0, 760.0, kJRef1, Z}, {J, 760.0, 1200.0, kJRef2, Z},
        {K, -270.0, 0.0, kKRef1, Z},   {K, 0.0, 1372.0, kKRef2, Wzor::KWykladniczy},
        {T, -270.0, 0.0, kTRef1, P},   {T, 0.0, 400.0, kTRef2, P},
        {E, -270.0, 0.0, kERef1, P},   {E, 0.0, 1000.0, kERef2, P},
        {N, -270.0, 0.0, kNRef1, P},   {N, 0.0, 1300.0, kNRef2, P},
        {B, 0.0, 630.615, kBRef1, P},  {B, 630.615, 1820.0, kBRef2, P},
        {R, -50.0, 1064.18, kRRef1, P}, {R, 1064.18, 1664.5, kRRef2, P}, {R, 1664.5, 1768.1, kRRef3, P},
        {S, -50.0, 1064.18, kSRef1, P}, {S, 1064.18, 1664.5, kSRef2, P}, {S, 1664.5, 1768.1, kSRef3, P},
    };
    // clang-format on
    for (const auto& o : kOdcinki) sprawdz(o, false);
}

TEST(Obliczanie, InverseBitExact) {
    constexpr auto P = Wzor::Potegowy;
    // clang-format off
    const Odcinek kOdcinki[] = {
        {J, -8095.0, 0.0, kJInv1, P}, {J, 0.0, 42919.0, kJInv2, P}, {J, 42919.0, 69553.0, kJInv3, P},
        {K, -5891.0, 0.0, kKInv1, P}, {K, 0.0, 20644.0, kKInv2, P}, {K, 20644.0, 54886.0, kKInv3, P},
        {T, -5603.0, 0.0, kTInv1, P}, {T, 0.0, 20872.0, kTInv2, P},
        {E, -8825.0, 0.0, kEInv1, P}, {E, 0.0, 76373.0, kEInv2, P},
        {N, -3990.0, 0.0, kNInv1, P}, {N, 0.0, 20613.0, kNInv2, P}, {N, 20613.0, 47513.0, kNInv3, P},
        {B, 291.0, 2431.0, kBInv1, P}, {B, 2431.0, 13820.0, kBInv2, P},
        {R, -226.0, 1923.0, kRInv1, P}, {R, 1923.0, 13228.0, kRInv2, P},
        {R, 13228.0, 19739.0, kRInv3, P}, {R, 19739.0, 21103.0, kRInv4, P},
        {S, -235.0, 1874.0, kSInv1, P}, {S, 1874.0, 11950.0, kSInv2, P},
        {S, 11950.0, 17536.0, kSInv3, P}, {S, 17536.0, 18693.0, kSInv4, P},
    };
    // clang-format on
    for (const auto& o : kOdcinki) sprawdz(o, true);
}

}  // namespace
