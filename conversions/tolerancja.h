#pragma once

#include <optional>

#include "granice_astm.h"
#include "przeliczenia.h"
#include "typ_termopary.h"

namespace conversions {

// Permissible deviation of class 1..3 at t, a temperature in the user's unit
// inside the type's domain, as a width in degrees of that unit; nothing where
// the class gives none (N/A).
std::optional<double> odchylkaWJednostce(engine::TypTermopary typ, int klasa, double t,
                                         JednostkaTemperatury j);

// The same for an ASTM E230 limit of error; nothing where the standard
// establishes none.
std::optional<double> granicaAstmWJednostce(engine::TypTermopary typ, engine::KlasaAstm klasa,
                                            double t, JednostkaTemperatury j);

}  // namespace conversions
