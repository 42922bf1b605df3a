#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

// exp(x) of the engine's own, for type K's exponential term: the same bits
// on every platform and in every build, one value at a time or a vector of
// them, which the C library's exp does not promise. x = k ln2/256 + r;
// 2^(k/256) comes from a table kept to twice double precision, exp(r) from a
// short series. Within 0.51 ulp of exp(x): at most one ulp off the correctly
// rounded value, and that for about one argument in 3000.
namespace engine::wykladnicza {

// Double-double arithmetic: hi + lo, |lo| at most half an ulp of hi. Needs
// each product and sum rounded on its own (no fused multiply-add).
struct Podwojna {
    double hi;
    double lo;
};

// a + b exactly, for |a| >= |b|.
constexpr Podwojna szybkaSuma(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, for any a and b.
constexpr Podwojna suma(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a into two halves of 26 and 27 bits whose products are exact.
constexpr Podwojna polowki(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double h = c - (c - a);
    return {h, a - h};
}

// a * b exactly (Dekker), barring overflow.
constexpr Podwojna iloczyn(double a, double b) {
    const double p = a * b;
    const Podwojna x = polowki(a);
    const Podwojna y = polowki(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

constexpr Podwojna razy(Podwojna a, Podwojna b) {
    Podwojna p = iloczyn(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return szybkaSuma(p.hi, p.lo);
}

constexpr Podwojna plus(Podwojna a, Podwojna b) {
    Podwojna s = suma(a.hi, b.hi);
    s.lo += a.lo + b.lo;
    return szybkaSuma(s.hi, s.lo);
}

constexpr Podwojna przez(Podwojna a, double b) {
    const double q = a.hi / b;
    const Podwojna p = iloczyn(q, b);
    return szybkaSuma(q, (((a.hi - p.hi) - p.lo) + a.lo) / b);
}

// ln 2 to twice double precision.
inline constexpr Podwojna kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

inline constexpr int kBityTablicy = 8;
inline constexpr std::size_t kTablica = std::size_t{1} << kBityTablicy;

// e^y for 0 <= y < ln 2 by its Taylor series, to about 2^-104.
constexpr Podwojna eDo(Podwojna y) {
    Podwojna s{1.0, 0.0};
    Podwojna wyraz{1.0, 0.0};
    for (int k = 1; k <= 27; ++k) {
        wyraz = przez(razy(wyraz, y), k);
        s = plus(s, wyraz);
    }
    return s;
}

// 2^(j/N) as a double and its remaining part relative to it.
struct Potega {
    double wartosc;
    double reszta;
};

constexpr std::array<Potega, kTablica> potegi() {
    std::array<Potega, kTablica> t{};
    for (std::size_t j = 0; j < kTablica; ++j) {
        const Podwojna y = przez(razy(kLn2, {static_cast<double>(j), 0.0}), kTablica);
        const Podwojna p = eDo(y);
        t[j] = {p.hi, p.lo / p.hi};
    }
    return t;
}
inline constexpr std::array<Potega, kTablica> kPotegi = potegi();
static_assert(kPotegi[0].wartosc == 1.0 && kPotegi[0].reszta == 0.0);
static_assert(kPotegi[kTablica / 2].wartosc == 0x1.6a09e667f3bcdp+0);  // sqrt 2

// The compiler's bit cast, not std::bit_cast: emscripten's libc++ (LLVM 14)
// lacks that, and one spelling serves every build.

// Clears the low `bity` bits of x's significand.
constexpr double obetnij(double x, int bity) {
    const std::uint64_t maska = ~((std::uint64_t{1} << bity) - 1);
    return __builtin_bit_cast(double, __builtin_bit_cast(std::uint64_t, x) & maska);
}

// ln2/N in two parts (Cody and Waite): |k| < 2^18 over the arguments
// below, so k times the first part is exact, and so is x less that product.
inline constexpr Podwojna kKrok = przez(kLn2, kTablica);
inline constexpr double kKrok1 = obetnij(kKrok.hi, 21);
inline constexpr double kKrok2 = (kKrok.hi - kKrok1) + kKrok.lo;

// The arguments rdzen() takes: above them the result overflows, below them
// it is no longer a normal number.
inline constexpr double kOd = -708.0;
inline constexpr double kDo = 709.0;

// exp(x) for kOd <= x <= kDo. No branch, so a loop of it vectorises; any
// other x gives some finite or NaN value, never an out-of-bounds read.
[[gnu::always_inline]] inline double rdzen(double x) {
    constexpr double kNaKrok = static_cast<double>(kTablica) / kLn2.hi;
    constexpr double kPrzesuniecie = 0x1.8p52;  // rounds to an integer
    const double z = x * kNaKrok + kPrzesuniecie;
    const double k = z - kPrzesuniecie;
    const auto bity = __builtin_bit_cast(std::uint64_t, z);
    const Potega& p = kPotegi[bity & (kTablica - 1)];
    // 2^floor(k/N): the low bits of z hold 2^51 + k, and 2^51 is a multiple of N.
    constexpr std::uint64_t kZero =
        __builtin_bit_cast(std::uint64_t, kPrzesuniecie) >> kBityTablicy;
    const double skala =
        __builtin_bit_cast(double, ((bity >> kBityTablicy) - kZero + 1023U) << 52U);
    // r = x - k ln2/N, |r| <= ln2/2N.
    const double r = (x - k * kKrok1) - k * kKrok2;
    // exp(r) - 1 - r; the next term, r^7/7!, is below 2^-78.
    const double q =
        r * r * (0.5 + r * (1.0 / 6 + r * (1.0 / 24 + r * (1.0 / 120 + r * (1.0 / 720)))));
    // 2^(k/N) exp(r) = w (1 + t) (1 + r + q), less t (r + q), below 2^-62 of it.
    return (p.wartosc + p.wartosc * (r + (p.reszta + q))) * skala;
}

// exp(x) for any x: the C library's beyond rdzen()'s arguments, where the
// result is 0, subnormal, infinite or NaN.
inline double wartosc(double x) {
    return x >= kOd && x <= kDo ? rdzen(x) : std::exp(x);
}

}  // namespace engine::wykladnicza
