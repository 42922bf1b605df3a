#include <CLI/CLI.hpp>

#include "liczby.h"
#include "polecenia.h"
#include "wspolne.h"

namespace cli {

void dodajEmf(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "emf", "napięcie termoelektryczne E(t) − E(tc) dla każdej podanej temperatury t");
    dodajTyp(p);
    dodajWartosci(p, "TEMP", "temperatury spoiny pomiarowej");
    dodajZimne(p);
    dodajJednostke(p);
    dodajJednostkeEmf(p);
    dodajCyfry(p);
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, &wyjscia] {
        const przeliczenia::Ustawienia u = ustawienia(*o);
        const int n = cyfry(*o, u.emf == przeliczenia::JednostkaEmf::mV ? 4 : 1);
        Odmowy odmowy;
        const double tc = zimneZlacze(*o, u, odmowy);
        wypiszWartosci(
            wyjscia, *o, odmowy, [&](double t) { return przeliczenia::emf(u, t, tc); },
            [&](std::string& s, double e) { liczby::dopisz(s, e, n, o->przecinek); });
    });
}

}  // namespace cli
