#include "przeliczenia.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>

namespace przeliczenia {

namespace {

constexpr double kZeroBezwzgledne = 273.15;  // K at 0 °C
constexpr double kStopienF = 1.8;            // °F per °C

template <class E>
constexpr std::size_t nr(E e) {
    return static_cast<std::size_t>(e);
}

constexpr std::array<std::string_view, 3> kSymboleTemperatury{"°C", "°F", "K"};
constexpr std::array<std::string_view, 2> kSymboleEmf{"mV", "µV"};

// Accepted values may sit an ulp or so past a bound after a unit conversion
// (1768.1 °C read as 3214.58 °F); such a value is the bound itself.
constexpr double kLuz = 1e-9;  // °C or µV

bool zawiera(its90::Zakres z, double x, double luz) {
    return x >= z.od - luz && x <= z.doo + luz;
}

double przytnij(its90::Zakres z, double x) {
    return x < z.od ? z.od : (x > z.doo ? z.doo : x);
}

// The temperature in °C if it lies in the type's domain.
bool celsjusz(const Ustawienia& u, double t, double& c) {
    const its90::Zakres d = its90::dziedzinaTemperatury(u.typ);
    c = naCelsjusza(t, u.temperatura);
    if (!zawiera(d, c, kLuz * std::fabs(c) + kLuz)) return false;
    c = przytnij(d, c);
    return true;
}

its90::Zakres emfWJednostce(its90::Zakres z, JednostkaEmf j) {
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

Wynik zOdczytu(const liczby::Odczyt& odczyt) {
    switch (odczyt.stan) {
        case liczby::Stan::Liczba:
            return {Powod::Brak, odczyt.wartosc};
        case liczby::Stan::NaN:
            return {Powod::NaN, 0.0};
        case liczby::Stan::Nieskonczona:
            return {Powod::Nieskonczona, 0.0};
        case liczby::Stan::NieLiczba:
            break;
    }
    return {Powod::NieLiczba, 0.0};
}

bool wDziedzinie(const Ustawienia& u, double t) {
    double c = 0.0;
    return celsjusz(u, t, c);
}

Wynik zimneZlacze(const Ustawienia& u, double tc) {
    double cz = 0.0;
    if (!celsjusz(u, tc, cz)) return {Powod::ZimneZlaczePozaZakresem, 0.0};
    // The window's number when the cold junction is at 0 °C: no correction
    // at all, not E(0), which is not exactly zero for type K.
    return {Powod::Brak, cz != 0.0 ? its90::emfZTemperatury(u.typ, cz) : 0.0};
}

Wynik emf(const Ustawienia& u, double t, double tc) {
    return emf(u, t, zimneZlacze(u, tc));
}

Wynik emf(const Ustawienia& u, double t, const Wynik& zimne) {
    double c = 0.0;
    if (!celsjusz(u, t, c)) return {Powod::TemperaturaPozaZakresem, 0.0};
    if (!zimne.dobry()) return zimne;
    double e = its90::emfZTemperatury(u.typ, c);
    if (zimne.wartosc != 0.0) e -= zimne.wartosc;
    return {Powod::Brak, zMikrowoltow(e, u.emf)};
}

Wynik temperatura(const Ustawienia& u, double e, double tc) {
    return temperatura(u, e, zimneZlacze(u, tc));
}

Wynik temperatura(const Ustawienia& u, double e, const Wynik& zimne) {
    if (!zimne.dobry()) return zimne;
    double mikrowolty = naMikrowolty(e, u.emf);
    if (zimne.wartosc != 0.0) mikrowolty += zimne.wartosc;
    // A bound typed in mV may land a hair outside in µV (-8.095 mV).
    const its90::Zakres d =
        u.dokladna ? its90::dziedzinaDokladnej(u.typ) : its90::dziedzinaOdwrotnej(u.typ);
    if (!zawiera(d, mikrowolty, kLuz * std::fabs(mikrowolty) + kLuz)) {
        return {Powod::EmfPozaZakresem, 0.0};
    }
    mikrowolty = przytnij(d, mikrowolty);
    double t = 0.0;
    if (u.dokladna) {
        const auto x = its90::temperaturaDokladna(u.typ, mikrowolty);
        if (!x) return {Powod::EmfPozaZakresem, 0.0};
        t = *x;
    } else {
        t = its90::temperaturaZEmf(u.typ, mikrowolty);
    }
    return {Powod::Brak, zCelsjusza(t, u.temperatura)};
}

Wynik seebeck(const Ustawienia& u, double t) {
    double c = 0.0;
    if (!celsjusz(u, t, c)) return {Powod::TemperaturaPozaZakresem, 0.0};
    return {Powod::Brak, its90::seebeck(u.typ, c) * stopien(u.temperatura)};
}

std::string opis(Powod powod, const Ustawienia& u) {
    const auto zakres = [](its90::Zakres z, int cyfry, std::string_view jednostka) {
        return "od " + liczby::tekst(z.od, cyfry, false) + " do " +
               liczby::tekst(z.doo, cyfry, false) + " " + std::string(jednostka);
    };
    const its90::Zakres d = its90::dziedzinaTemperatury(u.typ);
    const its90::Zakres t{zCelsjusza(d.od, u.temperatura), zCelsjusza(d.doo, u.temperatura)};
    const std::string typ = std::string("typu ") + litera(u.typ);
    const int cyfryEmf = u.emf == JednostkaEmf::mV ? 3 : 0;
    switch (powod) {
        case Powod::Brak:
            return {};
        case Powod::NieLiczba:
            return "to nie jest liczba";
        case Powod::NaN:
            return "NaN nie jest wartością pomiaru";
        case Powod::Nieskonczona:
            return "wartość nieskończona";
        case Powod::TemperaturaPozaZakresem:
            return "temperatura poza zakresem " + typ + " (" + zakres(t, 2, symbol(u.temperatura)) +
                   ")";
        case Powod::ZimneZlaczePozaZakresem:
            return "temperatura zimnego złącza poza zakresem " + typ + " (" +
                   zakres(t, 2, symbol(u.temperatura)) + ")";
        case Powod::KrokNiedodatni:
            return "krok tabeli musi być dodatni";
        case Powod::PoczatekZaKoncem:
            return "początek tabeli (--from) leży za jej końcem (--to)";
        case Powod::ZaDuzoWierszy:
            return "tabela miałaby ponad " + std::to_string(kMaksWierszyTabeli) + " wierszy";
        case Powod::EmfPozaZakresem: {
            const its90::Zakres z =
                u.dokladna ? its90::dziedzinaDokladnej(u.typ) : its90::dziedzinaOdwrotnej(u.typ);
            return "EMF (z kompensacją zimnego złącza) poza zakresem " + typ + " (" +
                   zakres(emfWJednostce(z, u.emf), cyfryEmf, symbol(u.emf)) + ")";
        }
    }
    return {};
}

}  // namespace przeliczenia
