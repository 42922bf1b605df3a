#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "liczby.h"
#include "polecenia.h"
#include "tolerancja.h"
#include "wspolne.h"

namespace cli {

namespace {

constexpr int kCyfryOdchylki = 1;  // as the window's "####0.0"
constexpr int kKlasy = 3;

// One column of the answer: a class of IEC 60584-1 or a limit of ASTM E230.
std::optional<double> odchylka(bool astm, int kolumna, const conversions::Ustawienia& u, double t) {
    if (!astm) return conversions::odchylkaWJednostce(u.typ, kolumna, t, u.temperatura);
    const auto klasa = kolumna == 1 ? engine::KlasaAstm::Standardowa : engine::KlasaAstm::Specjalna;
    return conversions::granicaAstmWJednostce(u.typ, klasa, t, u.temperatura);
}

}  // namespace

void dodajTolerancje(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "tolerance",
        "dopuszczalna odchyłka klas 1, 2 i 3 (IEC 60584-1) albo granica błędu standardowa i "
        "specjalna (ASTM E230, --standard astm) dla każdej temperatury, w stopniach jednostki "
        "--unit; N/A poza klasą lub tam, gdzie norma granicy nie ustala");
    dodajTyp(p);
    dodajWartosci(p, "TEMP", "temperatury");
    dodajJednostke(p);
    auto norma = std::make_shared<std::string>("iec");
    p.app
        ->add_option("--standard", *norma,
                     "norma: iec (klasy 1, 2 i 3, domyślnie) lub astm (granica standardowa "
                     "i specjalna)")
        ->type_name("iec|astm");
    dodajPrzecinek(p);
    p.app->callback([o = p.opcje, norma, &wyjscia] {
        if (*norma != "iec" && *norma != "astm") {
            throw BladUzycia("nieznana norma „" + *norma + "” (dozwolone: iec, astm)");
        }
        const bool astm = *norma == "astm";
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
                for (int kolumna = 1; kolumna <= (astm ? 2 : kKlasy); ++kolumna) {
                    if (kolumna > 1) s += '\t';
                    const std::optional<double> d = odchylka(astm, kolumna, u, t);
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
