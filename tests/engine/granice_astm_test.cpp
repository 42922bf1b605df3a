#include "granice_astm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

using engine::KlasaAstm;
using engine::TypTermopary;

constexpr std::optional<double> kBrak = std::nullopt;

struct Przypadek {
    TypTermopary typ;
    double t;
    std::optional<double> standardowa;
    std::optional<double> specjalna;
};

// Both sides of each crossover and range end, 0 °C where two rows meet, and
// the types and ranges the standard leaves out.
constexpr Przypadek kPrzypadki[] = {
    {TypTermopary::K, 0.0, 2.2, 1.1},        {TypTermopary::K, 293.0, 2.2, 1.172},
    {TypTermopary::K, 550.0, 4.125, 2.2},    {TypTermopary::K, 1260.0, 9.45, 5.04},
    {TypTermopary::K, 1261.0, kBrak, kBrak}, {TypTermopary::K, -100.0, 2.2, kBrak},
    {TypTermopary::K, -150.0, 3.0, kBrak},   {TypTermopary::K, -201.0, kBrak, kBrak},
    {TypTermopary::N, -10.0, kBrak, kBrak},  {TypTermopary::N, 1000.0, 7.5, 4.0},
    {TypTermopary::T, 0.0, 1.0, 0.5},        {TypTermopary::T, -200.0, 3.0, kBrak},
    {TypTermopary::T, 370.0, 2.775, 1.48},   {TypTermopary::J, 760.0, 5.7, 3.04},
    {TypTermopary::E, 870.0, 4.35, 3.48},    {TypTermopary::E, -100.0, 1.7, kBrak},
    {TypTermopary::E, -200.0, 2.0, kBrak},   {TypTermopary::R, 1480.0, 3.7, 1.48},
    {TypTermopary::S, 100.0, 1.5, 0.6},      {TypTermopary::B, 869.0, kBrak, kBrak},
    {TypTermopary::B, 1000.0, 5.0, 2.5},     {TypTermopary::B, 1700.0, 8.5, 4.25},
    {TypTermopary::C, 0.0, 4.5, kBrak},      {TypTermopary::C, 2315.0, 23.15, kBrak},
    {TypTermopary::A, 1500.0, kBrak, kBrak},
};

void porownaj(std::optional<double> jest, std::optional<double> oczekiwana, const char* klasa,
              const Przypadek& p) {
    ASSERT_EQ(jest.has_value(), oczekiwana.has_value())
        << litera(p.typ) << " " << p.t << " " << klasa;
    if (jest) {
        EXPECT_NEAR(*jest, *oczekiwana, 1e-12) << litera(p.typ) << " " << p.t << " " << klasa;
    }
}

TEST(GraniceAstm, TableRows) {
    for (const Przypadek& p : kPrzypadki) {
        porownaj(granicaAstm(p.typ, KlasaAstm::Standardowa, p.t), p.standardowa, "standard", p);
        porownaj(granicaAstm(p.typ, KlasaAstm::Specjalna, p.t), p.specjalna, "special", p);
    }
    EXPECT_FALSE(granicaAstm(TypTermopary::K, KlasaAstm::Standardowa, std::nan("")));
}

}  // namespace
