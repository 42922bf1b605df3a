#include <CLI/CLI.hpp>

#include "liczby.h"
#include "polecenia.h"
#include "wspolne.h"

namespace cli {

void dodajSeebeck(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "seebeck",
        "współczynnik Seebecka dE/dt w µV na stopień jednostki --unit dla każdej temperatury");
    dodajTyp(p);
    dodajWartosci(p, "TEMP", "temperatury");
    dodajJednostke(p);
    dodajCyfry(p);
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, &wyjscia] {
        const przeliczenia::Ustawienia u = ustawienia(*o);
        const int n = cyfry(*o, 3);
        Odmowy odmowy;
        wypiszWartosci(
            wyjscia, *o, odmowy, [&](double t) { return przeliczenia::seebeck(u, t); },
            [&](std::string& s, double x) { liczby::dopisz(s, x, n, o->przecinek); });
    });
}

}  // namespace cli
