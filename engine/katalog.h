#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "podzakresy.h"

// The catalogue: one row per thermocouple type holding every fact about the
// type that the program uses. Everything else that lists the types (the
// letters, the type menu, the per-type tables of the engine) is derived from
// it, so a new type is one value of TypTermopary, one row here and its
// coefficient sets (podzakresy.h). Texts are UTF-8 display texts.
namespace engine {

// The types in catalogue order; a type's value is its catalogue index.
enum class TypTermopary : std::uint8_t { J, K, T, E, N, B, R, S, C, A };

// Both ends included; NaN lies outside.
struct Zakres {
    double od;
    double doo;

    [[nodiscard]] constexpr bool zawiera(double x) const { return x >= od && x <= doo; }
};

// The four texts the window shows in its panel "Info".
struct Opis {
    std::string_view nazwa;
    std::string_view sklad;
    std::string_view symbol;
    std::string_view zakres;
};

// One IEC 60584-1 tolerance class of a type, °C. Outside the fixed side the
// deviation is a + b * (|t| - c): plain b * |t| with a = c = 0, and
// 1 + 0.003 * (t - 1100) for class 1 of R and S (where t is never negative).
struct RegulaTolerancji {
    enum class Strona : std::uint8_t {
        Brak,     // no fixed deviation
        DoProgu,  // fixed from the lowest temperature up to the crossover
        OdProgu,  // fixed from the crossover up to the highest temperature
    };

    bool klasyfikowana = false;
    Zakres zakres{0.0, 0.0};
    Strona strona = Strona::Brak;
    double stala = 0.0;
    double prog = 0.0;
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
};

namespace tolerancja {

inline constexpr RegulaTolerancji kBrak{};

constexpr RegulaTolerancji stalaDo(double od, double doo, double stala, double prog, double b) {
    return {true, {od, doo}, RegulaTolerancji::Strona::DoProgu, stala, prog, 0.0, b, 0.0};
}
constexpr RegulaTolerancji stalaOd(double od, double doo, double stala, double prog, double b) {
    return {true, {od, doo}, RegulaTolerancji::Strona::OdProgu, stala, prog, 0.0, b, 0.0};
}
constexpr RegulaTolerancji bezStalej(double od, double doo, double b) {
    return {true, {od, doo}, RegulaTolerancji::Strona::Brak, 0.0, 0.0, 0.0, b, 0.0};
}
// Class 1 of R and S: 1 °C up to 1100 °C, then 1 + 0.003 * (t - 1100).
inline constexpr RegulaTolerancji kPlatynowaKlasa1{
    true, {0, 1600}, RegulaTolerancji::Strona::DoProgu, 1.0, 1100, 1.0, 0.003, 1100};

}  // namespace tolerancja

inline constexpr std::size_t kLiczbaKlas = 3;

struct WierszKatalogu {
    TypTermopary typ;
    char litera;
    Opis opis;
    std::span<const Przedzial> referencyjne;          // °C, the reference function
    std::span<const Przedzial> odwrotne;              // µV, NIST's inverse polynomials
    std::array<RegulaTolerancji, kLiczbaKlas> klasy;  // classes 1, 2, 3
    std::size_t pozycjaWMenu;                         // the type menu's own order (S before R)
    // E(0 °C) in µV of a reference function that does not pass through zero
    // there; a cold junction at tc adds E(tc) - E(0 °C). The eight types' are
    // zero by definition (type K's sum gives 2e-6 µV by rounding alone).
    double emfPunktuLodu = 0.0;
};

// clang-format off
inline constexpr auto kKatalog = [] {
    using namespace tolerancja;
    using T = TypTermopary;
    return std::to_array<WierszKatalogu>({
    {T::J, 'J', {"Termopara J", "Żelazo/miedź-nikiel lub żelazo/konstantan", "Fe-CuNi",
                 "-210°C do 1200°C (-8.095 mV do 69.553 mV)"},
     kRefJ, kOdwJ,
     {stalaDo(-40, 750, 1.5, 375, 0.004), stalaDo(-40, 750, 2.5, 333, 0.0075), kBrak}, 0},
    {T::K, 'K', {"Termopara K", "Nikiel-chrom/nikiel-aluminium\"", "NiCr-NiAl",
                 "-270°C do 1372°C (-5.891 mV do 54.886 mV)"},
     kRefK, kOdwK,
     {stalaDo(-40, 1000, 1.5, 375, 0.004), stalaDo(-40, 1200, 2.5, 333, 0.0075),
      stalaOd(-200, 40, 2.5, -167, 0.015)}, 1},
    {T::T, 'T', {"Termopara T", "Miedź/miedź-nikiel lub miedź/konstantan", "Cu-CuNi",
                 "-270°C do 400°C (-5.603 mV do 20.872 mV)"},
     kRefT, kOdwT,
     {stalaDo(-40, 350, 0.5, 125, 0.004), stalaDo(-40, 350, 1.0, 133, 0.0075),
      stalaOd(-200, 40, 1.0, -67, 0.015)}, 2},
    {T::E, 'E', {"Termopara E", "Nikiel-chrom/miedź-nikiel lub nikiel-chrom/konstantan",
                 "NiCr-CuNi", "-270°C do 1000°C (-8.825 mV do 76.373 mV)"},
     kRefE, kOdwE,
     {stalaDo(-40, 800, 1.5, 375, 0.004), stalaDo(-40, 900, 2.5, 333, 0.0075),
      stalaOd(-200, 40, 2.5, -167, 0.015)}, 3},
    {T::N, 'N', {"Termopara N", "Nikiel-chrom-krzem/nikiel-krzem", "NiCrSi-NiSi",
                 "-270°C do 1300°C (-3.990 mV do 47.513 mV)"},
     kRefN, kOdwN,
     {stalaDo(-40, 1000, 1.5, 375, 0.004), stalaDo(-40, 1200, 2.5, 333, 0.0075),
      stalaOd(-200, 40, 2.5, -167, 0.015)}, 4},
    {T::B, 'B', {"Termopara B", "Platyna-30% rod/platyna-6% rod", "PtRh30-PtRh6",
                 "0°C do 1820°C (0.291 mV do 13.820 mV)"},
     kRefB, kOdwB,
     {kBrak, bezStalej(600, 1700, 0.0025), stalaDo(600, 1700, 4.0, 800, 0.005)}, 5},
    {T::R, 'R', {"Termopara R", "Platyna-13% rod/platyna", "PtRh13-Pt",
                 "-50°C do 1768°C (-0.226 mV do 21.103 mV)"},
     kRefR, kOdwR,
     {kPlatynowaKlasa1, stalaDo(0, 1600, 1.5, 600, 0.0025), kBrak}, 7},
    {T::S, 'S', {"Termopara S", "Platyna-10% rod/platyna", "PtRh10-Pt",
                 "-50°C do 1768°C (-0.235 mV do 18.693 mV)"},
     kRefS, kOdwS,
     {kPlatynowaKlasa1, stalaDo(0, 1600, 1.5, 600, 0.0025), kBrak}, 6},
    // The tungsten-rhenium types of IEC 60584-1:2013, class 2 only. No
    // inverse polynomial: the exact inverse stands in for it.
    {T::C, 'C', {"Termopara C", "Wolfram-5% ren/wolfram-26% ren", "W5Re-W26Re",
                 "0°C do 2315°C (0.000 mV do 37.070 mV)"},
     kRefC, kOdwC,
     {kBrak, bezStalej(426, 2315, 0.01), kBrak}, 8},
    {T::A, 'A', {"Termopara A", "Wolfram-5% ren/wolfram-20% ren", "W5Re-W20Re",
                 "0°C do 2500°C (0.001 mV do 33.640 mV)"},
     kRefA, kOdwA,
     {kBrak, bezStalej(1000, 2500, 0.01), kBrak}, 9,
     // An approximating polynomial: E(0 °C) is its c0, 0.716 µV.
     engine::kARef[0]},
    });
}();
// clang-format on

inline constexpr std::size_t kLiczbaTypow = kKatalog.size();

// Catalogue index (the window's Typ).
constexpr std::size_t indeks(TypTermopary typ) {
    return static_cast<std::size_t>(typ);
}

constexpr const WierszKatalogu& wiersz(TypTermopary typ) {
    return kKatalog.at(indeks(typ));
}

namespace detail {
// Each row at its type's index; letters and menu positions each used once.
constexpr bool spojny() {
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) {
        if (indeks(kKatalog[i].typ) != i || kKatalog[i].pozycjaWMenu >= kLiczbaTypow) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (kKatalog[j].litera == kKatalog[i].litera) return false;
            if (kKatalog[j].pozycjaWMenu == kKatalog[i].pozycjaWMenu) return false;
        }
    }
    return true;
}
}  // namespace detail
static_assert(detail::spojny(), "kKatalog: one row per type, in TypTermopary order");

// The Info texts of every type, in catalogue order.
inline constexpr auto kTypy = [] {
    std::array<Opis, kLiczbaTypow> t{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) t[i] = kKatalog[i].opis;
    return t;
}();

}  // namespace engine
