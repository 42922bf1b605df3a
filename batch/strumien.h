#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "konwerter.h"
#include "platforma.h"

namespace batch {

struct Bloki {
    std::size_t rozmiar = std::size_t{1} << 20;       // bytes read at a time
    std::size_t rownolegle = std::size_t{256} << 10;  // smallest block split over two threads
};

struct Podsumowanie {
    std::uint64_t wiersze = 0;
    std::uint64_t odrzucone = 0;
    std::string blad;  // why reading or writing failed; empty if it did not
};

// Reads `we` to its end and writes the converted input to `dane`, one
// "LINE: reason" line per refused row to `bledy`. Output is held back only
// while more input is ready: when the input stalls, everything converted so
// far is written and flushed. `przeczytane`: bytes already read from `we`
// (a header looked at beforehand), converted first.
Podsumowanie konwertuj(platform::Wejscie& we, platform::Wyjscie& dane, platform::Wyjscie& bledy,
                       const Konfiguracja& konfiguracja, const Bloki& bloki = {},
                       std::string_view przeczytane = {});

}  // namespace batch
