#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Numbers as every front end reads and writes them: fast_float and fmt,
// never the C locale.
namespace numbers {

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

// The common short number, such as a logger writes, as czytaj reads it but
// without its general work: a sign, digits, perhaps one decimal separator
// and digits, 15 digits at most, no blanks. Then m and 10^k are exact
// doubles and m / 10^k, rounded once, is the correctly rounded value
// fast_float gives. False: czytaj decides. Inline: a row converter calls it
// for every field.
inline bool czytajKrotka(const char* p, const char* koniec, Separator separator, double& x) {
    static constexpr std::array<double, 16> kPotegi{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    static constexpr std::array<std::int64_t, 16> kPotegiCalkowite{1,
                                                                   10,
                                                                   100,
                                                                   1000,
                                                                   10000,
                                                                   100000,
                                                                   1000000,
                                                                   10000000,
                                                                   100000000,
                                                                   1000000000,
                                                                   10000000000,
                                                                   100000000000,
                                                                   1000000000000,
                                                                   10000000000000,
                                                                   100000000000000,
                                                                   1000000000000000};
    constexpr std::ptrdiff_t kCyfry = 15;
    const bool ujemna = p != koniec && *p == '-';
    if (p != koniec && (*p == '-' || *p == '+')) ++p;
    std::uint64_t m = 0;
    const auto [q, blad] = std::from_chars(p, koniec, m);
    if (blad != std::errc{} || q - p > kCyfry) return false;
    x = static_cast<double>(static_cast<std::int64_t>(m));
    if (q != koniec) {
        const bool dziesietny = (*q == '.' && separator != Separator::Przecinek) ||
                                (*q == ',' && separator != Separator::Kropka);
        std::uint64_t ulamek = 0;
        const auto [r, blad2] = std::from_chars(q + 1, koniec, ulamek);
        const std::ptrdiff_t k = r - (q + 1);
        if (!dziesietny || blad2 != std::errc{} || r != koniec || (q - p) + k > kCyfry) {
            return false;
        }
        const auto i = static_cast<std::size_t>(k);
        // Below 10^15: signed, converted by one instruction.
        x = static_cast<double>(static_cast<std::int64_t>(m) * kPotegiCalkowite[i] +
                                static_cast<std::int64_t>(ulamek)) /
            kPotegi[i];
    }
    if (ujemna) x = -x;
    return true;
}

// What byte `c` can be in a text that czytaj reads with `separator` as a
// number, NaN or infinity ("cyfra", "znak liczby", ...); empty if nothing.
// Blanks are not counted: they may only surround the number.
std::string_view rolaWLiczbie(char c, Separator separator);

// Appends x with `cyfry` decimals (0..9), never "-0"; `przecinek` writes a
// decimal comma. Halves are those of the shortest decimal that reads back as
// x (2.55, not 2.54999... of 0.0075 * 340) and go away from zero; other
// values are rounded on their exact binary value.
void dopisz(std::string& wyjscie, double x, int cyfry, bool przecinek);

// Half a unit of the last digit of x's shortest decimal, which is the text
// typed (less trailing zeros) for any text of up to 15 significant digits:
// 0.0005 for 76.373, 5e-10 for 76.372826454, 0.5 for 0; 0 for non-finite x.
double polowaOstatniejCyfry(double x);

inline std::string tekst(double x, int cyfry, bool przecinek) {
    std::string s;
    dopisz(s, x, cyfry, przecinek);
    return s;
}

}  // namespace numbers
