#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "its90.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A domain swept end to end and past it, every sub-range bound and domain
// end with its neighbouring doubles, far-off and non-finite values; a length
// that is no multiple of the runs' blocks, mixing sub-ranges within a block.
std::vector<double> argumenty(engine::Zakres d, const std::vector<double>& granice) {
    std::vector<double> x{
        std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e300, -1e300, -0.0, 0.0, 1e5, -1e5};
    for (int i = -50; i <= 1050; ++i) x.push_back(d.od + (d.doo - d.od) * i / 1000.0);
    for (const double g : granice) {
        double u = g, v = g;
        x.push_back(g);
        for (int k = 0; k < 4; ++k) {
            x.push_back(u = std::nextafter(u, -kInf));
            x.push_back(v = std::nextafter(v, kInf));
        }
    }
    return x;
}

template <class Skalar, class Blok>
void porownaj(engine::TypTermopary typ, const std::vector<double>& x, Skalar skalar, Blok blok) {
    std::vector<double> wynik(x.size());
    blok(typ, x.data(), wynik.data(), x.size());
    std::vector<double> wMiejscu = x;  // the output over the input itself
    blok(typ, wMiejscu.data(), wMiejscu.data(), wMiejscu.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto oczekiwany = std::bit_cast<std::uint64_t>(skalar(typ, x[i]));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(wynik[i]), oczekiwany)
            << litera(typ) << " at " << x[i] << " (element " << i << ")";
        ASSERT_EQ(std::bit_cast<std::uint64_t>(wMiejscu[i]), oczekiwany) << litera(typ) << x[i];
    }
}

TEST(Blok, AsScalarBitForBit) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        // Bounds of every type's reference sub-ranges, as NIST tabulates them.
        const engine::Zakres d = engine::dziedzinaTemperatury(typ);
        porownaj(typ, argumenty(d, {d.od, d.doo, 0.0, 630.615, 760.0, 1064.18, 1664.5}),
                 engine::emfZTemperatury, engine::emfBlok);
        std::vector<double> granice;
        for (const auto& p : engine::podzakresyOdwrotnej(typ))
            granice.insert(granice.end(), {p.emf.od, p.emf.doo});
        porownaj(typ, argumenty(engine::dziedzinaOdwrotnej(typ), granice), engine::temperaturaZEmf,
                 engine::temperaturaZEmfBlok);
    }
}

}  // namespace
