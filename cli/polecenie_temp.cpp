#include <CLI/CLI.hpp>

#include "liczby.h"
#include "polecenia.h"
#include "wspolne.h"

namespace cli {

void dodajTemp(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "temp",
        "temperatura spoiny pomiarowej, przy której napięcie względem 0 °C wynosi e + E(tc), dla "
        "każdego podanego napięcia e");
    dodajTyp(p);
    dodajWartosci(p, "EMF", "zmierzone napięcia");
    dodajZimne(p);
    p.app->add_flag("--exact", p.opcje->dokladna,
                    "dokładna odwrotność funkcji wzorcowej zamiast wielomianu odwrotnego NIST");
    dodajJednostke(p);
    dodajJednostkeEmf(p);
    dodajCyfry(p);
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, &wyjscia] {
        const przeliczenia::Ustawienia u = ustawienia(*o);
        const int n = cyfry(*o, 2);
        Odmowy odmowy;
        const double tc = zimneZlacze(*o, u, odmowy);
        wypiszWartosci(
            wyjscia, *o, odmowy, [&](double e) { return przeliczenia::temperatura(u, e, tc); },
            [&](std::string& s, double t) { liczby::dopisz(s, t, n, o->przecinek); });
    });
}

}  // namespace cli
