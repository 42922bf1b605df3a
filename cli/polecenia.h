#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string_view>

#include "platforma.h"
#include "przeliczenia.h"

namespace CLI {
class App;
}

// Each subcommand of kalvetra-cli registers itself here; program.cpp calls
// every one of them.
namespace cli {

// Exit statuses.
inline constexpr int kKodDobry = 0;
inline constexpr int kKodOdmowa = 1;  // a value was refused; nothing was printed
inline constexpr int kKodUzycie = 2;  // the command line itself is wrong

// Where a subcommand writes: data to `dane` only, every diagnostic to `bledy`.
// convert passes file bytes through unchanged to the same two places as
// `daneBajty` and `bledyBajty`.
struct Wyjscia {
    std::ostream& dane;
    std::ostream& bledy;
    platforma::Wyjscie& daneBajty;
    platforma::Wyjscie& bledyBajty;
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
    przeliczenia::Wynik (*licz)(const przeliczenia::Ustawienia& u, double x,
                                const przeliczenia::Wynik& zimne);
    std::array<int, 2> cyfry;  // default decimals with --emf-unit mV, uV
    unsigned opcje;

    [[nodiscard]] int domyslneCyfry(przeliczenia::JednostkaEmf j) const {
        return cyfry.at(j == przeliczenia::JednostkaEmf::mV ? 0 : 1);
    }
};

extern const Przeliczenie kEmf;
extern const Przeliczenie kTemp;
extern const Przeliczenie kSeebeck;

void dodajPrzeliczenie(CLI::App& app, Wyjscia& wyjscia, const Przeliczenie& p);
void dodajTolerance(CLI::App& app, Wyjscia& wyjscia);
void dodajTable(CLI::App& app, Wyjscia& wyjscia);
void dodajConvert(CLI::App& app, Wyjscia& wyjscia);

}  // namespace cli
