// Conversions of many values at once against one at a time: the same reasons
// and bits for every type, unit and inverse, inside, at and past every bound.
#include "przeliczenia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "its90.h"

namespace {

using conversions::JednostkaEmf;
using conversions::JednostkaTemperatury;
using conversions::Wynik;

// The bounds and their neighbours, non-measurements, random values around.
std::vector<double> wartosci(double od, double doo, std::mt19937_64& los) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::vector<double> x{std::nan(""), kInf, -kInf, 0.0, -0.0};
    for (const double g : {od, doo}) {
        x.insert(x.end(), {g, std::nextafter(g, -kInf), std::nextafter(g, kInf), g * (1 + 1e-12)});
    }
    std::uniform_real_distribution<double> r(od - (doo - od) / 2, doo + (doo - od) / 2);
    while (x.size() < 300) x.push_back(r(los));
    std::shuffle(x.begin(), x.end(), los);
    return x;
}

TEST(Bloki, JakPojedynczo) {
    std::mt19937_64 los(17);
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        for (const auto jt :
             {JednostkaTemperatury::C, JednostkaTemperatury::F, JednostkaTemperatury::K}) {
            for (const auto& [je, dokladna] : {std::pair{JednostkaEmf::mV, false},
                                               {JednostkaEmf::uV, false},
                                               {JednostkaEmf::mV, true}}) {
                const conversions::Ustawienia u{typ, jt, je, dokladna};
                const engine::Zakres t = engine::dziedzinaTemperatury(typ);
                const engine::Zakres e = engine::dziedzinaOdwrotnej(typ);
                const std::vector<double> tc = wartosci(conversions::zCelsjusza(t.od, jt),
                                                        conversions::zCelsjusza(t.doo, jt), los);
                const std::vector<double> x = wartosci(conversions::zMikrowoltow(e.od, je),
                                                       conversions::zMikrowoltow(e.doo, je), los);
                std::vector<Wynik> z(tc.size()), emf(tc.size()), temp(tc.size());
                conversions::zimneZlacza(u, tc, z);
                conversions::emfy(u, tc, z, emf);
                conversions::temperatury(u, x, z, temp);
                for (std::size_t i = 0; i < tc.size(); ++i) {
                    SCOPED_TRACE(std::string(1, litera(typ)) + " " + std::to_string(i));
                    const Wynik z1 = conversions::zimneZlacze(u, tc[i]);
                    for (const auto& [blok, jeden] :
                         {std::pair{z[i], z1},
                          {emf[i], conversions::emf(u, tc[i], z1)},
                          {temp[i], conversions::temperatura(u, x[i], z1)}}) {
                        ASSERT_EQ(blok.powod, jeden.powod);
                        ASSERT_EQ(std::bit_cast<std::uint64_t>(blok.wartosc),
                                  std::bit_cast<std::uint64_t>(jeden.wartosc));
                    }
                }
            }
        }
    }
}

}  // namespace
