#pragma once

#include <cstddef>
#include <limits>
#include <optional>

#include "granice_astm.h"
#include "przeliczenia.h"

// Conversions over runs of values for the Python module: the same checks and
// the same numbers as przeliczenia, element by element.
namespace python {

// n values of a numpy array: a byte stride, 0 for one value repeated.
struct Wejscie {
    const char* p = nullptr;
    std::ptrdiff_t krok = 0;
};

inline constexpr std::size_t kBrakOdmowy = std::numeric_limits<std::size_t>::max();

// The first refused element of a run, if any.
struct Odmowa {
    std::size_t indeks = kBrakOdmowy;
    conversions::Powod powod = conversions::Powod::Brak;
    bool zimne = false;  // the cold junction's value was refused, not the element's own

    [[nodiscard]] bool jest() const { return indeks != kBrakOdmowy; }
};

// Each fills wynik[0..n) and returns the first refusal. With `stop` it ends
// there; otherwise every refused element becomes NaN and the run goes on.
Odmowa emf(const conversions::Ustawienia& u, Wejscie t, Wejscie tc, double* wynik, std::size_t n,
           bool stop);
Odmowa temperatura(const conversions::Ustawienia& u, Wejscie e, Wejscie tc, double* wynik,
                   std::size_t n, bool stop);
Odmowa seebeck(const conversions::Ustawienia& u, Wejscie t, double* wynik, std::size_t n,
               bool stop);
// Class 1..3, or with `astm` that ASTM E230 limit; NaN where the class or
// the standard gives no deviation, which is no refusal.
Odmowa tolerancja(const conversions::Ustawienia& u, int klasa,
                  std::optional<engine::KlasaAstm> astm, Wejscie t, double* wynik, std::size_t n,
                  bool stop);

}  // namespace python
