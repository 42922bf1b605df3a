// "Dopuszczalny Błąd": the tolerance rules and Command1_Click.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "fake_window.h"
#include "obliczenia.h"

namespace {

using Ops = std::vector<Operacja>;
using Rodzaj = calculations::Odchylka::Rodzaj;

constexpr const char* kStary = "stary wynik";
constexpr const char* kNienumeryczna = "Niepoprawna wartość numeryczna temperatury";
constexpr std::array<const char*, 3> kPozaKlasyfikacja{
    "Wartość temperatury poza klasyfikacją dla Klasy 1",
    "Wartość temperatury poza klasyfikacją dla Klasy 2",
    "Wartość temperatury poza klasyfikacją dla Klasy 3",
};
constexpr std::array<calculations::Box, 3> kPolaKlas{
    calculations::Box::Text1_1, calculations::Box::Text1_2, calculations::Box::Text1_3};

enum Typ : std::int16_t { J, K, T, E, N, B, R, S, C, A };

FakeWindow kliknij(std::int16_t typ, const std::string& temperatura) {
    FakeWindow okno;
    okno.pola[calculations::Box::Text1_0] = temperatura;
    for (const calculations::Box p : kPolaKlas) okno.pola[p] = kStary;
    calculations::Command1_Click(okno, typ);
    return okno;
}

// "!" stands for the class's out-of-classification message followed by "N/A".
constexpr const char* kPoza = "!";

struct Klasy {
    std::int16_t typ;
    std::string temperatura;
    std::array<std::string, 3> pola;
};

std::ostream& operator<<(std::ostream& os, const Klasy& k) {
    return os << "type " << k.typ << " at " << k.temperatura;
}

class Command1Classes : public ::testing::TestWithParam<Klasy> {};

TEST_P(Command1Classes, WritesEachClassInOrder) {
    const auto& p = GetParam();
    Ops oczekiwane;
    for (std::size_t i = 0; i < 3; ++i) {
        if (p.pola[i] == kPoza) {
            oczekiwane.push_back(Operacja::komunikat(kPozaKlasyfikacja[i]));
            oczekiwane.push_back(Operacja::ustaw(kPolaKlas[i], "N/A"));
        } else {
            oczekiwane.push_back(Operacja::ustaw(kPolaKlas[i], p.pola[i]));
        }
    }
    const FakeWindow okno = kliknij(p.typ, p.temperatura);
    EXPECT_EQ(okno.operacje, oczekiwane);
    EXPECT_EQ(okno.text(calculations::Box::Text1_0), p.temperatura);
}

// Fixed deviations end in " °C", computed ones in "°C".
// clang-format off
INSTANTIATE_TEST_SUITE_P(Examples, Command1Classes, ::testing::Values(
    Klasy{J, "100", {"1,5 °C", "2,5 °C", "N/A"}},
    Klasy{J, "600", {"2,4°C", "4,5°C", "N/A"}},
    Klasy{J, "750", {"3,0°C", "5,6°C", "N/A"}},
    Klasy{J, "751", {kPoza, kPoza, "N/A"}},
    Klasy{J, "-40", {"1,5 °C", "2,5 °C", "N/A"}},
    Klasy{K, "375", {"1,5 °C", "2,8°C", kPoza}},
    Klasy{K, "376", {"1,5°C", "2,8°C", kPoza}},
    Klasy{K, "333", {"1,5 °C", "2,5 °C", kPoza}},
    Klasy{K, "333,5", {"1,5 °C", "2,5°C", kPoza}},
    Klasy{K, "-40", {"1,5 °C", "2,5 °C", "2,5 °C"}},
    Klasy{K, "-41", {kPoza, kPoza, "2,5 °C"}},
    Klasy{K, "20", {"1,5 °C", "2,5 °C", "2,5 °C"}},
    Klasy{K, "40", {"1,5 °C", "2,5 °C", "2,5 °C"}},
    Klasy{K, "41", {"1,5 °C", "2,5 °C", kPoza}},
    Klasy{K, "-200", {kPoza, kPoza, "3,0°C"}},
    Klasy{K, "-201", {kPoza, kPoza, kPoza}},
    Klasy{K, "-167", {kPoza, kPoza, "2,5 °C"}},
    Klasy{K, "-168", {kPoza, kPoza, "2,5°C"}},
    Klasy{K, "1000", {"4,0°C", "7,5°C", kPoza}},
    Klasy{K, "1200", {kPoza, "9,0°C", kPoza}},
    Klasy{K, "1500", {kPoza, kPoza, kPoza}},
    Klasy{T, "125", {"0,5 °C", "1,0 °C", kPoza}},
    Klasy{T, "126", {"0,5°C", "1,0 °C", kPoza}},
    Klasy{T, "350", {"1,4°C", "2,6°C", kPoza}},
    Klasy{T, "-67", {kPoza, kPoza, "1,0 °C"}},
    Klasy{T, "-100", {kPoza, kPoza, "1,5°C"}},
    Klasy{E, "200", {"1,5 °C", "2,5 °C", kPoza}},
    Klasy{E, "400", {"1,6°C", "3,0°C", kPoza}},
    Klasy{E, "-100", {kPoza, kPoza, "2,5 °C"}},
    Klasy{E, "900", {kPoza, "6,8°C", kPoza}},
    Klasy{N, "1001", {kPoza, "7,5°C", kPoza}},
    Klasy{N, "-200", {kPoza, kPoza, "3,0°C"}},
    Klasy{B, "500", {"N/A", kPoza, kPoza}},
    Klasy{B, "600", {"N/A", "1,5°C", "4,0 °C"}},
    Klasy{B, "800", {"N/A", "2,0°C", "4,0 °C"}},
    Klasy{B, "850", {"N/A", "2,1°C", "4,3°C"}},
    Klasy{B, "1600", {"N/A", "4,0°C", "8,0°C"}},
    Klasy{B, "1700", {"N/A", "4,3°C", "8,5°C"}},
    Klasy{B, "1701", {"N/A", kPoza, kPoza}},
    Klasy{R, "0", {"1,0 °C", "1,5 °C", "N/A"}},
    Klasy{R, "1100", {"1,0 °C", "2,8°C", "N/A"}},
    Klasy{R, "1300", {"1,6°C", "3,3°C", "N/A"}},
    Klasy{R, "1600", {"2,5°C", "4,0°C", "N/A"}},
    Klasy{R, "-1", {kPoza, kPoza, "N/A"}},
    Klasy{S, "600", {"1,0 °C", "1,5 °C", "N/A"}},
    Klasy{S, "1350", {"1,8°C", "3,4°C", "N/A"}},
    Klasy{S, "1601", {kPoza, kPoza, "N/A"}},
    // C and A: class 2 only, as class 1 of B is missing.
    Klasy{C, "425", {"N/A", kPoza, "N/A"}},
    Klasy{C, "426", {"N/A", "4,3°C", "N/A"}},
    Klasy{C, "2315", {"N/A", "23,2°C", "N/A"}},
    Klasy{C, "2316", {"N/A", kPoza, "N/A"}},
    Klasy{A, "999", {"N/A", kPoza, "N/A"}},
    Klasy{A, "1000", {"N/A", "10,0°C", "N/A"}},
    Klasy{A, "2500", {"N/A", "25,0°C", "N/A"}}));
// clang-format on

TEST(Command1, NotNumericReportsAndKeepsAllResults) {
    for (const char* zly : {"", " ", "abc", "1.5", "inf", "nan", "1e400"}) {
        const FakeWindow okno = kliknij(J, zly);
        EXPECT_EQ(okno.operacje, (Ops{Operacja::komunikat(kNienumeryczna),
                                      Operacja::fokus(calculations::Box::Text1_0)}))
            << '"' << zly << '"';
        for (const calculations::Box p : kPolaKlas)
            EXPECT_EQ(okno.text(p), kStary) << '"' << zly << '"';
    }
}

TEST(Command1, TypeOutsideCatalogue) {
    for (const std::int16_t typ :
         {std::int16_t{-1}, std::int16_t{10}, std::numeric_limits<std::int16_t>::min(),
          std::numeric_limits<std::int16_t>::max()}) {
        EXPECT_TRUE(kliknij(typ, "100").operacje.empty()) << "type " << typ;
        // The numeric test still comes first.
        EXPECT_EQ(kliknij(typ, "abc").komunikaty(), (std::vector<std::string>{kNienumeryczna}))
            << "type " << typ;
    }
}

// Every accepted temperature fills all three boxes with a class text.
TEST(Command1, EveryOutputHasTheDeviationShape) {
    const std::regex ksztalt(R"(^(\d,\d( °C|°C)|N/A)$)");
    for (std::int16_t typ = J; typ <= S; ++typ) {
        for (int t = -300; t <= 1900; t += 7) {
            const FakeWindow okno = kliknij(typ, std::to_string(t));
            for (const calculations::Box p : kPolaKlas) {
                EXPECT_TRUE(std::regex_match(okno.text(p), ksztalt))
                    << "type " << typ << " at " << t << ": " << okno.text(p);
            }
        }
    }
}

struct Regula {
    std::int16_t typ;
    int klasa;
    double t;
    Rodzaj rodzaj;
    double wartosc;  // for Stala and Obliczona
};

std::ostream& operator<<(std::ostream& os, const Regula& r) {
    return os << "type " << r.typ << " class " << r.klasa << " at " << std::setprecision(10) << r.t;
}

class DopuszczalnyBladRule : public ::testing::TestWithParam<Regula> {};

TEST_P(DopuszczalnyBladRule, Evaluates) {
    const auto& p = GetParam();
    const calculations::Odchylka o = calculations::DopuszczalnyBlad(p.typ, p.klasa, p.t);
    ASSERT_EQ(o.rodzaj, p.rodzaj);
    if (p.rodzaj == Rodzaj::Stala || p.rodzaj == Rodzaj::Obliczona) {
        EXPECT_NEAR(o.wartosc, p.wartosc, 1e-12);
    }
}

// Both ends of every classified range, both sides of every crossover, and
// the four classes that no temperature classifies.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Boundaries, DopuszczalnyBladRule, ::testing::Values(
    Regula{J, 1, -40, Rodzaj::Stala, 1.5},       Regula{J, 1, -40.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{J, 1, 375, Rodzaj::Stala, 1.5},       Regula{J, 1, 375.001, Rodzaj::Obliczona, 1.500004},
    Regula{J, 1, 750, Rodzaj::Obliczona, 3.0},   Regula{J, 1, 750.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{J, 2, 333, Rodzaj::Stala, 2.5},       Regula{J, 2, 334, Rodzaj::Obliczona, 2.505},
    Regula{J, 3, 100, Rodzaj::Nieklasyfikowana, 0},
    Regula{K, 1, 1000, Rodzaj::Obliczona, 4.0},  Regula{K, 1, 1000.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{K, 2, 1200, Rodzaj::Obliczona, 9.0},  Regula{K, 2, 1200.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{K, 3, -200, Rodzaj::Obliczona, 3.0},  Regula{K, 3, -200.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{K, 3, -167, Rodzaj::Stala, 2.5},      Regula{K, 3, -167.5, Rodzaj::Obliczona, 2.5125},
    Regula{K, 3, 40, Rodzaj::Stala, 2.5},        Regula{K, 3, 40.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{T, 1, 125, Rodzaj::Stala, 0.5},       Regula{T, 1, 350, Rodzaj::Obliczona, 1.4},
    Regula{T, 1, 350.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{T, 2, 133, Rodzaj::Stala, 1.0},       Regula{T, 2, 134, Rodzaj::Obliczona, 1.005},
    Regula{T, 3, -67, Rodzaj::Stala, 1.0},       Regula{T, 3, -68, Rodzaj::Obliczona, 1.02},
    Regula{T, 3, -200, Rodzaj::Obliczona, 3.0},
    Regula{E, 1, 800, Rodzaj::Obliczona, 3.2},   Regula{E, 1, 800.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{E, 2, 900, Rodzaj::Obliczona, 6.75},  Regula{E, 2, 900.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{E, 3, -167, Rodzaj::Stala, 2.5},      Regula{E, 3, -200.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{N, 1, 375, Rodzaj::Stala, 1.5},       Regula{N, 1, 1000, Rodzaj::Obliczona, 4.0},
    Regula{N, 2, 1200, Rodzaj::Obliczona, 9.0},  Regula{N, 3, 40.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{B, 1, 1000, Rodzaj::Nieklasyfikowana, 0},
    Regula{B, 2, 600, Rodzaj::Obliczona, 1.5},   Regula{B, 2, 599.999, Rodzaj::PozaKlasyfikacja, 0},
    Regula{B, 2, 1700, Rodzaj::Obliczona, 4.25}, Regula{B, 2, 1700.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{B, 3, 600, Rodzaj::Stala, 4.0},       Regula{B, 3, 800, Rodzaj::Stala, 4.0},
    Regula{B, 3, 801, Rodzaj::Obliczona, 4.005}, Regula{B, 3, 1700, Rodzaj::Obliczona, 8.5},
    Regula{R, 1, 0, Rodzaj::Stala, 1.0},         Regula{R, 1, -0.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{R, 1, 1100, Rodzaj::Stala, 1.0},      Regula{R, 1, 1101, Rodzaj::Obliczona, 1.003},
    Regula{R, 1, 1600, Rodzaj::Obliczona, 2.5},  Regula{R, 1, 1600.001, Rodzaj::PozaKlasyfikacja, 0},
    Regula{R, 2, 600, Rodzaj::Stala, 1.5},       Regula{R, 2, 601, Rodzaj::Obliczona, 1.5025},
    Regula{R, 3, 100, Rodzaj::Nieklasyfikowana, 0},
    Regula{S, 1, 1350, Rodzaj::Obliczona, 1.75}, Regula{S, 2, 1600, Rodzaj::Obliczona, 4.0},
    Regula{S, 3, 100, Rodzaj::Nieklasyfikowana, 0},
    // Neither a class nor a type outside the table classifies anything.
    Regula{K, 0, 100, Rodzaj::Nieklasyfikowana, 0},
    Regula{K, 4, 100, Rodzaj::Nieklasyfikowana, 0},
    Regula{-1, 1, 100, Rodzaj::Nieklasyfikowana, 0},
    Regula{8, 1, 100, Rodzaj::Nieklasyfikowana, 0},
    // NaN is in no range.
    Regula{K, 1, std::numeric_limits<double>::quiet_NaN(), Rodzaj::PozaKlasyfikacja, 0},
    Regula{J, 3, std::numeric_limits<double>::quiet_NaN(), Rodzaj::Nieklasyfikowana, 0}));
// clang-format on

// The computed deviation meets the fixed one at each crossover, to within the
// crossover's rounding to a whole degree.
TEST(DopuszczalnyBlad, FixedAndComputedMeetAtTheCrossover) {
    struct Prog {
        std::int16_t typ;
        int klasa;
        double prog;
        double krok;  // towards the computed side
    };
    const Prog progi[] = {{J, 1, 375, 1},   {J, 2, 333, 1},   {K, 1, 375, 1},   {K, 2, 333, 1},
                          {K, 3, -167, -1}, {T, 1, 125, 1},   {T, 2, 133, 1},   {T, 3, -67, -1},
                          {E, 1, 375, 1},   {E, 2, 333, 1},   {E, 3, -167, -1}, {N, 1, 375, 1},
                          {N, 2, 333, 1},   {N, 3, -167, -1}, {B, 3, 800, 1},   {R, 1, 1100, 1},
                          {R, 2, 600, 1},   {S, 1, 1100, 1},  {S, 2, 600, 1}};
    for (const auto& p : progi) {
        const calculations::Odchylka stala = calculations::DopuszczalnyBlad(p.typ, p.klasa, p.prog);
        const calculations::Odchylka obliczona =
            calculations::DopuszczalnyBlad(p.typ, p.klasa, p.prog + p.krok * 1e-6);
        ASSERT_EQ(stala.rodzaj, Rodzaj::Stala) << "type " << p.typ << " class " << p.klasa;
        ASSERT_EQ(obliczona.rodzaj, Rodzaj::Obliczona) << "type " << p.typ << " class " << p.klasa;
        EXPECT_NEAR(obliczona.wartosc, stala.wartosc, 0.01)
            << "type " << p.typ << " class " << p.klasa;
    }
}

}  // namespace
