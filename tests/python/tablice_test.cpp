#include "tablice.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "its90.h"
#include "tolerancja.h"

namespace {

using conversions::JednostkaEmf;
using conversions::JednostkaTemperatury;
using conversions::Ustawienia;
using conversions::Wynik;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every sub-range bound and domain end of the type, a hair either side, and
// a sweep across, in the units of `u`: all the places a kernel could slip.
std::vector<double> emfy(const Ustawienia& u) {
    std::vector<double> v{kNaN, kInf, -kInf, 0.0, -0.0};
    const auto dodaj = [&](double mikro) {
        for (const double d : {-1e-6, 0.0, 1e-6, -1e-12, 1e-12}) {
            v.push_back(conversions::zMikrowoltow(mikro + d, u.emf));
        }
    };
    for (const auto& p : engine::podzakresyOdwrotnej(u.typ)) {
        dodaj(p.emf.od);
        dodaj(p.emf.doo);
    }
    const engine::Zakres d = engine::dziedzinaDokladnej(u.typ);
    dodaj(d.od);
    dodaj(d.doo);
    for (int i = 0; i <= 997; ++i) dodaj(d.od - 500.0 + (d.doo - d.od + 1000.0) * i / 997.0);
    return v;
}

std::vector<double> temperatury(const Ustawienia& u) {
    const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
    std::vector<double> v{kNaN, kInf, -kInf};
    for (int i = -3; i <= 1003; ++i) {
        v.push_back(conversions::zCelsjusza(d.od + (d.doo - d.od) * i / 1000.0, u.temperatura));
    }
    for (const double c : {d.od, d.doo, 0.0, 1100.0, 1273.15 - 273.15}) {
        for (const double e : {-1e-9, 0.0, 1e-9})
            v.push_back(conversions::zCelsjusza(c + e, u.temperatura));
    }
    return v;
}

// przeliczenia's answer as the kernels give it: NaN when refused.
double oczekiwany(const Wynik& w) {
    return w.dobry() ? w.wartosc : kNaN;
}

Wynik skonczone(double x, const Wynik& w) {
    if (std::isnan(x)) return {conversions::Powod::NaN, 0.0};
    if (std::isinf(x)) return {conversions::Powod::Nieskonczona, 0.0};
    return w;
}

void porownaj(const std::vector<double>& wynik, const std::vector<Wynik>& wzor,
              const python::Odmowa& odmowa, const char* co) {
    ASSERT_EQ(wynik.size(), wzor.size());
    std::size_t pierwsza = python::kBrakOdmowy;
    for (std::size_t i = 0; i < wzor.size(); ++i) {
        // Bit for bit: the kernels must not round differently from the engine.
        ASSERT_EQ(std::bit_cast<std::uint64_t>(wynik[i]),
                  std::bit_cast<std::uint64_t>(oczekiwany(wzor[i])))
            << co << " element " << i << ": " << wynik[i] << " against " << oczekiwany(wzor[i]);
        if (!wzor[i].dobry() && pierwsza == python::kBrakOdmowy) pierwsza = i;
    }
    ASSERT_EQ(odmowa.indeks, pierwsza) << co;
    if (odmowa.jest()) {
        EXPECT_EQ(odmowa.powod, wzor[pierwsza].powod) << co;
    }
}

std::vector<Ustawienia> wszystkieUstawienia() {
    std::vector<Ustawienia> w;
    for (const engine::TypTermopary t : engine::kWszystkieTypy) {
        for (const auto j :
             {JednostkaTemperatury::C, JednostkaTemperatury::F, JednostkaTemperatury::K}) {
            for (const auto je : {JednostkaEmf::mV, JednostkaEmf::uV}) {
                for (const bool dokladna : {false, true}) w.push_back({t, j, je, dokladna});
            }
        }
    }
    return w;
}

python::Wejscie we(const std::vector<double>& v) {
    return {reinterpret_cast<const char*>(v.data()), sizeof(double)};
}
python::Wejscie jedna(const double& x) {
    return {reinterpret_cast<const char*>(&x), 0};
}

TEST(Tablice, TemperaturaJakPrzeliczenia) {
    for (const Ustawienia& u : wszystkieUstawienia()) {
        const std::vector<double> e = emfy(u);
        // A cold junction per row (some refused) and one for all.
        std::vector<double> zimne(e.size());
        const std::vector<double> t = temperatury(u);
        for (std::size_t i = 0; i < e.size(); ++i) zimne[i] = t[(i / 7) % t.size()];
        const double lod = conversions::zCelsjusza(25.0, u.temperatura);
        for (const bool naWiersz : {true, false}) {
            std::vector<Wynik> wzor;
            for (std::size_t i = 0; i < e.size(); ++i) {
                const double tc = naWiersz ? zimne[i] : lod;
                const Wynik z = skonczone(tc, conversions::zimneZlacze(u, tc));
                wzor.push_back(z.dobry() ? skonczone(e[i], conversions::temperatura(u, e[i], z))
                                         : z);
            }
            std::vector<double> wynik(e.size());
            const auto o = python::temperatura(u, we(e), naWiersz ? we(zimne) : jedna(lod),
                                               wynik.data(), e.size(), false);
            porownaj(wynik, wzor, o, "temperatura");
            // Stopping at the first refusal reports the same one.
            const auto s = python::temperatura(u, we(e), naWiersz ? we(zimne) : jedna(lod),
                                               wynik.data(), e.size(), true);
            EXPECT_EQ(s.indeks, o.indeks);
        }
    }
}

TEST(Tablice, EmfSeebeckTolerancjaJakPrzeliczenia) {
    for (const Ustawienia& u : wszystkieUstawienia()) {
        if (u.dokladna) continue;
        const std::vector<double> t = temperatury(u);
        std::vector<double> zimne(t.rbegin(), t.rend());
        std::vector<Wynik> wEmf;
        std::vector<Wynik> wSeebeck;
        std::vector<std::vector<Wynik>> wKlasy(3);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const Wynik ok = skonczone(t[i], {});
            const Wynik z = skonczone(zimne[i], conversions::zimneZlacze(u, zimne[i]));
            const Wynik e = ok.dobry() ? conversions::emf(u, t[i], z) : ok;
            wEmf.push_back(e);
            wSeebeck.push_back(ok.dobry() ? conversions::seebeck(u, t[i]) : ok);
            for (int k = 1; k <= 3; ++k) {
                Wynik w = ok;
                if (w.dobry() && !conversions::wDziedzinie(u, t[i]))
                    w.powod = conversions::Powod::TemperaturaPozaZakresem;
                if (w.dobry())
                    w.wartosc = conversions::odchylkaWJednostce(u.typ, k, t[i], u.temperatura)
                                    .value_or(kNaN);
                wKlasy[static_cast<std::size_t>(k - 1)].push_back(w);
            }
        }
        std::vector<double> wynik(t.size());
        porownaj(wynik, wEmf, python::emf(u, we(t), we(zimne), wynik.data(), t.size(), false),
                 "emf");
        porownaj(wynik, wSeebeck, python::seebeck(u, we(t), wynik.data(), t.size(), false),
                 "seebeck");
        for (int k = 1; k <= 3; ++k) {
            porownaj(wynik, wKlasy[static_cast<std::size_t>(k - 1)],
                     python::tolerancja(u, k, std::nullopt, we(t), wynik.data(), t.size(), false),
                     "tolerancja");
        }
    }
}

}  // namespace
