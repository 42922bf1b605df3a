#include "tolerancja.h"

#include <cmath>

#include "its90.h"
#include "przeliczenia.h"

namespace conversions {

namespace {

constexpr double kLuzStopnia = 1e-12;  // relative

// The classes and limits end on whole degrees Celsius, which a conversion
// from °F or K may miss by an ulp (1273.15 K).
double wCelsjuszach(double t, JednostkaTemperatury j) {
    const double c = naCelsjusza(t, j);
    return std::fabs(c - std::round(c)) <= kLuzStopnia * std::fabs(c) ? std::round(c) : c;
}

}  // namespace

std::optional<double> granicaAstmWJednostce(engine::TypTermopary typ, engine::KlasaAstm klasa,
                                            double t, JednostkaTemperatury j) {
    const auto g = engine::granicaAstm(typ, klasa, wCelsjuszach(t, j));
    if (!g) return std::nullopt;
    return *g * wKelwinie(j);
}

std::optional<double> odchylkaWJednostce(engine::TypTermopary typ, int klasa, double t,
                                         JednostkaTemperatury j) {
    const double c = wCelsjuszach(t, j);
    const engine::Odchylka d = engine::odchylka(typ, klasa, c);
    if (d.rodzaj != engine::Odchylka::Rodzaj::Stala &&
        d.rodzaj != engine::Odchylka::Rodzaj::Obliczona) {
        return std::nullopt;
    }
    // A deviation is a width: one kelvin is wKelwinie() degrees of the unit.
    return d.wartosc * wKelwinie(j);
}

}  // namespace conversions
