#pragma once

#include "its90.h"
#include "typ_termopary.h"

// What the window's calculation panels accept: rules of the window, not of
// ITS-90.
namespace calculations {

// "Temperatura --- > EMF", °C: the type's reference domain, unless the window
// narrows it (type E from -200, R and S up to 1768).
engine::Zakres temperaturaOkna(engine::TypTermopary typ);
// "EMF --- > Temperatura", mV: the inverse polynomials' domain.
engine::Zakres emfOkna(engine::TypTermopary typ);
// The cold junction of "EMF --- > Temperatura", °C, for every type.
inline constexpr engine::Zakres kZimneZlaczeOkna{-30.0, 80.0};

}  // namespace calculations
