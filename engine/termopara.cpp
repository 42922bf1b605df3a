#include "termopara.h"

#include <cmath>
#include <cstddef>
#include <span>
#include <tuple>
#include <utility>

#include "wspolczynniki_its90.h"

namespace {

using Tablica = std::array<double, 16>;

// A coefficient set padded with zeros to the widest set (T below 0 °C).
using Zestaw = std::array<double, 15>;

template <std::size_t N>
constexpr Zestaw dopelnij(const std::array<double, N>& c) {
    static_assert(N <= std::tuple_size_v<Zestaw>);
    Zestaw z{};
    for (std::size_t i = 0; i < N; ++i) z[i] = c[i];
    return z;
}

// How a set is evaluated, with the highest slot that the evaluation reads.
enum class Wzor : std::uint8_t {
    Zagniezdzony10,     // Horner from slot 10 down (J, K below 0 °C)
    ZagniezdzonyWykl9,  // Horner from slot 9, plus type K's exponential term
    Potegowy10,         // c0 + c1*t + c2*t*t + ... up to slot 10
    Potegowy13,         // E below 0 °C
    Potegowy14,         // T below 0 °C
};

struct Przedzial {
    double dol;
    double gora;
    bool dolWlacznie;
    bool goraWlacznie;
    Zestaw wsp;
    Wzor wzor;
};

constexpr auto Z = Wzor::Zagniezdzony10;
constexpr auto ZW = Wzor::ZagniezdzonyWykl9;
constexpr auto P = Wzor::Potegowy10;
constexpr auto P13 = Wzor::Potegowy13;
constexpr auto P14 = Wzor::Potegowy14;

// Reference-function sub-ranges in °C, in the order they are tested. A shared
// bound belongs to the lower sub-range, except type K's 0 °C.
// clang-format off
constexpr std::array<Przedzial, 2> kRefJ{{
    {-210.0,    760.0,    true,  true, dopelnij(its90::kJRef1), Z},
    { 760.0,    1200.0,   false, true, dopelnij(its90::kJRef2), Z},
}};
constexpr std::array<Przedzial, 2> kRefK{{
    {-270.0,    0.0,      true,  false, dopelnij(its90::kKRef1), Z},
    { 0.0,      1372.0,   true,  true,  dopelnij(its90::kKRef2), ZW},
}};
constexpr std::array<Przedzial, 2> kRefT{{
    {-270.0,    0.0,      true,  true, dopelnij(its90::kTRef1), P14},
    { 0.0,      400.0,    false, true, dopelnij(its90::kTRef2), P},
}};
constexpr std::array<Przedzial, 2> kRefE{{
    {-270.0,    0.0,      true,  true, dopelnij(its90::kERef1), P13},
    { 0.0,      1000.0,   false, true, dopelnij(its90::kERef2), P},
}};
constexpr std::array<Przedzial, 2> kRefN{{
    {-270.0,    0.0,      true,  true, dopelnij(its90::kNRef1), P},
    { 0.0,      1300.0,   false, true, dopelnij(its90::kNRef2), P},
}};
constexpr std::array<Przedzial, 2> kRefB{{
    { 0.0,      630.615,  true,  true, dopelnij(its90::kBRef1), P},
    { 630.615,  1820.0,   false, true, dopelnij(its90::kBRef2), P},
}};
constexpr std::array<Przedzial, 3> kRefR{{
    {-50.0,     1064.18,  true,  true, dopelnij(its90::kRRef1), P},
    { 1064.18,  1664.5,   false, true, dopelnij(its90::kRRef2), P},
    { 1664.5,   1768.1,   false, true, dopelnij(its90::kRRef3), P},
}};
constexpr std::array<Przedzial, 3> kRefS{{
    {-50.0,     1064.18,  true,  true, dopelnij(its90::kSRef1), P},
    { 1064.18,  1664.5,   false, true, dopelnij(its90::kSRef2), P},
    { 1664.5,   1768.1,   false, true, dopelnij(its90::kSRef3), P},
}};

// Inverse sub-ranges in µV, in the order they are tested. R and S have
// sub-ranges sharing a closed bound; there the later one applies.
constexpr std::array<Przedzial, 3> kOdwJ{{
    {-8095.0,   0.0,      true,  true, dopelnij(its90::kJInv1), P},
    { 0.0,      42919.0,  false, true, dopelnij(its90::kJInv2), P},
    { 42919.0,  69553.0,  false, true, dopelnij(its90::kJInv3), P},
}};
constexpr std::array<Przedzial, 3> kOdwK{{
    {-5891.0,   0.0,      true,  true, dopelnij(its90::kKInv1), P},
    { 0.0,      20644.0,  false, true, dopelnij(its90::kKInv2), P},
    { 20644.0,  54886.0,  false, true, dopelnij(its90::kKInv3), P},
}};
constexpr std::array<Przedzial, 2> kOdwT{{
    {-5603.0,   0.0,      true,  true, dopelnij(its90::kTInv1), P},
    { 0.0,      20872.0,  false, true, dopelnij(its90::kTInv2), P},
}};
constexpr std::array<Przedzial, 2> kOdwE{{
    {-8825.0,   0.0,      true,  true, dopelnij(its90::kEInv1), P},
    { 0.0,      76373.0,  false, true, dopelnij(its90::kEInv2), P},
}};
constexpr std::array<Przedzial, 3> kOdwN{{
    {-3990.0,   0.0,      true,  true, dopelnij(its90::kNInv1), P},
    { 0.0,      20613.0,  false, true, dopelnij(its90::kNInv2), P},
    { 20613.0,  47513.0,  false, true, dopelnij(its90::kNInv3), P},
}};
constexpr std::array<Przedzial, 2> kOdwB{{
    { 291.0,    2431.0,   true,  true, dopelnij(its90::kBInv1), P},
    { 2431.0,   13820.0,  false, true, dopelnij(its90::kBInv2), P},
}};
constexpr std::array<Przedzial, 4> kOdwR{{
    {-226.0,    1923.0,   true,  true,  dopelnij(its90::kRInv1), P},
    { 1923.0,   13228.0,  true,  false, dopelnij(its90::kRInv2), P},
    { 13228.0,  19739.0,  true,  false, dopelnij(its90::kRInv3), P},
    { 19739.0,  21103.0,  true,  true,  dopelnij(its90::kRInv4), P},
}};
constexpr std::array<Przedzial, 4> kOdwS{{
    {-235.0,    1874.0,   true,  true, dopelnij(its90::kSInv1), P},
    { 1874.0,   11950.0,  false, true, dopelnij(its90::kSInv2), P},
    { 11950.0,  17536.0,  true,  true, dopelnij(its90::kSInv3), P},
    { 17536.0,  18693.0,  true,  true, dopelnij(its90::kSInv4), P},
}};
// clang-format on

// Indexed by Typ: J, K, T, E, N, B, R, S.
constexpr std::array<std::span<const Przedzial>, 8> kReferencyjne{kRefJ, kRefK, kRefT, kRefE,
                                                                  kRefN, kRefB, kRefR, kRefS};
constexpr std::array<std::span<const Przedzial>, 8> kOdwrotne{kOdwJ, kOdwK, kOdwT, kOdwE,
                                                              kOdwN, kOdwB, kOdwR, kOdwS};

constexpr bool nadDolem(const Przedzial& p, double x) {
    return p.dolWlacznie ? x >= p.dol : x > p.dol;
}

// Each list tiles its domain from left to right: every sub-range is
// non-empty and starts where the one before it ends, and the shared bound
// belongs to at least one of the two.
constexpr bool ciagle(const std::array<std::span<const Przedzial>, 8>& listy) {
    for (const auto lista : listy) {
        for (std::size_t k = 0; k < lista.size(); ++k) {
            const Przedzial& b = lista[k];
            if (!(b.dol < b.gora)) return false;
            if (k == 0) continue;
            const Przedzial& a = lista[k - 1];
            if (b.dol != a.gora || (!a.goraWlacznie && !b.dolWlacznie)) return false;
        }
    }
    return true;
}
static_assert(ciagle(kReferencyjne) && ciagle(kOdwrotne));

// The sub-range in effect is the last one that contains x: where two share a
// closed bound (R, S inverse) the later one applies. On a tiled list that is
// the last one whose lower bound x passes, which also carries the end
// sub-ranges on outside the domain (the first below it, the last above it),
// so every finite argument gives a finite result. Counting keeps it free of
// data-dependent branches.
const Przedzial& wybierz(std::span<const Przedzial> lista, double x) {
    std::size_t i = 0;
    for (std::size_t k = 1; k < lista.size(); ++k) i += nadDolem(lista[k], x) ? 1U : 0U;
    return lista[i];
}

// Copies slots 0..Szczyt: the set and, above its last coefficient, the zeros
// that the evaluation reads, so no result depends on an earlier call.
template <std::size_t Szczyt>
void zaladuj(Tablica& w, const Zestaw& z) {
    for (std::size_t i = 0; i <= Szczyt; ++i) w[i] = z[i];
}

template <std::size_t Szczyt>
double zagniezdzony(const Tablica& w, double x) {
    double e = w[Szczyt];
    for (std::size_t i = Szczyt; i-- > 0;) e = e * x + w[i];
    return e;
}

// c*x*x*...*x, one multiplication per element of the sequence, left to right.
template <std::size_t... K>
double razyPotega(double c, double x, std::index_sequence<K...>) {
    ((static_cast<void>(K), c *= x), ...);
    return c;
}

// Terms added in ascending order of the power; the published evaluation's
// rounding depends on that order, so no Horner here. Unrolled at compile time.
template <std::size_t... I>
double sumaPoteg(const Tablica& w, double x, std::index_sequence<I...>) {
    double s = w[0] + w[1] * x;
    ((s += razyPotega(w[I + 2], x, std::make_index_sequence<I + 2>{})), ...);
    return s;
}

template <std::size_t Szczyt>
double potegowy(const Tablica& w, double x) {
    return sumaPoteg(w, x, std::make_index_sequence<Szczyt - 1>{});
}

template <std::size_t Szczyt>
double zaladujPotegowy(Tablica& w, const Zestaw& z, double x) {
    zaladuj<Szczyt>(w, z);
    return potegowy<Szczyt>(w, x);
}

}  // namespace

// A Typ outside 0..7 leaves Wsp alone and returns the initial 0.
double Termopara::Temperatura(double t) {
    if (Typ < 0 || Typ >= static_cast<std::int16_t>(kReferencyjne.size())) return 0.0;
    const Przedzial& p = wybierz(kReferencyjne[static_cast<std::size_t>(Typ)], t);
    switch (p.wzor) {
        case Wzor::Zagniezdzony10:
            zaladuj<10>(Wsp, p.wsp);
            return zagniezdzony<10>(Wsp, t);
        case Wzor::ZagniezdzonyWykl9: {
            zaladuj<9>(Wsp, p.wsp);
            Wsp[11] = its90::kKExpA0;
            Wsp[12] = its90::kKExpA1;
            const double e = zagniezdzony<9>(Wsp, t);
            const double d = t - its90::kKExpA2;
            const double kwadrat = d * d;
            return e + Wsp[11] * std::exp(Wsp[12] * kwadrat);
        }
        case Wzor::Potegowy13:
            return zaladujPotegowy<13>(Wsp, p.wsp, t);
        case Wzor::Potegowy14:
            return zaladujPotegowy<14>(Wsp, p.wsp, t);
        case Wzor::Potegowy10:
            break;
    }
    return zaladujPotegowy<10>(Wsp, p.wsp, t);
}

double Termopara::EMF(double u) {
    if (Typ < 0 || Typ >= static_cast<std::int16_t>(kOdwrotne.size())) return 0.0;
    const Przedzial& p = wybierz(kOdwrotne[static_cast<std::size_t>(Typ)], u);
    return zaladujPotegowy<10>(Wsp, p.wsp, u);
}
