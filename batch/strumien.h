#pragma once

#include <cstddef>

#include "konwerter.h"

namespace konwersja {

struct Bloki {
    std::size_t rozmiar = std::size_t{1} << 20;       // bytes read at a time
    std::size_t rownolegle = std::size_t{256} << 10;  // smallest block split over two threads
};

// Reads descriptor `we` to its end and writes the converted input to `wy`,
// each refused row and a closing summary to `bledy`. Output is held back
// only while more input is ready: when the input stalls, everything so far
// is written. Returns the exit status: 0, 1 when any row was refused, 2 when
// the input could not be read or the output not written.
int konwertuj(int we, int wy, int bledy, const Opcje& opcje, const Bloki& bloki = {});

}  // namespace konwersja
