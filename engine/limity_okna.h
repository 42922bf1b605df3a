#pragma once

#include "its90.h"
#include "typ_termopary.h"

// What the window's calculation panels accept.
namespace limity_okna {

// "Temperatura --- > EMF", °C. Narrower than the reference function for
// type E (-200) and for R and S (1768).
its90::Zakres temperatura(TypTermopary typ);
// "EMF --- > Temperatura", mV: the inverse polynomials' domain.
its90::Zakres emf(TypTermopary typ);
// The cold junction of "EMF --- > Temperatura", °C, for every type.
inline constexpr its90::Zakres kZimneZlacze{-30.0, 80.0};

}  // namespace limity_okna
