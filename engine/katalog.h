#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The ten thermocouple types, in the catalogue order every part of the
// program shares (J, K, T, E, N, B, R, S, C, A). Texts are UTF-8 display texts.
namespace engine {

inline constexpr std::size_t kLiczbaTypow = 10;

// Field lengths of the window's fixed-length tables, in characters.
inline constexpr std::size_t kDlugoscNazwy = 25;
inline constexpr std::size_t kDlugoscSkladu = 53;
inline constexpr std::size_t kDlugoscSymbolu = 25;
inline constexpr std::size_t kDlugoscZakresu = 45;

struct Opis {
    std::string_view nazwa;
    std::string_view sklad;
    std::string_view symbol;
    std::string_view zakres;
};

// clang-format off
inline constexpr std::array<Opis, kLiczbaTypow> kTypy{{
    {"Termopara J", "Żelazo/miedź-nikiel lub żelazo/konstantan", "Fe-CuNi",
     "-210°C do 1200°C (-8.095 mV do 69.553 mV)"},
    {"Termopara K", "Nikiel-chrom/nikiel-aluminium\"", "NiCr-NiAl",
     "-270°C do 1372°C (-5.891 mV do 54.886 mV)"},
    {"Termopara T", "Miedź/miedź-nikiel lub miedź/konstantan", "Cu-CuNi",
     "-270°C do 400°C (-5.603 mV do 20.872 mV)"},
    {"Termopara E", "Nikiel-chrom/miedź-nikiel lub nikiel-chrom/konstantan", "NiCr-CuNi",
     "-270°C do 1000°C (-8.825 mV do 76.373 mV)"},
    {"Termopara N", "Nikiel-chrom-krzem/nikiel-krzem", "NiCrSi-NiSi",
     "-270°C do 1300°C (-3.990 mV do 47.513 mV)"},
    {"Termopara B", "Platyna-30% rod/platyna-6% rod", "PtRh30-PtRh6",
     "0°C do 1820°C (0.291 mV do 13.820 mV)"},
    {"Termopara R", "Platyna-13% rod/platyna", "PtRh13-Pt",
     "-50°C do 1768°C (-0.226 mV do 21.103 mV)"},
    {"Termopara S", "Platyna-10% rod/platyna", "PtRh10-Pt",
     "-50°C do 1768°C (-0.235 mV do 18.693 mV)"},
    {"Termopara C", "Wolfram-5% ren/wolfram-26% ren", "W5Re-W26Re",
     "0°C do 2315°C (0.000 mV do 37.070 mV)"},
    {"Termopara A", "Wolfram-5% ren/wolfram-20% ren", "W5Re-W20Re",
     "0°C do 2500°C (0.001 mV do 33.640 mV)"},
}};
// clang-format on

}  // namespace engine
