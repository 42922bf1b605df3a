#include <cmath>
#include <cstddef>

#include "its90.h"
#include "katalog.h"

namespace engine {

Odchylka odchylka(TypTermopary typ, int klasa, double t) {
    if (klasa < 1 || static_cast<std::size_t>(klasa) > kLiczbaKlas) {
        return {Odchylka::Rodzaj::Nieklasyfikowana, 0.0};
    }
    const RegulaTolerancji& r = wiersz(typ).klasy[static_cast<std::size_t>(klasa - 1)];
    if (!r.klasyfikowana) {
        return {Odchylka::Rodzaj::Nieklasyfikowana, 0.0};
    }
    if (!r.zakres.zawiera(t)) {
        return {Odchylka::Rodzaj::PozaKlasyfikacja, 0.0};
    }
    const bool stala = (r.strona == RegulaTolerancji::Strona::DoProgu && t <= r.prog) ||
                       (r.strona == RegulaTolerancji::Strona::OdProgu && t >= r.prog);
    if (stala) {
        return {Odchylka::Rodzaj::Stala, r.stala};
    }
    return {Odchylka::Rodzaj::Obliczona, r.a + r.b * (std::fabs(t) - r.c)};
}

}  // namespace engine
