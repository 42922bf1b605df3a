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
    for (const double v : x) poza |= ((v >= d.od) & (v <= d.doo) & !(bezZera & (v == 0.0))) ? 0 : 1;
    return poza == 0;
}

// Temperatures of the unit in °C, a block at a time; °C itself untouched,
// as naCelsjusza() leaves it.
void naCelsjusza(JednostkaTemperatury j, std::span<const double> t, double* c) {
    if (j == JednostkaTemperatury::C) {
        std::copy(t.begin(), t.end(), c);
        return;
    }
    for (std::size_t i = 0; i < t.size(); ++i) c[i] = naCelsjusza(t[i], j);
}

// The cold junctions' E(tc), a block at a time; one for all is worked out once.
class Zimne {
  public:
    Zimne(const Ustawienia& u, Ciag tc) : u_(u), tc_(tc) {
        if (tc.krok == 0) wspolne_ = jedno(wartosc(tc, 0));
    }

    // True: every one is accepted and ez[0..n) holds E(tc) in µV; false:
    // z[0..n) holds each one's E(tc) or why it is refused.
    bool blok(std::size_t od, std::size_t n, double* ez, Wynik* z) {
        if (tc_.krok == 0) {
            if (wspolne_.dobry()) std::fill_n(ez, n, wspolne_.wartosc);
            if (!wspolne_.dobry()) std::fill_n(z, n, wspolne_);
            return wspolne_.dobry();
        }
        wczytaj(tc_, od, n, x_.data());
        // Inside the domain and off the ice point (which has no correction at
        // all), E(tc) is the engine's run; elsewhere zimneZlacza() decides.
        naCelsjusza(u_.temperatura, {x_.data(), n}, c_.data());
        if (wewnatrz(engine::dziedzinaTemperatury(u_.typ), {c_.data(), n}, true)) {
            engine::emfBlok(u_.typ, c_.data(), ez, n);
            for (std::size_t i = 0; i < n; ++i) ez[i] = emfZimnegoZlacza(u_.typ, c_[i], ez[i]);
            return true;
        }
        zimneZlacza(u_, {x_.data(), n}, {z, n});
        for (std::size_t i = 0; i < n; ++i) {
            if (const Powod p = nieskonczonosc(x_[i]); p != Powod::Brak) z[i] = {p, 0.0};
        }
        return false;
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

// Runs `blok(od, n, r, zimne, y)` over the run: it fills the results r[0..n)
// of elements od..od+n and whether each refusal is the cold junction's, or
// writes a block it accepts whole straight to y[0..n) and returns true. The
// results then go out, NaN where refused or left out.
template <class Blok>
Odmowa bloki(Maska maska, Wyniki w, Blok blok) {
    std::array<Wynik, kBlok> r{};
    std::array<bool, kBlok> zimne{};
    Odmowa pierwsza;
    for (std::size_t od = 0; od < w.n; od += kBlok) {
        const std::size_t n = std::min(kBlok, w.n - od);
        double* y = w.dane + od;
        if (blok(od, n, r.data(), zimne.data(), y)) {
            for (std::size_t i = 0; maska.dane != nullptr && i < n; ++i) {
                if (pominiety(maska, od + i)) y[i] = kNaN;
            }
            continue;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const bool dobry = r[i].dobry() && !pominiety(maska, od + i);
            y[i] = dobry ? r[i].wartosc : kNaN;
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
    return bloki(m, w, [&](std::size_t od, std::size_t n, Wynik* r, bool* zimne, double*) {
        for (std::size_t i = 0; i < n; ++i) {
            const double v = wartosc(x, od + i);
            const Powod p = nieskonczonosc(v);
            r[i] = p != Powod::Brak ? Wynik{p, 0.0} : licz(v);
            zimne[i] = false;
        }
        return false;
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

// Such values a block at a time: `szybko(x, ez, y)` takes a block whose
// cold junctions are all accepted (E(tc) in ez) and writes y if it accepts
// the block whole; `powoli(ZZimnym)` decides element by element.
template <class Szybko, class Powoli>
Odmowa zZimnym(const Ustawienia& u, Ciag wartosci, Ciag tc, Maska m, Wyniki w, Szybko szybko,
               Powoli powoli) {
    Zimne zimne(u, tc);
    std::array<double, kBlok> x{};
    std::array<double, kBlok> ez{};
    std::array<Wynik, kBlok> z{};
    return bloki(m, w, [&](std::size_t od, std::size_t n, Wynik* r, bool* odZimnego, double* y) {
        wczytaj(wartosci, od, n, x.data());
        const bool dobre = zimne.blok(od, n, ez.data(), z.data());
        if (dobre && szybko(std::span<const double>(x.data(), n), ez.data(), y)) return true;
        for (std::size_t i = 0; dobre && i < n; ++i) z[i] = {Powod::Brak, ez[i]};
        powoli(ZZimnym{{x.data(), n}, {z.data(), n}, {r, n}, odZimnego});
        return false;
    });
}

}  // namespace

Odmowa emf(const Ustawienia& u, Ciag t, Ciag tc, Maska m, Wyniki w) {
    std::array<double, kBlok> c{};
    const auto szybko = [&](std::span<const double> x, const double* ez, double* y) {
        const std::size_t n = x.size();
        naCelsjusza(u.temperatura, x, c.data());
        if (!wewnatrz(engine::dziedzinaTemperatury(u.typ), {c.data(), n})) return false;
        // E(t) - E(tc) as emf() subtracts it.
        engine::emfBlok(u.typ, c.data(), c.data(), n);
        for (std::size_t i = 0; i < n; ++i)
            y[i] = zMikrowoltow(ez[i] != 0.0 ? c[i] - ez[i] : c[i], u.emf);
        return true;
    };
    return zZimnym(u, t, tc, m, w, szybko, [&](const ZZimnym& b) {
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
    const auto szybko = [&](std::span<const double> x, const double* ez, double* y) {
        const std::size_t n = x.size();
        // The compensated EMF as temperatura() adds it.
        for (std::size_t i = 0; i < n; ++i) {
            const double e0 = naMikrowolty(x[i], u.emf);
            mikro[i] = ez[i] != 0.0 ? e0 + ez[i] : e0;
        }
        if (u.dokladna || !wewnatrz(engine::dziedzinaOdwrotnej(u.typ), {mikro.data(), n}))
            return false;
        engine::temperaturaZEmfBlok(u.typ, mikro.data(), y, n);
        for (std::size_t i = 0; u.temperatura != JednostkaTemperatury::C && i < n; ++i)
            y[i] = zCelsjusza(y[i], u.temperatura);
        return true;
    };
    return zZimnym(u, e, tc, m, w, szybko, [&](const ZZimnym& b) {
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
