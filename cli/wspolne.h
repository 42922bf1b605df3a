#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "polecenia.h"
#include "przeliczenia.h"

namespace CLI {
class App;
}

// What the subcommands share: their options as typed, reading them into
// settings, and checking every value before anything is printed.
namespace cli {

// A command-line mistake found after parsing; the text is one Polish line.
class BladUzycia : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The options of one subcommand, as typed; what a subcommand does not offer
// keeps its default.
struct Opcje {
    std::string typ;
    std::vector<std::string> wartosci;
    std::string jednostka = "C";
    std::string jednostkaEmf = "mV";
    std::optional<std::string> zimne;  // --cold; the ice point without it
    std::optional<std::string> cyfry;  // --digits
    bool przecinek = false;
    bool dokladna = false;
};

// Adds a subcommand whose options land in one shared Opcje.
struct Polecenie {
    CLI::App* app;
    std::shared_ptr<Opcje> opcje;
};
Polecenie dodajPolecenie(CLI::App& app, const std::string& nazwa, const std::string& opis);

void dodajTyp(Polecenie& p);
void dodajWartosci(Polecenie& p, const std::string& nazwa, const std::string& opis);
void dodajJednostke(Polecenie& p);
void dodajJednostkeEmf(Polecenie& p);
void dodajZimne(Polecenie& p);
void dodajDokladna(Polecenie& p);
// `domyslnie` completes the help: "4 w mV, 1 w µV".
void dodajCyfry(Polecenie& p, std::string_view domyslnie);
void dodajPrzecinek(Polecenie& p);

// Type and units; throws BladUzycia.
conversions::Ustawienia ustawienia(const Opcje& o);
// --digits, or `domyslne`; throws BladUzycia outside 0..9.
int cyfry(const Opcje& o, int domyslne);

// Refused values, collected while checking and written only at the end.
class Odmowy {
  public:
    void dodaj(std::string_view tekst, std::string_view skad, std::string_view powod);
    [[nodiscard]] bool puste() const { return wiersze_.empty(); }
    // Writes the refusals and sets the exit status; false if there were none.
    bool zglos(Wyjscia& w) const;

  private:
    std::string wiersze_;
};

// CLI11 takes "-.5", "-,5" or "-inf" for an option; the program hands it
// such a value behind this byte, which no argument can hold, and every
// value leaves CLI11 without it.
inline constexpr char kZnacznikWartosci = '\0';
std::string_view jakWpisano(std::string_view tekst);

// A typed number: its value, or the reason it is refused.
conversions::Wynik przeczytaj(const std::string& tekst);

// The cold junction of every subcommand: --cold, read and checked once, or
// the ice point. A refused --cold is noted and the ice point returned, so
// that the values are still checked on their own.
conversions::ZimneZlacze zimneZlacze(const Opcje& o, const conversions::Ustawienia& u,
                                     Odmowy& odmowy);

// One line per value, in order: `licz` turns a value into a result (or
// refuses it), `pisz` appends a result's text; `zimne` is the cold junction
// an EMF is measured against, for the refusals' ranges. Typed values print
// nothing unless every one is accepted; with none (or "-") the values come
// from standard input and each gets its line as it arrives, a refused one
// an empty line and "LINE: reason" on standard error.
void wypiszWartosci(Wyjscia& w, const Opcje& o, Odmowy& odmowy,
                    const std::function<conversions::Wynik(double)>& licz,
                    const std::function<void(std::string&, double)>& pisz,
                    const conversions::ZimneZlacze* zimne = nullptr);

}  // namespace cli
