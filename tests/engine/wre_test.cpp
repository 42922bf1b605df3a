#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "its90.h"
#include "typ_termopary.h"
#include "wspolczynniki_wre.h"

#ifndef KALVETRA_WRE_DIR
#error "KALVETRA_WRE_DIR must name the folder holding coefficients.tab and check_values.tab"
#endif

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Typ {
    char litera;
    engine::TypTermopary typ;
    double tabela;  // µV: how far a published table value may lie from E
};
// A's tables are said to agree with its function within a few µV; C's 37.070
// mV is the function rounded.
constexpr Typ kTypy[] = {{'C', engine::TypTermopary::C, 0.5}, {'A', engine::TypTermopary::A, 3.0}};

const Typ* typ(char litera) {
    for (const Typ& t : kTypy) {
        if (t.litera == litera) return &t;
    }
    return nullptr;
}

std::string plik(const char* nazwa) {
    std::ifstream we(std::string(KALVETRA_WRE_DIR) + "/" + nazwa);
    std::ostringstream s;
    s << we.rdbuf();
    return s.str();
}

// Exact values rounded to 1e-9 mV: a transcribed digit or an evaluation
// worse than a few ulps moves them.
TEST(Wre, CheckValuesWithinTwoNanovolts) {
    std::istringstream we(plik("check_values.tab"));
    if (we.str().empty()) GTEST_SKIP() << "check_values.tab not found in " << KALVETRA_WRE_DIR;
    int ile = 0;
    for (std::string linia; std::getline(we, linia);) {
        if (linia.empty() || linia[0] == '#') continue;
        std::istringstream w(linia);
        char l = 0;
        double t = 0.0;
        double mv = 0.0;
        ASSERT_TRUE(w >> l >> t >> mv) << linia;
        const Typ* p = typ(l);
        ASSERT_TRUE(p) << linia;
        EXPECT_NEAR(engine::emfZTemperatury(p->typ, t) / 1000.0, mv, 2e-9) << linia;
        ++ile;
    }
    EXPECT_EQ(ile, 100);
}

// The published table values listed in coefficients.tab's closing comment
// ("# type A, GOST table: 100 °C 1.337, ...").
TEST(Wre, PublishedTableValues) {
    std::istringstream we(plik("coefficients.tab"));
    if (we.str().empty()) GTEST_SKIP() << "coefficients.tab not found in " << KALVETRA_WRE_DIR;
    const std::regex kTyp("type ([A-Z])\\b");
    const std::regex kWartosc(
        "(\\d+) \xC2\xB0"
        "C (\\d+\\.\\d{3})");
    const Typ* p = nullptr;
    bool tabele = false;
    int ile = 0;
    for (std::string linia; std::getline(we, linia);) {
        tabele = tabele || linia.starts_with("# Published table values");
        if (!tabele) continue;
        std::smatch m;
        if (std::regex_search(linia, m, kTyp)) p = typ(m[1].str()[0]);
        for (auto it = std::sregex_iterator(linia.begin(), linia.end(), kWartosc);
             it != std::sregex_iterator(); ++it, ++ile) {
            ASSERT_TRUE(p) << linia;
            const double t = std::stod((*it)[1].str());
            const double uv = std::stod((*it)[2].str()) * 1000.0;
            EXPECT_NEAR(engine::emfZTemperatury(p->typ, t), uv, p->tabela) << p->litera << " " << t;
        }
    }
    EXPECT_EQ(ile, 7);
}

double horner(std::span<const double> c, long double t) {
    long double e = 0.0L;
    for (std::size_t i = c.size(); i-- > 0;) e = e * t + c[i];
    return static_cast<double>(e);
}

// The split is 630.615 °C, not 783 °C, and 630.615 belongs to the upper set
// (the check values are computed that way).
TEST(Wre, TypeCSetsMeetAtTheirSplit) {
    constexpr double kPodzial = 630.615;
    EXPECT_NEAR(horner(engine::kCRef1, kPodzial), horner(engine::kCRef2, kPodzial), 0.2);
    EXPECT_GT(std::fabs(horner(engine::kCRef1, 783.0) - horner(engine::kCRef2, 783.0)), 40.0);
    const double ponizej = std::nextafter(kPodzial, -kInf);
    EXPECT_NEAR(engine::emfZTemperatury(engine::TypTermopary::C, ponizej),
                horner(engine::kCRef1, ponizej), 1e-9);
    EXPECT_NEAR(engine::emfZTemperatury(engine::TypTermopary::C, kPodzial),
                horner(engine::kCRef2, kPodzial), 1e-9);
}

// Every hundredth of a degree and both sides of the split: back to the start
// within 1e-9 °C, and the "polynomial" inverse, one value or a run of them, is
// the exact one. C's lower set ends 0.14 nV above where the upper one starts,
// so within 8e-6 °C of the split two temperatures share each EMF.
TEST(Wre, ExactInverseRoundTrip) {
    for (const Typ& p : kTypy) {
        const auto d = engine::dziedzinaTemperatury(p.typ);
        std::vector<double> t{d.od, d.doo, 630.615, std::nextafter(630.615, -kInf)};
        for (int k = 0; k * 0.01 < d.doo; ++k) t.push_back(d.od + k * 0.01);
        std::vector<double> e(t.size());
        engine::emfBlok(p.typ, t.data(), e.data(), t.size());
        std::vector<double> blok(e.size());
        engine::temperaturaZEmfBlok(p.typ, e.data(), blok.data(), e.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            const auto x = engine::temperaturaDokladna(p.typ, e[i]);
            ASSERT_TRUE(x) << p.litera << " at " << t[i];
            const bool dwa = p.typ == engine::TypTermopary::C && std::fabs(t[i] - 630.615) < 1e-5;
            ASSERT_NEAR(*x, t[i], dwa ? 1e-5 : 1e-9) << p.litera << " at " << t[i];
            ASSERT_EQ(std::bit_cast<std::uint64_t>(engine::temperaturaZEmf(p.typ, e[i])),
                      std::bit_cast<std::uint64_t>(*x));
            ASSERT_EQ(std::bit_cast<std::uint64_t>(blok[i]), std::bit_cast<std::uint64_t>(*x));
        }
    }
}

// No polynomial: its domain is the exact inverse's, E(0) to E(top); outside
// it nothing, and NaN where a number must come back.
TEST(Wre, InverseRefusedBeyondItsDomain) {
    for (const Typ& p : kTypy) {
        const auto t = engine::dziedzinaTemperatury(p.typ);
        const auto u = engine::dziedzinaDokladnej(p.typ);
        EXPECT_TRUE(engine::podzakresyOdwrotnej(p.typ).empty());
        EXPECT_EQ(engine::dziedzinaOdwrotnej(p.typ).od, u.od);
        EXPECT_EQ(engine::dziedzinaOdwrotnej(p.typ).doo, u.doo);
        EXPECT_EQ(u.od, engine::emfZTemperatury(p.typ, t.od));
        EXPECT_EQ(u.doo, engine::emfZTemperatury(p.typ, t.doo));
        EXPECT_NEAR(*engine::temperaturaDokladna(p.typ, u.od), t.od, 1e-9) << p.litera;
        EXPECT_NEAR(*engine::temperaturaDokladna(p.typ, u.doo), t.doo, 1e-9) << p.litera;
        std::vector<double> poza{std::nextafter(u.od, -kInf),
                                 std::nextafter(u.doo, kInf),
                                 -1.0,
                                 1e6,
                                 kInf,
                                 -kInf,
                                 std::numeric_limits<double>::quiet_NaN()};
        std::vector<double> blok(poza.size());
        engine::temperaturaZEmfBlok(p.typ, poza.data(), blok.data(), poza.size());
        for (std::size_t i = 0; i < poza.size(); ++i) {
            EXPECT_FALSE(engine::temperaturaDokladna(p.typ, poza[i])) << p.litera << poza[i];
            EXPECT_TRUE(std::isnan(engine::temperaturaZEmf(p.typ, poza[i]))) << poza[i];
            EXPECT_TRUE(std::isnan(blok[i])) << poza[i];
        }
    }
    // A's function gives 0.716 µV at 0 °C, so no EMF below that is its.
    EXPECT_NEAR(engine::dziedzinaDokladnej(engine::TypTermopary::A).od, 0.716, 0.0005);
}

}  // namespace
