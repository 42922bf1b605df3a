#pragma once

#include <iosfwd>

namespace CLI {
class App;
}

// Each subcommand of kalvetra-cli registers itself here, in its own file
// (polecenie_*.cpp); program.cpp calls every one of them.
namespace cli {

// Exit statuses.
inline constexpr int kKodDobry = 0;
inline constexpr int kKodOdmowa = 1;  // a value was refused; nothing was printed
inline constexpr int kKodUzycie = 2;  // the command line itself is wrong

// Where a subcommand writes: data to `dane` only, every diagnostic to `bledy`.
struct Wyjscia {
    std::ostream& dane;
    std::ostream& bledy;
    int kod = kKodDobry;
};

void dodajEmf(CLI::App& app, Wyjscia& wyjscia);
void dodajTemp(CLI::App& app, Wyjscia& wyjscia);
void dodajTolerance(CLI::App& app, Wyjscia& wyjscia);
void dodajSeebeck(CLI::App& app, Wyjscia& wyjscia);
void dodajTable(CLI::App& app, Wyjscia& wyjscia);
void dodajConvert(CLI::App& app, Wyjscia& wyjscia);

}  // namespace cli
