// The walk's reference: each type's inverse domain and a temperature found
// from the reference function alone, independently of the inverse polynomials.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "its90.h"
#include "limity_okna.h"
#include "termopara.h"
#include "typ_termopary.h"

namespace soak {

// Temperatures (°C) whose EMF spans each type's accepted EMF range, and that
// range (mV). Inside these the reference function rises monotonically, so its
// inverse is unique.
struct Domain {
    double tLow, tHigh;
    double mvLow, mvHigh;
};
inline Domain inverseDomain(std::size_t typ) {
    const engine::TypTermopary t = engine::kWszystkieTypy.at(typ);
    const engine::Zakres mv = calculations::emfOkna(t);
    const engine::Zakres uv = engine::dziedzinaOdwrotnej(t);
    // NIST rounds the top EMF up: T's 20,872 mV lies 0,03 µV past E(400 °C).
    const engine::Zakres tc = engine::dziedzinaTemperatury(t);
    return {engine::temperaturaDokladna(t, uv.od).value_or(tc.od),
            engine::temperaturaDokladna(t, uv.doo).value_or(tc.doo), mv.od, mv.doo};
}

// The temperature whose reference EMF is `uv`, found by bisection on the
// reference function itself, independently of the inverse polynomials.
inline double solveTemperature(std::int16_t typ, double uv) {
    engine::Termopara t;
    t.Typ = typ;
    const Domain d = inverseDomain(static_cast<std::size_t>(typ));
    // A degree of margin: the reference function is monotonic there too.
    double lo = d.tLow - 1;
    double hi = d.tHigh + 1;
    for (int i = 0; i < 80; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (t.Temperatura(mid) < uv) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

}  // namespace soak
