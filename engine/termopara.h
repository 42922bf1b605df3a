#pragma once

#include <array>
#include <cstdint>

#include "typ_termopary.h"

namespace engine {

// ITS-90 thermocouple arithmetic (NIST Monograph 175, and types C and A) for the ten
// types. The selected type and the coefficient working table are public state:
// the window owns one Termopara and writes Typ on every type selection.
class Termopara {
  public:
    // Catalogue index: 0 J, 1 K, 2 T, 3 E, 4 N, 5 B, 6 R, 7 S, 8 C, 9 A.
    std::int16_t Typ = 0;
    // The one place a selected type becomes the stored index.
    void ustawTyp(TypTermopary typ) { Typ = static_cast<std::int16_t>(indeks(typ)); }
    // Coefficient working table shared by Temperatura and EMF.
    std::array<double, 16> Wsp{};

    // Measuring-junction temperature in degrees Celsius -> EMF in microvolts,
    // reference junction at 0 degrees Celsius.
    double Temperatura(double t);
    // EMF in microvolts against 0 degrees Celsius -> temperature in degrees Celsius.
    double EMF(double u);
};

}  // namespace engine
