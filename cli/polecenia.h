#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "platforma.h"
#include "przeliczenia.h"

namespace CLI {
class App;
}

// Each subcommand of kalvetra-cli registers itself here; program.cpp calls
// every one of them.
namespace cli {

inline constexpr const char* kNazwaProgramu = "kalvetra-cli";

// Exit statuses.
inline constexpr int kKodDobry = 0;
inline constexpr int kKodOdmowa = 1;  // a value was refused; nothing was printed
inline constexpr int kKodUzycie = 2;  // the command line itself is wrong

// The texts every subcommand shares, in the help and the man page alike.
inline constexpr std::string_view kOpisWartosci =
    "Liczby można pisać z kropką lub przecinkiem dziesiętnym, bez grupowania cyfr, z wykładnikiem "
    "lub bez; liczba ujemna jest wartością, nie opcją. Każda wartość musi leżeć w dziedzinie "
    "typu: nic nie jest ekstrapolowane. Wyniki są zaokrąglane połówkami od zera, połówka zaś "
    "jest odczytywana z najkrótszego zapisu dziesiętnego, który daje tę samą wartość "
    "(0,0075 × 340 = 2,5499999999999998 to 2,55, czyli 2,6); żaden wynik nie jest wypisywany "
    "jako -0.\n"
    "Bez wartości (lub z „-”) emf, temp, seebeck i tolerance czytają wartości rozdzielone "
    "odstępami ze standardowego wejścia i odpowiadają wiersz po wierszu, gdy nadchodzą: "
    "odrzucona wartość daje pusty wiersz, a na stderr „LINIA: „wartość”: powód”. Z wartościami "
    "w wierszu poleceń nic nie jest wypisywane, jeśli którakolwiek zostanie odrzucona; "
    "komunikat podaje jej numer.";
inline constexpr std::string_view kKodyWyjscia =
    "Kod wyjścia: 0 — wynik, 1 — odrzucona wartość (convert: odrzucony wiersz), 2 — błąd "
    "wywołania, odczytu lub zapisu.";
// The one message of a failed write, for every subcommand.
inline constexpr std::string_view kBladZapisu = "błąd zapisu wyniku";

// Where a subcommand writes: data to `dane` only, every diagnostic to `bledy`.
// convert passes file bytes through unchanged to the same two places as
// `daneBajty` and `bledyBajty`.
struct Wyjscia {
    std::ostream& dane;
    std::ostream& bledy;
    platform::Wyjscie& daneBajty;
    platform::Wyjscie& bledyBajty;
    int kod = kKodDobry;
};

// A subcommand that turns each typed value into one line: emf, temp,
// seebeck. One row each; options a row does not offer are not offered.
struct Przeliczenie {
    enum Opcja : std::uint8_t {
        Zimne = 1,         // --cold
        Dokladna = 2,      // --exact
        JednostkaEmf = 4,  // --emf-unit
    };
    std::string_view nazwa;
    std::string_view pomoc;
    std::string_view etykieta;  // the values' placeholder in the help
    std::string_view wartosci;  // what the values are
    // The result for one value, in the units of `u`; `zimne` is E(tc).
    conversions::Wynik (*licz)(const conversions::Ustawienia& u, double x,
                               const conversions::Wynik& zimne);
    std::array<int, 2> cyfry;  // default decimals with --emf-unit mV, uV
    unsigned opcje;

    [[nodiscard]] int domyslneCyfry(conversions::JednostkaEmf j) const {
        return cyfry.at(j == conversions::JednostkaEmf::mV ? 0 : 1);
    }
    // The defaults for the help: "3", or "4 w mV, 1 w µV".
    [[nodiscard]] std::string opisCyfr() const {
        if (cyfry[0] == cyfry[1]) return std::to_string(cyfry[0]);
        return std::to_string(cyfry[0]) + " w mV, " + std::to_string(cyfry[1]) + " w µV";
    }
};

extern const Przeliczenie kEmf;
extern const Przeliczenie kTemperatura;
extern const Przeliczenie kSeebeck;

void dodajPrzeliczenie(CLI::App& app, Wyjscia& wyjscia, const Przeliczenie& p);
void dodajTolerancje(CLI::App& app, Wyjscia& wyjscia);
void dodajTabele(CLI::App& app, Wyjscia& wyjscia);
void dodajKonwersje(CLI::App& app, Wyjscia& wyjscia);

}  // namespace cli
