#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "its90.h"
#include "liczby.h"
#include "nist_tabela.h"
#include "przebieg.h"

#ifndef KALVETRA_ITS90_DIR
#error "KALVETRA_ITS90_DIR must name the folder holding NIST's all.tab"
#endif

namespace {

// "table --format nist" of every type, read by the same reader as NIST's
// all.tab, gives every one of its values.
TEST(NistTable, EveryTypeReadsBackAsAllTab) {
    const std::string sciezka = std::string(KALVETRA_ITS90_DIR) + "/all.tab";
    std::ifstream plik(sciezka);
    if (!plik) GTEST_SKIP() << "NIST table not found: " << sciezka;
    const nist_tabela::Tabela nist = nist_tabela::wczytaj(plik);
    ASSERT_TRUE(nist.bledy.empty());

    std::string wszystkie;
    for (const char typ : nist_tabela::kLitery) {
        const Przebieg r = uruchom({"table", std::string(1, typ)});
        ASSERT_EQ(r.kod, 0) << r.bledy;
        wszystkie += r.dane;
    }
    std::istringstream we(wszystkie);
    const nist_tabela::Tabela nasza = nist_tabela::wczytaj(we);
    for (const auto& b : nasza.bledy) ADD_FAILURE() << b;
    EXPECT_EQ(nasza.wartosci.size(), 12026U);
    std::size_t rozne = 0;
    for (const auto& [klucz, uv] : nist.wartosci) {
        const auto it = nasza.wartosci.find(klucz);
        if (it == nasza.wartosci.end() || it->second != uv) {
            if (rozne++ < 10) ADD_FAILURE() << klucz.first << " " << klucz.second << " °C";
        }
    }
    EXPECT_EQ(rozne, 0U);
    EXPECT_EQ(nasza.wartosci, nist.wartosci);
}

// The layout of a part of a table: NIST's header and unit lines, blank
// cells before the range, the row ended after it, a title naming the type
// and the cold junction.
TEST(NistTable, PartialRowsAndColdJunction) {
    const Przebieg r = uruchom({"table", "K", "--from", "-12", "--to", "5", "--cold", "21,5"});
    ASSERT_EQ(r.kod, 0) << r.bledy;
    const std::string n =
        " \u00b0C      0     -1     -2     -3     -4     -5     -6     -7     -8  "
        "   -9    -10";
    const std::string p =
        " \u00b0C      0      1      2      3      4      5      6      7      8  "
        "    9     10";
    const std::string tytul = " Tabela ITS-90 dla termopary typu K, zimne złącze w 21.5 °C";
    const std::string mv = "                              Napięcie termoelektryczne w mV";
    // A row: its label, then 7-wide cells of E(t) - E(21.5 °C), blank before the range.
    const auto wiersz = [](const char* etykieta, int od, int ile, int znak, int puste) {
        std::string w = etykieta;
        w += std::string(7U * static_cast<std::size_t>(puste), ' ');
        for (int k = 0; k < ile; ++k) {
            const double t = od + znak * k;
            const std::string c =
                numbers::tekst((engine::emfZTemperatury(engine::TypTermopary::K, t) -
                                engine::emfZTemperatury(engine::TypTermopary::K, 21.5)) /
                                   1000.0,
                               3, false);
            w += std::string(7 - c.size(), ' ') + c;
        }
        return w;
    };
    const std::vector<std::string> oczekiwane = {tytul,
                                                 n,
                                                 mv,
                                                 "",
                                                 wiersz(" -10", -10, 3, -1, 0),
                                                 wiersz("   0", 0, 11, -1, 0),
                                                 "",
                                                 n,
                                                 "",
                                                 tytul,
                                                 p,
                                                 mv,
                                                 "",
                                                 wiersz("   0", 0, 6, 1, 0),
                                                 "",
                                                 p,
                                                 ""};
    EXPECT_EQ(wiersze(r.dane), oczekiwane);

    const Przebieg s = uruchom({"table", "J", "--from", "5", "--to", "12"});
    const std::vector<std::string> w = wiersze(s.dane);
    ASSERT_GE(w.size(), 6U);
    // 0..4 °C blank, 5..10 °C written; the next row repeats 10 °C and ends at 12 °C.
    constexpr std::size_t kPuste = 35;  // five 7-wide cells
    EXPECT_EQ(w[4].substr(0, 4 + kPuste), "   0" + std::string(kPuste, ' '));
    EXPECT_NE(w[4][4 + kPuste + 6], ' ');
    EXPECT_EQ(w[4].size(), 4U + 11U * 7U);
    EXPECT_EQ(w[5].size(), 4U + 3U * 7U);
    EXPECT_EQ(w[5].substr(0, 11), "  10" + w[4].substr(w[4].size() - 7));
}

TEST(CsvTable, HeaderStepsAndSeparators) {
    struct Przypadek {
        std::vector<std::string> argumenty;
        std::vector<std::string> wiersze;
    };
    const std::vector<Przypadek> przypadki = {
        {{"table", "K", "--format", "csv", "--from", "-1", "--to", "1"},
         {"temperatura [°C],emf [mV]", "-1,-0.039", "0,0.000", "1,0.039"}},
        {{"table", "K", "--format", "csv", "--from", "0", "--to", "0,5", "--step", "0.25",
          "--decimal-comma", "--digits", "4"},
         {"temperatura [°C];emf [mV]", "0,00;0,0000", "0,25;0,0099", "0,50;0,0197"}},
        // The last step lands short of --to; 0.1 steps do not drift.
        {{"table", "T", "--format", "csv", "--from", "0", "--to", "0.35", "--step", "0.1"},
         {"temperatura [°C],emf [mV]", "0.0,0.000", "0.1,0.004", "0.2,0.008", "0.3,0.012"}},
        {{"table", "K", "--format", "csv", "--unit", "F", "--from", "32", "--to", "212", "--step",
          "180"},
         {"temperatura [°F],emf [mV]", "32,0.000", "212,4.096"}},
    };
    for (const Przypadek& p : przypadki) {
        const Przebieg r = uruchom(p.argumenty);
        EXPECT_EQ(r.kod, 0) << r.bledy;
        EXPECT_EQ(wiersze(r.dane), p.wiersze);
    }
    // The default range: the type's whole domain in whole degrees of the unit.
    const std::vector<std::string> k =
        wiersze(uruchom({"table", "K", "--format", "csv", "--unit", "K"}).dane);
    ASSERT_EQ(k.size(), 1U + 1645U - 4U + 1U);
    EXPECT_EQ(k[1].substr(0, 2), "4,");
    EXPECT_EQ(k.back().substr(0, 5), "1645,");
}

}  // namespace
