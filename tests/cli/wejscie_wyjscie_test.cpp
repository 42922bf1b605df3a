#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "platforma.h"
#include "program.h"
#include "przebieg.h"
#include "typ_termopary.h"

namespace {

// A shell command with every "@" replaced by the built program; its exit
// status and standard output.
Przebieg powloka(const std::string& polecenie) {
    std::string p;
    for (const char c : polecenie) p += c == '@' ? std::string(KALVETRA_CLI) : std::string(1, c);
    FILE* potok = popen(p.c_str(), "r");
    std::string dane;
    std::array<char, 256> b{};
    for (std::size_t n = 0; potok != nullptr && (n = fread(b.data(), 1, b.size(), potok)) > 0;) {
        dane.append(b.data(), n);
    }
    const int status = potok != nullptr ? pclose(potok) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dane, p};
}

const std::vector<std::string> kKazdyZapis = {"table K",     "emf K 1",       "temp K 1",
                                              "seebeck K 1", "tolerance K 1", "--help",
                                              "--version",   "emf --help",    "echo 1 2 | @ emf K"};

// A failed write is a failure, said on stderr; a reader gone says nothing.
TEST(WriteFailures, EverySubcommandExitsTwo) {
    for (const std::string& a : kKazdyZapis) {
        const std::string polecenie = a.find('@') != std::string::npos ? a : "@ " + a;
        for (const char* dokad : {" 2>&1 >/dev/full", " 2>&1 >&-"}) {
            const Przebieg r = powloka(polecenie + dokad);
            EXPECT_EQ(r.kod, 2) << r.bledy;
            EXPECT_EQ(r.dane, "kalvetra-cli: błąd zapisu wyniku\n") << r.bledy;
        }
    }
    // With SIGPIPE ignored a closed pipe is EPIPE: still no message.
    const Przebieg r =
        powloka("(trap '' PIPE; @ table K --format csv --step 0.01 | head -c1 >/dev/null) 2>&1");
    EXPECT_EQ(r.dane, "");
    struct Przerwane final : platform::Wyjscie {
        bool pisz(std::string_view /*bajty*/) override { return false; }
        bool splucz() override { return false; }
        [[nodiscard]] bool przerwane() const override { return true; }
    } przerwane;
    std::ostream zepsute(nullptr);
    std::ostringstream bledy;
    EXPECT_EQ(
        cli::uruchom(std::vector<std::string>{"table", "K"}, zepsute, bledy, przerwane, przerwane),
        2);
    EXPECT_EQ(bledy.str(), "");
}

// Every value reaches its message (and convert's file name) exactly as typed.
TEST(ValuesAsTyped, NegativeLookingArguments) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> przypadki = {
        {{"convert", "K", "--to", "temp", "--", "-1"}, "„-1”"},
        {{"convert", "K", "--to", "temp", "--", "-.5"}, "„-.5”"},
        {{"convert", "K", "--to", "-.5"}, "„-.5”"},
        {{"convert", "K", "--to", "temp", "--column", "-1"}, "„-1”"},
        {{"emf", "K", "1", "--digits", "-1"}, "„-1”"},
        {{"emf", "K", "1", "--unit", "-.5"}, "„-.5”"},
        {{"temp", "K", "1", "--emf-unit", "-inf"}, "„-inf”"},
        {{"table", "K", "--format", "-nan"}, "„-nan”"},
        {{"emf", "-inf", "1"}, "„-inf”"},
        {{"emf", "K", "-e5"}, "nieznana opcja „-e5”"},
    };
    for (const auto& [argumenty, oczekiwane] : przypadki) {
        const Przebieg r = uruchom(argumenty);
        EXPECT_EQ(r.kod, 2) << r.bledy;
        EXPECT_NE(r.bledy.find(oczekiwane), std::string::npos) << r.bledy;
    }
}

// One verdict per magnitude, however the number is written.
TEST(Reader, LongDigitStringsAreReadByMagnitude) {
    const std::string zera(400, '0');
    EXPECT_NE(uruchom({"emf", "K", "1" + zera}).bledy.find("wartość nieskończona"),
              std::string::npos);
    EXPECT_NE(uruchom({"emf", "K", "-" + zera + "1" + zera + ",5"}).bledy.find("nieskończona"),
              std::string::npos);
    EXPECT_EQ(uruchom({"emf", "K", "0." + zera + "1", zera + ".0e-9999999999999999999999"}).dane,
              "0.0000\n0.0000\n");
}

// Nothing beyond a domain is accepted, and each printed bound is.
TEST(Domains, BoundsAreExactAndPrintedBoundsAccepted) {
    for (const auto& [a, kod] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"emf", "K", "1372.000001"}, 1},
             {{"emf", "T", "400.000001"}, 1},
             {{"emf", "K", "-270.000001"}, 1},
             {{"temp", "K", "54.886001"}, 1},
             {{"emf", "S", "3214.58", "--unit", "F"}, 0},
             {{"emf", "K", "1645.15", "--unit", "K"}, 0},
             {{"temp", "J", "-8095", "--emf-unit", "uV"}, 0},
             {{"temp", "J", "-8095.001", "--emf-unit", "uV"}, 1},
             {{"temp", "J", "-8.095"}, 0}}) {
        EXPECT_EQ(uruchom(a).kod, kod) << a[2];
    }
    const Przebieg k = uruchom({"temp", "K", "54.886", "--cold", "20"});
    EXPECT_NE(k.bledy.find("przy zimnym złączu 20.00 °C: od -6.689 do 54.087 mV)"),
              std::string::npos)
        << k.bledy;
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        for (const std::vector<std::string>& opcje :
             std::vector<std::vector<std::string>>{{"temp"},
                                                   {"temp", "--exact", "--cold", "20"},
                                                   {"temp", "--emf-unit", "uV", "--cold", "5,5"},
                                                   {"emf", "--unit", "F"},
                                                   {"emf", "--unit", "K"}}) {
            std::vector<std::string> a{opcje[0], std::string(1, litera(typ)), "1e6"};
            a.insert(a.end(), opcje.begin() + 1, opcje.end());
            const std::string b = uruchom(a).bledy;
            const std::size_t od = b.rfind("od ");
            const std::size_t doo = b.rfind(" do ");
            ASSERT_NE(od, std::string::npos) << b;
            a[2] = b.substr(od + 3, doo - od - 3);
            a.insert(a.begin() + 3, b.substr(doo + 4, b.find(' ', doo + 4) - doo - 4));
            const Przebieg r = uruchom(a);
            EXPECT_EQ(r.kod, 0) << b << r.bledy;
        }
    }
}

// Values from standard input, line by line as they arrive.
TEST(StandardInput, AnswersEachValueAsItArrives) {
    const Przebieg e = powloka("printf '0 100\\nx\\n\\n2000 -' | @ emf K 2>&1");
    EXPECT_EQ(e.kod, 1);
    EXPECT_EQ(e.dane,
              "0.0000\n4.0962\n\n\n\n2: „x”: to nie jest liczba\n"
              "4: „2000”: temperatura poza zakresem typu K (od -270.00 do 1372.00 °C)\n"
              "4: „-”: to nie jest liczba\nkalvetra-cli: odrzucone wartości: 3 z 5\n");
    for (const char* a : {"temp K -", "seebeck K", "tolerance K -"}) {
        const std::string s(a);
        const Przebieg r = powloka("echo 4 | @ " + s);
        EXPECT_EQ(r.kod, 0);
        EXPECT_EQ(r.dane, uruchom({s.substr(0, s.find(' ')), "K", "4"}).dane) << a;
    }
    // A UTF-8 byte-order mark in front of the values is no part of the first.
    for (const char* a : {"emf K", "temp K", "seebeck K", "tolerance K"}) {
        const std::string s(a);
        const Przebieg r = powloka("printf '\\357\\273\\2774 5\\n' | @ " + s);
        EXPECT_EQ(r.kod, 0) << a;
        EXPECT_EQ(r.dane, uruchom({s.substr(0, s.find(' ')), "K", "4", "5"}).dane) << a;
    }
    // The first answer comes while the input stalls.
    EXPECT_EQ(powloka("{ echo 100; sleep 3; echo 200; } | @ emf K | timeout 2 head -n1").dane,
              "4.0962\n");
    // Among typed values, the refused one's position.
    EXPECT_NE(uruchom({"emf", "K", "1", "abc", "3"}).bledy.find("odrzucono 2. wartość „abc”"),
              std::string::npos);
}

std::size_t znaki(const std::string& s) {
    std::size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return n;
}

// The help wraps at 80 columns, and the man page has every option it has.
TEST(Help, WrappedAndInTheManPage) {
    const std::string strona = cli::podrecznik("2026-12-08");
    for (const char* p : {"", "emf", "temp", "tolerance", "seebeck", "table", "convert"}) {
        std::vector<std::string> a{"--help"};
        if (*p != '\0') a.insert(a.begin(), p);
        const std::string pomoc = uruchom(a).dane;
        for (const std::string& w : wiersze(pomoc)) EXPECT_LE(znaki(w), 80U) << w;
        for (const std::string& w : wiersze(pomoc)) {
            const std::size_t i = w.find("  -");
            if (i != 0 || w.size() < 4) continue;
            std::string opcja = w.substr(2, w.find(' ', 2) - 2);
            opcja = opcja.substr(opcja.rfind(',') + 1);
            std::string wRoff;
            for (const char c : opcja) wRoff += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(strona.find(wRoff), std::string::npos) << p << " " << opcja;
        }
        EXPECT_EQ(pomoc.find("μ"), std::string::npos);  // the Greek letter, not µ
    }
}

}  // namespace
