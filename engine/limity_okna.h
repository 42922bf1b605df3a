#pragma once

#include "its90.h"
#include "typ_termopary.h"

// What the window's calculation panels accept.
namespace limity_okna {

// "Temperatura --- > EMF", °C. Narrower than the reference function for
// type E (-200) and for R and S (1768).
engine::Zakres temperatura(engine::TypTermopary typ);
// "EMF --- > Temperatura", mV: the inverse polynomials' domain.
engine::Zakres emf(engine::TypTermopary typ);
// The cold junction of "EMF --- > Temperatura", °C, for every type.
inline constexpr engine::Zakres kZimneZlacze{-30.0, 80.0};

}  // namespace limity_okna
