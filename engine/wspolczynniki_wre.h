#pragma once

#include <array>

// Reference functions of the tungsten-rhenium types C (W5Re-W26Re, ASTM E230,
// taken over by IEC 60584-1:2013) and A (W5Re-W20Re, GOST R 8.585-2001),
// rescaled to microvolts by moving each published literal's decimal exponent
// (x1000), as wspolczynniki_its90.h does. No inverse polynomial is kept: both
// types are inverted exactly.
namespace engine {

// clang-format off
// ---- Type C ----
// Type C reference function, 0 °C to 630.615 °C: c0..c6, µV/°C^i.
inline constexpr std::array<double, 7> kCRef1{
     0.0,                   // c0
     1.3406032E+01,         // c1
     1.1924992E-02,         // c2
    -7.9806354E-06,         // c3
    -5.0787515E-09,         // c4
     1.3164197E-11,         // c5
    -7.9197332E-15,         // c6
};

// Type C reference function, 630.615 °C to 2315 °C: c0..c6, µV/°C^i. The
// split is at 630.615 °C, where the two sets agree within 0.2 µV.
inline constexpr std::array<double, 7> kCRef2{
     4.0528823E+02,         // c0
     1.1509355E+01,         // c1
     1.5696453E-02,         // c2
    -1.3704412E-05,         // c3
     5.2290873E-09,         // c4
    -9.2082758E-13,         // c5
     4.5245112E-17,         // c6
};

// ---- Type A ----
// Type A reference function, 0 °C to 2500 °C: c0..c8, µV/°C^i. An
// approximating polynomial: it gives 0.716 µV at 0 °C.
inline constexpr std::array<double, 9> kARef{
     7.1564735E-01,         // c0
     1.1951905E+01,         // c1
     1.6672625E-02,         // c2
    -2.8287807E-05,         // c3
     2.8397839E-08,         // c4
    -1.8505007E-11,         // c5
     7.3632123E-15,         // c6
    -1.6148878E-18,         // c7
     1.4901679E-22,         // c8
};
// clang-format on

}  // namespace engine
