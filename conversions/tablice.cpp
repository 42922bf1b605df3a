#include "tablice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>

namespace conversions {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Elements converted at a time, kept on the stack.
constexpr std::size_t kBlok = 256;

// Arrays from a buffer need not be aligned.
double wartosc(Ciag c, std::size_t i) {
    double x = 0.0;
    std::memcpy(&x, c.dane + static_cast<std::ptrdiff_t>(i) * c.krok, sizeof x);
    return x;
}

void wczytaj(Ciag c, std::size_t od, std::size_t n, double* x) {
    for (std::size_t i = 0; i < n; ++i) x[i] = wartosc(c, od + i);
}

bool pominiety(Maska m, std::size_t i) {
    return m.dane != nullptr && m.dane[static_cast<std::ptrdiff_t>(i) * m.krok] != 0;
}

// The reasons the command line gives a NaN or an infinity it reads.
Powod nieskonczonosc(double x) {
    if (std::isnan(x)) return Powod::NaN;
    return std::isinf(x) ? Powod::Nieskonczona : Powod::Brak;
}

// Whether every value lies strictly inside `d` (and, with `bezZera`, none is
// 0): then the checks and the clamp of the functions for one value change
// nothing and the engine's run takes the whole block. NaN is not inside.
bool wewnatrz(engine::Zakres d, std::span<const double> x, bool bezZera = false) {
    int poza = 0;  // an int and bitwise tests: the loop vectorises
    for (const double v : x) poza |= (v >= d.od) & (v <= d.doo) & !(bezZera & (v == 0.0)) ? 0 : 1;
    return poza == 0;
}

bool dobre(std::span<const Wynik> z) {
    return std::all_of(z.begin(), z.end(), [](const Wynik& w) { return w.dobry(); });
}

// The cold junctions' E(tc), a block at a time; one for all is worked out once.
class Zimne {
  public:
    Zimne(const Ustawienia& u, Ciag tc) : u_(u), tc_(tc) {
        if (tc.krok == 0) wspolne_ = jedno(wartosc(tc, 0));
    }

    void blok(std::size_t od, std::size_t n, Wynik* z) {
        if (tc_.krok == 0) {
            std::fill_n(z, n, wspolne_);
            return;
        }
        wczytaj(tc_, od, n, x_.data());
        // Inside the domain and off the ice point (which has no correction at
        // all), E(tc) is the engine's run; elsewhere zimneZlacza() decides.
        for (std::size_t i = 0; i < n; ++i) c_[i] = naCelsjusza(x_[i], u_.temperatura);
        if (wewnatrz(engine::dziedzinaTemperatury(u_.typ), {c_.data(), n}, true)) {
            engine::emfBlok(u_.typ, c_.data(), c_.data(), n);
            for (std::size_t i = 0; i < n; ++i) z[i] = {Powod::Brak, c_[i]};
            return;
        }
        zimneZlacza(u_, {x_.data(), n}, {z, n});
        for (std::size_t i = 0; i < n; ++i) {
            if (const Powod p = nieskonczonosc(x_[i]); p != Powod::Brak) z[i] = {p, 0.0};
        }
    }

  private:
    Wynik jedno(double tc) const {
        const Powod p = nieskonczonosc(tc);
        return p != Powod::Brak ? Wynik{p, 0.0} : zimneZlacze(u_, tc);
    }

    const Ustawienia& u_;
    Ciag tc_;
    Wynik wspolne_;
    std::array<double, kBlok> x_{};
    std::array<double, kBlok> c_{};
};

// Runs `blok(od, n, r, zimne)` over the run: it fills the results r[0..n) of
// elements od..od+n and whether each refusal is the cold junction's. The
// results then go out, NaN where refused or left out.
template <class Blok>
Odmowa bloki(Maska maska, Wyniki w, Blok blok) {
    std::array<Wynik, kBlok> r{};
    std::array<bool, kBlok> zimne{};
    Odmowa pierwsza;
    for (std::size_t od = 0; od < w.n; od += kBlok) {
        const std::size_t n = std::min(kBlok, w.n - od);
        blok(od, n, r.data(), zimne.data());
        for (std::size_t i = 0; i < n; ++i) {
            double& y = w.dane[od + i];
            const bool dobry = r[i].dobry() && !pominiety(maska, od + i);
            y = dobry ? r[i].wartosc : kNaN;
            if (dobry || pierwsza.jest() || pominiety(maska, od + i)) continue;
            pierwsza = {od + i, r[i].powod, zimne[i]};
            if (w.stop) return pierwsza;
        }
    }
    return pierwsza;
}

// Each finite value through `licz(x)`, one at a time.
template <class Licz>
Odmowa kazda(Ciag x, Maska m, Wyniki w, Licz licz) {
    return bloki(m, w, [&](std::size_t od, std::size_t n, Wynik* r, bool* zimne) {
        for (std::size_t i = 0; i < n; ++i) {
            const double v = wartosc(x, od + i);
            const Powod p = nieskonczonosc(v);
            r[i] = p != Powod::Brak ? Wynik{p, 0.0} : licz(v);
            zimne[i] = false;
        }
    });
}

// A block of values measured against cold junctions: the values, their
// cold junctions' E(tc), the results and whether each refusal is the cold
// junction's.
struct ZZimnym {
    std::span<const double> x;
    std::span<const Wynik> z;
    std::span<Wynik> r;
    bool* odZimnego;
};

// Such values a block at a time through `licz(ZZimnym)`.
template <class Licz>
Odmowa zZimnym(const Ustawienia& u, Ciag wartosci, Ciag tc, Maska m, Wyniki w, Licz licz) {
    Zimne zimne(u, tc);
    std::array<double, kBlok> x{};
    std::array<Wynik, kBlok> z{};
    return bloki(m, w, [&](std::size_t od, std::size_t n, Wynik* r, bool* odZimnego) {
        zimne.blok(od, n, z.data());
        wczytaj(wartosci, od, n, x.data());
        licz(ZZimnym{{x.data(), n}, {z.data(), n}, {r, n}, odZimnego});
    });
}

}  // namespace

Odmowa emf(const Ustawienia& u, Ciag t, Ciag tc, Maska m, Wyniki w) {
    std::array<double, kBlok> c{};
    return zZimnym(u, t, tc, m, w, [&](const ZZimnym& b) {
        const std::size_t n = b.x.size();
        for (std::size_t i = 0; i < n; ++i) c[i] = naCelsjusza(b.x[i], u.temperatura);
        if (wewnatrz(engine::dziedzinaTemperatury(u.typ), {c.data(), n}) && dobre(b.z)) {
            // E(t) - E(tc) as emf() subtracts it.
            engine::emfBlok(u.typ, c.data(), c.data(), n);
            for (std::size_t i = 0; i < n; ++i) {
                const double ez = b.z[i].wartosc;
                b.r[i] = {Powod::Brak, zMikrowoltow(ez != 0.0 ? c[i] - ez : c[i], u.emf)};
            }
            std::fill_n(b.odZimnego, n, false);
            return;
        }
        emfy(u, b.x, b.z, b.r);
        // The element's own value first, as emf() checks it.
        for (std::size_t i = 0; i < b.x.size(); ++i) {
            const Powod p = nieskonczonosc(b.x[i]);
            b.odZimnego[i] = p == Powod::Brak && !b.r[i].dobry() &&
                             b.r[i].powod != Powod::TemperaturaPozaZakresem;
            if (p != Powod::Brak) b.r[i] = {p, 0.0};
        }
    });
}

Odmowa temperatura(const Ustawienia& u, Ciag e, Ciag tc, Maska m, Wyniki w) {
    std::array<double, kBlok> mikro{};
    return zZimnym(u, e, tc, m, w, [&](const ZZimnym& b) {
        const std::size_t n = b.x.size();
        // The compensated EMF as temperatura() adds it.
        for (std::size_t i = 0; i < n; ++i) {
            const double ez = b.z[i].wartosc;
            mikro[i] = ez != 0.0 ? naMikrowolty(b.x[i], u.emf) + ez : naMikrowolty(b.x[i], u.emf);
        }
        if (!u.dokladna && wewnatrz(engine::dziedzinaOdwrotnej(u.typ), {mikro.data(), n}) &&
            dobre(b.z)) {
            engine::temperaturaZEmfBlok(u.typ, mikro.data(), mikro.data(), n);
            for (std::size_t i = 0; i < n; ++i)
                b.r[i] = {Powod::Brak, zCelsjusza(mikro[i], u.temperatura)};
            std::fill_n(b.odZimnego, n, false);
            return;
        }
        temperatury(u, b.x, b.z, b.r);
        // The cold junction first, as temperatura() checks it.
        for (std::size_t i = 0; i < b.x.size(); ++i) {
            b.odZimnego[i] = !b.z[i].dobry();
            const Powod p = nieskonczonosc(b.x[i]);
            if (!b.odZimnego[i] && p != Powod::Brak) b.r[i] = {p, 0.0};
        }
    });
}

Odmowa seebeck(const Ustawienia& u, Ciag t, Maska m, Wyniki w) {
    return kazda(t, m, w, [&](double x) { return seebeck(u, x); });
}

Odmowa tolerancja(const Ustawienia& u, Ciag t, Maska m, Wyniki w,
                  const std::function<std::optional<double>(double)>& odchylka) {
    return kazda(t, m, w, [&](double x) {
        if (!wDziedzinie(u, x)) return Wynik{Powod::TemperaturaPozaZakresem, 0.0};
        return Wynik{Powod::Brak, odchylka(x).value_or(kNaN)};
    });
}

}  // namespace conversions
