#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "typ_termopary.h"

// Stateless ITS-90 arithmetic for every front end. Temperatures in °C,
// EMF in µV against a reference junction at 0 °C.
namespace engine {

// A sub-range of NIST's inverse polynomials, with its published error band.
struct PodzakresOdwrotnej {
    Zakres emf;      // µV
    double bladMin;  // °C
    double bladMax;  // °C
};

// Domain of the reference function, °C.
Zakres dziedzinaTemperatury(TypTermopary typ);
// Domain of NIST's inverse polynomials, µV; for a type without one (C, A)
// the exact inverse's, which stands in for it.
Zakres dziedzinaOdwrotnej(TypTermopary typ);
// EMFs that two temperatures of the domain share, µV: where the reference
// function first falls from the domain's lowest point and then rises again
// (type B, from its minimum near 21 °C up to E(0 °C) = 0, both again near
// 42 °C); nothing for a type whose function rises throughout.
std::optional<Zakres> emfDwuznaczne(TypTermopary typ);
// Domain of the exact inverse, µV: the reference function's own range, less
// emfDwuznaczne (type B: every EMF above zero).
Zakres dziedzinaDokladnej(TypTermopary typ);

// Empty for a type without inverse polynomials (C, A).
std::span<const PodzakresOdwrotnej> podzakresyOdwrotnej(TypTermopary typ);
// Index into podzakresyOdwrotnej of the polynomial in effect at u (0 where
// there is none).
std::size_t podzakresOdwrotnej(TypTermopary typ, double u);

// The reference function: the same numbers, bit for bit, as Termopara::Temperatura.
double emfZTemperatury(TypTermopary typ, double t);
// NIST's inverse polynomial: the same numbers as Termopara::EMF. For a type
// without one, the exact inverse, NaN outside its domain.
double temperaturaZEmf(TypTermopary typ, double u);
// The same two over runs of values, for front ends that convert many at
// once: e[i] = emfZTemperatury(typ, t[i]) and t[i] = temperaturaZEmf(typ, u[i])
// bit for bit, for every argument. Vectorised where the processor allows.
// The output may be the input array itself, but no other overlap.
void emfBlok(TypTermopary typ, const double* t, double* e, std::size_t n);
void temperaturaZEmfBlok(TypTermopary typ, const double* u, double* t, std::size_t n);
// dE/dt of the reference function, µV/°C.
double seebeck(TypTermopary typ, double t);
// The t at which the reference function gives u; nothing outside
// dziedzinaDokladnej (NaN and infinities included). Within 1e-9 °C of the
// start after E(t) for C and A, except within 8e-6 °C of C's split, where its
// two sets overlap by 0.14 nV and two temperatures share each EMF.
std::optional<double> temperaturaDokladna(TypTermopary typ, double u);

// The permissible deviation of a tolerance class at one temperature.
struct Odchylka {
    enum class Rodzaj : std::uint8_t { Stala, Obliczona, PozaKlasyfikacja, Nieklasyfikowana };
    Rodzaj rodzaj = Rodzaj::Nieklasyfikowana;
    double wartosc = 0.0;  // °C, meaningful for Stala and Obliczona
};
// The deviation of class 1..3 (IEC 60584-1:2013) of `typ` at t, °C, by the
// catalogue's rules; a class outside 1..3 is not classified.
Odchylka odchylka(TypTermopary typ, int klasa, double t);

}  // namespace engine
