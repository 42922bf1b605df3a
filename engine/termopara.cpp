#include "termopara.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <tuple>
#include <utility>

#include "its90.h"
#include "katalog.h"
#include "podzakresy.h"
#include "wspolczynniki_its90.h"
#include "wykladnicza.h"

namespace engine {

namespace {

using Tablica = std::array<double, 16>;

// Every type's lists, by catalogue index.
using Listy = std::array<std::span<const Przedzial>, kLiczbaTypow>;
constexpr Listy kReferencyjne = [] {
    Listy l{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) l[i] = kKatalog[i].referencyjne;
    return l;
}();
constexpr Listy kOdwrotne = [] {
    Listy l{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) l[i] = kKatalog[i].odwrotne;
    return l;
}();

// The longest list: per-type tables derived from the lists hold that many.
constexpr std::size_t kMaksPodzakresow = [] {
    std::size_t n = 0;
    for (const WierszKatalogu& w : kKatalog)
        n = std::max({n, w.referencyjne.size(), w.odwrotne.size()});
    return n;
}();

// F applied to each sub-range of each type's list, by catalogue index.
template <class Element, class F>
constexpr auto przetworz(const Listy& listy, F f) {
    std::array<std::array<Element, kMaksPodzakresow>, kLiczbaTypow> t{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) {
        for (std::size_t k = 0; k < listy[i].size(); ++k) t[i][k] = f(listy[i][k]);
    }
    return t;
}

constexpr bool nadDolem(const Przedzial& p, double x) {
    return p.dolWlacznie ? x >= p.dol : x > p.dol;
}

// Each list tiles its domain from left to right: every sub-range is
// non-empty and starts where the one before it ends, and the shared bound
// belongs to at least one of the two.
constexpr bool ciagle(const Listy& listy) {
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
constexpr const Przedzial& wybierz(std::span<const Przedzial> lista, double x) {
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

// Evaluated on Wsp by Termopara and on the set itself by the stateless
// functions: the same slots in the same order, so the same bits.
// Unrolled at compile time, so that a loop over values around it vectorises.
template <std::size_t Szczyt, class Wsp, std::size_t... I>
[[gnu::always_inline]] inline double rozwiniety(const Wsp& w, double x, std::index_sequence<I...>) {
    double e = w[Szczyt];
    ((e = e * x + w[Szczyt - 1 - I]), ...);
    return e;
}

template <std::size_t Szczyt, class Wsp>
[[gnu::always_inline]] inline double zagniezdzony(const Wsp& w, double x) {
    return rozwiniety<Szczyt>(w, x, std::make_index_sequence<Szczyt>{});
}

// c*x*x*...*x, one multiplication per element of the sequence, left to right.
template <std::size_t... K>
[[gnu::always_inline]] inline double razyPotega(double c, double x, std::index_sequence<K...>) {
    ((static_cast<void>(K), c *= x), ...);
    return c;
}

// Terms added in ascending order of the power; the published evaluation's
// rounding depends on that order, so no Horner here. Unrolled at compile time.
template <class Wsp, std::size_t... I>
[[gnu::always_inline]] inline double sumaPoteg(const Wsp& w, double x, std::index_sequence<I...>) {
    double s = w[0] + w[1] * x;
    ((s += razyPotega(w[I + 2], x, std::make_index_sequence<I + 2>{})), ...);
    return s;
}

template <std::size_t Szczyt, class Wsp>
[[gnu::always_inline]] inline double potegowy(const Wsp& w, double x) {
    return sumaPoteg(w, x, std::make_index_sequence<Szczyt - 1>{});
}

template <std::size_t Szczyt>
double zaladujPotegowy(Tablica& w, const Zestaw& z, double x) {
    zaladuj<Szczyt>(w, z);
    return potegowy<Szczyt>(w, x);
}

// a1 * (t - a2)^2 of type K's exponential term, square first.
[[gnu::always_inline]] inline double wykladnikK(double a1, double t) {
    const double d = t - engine::kKExpA2;
    const double kwadrat = d * d;
    return a1 * kwadrat;
}

// Type K above 0 °C: a0 * exp(a1 * (t - a2)^2) on top of the polynomial. The
// engine's own exp, so that a run of values gives the same bits (emfBlok).
double wykladniczyK(double a0, double a1, double t) {
    return a0 * engine::wykladnicza::wartosc(wykladnikK(a1, t));
}

// The reference function on a set's own coefficients.
double wartosc(const Przedzial& p, double t) {
    switch (p.wzor) {
        case Wzor::Zagniezdzony10:
            return zagniezdzony<10>(p.wsp, t);
        case Wzor::ZagniezdzonyWykl9:
            return zagniezdzony<9>(p.wsp, t) + wykladniczyK(engine::kKExpA0, engine::kKExpA1, t);
        case Wzor::Potegowy13:
            return potegowy<13>(p.wsp, t);
        case Wzor::Potegowy14:
            return potegowy<14>(p.wsp, t);
        case Wzor::Zagniezdzony6:
            return zagniezdzony<6>(p.wsp, t);
        case Wzor::Zagniezdzony8:
            return zagniezdzony<8>(p.wsp, t);
        case Wzor::Potegowy10:
            break;
    }
    return potegowy<10>(p.wsp, t);
}

// Runs of values, a sub-range at a time: each loop below is vectorised, so
// it is built once per instruction set and picked when the program loads
// (where the platform can; elsewhere the one generic build). x and y are
// distinct arrays; the coefficients are copied out, so that the compiler
// need not fear that writing y changes them.
#if defined(__x86_64__) && defined(__ELF__)
#define KALVETRA_WEKTOROWO [[gnu::target_clones("avx512f", "avx2", "default")]]
#else
#define KALVETRA_WEKTOROWO
#endif

KALVETRA_WEKTOROWO void blokZagniezdzony10(const Zestaw& wsp, const double* x, double* y,
                                           std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = zagniezdzony<10>(w, x[j]);
}

KALVETRA_WEKTOROWO void blokZagniezdzony6(const Zestaw& wsp, const double* x, double* y,
                                          std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = zagniezdzony<6>(w, x[j]);
}

KALVETRA_WEKTOROWO void blokZagniezdzony8(const Zestaw& wsp, const double* x, double* y,
                                          std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = zagniezdzony<8>(w, x[j]);
}

// Beyond rdzen()'s arguments (far outside the domain, or NaN) the values are
// worked out again one by one with the scalar path's exp.
KALVETRA_WEKTOROWO void blokZagniezdzonyWykl9(const Zestaw& wsp, const double* x, double* y,
                                              std::size_t n) {
    const Zestaw w = wsp;
    int poza = 0;  // an int: a bool here keeps the loop from vectorising
    for (std::size_t j = 0; j < n; ++j) {
        const double a = wykladnikK(engine::kKExpA1, x[j]);
        poza |= ((a >= engine::wykladnicza::kOd) & (a <= engine::wykladnicza::kDo)) ? 0 : 1;
        y[j] = zagniezdzony<9>(w, x[j]) + engine::kKExpA0 * engine::wykladnicza::rdzen(a);
    }
    if (poza == 0) return;
    for (std::size_t j = 0; j < n; ++j) {
        y[j] = zagniezdzony<9>(w, x[j]) + wykladniczyK(engine::kKExpA0, engine::kKExpA1, x[j]);
    }
}

KALVETRA_WEKTOROWO void blokPotegowy10(const Zestaw& wsp, const double* x, double* y,
                                       std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = potegowy<10>(w, x[j]);
}

KALVETRA_WEKTOROWO void blokPotegowy13(const Zestaw& wsp, const double* x, double* y,
                                       std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = potegowy<13>(w, x[j]);
}

KALVETRA_WEKTOROWO void blokPotegowy14(const Zestaw& wsp, const double* x, double* y,
                                       std::size_t n) {
    const Zestaw w = wsp;
    for (std::size_t j = 0; j < n; ++j) y[j] = potegowy<14>(w, x[j]);
}

// wartosc() over a run.
void blokWartosci(const Przedzial& p, const double* x, double* y, std::size_t n) {
    switch (p.wzor) {
        case Wzor::Zagniezdzony10:
            return blokZagniezdzony10(p.wsp, x, y, n);
        case Wzor::ZagniezdzonyWykl9:
            return blokZagniezdzonyWykl9(p.wsp, x, y, n);
        case Wzor::Potegowy13:
            return blokPotegowy13(p.wsp, x, y, n);
        case Wzor::Potegowy14:
            return blokPotegowy14(p.wsp, x, y, n);
        case Wzor::Zagniezdzony6:
            return blokZagniezdzony6(p.wsp, x, y, n);
        case Wzor::Zagniezdzony8:
            return blokZagniezdzony8(p.wsp, x, y, n);
        case Wzor::Potegowy10:
            break;
    }
    blokPotegowy10(p.wsp, x, y, n);
}

// wybierz() over a run: the same count of lower bounds passed, element by
// element, so every value gets the set that the scalar path gives it. The
// count is kept as a double, alongside the values, so that the loops below
// vectorise.
KALVETRA_WEKTOROWO void dodajNadDolem(const Przedzial& p, const double* x, double* numer,
                                      std::size_t n) {
    const Przedzial q = p;  // a copy: numer cannot overwrite it
    for (std::size_t j = 0; j < n; ++j) numer[j] += nadDolem(q, x[j]) ? 1.0 : 0.0;
}

// Whether any element, or every element, is numbered k.
KALVETRA_WEKTOROWO bool ktorys(double k, const double* numer, std::size_t n) {
    int jest = 0;  // an int: a bool here keeps the loop from vectorising
    for (std::size_t j = 0; j < n; ++j) jest |= numer[j] == k ? 1 : 0;
    return jest != 0;
}

KALVETRA_WEKTOROWO bool kazdy(double k, const double* numer, std::size_t n) {
    int inny = 0;
    for (std::size_t j = 0; j < n; ++j) inny |= numer[j] != k ? 1 : 0;
    return inny == 0;
}

// y[j] = z[j] where the element is numbered k.
KALVETRA_WEKTOROWO void wstaw(double k, const double* numer, const double* z, double* y,
                              std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) y[j] = numer[j] == k ? z[j] : y[j];
}

// wy[i] = the evaluation of we[i] in its sub-range, kBlok values at a time.
// Every sub-range that the block touches is evaluated over the whole block
// and its own elements taken from it: vectorised arithmetic costs less than
// gathering each sub-range's elements apart and putting them back.
void poPodzakresach(std::span<const Przedzial> lista, const double* we, double* wy, std::size_t n) {
    constexpr std::size_t kBlok = 256;
    // Scratch, written before it is read.
    std::array<double, kBlok> numer;
    std::array<double, kBlok> y;
    std::array<double, kBlok> z;
    for (std::size_t od = 0; od < n; od += kBlok) {
        const std::size_t m = std::min(kBlok, n - od);
        std::fill_n(numer.data(), m, 0.0);
        for (std::size_t k = 1; k < lista.size(); ++k)
            dodajNadDolem(lista[k], we + od, numer.data(), m);
        for (std::size_t k = 0; k < lista.size(); ++k) {
            const auto kd = static_cast<double>(k);
            if (kazdy(kd, numer.data(), m)) {
                blokWartosci(lista[k], we + od, y.data(), m);
                break;
            }
            if (!ktorys(kd, numer.data(), m)) continue;
            blokWartosci(lista[k], we + od, z.data(), m);
            wstaw(kd, numer.data(), z.data(), y.data(), m);
        }
        std::copy_n(y.data(), m, wy + od);
    }
}

// Highest slot holding a coefficient.
constexpr std::size_t szczyt(const Zestaw& z) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (z[i] != 0.0) n = i;
    }
    return n;
}

// A set in Horner's form for the exact inverse's steps: a tenth of the
// published evaluation's multiplications, and a few ulps from its result.
struct Horner {
    Zestaw wsp{};
    std::size_t szczyt = 0;

    [[nodiscard]] constexpr double operator()(double x) const {
        double e = wsp[szczyt];
        for (std::size_t i = szczyt; i-- > 0;) e = e * x + wsp[i];
        return e;
    }
};

constexpr Horner horner(const Przedzial& p) {
    return {p.wsp, szczyt(p.wsp)};
}

// Coefficients of the derivative, i * c_i at slot i - 1.
constexpr Horner pochodna(const Przedzial& p) {
    Horner d;
    for (std::size_t i = 1; i < p.wsp.size(); ++i) d.wsp[i - 1] = static_cast<double>(i) * p.wsp[i];
    d.szczyt = szczyt(d.wsp);
    return d;
}

// Per sub-range: the set and its derivative in Horner's form.
struct Szybki {
    Horner wartosc;
    Horner pochodna;
};

constexpr auto kNaSzybki = [](const Przedzial& p) { return Szybki{horner(p), pochodna(p)}; };
constexpr auto kSzybkie = przetworz<Szybki>(kReferencyjne, kNaSzybki);
constexpr auto kSzybkieOdwrotne = przetworz<Szybki>(kOdwrotne, kNaSzybki);

constexpr std::size_t numer(std::span<const Przedzial> lista, const Przedzial& p) {
    return static_cast<std::size_t>(&p - lista.data());
}

// The reference function near t, for a Newton-type step.
struct Lokalnie {
    double wartosc;   // µV
    double pierwsza;  // µV/°C
    double druga;     // µV/°C²
};

Lokalnie lokalnie(TypTermopary typ, double t) {
    const auto lista = kReferencyjne[indeks(typ)];
    const Przedzial& p = wybierz(lista, t);
    const Szybki& f = kSzybkie[indeks(typ)][numer(lista, p)];
    double s = f.pochodna.wsp[f.pochodna.szczyt];
    double s2 = 0.0;
    for (std::size_t i = f.pochodna.szczyt; i-- > 0;) {
        s2 = s2 * t + s;
        s = s * t + f.pochodna.wsp[i];
    }
    double e = f.wartosc(t);
    if (p.wzor == Wzor::ZagniezdzonyWykl9) {
        const double g = wykladniczyK(engine::kKExpA0, engine::kKExpA1, t);
        const double k = 2.0 * engine::kKExpA1 * (t - engine::kKExpA2);
        e += g;
        s += g * k;
        s2 += g * (2.0 * engine::kKExpA1 + k * k);
    }
    return {e, s, s2};
}

// Inverse sub-ranges as published, for the front ends.
constexpr auto kOpisyOdwrotnych = przetworz<PodzakresOdwrotnej>(kOdwrotne, [](const Przedzial& p) {
    return PodzakresOdwrotnej{{p.dol, p.gora}, p.bladMin, p.bladMax};
});

// The exact inverse's seed for a type without an inverse polynomial: the
// inverse tabulated at kWezly + 1 EMFs evenly spaced over the domain, with
// its slope 1/S there, as one cubic (Hermite's) per interval. Within about
// 1e-6 °C of the root, so that one Newton step reaches double precision.
constexpr std::size_t kWezly = 256;

struct Siatka {
    double u0;                                      // µV
    double naKrok;                                  // intervals per µV
    std::array<std::array<double, 4>, kWezly> wsp;  // t(u0 + (k + s) krok) = Horner in s
};

constexpr const Szybki& szybki(std::span<const Szybki> szybkie, std::span<const Przedzial> lista,
                               double t) {
    return szybkie[numer(lista, wybierz(lista, t))];
}

// The t in [od, doo] at which E reaches u, by bisection down to neighbouring
// doubles: slow, but done once.
constexpr double odwrocPolowiac(std::span<const Przedzial> lista, std::span<const Szybki> szybkie,
                                double u) {
    double od = lista.front().dol;
    double doo = lista.back().gora;
    for (;;) {
        const double srodek = od + (doo - od) / 2.0;
        if (srodek <= od || srodek >= doo) break;
        (szybki(szybkie, lista, srodek).wartosc(srodek) < u ? od : doo) = srodek;
    }
    const double dol = u - szybki(szybkie, lista, od).wartosc(od);
    return dol < szybki(szybkie, lista, doo).wartosc(doo) - u ? od : doo;
}

constexpr Siatka siatka(std::span<const Przedzial> l, std::span<const Szybki> f) {
    Siatka s{};
    s.u0 = szybki(f, l, l.front().dol).wartosc(l.front().dol);
    const double u1 = szybki(f, l, l.back().gora).wartosc(l.back().gora);
    const double krok = (u1 - s.u0) / static_cast<double>(kWezly);
    s.naKrok = static_cast<double>(kWezly) / (u1 - s.u0);
    double t0 = l.front().dol;
    double m0 = krok / f[0].pochodna(t0);  // dt per interval
    for (std::size_t k = 0; k < kWezly; ++k) {
        const double u = k + 1 == kWezly ? u1 : s.u0 + static_cast<double>(k + 1) * krok;
        const double t1 = odwrocPolowiac(l, f, u);
        const double m1 = krok / szybki(f, l, t1).pochodna(t1);
        s.wsp[k] = {t0, m0, 3.0 * (t1 - t0) - 2.0 * m0 - m1, 2.0 * (t0 - t1) + m0 + m1};
        t0 = t1;
        m0 = m1;
    }
    return s;
}

// The seed tables of the types without inverse polynomials, and each type's
// place among them.
constexpr std::size_t kBrakSiatki = kLiczbaTypow;
constexpr auto kNumerySiatek = [] {
    std::array<std::size_t, kLiczbaTypow> n{};
    std::size_t ile = 0;
    for (std::size_t i = 0; i < kLiczbaTypow; ++i)
        n[i] = kOdwrotne[i].empty() ? ile++ : kBrakSiatki;
    return n;
}();
constexpr std::size_t kLiczbaSiatek = [] {
    std::size_t ile = 0;
    for (const auto lista : kOdwrotne) ile += lista.empty() ? 1U : 0U;
    return ile;
}();
// Built on first use: clang's constant evaluation gives up on the
// bisections long before they end, and a function's static knows no
// initialisation order.
const Siatka& siatkaNr(std::size_t nr) {
    static const auto kSiatki = [] {
        std::array<Siatka, kLiczbaSiatek> s{};
        for (std::size_t i = 0; i < kLiczbaTypow; ++i) {
            if (kNumerySiatek[i] != kBrakSiatki)
                s[kNumerySiatek[i]] = siatka(kReferencyjne[i], kSzybkie[i]);
        }
        return s;
    }();
    return kSiatki[nr];
}

// The exact inverse from the seed table, for u within the domain: the seed,
// then Newton's steps in Horner's form, which for these types is the
// reference function's own evaluation. The slope stays above 7 µV/°C over
// both domains, so a step of at most 1e-6 °C leaves an error below 1e-15 °C.
double odwrocZSiatki(TypTermopary typ, const Siatka& s, double u) {
    const auto lista = kReferencyjne[indeks(typ)];
    const auto& szybkie = kSzybkie[indeks(typ)];
    const double od = lista.front().dol;
    const double doo = lista.back().gora;
    const double y = std::max((u - s.u0) * s.naKrok, 0.0);
    const std::size_t k = std::min(static_cast<std::size_t>(y), kWezly - 1);
    const double r = y - static_cast<double>(k);
    const auto& c = s.wsp[k];
    double x = std::clamp(c[0] + r * (c[1] + r * (c[2] + r * c[3])), od, doo);
    for (int i = 0; i < 4; ++i) {
        const Szybki& f = szybkie[numer(lista, wybierz(lista, x))];
        const double krok = (f.wartosc(x) - u) / f.pochodna(x);
        x = std::clamp(x - krok, od, doo);
        if (!(std::fabs(krok) > 1e-6)) break;
    }
    return x;
}

}  // namespace

// A Typ outside the catalogue leaves Wsp alone and returns the initial 0.
double Termopara::Temperatura(double t) {
    const auto typ = typZIndeksu(Typ);
    if (!typ) return 0.0;
    const Przedzial& p = wybierz(kReferencyjne[indeks(*typ)], t);
    switch (p.wzor) {
        case Wzor::Zagniezdzony10:
            zaladuj<10>(Wsp, p.wsp);
            return zagniezdzony<10>(Wsp, t);
        case Wzor::ZagniezdzonyWykl9:
            zaladuj<9>(Wsp, p.wsp);
            Wsp[11] = engine::kKExpA0;
            Wsp[12] = engine::kKExpA1;
            return zagniezdzony<9>(Wsp, t) + wykladniczyK(Wsp[11], Wsp[12], t);
        case Wzor::Potegowy13:
            return zaladujPotegowy<13>(Wsp, p.wsp, t);
        case Wzor::Potegowy14:
            return zaladujPotegowy<14>(Wsp, p.wsp, t);
        case Wzor::Zagniezdzony6:
            zaladuj<6>(Wsp, p.wsp);
            return zagniezdzony<6>(Wsp, t);
        case Wzor::Zagniezdzony8:
            zaladuj<8>(Wsp, p.wsp);
            return zagniezdzony<8>(Wsp, t);
        case Wzor::Potegowy10:
            break;
    }
    return zaladujPotegowy<10>(Wsp, p.wsp, t);
}

double Termopara::EMF(double u) {
    const auto typ = typZIndeksu(Typ);
    if (!typ) return 0.0;
    if (kOdwrotne[indeks(*typ)].empty()) return temperaturaZEmf(*typ, u);
    const Przedzial& p = wybierz(kOdwrotne[indeks(*typ)], u);
    return zaladujPotegowy<10>(Wsp, p.wsp, u);
}

Zakres dziedzinaTemperatury(TypTermopary typ) {
    const auto lista = kReferencyjne[indeks(typ)];
    return {lista.front().dol, lista.back().gora};
}

Zakres dziedzinaOdwrotnej(TypTermopary typ) {
    const auto lista = kOdwrotne[indeks(typ)];
    if (lista.empty()) return dziedzinaDokladnej(typ);
    return {lista.front().dol, lista.back().gora};
}

namespace {

// Where the reference function of a type that first falls has its minimum,
// and the domains that follow from it.
struct Monotonia {
    double tMin;  // °C: the minimum, or the domain's lowest point
    std::optional<Zakres> dwuznaczne;
    Zakres dokladna;
};

Monotonia monotonia(TypTermopary typ) {
    const Zakres t = dziedzinaTemperatury(typ);
    const double dol = emfZTemperatury(typ, t.od);
    const Zakres pelna{dol, emfZTemperatury(typ, t.doo)};
    if (seebeck(typ, t.od) >= 0.0) return {t.od, std::nullopt, pelna};
    // The slope's zero, bracketed from the first whole degree where it rises.
    double od = t.od;
    double doo = t.od + 1.0;
    while (seebeck(typ, doo) < 0.0) doo += 1.0;
    for (double s = od + (doo - od) / 2.0; s > od && s < doo; s = od + (doo - od) / 2.0) {
        (seebeck(typ, s) < 0.0 ? od : doo) = s;
    }
    const Zakres dwuznaczne{emfZTemperatury(typ, doo), dol};
    return {doo, dwuznaczne, {std::nextafter(dol, HUGE_VAL), pelna.doo}};
}

const Monotonia& monotonii(TypTermopary typ) {
    static const auto kMonotonie = [] {
        std::array<Monotonia, kLiczbaTypow> m{};
        for (const TypTermopary i : kWszystkieTypy) m[indeks(i)] = monotonia(i);
        return m;
    }();
    return kMonotonie[indeks(typ)];
}

}  // namespace

std::optional<Zakres> emfDwuznaczne(TypTermopary typ) {
    return monotonii(typ).dwuznaczne;
}

Zakres dziedzinaDokladnej(TypTermopary typ) {
    return monotonii(typ).dokladna;
}

std::span<const PodzakresOdwrotnej> podzakresyOdwrotnej(TypTermopary typ) {
    return std::span(kOpisyOdwrotnych[indeks(typ)]).first(kOdwrotne[indeks(typ)].size());
}

std::size_t podzakresOdwrotnej(TypTermopary typ, double u) {
    const auto lista = kOdwrotne[indeks(typ)];
    if (lista.empty()) return 0;
    return numer(lista, wybierz(lista, u));
}

double emfZTemperatury(TypTermopary typ, double t) {
    return wartosc(wybierz(kReferencyjne[indeks(typ)], t), t);
}

double temperaturaZEmf(TypTermopary typ, double u) {
    if (kOdwrotne[indeks(typ)].empty()) {
        return temperaturaDokladna(typ, u).value_or(std::numeric_limits<double>::quiet_NaN());
    }
    return potegowy<10>(wybierz(kOdwrotne[indeks(typ)], u).wsp, u);
}

void emfBlok(TypTermopary typ, const double* t, double* e, std::size_t n) {
    poPodzakresach(kReferencyjne[indeks(typ)], t, e, n);
}

void temperaturaZEmfBlok(TypTermopary typ, const double* u, double* t, std::size_t n) {
    if (kOdwrotne[indeks(typ)].empty()) {
        for (std::size_t i = 0; i < n; ++i) t[i] = temperaturaZEmf(typ, u[i]);
        return;
    }
    poPodzakresach(kOdwrotne[indeks(typ)], u, t, n);
}

double seebeck(TypTermopary typ, double t) {
    const auto lista = kReferencyjne[indeks(typ)];
    const Przedzial& p = wybierz(lista, t);
    double s = kSzybkie[indeks(typ)][numer(lista, p)].pochodna(t);
    if (p.wzor == Wzor::ZagniezdzonyWykl9) {
        s += wykladniczyK(engine::kKExpA0, engine::kKExpA1, t) * 2.0 * engine::kKExpA1 *
             (t - engine::kKExpA2);
    }
    return s;
}

std::optional<double> temperaturaDokladna(TypTermopary typ, double u) {
    const Zakres dziedzina = dziedzinaDokladnej(typ);
    if (!dziedzina.zawiera(u)) return std::nullopt;
    if (const std::size_t s = kNumerySiatek[indeks(typ)]; s != kBrakSiatki) {
        return odwrocZSiatki(typ, siatkaNr(s), u);
    }
    const Zakres t = dziedzinaTemperatury(typ);
    // Above a fall at the domain's low end (type B) every EMF of the domain
    // lies above the minimum's temperature.
    double od = monotonii(typ).tMin;
    double doo = t.doo;

    // Seed: NIST's polynomial, or below it (K, T, E, N; B above zero) a
    // secant from the domain's lowest point to the polynomials' lowest one.
    const Zakres w = dziedzinaOdwrotnej(typ);
    double x = 0.0;
    if (u >= w.od) {
        const auto lista = kOdwrotne[indeks(typ)];
        x = kSzybkieOdwrotne[indeks(typ)][numer(lista, wybierz(lista, u))].wartosc(u);
    } else {
        const double tw = temperaturaZEmf(typ, w.od);
        x = od + (u - dziedzina.od) * (tw - od) / (w.od - dziedzina.od);
    }
    x = std::clamp(x, od, doo);

    // Halley's step from within hundredths of a degree lands within the
    // tolerance nearly always, so the published evaluation runs once.
    constexpr double kTolerancja = 1e-6;  // µV
    const Lokalnie l = lokalnie(typ, x);
    const double r0 = l.wartosc - u;
    const double krok = 2.0 * r0 * l.pierwsza / (2.0 * l.pierwsza * l.pierwsza - r0 * l.druga);
    if (std::isfinite(krok) && x - krok >= od && x - krok <= doo) x -= krok;

    // Safeguarded Newton on the published evaluation. Below the root the
    // reference function lies below u and above it above (type B's dip under
    // 42 °C stays below every u of its domain), so each residual narrows the
    // bracket [od, doo].
    double najlepszy = x;
    double najmniejsza = HUGE_VAL;
    for (int i = 0; i < 200; ++i) {
        const double r = emfZTemperatury(typ, x) - u;
        if (std::fabs(r) < najmniejsza) {
            najmniejsza = std::fabs(r);
            najlepszy = x;
        }
        if (std::fabs(r) <= kTolerancja) break;
        (r < 0.0 ? od : doo) = x;
        double nastepny = x - r / seebeck(typ, x);
        if (!(nastepny > od && nastepny < doo)) nastepny = od + (doo - od) / 2.0;
        // Bracket down to neighbouring doubles: the limit of double precision.
        if (nastepny == x || nastepny <= od || nastepny >= doo) break;
        x = nastepny;
    }
    return najlepszy;
}

}  // namespace engine
