#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "katalog.h"

// The catalogue's types by index and by letter.
namespace engine {

inline constexpr auto kWszystkieTypy = [] {
    std::array<TypTermopary, kLiczbaTypow> t{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) t[i] = kKatalog[i].typ;
    return t;
}();

namespace detail {
inline constexpr auto kLitery = [] {
    std::array<char, kLiczbaTypow> l{};
    for (std::size_t i = 0; i < kLiczbaTypow; ++i) l[i] = kKatalog[i].litera;
    return l;
}();
}  // namespace detail

// The type letters, in catalogue order ("JKTENBRSCA").
inline constexpr std::string_view kLiteryTypow{detail::kLitery.data(), detail::kLitery.size()};

// The letters one space apart ("J K T E N B R S C A"), for help texts and
// messages, so that a new type reaches them with its catalogue row.
inline constexpr auto kLiteryZeSpacjami = [] {
    std::array<char, 2 * kLiczbaTypow - 1> s{};
    for (std::size_t i = 0; i < s.size(); ++i) s.at(i) = i % 2 == 0 ? kLiteryTypow[i / 2] : ' ';
    return s;
}();
inline constexpr std::string_view kListaTypow{kLiteryZeSpacjami.data(), kLiteryZeSpacjami.size()};

constexpr std::optional<TypTermopary> typZIndeksu(std::int16_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= kWszystkieTypy.size()) return std::nullopt;
    return kWszystkieTypy[static_cast<std::size_t>(i)];
}

constexpr char litera(TypTermopary typ) {
    return wiersz(typ).litera;
}

// 'k' and 'K' alike.
constexpr std::optional<TypTermopary> typZLitery(char c) {
    const char duza = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    const std::size_t i = kLiteryTypow.find(duza);
    if (i == std::string_view::npos) return std::nullopt;
    return kWszystkieTypy[i];
}

}  // namespace engine
