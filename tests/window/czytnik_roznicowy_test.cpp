// The window's number reader against the QLocale reader it replaced, text by
// text: the same verdict, and the same double bit for bit.
#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "okno.h"

namespace {

TEST(WindowReader, SameVerdictsAsTheQLocaleReader) {
    const QLocale polski(QLocale::Polish, QLocale::Poland);
    // clang-format off
    std::vector<std::string> teksty = {
        "inf", "-inf", "+inf", "INF", "Infinity", "nan", "NaN", "+nan", "0x10", "1_000", "\uFF11",
        "4,9e-324", "2e-324", "2,4703282292062328e-324", "2,4703282292062329e-324",
        "1,7976931348623157e308", "1,7976931348623159e308", "1" + std::string(400, '0'),
        "0," + std::string(400, '0') + "1", std::string(800, '9') + "e-700",
        std::string(100000, '1'), "0," + std::string(99998, '0'), "\xC2", "1\xC2", "\3771",
        "\301\2401", std::string("1\0002", 3)};
    // clang-format on
    // The boxes' texts of the fuzz seeds: after two bytes, texts up to a NUL,
    // or (bits 2 and 3 of the first byte) a double as the target writes it.
    for (const auto& wpis : std::filesystem::directory_iterator(KALVETRA_KORPUS)) {
        std::stringstream bajty;
        bajty << std::ifstream(wpis.path(), std::ios::binary).rdbuf();
        const std::string d = bajty.str();
        const auto tryb = d.empty() ? 3U : static_cast<unsigned char>(d[0]) + 0U;
        for (std::size_t i = 2, bit = 4; i < d.size() && (tryb & 3U) != 3 && bit <= 8; bit *= 2) {
            const bool liczba = (tryb & bit) != 0;
            const std::size_t koniec =
                liczba ? std::min(i + 8, d.size()) : std::min(d.find('\0', i), d.size());
            double x = 0.0;
            if (liczba) std::memcpy(&x, d.data() + i, koniec - i);
            teksty.push_back(liczba ? polski.toString(x, 'g', 17).toStdString()
                                    : d.substr(i, koniec - i));
            i = liczba ? koniec : koniec + 1;
        }
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
    const std::function<void(std::size_t, const std::string&)> sklej = [&](std::size_t i,
                                                                           const std::string& t) {
        if (i == czesci.size()) return teksty.push_back(t);
        for (const auto& c : czesci[i]) sklej(i + 1, t + c);
    };
    sklej(0, "");
    std::size_t przyjete = 0;
    for (const auto& t : teksty) {
        // The replaced reader, as the window called it on its UTF-8 texts.
        bool ok = false;
        const double stary = polski.toDouble(QString::fromUtf8(t.data(), std::ssize(t)), &ok);
        const auto nowy = numbers::zOkna(t);
        ASSERT_EQ(nowy.has_value(), ok && std::isfinite(stary)) << "[" << t << "]";
        if (nowy) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*nowy), std::bit_cast<std::uint64_t>(stary))
                << t;
            ++przyjete;
        }
    }
    std::printf("%zu texts compared, %zu accepted by both\n", teksty.size(), przyjete);
}

}  // namespace
