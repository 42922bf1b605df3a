#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "katalog.h"

namespace engine {

// The ten thermocouple types of IEC 60584-1:2013, in catalogue order: the
// eight of NIST Monograph 175, then the tungsten-rhenium types C and A.
enum class TypTermopary : std::uint8_t { J, K, T, E, N, B, R, S, C, A };

inline constexpr std::array<TypTermopary, engine::kLiczbaTypow> kWszystkieTypy{
    TypTermopary::J, TypTermopary::K, TypTermopary::T, TypTermopary::E, TypTermopary::N,
    TypTermopary::B, TypTermopary::R, TypTermopary::S, TypTermopary::C, TypTermopary::A};

// The type letters, in catalogue order.
inline constexpr std::string_view kLiteryTypow = "JKTENBRSCA";
static_assert(kLiteryTypow.size() == engine::kLiczbaTypow);

// The letters one space apart ("J K T E N B R S C A"), for help texts and
// messages, so that a new type reaches them with its catalogue row.
inline constexpr auto kLiteryZeSpacjami = [] {
    std::array<char, 2 * kLiteryTypow.size() - 1> s{};
    for (std::size_t i = 0; i < s.size(); ++i) s.at(i) = i % 2 == 0 ? kLiteryTypow[i / 2] : ' ';
    return s;
}();
inline constexpr std::string_view kListaTypow{kLiteryZeSpacjami.data(), kLiteryZeSpacjami.size()};

// Catalogue index (the window's Typ).
constexpr std::size_t indeks(TypTermopary typ) {
    return static_cast<std::size_t>(typ);
}

constexpr std::optional<TypTermopary> typZIndeksu(std::int16_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= kWszystkieTypy.size()) return std::nullopt;
    return kWszystkieTypy[static_cast<std::size_t>(i)];
}

constexpr char litera(TypTermopary typ) {
    return kLiteryTypow[indeks(typ)];
}

// 'k' and 'K' alike.
constexpr std::optional<TypTermopary> typZLitery(char c) {
    const char duza = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    const std::size_t i = kLiteryTypow.find(duza);
    if (i == std::string_view::npos) return std::nullopt;
    return kWszystkieTypy[i];
}

}  // namespace engine
