// numbers::dopisz against the exact decimal expansion of the double, rounded
// half away from zero by hand: its integer fast path and the general path
// must both give these digits.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "liczby.h"

namespace {

std::string wzorzec(double x, int cyfry) {
    // 1100 decimals hold every double's expansion exactly.
    static std::array<char, 1600> bufor;
    const auto [koniec, blad] =
        std::to_chars(bufor.data(), bufor.data() + bufor.size(), x, std::chars_format::fixed, 1100);
    EXPECT_EQ(blad, std::errc{});
    std::string s(bufor.data(), koniec);
    // A half of the shortest decimal that reads back as x is rounded as written.
    const std::string krotki(
        bufor.data(),
        std::to_chars(bufor.data(), bufor.data() + bufor.size(), x, std::chars_format::fixed).ptr);
    const std::size_t k = krotki.find('.');
    if (k != std::string::npos && k + static_cast<std::size_t>(cyfry) + 2 == krotki.size() &&
        krotki.back() == '5')
        s = krotki;
    const bool ujemna = s[0] == '-';
    if (ujemna) s.erase(0, 1);
    const std::size_t kropka = s.find('.');
    bool wGore = s[kropka + 1 + static_cast<std::size_t>(cyfry)] >= '5';
    s.resize(kropka + 1 + static_cast<std::size_t>(cyfry));
    if (cyfry == 0) s.pop_back();
    for (std::size_t i = s.size(); wGore && i-- > 0;) {
        if (s[i] == '.') continue;
        wGore = s[i] == '9';
        s[i] = wGore ? '0' : static_cast<char>(s[i] + 1);
    }
    if (wGore) s.insert(0, "1");
    if (ujemna && s.find_first_of("123456789") != std::string::npos) s.insert(0, "-");
    return s;
}

TEST(Dopisz, CyfryJakRozwiniecieDokladneZaokragloneOdZera) {
    std::mt19937_64 los(7);
    std::uniform_real_distribution<double> mantysa(-1.0, 1.0);
    std::uniform_int_distribution<int> potega(-30, 20);
    std::vector<double> wartosci = {0.0,    -0.0,   0.5,    -0.5,     2.5,  0.125,    -0.125,
                                    1.005,  0.045,  1e-300, 4.9e-324, 1e17, -1e16,    99999.995,
                                    -270.0, 1372.0, 54.886, 0.0625,   1e8,  1e9 - 0.5};
    for (int i = 0; i < 20000; ++i) wartosci.push_back(std::ldexp(mantysa(los), potega(los)));
    // Exact ties at every number of decimals: k / 2^(c+1) with k odd.
    for (int c = 0; c <= 9; ++c) {
        for (int k = 1; k < 400; k += 2) wartosci.push_back(std::ldexp(k * 37.0, -(c + 1)));
    }
    // Halves as typed, k + 0.5 units of the last place, and their negatives.
    for (int c = 0; c <= 9; ++c) {
        for (int k = -2001; k < 2000; k += 7) {
            wartosci.push_back(std::stod(std::to_string(k) + "5e-" + std::to_string(c + 1)));
        }
    }
    for (const double x : wartosci) {
        for (int cyfry = 0; cyfry <= 9; ++cyfry) {
            ASSERT_EQ(numbers::tekst(x, cyfry, false), wzorzec(x, cyfry)) << x << " " << cyfry;
        }
    }
    EXPECT_EQ(numbers::tekst(-1.25, 1, true), "-1,3");
    EXPECT_EQ(numbers::tekst(0.004, 2, true), "0,00");
}

// czytaj's path for short numbers must give from_chars' double, bit for bit,
// on either side of the digit count where it hands over to from_chars.
TEST(Czytaj, KrotkieLiczbyJakFromChars) {
    std::mt19937_64 los(11);
    for (int i = 0; i < 100000; ++i) {
        const auto calkowite = los() % 12;
        const auto ulamkowe = los() % 12;
        const char* znak = std::array{"", "-", "+"}.at(los() % 3);
        std::string s;
        for (auto k = calkowite; k-- > 0;) s += static_cast<char>('0' + los() % 10);
        if (ulamkowe != 0) s += '.';
        for (auto k = ulamkowe; k-- > 0;) s += static_cast<char>('0' + los() % 10);
        if (calkowite + ulamkowe == 0) continue;
        double wzor = 0.0;
        std::from_chars(s.data(), s.data() + s.size(), wzor);
        if (*znak == '-') wzor = -wzor;
        std::string przecinek = s;
        for (char& c : przecinek) c = c == '.' ? ',' : c;
        for (const auto& [tekst, separator] : {std::pair{znak + s, numbers::Separator::Kropka},
                                               {znak + przecinek, numbers::Separator::Dowolny},
                                               {znak + przecinek, numbers::Separator::Przecinek}}) {
            const numbers::Odczyt o = numbers::czytaj(tekst, separator);
            ASSERT_EQ(o.stan, numbers::Stan::Liczba) << tekst;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(o.wartosc), std::bit_cast<std::uint64_t>(wzor))
                << tekst;
        }
    }
}

// An exponent near 64 bits' limit: too large is infinite, too small zero.
TEST(Czytaj, WykladnikNaGranicy64Bitow) {
    const std::pair<const char*, numbers::Stan> przypadki[] = {
        {"100e9223372036854775805", numbers::Stan::Nieskonczona},
        {"0.001e-9223372036854775808", numbers::Stan::Liczba},
        {"-1000e-9223372036854775807", numbers::Stan::Liczba},
    };
    for (const auto& [tekst, stan] : przypadki) {
        const numbers::Odczyt o = numbers::czytaj(tekst, numbers::Separator::Kropka);
        EXPECT_EQ(o.stan, stan) << tekst;
        EXPECT_EQ(o.wartosc == 0.0, stan == numbers::Stan::Liczba) << tekst;
    }
}

}  // namespace
