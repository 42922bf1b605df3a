#include "limity_okna.h"

#include <algorithm>
#include <array>

namespace calculations {

namespace {

struct Zawezenie {
    engine::TypTermopary typ;
    engine::Zakres zakres;
};

// The window's own narrower temperature limits; a type not listed takes its
// reference function's whole domain.
constexpr std::array<Zawezenie, 3> kZawezenia{{
    {engine::TypTermopary::E, {-200.0, 1000.0}},
    {engine::TypTermopary::R, {-50.0, 1768.0}},
    {engine::TypTermopary::S, {-50.0, 1768.0}},
}};

}  // namespace

engine::Zakres temperaturaOkna(engine::TypTermopary typ) {
    engine::Zakres z = engine::dziedzinaTemperatury(typ);
    for (const Zawezenie& w : kZawezenia) {
        if (w.typ == typ) z = {std::max(z.od, w.zakres.od), std::min(z.doo, w.zakres.doo)};
    }
    return z;
}

engine::Zakres emfOkna(engine::TypTermopary typ) {
    const engine::Zakres u = engine::dziedzinaOdwrotnej(typ);
    return {u.od / 1000.0, u.doo / 1000.0};
}

}  // namespace calculations
