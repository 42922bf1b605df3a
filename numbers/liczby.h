#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the command line reads and writes them: std::from_chars and
// std::to_chars, never the C locale.
namespace liczby {

enum class Separator : std::uint8_t {
    Kropka,     // "12.5"
    Przecinek,  // "12,5"
    Dowolny,    // either, but not both
};

enum class Stan : std::uint8_t { Liczba, NieLiczba, NaN, Nieskonczona };

struct Odczyt {
    Stan stan = Stan::NieLiczba;
    double wartosc = 0.0;
};

// The whole text as one decimal number (blanks around it allowed, no
// grouping, an exponent allowed). "nan", "inf" and overflow are read as such
// so that the caller can say why it refuses them.
Odczyt czytaj(std::string_view tekst, Separator separator);

// What byte `c` can be in a text that czytaj reads with `separator` as a
// number, NaN or infinity ("cyfra", "znak liczby", ...); empty if nothing.
// Blanks are not counted: they may only surround the number.
std::string_view rolaWLiczbie(char c, Separator separator);

// Appends x with `cyfry` decimals (0..9), never "-0"; `przecinek` writes a
// decimal comma. Halves are those of the shortest decimal that reads back as
// x (2.55, not 2.54999... of 0.0075 * 340) and go away from zero; other
// values are rounded on their exact binary value.
void dopisz(std::string& wyjscie, double x, int cyfry, bool przecinek);

inline std::string tekst(double x, int cyfry, bool przecinek) {
    std::string s;
    dopisz(s, x, cyfry, przecinek);
    return s;
}

}  // namespace liczby
