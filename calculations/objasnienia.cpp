#include "objasnienia.h"

#include <cmath>
#include <string>
#include <string_view>

#include "its90.h"
#include "okno.h"

namespace calculations {

namespace {

// The fewest decimals, one at least, that write the published value whole
// (0.05 as "0,05", 0.0005 as "0,0005").
std::string krotko(double x) {
    std::string wzorzec = "0.0";
    for (int cyfry = 1; cyfry < 6; ++cyfry, wzorzec += '0') {
        const double skala = std::pow(10.0, cyfry);
        if (std::fabs(std::round(x * skala) - x * skala) < 1e-6) break;
    }
    return numbers::doOkna(x, wzorzec);
}

}  // namespace

std::string objasnienieEMF(engine::TypTermopary typ, double t) {
    return "Współczynnik Seebecka: " + numbers::doOkna(engine::seebeck(typ, t), "0.000") + " µV/°C";
}

std::string objasnienieTemperatury(engine::TypTermopary typ, double u) {
    const auto podzakresy = engine::podzakresyOdwrotnej(typ);
    if (podzakresy.empty()) {
        // No inverse polynomial (C, A): the number shown is the exact inverse.
        const auto dokladna = engine::temperaturaDokladna(typ, u);
        return std::string("Dokładna odwrotność funkcji odniesienia (typ ") + engine::litera(typ) +
               " nie ma wielomianu odwrotnego NIST)\n" + "Dokładna odwrotność: " +
               (dokladna ? numbers::doOkna(*dokladna, "0.0000") + " °C"
                         : std::string("poza zakresem funkcji odniesienia"));
    }
    const std::size_t i = engine::podzakresOdwrotnej(typ, u);
    const engine::PodzakresOdwrotnej& p = podzakresy[i];
    std::string s = "Wielomian odwrotny NIST: podzakres " + std::to_string(i + 1) + " z " +
                    std::to_string(podzakresy.size()) + ", od " +
                    numbers::doOkna(p.emf.od / 1000.0, "0.000") + " mV do " +
                    numbers::doOkna(p.emf.doo / 1000.0, "0.000") + " mV\n";
    s += "Błąd wielomianu: od " + krotko(p.bladMin) + " °C do " + krotko(p.bladMax) + " °C\n";
    const auto dokladna = engine::temperaturaDokladna(typ, u);
    s += "Dokładna odwrotność: " +
         (dokladna ? numbers::doOkna(*dokladna, "0.0000") + " °C"
                   // NIST rounds some top EMFs up past the reference function's own.
                   : std::string("poza zakresem funkcji odniesienia"));
    return s;
}

}  // namespace calculations
