#include "tolerancja.h"

#include <cmath>

#include "obliczenia.h"

namespace calculations {

namespace {

constexpr double kLuzStopnia = 1e-12;  // relative

// The classes and limits end on whole degrees Celsius, which a conversion
// from °F or K may miss by an ulp (1273.15 K).
double wCelsjuszach(double t, conversions::JednostkaTemperatury j) {
    const double c = conversions::naCelsjusza(t, j);
    return std::fabs(c - std::round(c)) <= kLuzStopnia * std::fabs(c) ? std::round(c) : c;
}

}  // namespace

std::optional<double> granicaAstmWJednostce(engine::TypTermopary typ, engine::KlasaAstm klasa,
                                            double t, conversions::JednostkaTemperatury j) {
    const auto g = engine::granicaAstm(typ, klasa, wCelsjuszach(t, j));
    if (!g) return std::nullopt;
    return *g * conversions::wKelwinie(j);
}

std::optional<double> odchylkaWJednostce(engine::TypTermopary typ, int klasa, double t,
                                         conversions::JednostkaTemperatury j) {
    const double c = wCelsjuszach(t, j);
    const Odchylka d = DopuszczalnyBlad(typ, klasa, c);
    if (d.rodzaj != Odchylka::Rodzaj::Stala && d.rodzaj != Odchylka::Rodzaj::Obliczona) {
        return std::nullopt;
    }
    // A deviation is a width: one kelvin is wKelwinie() degrees of the unit.
    return d.wartosc * conversions::wKelwinie(j);
}

}  // namespace calculations
