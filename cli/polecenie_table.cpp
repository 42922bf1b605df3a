#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "polecenia.h"
#include "tabela.h"
#include "wspolne.h"

namespace cli {

namespace {

struct OpcjeTabeli {
    std::optional<std::string> od;
    std::optional<std::string> doo;
    std::optional<std::string> krok;
    std::string format = "nist";
};

constexpr int kCyfryTabeli = 3;

bool calkowita(double x) {
    return std::trunc(x) == x;
}

}  // namespace

void dodajTabele(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(app, "table",
                                 "tabela napięć E(t) − E(tc) od A do B co S (domyślnie cała "
                                 "dziedzina typu co 1 stopień)");
    dodajTyp(p);
    auto t = std::make_shared<OpcjeTabeli>();
    p.app->add_option("--from", t->od, "pierwsza temperatura (domyślnie początek dziedziny)")
        ->type_name("A");
    p.app->add_option("--to", t->doo, "ostatnia temperatura (domyślnie koniec dziedziny)")
        ->type_name("B");
    p.app
        ->add_option("--step", t->krok,
                     "krok (domyślnie 1); tabela ma najwyżej " +
                         std::to_string(conversions::kMaksWierszyTabeli) + " wierszy")
        ->type_name("S");
    p.app
        ->add_option("--format", t->format,
                     "nist: układ tabel NIST, wiersze po 10 stopni (domyślnie); csv: wiersz "
                     "„temperatura,emf” na każdy krok")
        ->type_name("nist|csv");
    dodajZimne(p);
    dodajJednostke(p);
    dodajCyfry(p, std::to_string(kCyfryTabeli));
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, t, &wyjscia] {
        const conversions::Ustawienia u = ustawienia(*o);
        const cli::Wyglad wyglad{cyfry(*o, kCyfryTabeli), o->przecinek};
        if (t->format != "nist" && t->format != "csv") {
            throw BladUzycia("nieznany format „" + t->format +
                             "” w --format (dozwolone: nist csv)");
        }
        const bool nist = t->format == "nist";
        const cli::PelneStopnie cala = cli::pelneStopnie(u);

        Odmowy odmowy;
        const conversions::ZimneZlacze zimne = zimneZlacze(*o, u, odmowy);
        // A typed bound, checked against the domain; the default if none.
        const auto granica = [&](const std::optional<std::string>& tekst, const char* nazwa,
                                 long domyslna) -> std::optional<double> {
            if (!tekst) return static_cast<double>(domyslna);
            conversions::Wynik w = przeczytaj(*tekst);
            if (w.dobry() && nist && !calkowita(w.wartosc)) {
                throw BladUzycia(std::string("--format nist układa tabelę w pełnych stopniach: ") +
                                 nazwa + " musi być liczbą całkowitą (inne granice: --format csv)");
            }
            if (w.dobry() && !conversions::wDziedzinie(u, w.wartosc)) {
                w.powod = conversions::Powod::TemperaturaPozaZakresem;
            }
            if (w.dobry()) return w.wartosc;
            odmowy.dodaj(*tekst, nazwa, conversions::opis(w.powod, u));
            return std::nullopt;
        };
        double krok = 1.0;
        if (t->krok) {
            conversions::Wynik w = przeczytaj(*t->krok);
            if (w.dobry() && nist && w.wartosc != 1.0) {
                throw BladUzycia(
                    "--format nist układa tabelę co 1 stopień; inny krok: --format csv");
            }
            if (w.dobry() && !(w.wartosc > 0.0)) w.powod = conversions::Powod::KrokNiedodatni;
            if (w.dobry()) {
                krok = w.wartosc;
            } else {
                odmowy.dodaj(t->krok.value_or("1"), "--step", conversions::opis(w.powod, u));
            }
        }
        const std::optional<double> od = granica(t->od, "--from", cala.od);
        const std::optional<double> doo = granica(t->doo, "--to", cala.doo);
        const cli::Zakres z{od.value_or(0.0), doo.value_or(0.0), krok};
        if (od && doo && *od > *doo) {
            odmowy.dodaj(*(t->od ? t->od : t->doo), t->od ? "--from" : "--to",
                         conversions::opis(conversions::Powod::PoczatekZaKoncem, u));
        } else if (od && doo && cli::liczbaWierszy(z) > conversions::kMaksWierszyTabeli) {
            odmowy.dodaj(t->krok.value_or("1"), "--step",
                         conversions::opis(conversions::Powod::ZaDuzoWierszy, u));
        }
        if (odmowy.zglos(wyjscia)) return;
        if (nist) {
            wyjscia.dane << cli::nist(u, std::lround(z.od), std::lround(z.doo), zimne, wyglad);
        } else {
            wyjscia.dane << cli::csv(u, z, zimne, wyglad);
        }
    });
}

}  // namespace cli
