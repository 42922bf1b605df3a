#include "katalog.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

namespace {

// Characters as the window counts them: UTF-8 code points, not bytes.
std::size_t znaki(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++n;
    }
    return n;
}

struct Oczekiwany {
    std::string_view nazwa;
    std::string_view sklad;
    std::string_view symbol;
    std::string_view zakres;
};

// clang-format off
constexpr Oczekiwany kOczekiwane[] = {
    {"Termopara J", "Żelazo/miedź-nikiel lub żelazo/konstantan", "Fe-CuNi",
     "-210°C do 1200°C (-8.095 mV do 69.553 mV)"},
    {"Termopara K", "Nikiel-chrom/nikiel-aluminium\"", "NiCr-NiAl",
     "-270°C do 1372°C (-5.891 mV do 54.886 mV)"},
    {"Termopara T", "Miedź/miedź-nikiel lub miedź/konstantan", "Cu-CuNi",
     "-270°C do 400°C (-5.603 mV do 20.872 mV)"},
    {"Termopara E", "Nikiel-chrom/miedź-nikiel lub nikiel-chrom/konstantan", "NiCr-CuNi",
     "-270°C do 1000°C (-8.825 mV do 76.373 mV)"},
    {"Termopara N", "Nikiel-chrom-krzem/nikiel-krzem", "NiCrSi-NiSi",
     "-270°C do 1300°C (-3.990 mV do 47.513 mV)"},
    {"Termopara B", "Platyna-30% rod/platyna-6% rod", "PtRh30-PtRh6",
     "0°C do 1820°C (0.291 mV do 13.820 mV)"},
    {"Termopara R", "Platyna-13% rod/platyna", "PtRh13-Pt",
     "-50°C do 1768°C (-0.226 mV do 21.103 mV)"},
    {"Termopara S", "Platyna-10% rod/platyna", "PtRh10-Pt",
     "-50°C do 1768°C (-0.235 mV do 18.693 mV)"},
    {"Termopara C", "Wolfram-5% ren/wolfram-26% ren", "W5Re-W26Re",
     "0°C do 2315°C (0.000 mV do 37.070 mV)"},
    {"Termopara A", "Wolfram-5% ren/wolfram-20% ren", "W5Re-W20Re",
     "0°C do 2500°C (0.001 mV do 33.640 mV)"},
};
// clang-format on

TEST(Katalog, TextsAreExact) {
    static_assert(std::size(kOczekiwane) == engine::kLiczbaTypow);
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        SCOPED_TRACE(i);
        const auto& typ = engine::kTypy[i];
        EXPECT_EQ(typ.nazwa, kOczekiwane[i].nazwa);
        EXPECT_EQ(typ.sklad, kOczekiwane[i].sklad);
        EXPECT_EQ(typ.symbol, kOczekiwane[i].symbol);
        EXPECT_EQ(typ.zakres, kOczekiwane[i].zakres);
    }
}

TEST(Katalog, IndexOrderIsJKTENBRSCA) {
    constexpr std::string_view kLitery = "JKTENBRSCA";
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        const std::string_view nazwa = engine::kTypy[i].nazwa;
        EXPECT_EQ(znaki(nazwa), 11U) << nazwa;
        EXPECT_EQ(nazwa.substr(0, 10), "Termopara ");
        EXPECT_EQ(nazwa.back(), kLitery[i]) << "index " << i;
    }
    // The menu lists S before R; the index order does not.
    EXPECT_EQ(engine::kTypy[6].nazwa, "Termopara R");
    EXPECT_EQ(engine::kTypy[7].nazwa, "Termopara S");
}

TEST(Katalog, NotableTexts) {
    const std::string_view skladK = engine::kTypy[1].sklad;
    EXPECT_EQ(znaki(skladK), 30U);
    EXPECT_EQ(skladK.back(), '"');

    // 'ź' and 'ż' are two bytes each.
    const std::string_view skladE = engine::kTypy[3].sklad;
    EXPECT_EQ(znaki(skladE), 53U);
    EXPECT_GT(skladE.size(), znaki(skladE));
    EXPECT_TRUE(skladE.ends_with("konstantan"));

    EXPECT_EQ(znaki(engine::kTypy[2].zakres), 40U);
    EXPECT_TRUE(engine::kTypy[5].zakres.starts_with("0°C do "));
}

}  // namespace
