// The exact inverse at the edges of what it can answer: type B below its
// inverse polynomials, values printed to any number of digits, and the
// bounds that refusals name.
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>

#include "its90.h"
#include "liczby.h"
#include "przeliczenia.h"

namespace {

using conversions::JednostkaEmf;
using conversions::Powod;
using conversions::Ustawienia;
using conversions::Wynik;

constexpr auto C = conversions::JednostkaTemperatury::C;
constexpr auto mV = JednostkaEmf::mV;
constexpr auto uV = JednostkaEmf::uV;

Wynik czytaj(const std::string& tekst) {
    return conversions::odczyt(tekst, numbers::Separator::Kropka);
}

Wynik wstecz(const Ustawienia& u, const std::string& tekst, const conversions::ZimneZlacze& z) {
    const Wynik e = czytaj(tekst);
    return e.dobry() ? conversions::temperatura(u, e.wartosc, z.emf) : e;
}

TEST(Dokladna, TypeBAnsweredWhereOneTemperatureGivesTheEmf) {
    constexpr auto B = engine::TypTermopary::B;
    struct Przypadek {
        const char* emf;
        bool dokladna;
        std::optional<double> zimne;  // °C
        Powod powod;
    };
    // clang-format off
    const Przypadek przypadki[] = {
        {"0.1",    true,  std::nullopt, Powod::Brak},
        {"0.0001", true,  std::nullopt, Powod::Brak},
        {"0.29",   true,  std::nullopt, Powod::Brak},
        {"0.1",    true,  20.0,         Powod::Brak},
        {"0",      true,  std::nullopt, Powod::EmfDwuznaczne},
        {"-0.002", true,  std::nullopt, Powod::EmfDwuznaczne},
        {"0.002",  true,  20.0,         Powod::EmfDwuznaczne},  // -0.6 µV compensated
        {"-0.01",  true,  std::nullopt, Powod::EmfPozaZakresem},  // below B's minimum
        {"0.1",    false, std::nullopt, Powod::EmfPozaZakresem},  // NIST's polynomials
    };
    // clang-format on
    for (const Przypadek& p : przypadki) {
        const Ustawienia u{B, C, mV, p.dokladna};
        const auto z = p.zimne ? conversions::zimneZOdczytu(u, {Powod::Brak, *p.zimne})
                               : conversions::punktLodu(C);
        const Wynik t = wstecz(u, p.emf, z);
        SCOPED_TRACE(std::string(p.emf) + " mV " + conversions::opis(t.powod, u, 0, &z));
        ASSERT_EQ(t.powod, p.powod);
        if (t.dobry()) {
            EXPECT_GT(t.wartosc, 41.0);
            const double skompensowana = czytaj(p.emf).wartosc * 1000.0 + z.emf.wartosc;
            EXPECT_NEAR(engine::emfZTemperatury(B, t.wartosc), skompensowana, 1e-6);
        }
    }
}

// What `emf` prints for a temperature of the domain, at any --digits, reads
// back through the exact inverse: within half a unit of its last digit an
// end is the end.
TEST(Dokladna, PrintedEmfOfTheDomainReadsBack) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const engine::Zakres d = engine::dziedzinaTemperatury(typ);
        for (const JednostkaEmf je : {mV, uV}) {
            const Ustawienia u{typ, C, je, true};
            for (const double t : {d.od, d.doo}) {
                const Wynik e = conversions::emf(u, t, conversions::punktLodu(C).emf);
                ASSERT_TRUE(e.dobry());
                const auto dwuznaczne = engine::emfDwuznaczne(typ);
                for (int cyfry = 0; cyfry <= 9; ++cyfry) {
                    const std::string tekst = numbers::tekst(e.wartosc, cyfry, false);
                    const double m = conversions::naMikrowolty(czytaj(tekst).wartosc, je);
                    if (dwuznaczne && dwuznaczne->zawiera(m)) continue;  // B at 0 °C
                    const Wynik r = wstecz(u, tekst, conversions::punktLodu(C));
                    EXPECT_TRUE(r.dobry()) << litera(typ) << " " << t << " °C: " << tekst << " "
                                           << conversions::symbol(je);
                }
            }
        }
    }
}

// The bounds that type B's refusals name are accepted when typed back.
TEST(Dokladna, TypeBRefusalsNameAcceptedBounds) {
    const std::regex granice(R"(od (-?[0-9.]+) do (-?[0-9.]+) )");
    for (const JednostkaEmf je : {mV, uV}) {
        const Ustawienia u{engine::TypTermopary::B, C, je, true};
        for (const double tc : {0.0, 20.0, 80.0}) {
            const auto z = conversions::zimneZOdczytu(u, {Powod::Brak, tc});
            for (const Powod p : {Powod::EmfPozaZakresem, Powod::EmfDwuznaczne}) {
                const std::string opis = conversions::opis(p, u, 0, &z);
                std::smatch m;
                ASSERT_TRUE(std::regex_search(opis, m, granice)) << opis;
                for (const std::string& g : {m[1].str(), m[2].str()}) {
                    EXPECT_TRUE(wstecz(u, g, z).dobry()) << opis << ": " << g;
                }
            }
        }
    }
}

}  // namespace
