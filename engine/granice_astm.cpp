#include "granice_astm.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "its90.h"

namespace engine {

namespace {

// max(stala, czesc * |t|), °C.
struct Granica {
    bool ustalona = false;
    double stala = 0.0;
    double czesc = 0.0;
};

struct Wiersz {
    TypTermopary typ;
    Zakres zakres;
    Granica standardowa;
    Granica specjalna;
};

constexpr Granica granica(double stala, double czesc) {
    return {true, stala, czesc};
}
constexpr Granica kNieustalona{};

// ASTM E230's table, above 0 °C first, so that 0 °C takes the rows above it.
// Below 0 °C the standard gives limits only on the purchaser's request, and
// no special ones.
// clang-format off
constexpr std::array<Wiersz, 12> kTabela{{
    {TypTermopary::T, {0, 370},     granica(1.0, 0.0075), granica(0.5, 0.004)},
    {TypTermopary::J, {0, 760},     granica(2.2, 0.0075), granica(1.1, 0.004)},
    {TypTermopary::E, {0, 870},     granica(1.7, 0.005),  granica(1.0, 0.004)},
    {TypTermopary::K, {0, 1260},    granica(2.2, 0.0075), granica(1.1, 0.004)},
    {TypTermopary::N, {0, 1260},    granica(2.2, 0.0075), granica(1.1, 0.004)},
    {TypTermopary::R, {0, 1480},    granica(1.5, 0.0025), granica(0.6, 0.001)},
    {TypTermopary::S, {0, 1480},    granica(1.5, 0.0025), granica(0.6, 0.001)},
    {TypTermopary::B, {870, 1700},  granica(0.0, 0.005),  granica(0.0, 0.0025)},
    // Sources differ on C's fixed part (4.4 or 4.5 °C); 4.5 is the commoner.
    {TypTermopary::C, {0, 2315},    granica(4.5, 0.01),   kNieustalona},
    {TypTermopary::T, {-200, 0},    granica(1.0, 0.015),  kNieustalona},
    {TypTermopary::E, {-200, 0},    granica(1.7, 0.01),   kNieustalona},
    {TypTermopary::K, {-200, 0},    granica(2.2, 0.02),   kNieustalona},
}};
// clang-format on

}  // namespace

std::optional<double> granicaAstm(TypTermopary typ, KlasaAstm klasa, double t) {
    const auto wiersz = std::find_if(kTabela.begin(), kTabela.end(), [&](const Wiersz& w) {
        return w.typ == typ && w.zakres.zawiera(t);
    });
    if (wiersz == kTabela.end()) return std::nullopt;
    const Granica& g = klasa == KlasaAstm::Standardowa ? wiersz->standardowa : wiersz->specjalna;
    if (!g.ustalona) return std::nullopt;
    return std::max(g.stala, g.czesc * std::fabs(t));
}

}  // namespace engine
