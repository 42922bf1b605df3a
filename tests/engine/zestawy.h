#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "its90.h"
#include "katalog.h"
#include "termopara.h"
#include "typ_termopary.h"
#include "wspolczynniki_its90.h"
#include "wspolczynniki_wre.h"

namespace zestawy {

inline constexpr std::int16_t J = 0, K = 1, T = 2, E = 3, N = 4, B = 5, R = 6, S = 7, C = 8, A = 9;
inline constexpr auto kLiczbaTypow = static_cast<std::int16_t>(engine::kLiczbaTypow);
inline std::string nazwaTypu(std::int16_t typ) {
    return std::string(1, litera(*engine::typZIndeksu(typ)));
}

// Whether NIST publishes inverse polynomials for the type (not for C and A).
inline bool maWielomian(std::int16_t typ) {
    return !engine::podzakresyOdwrotnej(*engine::typZIndeksu(typ)).empty();
}

// Domains of the reference function (°C) and the inverse polynomials (µV).
inline engine::Zakres dziedzinaT(std::int16_t typ) {
    return engine::dziedzinaTemperatury(*engine::typZIndeksu(typ));
}
inline engine::Zakres dziedzinaU(std::int16_t typ) {
    return engine::dziedzinaOdwrotnej(*engine::typZIndeksu(typ));
}

// A coefficient set as a call should leave it in Wsp: the set in slots 0..n-1,
// zeros up to the highest slot that the evaluation reads.
struct Zestaw {
    std::span<const double> wsp;
    std::size_t szczyt;
    const char* nazwa;
    bool wykladniczy = false;  // type K above 0 °C: a0, a1 in slots 11, 12
};

inline double nan() {
    return std::numeric_limits<double>::quiet_NaN();
}

// A slot read without being written first turns the result into NaN.
inline void zasmiec(engine::Termopara& tc) {
    tc.Wsp.fill(nan());
}

// Checks Wsp after a call that started from zasmiec(): which set was loaded,
// the zero fill, and that slots beyond the evaluation were left alone.
inline ::testing::AssertionResult zaladowany(const engine::Termopara& tc, const Zestaw& z) {
    const std::size_t n = z.wsp.size();
    for (std::size_t i = 0; i < tc.Wsp.size(); ++i) {
        const double w = tc.Wsp[i];
        bool dobrze = false;
        if (i < n) {
            dobrze = w == z.wsp[i];
        } else if (i <= z.szczyt) {
            dobrze = w == 0.0;
        } else if (z.wykladniczy && i == 11) {
            dobrze = w == engine::kKExpA0;
        } else if (z.wykladniczy && i == 12) {
            dobrze = w == engine::kKExpA1;
        } else {
            dobrze = std::isnan(w);
        }
        if (!dobrze) {
            return ::testing::AssertionFailure()
                   << "expected set " << z.nazwa << ", slot " << i << " holds " << w;
        }
    }
    return ::testing::AssertionSuccess();
}

// Reference-function sets with the top slot their evaluation reads.
inline const Zestaw kJRef1{engine::kJRef1, 10, "J ref 1"};
inline const Zestaw kJRef2{engine::kJRef2, 10, "J ref 2"};
inline const Zestaw kKRef1{engine::kKRef1, 10, "K ref 1"};
inline const Zestaw kKRef2{engine::kKRef2, 9, "K ref 2", true};
inline const Zestaw kTRef1{engine::kTRef1, 14, "T ref 1"};
inline const Zestaw kTRef2{engine::kTRef2, 10, "T ref 2"};
inline const Zestaw kERef1{engine::kERef1, 13, "E ref 1"};
inline const Zestaw kERef2{engine::kERef2, 10, "E ref 2"};
inline const Zestaw kNRef1{engine::kNRef1, 10, "N ref 1"};
inline const Zestaw kNRef2{engine::kNRef2, 10, "N ref 2"};
inline const Zestaw kBRef1{engine::kBRef1, 10, "B ref 1"};
inline const Zestaw kBRef2{engine::kBRef2, 10, "B ref 2"};
inline const Zestaw kRRef1{engine::kRRef1, 10, "R ref 1"};
inline const Zestaw kRRef2{engine::kRRef2, 10, "R ref 2"};
inline const Zestaw kRRef3{engine::kRRef3, 10, "R ref 3"};
inline const Zestaw kSRef1{engine::kSRef1, 10, "S ref 1"};
inline const Zestaw kSRef2{engine::kSRef2, 10, "S ref 2"};
inline const Zestaw kSRef3{engine::kSRef3, 10, "S ref 3"};
inline const Zestaw kCRef1{engine::kCRef1, 6, "C ref 1"};
inline const Zestaw kCRef2{engine::kCRef2, 6, "C ref 2"};
inline const Zestaw kARef{engine::kARef, 8, "A ref"};

// Inverse sets: all evaluated up to slot 10.
inline const Zestaw kJInv1{engine::kJInv1, 10, "J inv 1"};
inline const Zestaw kJInv2{engine::kJInv2, 10, "J inv 2"};
inline const Zestaw kJInv3{engine::kJInv3, 10, "J inv 3"};
inline const Zestaw kKInv1{engine::kKInv1, 10, "K inv 1"};
inline const Zestaw kKInv2{engine::kKInv2, 10, "K inv 2"};
inline const Zestaw kKInv3{engine::kKInv3, 10, "K inv 3"};
inline const Zestaw kTInv1{engine::kTInv1, 10, "T inv 1"};
inline const Zestaw kTInv2{engine::kTInv2, 10, "T inv 2"};
inline const Zestaw kEInv1{engine::kEInv1, 10, "E inv 1"};
inline const Zestaw kEInv2{engine::kEInv2, 10, "E inv 2"};
inline const Zestaw kNInv1{engine::kNInv1, 10, "N inv 1"};
inline const Zestaw kNInv2{engine::kNInv2, 10, "N inv 2"};
inline const Zestaw kNInv3{engine::kNInv3, 10, "N inv 3"};
inline const Zestaw kBInv1{engine::kBInv1, 10, "B inv 1"};
inline const Zestaw kBInv2{engine::kBInv2, 10, "B inv 2"};
inline const Zestaw kRInv1{engine::kRInv1, 10, "R inv 1"};
inline const Zestaw kRInv2{engine::kRInv2, 10, "R inv 2"};
inline const Zestaw kRInv3{engine::kRInv3, 10, "R inv 3"};
inline const Zestaw kRInv4{engine::kRInv4, 10, "R inv 4"};
inline const Zestaw kSInv1{engine::kSInv1, 10, "S inv 1"};
inline const Zestaw kSInv2{engine::kSInv2, 10, "S inv 2"};
inline const Zestaw kSInv3{engine::kSInv3, 10, "S inv 3"};
inline const Zestaw kSInv4{engine::kSInv4, 10, "S inv 4"};

// A bound x and the set that applies just below it, at it and just above it.
struct Granica {
    std::int16_t typ;
    double x;
    const Zestaw& ponizej;
    const Zestaw& na;
    const Zestaw& powyzej;
};

inline double ponizej(double x) {
    return std::nextafter(x, -std::numeric_limits<double>::infinity());
}
inline double powyzej(double x) {
    return std::nextafter(x, std::numeric_limits<double>::infinity());
}

// Result rounded to hundredths, as an integer, for exact comparison.
inline long long setne(double x) {
    return std::llround(x * 100.0);
}

}  // namespace zestawy
