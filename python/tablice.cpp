#include "tablice.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "tolerancja.h"

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

}  // namespace

Odmowa emf(const przeliczenia::Ustawienia& u, Wejscie t, Wejscie tc, double* wynik,
           std::size_t n, bool stop) {
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
    Zimne zimne(u);
    return przebieg(wynik, n, stop, [&](std::size_t i, bool& naZimnym) {
        // The cold junction first, as przeliczenia::temperatura checks it.
        const Wynik& z = zimne.dla(wartosc(tc, i));
        if (!z.dobry()) {
            naZimnym = true;
            return z;
        }
        const double x = wartosc(e, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        return przeliczenia::temperatura(u, x, z);
    });
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
        return Wynik{Powod::Brak, odchylkaWJednostce(u.typ, klasa, x, u.temperatura).value_or(kNaN)};
    });
}

}  // namespace tablice
