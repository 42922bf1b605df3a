#include "okno.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <regex>
#include <string>

namespace {

struct TekstLiczby {
    std::string opis;
    std::string tekst;
    bool liczba;
    double wartosc;  // only when liczba
};

// GoogleTest would otherwise print the raw bytes, the unused (uninitialised)
// parts of short strings' buffers included.
void PrintTo(const TekstLiczby& p, std::ostream* os) {
    *os << p.opis;
}

std::string dlugi(char znak, std::size_t ile, const std::string& koniec = {}) {
    return std::string(ile, znak) + koniec;
}

class NumericText : public ::testing::TestWithParam<TekstLiczby> {};

TEST_P(NumericText, TestAndConversionAgree) {
    const auto& p = GetParam();
    const auto x = numbers::zOkna(p.tekst);
    ASSERT_EQ(x.has_value(), p.liczba);
    if (p.liczba) {
        EXPECT_EQ(*x, p.wartosc);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PolishRules, NumericText, ::testing::Values(
    TekstLiczby{"empty", "", false, 0},
    TekstLiczby{"blank", " ", false, 0},
    TekstLiczby{"letters", "abc", false, 0},
    TekstLiczby{"full_stop_is_not_the_separator", "1.5", false, 0},
    TekstLiczby{"grouping_with_full_stop", "1.000,5", false, 0},
    TekstLiczby{"decimal_comma", "1,5", true, 1.5},
    TekstLiczby{"negative", "-1,5", true, -1.5},
    TekstLiczby{"exponent", "1,5e2", true, 150.0},
    TekstLiczby{"negative_exponent", "1,5e-2", true, 0.015},
    TekstLiczby{"integer", "1200", true, 1200.0},
    TekstLiczby{"limit_reads_as_the_same_double", "69,553", true, 69.553},
    TekstLiczby{"limit_below_zero", "-8,095", true, -8.095},
    TekstLiczby{"two_commas", "1,5,", false, 0},
    TekstLiczby{"sign_twice", "--1", false, 0},
    TekstLiczby{"inf", "inf", false, 0},
    TekstLiczby{"minus_inf", "-inf", false, 0},
    TekstLiczby{"nan", "nan", false, 0},
    TekstLiczby{"NaN", "NaN", false, 0},
    TekstLiczby{"overflow", "1e400", false, 0},
    TekstLiczby{"negative_overflow", "-1e400", false, 0},
    TekstLiczby{"largest_finite", "1,7976931348623157e308", true, std::numeric_limits<double>::max()},
    TekstLiczby{"long_zeros", dlugi('0', 100000), true, 0.0},
    TekstLiczby{"long_fraction", "1," + dlugi('0', 99998), true, 1.0},
    TekstLiczby{"long_digits_overflow", dlugi('1', 100000), false, 0},
    TekstLiczby{"long_digits_then_junk", dlugi('1', 99999, "x"), false, 0},
    TekstLiczby{"long_junk", dlugi('x', 100000), false, 0}),
    [](const auto& przypadek) { return przypadek.param.opis; });
// clang-format on

struct Formatowanie {
    std::string opis;
    double wartosc;
    std::string wzorzec;
    std::string oczekiwany;
};

void PrintTo(const Formatowanie& p, std::ostream* os) {
    *os << p.opis;
}

class Format : public ::testing::TestWithParam<Formatowanie> {};

TEST_P(Format, ByPattern) {
    const auto& p = GetParam();
    EXPECT_EQ(numbers::doOkna(p.wartosc, p.wzorzec), p.oczekiwany);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Patterns, Format, ::testing::Values(
    Formatowanie{"emf", 5.26894, "#####0.0000", "5,2689"},
    Formatowanie{"emf_negative", -1481.6 / 1000.0, "#####0.0000", "-1,4816"},
    Formatowanie{"emf_pads_decimals", 0.0, "#####0.0000", "0,0000"},
    Formatowanie{"temperature", 100.0249, "#####0.00", "100,02"},
    Formatowanie{"deviation_leading_zero", 0.5, "####0.0", "0,5"},
    Formatowanie{"no_grouping", 12345.0, "#####0.0000", "12345,0000"},
    Formatowanie{"no_grouping_longer", 1234567.891, "#####0.00", "1234567,89"},
    Formatowanie{"more_digits_than_pattern", 1e15, "#####0.0000", "1000000000000000,0000"},
    Formatowanie{"no_decimals", 42.4, "0", "42"},
    // Exact binary ties go away from zero; half-even would give the other digit.
    Formatowanie{"tie_4_25", 4.25, "####0.0", "4,3"},
    Formatowanie{"tie_product", 0.0025 * 1700.0, "####0.0", "4,3"},
    Formatowanie{"tie_negative", -4.25, "####0.0", "-4,3"},
    Formatowanie{"tie_two_decimals", 0.125, "#####0.00", "0,13"},
    Formatowanie{"tie_two_decimals_b", 0.625, "#####0.00", "0,63"},
    Formatowanie{"tie_four_decimals", 0.03125, "#####0.0000", "0,0313"},
    Formatowanie{"tie_four_decimals_negative", -0.03125, "#####0.0000", "-0,0313"},
    Formatowanie{"tie_no_decimals", 2.5, "0", "3"},
    Formatowanie{"tie_no_decimals_negative", -2.5, "0", "-3"},
    // Halves as written: the double lies just below them, its shortest decimal on them.
    Formatowanie{"half_1_005", 1.005, "#####0.00", "1,01"},
    Formatowanie{"half_2_675", 2.675, "#####0.00", "2,68"},
    Formatowanie{"half_product", 0.0075 * 340.0, "####0.0", "2,6"},
    Formatowanie{"just_below_tie", std::nextafter(4.25, 0.0), "####0.0", "4,2"},
    Formatowanie{"just_above_tie", std::nextafter(4.25, 5.0), "####0.0", "4,3"},
    // Nothing shows as minus zero.
    Formatowanie{"small_negative_emf", -0.00002, "#####0.0000", "0,0000"},
    Formatowanie{"below_half_unit", -0.00004999, "#####0.0000", "0,0000"},
    Formatowanie{"negative_zero", -0.0, "#####0.0000", "0,0000"},
    Formatowanie{"denormal_negative", -std::numeric_limits<double>::denorm_min(), "#####0.00", "0,00"},
    Formatowanie{"small_negative_deviation", -0.04, "####0.0", "0,0"},
    Formatowanie{"negative_rounding_away", -0.00005000001, "#####0.0000", "-0,0001"},
    Formatowanie{"negative_small_kept", -0.06, "####0.0", "-0,1"}),
    [](const auto& przypadek) { return przypadek.param.opis; });
// clang-format on

TEST(FormatHuge, WritesEveryDigitWithoutGrouping) {
    struct Przypadek {
        double wartosc;
        const char* wzorzec;
        const char* ksztalt;
    };
    const Przypadek przypadki[] = {
        {1e300, "#####0.0000", "^1\\d{300},0000$"},
        {-1e300, "#####0.00", "^-1\\d{300},00$"},
        {std::numeric_limits<double>::max(), "####0.0", "^17976931348623157\\d{292},0$"},
        {-std::numeric_limits<double>::max(), "#####0.0000", "^-17976931348623157\\d{292},0000$"},
    };
    for (const auto& p : przypadki) {
        const std::string tekst = numbers::doOkna(p.wartosc, p.wzorzec);
        EXPECT_TRUE(std::regex_search(tekst, std::regex(p.ksztalt)))
            << tekst.substr(0, 40) << "... (" << tekst.size() << " characters)";
    }
}

// Every exact binary tie j / 2^(d+1) (j odd) in a band around zero, against
// integer arithmetic: x * 10^d = j * 5^d / 2, rounded half away from zero.
TEST(FormatTies, AllExactTiesInBandRoundAwayFromZero) {
    const struct {
        int miejsca;
        const char* wzorzec;
    } wzorce[] = {{1, "####0.0"}, {2, "#####0.00"}, {4, "#####0.0000"}};
    int bledy = 0;
    for (const auto& w : wzorce) {
        std::int64_t piecDoD = 1;
        std::int64_t dziesiecDoD = 1;
        for (int i = 0; i < w.miejsca; ++i) {
            piecDoD *= 5;
            dziesiecDoD *= 10;
        }
        for (std::int64_t j = -20001; j <= 20001; j += 2) {
            const double x = std::ldexp(static_cast<double>(j), -(w.miejsca + 1));
            const std::int64_t licznik = j * piecDoD;  // x * 10^d = licznik / 2
            const std::int64_t modul = ((licznik < 0 ? -licznik : licznik) + 1) / 2;
            std::string oczekiwany = licznik < 0 ? "-" : "";
            std::string ulamek = std::to_string(modul % dziesiecDoD);
            ulamek.insert(0, static_cast<std::size_t>(w.miejsca) - ulamek.size(), '0');
            oczekiwany += std::to_string(modul / dziesiecDoD) + "," + ulamek;
            const std::string wynik = numbers::doOkna(x, w.wzorzec);
            if (wynik != oczekiwany && ++bledy <= 5) {
                ADD_FAILURE() << x << " with " << w.wzorzec << ": got " << wynik << ", expected "
                              << oczekiwany;
            }
        }
    }
    EXPECT_EQ(bledy, 0);
}

// What the formatter writes, the parser reads back to within half a unit of
// the last place, whatever the system locale says.
TEST(FormatRoundTrip, ParsesBackWithinHalfUnit) {
    std::setlocale(LC_ALL, "");
    const double wartosci[] = {0.0, 1.0, -1.4816, 41.27561, 1199.955, -8.095, 1e9 + 0.123456};
    const struct {
        const char* wzorzec;
        double polowa;
    } wzorce[] = {{"#####0.0000", 0.00005}, {"#####0.00", 0.005}, {"####0.0", 0.05}};
    for (const double x : wartosci) {
        for (const auto& w : wzorce) {
            const std::string tekst = numbers::doOkna(x, w.wzorzec);
            const auto z = numbers::zOkna(tekst);
            ASSERT_TRUE(z.has_value()) << tekst;
            EXPECT_NEAR(*z, x, w.polowa * (1 + 1e-9)) << tekst;
        }
    }
    EXPECT_EQ(numbers::doOkna(1.5, "####0.0"), "1,5");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
