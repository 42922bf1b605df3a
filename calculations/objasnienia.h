#pragma once

#include <string>

#include "typ_termopary.h"

namespace calculations {

// What a result box's tooltip says about the number in it. Numbers are
// written by the window's rules.

// "Temperatura --- > EMF": the Seebeck coefficient at t (°C).
std::string objasnienieEMF(engine::TypTermopary typ, double t);

// "EMF --- > Temperatura": NIST's inverse polynomial used for the compensated
// EMF u (µV), its published error band, and the exact inverse; for a type
// without an inverse polynomial (C, A), that the exact inverse was used.
std::string objasnienieTemperatury(engine::TypTermopary typ, double u);

}  // namespace calculations
