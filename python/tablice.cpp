#include "tablice.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <optional>

#include "its90.h"
#include "tolerancja.h"
#include "typ_termopary.h"

namespace python {

namespace {

using conversions::Powod;
using conversions::Wynik;

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

// E(tc) of the last cold junction seen: the one for all is worked out once,
// and so is a logger's column where it leaves the engine's runs.
class Zimne {
  public:
    explicit Zimne(const conversions::Ustawienia& u) : u_(u) {}

    const Wynik& dla(double tc) {
        const auto bity = std::bit_cast<std::uint64_t>(tc);
        if (!znane_ || bity != bity_) {
            const Powod p = nieskonczonosc(tc);
            wynik_ = p != Powod::Brak ? Wynik{p, 0.0} : conversions::zimneZlacze(u_, tc);
            bity_ = bity;
            znane_ = true;
        }
        return wynik_;
    }

  private:
    const conversions::Ustawienia& u_;
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

// A block's working space. Scratch: every element is written before it is read.
struct Bufory {
    std::array<double, kBlok> wartosci;  // the block's own, in the engine's units
    std::array<double, kBlok> x;         // values for the engine's runs
    std::array<std::uint16_t, kBlok> gdzie;
    std::array<double, kBlok> ez;  // the cold junctions' E(tc), µV
    std::array<Powod, kBlok> pz;   // and why each is refused, if it is
};

// The block's values in the engine's units, °C and µV. Each unit's conversion
// one value at a time, apart from the loops that keep values in registers;
// none for the engine's own unit.
void wczytaj(Wejscie we, std::size_t od, std::size_t m, double* x) {
    for (std::size_t i = 0; i < m; ++i) x[i] = wartosc(we, od + i);
}

void naCelsjusza(const conversions::Ustawienia& u, double* x, std::size_t m) {
    if (u.temperatura == conversions::JednostkaTemperatury::C) return;
    for (std::size_t i = 0; i < m; ++i) x[i] = conversions::naCelsjusza(x[i], u.temperatura);
}

void zCelsjusza(const conversions::Ustawienia& u, double* x, std::size_t m) {
    if (u.temperatura == conversions::JednostkaTemperatury::C) return;
    for (std::size_t i = 0; i < m; ++i) x[i] = conversions::zCelsjusza(x[i], u.temperatura);
}

void naMikrowolty(const conversions::Ustawienia& u, double* x, std::size_t m) {
    if (u.emf == conversions::JednostkaEmf::uV) return;
    for (std::size_t i = 0; i < m; ++i) x[i] = conversions::naMikrowolty(x[i], u.emf);
}

void zMikrowoltow(const conversions::Ustawienia& u, double* x, std::size_t m) {
    if (u.emf == conversions::JednostkaEmf::uV) return;
    for (std::size_t i = 0; i < m; ++i) x[i] = conversions::zMikrowoltow(x[i], u.emf);
}

// Whether every value lies in the range (and, with `bezZera`, none is 0),
// each with its cold junction accepted: then a block goes straight through
// the engine's run, with no element set apart.
bool wszystkie(engine::Zakres d, const double* x, const Powod* pz, std::size_t m, bool bezZera) {
    int inne = 0;  // an int and bitwise tests: the loop vectorises
    for (std::size_t i = 0; i < m; ++i) {
        const bool tak =
            (x[i] >= d.od) & (x[i] <= d.doo) & (pz[i] == Powod::Brak) & !(bezZera & (x[i] == 0.0));
        inne |= tak ? 0 : 1;
    }
    return inne == 0;
}

// The cold junctions' E(tc) - E(0 °C) (b.ez) and refusals (b.pz) of elements
// od..od+m, as conversions::zimneZlacze gives them. Those inside the domain, but for
// the ice point (which has no correction at all), go through the engine's
// run; the rest, bounds, NaN and refusals, through Zimne one at a time.
void zimneBloku(const conversions::Ustawienia& u, Zimne& zimne, Wejscie tc, std::size_t od,
                std::size_t m, Bufory& b) {
    if (tc.krok == 0) {
        const Wynik& z = zimne.dla(wartosc(tc, 0));
        std::fill_n(b.ez.data(), m, z.wartosc);
        std::fill_n(b.pz.data(), m, z.powod);
        return;
    }
    const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
    wczytaj(tc, od, m, b.wartosci.data());
    naCelsjusza(u, b.wartosci.data(), m);
    std::fill_n(b.pz.data(), m, Powod::Brak);
    const double e0 = engine::wiersz(u.typ).emfPunktuLodu;
    if (wszystkie(d, b.wartosci.data(), b.pz.data(), m, true)) {
        engine::emfBlok(u.typ, b.wartosci.data(), b.ez.data(), m);
        if (e0 != 0.0) {
            for (std::size_t i = 0; i < m; ++i) b.ez[i] -= e0;
        }
        return;
    }
    std::size_t ile = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const double c = b.wartosci[i];
        if (d.zawiera(c) && c != 0.0) {
            b.x[ile] = c;
            b.gdzie[ile++] = static_cast<std::uint16_t>(i);
        } else {
            const Wynik& z = zimne.dla(wartosc(tc, od + i));
            b.ez[i] = z.wartosc;
            b.pz[i] = z.powod;
        }
    }
    engine::emfBlok(u.typ, b.x.data(), b.x.data(), ile);
    for (std::size_t j = 0; j < ile; ++j) b.ez[b.gdzie[j]] = e0 != 0.0 ? b.x[j] - e0 : b.x[j];
}

// The block's refusal, if any, into the run's first; true where the run ends.
bool zapamietaj(const Odmowa& o, Odmowa& pierwsza, bool stop) {
    if (!o.jest()) return false;
    if (!pierwsza.jest()) pierwsza = o;
    return stop;
}

}  // namespace

Odmowa emf(const conversions::Ustawienia& u, Wejscie t, Wejscie tc, double* wynik, std::size_t n,
           bool stop) {
    const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
    Zimne zimne(u);
    Bufory b;  // scratch
    Odmowa pierwsza;
    for (std::size_t od = 0; od < n; od += kBlok) {
        const std::size_t m = std::min(kBlok, n - od);
        double* w = wynik + od;
        zimneBloku(u, zimne, tc, od, m, b);
        wczytaj(t, od, m, b.wartosci.data());
        naCelsjusza(u, b.wartosci.data(), m);
        Odmowa o;
        std::size_t ile = m;
        if (wszystkie(d, b.wartosci.data(), b.pz.data(), m, false)) {
            engine::emfBlok(u.typ, b.wartosci.data(), b.x.data(), m);
            std::iota(b.gdzie.begin(), b.gdzie.begin() + static_cast<std::ptrdiff_t>(m), 0);
        } else {
            ile = 0;
            for (std::size_t i = 0; i < m; ++i) {
                const double c = b.wartosci[i];
                const Wynik zi{b.pz[i], b.ez[i]};
                if (d.zawiera(c) && zi.dobry()) {
                    b.x[ile] = c;
                    b.gdzie[ile++] = static_cast<std::uint16_t>(i);
                    continue;
                }
                // Near the bounds and on refusals the scalar path decides, the
                // element's own range first, as conversions::emf checks it.
                const double x = wartosc(t, od + i);
                const Powod p = nieskonczonosc(x);
                const Wynik r = p != Powod::Brak ? Wynik{p, 0.0} : conversions::emf(u, x, zi);
                if (r.dobry()) {
                    w[i] = r.wartosc;
                    continue;
                }
                w[i] = kNaN;
                if (!o.jest()) {
                    o = {od + i, r.powod,
                         p == Powod::Brak && r.powod != Powod::TemperaturaPozaZakresem};
                }
                if (stop) break;
            }
            engine::emfBlok(u.typ, b.x.data(), b.x.data(), ile);
        }
        // E(t) - E(tc) as conversions::emf subtracts it.
        for (std::size_t j = 0; j < ile; ++j) {
            const double ez = b.ez[b.gdzie[j]];
            b.x[j] = ez != 0.0 ? b.x[j] - ez : b.x[j];
        }
        zMikrowoltow(u, b.x.data(), ile);
        for (std::size_t j = 0; j < ile; ++j) w[b.gdzie[j]] = b.x[j];
        if (zapamietaj(o, pierwsza, stop)) break;
    }
    return pierwsza;
}

Odmowa temperatura(const conversions::Ustawienia& u, Wejscie e, Wejscie tc, double* wynik,
                   std::size_t n, bool stop) {
    const engine::Zakres d = engine::dziedzinaOdwrotnej(u.typ);
    Zimne zimne(u);
    Bufory b;  // scratch
    Odmowa pierwsza;
    for (std::size_t od = 0; od < n; od += kBlok) {
        const std::size_t m = std::min(kBlok, n - od);
        double* w = wynik + od;
        zimneBloku(u, zimne, tc, od, m, b);
        wczytaj(e, od, m, b.wartosci.data());
        naMikrowolty(u, b.wartosci.data(), m);
        // The compensated sum as conversions::temperatura adds it.
        for (std::size_t i = 0; i < m; ++i) {
            const double ez = b.ez[i];
            b.x[i] = ez != 0.0 ? b.wartosci[i] + ez : b.wartosci[i];
        }
        Odmowa o;
        std::size_t ile = m;
        if (!u.dokladna && wszystkie(d, b.x.data(), b.pz.data(), m, false)) {
            std::iota(b.gdzie.begin(), b.gdzie.begin() + static_cast<std::ptrdiff_t>(m), 0);
        } else {
            ile = 0;
            for (std::size_t i = 0; i < m; ++i) {
                // The cold junction first, as conversions::temperatura checks it.
                const Wynik zi{b.pz[i], b.ez[i]};
                const double ei = wartosc(e, od + i);
                Wynik r = zi;
                if (r.dobry()) r.powod = nieskonczonosc(ei);
                if (r.dobry()) {
                    if (!u.dokladna && d.zawiera(b.x[i])) {
                        b.x[ile] = b.x[i];
                        b.gdzie[ile++] = static_cast<std::uint16_t>(i);
                        continue;
                    }
                    // Near the bounds (and the exact inverse) the scalar path decides.
                    r = conversions::temperatura(u, ei, zi);
                }
                if (r.dobry()) {
                    w[i] = r.wartosc;
                    continue;
                }
                w[i] = kNaN;
                if (!o.jest()) o = {od + i, r.powod, !zi.dobry()};
                if (stop) break;
            }
        }
        engine::temperaturaZEmfBlok(u.typ, b.x.data(), b.x.data(), ile);
        zCelsjusza(u, b.x.data(), ile);
        for (std::size_t j = 0; j < ile; ++j) w[b.gdzie[j]] = b.x[j];
        if (zapamietaj(o, pierwsza, stop)) break;
    }
    return pierwsza;
}

Odmowa seebeck(const conversions::Ustawienia& u, Wejscie t, double* wynik, std::size_t n,
               bool stop) {
    return przebieg(wynik, n, stop, [&](std::size_t i, bool&) {
        const double x = wartosc(t, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        return conversions::seebeck(u, x);
    });
}

Odmowa tolerancja(const conversions::Ustawienia& u, int klasa,
                  std::optional<engine::KlasaAstm> astm, Wejscie t, double* wynik, std::size_t n,
                  bool stop) {
    return przebieg(wynik, n, stop, [&](std::size_t i, bool&) {
        const double x = wartosc(t, i);
        if (const Powod p = nieskonczonosc(x); p != Powod::Brak) return Wynik{p, 0.0};
        if (!conversions::wDziedzinie(u, x)) return Wynik{Powod::TemperaturaPozaZakresem, 0.0};
        const auto d = astm ? conversions::granicaAstmWJednostce(u.typ, *astm, x, u.temperatura)
                            : conversions::odchylkaWJednostce(u.typ, klasa, x, u.temperatura);
        return Wynik{Powod::Brak, d.value_or(kNaN)};
    });
}

}  // namespace python
