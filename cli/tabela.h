#pragma once

#include <cstdint>
#include <string>

#include "przeliczenia.h"

// Tables of E(t) - E(tc) over a range of temperatures, the cold junction
// checked beforehand.
namespace cli {

struct Zakres {
    double od;    // first temperature, in the unit of the settings
    double doo;   // last temperature, included when a step lands on it
    double krok;  // > 0
};

struct Wyglad {
    int cyfry = 3;           // EMF decimals
    bool przecinek = false;  // decimal comma (and ';' between CSV fields)
};

// The whole degrees of the unit that lie in the type's domain.
struct PelneStopnie {
    long od;
    long doo;
};
PelneStopnie pelneStopnie(const conversions::Ustawienia& u);

// How many steps of the range fit, plus one; 0 if `od` > `doo`.
std::int64_t liczbaWierszy(const Zakres& z);

// The temperatures' decimals in CSV: as many as the step (or the start) has.
int cyfryTemperatury(const Zakres& z);

// "temperature,emf" lines after a header. The range must lie in the domain.
std::string csv(const conversions::Ustawienia& u, const Zakres& z,
                const conversions::ZimneZlacze& zimne, const Wyglad& w);

// Laid out as NIST's published tables: rows of ten degrees, columns 0..10
// (0..-10 in the block below zero, which comes first). The range's ends
// must be whole degrees in the domain; the step is one degree.
std::string nist(const conversions::Ustawienia& u, long od, long doo,
                 const conversions::ZimneZlacze& zimne, const Wyglad& w);

}  // namespace cli
