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

bool calkowita(double x) {
    return std::trunc(x) == x;
}

}  // namespace

void dodajTable(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(app, "table",
                                 "tabela napięć E(t) − E(tc) od A do B co S (domyślnie cała "
                                 "dziedzina typu co 1 stopień)");
    dodajTyp(p);
    auto t = std::make_shared<OpcjeTabeli>();
    p.app->add_option("--from", t->od, "pierwsza temperatura (domyślnie początek dziedziny)")
        ->type_name("A");
    p.app->add_option("--to", t->doo, "ostatnia temperatura (domyślnie koniec dziedziny)")
        ->type_name("B");
    p.app->add_option("--step", t->krok, "krok (domyślnie 1)")->type_name("S");
    p.app
        ->add_option("--format", t->format,
                     "nist: układ tabel NIST, wiersze po 10 stopni (domyślnie); csv: wiersz "
                     "„temperatura,emf” na każdy krok")
        ->type_name("nist|csv");
    dodajZimne(p);
    dodajJednostke(p);
    dodajCyfry(p);
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, t, &wyjscia] {
        const przeliczenia::Ustawienia u = ustawienia(*o);
        const tabela::Wyglad wyglad{cyfry(*o, 3), o->przecinek};
        if (t->format != "nist" && t->format != "csv") {
            throw BladUzycia("nieznany format „" + t->format +
                             "” w --format (dozwolone: nist csv)");
        }
        const bool nist = t->format == "nist";
        const tabela::PelneStopnie cala = tabela::pelneStopnie(u);

        Odmowy odmowy;
        const przeliczenia::ZimneZlacze zimne = zimneZlacze(*o, u, odmowy);
        // A typed bound, checked against the domain; the default if none.
        const auto granica = [&](const std::optional<std::string>& tekst, const char* nazwa,
                                 long domyslna) -> std::optional<double> {
            if (!tekst) return static_cast<double>(domyslna);
            przeliczenia::Wynik w = przeczytaj(*tekst);
            if (w.dobry() && nist && !calkowita(w.wartosc)) {
                throw BladUzycia(std::string("--format nist układa tabelę w pełnych stopniach: ") +
                                 nazwa + " musi być liczbą całkowitą (inne granice: --format csv)");
            }
            if (w.dobry() && !przeliczenia::wDziedzinie(u, w.wartosc)) {
                w.powod = przeliczenia::Powod::TemperaturaPozaZakresem;
            }
            if (w.dobry()) return w.wartosc;
            odmowy.dodaj(*tekst, nazwa, przeliczenia::opis(w.powod, u));
            return std::nullopt;
        };
        double krok = 1.0;
        if (t->krok) {
            przeliczenia::Wynik w = przeczytaj(*t->krok);
            if (w.dobry() && nist && w.wartosc != 1.0) {
                throw BladUzycia(
                    "--format nist układa tabelę co 1 stopień; inny krok: --format csv");
            }
            if (w.dobry() && !(w.wartosc > 0.0)) w.powod = przeliczenia::Powod::KrokNiedodatni;
            if (w.dobry()) {
                krok = w.wartosc;
            } else {
                odmowy.dodaj(t->krok.value_or("1"), "--step", przeliczenia::opis(w.powod, u));
            }
        }
        const std::optional<double> od = granica(t->od, "--from", cala.od);
        const std::optional<double> doo = granica(t->doo, "--to", cala.doo);
        const tabela::Zakres z{od.value_or(0.0), doo.value_or(0.0), krok};
        if (od && doo && *od > *doo) {
            odmowy.dodaj(*(t->od ? t->od : t->doo), t->od ? "--from" : "--to",
                         przeliczenia::opis(przeliczenia::Powod::PoczatekZaKoncem, u));
        } else if (od && doo && tabela::liczbaWierszy(z) > przeliczenia::kMaksWierszyTabeli) {
            odmowy.dodaj(t->krok.value_or("1"), "--step",
                         przeliczenia::opis(przeliczenia::Powod::ZaDuzoWierszy, u));
        }
        if (odmowy.zglos(wyjscia)) return;
        if (nist) {
            wyjscia.dane << tabela::nist(u, std::lround(z.od), std::lround(z.doo), zimne, wyglad);
        } else {
            wyjscia.dane << tabela::csv(u, z, zimne, wyglad);
        }
    });
}

}  // namespace cli
