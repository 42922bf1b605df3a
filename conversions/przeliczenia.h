#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "its90.h"
#include "liczby.h"
#include "typ_termopary.h"

// The conversions of the command line, the row converter and the Python
// module, in the user's units, each value checked against the domain before
// the engine sees it: nothing is extrapolated. The window's panels use the
// cold-junction arithmetic below too.
namespace conversions {

enum class JednostkaTemperatury : std::uint8_t { C, F, K };
enum class JednostkaEmf : std::uint8_t { mV, uV };

struct Ustawienia {
    engine::TypTermopary typ = engine::TypTermopary::J;
    JednostkaTemperatury temperatura = JednostkaTemperatury::C;
    JednostkaEmf emf = JednostkaEmf::mV;
    bool dokladna = false;  // the exact inverse instead of NIST's polynomial
};

double naCelsjusza(double t, JednostkaTemperatury j);
double zCelsjusza(double t, JednostkaTemperatury j);
// One degree of the unit, in kelvins: 1, 1/1.8 for F.
double stopien(JednostkaTemperatury j);
// Degrees of the unit in one kelvin: 1, 1.8 for F (not 1 / stopien(), which
// misses 1.8 by an ulp).
double wKelwinie(JednostkaTemperatury j);
double naMikrowolty(double e, JednostkaEmf j);
double zMikrowoltow(double e, JednostkaEmf j);

std::string_view symbol(JednostkaTemperatury j);  // "°C", "°F", "K"
std::string_view symbol(JednostkaEmf j);          // "mV", "µV"

// Why a value is refused, for every front end; its text is opis().
enum class Powod : std::uint8_t {
    Brak,
    NieLiczba,
    NaN,
    Nieskonczona,
    TemperaturaPozaZakresem,
    ZimneZlaczePozaZakresem,
    EmfPozaZakresem,   // the compensated EMF, outside the inverse's domain
    EmfDwuznaczne,     // the compensated EMF, shared by two temperatures (type B)
    BrakPola,          // a row of a file ends before the field
    KrokNiedodatni,    // a table's step
    PoczatekZaKoncem,  // a table's start above its end
    ZaDuzoWierszy,     // a table longer than kMaksWierszyTabeli
    PoleZaDlugie,      // a field of a file longer than the converter reads
};

// A table of more rows is refused rather than written for hours.
inline constexpr std::int64_t kMaksWierszyTabeli = 1'000'000;

struct Wynik {
    Powod powod = Powod::Brak;
    double wartosc = 0.0;

    [[nodiscard]] bool dobry() const { return powod == Powod::Brak; }
};

// A number read from the user: NieLiczba, NaN and Nieskonczona as refusals.
Wynik zOdczytu(const numbers::Odczyt& odczyt);
// The whole text as one number, or why it is refused.
Wynik odczyt(std::string_view tekst, numbers::Separator separator);

// What a cold junction at tc °C adds to a measured EMF: E(tc) - E(0 °C) in µV,
// exactly 0 at 0 °C. tc is not checked: the window takes cold junctions
// outside a type's domain (-30 °C for type B).
double emfZimnegoZlacza(engine::TypTermopary typ, double tc);
// The slack of every domain check on a converted or compensated value: a
// bound converted between units (1768.1 °C is 3214.58 °F, -8.095 mV is
// -8095 µV) or a sum with a cold junction's EMF may land an ulp or so from
// the bound itself; within kUlpy (relative to the domain's larger end) a
// value is the bound and is clamped to it. Anything further out is refused.
inline constexpr double kUlpy = 4.0 * std::numeric_limits<double>::epsilon();
bool wZakresie(engine::Zakres z, double x);
// The compensated EMF in µV (u + zimne, both µV) that an inverse of domain d
// is given, clamped to d; nothing outside d. `luz` (µV) widens d further:
// the exact inverse takes a value within half a unit of its last digit of
// an end as that end, so that every EMF printed for a temperature of the
// domain reads back.
std::optional<double> skompensowana(engine::Zakres d, double u, double zimne, double luz = 0.0);

// E(tc) in µV for a cold junction at tc (temperature unit), checked once and
// reused for every value measured against it.
Wynik zimneZlacze(const Ustawienia& u, double tc);

// A cold junction checked once: tc in the temperature unit and E(tc).
struct ZimneZlacze {
    double temperatura = 0.0;
    Wynik emf;  // E(tc) in µV, 0 at the ice point; or why tc is refused
};
// The unit's ice point (0 °C, 32 °F, 273.15 K): no correction at all.
ZimneZlacze punktLodu(JednostkaTemperatury j);
// tc as read (a refused reading stays refused), checked against the domain.
ZimneZlacze zimneZOdczytu(const Ustawienia& u, const Wynik& tc);

// E(t) - E(tc), in the EMF unit.
Wynik emf(const Ustawienia& u, double t, double tc);
Wynik emf(const Ustawienia& u, double t, const Wynik& zimne);
// The temperature whose EMF is e + E(tc), in the temperature unit. The exact
// inverse refuses an EMF that two temperatures share (EmfDwuznaczne).
Wynik temperatura(const Ustawienia& u, double e, double tc);
Wynik temperatura(const Ustawienia& u, double e, const Wynik& zimne);
// The same, bit for bit, for many values at once: wynik[i] is what the
// function above gives for the i-th value (and zimne[i]). A row converter
// calls these once per block of rows, so the engine sees whole arrays.
void zimneZlacza(const Ustawienia& u, std::span<const double> tc, std::span<Wynik> wynik);
void emfy(const Ustawienia& u, std::span<const double> t, std::span<const Wynik> zimne,
          std::span<Wynik> wynik);
void temperatury(const Ustawienia& u, std::span<const double> e, std::span<const Wynik> zimne,
                 std::span<Wynik> wynik);
// dE/dt at t, µV per degree of the temperature unit.
Wynik seebeck(const Ustawienia& u, double t);
// Whether t lies in the type's reference domain.
bool wDziedzinie(const Ustawienia& u, double t);

// Why a value was refused, in Polish, with the accepted range in the user's
// units, its bounds rounded inwards. `pole` (1-based) names the field of a
// file row the value came from: "brak pola 3", "to nie jest liczba (pole 1)".
// With `zimne`, an EMF's range is that of the EMF as typed against it.
std::string opis(Powod powod, const Ustawienia& u, std::size_t pole = 0,
                 const ZimneZlacze* zimne = nullptr);

}  // namespace conversions
