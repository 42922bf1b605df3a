#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "wspolczynniki_its90.h"
#include "wspolczynniki_wre.h"

// Each type's reference and inverse sub-ranges with their coefficient sets,
// as the catalogue (katalog.h) lists them. A new type adds its two lists here
// and its sets in wspolczynniki_its90.h.
namespace engine {

// A coefficient set padded with zeros to the widest set (T below 0 °C).
using Zestaw = std::array<double, 15>;

template <std::size_t N>
constexpr Zestaw dopelnij(const std::array<double, N>& c) {
    static_assert(N <= std::tuple_size_v<Zestaw>);
    Zestaw z{};
    for (std::size_t i = 0; i < N; ++i) z[i] = c[i];
    return z;
}

// How a set is evaluated, with the highest slot that the evaluation reads.
enum class Wzor : std::uint8_t {
    Zagniezdzony10,     // Horner from slot 10 down (J, K below 0 °C)
    ZagniezdzonyWykl9,  // Horner from slot 9, plus type K's exponential term
    Potegowy10,         // c0 + c1*t + c2*t*t + ... up to slot 10
    Potegowy13,         // E below 0 °C
    Potegowy14,         // T below 0 °C
    Zagniezdzony6,      // Horner from slot 6 (C)
    Zagniezdzony8,      // Horner from slot 8 (A)
};

struct Przedzial {
    double dol;
    double gora;
    bool dolWlacznie;
    bool goraWlacznie;
    Zestaw wsp;
    Wzor wzor;
    // Published error band of an inverse set, °C.
    double bladMin = 0.0;
    double bladMax = 0.0;
};

// Short names that keep the tables below readable.
inline constexpr auto kZ = Wzor::Zagniezdzony10;
inline constexpr auto kZW = Wzor::ZagniezdzonyWykl9;
inline constexpr auto kP = Wzor::Potegowy10;
inline constexpr auto kP13 = Wzor::Potegowy13;
inline constexpr auto kP14 = Wzor::Potegowy14;
inline constexpr auto kZ6 = Wzor::Zagniezdzony6;
inline constexpr auto kZ8 = Wzor::Zagniezdzony8;

// Reference-function sub-ranges in °C, in the order they are tested. A shared
// bound belongs to the lower sub-range, except type K's 0 °C and type C's
// 630.615 °C. C and A were published in power form without an evaluation to
// match bit for bit, so they are evaluated in Horner's form.
// clang-format off
inline constexpr std::array<Przedzial, 2> kRefJ{{
    {-210.0,    760.0,    true,  true, dopelnij(engine::kJRef1), kZ},
    { 760.0,    1200.0,   false, true, dopelnij(engine::kJRef2), kZ},
}};
inline constexpr std::array<Przedzial, 2> kRefK{{
    {-270.0,    0.0,      true,  false, dopelnij(engine::kKRef1), kZ},
    { 0.0,      1372.0,   true,  true,  dopelnij(engine::kKRef2), kZW},
}};
inline constexpr std::array<Przedzial, 2> kRefT{{
    {-270.0,    0.0,      true,  true, dopelnij(engine::kTRef1), kP14},
    { 0.0,      400.0,    false, true, dopelnij(engine::kTRef2), kP},
}};
inline constexpr std::array<Przedzial, 2> kRefE{{
    {-270.0,    0.0,      true,  true, dopelnij(engine::kERef1), kP13},
    { 0.0,      1000.0,   false, true, dopelnij(engine::kERef2), kP},
}};
inline constexpr std::array<Przedzial, 2> kRefN{{
    {-270.0,    0.0,      true,  true, dopelnij(engine::kNRef1), kP},
    { 0.0,      1300.0,   false, true, dopelnij(engine::kNRef2), kP},
}};
inline constexpr std::array<Przedzial, 2> kRefB{{
    { 0.0,      630.615,  true,  true, dopelnij(engine::kBRef1), kP},
    { 630.615,  1820.0,   false, true, dopelnij(engine::kBRef2), kP},
}};
inline constexpr std::array<Przedzial, 3> kRefR{{
    {-50.0,     1064.18,  true,  true, dopelnij(engine::kRRef1), kP},
    { 1064.18,  1664.5,   false, true, dopelnij(engine::kRRef2), kP},
    { 1664.5,   1768.1,   false, true, dopelnij(engine::kRRef3), kP},
}};
inline constexpr std::array<Przedzial, 3> kRefS{{
    {-50.0,     1064.18,  true,  true, dopelnij(engine::kSRef1), kP},
    { 1064.18,  1664.5,   false, true, dopelnij(engine::kSRef2), kP},
    { 1664.5,   1768.1,   false, true, dopelnij(engine::kSRef3), kP},
}};

inline constexpr std::array<Przedzial, 2> kRefC{{
    { 0.0,      630.615,  true,  false, dopelnij(engine::kCRef1), kZ6},
    { 630.615,  2315.0,   true,  true,  dopelnij(engine::kCRef2), kZ6},
}};
inline constexpr std::array<Przedzial, 1> kRefA{{
    { 0.0,      2500.0,   true,  true,  dopelnij(engine::kARef), kZ8},
}};

// Inverse sub-ranges in µV, in the order they are tested. R and S have
// sub-ranges sharing a closed bound; there the later one applies.
inline constexpr std::array<Przedzial, 3> kOdwJ{{
    {-8095.0,   0.0,      true,  true, dopelnij(engine::kJInv1), kP, -0.05, 0.03},
    { 0.0,      42919.0,  false, true, dopelnij(engine::kJInv2), kP, -0.04, 0.04},
    { 42919.0,  69553.0,  false, true, dopelnij(engine::kJInv3), kP, -0.04, 0.03},
}};
inline constexpr std::array<Przedzial, 3> kOdwK{{
    {-5891.0,   0.0,      true,  true, dopelnij(engine::kKInv1), kP, -0.02, 0.04},
    { 0.0,      20644.0,  false, true, dopelnij(engine::kKInv2), kP, -0.05, 0.04},
    { 20644.0,  54886.0,  false, true, dopelnij(engine::kKInv3), kP, -0.05, 0.06},
}};
inline constexpr std::array<Przedzial, 2> kOdwT{{
    {-5603.0,   0.0,      true,  true, dopelnij(engine::kTInv1), kP, -0.02, 0.04},
    { 0.0,      20872.0,  false, true, dopelnij(engine::kTInv2), kP, -0.03, 0.03},
}};
inline constexpr std::array<Przedzial, 2> kOdwE{{
    {-8825.0,   0.0,      true,  true, dopelnij(engine::kEInv1), kP, -0.01, 0.03},
    { 0.0,      76373.0,  false, true, dopelnij(engine::kEInv2), kP, -0.02, 0.02},
}};
inline constexpr std::array<Przedzial, 3> kOdwN{{
    {-3990.0,   0.0,      true,  true, dopelnij(engine::kNInv1), kP, -0.02, 0.03},
    { 0.0,      20613.0,  false, true, dopelnij(engine::kNInv2), kP, -0.02, 0.03},
    { 20613.0,  47513.0,  false, true, dopelnij(engine::kNInv3), kP, -0.04, 0.02},
}};
inline constexpr std::array<Przedzial, 2> kOdwB{{
    { 291.0,    2431.0,   true,  true, dopelnij(engine::kBInv1), kP, -0.02, 0.03},
    { 2431.0,   13820.0,  false, true, dopelnij(engine::kBInv2), kP, -0.01, 0.02},
}};
inline constexpr std::array<Przedzial, 4> kOdwR{{
    {-226.0,    1923.0,   true,  true,  dopelnij(engine::kRInv1), kP, -0.02, 0.02},
    { 1923.0,   13228.0,  true,  false, dopelnij(engine::kRInv2), kP, -0.005, 0.005},
    { 13228.0,  19739.0,  true,  false, dopelnij(engine::kRInv3), kP, -0.0005, 0.001},
    { 19739.0,  21103.0,  true,  true,  dopelnij(engine::kRInv4), kP, -0.001, 0.002},
}};
inline constexpr std::array<Przedzial, 4> kOdwS{{
    {-235.0,    1874.0,   true,  true, dopelnij(engine::kSInv1), kP, -0.02, 0.02},
    { 1874.0,   11950.0,  false, true, dopelnij(engine::kSInv2), kP, -0.01, 0.01},
    { 11950.0,  17536.0,  true,  true, dopelnij(engine::kSInv3), kP, -0.0002, 0.0002},
    { 17536.0,  18693.0,  true,  true, dopelnij(engine::kSInv4), kP, -0.002, 0.002},
}};
// No inverse polynomial is published for C, and A's is good to ±1 °C only:
// an empty list, and the exact inverse stands in for the polynomial.
inline constexpr std::array<Przedzial, 0> kOdwC{};
inline constexpr std::array<Przedzial, 0> kOdwA{};
// clang-format on

}  // namespace engine
