#include <CLI/CLI.hpp>
#include <optional>

#include "liczby.h"
#include "polecenia.h"
#include "tolerancja.h"
#include "wspolne.h"

namespace cli {

namespace {

constexpr int kCyfryOdchylki = 1;  // as the window's "####0.0"
constexpr int kKlasy = 3;

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
        const conversions::Ustawienia u = ustawienia(*o);
        Odmowy odmowy;
        wypiszWartosci(
            wyjscia, *o, odmowy,
            [&](double t) {
                if (!conversions::wDziedzinie(u, t)) {
                    return conversions::Wynik{conversions::Powod::TemperaturaPozaZakresem, 0.0};
                }
                return conversions::Wynik{conversions::Powod::Brak, t};
            },
            [&](std::string& s, double t) {
                for (int klasa = 1; klasa <= kKlasy; ++klasa) {
                    if (klasa > 1) s += '\t';
                    const std::optional<double> d =
                        calculations::odchylkaWJednostce(u.typ, klasa, t, u.temperatura);
                    if (d) {
                        numbers::dopisz(s, *d, kCyfryOdchylki, o->przecinek);
                    } else {
                        s += "N/A";
                    }
                }
            });
    });
}

}  // namespace cli
