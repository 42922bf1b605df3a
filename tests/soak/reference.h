// The walk's reference: each type's inverse domain and a temperature found
// from the reference function alone, independently of the inverse polynomials.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "termopara.h"

namespace soak {

// Temperatures (°C) whose EMF spans each type's accepted EMF range, and that
// range (mV), in catalogue order J K T E N B R S. Inside these the reference
// function rises monotonically, so its inverse is unique.
struct Domain {
    double tLow, tHigh;
    double mvLow, mvHigh;
};
inline constexpr std::array<Domain, 8> kInverseDomain{{
    {-210, 1200, -8.095, 69.553},
    {-200, 1372, -5.891, 54.886},
    {-200, 400, -5.603, 20.872},
    {-200, 1000, -8.825, 76.373},
    {-200, 1300, -3.990, 47.513},
    {250, 1820, 0.291, 13.820},
    {-50, 1768.1, -0.226, 21.103},
    {-50, 1768.1, -0.235, 18.693},
}};

// The temperature whose reference EMF is `uv`, found by bisection on the
// reference function itself, independently of the inverse polynomials.
inline double solveTemperature(std::int16_t typ, double uv) {
    Termopara t;
    t.Typ = typ;
    const Domain& d = kInverseDomain.at(static_cast<std::size_t>(typ));
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
