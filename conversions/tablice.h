#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>

#include "przeliczenia.h"

// The conversions over arrays laid out as numpy lays them out (any byte
// stride, unaligned), element by element the numbers and refusals of the
// functions for one value; NaN and infinities are refused as such.
namespace conversions {

// n doubles `krok` bytes apart; 0 repeats one value for all.
struct Ciag {
    const char* dane = nullptr;
    std::ptrdiff_t krok = 0;
};

// One byte per element, nonzero where the element is left out: neither
// converted nor checked, its result NaN. No data: nothing is left out.
using Maska = Ciag;

inline constexpr std::size_t kBrakOdmowy = std::numeric_limits<std::size_t>::max();

// The first refused element of a run, if any.
struct Odmowa {
    std::size_t indeks = kBrakOdmowy;
    Powod powod = Powod::Brak;
    bool zimne = false;  // the cold junction's value was refused, not the element's own

    [[nodiscard]] bool jest() const { return indeks != kBrakOdmowy; }
};

// Where the results go and what a refusal does: with `stop` the run ends at
// the first; otherwise every refused element becomes NaN and the run goes on.
struct Wyniki {
    double* dane = nullptr;
    std::size_t n = 0;
    bool stop = false;
};

// E(t) - E(tc) in the EMF unit, as emf() gives it.
Odmowa emf(const Ustawienia& u, Ciag t, Ciag tc, Maska m, Wyniki w);
// The temperature of e against tc, as temperatura() gives it.
Odmowa temperatura(const Ustawienia& u, Ciag e, Ciag tc, Maska m, Wyniki w);
// dE/dt, as seebeck() gives it.
Odmowa seebeck(const Ustawienia& u, Ciag t, Maska m, Wyniki w);
// Class 1..3's permissible deviation, `odchylka(t)` at a temperature t of
// the domain: one outside it is refused; NaN where the class gives none,
// which is no refusal.
Odmowa tolerancja(const Ustawienia& u, Ciag t, Maska m, Wyniki w,
                  const std::function<std::optional<double>(double)>& odchylka);

}  // namespace conversions
