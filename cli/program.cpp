#include "program.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "liczby.h"
#include "polecenia.h"
#include "wspolne.h"

#ifndef KALVETRA_WERSJA
#error "KALVETRA_WERSJA must hold the project's version"
#endif

namespace cli {

namespace {

// CLI11 reads "-.5", "-,5", "-inf" or "-nan" as options; they are values
// (a negative number starting with a digit it already leaves alone).
std::vector<std::string> oznaczWartosci(std::span<const std::string> argumenty) {
    std::vector<std::string> wynik;
    wynik.reserve(argumenty.size());
    for (const std::string& a : argumenty) {
        const bool wartosc =
            a.size() > 1 && a[0] == '-' && a[1] != '-' &&
            liczby::czytaj(a, liczby::Separator::Dowolny).stan != liczby::Stan::NieLiczba;
        wynik.push_back(wartosc ? kZnacznikWartosci + a : a);
    }
    return wynik;
}

void poPolsku(CLI::App& app) {
    auto f = app.get_formatter();
    f->label("Usage", "Użycie");
    f->label("OPTIONS", "OPCJE");
    f->label("SUBCOMMAND", "POLECENIE");
    f->label("SUBCOMMANDS", "POLECENIA");
    f->label("Positionals", "Argumenty");
    f->label("REQUIRED", "(wymagany)");
    f->column_width(28);
    app.option_defaults()->group("Opcje");
    app.set_help_flag("-h,--help", "pokaż tę pomoc i zakończ");
}

// The subcommand that was given, if any.
const CLI::App* wybrane(const CLI::App& app) {
    const auto wybrane = app.get_subcommands();
    return wybrane.empty() ? nullptr : wybrane.front();
}

// CLI11's complaint, in one Polish line.
std::string komunikat(const CLI::App& app, const CLI::ParseError& e) {
    const CLI::App* sub = wybrane(app);
    const std::vector<std::string> reszta = app.remaining(true);
    if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr && !reszta.empty()) {
        const std::string a(jakWpisano(reszta.front()));
        if (sub == nullptr && !a.starts_with('-')) return "nieznane polecenie „" + a + "”";
        if (a.starts_with('-')) return "nieznana opcja „" + a + "”";
        return "nadmiarowy argument „" + a + "”";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
        if (sub == nullptr) {
            if (!reszta.empty()) {
                const std::string a(jakWpisano(reszta.front()));
                return (a.starts_with('-') ? "nieznana opcja „" : "nieznane polecenie „") + a + "”";
            }
            return "nie podano polecenia";
        }
        for (const CLI::Option* o : sub->get_options()) {
            if (o->get_positional() && o->get_required() && o->count() == 0) {
                return o->get_name() == "TYP" ? "nie podano typu termopary"
                                              : "nie podano żadnej wartości";
            }
        }
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
        const std::string w = e.what();
        const std::string opcja = w.substr(0, w.find(':'));
        if (w.find("missing") != std::string::npos) return "opcja " + opcja + " wymaga argumentu";
        return "opcja " + opcja + " podana więcej niż raz lub z nadmiarem argumentów";
    }
    return std::string("błędny wiersz poleceń (") + e.what() + ")";
}

int bladUzycia(const CLI::App& app, const std::string& tekst, std::ostream& bledy) {
    const CLI::App* sub = wybrane(app);
    const std::string pomoc =
        std::string(kNazwaProgramu) + (sub != nullptr ? " " + sub->get_name() : "") + " --help";
    bledy << kNazwaProgramu << ": " << tekst << "\nSpróbuj „" << pomoc << "”.\n";
    return kKodUzycie;
}

}  // namespace

int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy) {
    platforma::WyjscieStrumienia daneBajty(dane);
    platforma::WyjscieStrumienia bledyBajty(bledy);
    return uruchom(argumenty, dane, bledy, daneBajty, bledyBajty);
}

int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy,
            platforma::Wyjscie& daneBajty, platforma::Wyjscie& bledyBajty) {
    CLI::App app(
        "Przeliczenia termopar ITS-90 (typy J K T E N B R S) i klasy tolerancji "
        "IEC 60584-1.",
        kNazwaProgramu);
    poPolsku(app);
    app.set_version_flag("--version", std::string(kNazwaProgramu) + " " + KALVETRA_WERSJA,
                         "pokaż wersję i zakończ");
    app.require_subcommand(1);
    app.footer(
        "Liczby można pisać z kropką lub przecinkiem dziesiętnym. Kod wyjścia: 0 — wynik, "
        "1 — odrzucona wartość (nic nie wypisano; convert: odrzucony wiersz), 2 — błąd wywołania.");
    Wyjscia wyjscia{dane, bledy, daneBajty, bledyBajty};
    // Building a subcommand's parser is most of a one-value run's start-up, so
    // a call that names one builds that one alone; any other call (help,
    // version, errors) builds them all, and lists them all.
    struct Rejestracja {
        std::string_view nazwa;
        const Przeliczenie* przeliczenie;    // a value-per-line subcommand
        void (*dodaj)(CLI::App&, Wyjscia&);  // the others
    };
    static const std::array<Rejestracja, 6> kPolecenia{{
        {kEmf.nazwa, &kEmf, nullptr},
        {kTemp.nazwa, &kTemp, nullptr},
        {"tolerance", nullptr, dodajTolerance},
        {kSeebeck.nazwa, &kSeebeck, nullptr},
        {"table", nullptr, dodajTable},
        {"convert", nullptr, dodajConvert},
    }};
    const auto dodaj = [&](const Rejestracja& p) {
        if (p.przeliczenie != nullptr) {
            dodajPrzeliczenie(app, wyjscia, *p.przeliczenie);
        } else {
            p.dodaj(app, wyjscia);
        }
    };
    const auto nazwane = std::find_if(
        kPolecenia.begin(), kPolecenia.end(),
        [&](const Rejestracja& p) { return !argumenty.empty() && argumenty.front() == p.nazwa; });
    if (nazwane != kPolecenia.end()) {
        dodaj(*nazwane);
    } else {
        for (const Rejestracja& p : kPolecenia) dodaj(p);
    }
    for (CLI::App* sub : app.get_subcommands({})) sub->group("Polecenia");

    std::vector<std::string> argv = oznaczWartosci(argumenty);
    std::reverse(argv.begin(), argv.end());  // CLI11 takes them last first
    try {
        app.parse(argv);
    } catch (const CLI::CallForHelp&) {
        dane << app.help();
        return kKodDobry;
    } catch (const CLI::CallForAllHelp&) {
        dane << app.help("", CLI::AppFormatMode::All);
        return kKodDobry;
    } catch (const CLI::CallForVersion& e) {
        dane << e.what() << '\n';
        return kKodDobry;
    } catch (const CLI::ParseError& e) {
        return bladUzycia(app, komunikat(app, e), bledy);
    } catch (const BladUzycia& e) {
        return bladUzycia(app, e.what(), bledy);
    }
    return wyjscia.kod;
}

}  // namespace cli
