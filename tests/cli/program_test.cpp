#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "its90.h"
#include "liczby.h"
#include "obliczenia.h"
#include "okno.h"
#include "przebieg.h"
#include "przypadki_typow.h"
#include "termopara.h"

namespace {

std::string krotko(double x) {
    std::array<char, 64> b{};
    const auto [koniec, blad] = std::to_chars(b.data(), b.data() + b.size(), x);
    return {b.data(), koniec};
}

std::string kropka(std::string s) {
    for (char& c : s) c = c == ',' ? '.' : c;
    return s;
}

// The one number of one output line.
double liczba(const std::string& s) {
    const numbers::Odczyt o =
        numbers::czytaj(s.substr(0, s.find('\n')), numbers::Separator::Dowolny);
    EXPECT_EQ(o.stan, numbers::Stan::Liczba) << s;
    return o.wartosc;
}

// A few temperatures across each type's domain, both ends included.
std::vector<double> temperatury(engine::TypTermopary typ) {
    const engine::Zakres d = engine::dziedzinaTemperatury(typ);
    return {d.od, d.od + 0.37, 0.5 * (d.od + d.doo), d.doo - 0.1, d.doo};
}

// With the defaults the numbers are the window's, digit for digit, with
// either separator.
TEST(WindowDigits, EmfTempAndToleranceMatchTheWindow) {
    engine::Termopara tc;
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        tc.Typ = static_cast<std::int16_t>(indeks(typ));
        const std::string litera(1, engine::litera(typ));
        for (const double t : temperatury(typ)) {
            const std::string oczekiwane =
                numbers::doOkna(tc.Temperatura(t) / 1000.0, calculations::kWzorzecEMF);
            EXPECT_EQ(uruchom({"emf", litera, krotko(t), "--decimal-comma"}).dane,
                      oczekiwane + "\n")
                << litera << " " << t;
            EXPECT_EQ(uruchom({"emf", litera, kropka(numbers::doOkna(t, "0.000"))}).dane,
                      kropka(oczekiwane) + "\n");

            std::string wiersz;
            for (int klasa = 1; klasa <= 3; ++klasa) {
                const calculations::Odchylka o = calculations::DopuszczalnyBlad(
                    static_cast<std::int16_t>(indeks(typ)), klasa, t);
                const bool jest = o.rodzaj == calculations::Odchylka::Rodzaj::Stala ||
                                  o.rodzaj == calculations::Odchylka::Rodzaj::Obliczona;
                wiersz +=
                    (klasa > 1 ? "\t" : "") +
                    (jest ? numbers::doOkna(o.wartosc, calculations::kWzorzecOdchylki) : "N/A");
            }
            EXPECT_EQ(uruchom({"tolerance", litera, krotko(t), "--decimal-comma"}).dane,
                      wiersz + "\n");
        }
        const engine::Zakres e = engine::dziedzinaOdwrotnej(typ);
        for (const double uv : {e.od, 0.3 * e.od + 0.7 * e.doo, e.doo}) {
            const double mv = uv / 1000.0;
            const std::string oczekiwane =
                numbers::doOkna(tc.EMF(mv * 1000.0), calculations::kWzorzecTemperatury);
            EXPECT_EQ(uruchom({"temp", litera, krotko(mv)}).dane, kropka(oczekiwane) + "\n")
                << litera << " " << mv;
        }
    }
}

// Halves are rounded away from zero, as the window does; nothing is written
// as "-0".
TEST(WindowDigits, TiesAndNegativeZero) {
    struct Przypadek {
        double x;
        const char* wzorzec;
        int cyfry;
    };
    for (const Przypadek p : {Przypadek{0.125, "0.00", 2},
                              {-0.125, "0.00", 2},
                              {4.25, "####0.0", 1},
                              {2.5, "0", 0},
                              {-0.00004, "0.0000", 4},
                              {1.0005, "0.000", 3},
                              {0.15, "0.0", 1}}) {
        EXPECT_EQ(numbers::tekst(p.x, p.cyfry, true), numbers::doOkna(p.x, p.wzorzec)) << p.x;
    }
    // 0.0025 x 1700 is 4.25 exactly: class 2 of type B at 1700 °C.
    EXPECT_EQ(uruchom({"tolerance", "b", "1700"}).dane, "N/A\t4.3\t8.5\n");
    // 0.0075 x 340 is 2.54999... and 6.75 x 1.8 is 12.15: halves as written.
    EXPECT_EQ(uruchom({"tolerance", "K", "340"}).dane, "1.5\t2.6\tN/A\n");
    EXPECT_EQ(uruchom({"tolerance", "E", "1652", "--unit", "F"}).dane, "N/A\t12.2\tN/A\n");
}

// The shared cases of types C and A, as every front end must give them.
TEST(SharedCases, CommandLineDigits) {
    const auto przypadki = przypadki_typow::wczytaj();
    ASSERT_EQ(przypadki.size(), 14U);
    for (const auto& p : przypadki) {
        std::vector<std::string> argumenty{p.polecenie, p.typ, p.wartosc};
        if (p.zimne != "-") argumenty.insert(argumenty.end(), {"--cold", p.zimne});
        const Przebieg r = uruchom(argumenty);
        EXPECT_EQ(r.dane, p.wynik + "\n") << p.polecenie << " " << p.typ << " " << p.wartosc;
    }
}

// Every temperature read and written is in --unit; every EMF in --emf-unit.
TEST(Units, FahrenheitAndKelvinAgreeWithCelsius) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const std::string l(1, litera(typ));
        for (const double c : temperatury(typ)) {
            const std::string f = krotko(1.8 * c + 32.0);
            const std::string k = krotko(c + 273.15);
            const std::string cs = krotko(c);
            const auto emf = [&](const std::string& t, const char* j) {
                return liczba(uruchom({"emf", l, t, "--unit", j, "--digits", "7"}).dane);
            };
            EXPECT_NEAR(emf(f, "F"), emf(cs, "C"), 2e-7) << l << " " << c;
            EXPECT_NEAR(emf(k, "K"), emf(cs, "C"), 2e-7) << l << " " << c;
            const auto sb = [&](const std::string& t, const char* j) {
                return liczba(uruchom({"seebeck", l, t, "--unit", j, "--digits", "9"}).dane);
            };
            EXPECT_NEAR(sb(f, "F") * 1.8, sb(cs, "C"), 1e-6);
            EXPECT_NEAR(sb(k, "K"), sb(cs, "C"), 1e-6);
        }
        const engine::Zakres e = engine::dziedzinaOdwrotnej(typ);
        const std::string uv = krotko(0.5 * (e.od + e.doo));
        const auto temp = [&](const char* j) {
            return liczba(
                uruchom({"temp", l, uv, "--emf-unit", "uV", "--unit", j, "--digits", "9"}).dane);
        };
        EXPECT_NEAR(temp("F"), 1.8 * temp("C") + 32.0, 1e-8) << l;
        EXPECT_NEAR(temp("K"), temp("C") + 273.15, 1e-8) << l;
    }
    // The ice point of each unit is the default cold junction, and --cold is in --unit.
    EXPECT_EQ(uruchom({"emf", "K", "212", "--unit", "F", "--cold", "32"}).dane, "4.0962\n");
    EXPECT_EQ(uruchom({"emf", "K", "373.15", "--unit", "K"}).dane, "4.0962\n");
    EXPECT_EQ(uruchom({"emf", "K", "100", "--emf-unit", "uV"}).dane, "4096.2\n");
    // A deviation is a width: 1.8 °F per °C, 1 K per °C.
    EXPECT_EQ(uruchom({"tolerance", "K", "1832", "-40", "--unit", "F"}).dane,
              "7.2\t13.5\tN/A\n2.7\t4.5\t4.5\n");
    EXPECT_EQ(uruchom({"tolerance", "K", "1273.15", "--unit", "K"}).dane, "4.0\t7.5\tN/A\n");
}

TEST(ColdJunction, EmfIsTheDifferenceAndTempInvertsIt) {
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        const std::string l(1, litera(typ));
        const engine::Zakres d = engine::dziedzinaTemperatury(typ);
        for (const double tc : {d.od + 10.0, 21.0}) {
            for (const double t : {0.7 * d.od + 0.3 * d.doo, 0.5 * (d.od + d.doo), d.doo - 1.0}) {
                const Przebieg e = uruchom({"emf", l, krotko(t), "--cold", krotko(tc), "--emf-unit",
                                            "uV", "--digits", "9"});
                // A cold junction contributes E(tc) - E(0 °C) (type A's 0.716 µV).
                EXPECT_NEAR(liczba(e.dane),
                            engine::emfZTemperatury(typ, t) - (engine::emfZTemperatury(typ, tc) -
                                                               engine::wiersz(typ).emfPunktuLodu),
                            1e-8);
                const Przebieg r =
                    uruchom({"temp", l, kropka(e.dane.substr(0, e.dane.size() - 1)), "--cold",
                             krotko(tc), "--emf-unit", "uV", "--exact", "--digits", "6"});
                EXPECT_NEAR(liczba(r.dane), t, 1e-5) << l << " " << t << " tc " << tc << r.bledy;
            }
        }
    }
}

// Output formatting: digits, separators, the order of the values, negative
// values among the options.
TEST(Output, DigitsSeparatorsAndNegativeValues) {
    struct Przypadek {
        std::vector<std::string> argumenty;
        std::string dane;
    };
    const std::vector<Przypadek> przypadki = {
        {{"emf", "K", "-100", "--cold", "-5.5"}, "-3.3374\n"},
        {{"emf", "K", "-100", "--cold", "-5,5"}, "-3.3374\n"},
        {{"emf", "k", "100", "-,5", "-.5", "0,5"}, "4.0962\n-0.0197\n-0.0197\n0.0197\n"},
        {{"emf", "K", "100", "--digits", "0"}, "4\n"},
        {{"emf", "K", "100", "--digits", "9", "--decimal-comma"},
         numbers::tekst(engine::emfZTemperatury(engine::TypTermopary::K, 100.0) / 1000.0, 9, true) +
             "\n"},
        {{"emf", "K", "0.001"}, "0.0000\n"},
        {{"emf", "K", "-0.001"}, "0.0000\n"},
        {{"temp", "K", "4,0962"}, uruchom({"temp", "K", "4.0962"}).dane},
        {{"temp", "K", "4096.2", "--emf-unit", "uV", "--digits", "1"}, "100.0\n"},
        {{"seebeck", "K", "0"}, "39.450\n"},
        {{"seebeck", "K", "0", "--decimal-comma", "--digits", "1"}, "39,5\n"},
        {{"tolerance", "K", "375", "376", "-200", "41"},
         "1.5\t2.8\tN/A\n1.5\t2.8\tN/A\n"
         "N/A\tN/A\t3.0\n1.5\t2.5\tN/A\n"},
        {{"tolerance", "R", "1600", "--decimal-comma"}, "2,5\t4,0\tN/A\n"},
        // ASTM E230: standard, then special; 2000 °F is 1093.3 °C.
        {{"tolerance", "K", "550", "1100", "-100", "--standard", "astm"},
         "4.1\t2.2\n8.3\t4.4\n2.2\tN/A\n"},
        {{"tolerance", "C", "2000", "--standard", "astm", "--unit", "F"}, "19.7\tN/A\n"},
        {{"tolerance", "a", "1000", "--standard", "iec"}, "N/A\t10.0\tN/A\n"},
        {{"emf", "K", "--", "-100"}, "-3.5536\n"},
    };
    for (const Przypadek& p : przypadki) {
        const Przebieg r = uruchom(p.argumenty);
        EXPECT_EQ(r.kod, 0) << p.argumenty[0] << " " << p.argumenty[2] << r.bledy;
        EXPECT_EQ(r.dane, p.dane) << p.argumenty[0] << " " << p.argumenty[2];
        EXPECT_EQ(r.bledy, "");
    }
}

// Each refused value is named as typed, with its reason; nothing is printed.
TEST(Refusals, EveryReasonExitsOneWithEmptyStdout) {
    struct Przypadek {
        std::vector<std::string> argumenty;
        std::vector<std::string> bledy;  // each a part of one stderr line
    };
    const std::vector<Przypadek> przypadki = {
        {{"emf", "K", "100", "abc", "1.5.0", "1,5.0"},
         {"„abc”: to nie jest liczba", "„1.5.0”: to nie", "„1,5.0”: to nie"}},
        {{"emf", "K", "nan", "-inf", "1e999"},
         {"„nan”: NaN", "„-inf”: wartość nieskończona", "„1e999”: wartość nieskończona"}},
        {{"emf", "K", "1372.01", "-270.5"},
         {"„1372.01”: temperatura poza zakresem typu K (od -270.00 do 1372.00 °C)", "„-270.5”"}},
        {{"emf", "K", "2600", "--unit", "F"},
         {"„2600”: temperatura poza zakresem typu K (od "
          "-454.00 do 2501.60 °F)"}},
        {{"emf", "K", "100", "--cold", "-300"},
         {"--cold „-300”: temperatura zimnego złącza poza zakresem typu K"}},
        {{"temp", "K", "100", "--cold", "x"}, {"--cold „x”: to nie jest liczba", "„100”: EMF"}},
        {{"temp", "K", "55", "4"},
         {"„55”: EMF (z kompensacją zimnego złącza) poza zakresem typu "
          "K (od -5.891 do 54.886 mV)"}},
        {{"temp", "K", "54", "--cold", "40"}, {"„54”: EMF (z kompensacją"}},
        {{"temp", "B", "0", "--exact"}, {"„0”: tę EMF (z kompensacją zimnego złącza) dają dwie"}},
        {{"seebeck", "T", "401"}, {"„401”: temperatura poza zakresem typu T"}},
        {{"tolerance", "B", "-1", "500"}, {"„-1”: temperatura poza zakresem typu B"}},
        {{"emf", "C", "2315.01"}, {"temperatura poza zakresem typu C (od 0.00 do 2315.00 °C)"}},
        // A's function gives 0.716 µV at 0 °C: no EMF below that is its.
        {{"temp", "A", "0.0007"}, {"poza zakresem typu A (od 0.001 do 33.639 mV)"}},
        {{"table", "K", "--step", "0", "--format", "csv"}, {"--step „0”: krok tabeli musi"}},
        {{"table", "K", "--from", "10", "--to", "5"}, {"--from „10”: początek tabeli"}},
        {{"table", "K", "--from", "-300"}, {"--from „-300”: temperatura poza zakresem"}},
        {{"table", "K", "--step", "1e-5", "--format", "csv"}, {"--step „1e-5”: tabela miałaby"}},
    };
    for (const Przypadek& p : przypadki) {
        const Przebieg r = uruchom(p.argumenty);
        EXPECT_EQ(r.kod, 1) << p.argumenty[2];
        EXPECT_EQ(r.dane, "") << p.argumenty[2];
        const std::vector<std::string> w = wiersze(r.bledy);
        ASSERT_EQ(w.size(), p.bledy.size()) << r.bledy;
        for (std::size_t i = 0; i < w.size(); ++i) {
            EXPECT_EQ(w[i].rfind("kalvetra-cli: odrzucono ", 0), 0U) << w[i];
            EXPECT_NE(w[i].find(p.bledy[i]), std::string::npos) << w[i];
        }
    }
}

TEST(UsageErrors, ExitTwoWithAHintToHelp) {
    struct Przypadek {
        std::vector<std::string> argumenty;
        std::string blad;
        std::string pomoc;
    };
    const std::vector<Przypadek> przypadki = {
        {{}, "nie podano polecenia", "kalvetra-cli --help"},
        {{"convertt", "K"}, "nieznane polecenie „convertt”", "kalvetra-cli --help"},
        {{"--bogus"}, "nieznana opcja „--bogus”", "kalvetra-cli --help"},
        {{"emf", "K", "1", "--bogus"}, "nieznana opcja „--bogus”", "kalvetra-cli emf --help"},
        {{"emf", "K", "1", "-x"}, "nieznana opcja „-x”", "kalvetra-cli emf --help"},
        {{"emf", "X", "1"}, "nieznany typ termopary „X”", "kalvetra-cli emf --help"},
        {{"temp", "KK", "1"}, "nieznany typ termopary „KK”", "kalvetra-cli temp --help"},
        {{"emf"}, "nie podano typu termopary", "kalvetra-cli emf --help"},
        // Without values the values come from standard input: usage is checked first.
        {{"seebeck", "K", "--digits", "12"}, "--digits przyjmuje", "kalvetra-cli seebeck --help"},
        {{"emf", "K", "1", "--cold"}, "opcja --cold wymaga argumentu", "kalvetra-cli emf --help"},
        {{"emf", "K", "1", "--digits", "10"}, "--digits przyjmuje", "kalvetra-cli emf --help"},
        {{"emf", "K", "1", "--digits", "-1"}, "--digits przyjmuje", "kalvetra-cli emf --help"},
        {{"emf", "K", "1", "--unit", "R"}, "jednostka temperatury „R”", "kalvetra-cli emf --help"},
        {{"temp", "K", "1", "--emf-unit", "V"}, "jednostka napięcia „V”", "temp --help"},
        {{"tolerance", "K", "1", "--digits", "2"}, "nieznana opcja „--digits”", "tolerance --help"},
        {{"tolerance", "K", "1", "--standard", "nist"},
         "nieznana norma „nist”",
         "tolerance --help"},
        {{"table", "K", "--format", "xml"}, "nieznany format „xml”", "table --help"},
        {{"table", "K", "--step", "0.5"}, "co 1 stopień", "table --help"},
        {{"table", "K", "--from", "0.5"}, "--from musi być liczbą całkowitą", "table --help"},
    };
    for (const Przypadek& p : przypadki) {
        const Przebieg r = uruchom(p.argumenty);
        const std::string opis = p.argumenty.empty() ? "" : p.argumenty.back();
        EXPECT_EQ(r.kod, 2) << opis;
        EXPECT_EQ(r.dane, "") << opis;
        const std::vector<std::string> w = wiersze(r.bledy);
        ASSERT_EQ(w.size(), 2U) << r.bledy;
        EXPECT_NE(w[0].find(p.blad), std::string::npos) << w[0];
        EXPECT_NE(w[1].find(p.pomoc), std::string::npos) << w[1];
    }
}

// Only "--options" are options, on every system: "/…" is a value or a file
// name, and "/?" the help. The common system errors read the same everywhere.
TEST(Arguments, SlashIsAValueAndSystemErrorsArePolish) {
    const std::string odrzucono = "kalvetra-cli: odrzucono 2. wartość „";
    const std::string nieMa = "kalvetra-cli: nie można otworzyć „";
    const std::vector<std::pair<std::vector<std::string>, std::string>> przypadki = {
        {{"emf", "K", "1", "/x"}, odrzucono + "/x”: to nie jest liczba\n"},
        {{"emf", "K", "1", "/unit:F"}, odrzucono + "/unit:F”: to nie jest liczba\n"},
        {{"convert", "K", "--to", "temp", "/data/log.csv"},
         nieMa + "/data/log.csv”: nie ma takiego pliku\n"},
        {{"convert", "K", "--to", "emf", "brak ż.csv"},
         nieMa + "brak ż.csv”: nie ma takiego pliku\n"},
        {{"convert", "K", "--to", "emf", "."}, nieMa + ".”: to folder, a nie plik\n"},
        {{"/?"}, ""},
        {{"emf", "/?"}, ""},
    };
    for (const auto& [argumenty, bledy] : przypadki) {
        const Przebieg r = uruchom(argumenty);
        std::vector<std::string> pomoc = argumenty;
        pomoc.back() = "--help";
        EXPECT_EQ(r.kod, bledy.empty() ? 0 : bledy.starts_with(nieMa) ? 2 : 1) << argumenty.back();
        EXPECT_EQ(r.bledy, bledy);
        EXPECT_EQ(r.dane, bledy.empty() ? uruchom(pomoc).dane : "");
    }
}

TEST(Help, EverySubcommandHasPolishHelpAndTheVersion) {
    const Przebieg h = uruchom({"--help"});
    EXPECT_EQ(h.kod, 0);
    EXPECT_NE(h.dane.find("Użycie: kalvetra-cli"), std::string::npos);
    for (const char* p : {"emf", "temp", "tolerance", "seebeck", "table"}) {
        EXPECT_NE(h.dane.find(std::string("  ") + p + " "), std::string::npos) << p;
        const Przebieg s = uruchom({p, "--help"});
        EXPECT_EQ(s.kod, 0);
        EXPECT_NE(s.dane.find(std::string("Użycie: kalvetra-cli ") + p), std::string::npos);
        EXPECT_NE(s.dane.find("--unit"), std::string::npos) << p;
    }
    const Przebieg v = uruchom({"--version"});
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(v.dane, std::string("kalvetra-cli ") + KALVETRA_WERSJA_TESTU + "\n");
}

#ifndef _WIN32
// The built program itself: its streams and exit statuses (on Windows:
// tests/windows).
TEST(Binary, StreamsAndExitStatuses) {
    struct Przypadek {
        std::string argumenty;
        int kod;
        std::string dane;
    };
    for (const Przypadek& p : {Przypadek{"emf K -100 --cold -5.5 2>/dev/null", 0, "-3.3374\n"},
                               {"emf K 5000 2>/dev/null", 1, ""},
                               {"emf K 1 --nope 2>/dev/null", 2, ""},
                               {"emf K 5000 2>&1 >/dev/null", 1,
                                "kalvetra-cli: odrzucono „5000”: temperatura poza zakresem typu K "
                                "(od -270.00 do 1372.00 °C)\n"},
                               // convert's bytes pass unchanged, CRLF included.
                               {"convert K --to emf --column 2 2>&1 <<'E'\na,0\r\nb,x\nE", 1,
                                "a,0,0.0000\r\nb,x,\n2: to nie jest liczba (pole 2)\n"
                                "kalvetra-cli: odrzucone wiersze: 1 z 2\n"},
                               {"convert K --to emf 2>&1 >/dev/full <<'E'\n0\nE", 2,
                                "kalvetra-cli: błąd zapisu wyniku\n"}}) {
        const std::string polecenie = std::string(KALVETRA_CLI) + " " + p.argumenty;
        FILE* potok = popen(polecenie.c_str(), "r");
        ASSERT_NE(potok, nullptr);
        std::string dane;
        std::array<char, 256> b{};
        for (std::size_t n = 0; (n = fread(b.data(), 1, b.size(), potok)) > 0;) {
            dane.append(b.data(), n);
        }
        const int status = pclose(potok);
        ASSERT_TRUE(WIFEXITED(status)) << polecenie;
        EXPECT_EQ(WEXITSTATUS(status), p.kod) << polecenie;
        EXPECT_EQ(dane, p.dane) << polecenie;
    }
}
#endif

}  // namespace
