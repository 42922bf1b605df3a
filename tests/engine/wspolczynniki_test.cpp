#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "its90.h"
#include "wspolczynniki_its90.h"
#include "wspolczynniki_wre.h"

#if !defined(KALVETRA_ITS90_DIR) || !defined(KALVETRA_WRE_DIR)
#error "KALVETRA_ITS90_DIR and KALVETRA_WRE_DIR must name the folders of the coefficient tables"
#endif

namespace {

using Lista = std::vector<std::vector<std::string>>;  // sets of coefficient literals

struct Plik {
    std::map<char, Lista> referencyjne;
    std::map<char, Lista> odwrotne;
    // Per inverse set: lowest and highest mV, lowest and highest error in °C.
    std::map<char, std::array<std::vector<std::string>, 4>> granice;
    std::vector<std::string> wykladnicze;  // K: a0, a1, a2
};

std::vector<std::string> slowa(const std::string& linia) {
    std::istringstream we(linia);
    std::vector<std::string> w;
    for (std::string s; we >> s;) w.push_back(s);
    return w;
}

bool zaczyna(const std::string& linia, std::string_view przedrostek) {
    const auto w = slowa(linia);
    return !w.empty() && w[0].starts_with(przedrostek);
}

// Reference sets follow "range: lo, hi, n" one per line; inverse sets are the
// columns between the "Voltage ... Range:" rows and the "Error" row.
Plik wczytaj(std::istream& we) {
    Plik p;
    std::vector<std::string> linie;
    for (std::string l; std::getline(we, l);) linie.push_back(l);
    char typ = '?';
    for (std::size_t i = 0; i < linie.size(); ++i) {
        const std::string& l = linie[i];
        if (l.starts_with("type: ")) {
            typ = l.at(6);
        } else if (l.starts_with("range: ")) {
            const auto n = std::stoul(l.substr(l.rfind(',') + 1));
            std::vector<std::string> zestaw;
            for (std::size_t k = 1; k <= n + 1; ++k) zestaw.push_back(slowa(linie.at(i + k)).at(0));
            p.referencyjne[typ].push_back(zestaw);
            i += n + 1;
        } else if (l.starts_with("exponential:")) {
            for (std::size_t k = 1; k <= 3; ++k)
                p.wykladnicze.push_back(slowa(linie.at(i + k)).back());
            i += 3;
        } else if (l.starts_with("Inverse coefficients for type ")) {
            const char t = l.at(30);
            while (!zaczyna(linie.at(i), "Voltage")) ++i;
            auto& g = p.granice[t];
            g[0] = slowa(linie.at(i));
            g[1] = slowa(linie.at(i + 1));
            g[0].erase(g[0].begin());
            g[1].erase(g[1].begin());
            i += 2;
            Lista kolumny;
            for (; !zaczyna(linie.at(i), "Error"); ++i) {
                const auto w = slowa(linie[i]);
                if (w.empty()) continue;
                kolumny.resize(w.size());
                for (std::size_t k = 0; k < w.size(); ++k) kolumny[k].push_back(w[k]);
            }
            g[2] = slowa(linie.at(i));
            g[3] = slowa(linie.at(i + 1));
            g[2].erase(g[2].begin());
            g[3].erase(g[3].begin());
            p.odwrotne[t] = kolumny;
        }
    }
    return p;
}

// The literal with its decimal exponent moved: the exact decimal value times
// 10^przesuniecie, rounded to double once, as the engine's literals are.
double przesun(const std::string& literal, int przesuniecie) {
    const std::size_t e = literal.find_first_of("Ee");
    if (e == std::string::npos) return std::strtod(literal.c_str(), nullptr);
    const int wykladnik = std::stoi(literal.substr(e + 1)) + przesuniecie;
    const std::string nowy = literal.substr(0, e) + "E" + std::to_string(wykladnik);
    return std::strtod(nowy.c_str(), nullptr);
}

using Zestawy = std::vector<std::span<const double>>;

// clang-format off
const std::map<char, Zestawy> kReferencyjne{
    {'J', {engine::kJRef1, engine::kJRef2}},
    {'K', {engine::kKRef1, engine::kKRef2}},
    {'T', {engine::kTRef1, engine::kTRef2}},
    {'E', {engine::kERef1, engine::kERef2}},
    {'N', {engine::kNRef1, engine::kNRef2}},
    {'B', {engine::kBRef1, engine::kBRef2}},
    {'R', {engine::kRRef1, engine::kRRef2, engine::kRRef3}},
    {'S', {engine::kSRef1, engine::kSRef2, engine::kSRef3}},
};
const std::map<char, Zestawy> kOdwrotne{
    {'J', {engine::kJInv1, engine::kJInv2, engine::kJInv3}},
    {'K', {engine::kKInv1, engine::kKInv2, engine::kKInv3}},
    {'T', {engine::kTInv1, engine::kTInv2}},
    {'E', {engine::kEInv1, engine::kEInv2}},
    {'N', {engine::kNInv1, engine::kNInv2, engine::kNInv3}},
    {'B', {engine::kBInv1, engine::kBInv2}},
    {'R', {engine::kRInv1, engine::kRInv2, engine::kRInv3, engine::kRInv4}},
    {'S', {engine::kSInv1, engine::kSInv2, engine::kSInv3, engine::kSInv4}},
};
// clang-format on

// Compares one engine set with NIST's; NIST's zeros above the set's last
// coefficient must be zeros. Returns the number of coefficients compared.
int porownaj(std::span<const double> silnik, const std::vector<std::string>& nist, bool odwrotny,
             const std::string& nazwa) {
    EXPECT_LE(silnik.size(), nist.size()) << nazwa;
    int ile = 0;
    for (std::size_t i = 0; i < nist.size(); ++i) {
        const int przesuniecie = odwrotny ? -3 * static_cast<int>(i) : 3;
        const double oczekiwany = przesun(nist[i], przesuniecie);
        const double jest = i < silnik.size() ? silnik[i] : 0.0;
        EXPECT_EQ(jest, oczekiwany) << nazwa << " coefficient " << i << " (NIST " << nist[i] << ")";
        ++ile;
    }
    return ile;
}

std::optional<Plik> nist() {
    std::ifstream plik(std::string(KALVETRA_ITS90_DIR) + "/allcoeff.tab");
    if (!plik) return std::nullopt;
    return wczytaj(plik);
}

// The inverse sub-ranges' EMF bounds and error bands, as the front ends show them.
TEST(NistWspolczynniki, InverseRangesAndBandsArePublishedOnes) {
    const auto plik = nist();
    if (!plik) GTEST_SKIP() << "NIST coefficients not found in " << KALVETRA_ITS90_DIR;
    int ile = 0;
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        if (!plik->granice.contains(litera(typ))) {  // C, A: none published
            EXPECT_TRUE(engine::podzakresyOdwrotnej(typ).empty()) << litera(typ);
            continue;
        }
        const auto& g = plik->granice.at(litera(typ));
        const auto podzakresy = engine::podzakresyOdwrotnej(typ);
        ASSERT_EQ(g[0].size(), podzakresy.size()) << litera(typ);
        for (std::size_t k = 0; k < podzakresy.size(); ++k, ++ile) {
            const auto& p = podzakresy[k];
            SCOPED_TRACE(std::string(1, litera(typ)) + " inv " + std::to_string(k + 1));
            // Where NIST's sets overlap (R, S set 3) the engine's start where the one before ends.
            EXPECT_EQ(p.emf.od, k == 0 ? przesun(g[0][k] + "E0", 3) : podzakresy[k - 1].emf.doo);
            EXPECT_LE(przesun(g[0][k] + "E0", 3), p.emf.od);
            EXPECT_EQ(p.emf.doo, przesun(g[1][k] + "E0", 3));
            EXPECT_EQ(p.bladMin, std::strtod(g[2][k].c_str(), nullptr));
            EXPECT_EQ(p.bladMax, std::strtod(g[3][k].c_str(), nullptr));
        }
    }
    EXPECT_EQ(ile, 23);
}

TEST(NistWspolczynniki, EngineConstantsEqualPublishedOnes) {
    const auto wczytany = nist();
    if (!wczytany) GTEST_SKIP() << "NIST coefficients not found in " << KALVETRA_ITS90_DIR;
    const Plik& nist = *wczytany;

    int ile = 0;
    for (const auto& [typ, zestawy] : kReferencyjne) {
        const Lista& n = nist.referencyjne.at(typ);
        ASSERT_EQ(n.size(), zestawy.size()) << typ;
        for (std::size_t k = 0; k < n.size(); ++k) {
            ile += porownaj(zestawy[k], n[k], false,
                            std::string(1, typ) + " ref " + std::to_string(k + 1));
        }
    }
    for (const auto& [typ, zestawy] : kOdwrotne) {
        const Lista& n = nist.odwrotne.at(typ);
        ASSERT_EQ(n.size(), zestawy.size()) << typ;
        for (std::size_t k = 0; k < n.size(); ++k) {
            ile += porownaj(zestawy[k], n[k], true,
                            std::string(1, typ) + " inv " + std::to_string(k + 1));
        }
    }
    ASSERT_EQ(nist.wykladnicze.size(), 3U);
    EXPECT_EQ(engine::kKExpA0, przesun(nist.wykladnicze[0], 3));
    EXPECT_EQ(engine::kKExpA1, przesun(nist.wykladnicze[1], 0));
    EXPECT_EQ(engine::kKExpA2, przesun(nist.wykladnicze[2], 0));
    // 18 reference sets (161 coefficients), 23 inverse columns (225, zeros included).
    EXPECT_EQ(ile, 161 + 225);
}

// Types C and A, from the file laid out as allcoeff.tab; A's approximate
// inverse follows its reference function there and is not kept.
TEST(WreWspolczynniki, EngineConstantsEqualPublishedOnes) {
    std::ifstream plik(std::string(KALVETRA_WRE_DIR) + "/coefficients.tab");
    if (!plik) GTEST_SKIP() << "coefficients.tab not found in " << KALVETRA_WRE_DIR;
    const Plik wre = wczytaj(plik);
    const std::map<char, Zestawy> kSilnik{{'C', {engine::kCRef1, engine::kCRef2}},
                                          {'A', {engine::kARef}}};
    int ile = 0;
    for (const auto& [typ, zestawy] : kSilnik) {
        const Lista& n = wre.referencyjne.at(typ);
        ASSERT_GE(n.size(), zestawy.size()) << typ;
        for (std::size_t k = 0; k < zestawy.size(); ++k) {
            ile += porownaj(zestawy[k], n[k], false,
                            std::string(1, typ) + " ref " + std::to_string(k + 1));
        }
    }
    EXPECT_EQ(ile, 7 + 7 + 9);
}

}  // namespace
