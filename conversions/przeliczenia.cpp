#include "przeliczenia.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <string>

namespace conversions {

namespace {

constexpr double kZeroBezwzgledne = 273.15;  // K at 0 °C
constexpr double kStopienF = 1.8;            // °F per °C

template <class E>
constexpr std::size_t nr(E e) {
    return static_cast<std::size_t>(e);
}

// What follows a refusal's text.
enum class Dopisek : std::uint8_t {
    Nic,
    ZakresTemperatury,  // the type's domain in the temperature unit
    ZakresEmf,          // the inverse's domain in the EMF unit
    LimitWierszy,       // kMaksWierszyTabeli
    NumerPola,          // the field's number
};

struct Tekst {
    Powod powod;
    std::string_view tekst;
    Dopisek dopisek;
};

// Every refusal's text, for the command line and the row converter alike.
constexpr std::array<Tekst, 13> kTeksty{{
    {Powod::Brak, "", Dopisek::Nic},
    {Powod::NieLiczba, "to nie jest liczba", Dopisek::Nic},
    {Powod::NaN, "NaN nie jest wartością pomiaru", Dopisek::Nic},
    {Powod::Nieskonczona, "wartość nieskończona", Dopisek::Nic},
    {Powod::TemperaturaPozaZakresem, "temperatura poza zakresem", Dopisek::ZakresTemperatury},
    {Powod::ZimneZlaczePozaZakresem, "temperatura zimnego złącza poza zakresem",
     Dopisek::ZakresTemperatury},
    {Powod::EmfPozaZakresem, "EMF (z kompensacją zimnego złącza) poza zakresem",
     Dopisek::ZakresEmf},
    {Powod::EmfDwuznaczne,
     "tę EMF (z kompensacją zimnego złącza) dają dwie temperatury; dokładna odwrotność przyjmuje "
     "EMF",
     Dopisek::ZakresEmf},
    {Powod::BrakPola, "brak pola", Dopisek::NumerPola},
    {Powod::KrokNiedodatni, "krok tabeli musi być dodatni", Dopisek::Nic},
    {Powod::PoczatekZaKoncem, "początek tabeli (--from) leży za jej końcem (--to)", Dopisek::Nic},
    {Powod::ZaDuzoWierszy, "tabela miałaby ponad", Dopisek::LimitWierszy},
    {Powod::PoleZaDlugie, "pole dłuższe niż 1 MiB", Dopisek::Nic},
}};

constexpr bool poKolei() {
    for (std::size_t i = 0; i < kTeksty.size(); ++i) {
        if (nr(kTeksty.at(i).powod) != i) return false;
    }
    return true;
}
static_assert(poKolei(), "kTeksty is indexed by Powod");

constexpr std::array<std::string_view, 3> kSymboleTemperatury{"°C", "°F", "K"};
constexpr std::array<std::string_view, 2> kSymboleEmf{"mV", "µV"};

double przytnij(engine::Zakres z, double x) {
    return x < z.od ? z.od : (x > z.doo ? z.doo : x);
}

// The temperature in °C if it lies in the domain `d` of the type.
bool celsjusz(const Ustawienia& u, engine::Zakres d, double t, double& c) {
    c = naCelsjusza(t, u.temperatura);
    if (!wZakresie(d, c)) return false;
    c = przytnij(d, c);
    return true;
}

bool celsjusz(const Ustawienia& u, double t, double& c) {
    return celsjusz(u, engine::dziedzinaTemperatury(u.typ), t, c);
}

// E(tc) - E(0 °C) from the engine's E(cz), cz the cold junction in °C: no
// correction at all at 0 °C, not E(0) - E(0), which the arithmetic need not
// make exactly zero.
double zimneZEmf(engine::TypTermopary typ, double cz, double e) {
    return cz != 0.0 ? e - engine::wiersz(typ).emfPunktuLodu : 0.0;
}

Wynik emfZEmf(const Ustawienia& u, double e, const Wynik& zimne) {
    if (!zimne.dobry()) return zimne;
    if (zimne.wartosc != 0.0) e -= zimne.wartosc;
    return {Powod::Brak, zMikrowoltow(e, u.emf)};
}

// The compensated EMF in µV that the inverse is given, clamped to its
// domain `d`; or why there is none.
Wynik doOdwrotnej(const Ustawienia& u, engine::Zakres d, double e, const Wynik& zimne) {
    if (!zimne.dobry()) return zimne;
    const auto m = skompensowana(d, naMikrowolty(e, u.emf), zimne.wartosc);
    if (!m) return {Powod::EmfPozaZakresem, 0.0};
    return {Powod::Brak, *m};
}

engine::Zakres dziedzinaEmf(const Ustawienia& u) {
    return u.dokladna ? engine::dziedzinaDokladnej(u.typ) : engine::dziedzinaOdwrotnej(u.typ);
}

// Values handed to the engine at a time, kept on the stack.
constexpr std::size_t kKawalek = 64;

// The engine over arrays: its runs give the bits of its one-value functions.
void emfZTemperatur(engine::TypTermopary typ, std::span<const double> t, std::span<double> e) {
    engine::emfBlok(typ, t.data(), e.data(), t.size());
}

void temperaturyZEmf(engine::TypTermopary typ, std::span<const double> u, std::span<double> t) {
    engine::temperaturaZEmfBlok(typ, u.data(), t.data(), u.size());
}

// E(t) in µV of each temperature (temperature unit) that lies in the type's
// domain, a chunk at a time: `dalej(i, w, e)` gets each value's index, whether
// it lies in the domain and its E(t).
template <class Dalej>
void emfTemperatur(const Ustawienia& u, std::span<const double> t, Dalej dalej) {
    const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
    std::array<double, kKawalek> c{};
    std::array<double, kKawalek> e{};
    std::array<bool, kKawalek> w{};
    for (std::size_t od = 0; od < t.size(); od += kKawalek) {
        const std::size_t n = std::min(kKawalek, t.size() - od);
        for (std::size_t i = 0; i < n; ++i) {
            w[i] = celsjusz(u, d, t[od + i], c[i]);
            // A value refused anyway: any temperature of the domain will do.
            if (!w[i]) c[i] = 0.0;
        }
        emfZTemperatur(u.typ, {c.data(), n}, {e.data(), n});
        for (std::size_t i = 0; i < n; ++i) dalej(od + i, w[i], c[i], e[i]);
    }
}

// A range's bound to `cyfry` decimals, rounded towards the inside so that
// the bound as printed is accepted; a bound that already has no more
// decimals (but for conversion noise) stays as it is, unless it is itself
// refused (`otwarta`: type B's exact inverse, just above 0).
double doSrodka(double x, int cyfry, bool dolna, bool otwarta = false) {
    const double skala = std::pow(10.0, cyfry);
    const double y = x * skala;
    const double r = std::round(y);
    if (std::fabs(y - r) <= 4.0 * kUlpy * std::fabs(y)) {
        return (otwarta ? r + (dolna ? 1.0 : -1.0) : r) / skala;
    }
    return (dolna ? std::ceil(y) : std::floor(y)) / skala;
}

engine::Zakres emfWJednostce(engine::Zakres z, JednostkaEmf j) {
    return {zMikrowoltow(z.od, j), zMikrowoltow(z.doo, j)};
}

}  // namespace

double naCelsjusza(double t, JednostkaTemperatury j) {
    switch (j) {
        case JednostkaTemperatury::F:
            return (t - 32.0) / kStopienF;
        case JednostkaTemperatury::K:
            return t - kZeroBezwzgledne;
        case JednostkaTemperatury::C:
            break;
    }
    return t;
}

double zCelsjusza(double t, JednostkaTemperatury j) {
    switch (j) {
        case JednostkaTemperatury::F:
            return kStopienF * t + 32.0;
        case JednostkaTemperatury::K:
            return t + kZeroBezwzgledne;
        case JednostkaTemperatury::C:
            break;
    }
    return t;
}

double stopien(JednostkaTemperatury j) {
    return j == JednostkaTemperatury::F ? 1.0 / kStopienF : 1.0;
}

double wKelwinie(JednostkaTemperatury j) {
    return j == JednostkaTemperatury::F ? kStopienF : 1.0;
}

double naMikrowolty(double e, JednostkaEmf j) {
    return j == JednostkaEmf::mV ? e * 1000.0 : e;
}

double zMikrowoltow(double e, JednostkaEmf j) {
    return j == JednostkaEmf::mV ? e / 1000.0 : e;
}

std::string_view symbol(JednostkaTemperatury j) {
    return kSymboleTemperatury.at(nr(j));
}

std::string_view symbol(JednostkaEmf j) {
    return kSymboleEmf.at(nr(j));
}

Wynik zOdczytu(const numbers::Odczyt& odczyt) {
    switch (odczyt.stan) {
        case numbers::Stan::Liczba:
            return {Powod::Brak, odczyt.wartosc};
        case numbers::Stan::NaN:
            return {Powod::NaN, 0.0};
        case numbers::Stan::Nieskonczona:
            return {Powod::Nieskonczona, 0.0};
        case numbers::Stan::NieLiczba:
            break;
    }
    return {Powod::NieLiczba, 0.0};
}

Wynik odczyt(std::string_view tekst, numbers::Separator separator) {
    return zOdczytu(numbers::czytaj(tekst, separator));
}

double emfZimnegoZlacza(engine::TypTermopary typ, double tc) {
    return zimneZEmf(typ, tc, tc != 0.0 ? engine::emfZTemperatury(typ, tc) : 0.0);
}

bool wZakresie(engine::Zakres z, double x) {
    const double luz = kUlpy * std::max(std::fabs(z.od), std::fabs(z.doo));
    return x >= z.od - luz && x <= z.doo + luz;
}

std::optional<double> skompensowana(engine::Zakres d, double u, double zimne, double luz) {
    // Added only when there is something to add: -0 + 0 would be +0.
    if (zimne != 0.0) u += zimne;
    if (!wZakresie({d.od - luz, d.doo + luz}, u)) return std::nullopt;
    return przytnij(d, u);
}

bool wDziedzinie(const Ustawienia& u, double t) {
    double c = 0.0;
    return celsjusz(u, t, c);
}

Wynik zimneZlacze(const Ustawienia& u, double tc) {
    double cz = 0.0;
    if (!celsjusz(u, tc, cz)) return {Powod::ZimneZlaczePozaZakresem, 0.0};
    return {Powod::Brak, emfZimnegoZlacza(u.typ, cz)};
}

void zimneZlacza(const Ustawienia& u, std::span<const double> tc, std::span<Wynik> wynik) {
    emfTemperatur(u, tc, [&](std::size_t i, bool w, double cz, double e) {
        wynik[i] = w ? Wynik{Powod::Brak, zimneZEmf(u.typ, cz, e)}
                     : Wynik{Powod::ZimneZlaczePozaZakresem, 0.0};
    });
}

ZimneZlacze punktLodu(JednostkaTemperatury j) {
    return {zCelsjusza(0.0, j), {Powod::Brak, 0.0}};
}

ZimneZlacze zimneZOdczytu(const Ustawienia& u, const Wynik& tc) {
    return {tc.wartosc, tc.dobry() ? zimneZlacze(u, tc.wartosc) : tc};
}

Wynik emf(const Ustawienia& u, double t, double tc) {
    return emf(u, t, zimneZlacze(u, tc));
}

Wynik emf(const Ustawienia& u, double t, const Wynik& zimne) {
    double c = 0.0;
    if (!celsjusz(u, t, c)) return {Powod::TemperaturaPozaZakresem, 0.0};
    if (!zimne.dobry()) return zimne;
    return emfZEmf(u, engine::emfZTemperatury(u.typ, c), zimne);
}

void emfy(const Ustawienia& u, std::span<const double> t, std::span<const Wynik> zimne,
          std::span<Wynik> wynik) {
    emfTemperatur(u, t, [&](std::size_t i, bool w, double /*c*/, double e) {
        wynik[i] = w ? emfZEmf(u, e, zimne[i]) : Wynik{Powod::TemperaturaPozaZakresem, 0.0};
    });
}

Wynik temperatura(const Ustawienia& u, double e, double tc) {
    return temperatura(u, e, zimneZlacze(u, tc));
}

namespace {

// The exact inverse of e (EMF unit) against a cold junction of `zimne` µV.
Wynik dokladna(const Ustawienia& u, double e, double zimne) {
    const double mikrowolty = naMikrowolty(e, u.emf);
    const auto dwuznaczne = engine::emfDwuznaczne(u.typ);
    if (dwuznaczne && wZakresie(*dwuznaczne, zimne != 0.0 ? mikrowolty + zimne : mikrowolty)) {
        return {Powod::EmfDwuznaczne, 0.0};
    }
    const double luz = naMikrowolty(numbers::polowaOstatniejCyfry(e), u.emf);
    const auto m = skompensowana(engine::dziedzinaDokladnej(u.typ), mikrowolty, zimne, luz);
    const auto t = m ? engine::temperaturaDokladna(u.typ, *m) : std::nullopt;
    if (!t) return {Powod::EmfPozaZakresem, 0.0};
    return {Powod::Brak, zCelsjusza(*t, u.temperatura)};
}

}  // namespace

Wynik temperatura(const Ustawienia& u, double e, const Wynik& zimne) {
    if (!zimne.dobry()) return zimne;
    if (u.dokladna) return dokladna(u, e, zimne.wartosc);
    const Wynik m = doOdwrotnej(u, engine::dziedzinaOdwrotnej(u.typ), e, zimne);
    if (!m.dobry()) return m;
    return {Powod::Brak, zCelsjusza(engine::temperaturaZEmf(u.typ, m.wartosc), u.temperatura)};
}

void temperatury(const Ustawienia& u, std::span<const double> e, std::span<const Wynik> zimne,
                 std::span<Wynik> wynik) {
    if (u.dokladna) {
        // The exact inverse searches value by value anyway.
        for (std::size_t i = 0; i < e.size(); ++i) wynik[i] = temperatura(u, e[i], zimne[i]);
        return;
    }
    const engine::Zakres d = engine::dziedzinaOdwrotnej(u.typ);
    std::array<double, kKawalek> m{};
    std::array<double, kKawalek> t{};
    for (std::size_t od = 0; od < e.size(); od += kKawalek) {
        const std::size_t n = std::min(kKawalek, e.size() - od);
        for (std::size_t i = 0; i < n; ++i) {
            wynik[od + i] = doOdwrotnej(u, d, e[od + i], zimne[od + i]);
            // A value refused anyway: any EMF of the domain will do.
            m[i] = wynik[od + i].dobry() ? wynik[od + i].wartosc : 0.0;
        }
        temperaturyZEmf(u.typ, {m.data(), n}, {t.data(), n});
        for (std::size_t i = 0; i < n; ++i) {
            if (wynik[od + i].dobry()) wynik[od + i].wartosc = zCelsjusza(t[i], u.temperatura);
        }
    }
}

Wynik seebeck(const Ustawienia& u, double t) {
    double c = 0.0;
    if (!celsjusz(u, t, c)) return {Powod::TemperaturaPozaZakresem, 0.0};
    return {Powod::Brak, engine::seebeck(u.typ, c) * stopien(u.temperatura)};
}

std::string opis(Powod powod, const Ustawienia& u, std::size_t pole, const ZimneZlacze* zimne) {
    const Tekst& t = kTeksty.at(nr(powod));
    std::string s(t.tekst);
    const auto zakres = [&](engine::Zakres z, int cyfry, std::string_view jednostka,
                            std::string_view przy, bool otwarta = false) {
        s += std::string(" typu ") + litera(u.typ) + " (" + std::string(przy) + "od " +
             numbers::tekst(doSrodka(z.od, cyfry, true, otwarta), cyfry, false) + " do " +
             numbers::tekst(doSrodka(z.doo, cyfry, false), cyfry, false) + " " +
             std::string(jednostka) + ")";
    };
    switch (t.dopisek) {
        case Dopisek::Nic:
            break;
        case Dopisek::ZakresTemperatury: {
            const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
            zakres({zCelsjusza(d.od, u.temperatura), zCelsjusza(d.doo, u.temperatura)}, 2,
                   symbol(u.temperatura), "");
            break;
        }
        case Dopisek::ZakresEmf: {
            engine::Zakres z = dziedzinaEmf(u);
            // The EMF as typed: the domain less the cold junction's EMF.
            std::string przy;
            if (zimne != nullptr && zimne->emf.dobry() && zimne->emf.wartosc != 0.0) {
                z = {z.od - zimne->emf.wartosc, z.doo - zimne->emf.wartosc};
                przy = "przy zimnym złączu " + numbers::tekst(zimne->temperatura, 2, false) + " " +
                       std::string(symbol(u.temperatura)) + ": ";
            }
            // The exact inverse's lowest EMF for type B is the least above 0.
            const bool otwarta = u.dokladna && engine::emfDwuznaczne(u.typ).has_value();
            zakres(emfWJednostce(z, u.emf), u.emf == JednostkaEmf::mV ? 3 : 0, symbol(u.emf), przy,
                   otwarta);
            break;
        }
        case Dopisek::LimitWierszy:
            // Appended piece by piece: GCC 12 at -O3 warns falsely on " " + to_string().
            s += ' ';
            s += std::to_string(kMaksWierszyTabeli);
            s += " wierszy";
            break;
        case Dopisek::NumerPola:
            s += ' ';
            s += std::to_string(pole);
            return s;
    }
    if (pole != 0 && powod != Powod::Brak) {
        s += " (pole ";
        s += std::to_string(pole);
        s += ')';
    }
    return s;
}

}  // namespace conversions
