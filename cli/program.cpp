#include "program.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "liczby.h"
#include "polecenia.h"
#include "pomoc.h"
#include "typ_termopary.h"
#include "wspolne.h"

#ifndef KALVETRA_WERSJA
#error "KALVETRA_WERSJA must hold the project's version"
#endif

namespace cli {

namespace {

// CLI11 reads "-.5", "-,5", "-inf" or "-nan" as options; they are values (a
// negative number starting with a digit it already takes as a value, and
// after "--" everything is one). They reach CLI11 behind kZnacznikWartosci,
// and every value leaves it without the marker (bezZnacznika). "/?" asks for
// the help, as Windows programs take it.
std::vector<std::string> oznaczWartosci(std::span<const std::string> argumenty) {
    std::vector<std::string> wynik;
    wynik.reserve(argumenty.size());
    bool poOpcjach = false;
    for (const std::string& a : argumenty) {
        const bool wartosc =
            !poOpcjach && a.size() > 1 && a[0] == '-' && a[1] != '-' &&
            (a[1] < '0' || a[1] > '9') &&
            numbers::czytaj(a, numbers::Separator::Dowolny).stan != numbers::Stan::NieLiczba;
        if (!poOpcjach && a == "/?") {
            wynik.emplace_back("--help");
            continue;
        }
        poOpcjach = poOpcjach || a == "--";
        wynik.push_back(wartosc ? kZnacznikWartosci + a : a);
    }
    return wynik;
}

// The one place where values are read from CLI11: each exactly as typed.
void bezZnacznika(CLI::App& app) {
    for (CLI::App* sub : app.get_subcommands({})) {
        for (CLI::Option* o : sub->get_options()) {
            o->transform([](const std::string& s) { return std::string(jakWpisano(s)); });
        }
    }
}

void poPolsku(CLI::App& app) {
    // Only "--options" are options: "/data/log.csv" is a file and "/x" a value
    // on Windows too (CLI11 there reads "/unit:F" as an option by default).
    // Subcommands inherit this when they are added.
    app.allow_windows_style_options(false);
    app.formatter(std::make_shared<Pomoc>());
    auto f = app.get_formatter();
    f->label("Usage", "Użycie");
    f->label("OPTIONS", "OPCJE");
    f->label("SUBCOMMAND", "POLECENIE");
    f->label("SUBCOMMANDS", "POLECENIA");
    f->label("Positionals", "Argumenty");
    f->label("REQUIRED", "(wymagany)");
    f->column_width(28);
    app.option_defaults()->group("Opcje");
    app.set_help_flag("-h,--help", "pokaż tę pomoc i zakończ (także „/?”)");
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
        // "-e5" is no value: CLI11 took it for an unknown option.
        if (!reszta.empty() && jakWpisano(reszta.front()).starts_with('-')) {
            return "nieznana opcja „" + std::string(jakWpisano(reszta.front())) + "”";
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

void zbuduj(CLI::App& app, Wyjscia& wyjscia, std::string_view polecenie) {
    poPolsku(app);
    app.set_version_flag("--version", std::string(kNazwaProgramu) + " " + KALVETRA_WERSJA,
                         "pokaż wersję i zakończ");
    app.require_subcommand(1);
    app.footer(std::string(kOpisWartosci) + "\n" + std::string(kKodyWyjscia));
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
        {kTemperatura.nazwa, &kTemperatura, nullptr},
        {"tolerance", nullptr, dodajTolerancje},
        {kSeebeck.nazwa, &kSeebeck, nullptr},
        {"table", nullptr, dodajTabele},
        {"convert", nullptr, dodajKonwersje},
    }};
    const auto dodaj = [&](const Rejestracja& p) {
        if (p.przeliczenie != nullptr) {
            dodajPrzeliczenie(app, wyjscia, *p.przeliczenie);
        } else {
            p.dodaj(app, wyjscia);
        }
    };
    const auto nazwane = std::find_if(kPolecenia.begin(), kPolecenia.end(),
                                      [&](const Rejestracja& p) { return polecenie == p.nazwa; });
    if (nazwane != kPolecenia.end()) {
        dodaj(*nazwane);
    } else {
        for (const Rejestracja& p : kPolecenia) dodaj(p);
    }
    for (CLI::App* sub : app.get_subcommands({})) sub->group("Polecenia");
    bezZnacznika(app);
}

CLI::App nowaAplikacja() {
    return CLI::App("Przeliczenia termopar ITS-90 (typy " + std::string(engine::kListaTypow) +
                        ") i klasy tolerancji IEC 60584-1 oraz granice błędu ASTM E230.",
                    kNazwaProgramu);
}

int przebieg(std::span<const std::string> argumenty, Wyjscia& wyjscia) {
    CLI::App app = nowaAplikacja();
    zbuduj(app, wyjscia, argumenty.empty() ? std::string_view() : argumenty.front());
    std::vector<std::string> argv = oznaczWartosci(argumenty);
    std::reverse(argv.begin(), argv.end());  // CLI11 takes them last first
    try {
        app.parse(argv);
    } catch (const CLI::CallForHelp&) {
        wyjscia.dane << app.help();
        return kKodDobry;
    } catch (const CLI::CallForAllHelp&) {
        wyjscia.dane << app.help("", CLI::AppFormatMode::All);
        return kKodDobry;
    } catch (const CLI::CallForVersion& e) {
        wyjscia.dane << e.what() << '\n';
        return kKodDobry;
    } catch (const CLI::ParseError& e) {
        return bladUzycia(app, komunikat(app, e), wyjscia.bledy);
    } catch (const BladUzycia& e) {
        return bladUzycia(app, e.what(), wyjscia.bledy);
    }
    return wyjscia.kod;
}

}  // namespace

int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy,
            platform::Wyjscie& daneBajty, platform::Wyjscie& bledyBajty) {
    Wyjscia wyjscia{dane, bledy, daneBajty, bledyBajty};
    const int kod = przebieg(argumenty, wyjscia);
    // Whatever was printed must have been written: a full disk or a closed
    // descriptor is a failure, as in convert; a reader that went away is
    // an end, and said nothing.
    if (dane.flush().good()) return kod;
    if (!daneBajty.przerwane()) bledy << kNazwaProgramu << ": " << kBladZapisu << '\n';
    return kKodUzycie;
}

int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy) {
    platform::WyjscieStrumienia daneBajty(dane);
    platform::WyjscieStrumienia bledyBajty(bledy);
    return uruchom(argumenty, dane, bledy, daneBajty, bledyBajty);
}

std::string podrecznik(std::string_view data) {
    std::ostringstream nic;
    platform::WyjscieStrumienia bajty(nic);
    Wyjscia wyjscia{nic, nic, bajty, bajty};
    CLI::App app = nowaAplikacja();
    zbuduj(app, wyjscia, {});
    return stronaPodrecznika(app, data, KALVETRA_WERSJA);
}

}  // namespace cli
