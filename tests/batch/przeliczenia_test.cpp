// The conversions of many values at once against the same conversions one
// value at a time: the same reasons and the same bits, for every type, unit
// and inverse, inside, at and past every bound.
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

using przeliczenia::JednostkaEmf;
using przeliczenia::JednostkaTemperatury;
using przeliczenia::Ustawienia;
using przeliczenia::Wynik;

void porownaj(const std::vector<Wynik>& blokami, const std::vector<Wynik>& pojedynczo) {
    for (std::size_t i = 0; i < pojedynczo.size(); ++i) {
        ASSERT_EQ(blokami[i].powod, pojedynczo[i].powod) << i;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(blokami[i].wartosc),
                  std::bit_cast<std::uint64_t>(pojedynczo[i].wartosc))
            << i;
    }
}

// Values in the unit: the bounds and their neighbours, values that are no
// measurement, and random ones over twice the range.
std::vector<double> wartosci(double od, double doo, std::mt19937_64& los) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::vector<double> x{std::nan(""), kInf, -kInf, 0.0, -0.0};
    for (const double g : {od, doo}) {
        x.insert(x.end(), {g, std::nextafter(g, -kInf), std::nextafter(g, kInf), g * (1 + 1e-12)});
    }
    const double s = doo - od;
    std::uniform_real_distribution<double> r(od - s / 2, doo + s / 2);
    while (x.size() < 300) x.push_back(r(los));
    std::shuffle(x.begin(), x.end(), los);
    return x;
}

TEST(Bloki, JakPojedynczo) {
    std::mt19937_64 los(17);
    for (const TypTermopary typ : kWszystkieTypy) {
        for (const auto jt :
             {JednostkaTemperatury::C, JednostkaTemperatury::F, JednostkaTemperatury::K}) {
            for (const auto je : {JednostkaEmf::mV, JednostkaEmf::uV}) {
                for (const bool dokladna : {false, true}) {
                    const Ustawienia u{typ, jt, je, dokladna};
                    SCOPED_TRACE(std::string(1, litera(typ)) + " " + std::to_string(dokladna));
                    const its90::Zakres t = its90::dziedzinaTemperatury(typ);
                    const its90::Zakres e = its90::dziedzinaOdwrotnej(typ);
                    const std::vector<double> tc =
                        wartosci(przeliczenia::zCelsjusza(t.od, jt),
                                 przeliczenia::zCelsjusza(t.doo, jt), los);
                    const std::vector<double> x =
                        wartosci(przeliczenia::zMikrowoltow(e.od, je),
                                 przeliczenia::zMikrowoltow(e.doo, je), los);
                    std::vector<Wynik> zimne(tc.size());
                    std::vector<Wynik> emf(tc.size());
                    std::vector<Wynik> temperatura(tc.size());
                    przeliczenia::zimneZlacza(u, tc, zimne);
                    przeliczenia::emfy(u, tc, zimne, emf);
                    przeliczenia::temperatury(u, x, zimne, temperatura);
                    std::vector<Wynik> z1;
                    std::vector<Wynik> e1;
                    std::vector<Wynik> t1;
                    for (std::size_t i = 0; i < tc.size(); ++i) {
                        z1.push_back(przeliczenia::zimneZlacze(u, tc[i]));
                        e1.push_back(przeliczenia::emf(u, tc[i], z1[i]));
                        t1.push_back(przeliczenia::temperatura(u, x[i], z1[i]));
                    }
                    porownaj(zimne, z1);
                    porownaj(emf, e1);
                    porownaj(temperatura, t1);
                }
            }
        }
    }
}

}  // namespace
