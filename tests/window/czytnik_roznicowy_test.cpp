// The window's number reader against the QLocale reader it replaced, text by
// text: the same verdict, and the same double bit for bit.
#include <gtest/gtest.h>

#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "okno.h"

namespace {

// The replaced reader, as the window called it on its UTF-8 texts.
std::optional<double> staryCzytnik(const std::string& tekst) {
    static const QLocale polski(QLocale::Polish, QLocale::Poland);
    bool ok = false;
    const double x = polski.toDouble(
        QString::fromUtf8(QByteArrayView(tekst.data(), static_cast<qsizetype>(tekst.size()))), &ok);
    if (!ok || !std::isfinite(x)) return std::nullopt;
    return x;
}

// The input boxes' texts of a fuzz corpus entry, decoded as the fuzz target does.
void zKorpusu(const std::string& d, std::vector<std::string>& teksty) {
    if (d.size() < 2 || (d[0] & 3) == 3) return;
    std::size_t i = 2;
    for (const int bit : {4, 8}) {
        if ((d[0] & bit) != 0) {
            double x = 0.0;
            const std::size_t ile = std::min(sizeof x, d.size() - i);
            std::memcpy(&x, d.data() + i, ile);
            i += ile;
            teksty.push_back(QLocale(QLocale::Polish).toString(x, 'g', 17).toStdString());
        } else {
            const std::size_t koniec = std::min(d.find('\0', i), d.size());
            teksty.push_back(d.substr(i, koniec - i));
            i = std::min(koniec + 1, d.size());
        }
    }
}

TEST(WindowReader, SameVerdictsAsTheQLocaleReader) {
    std::vector<std::string> teksty = {"",
                                       ",",
                                       " ",
                                       "e",
                                       "-",
                                       "+",
                                       "inf",
                                       "-inf",
                                       "+inf",
                                       "INF",
                                       "Infinity",
                                       "nan",
                                       "NaN",
                                       "+nan",
                                       "0x10",
                                       "1_000",
                                       "1'000",
                                       "\u0661",
                                       "\uFF11",
                                       "4,9e-324",
                                       "2e-324",
                                       "2,4703282292062328e-324",
                                       "2,4703282292062329e-324",
                                       "1,7976931348623157e308",
                                       "1,7976931348623159e308",
                                       "1" + std::string(400, '0'),
                                       "0," + std::string(400, '0') + "1",
                                       std::string(800, '9') + "e-700",
                                       std::string(100000, '1'),
                                       "0," + std::string(99998, '0'),
                                       "\xC2",
                                       "1\xC2",
                                       "\xFF"
                                       "1",
                                       "\xC1\xA0"
                                       "1",
                                       "1\0"
                                       "2"};
    teksty.back().assign("1\0002", 3);
    for (const auto& wpis : std::filesystem::directory_iterator(KALVETRA_KORPUS)) {
        std::ifstream plik(wpis.path(), std::ios::binary);
        zKorpusu({std::istreambuf_iterator<char>(plik), {}}, teksty);
    }
    // Every combination of these parts, in this order.
    const std::vector<std::vector<std::string>> czesci = {
        {"", " ", "\t", "\u00A0", "\u2009", "\u3000", "\uFEFF", "\u200B"},
        {"", "+", "-", "\u2212", "--", "+-", "\u2013"},
        {"",
         "0",
         "7",
         "007",
         "12",
         "123",
         "1234",
         "12345",
         "1 234",
         "12 345",
         "1\u00A0234",
         "12\u00A0345\u00A0678",
         "1234 567",
         "12345 678",
         "12 34",
         "12  345",
         "12\u202F345",
         "\u0661\u0662",
         "12 345 6789",
         "123 456 789 012"},
        {"", ",", ",5", ",25", ",000", ".5", ",5,5", ", 5", ",123 456", "."},
        {"", "e", "E", "e5", "E-3", "e+2", "e-400", "e400", "e99999999999", "e 5", "e\u22125",
         "e+-1", "ee1"},
        {"", " ", "\u00A0", "\n", "x", " \u00A0", "%"}};
    std::vector<std::size_t> k(czesci.size(), 0);
    for (bool dalej = true; dalej;) {
        std::string t;
        for (std::size_t i = 0; i < czesci.size(); ++i) t += czesci[i][k[i]];
        teksty.push_back(t);
        dalej = false;
        for (std::size_t i = czesci.size(); i-- > 0 && !dalej;) {
            dalej = ++k[i] < czesci[i].size();
            if (!dalej) k[i] = 0;
        }
    }
    std::size_t przyjete = 0;
    for (const auto& t : teksty) {
        const auto stary = staryCzytnik(t);
        const auto nowy = liczby::zOkna(t);
        ASSERT_EQ(nowy.has_value(), stary.has_value()) << "[" << t << "]";
        if (stary) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*nowy), std::bit_cast<std::uint64_t>(*stary))
                << "[" << t << "]";
            ++przyjete;
        }
    }
    std::printf("%zu texts compared, %zu accepted by both\n", teksty.size(), przyjete);
}

}  // namespace
