#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "liczby.h"
#include "przeliczenia.h"

namespace batch {

enum class Cel : std::uint8_t { Temperatura, Emf };

// One conversion of a file, as the command line's options set it and all the
// converter reads: built and checked once, before any byte is read.
struct Konfiguracja {
    conversions::Ustawienia ustawienia;
    Cel cel = Cel::Temperatura;
    std::size_t kolumna = 1;         // 1-based
    std::size_t kolumnaZimnego = 0;  // 0: every row uses `zimne`
    // The cold junction of every row without a column of its own, checked
    // where it was read; the ice point in °C unless set.
    conversions::ZimneZlacze zimne;
    char separator = ',';    // field delimiter, never '"', CR or LF
    bool przecinek = false;  // decimal comma in the results
    bool naglowek = false;   // the first row names the columns
    int cyfry = 2;           // decimals of the result, 0..9
};

// The result column's name in a header row: "temperature_C", "emf_uV", ...
std::string_view nazwaKolumny(const Konfiguracja& konfiguracja);

// The decimal separators read in an unquoted field: either, but not the
// delimiter. A quoted field is read with either.
numbers::Separator separatorLiczb(char separator);

// A longer field is refused unread: memory stays bounded.
inline constexpr std::size_t kMaksPola = std::size_t{1} << 20;

}  // namespace batch
