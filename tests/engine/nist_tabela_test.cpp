#include "nist_tabela.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "its90.h"
#include "termopara.h"
#include "typ_termopary.h"

#ifndef KALVETRA_ITS90_DIR
#error "KALVETRA_ITS90_DIR must name the folder holding NIST's all.tab"
#endif

namespace {

using nist_tabela::kLitery;
using nist_tabela::Tabela;
using nist_tabela::wczytaj;

TEST(NistTabela, EveryTableValueMatches) {
    const std::string sciezka = std::string(KALVETRA_ITS90_DIR) + "/all.tab";
    std::ifstream plik(sciezka);
    if (!plik) GTEST_SKIP() << "NIST table not found: " << sciezka;

    const Tabela tab = wczytaj(plik);
    for (const auto& b : tab.bledy) ADD_FAILURE() << b;
    ASSERT_TRUE(tab.bledy.empty());
    ASSERT_EQ(tab.wartosci.size(), 12026U);

    // Every whole degree of each type's range, nothing more.
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        if (!nist_tabela::wTabeli(typ)) continue;
        const auto d = engine::dziedzinaTemperatury(typ);
        for (int t = static_cast<int>(std::ceil(d.od)); t <= static_cast<int>(std::floor(d.doo));
             ++t) {
            EXPECT_EQ(tab.wartosci.count({static_cast<int>(indeks(typ)), t}), 1U)
                << litera(typ) << " " << t;
        }
    }

    engine::Termopara tc;
    std::size_t zgodne = 0;
    int pokazane = 0;
    for (const auto& [klucz, uv] : tab.wartosci) {
        tc.Typ = static_cast<std::int16_t>(klucz.first);
        const double wynik = tc.Temperatura(klucz.second);
        if (std::llround(wynik) == uv) {
            ++zgodne;
        } else if (pokazane++ < 20) {
            ADD_FAILURE() << kLitery[static_cast<std::size_t>(klucz.first)] << " at "
                          << klucz.second << " °C: " << wynik << " µV, table " << uv << " µV";
        }
    }
    std::cout << "NIST all.tab: " << zgodne << "/" << tab.wartosci.size() << " values match\n";
    RecordProperty("nist_matches", static_cast<int>(zgodne));
    EXPECT_EQ(zgodne, tab.wartosci.size());
}

// The parser itself, on a few rows laid out as in the file.
TEST(NistTabela, ParserReadsBothDirections) {
    std::istringstream we(
        " ITS-90 Table for type E thermocouple\n"
        " \xC2\xB0"
        "C      0     -1     -2     -3     -4     -5     -6     -7     -8     -9    -10 \n"
        "                               Thermoelectric Voltage in mV\n"
        "\n"
        "-270 -9.835\n"
        "-260 -9.797 -9.802 -9.808 -9.813 -9.817 -9.821 -9.825 -9.828 -9.831 -9.833 -9.835\n"
        "   0  0.000 -0.059 -0.117 -0.176 -0.234 -0.292 -0.350 -0.408 -0.466 -0.524 -0.582\n"
        " ITS-90 Table for type E thermocouple\n"
        " \xC2\xB0"
        "C      0      1      2      3      4      5      6      7      8      9     10   \n"
        "   0  0.000  0.059  0.118  0.176  0.235  0.294  0.354  0.413  0.472  0.532  0.591  \n"
        "************************************\n"
        "range: -270.000, 0.000, 13\n"
        "  0.000000000000E+00\n");
    const Tabela tab = wczytaj(we);
    EXPECT_TRUE(tab.bledy.empty());
    EXPECT_EQ(tab.wartosci.size(), 1U + 10U + 11U + 10U);  // repeats counted once
    const auto w = [&](int t) { return tab.wartosci.at({3, t}); };
    EXPECT_EQ(w(-270), -9835);
    EXPECT_EQ(w(-263), -9813);
    EXPECT_EQ(w(-3), -176);
    EXPECT_EQ(w(0), 0);
    EXPECT_EQ(w(3), 176);
    EXPECT_EQ(w(10), 591);
}

}  // namespace
