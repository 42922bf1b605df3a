#include "tablice.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

#include "its90.h"
#include "tolerancja.h"
#include "typ_termopary.h"
#include "wspolczynniki_its90.h"

namespace tablice {

namespace {

using przeliczenia::Powod;
using przeliczenia::Wynik;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Arrays from a buffer need not be aligned.
double wartosc(Wejscie w, std::size_t i) {
    double x = 0.0;
    std::memcpy(&x, w.p + static_cast<std::ptrdiff_t>(i) * w.krok, sizeof x);
    return x;
}

// The reasons the command line gives a NaN or an infinity it reads.
Powod nieskonczonosc(double x) {
    if (std::isnan(x)) return Powod::NaN;
    return std::isinf(x) ? Powod::Nieskonczona : Powod::Brak;
}

// E(tc) of the last cold junction seen: a scalar or a logger's slowly moving
// column is worked out once per distinct value.
class Zimne {
  public:
    explicit Zimne(const przeliczenia::Ustawienia& u) : u_(u) {}

    const Wynik& dla(double tc) {
        const auto bity = std::bit_cast<std::uint64_t>(tc);
        if (!znane_ || bity != bity_) {
            const Powod p = nieskonczonosc(tc);
            wynik_ = p != Powod::Brak ? Wynik{p, 0.0} : przeliczenia::zimneZlacze(u_, tc);
            bity_ = bity;
            znane_ = true;
        }
        return wynik_;
    }

  private:
    const przeliczenia::Ustawienia& u_;
    Wynik wynik_;
    std::uint64_t bity_ = 0;
    bool znane_ = false;
};

// Runs `licz(i)` -> {Wynik, refused value is the cold junction's} over the run.
template <class Licz>
Odmowa przebieg(double* wynik, std::size_t n, bool stop, Licz licz) {
    Odmowa pierwsza;
    for (std::size_t i = 0; i < n; ++i) {
        bool zimne = false;
        const Wynik r = licz(i, zimne);
        if (r.dobry()) {
            wynik[i] = r.wartosc;
            continue;
        }
        wynik[i] = kNaN;
        if (!pierwsza.jest()) pierwsza = {i, r.powod, zimne};
        if (stop) break;
    }
    return pierwsza;
}

constexpr std::size_t kBlok = 256;
constexpr std::uint8_t kPominiety = 0xff;

// NIST's inverse coefficient sets, as the engine lists each type's sub-ranges.
using Wspolczynniki = std::array<double, 11>;  // d0..d10, zeros above a set's last

template <std::size_t N>
constexpr Wspolczynniki dopelnij(const std::array<double, N>& c) {
    static_assert(N <= std::tuple_size_v<Wspolczynniki>);
    Wspolczynniki w{};
    for (std::size_t i = 0; i < N; ++i) w[i] = c[i];
    return w;
}

// clang-format off
constexpr std::array<std::array<Wspolczynniki, 4>, kWszystkieTypy.size()> kOdwrotne{{
    {dopelnij(its90::kJInv1), dopelnij(its90::kJInv2), dopelnij(its90::kJInv3)},
    {dopelnij(its90::kKInv1), dopelnij(its90::kKInv2), dopelnij(its90::kKInv3)},
    {dopelnij(its90::kTInv1), dopelnij(its90::kTInv2)},
    {dopelnij(its90::kEInv1), dopelnij(its90::kEInv2)},
    {dopelnij(its90::kNInv1), dopelnij(its90::kNInv2), dopelnij(its90::kNInv3)},
    {dopelnij(its90::kBInv1), dopelnij(its90::kBInv2)},
    {dopelnij(its90::kRInv1), dopelnij(its90::kRInv2), dopelnij(its90::kRInv3), dopelnij(its90::kRInv4)},
    {dopelnij(its90::kSInv1), dopelnij(its90::kSInv2), dopelnij(its90::kSInv3), dopelnij(its90::kSInv4)},
}};
// clang-format on

// The sub-range of the inverse in effect inside the domain: its lower bounds
// from the engine, and on which side of each the engine puts the bound itself.
class Odwrotna {
  public:
    explicit Odwrotna(TypTermopary typ) : wsp_(kOdwrotne[indeks(typ)]) {
        const auto podzakresy = its90::podzakresyOdwrotnej(typ);
        liczba_ = static_cast<std::uint8_t>(podzakresy.size());
        for (std::size_t k = 1; k < podzakresy.size(); ++k) {
            granice_[k] = podzakresy[k].emf.od;
            wlacznie_[k] = its90::podzakresOdwrotnej(typ, granice_[k]) == k;
        }
    }

    [[nodiscard]] std::uint8_t liczba() const { return liczba_; }
    [[nodiscard]] const double* wspolczynniki(std::size_t k) const { return wsp_[k].data(); }

    [[nodiscard]] std::uint8_t numer(double x) const {
        std::uint8_t k = 0;
        for (std::size_t i = 1; i < liczba_; ++i) {
            // Bitwise, not short-circuit: no branch on the data.
            k += static_cast<std::uint8_t>((x > granice_[i]) | (wlacznie_[i] & (x == granice_[i])));
        }
        return k;
    }

  private:
    const std::array<Wspolczynniki, 4>& wsp_;
    std::uint8_t liczba_ = 0;
    std::array<double, 4> granice_{};
    std::array<bool, 4> wlacznie_{};
};

// c * x * x * ... * x, one multiplication per element of the sequence.
template <std::size_t... K>
[[gnu::always_inline]] inline double razyPotega(double c, double x, std::index_sequence<K...>) {
    ((static_cast<void>(K), c *= x), ...);
    return c;
}

// The engine's evaluation of an inverse set, term by term in ascending
// powers, each rounded as it goes: the same bits as its90::temperaturaZEmf.
template <std::size_t... I>
[[gnu::always_inline]] inline double sumaPoteg(const double* c, double x,
                                               std::index_sequence<I...>) {
    double s = c[0] + c[1] * x;
    ((s += razyPotega(c[I + 2], x, std::make_index_sequence<I + 2>{})), ...);
    return s;
}

// In place over n values; the loop is vectorised, so one build per
// instruction set, chosen when the module loads.
[[gnu::target_clones("avx512f", "avx2", "default")]] void wielomianOdwrotny(const double* c,
                                                                            double* x,
                                                                            std::size_t n) {
    const Wspolczynniki w = [c] {
        Wspolczynniki k{};
        std::copy_n(c, k.size(), k.begin());
        return k;
    }();
    for (std::size_t j = 0; j < n; ++j) {
        x[j] = sumaPoteg(w.data(), x[j], std::make_index_sequence<9>{});
    }
}

}  // namespace

Odmowa emf(const przeliczenia::Ustawienia& u, Wejscie t, Wejscie tc, double* wynik, std::size_t n,
           bool stop) {
    Zimne zimne(u);
    return przebieg(wynik, n, stop, [&](std::size_t i, bool& naZimnym) {
        const double x = wartosc(t, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        // The element's own range first, as przeliczenia::emf checks it.
        const Wynik& z = zimne.dla(wartosc(tc, i));
        const Wynik r = przeliczenia::emf(u, x, z);
        naZimnym = !r.dobry() && r.powod != Powod::TemperaturaPozaZakresem;
        return r;
    });
}

Odmowa temperatura(const przeliczenia::Ustawienia& u, Wejscie e, Wejscie tc, double* wynik,
                   std::size_t n, bool stop) {
    const Odwrotna odwrotna(u.typ);
    const its90::Zakres d = its90::dziedzinaOdwrotnej(u.typ);
    Zimne zimne(u);
    std::array<Wynik, kBlok> zb{};
    std::array<double, kBlok> x{};
    std::array<std::uint8_t, kBlok> podzakres{};
    std::array<double, kBlok> bufor{};
    std::array<std::uint16_t, kBlok> gdzie{};
    Odmowa pierwsza;
    for (std::size_t od = 0; od < n; od += kBlok) {
        const std::size_t m = std::min(kBlok, n - od);
        double* w = wynik + od;
        // Each element's E(tc) feeds its inverse: worked out a block ahead, so
        // that the processor overlaps elements instead of waiting on each chain.
        const Wynik* zp = zb.data();
        std::size_t zk = 1;
        if (tc.krok == 0) {
            zp = &zimne.dla(wartosc(tc, 0));
            zk = 0;
        } else {
            for (std::size_t i = 0; i < m; ++i) zb[i] = zimne.dla(wartosc(tc, od + i));
        }
        Odmowa o;
        for (std::size_t i = 0; i < m; ++i) {
            podzakres[i] = kPominiety;
            // The cold junction first, as przeliczenia::temperatura checks it.
            const Wynik& z = zp[i * zk];
            const double ei = wartosc(e, od + i);
            Wynik r = z;
            if (r.dobry()) r.powod = nieskonczonosc(ei);
            if (r.dobry()) {
                // The compensated sum as przeliczenia::temperatura adds it.
                double xi = przeliczenia::naMikrowolty(ei, u.emf);
                if (z.wartosc != 0.0) xi += z.wartosc;
                if (!u.dokladna && d.zawiera(xi)) {
                    x[i] = xi;
                    podzakres[i] = odwrotna.numer(xi);
                    continue;
                }
                // Near the bounds (and the exact inverse) the scalar path decides.
                r = przeliczenia::temperatura(u, ei, z);
            }
            if (r.dobry()) {
                w[i] = r.wartosc;
                continue;
            }
            w[i] = kNaN;
            if (!o.jest()) o = {od + i, r.powod, !z.dobry()};
            if (stop) break;
        }
        if (o.jest()) {
            if (!pierwsza.jest()) pierwsza = o;
            if (stop) break;
        }
        // NIST's polynomial a sub-range at a time over the gathered values.
        for (std::uint8_t k = 0; k < odwrotna.liczba(); ++k) {
            std::size_t ile = 0;
            for (std::size_t i = 0; i < m; ++i) {
                bufor[ile] = x[i];
                gdzie[ile] = static_cast<std::uint16_t>(i);
                ile += podzakres[i] == k ? 1U : 0U;
            }
            wielomianOdwrotny(odwrotna.wspolczynniki(k), bufor.data(), ile);
            for (std::size_t j = 0; j < ile; ++j) {
                w[gdzie[j]] = przeliczenia::zCelsjusza(bufor[j], u.temperatura);
            }
        }
    }
    return pierwsza;
}

Odmowa seebeck(const przeliczenia::Ustawienia& u, Wejscie t, double* wynik, std::size_t n,
               bool stop) {
    return przebieg(wynik, n, stop, [&](std::size_t i, bool&) {
        const double x = wartosc(t, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        return przeliczenia::seebeck(u, x);
    });
}

Odmowa tolerancja(const przeliczenia::Ustawienia& u, int klasa, Wejscie t, double* wynik,
                  std::size_t n, bool stop) {
    return przebieg(wynik, n, stop, [&](std::size_t i, bool&) {
        const double x = wartosc(t, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        if (!przeliczenia::wDziedzinie(u, x)) return Wynik{Powod::TemperaturaPozaZakresem, 0.0};
        return Wynik{Powod::Brak,
                     odchylkaWJednostce(u.typ, klasa, x, u.temperatura).value_or(kNaN)};
    });
}

}  // namespace tablice
