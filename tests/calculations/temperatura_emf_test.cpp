// "Temperatura --- > EMF" (Command2_Click).
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "fake_window.h"
#include "limity_okna.h"
#include "obliczenia.h"
#include "termopara.h"
#include "typ_termopary.h"

namespace {

using Ops = std::vector<Operacja>;

constexpr const char* kStary = "stary wynik";
constexpr const char* kNienumeryczna = "Niepoprawna wartość numeryczna";
constexpr const char* kPozaZakresem = "Temperatura poza zakresem";

enum Typ : std::int16_t { J, K, T, E, N, B, R, S };

FakeWindow kliknij(std::int16_t typ, const std::string& temperatura,
                   const std::string& zimne = "0") {
    FakeWindow okno;
    okno.pola[calculations::Box::Text2_0] = temperatura;
    okno.pola[calculations::Box::Text2_1] = zimne;
    okno.pola[calculations::Box::Text2_2] = kStary;
    engine::Termopara termopara;
    termopara.Typ = typ;
    calculations::Command2_Click(okno, termopara);
    return okno;
}

void oczekujBledu(const FakeWindow& okno, const std::string& komunikat,
                  const std::string& wpisany) {
    EXPECT_EQ(okno.operacje,
              (Ops{Operacja::komunikat(komunikat), Operacja::fokus(calculations::Box::Text2_0)}));
    EXPECT_EQ(okno.text(calculations::Box::Text2_2), kStary);
    EXPECT_EQ(okno.text(calculations::Box::Text2_0), wpisany);
}

struct Odrzucenie {
    std::int16_t typ;
    std::string tekst;
    const char* komunikat;
};

// GoogleTest would otherwise print the raw bytes, the unused (uninitialised)
// parts of short strings' buffers included.
void PrintTo(const Odrzucenie& p, std::ostream* os) {
    *os << "typ " << p.typ << " \"" << p.tekst << '"';
}

class Command2Refuses : public ::testing::TestWithParam<Odrzucenie> {};

TEST_P(Command2Refuses, ReportsFocusesAndKeepsTheResult) {
    const auto& p = GetParam();
    oczekujBledu(kliknij(p.typ, p.tekst), p.komunikat, p.tekst);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(NotNumeric, Command2Refuses, ::testing::Values(
    Odrzucenie{J, "", kNienumeryczna},
    Odrzucenie{J, " ", kNienumeryczna},
    Odrzucenie{J, "abc", kNienumeryczna},
    Odrzucenie{J, "1.5", kNienumeryczna},
    Odrzucenie{J, "inf", kNienumeryczna},
    Odrzucenie{J, "nan", kNienumeryczna},
    Odrzucenie{J, "1e400", kNienumeryczna},
    // The numeric test comes before the type is looked at.
    Odrzucenie{-1, "abc", kNienumeryczna},
    Odrzucenie{8, "", kNienumeryczna}));

// Each type's limits are accepted (see below); the next step beyond is not.
INSTANTIATE_TEST_SUITE_P(OutOfRange, Command2Refuses, ::testing::Values(
    Odrzucenie{J, "-210,0001", kPozaZakresem}, Odrzucenie{J, "1200,0001", kPozaZakresem},
    Odrzucenie{K, "-270,0001", kPozaZakresem}, Odrzucenie{K, "1372,0001", kPozaZakresem},
    Odrzucenie{T, "-270,0001", kPozaZakresem}, Odrzucenie{T, "400,0001", kPozaZakresem},
    Odrzucenie{E, "-200,0001", kPozaZakresem}, Odrzucenie{E, "1000,0001", kPozaZakresem},
    Odrzucenie{N, "-270,0001", kPozaZakresem}, Odrzucenie{N, "1300,0001", kPozaZakresem},
    Odrzucenie{B, "-0,0001", kPozaZakresem},   Odrzucenie{B, "1820,0001", kPozaZakresem},
    Odrzucenie{R, "-50,0001", kPozaZakresem},  Odrzucenie{R, "1768,0001", kPozaZakresem},
    Odrzucenie{S, "-50,0001", kPozaZakresem},  Odrzucenie{S, "1768,0001", kPozaZakresem},
    // Type E stops at -200 although K takes -250.
    Odrzucenie{E, "-250", kPozaZakresem},
    // The engine's domain reaches 1768.1 for R and S; the calculation does not.
    Odrzucenie{R, "1768,1", kPozaZakresem},
    Odrzucenie{J, "1e300", kPozaZakresem},
    Odrzucenie{J, "-1e300", kPozaZakresem}));
// clang-format on

struct Przeliczenie {
    std::int16_t typ;
    std::string temperatura;
    std::string emf;
};

void PrintTo(const Przeliczenie& p, std::ostream* os) {
    *os << "typ " << p.typ << ' ' << p.temperatura;
}

class Command2Converts : public ::testing::TestWithParam<Przeliczenie> {};

TEST_P(Command2Converts, WritesOnlyTheEmfBox) {
    const auto& p = GetParam();
    const FakeWindow okno = kliknij(p.typ, p.temperatura);
    EXPECT_EQ(okno.operacje, (Ops{Operacja::ustaw(calculations::Box::Text2_2, p.emf)}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ReferenceValues, Command2Converts, ::testing::Values(
    Przeliczenie{J, "100", "5,2689"},
    Przeliczenie{J, "-30", "-1,4816"},
    Przeliczenie{J, "760", "42,9186"},
    Przeliczenie{K, "100", "4,0962"},
    Przeliczenie{K, "1000", "41,2756"},
    Przeliczenie{K, "-250", "-6,4036"},
    Przeliczenie{T, "-270", "-6,2575"},
    Przeliczenie{N, "1300", "47,5128"},
    Przeliczenie{B, "0", "0,0000"},
    Przeliczenie{B, "630,615", "1,9784"},
    Przeliczenie{S, "-50", "-0,2356"},
    Przeliczenie{J, "0", "0,0000"},
    // Qt's parser takes exponents; the value is what counts.
    Przeliczenie{J, "1e2", "5,2689"}));
// clang-format on

TEST(Command2, ColdJunctionBoxHasNoEffect) {
    for (const char* zimne : {"0", "20", "80", "", "abc"}) {
        EXPECT_EQ(kliknij(J, "100", zimne).operacje,
                  (Ops{Operacja::ustaw(calculations::Box::Text2_2, "5,2689")}))
            << "cold junction box: " << zimne;
    }
}

// Both limits are accepted, and the result's tooltip gives the Seebeck
// coefficient there.
TEST(Command2, EveryTypeAcceptsBothOfItsLimits) {
    const std::regex wzorzec(R"(^-?\d+,\d{4}$)");
    const std::regex objasnienie(R"(^Współczynnik Seebecka: -?\d+,\d{3} µV/°C$)");
    const FakeWindow liczby;
    for (const engine::TypTermopary t : engine::kWszystkieTypy) {
        const auto typ = static_cast<std::int16_t>(indeks(t));
        const auto granice = calculations::temperaturaOkna(t);
        for (const double x : {granice.od, granice.doo}) {
            const FakeWindow okno = kliknij(typ, liczby.format(x, "0.0"));
            ASSERT_EQ(okno.operacje.size(), 1u) << "type " << typ << " at " << x;
            EXPECT_EQ(okno.operacje[0].rodzaj, Operacja::Rodzaj::SetText);
            EXPECT_EQ(okno.operacje[0].pole, calculations::Box::Text2_2);
            EXPECT_TRUE(std::regex_match(okno.operacje[0].tekst, wzorzec))
                << "type " << typ << " at " << x << ": " << okno.operacje[0].tekst;
            EXPECT_TRUE(
                std::regex_match(okno.objasnienia.at(calculations::Box::Text2_2), objasnienie))
                << okno.objasnienia.at(calculations::Box::Text2_2);
        }
    }
    EXPECT_EQ(kliknij(K, "0").objasnienia.at(calculations::Box::Text2_2),
              "Współczynnik Seebecka: 39,450 µV/°C");
    EXPECT_TRUE(kliknij(K, "1400").objasnienia.empty());
}

TEST(Command2, TypeOutsideCatalogueDoesNothing) {
    for (const std::int16_t typ :
         {std::int16_t{-1}, std::int16_t{10}, std::numeric_limits<std::int16_t>::min(),
          std::numeric_limits<std::int16_t>::max()}) {
        const FakeWindow okno = kliknij(typ, "100");
        EXPECT_TRUE(okno.operacje.empty()) << "type " << typ;
        EXPECT_EQ(okno.text(calculations::Box::Text2_2), kStary);
    }
}

TEST(Command2, FailureAfterSuccessKeepsTheOldResult) {
    FakeWindow okno;
    engine::Termopara termopara;
    termopara.Typ = J;
    okno.pola[calculations::Box::Text2_0] = "100";
    calculations::Command2_Click(okno, termopara);
    ASSERT_EQ(okno.text(calculations::Box::Text2_2), "5,2689");
    for (const char* zly : {"abc", "5000"}) {
        okno.pola[calculations::Box::Text2_0] = zly;
        calculations::Command2_Click(okno, termopara);
        EXPECT_EQ(okno.text(calculations::Box::Text2_2), "5,2689") << zly;
    }
    EXPECT_EQ(okno.komunikaty(), (std::vector<std::string>{kNienumeryczna, kPozaZakresem}));
    EXPECT_EQ(termopara.Typ, J);
}

}  // namespace
