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

constexpr std::string_view kLitery = kLiteryTypow;

bool calkowita(const std::string& s) {
    std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

// "-9.835" -> -9835: mV with exactly three decimals, read as whole µV.
std::optional<long long> mikrowolty(const std::string& s) {
    const bool minus = !s.empty() && s[0] == '-';
    const std::size_t kropka = s.find('.');
    if (kropka == std::string::npos || s.size() - kropka != 4) return std::nullopt;
    const std::string calosc = s.substr(minus ? 1 : 0, kropka - (minus ? 1 : 0));
    const std::string ulamek = s.substr(kropka + 1);
    if (calosc.empty() || !calkowita(calosc) || !calkowita(ulamek) || ulamek[0] == '-') {
        return std::nullopt;
    }
    const long long wartosc = std::stoll(calosc) * 1000 + std::stoll(ulamek);
    return minus ? -wartosc : wartosc;
}

struct Tabela {
    std::map<std::pair<int, int>, long long> wartosci;  // (Typ, °C) -> µV
    std::vector<std::string> bledy;
};

// all.tab holds each type's table in blocks of rows "base v0 v1 ... v10". In a
// block whose column header runs 0, -1, -2, ... the columns go towards colder
// temperatures (row -260 column 3 is -263 °C). Column 10 repeats the next
// row's column 0 and 0 °C appears in both signs' blocks; repeats must agree.
// The coefficient sections between the tables are not table rows.
Tabela wczytaj(std::istream& we) {
    Tabela tab;
    int typ = -1;
    int kierunek = 0;
    std::string linia;
    int nr = 0;
    while (std::getline(we, linia)) {
        ++nr;
        std::istringstream slowa(linia);
        std::vector<std::string> t;
        for (std::string s; slowa >> s;) t.push_back(s);
        if (t.empty()) continue;
        if (linia.find("ITS-90 Table for type") != std::string::npos) {
            const std::size_t p = linia.find("type ") + 5;
            const std::size_t i = kLitery.find(linia.at(p));
            typ = i == std::string_view::npos ? -1 : static_cast<int>(i);
            kierunek = 0;
            if (typ < 0) tab.bledy.push_back("unknown type in line " + std::to_string(nr));
            continue;
        }
        if (t[0][0] == '*') {  // a coefficient section starts
            typ = -1;
            continue;
        }
        if (typ < 0) continue;
        if (t[0].ends_with("C") && t.size() == 12) {  // the "°C 0 1 2 ..." header
            kierunek = t[2] == "-1" ? -1 : (t[2] == "1" ? 1 : 0);
            if (kierunek == 0) tab.bledy.push_back("bad header in line " + std::to_string(nr));
            continue;
        }
        if (linia.find("Thermoelectric Voltage in mV") != std::string::npos) continue;
        if (!calkowita(t[0]) || t.size() < 2 || t.size() > 12 || kierunek == 0) {
            tab.bledy.push_back("unexpected line " + std::to_string(nr) + ": " + linia);
            continue;
        }
        const int podstawa = std::stoi(t[0]);
        for (std::size_t k = 1; k < t.size(); ++k) {
            const auto uv = mikrowolty(t[k]);
            if (!uv) {
                tab.bledy.push_back("bad value in line " + std::to_string(nr) + ": " + t[k]);
                continue;
            }
            const int stopnie = podstawa + kierunek * static_cast<int>(k - 1);
            const auto [it, nowy] = tab.wartosci.try_emplace({typ, stopnie}, *uv);
            if (!nowy && it->second != *uv) {
                tab.bledy.push_back("repeated value differs in line " + std::to_string(nr));
            }
        }
    }
    return tab;
}

TEST(NistTabela, EveryTableValueMatches) {
    const std::string sciezka = std::string(KALVETRA_ITS90_DIR) + "/all.tab";
    std::ifstream plik(sciezka);
    if (!plik) GTEST_SKIP() << "NIST table not found: " << sciezka;

    const Tabela tab = wczytaj(plik);
    for (const auto& b : tab.bledy) ADD_FAILURE() << b;
    ASSERT_TRUE(tab.bledy.empty());
    ASSERT_EQ(tab.wartosci.size(), 12026U);

    // Every whole degree of each type's range, nothing more.
    for (const TypTermopary typ : kWszystkieTypy) {
        const auto d = its90::dziedzinaTemperatury(typ);
        for (int t = static_cast<int>(std::ceil(d.od)); t <= static_cast<int>(std::floor(d.doo));
             ++t) {
            EXPECT_EQ(tab.wartosci.count({static_cast<int>(indeks(typ)), t}), 1U)
                << litera(typ) << " " << t;
        }
    }

    Termopara tc;
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
