#include "tolerancja.h"

#include <cmath>

#include "obliczenia.h"

namespace calculations {

namespace {

constexpr double kLuzStopnia = 1e-12;  // relative

}  // namespace

std::optional<double> odchylkaWJednostce(engine::TypTermopary typ, int klasa, double t,
                                         conversions::JednostkaTemperatury j) {
    // The classes end on whole degrees Celsius, which a conversion from °F
    // or K may miss by an ulp (1273.15 K).
    double c = conversions::naCelsjusza(t, j);
    if (std::fabs(c - std::round(c)) <= kLuzStopnia * std::fabs(c)) c = std::round(c);
    const Odchylka d = DopuszczalnyBlad(typ, klasa, c);
    if (d.rodzaj != Odchylka::Rodzaj::Stala && d.rodzaj != Odchylka::Rodzaj::Obliczona) {
        return std::nullopt;
    }
    // A deviation is a width: one kelvin is wKelwinie() degrees of the unit.
    return d.wartosc * conversions::wKelwinie(j);
}

}  // namespace calculations
