// "EMF --- > Temperatura" (Command3_Click).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "fake_window.h"
#include "its90.h"
#include "limity_okna.h"
#include "obliczenia.h"
#include "termopara.h"
#include "typ_termopary.h"

namespace {

using Ops = std::vector<Operacja>;

constexpr const char* kStary = "stary wynik";
constexpr const char* kEmfNienumeryczna = "Niepoprawna wartość numeryczna EMF";
constexpr const char* kZimneNienumeryczne = "Niepoprawna wartość numeryczna zimnego złącza";
constexpr const char* kPrzesada = "Czy nie przesadziłeś z tą temperaturą zimnego złącza?";
constexpr const char* kEmfPozaZakresem = "Wartość EMF poza zakresem";

enum Typ : std::int16_t { J, K, T, E, N, B, R, S };

FakeWindow kliknij(std::int16_t typ, const std::string& emf, const std::string& zimne) {
    FakeWindow okno;
    okno.pola[calculations::Box::Text3_0] = emf;
    okno.pola[calculations::Box::Text3_1] = zimne;
    okno.pola[calculations::Box::Text3_2] = kStary;
    engine::Termopara termopara;
    termopara.Typ = typ;
    calculations::Command3_Click(okno, termopara);
    return okno;
}

struct Odrzucenie {
    std::string opis;
    std::int16_t typ;
    std::string emf;
    std::string zimne;
    const char* komunikat;
    calculations::Box fokus;
};

// GoogleTest would otherwise print the raw bytes, the unused (uninitialised)
// parts of short strings' buffers included.
void PrintTo(const Odrzucenie& p, std::ostream* os) {
    *os << p.opis;
}

class Command3Refuses : public ::testing::TestWithParam<Odrzucenie> {};

TEST_P(Command3Refuses, FirstFailingCheckIsReported) {
    const auto& p = GetParam();
    const FakeWindow okno = kliknij(p.typ, p.emf, p.zimne);
    EXPECT_EQ(okno.operacje, (Ops{Operacja::komunikat(p.komunikat), Operacja::fokus(p.fokus)}));
    EXPECT_EQ(okno.text(calculations::Box::Text3_2), kStary);
    EXPECT_EQ(okno.text(calculations::Box::Text3_0), p.emf);
    EXPECT_EQ(okno.text(calculations::Box::Text3_1), p.zimne);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CheckOrder, Command3Refuses, ::testing::Values(
    Odrzucenie{"emf_empty", J, "", "0", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"emf_text_before_empty_cold_junction", J, "abc", "", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"emf_full_stop", J, "4.25", "20", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"emf_inf", J, "inf", "0", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"emf_nan", J, "NaN", "0", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"emf_overflow", J, "1e400", "0", kEmfNienumeryczna, calculations::Box::Text3_0},
    Odrzucenie{"cold_junction_empty_is_not_zero", J, "4,25", "", kZimneNienumeryczne, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_text", J, "4,25", "x", kZimneNienumeryczne, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_nan", J, "4,25", "nan", kZimneNienumeryczne, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_text_before_emf_range", J, "999", "abc", kZimneNienumeryczne, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_below", J, "4,25", "-30,1", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_above", J, "4,25", "80,5", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_just_below", J, "4,25", "-30,0001", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_just_above", J, "4,25", "80,0001", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_before_emf_range", J, "999", "80,5", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"cold_junction_range_before_type", 42, "4,25", "-31", kPrzesada, calculations::Box::Text3_1},
    Odrzucenie{"b_below_its_emf_range", B, "0,2", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"k_at_minus_250_degrees", K, "-6,4036", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"j_above_with_warm_junction", J, "69,554", "80", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"j_above_with_cold_junction", J, "69,554", "-30", kEmfPozaZakresem, calculations::Box::Text3_0}),
    [](const auto& przypadek) { return przypadek.param.opis; });

// The next step of 0,001 mV beyond each type's EMF limits.
INSTANTIATE_TEST_SUITE_P(EmfLimits, Command3Refuses, ::testing::Values(
    Odrzucenie{"j_low", J, "-8,096", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"j_high", J, "69,554", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"k_low", K, "-5,892", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"k_high", K, "54,887", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"t_low", T, "-5,604", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"t_high", T, "20,873", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"e_low", E, "-8,826", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"e_high", E, "76,374", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"n_low", N, "-3,991", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"n_high", N, "47,514", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"b_low", B, "0,29", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"b_high", B, "13,821", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"r_low", R, "-0,227", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"r_high", R, "21,104", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"s_low", S, "-0,236", "0", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"s_high", S, "18,694", "0", kEmfPozaZakresem, calculations::Box::Text3_0}),
    [](const auto& przypadek) { return przypadek.param.opis; });
// The cold junction's EMF carries the sum past the inverse domain, where the
// polynomials extrapolate (J to -353 °C, below absolute zero; K to 1471 °C).
INSTANTIATE_TEST_SUITE_P(CompensatedSum, Command3Refuses, ::testing::Values(
    Odrzucenie{"j_bottom_cold_junction_minus_30", J, "-8,095", "-30", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"j_top_cold_junction_80", J, "69,553", "80", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"k_top_cold_junction_80", K, "54,886", "80", kEmfPozaZakresem, calculations::Box::Text3_0},
    Odrzucenie{"b_bottom_cold_junction_20", B, "0,291", "20", kEmfPozaZakresem, calculations::Box::Text3_0}),
    [](const auto& przypadek) { return przypadek.param.opis; });
// clang-format on

struct Przeliczenie {
    std::string opis;
    std::int16_t typ;
    std::string emf;
    std::string zimne;
    std::string temperatura;
};

void PrintTo(const Przeliczenie& p, std::ostream* os) {
    *os << p.opis;
}

class Command3Converts : public ::testing::TestWithParam<Przeliczenie> {};

TEST_P(Command3Converts, WritesOnlyTheTemperatureBox) {
    const auto& p = GetParam();
    const FakeWindow okno = kliknij(p.typ, p.emf, p.zimne);
    EXPECT_EQ(okno.operacje, (Ops{Operacja::ustaw(calculations::Box::Text3_2, p.temperatura)}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ReferenceValues, Command3Converts, ::testing::Values(
    Przeliczenie{"j_cold_junction_20", J, "4,25", "20", "100,02"},
    Przeliczenie{"j_back_from_100_degrees", J, "5,2689", "0", "100,02"},
    Przeliczenie{"j_zero_emf_shows_inverse_deviation", J, "0", "20", "19,97"},
    Przeliczenie{"j_top", J, "69,553", "0", "1199,96"},
    Przeliczenie{"k", K, "41,276", "0", "999,99"},
    Przeliczenie{"t_top", T, "20,872", "0", "399,98"},
    Przeliczenie{"e_top", E, "76,373", "0", "1000,02"},
    Przeliczenie{"n_top", N, "47,513", "0", "1299,97"},
    Przeliczenie{"b_bottom", B, "0,291", "0", "249,92"},
    Przeliczenie{"b_top", B, "13,82", "0", "1819,96"},
    Przeliczenie{"r_shared_bound", R, "1,923", "0", "249,96"},
    Przeliczenie{"r_top", R, "21,103", "0", "1768,12"},
    Przeliczenie{"s_first_set_end", S, "1,874", "0", "250,06"},
    Przeliczenie{"s_top", S, "18,693", "0", "1768,05"},
    Przeliczenie{"s_bottom", S, "-0,235", "0", "-49,84"},
    Przeliczenie{"j_bottom_bound_included", J, "-8,095", "0", "-209,95"},
    Przeliczenie{"k_top_bound_included", K, "54,886", "0", "1372,04"},
    // B's EMF rises below 0 °C: its few microvolts keep the sum inside.
    Przeliczenie{"b_bottom_cold_junction_minus_30", B, "0,291", "-30", "254,89"}),
    [](const auto& przypadek) { return przypadek.param.opis; });
// clang-format on

// Each EMF limit is accepted with the cold junction at 0 °C. With the cold
// junction at either of its limits a result is either refused as out of range
// or lies within the type's temperatures (to the inverse sets' own 0,1 °C):
// never an extrapolated number.
TEST(Command3, LimitsNeverExtrapolate) {
    const std::regex wzorzec(R"(^-?\d+,\d{2}$)");
    const FakeWindow liczby;
    for (const engine::TypTermopary t : engine::kWszystkieTypy) {
        const auto typ = static_cast<std::int16_t>(indeks(t));
        const engine::Zakres u = engine::dziedzinaOdwrotnej(t);
        // Temperatures of the inverse domain's ends.
        const double tMin = engine::temperaturaZEmf(t, u.od);
        const double tMax = engine::temperaturaZEmf(t, u.doo);
        const auto granice = calculations::emfOkna(t);
        // Whole µV as typed, rounded inwards: the exact inverse's ends (C, A) are not.
        for (const double mv : {std::ceil(granice.od * 1000.0 - 1e-6) / 1000.0,
                                std::floor(granice.doo * 1000.0 + 1e-6) / 1000.0}) {
            const std::string emf = liczby.format(mv, "0.000");
            for (const char* zimne : {"-30", "0", "20", "80"}) {
                const FakeWindow okno = kliknij(typ, emf, zimne);
                const auto opis = ::testing::Message()
                                  << "type " << typ << ", " << emf << " mV, " << zimne << " °C";
                if (okno.komunikaty().empty()) {
                    ASSERT_EQ(okno.operacje.size(), 1u) << opis;
                    const std::string& wynik = okno.operacje[0].tekst;
                    EXPECT_TRUE(std::regex_match(wynik, wzorzec)) << opis << ": " << wynik;
                    EXPECT_GE(okno.toDouble(wynik), tMin - 0.01) << opis;
                    EXPECT_LE(okno.toDouble(wynik), tMax + 0.01) << opis;
                } else {
                    EXPECT_NE(std::string(zimne), "0") << opis;
                    EXPECT_EQ(okno.operacje, (Ops{Operacja::komunikat(kEmfPozaZakresem),
                                                  Operacja::fokus(calculations::Box::Text3_0)}))
                        << opis;
                }
            }
        }
    }
}

// With no measured voltage the measuring junction is at the cold junction's
// temperature, to within the inverse sets' own deviation.
// The result's tooltip: NIST's sub-range for the compensated EMF, its band,
// and the exact inverse; none after a refusal.
TEST(Command3, ResultExplained) {
    struct Przypadek {
        std::int16_t typ;
        const char* emf;
        const char* zimne;
        const char* objasnienie;
    };
    const Przypadek przypadki[] = {
        {K, "4,096", "0",
         "Wielomian odwrotny NIST: podzakres 2 z 3, od 0,000 mV do 20,644 mV\n"
         "Błąd wielomianu: od -0,05 °C do 0,04 °C\nDokładna odwrotność: 99,9944 °C"},
        {R, "19,7", "25",
         "Wielomian odwrotny NIST: podzakres 4 z 4, od 19,739 mV do 21,103 mV\n"
         "Błąd wielomianu: od -0,001 °C do 0,002 °C\nDokładna odwrotność: 1671,9332 °C"},
        // NIST's top EMF for T lies 0,03 µV past E(400 °C).
        {T, "20,872", "0",
         "Wielomian odwrotny NIST: podzakres 2 z 2, od 0,000 mV do 20,872 mV\n"
         "Błąd wielomianu: od -0,03 °C do 0,03 °C\n"
         "Dokładna odwrotność: poza zakresem funkcji odniesienia"},
        {J, "-1", "-30",
         "Wielomian odwrotny NIST: podzakres 1 z 3, od -8,095 mV do 0,000 mV\n"
         "Błąd wielomianu: od -0,05 °C do 0,03 °C\nDokładna odwrotność: -51,0802 °C"},
    };
    for (const auto& p : przypadki) {
        const FakeWindow okno = kliknij(p.typ, p.emf, p.zimne);
        EXPECT_EQ(okno.objasnienia.at(calculations::Box::Text3_2), p.objasnienie) << p.emf;
    }
    EXPECT_TRUE(kliknij(K, "60", "0").objasnienia.empty());
}

TEST(Command3, ZeroEmfGivesTheColdJunctionTemperature) {
    for (const std::int16_t typ : {J, K, T, E, N, R, S}) {
        for (const char* zimne : {"-30", "0", "25", "80"}) {
            const FakeWindow okno = kliknij(typ, "0", zimne);
            ASSERT_EQ(okno.operacje.size(), 1u) << "type " << typ << " at " << zimne;
            EXPECT_NEAR(okno.toDouble(okno.operacje[0].tekst), okno.toDouble(zimne), 0.05)
                << "type " << typ << " at " << zimne << ": " << okno.operacje[0].tekst;
        }
    }
}

TEST(Command3, TypeOutsideCatalogueDoesNothing) {
    for (const std::int16_t typ :
         {std::int16_t{-1}, std::int16_t{10}, std::numeric_limits<std::int16_t>::min(),
          std::numeric_limits<std::int16_t>::max()}) {
        const FakeWindow okno = kliknij(typ, "4,25", "20");
        EXPECT_TRUE(okno.operacje.empty()) << "type " << typ;
        EXPECT_EQ(okno.text(calculations::Box::Text3_2), kStary);
    }
}

TEST(Command3, FailureAfterSuccessKeepsTheOldResult) {
    FakeWindow okno;
    engine::Termopara termopara;
    termopara.Typ = J;
    okno.pola[calculations::Box::Text3_0] = "4,25";
    okno.pola[calculations::Box::Text3_1] = "20";
    calculations::Command3_Click(okno, termopara);
    ASSERT_EQ(okno.text(calculations::Box::Text3_2), "100,02");
    okno.pola[calculations::Box::Text3_1] = "100";
    calculations::Command3_Click(okno, termopara);
    EXPECT_EQ(okno.text(calculations::Box::Text3_2), "100,02");
    EXPECT_EQ(okno.komunikaty(), (std::vector<std::string>{kPrzesada}));
    EXPECT_EQ(termopara.Typ, J);
}

}  // namespace
