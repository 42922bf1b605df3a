#include <CLI/CLI.hpp>

#include "liczby.h"
#include "polecenia.h"
#include "wspolne.h"

namespace cli {

namespace {

using conversions::Ustawienia;
using conversions::Wynik;

Wynik emf(const Ustawienia& u, double t, const Wynik& zimne) {
    return conversions::emf(u, t, zimne);
}

Wynik temperatura(const Ustawienia& u, double e, const Wynik& zimne) {
    return conversions::temperatura(u, e, zimne);
}

Wynik seebeck(const Ustawienia& u, double t, const Wynik& /*zimne*/) {
    return conversions::seebeck(u, t);
}

}  // namespace

const Przeliczenie kEmf{
    "emf",
    "napięcie termoelektryczne E(t) − E(tc) dla każdej podanej temperatury t",
    "TEMP",
    "temperatury spoiny pomiarowej",
    emf,
    {4, 1},
    Przeliczenie::Zimne | Przeliczenie::JednostkaEmf,
};

const Przeliczenie kTemperatura{
    "temp",
    "temperatura spoiny pomiarowej, przy której napięcie względem 0 °C wynosi e + E(tc), dla "
    "każdego podanego napięcia e",
    "EMF",
    "zmierzone napięcia",
    temperatura,
    {2, 2},
    Przeliczenie::Zimne | Przeliczenie::Dokladna | Przeliczenie::JednostkaEmf,
};

const Przeliczenie kSeebeck{
    "seebeck",
    "współczynnik Seebecka dE/dt w µV na stopień jednostki --unit dla każdej temperatury",
    "TEMP",
    "temperatury",
    seebeck,
    {3, 3},
    0,
};

void dodajPrzeliczenie(CLI::App& app, Wyjscia& wyjscia, const Przeliczenie& p) {
    Polecenie polecenie = dodajPolecenie(app, std::string(p.nazwa), std::string(p.pomoc));
    dodajTyp(polecenie);
    dodajWartosci(polecenie, std::string(p.etykieta), std::string(p.wartosci));
    if ((p.opcje & Przeliczenie::Zimne) != 0) dodajZimne(polecenie);
    if ((p.opcje & Przeliczenie::Dokladna) != 0) dodajDokladna(polecenie);
    dodajJednostke(polecenie);
    if ((p.opcje & Przeliczenie::JednostkaEmf) != 0) dodajJednostkeEmf(polecenie);
    dodajCyfry(polecenie, p.opisCyfr());
    dodajPrzecinek(polecenie);
    polecenie.app->callback([o = polecenie.opcje, &p, &wyjscia] {
        const Ustawienia u = ustawienia(*o);
        const int n = cyfry(*o, p.domyslneCyfry(u.emf));
        Odmowy odmowy;
        const conversions::ZimneZlacze zimne = zimneZlacze(*o, u, odmowy);
        wypiszWartosci(
            wyjscia, *o, odmowy, [&](double x) { return p.licz(u, x, zimne.emf); },
            [&](std::string& s, double x) { numbers::dopisz(s, x, n, o->przecinek); }, &zimne);
    });
}

}  // namespace cli
