#pragma once

#include <cstdint>
#include <optional>

#include "typ_termopary.h"

namespace engine {

// The two limits of error of ASTM E230.
enum class KlasaAstm : std::uint8_t { Standardowa, Specjalna };

// The ASTM E230 limit of error of the type at t (°C), in °C: the larger of a
// fixed deviation and a share of |t|. Nothing where the standard establishes
// none for the type at t (type A everywhere, N below 0 °C, the special
// limits below 0 °C and of type C).
std::optional<double> granicaAstm(TypTermopary typ, KlasaAstm klasa, double t);

}  // namespace engine
