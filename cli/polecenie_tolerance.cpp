#include <CLI/CLI.hpp>
#include <cmath>

#include "liczby.h"
#include "obliczenia.h"
#include "polecenia.h"
#include "wspolne.h"

namespace cli {

namespace {

constexpr int kCyfryOdchylki = 1;  // as the window's "####0.0"
constexpr int kKlasy = 3;
constexpr double kLuzStopnia = 1e-12;  // relative

}  // namespace

void dodajTolerance(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(app, "tolerance",
                                 "dopuszczalna odchyłka klas 1, 2 i 3 (IEC 60584-1) dla każdej "
                                 "temperatury, w stopniach jednostki --unit; N/A poza klasą");
    dodajTyp(p);
    dodajWartosci(p, "TEMP", "temperatury");
    dodajJednostke(p);
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, &wyjscia] {
        const przeliczenia::Ustawienia u = ustawienia(*o);
        // A deviation is a width: one degree of the unit is stopien() kelvins.
        const double skala = 1.0 / przeliczenia::stopien(u.temperatura);
        Odmowy odmowy;
        wypiszWartosci(
            wyjscia, *o, odmowy,
            [&](double t) {
                if (!przeliczenia::wDziedzinie(u, t)) {
                    return przeliczenia::Wynik{przeliczenia::Powod::TemperaturaPozaZakresem, 0.0};
                }
                // The classes end on whole degrees Celsius, which a conversion
                // from °F or K may miss by an ulp (1273.15 K).
                double c = przeliczenia::naCelsjusza(t, u.temperatura);
                if (std::fabs(c - std::round(c)) <= kLuzStopnia * std::fabs(c)) c = std::round(c);
                return przeliczenia::Wynik{przeliczenia::Powod::Brak, c};
            },
            [&](std::string& s, double c) {
                for (int klasa = 1; klasa <= kKlasy; ++klasa) {
                    if (klasa > 1) s += '\t';
                    const Odchylka d = DopuszczalnyBlad(u.typ, klasa, c);
                    if (d.rodzaj == Odchylka::Rodzaj::Stala ||
                        d.rodzaj == Odchylka::Rodzaj::Obliczona) {
                        liczby::dopisz(s, d.wartosc * skala, kCyfryOdchylki, o->przecinek);
                    } else {
                        s += "N/A";
                    }
                }
            });
    });
}

}  // namespace cli
