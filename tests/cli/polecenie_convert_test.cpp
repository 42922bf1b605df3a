#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "program.h"

namespace {

struct Wynik {
    int status;
    std::string dane;
    std::string bledy;
};

Wynik uruchom(const std::vector<std::string>& argumenty) {
    std::ostringstream dane;
    std::ostringstream bledy;
    const int status = cli::uruchom(argumenty, dane, bledy);
    return {status, dane.str(), bledy.str()};
}

class PlikTymczasowy {
  public:
    explicit PlikTymczasowy(const std::string& tresc) {
        const int fd = ::mkstemp(sciezka_.data());
        if (fd >= 0) ::close(fd);
        std::ofstream(sciezka_, std::ios::binary) << tresc;
    }
    ~PlikTymczasowy() { std::remove(sciezka_.c_str()); }
    PlikTymczasowy(const PlikTymczasowy&) = delete;
    PlikTymczasowy& operator=(const PlikTymczasowy&) = delete;

    [[nodiscard]] const std::string& sciezka() const { return sciezka_; }

  private:
    std::string sciezka_ = "/tmp/kalvetra_convert_XXXXXX";
};

// The results of convert, one per row, must be the digits that temp or emf
// print for the same values with the same options.
TEST(Polecenie, WynikiTakieJakTempIEmf) {
    struct Przypadek {
        const char* typ;
        const char* cel;
        std::vector<std::string> opcje;
        std::vector<std::string> wartosci;
    };
    const Przypadek przypadki[] = {
        {"K", "temp", {}, {"-5.891", "0", "4.096", "20.5", "54.886", "1e-3"}},
        {"K", "temp", {"--exact", "--digits", "6"}, {"-6.45", "-5.9", "0.001", "54.886"}},
        {"J",
         "temp",
         {"--emf-unit", "uV", "--unit", "F", "--cold", "77"},
         {"-8000", "1000", "68000"}},
        {"S", "temp", {"--decimal-comma", "--digits", "4", "--cold", "21,5"}, {"0,5", "18,5"}},
        {"B", "temp", {"--unit", "K", "--exact"}, {"0.5", "13.82"}},
        {"K", "emf", {}, {"-270", "0", "25.5", "1372"}},
        {"T", "emf", {"--unit", "K", "--emf-unit", "uV", "--cold", "300"}, {"73.15", "673.15"}},
        {"N", "emf", {"--decimal-comma", "--digits", "0"}, {"-200,5", "1300"}},
        {"E", "emf", {"--unit", "F", "--cold", "-40"}, {"-454", "1832"}},
    };
    for (const Przypadek& p : przypadki) {
        const bool przecinek = !p.opcje.empty() && p.opcje[0] == "--decimal-comma";
        std::string plik;
        for (const std::string& w : p.wartosci) plik += w + "\n";
        const PlikTymczasowy wejscie(plik);
        std::vector<std::string> konwersja{"convert", p.typ, "--to", p.cel, wejscie.sciezka()};
        std::vector<std::string> pojedynczo{p.cel, p.typ};
        konwersja.insert(konwersja.end(), p.opcje.begin(), p.opcje.end());
        pojedynczo.insert(pojedynczo.end(), p.wartosci.begin(), p.wartosci.end());
        pojedynczo.insert(pojedynczo.end(), p.opcje.begin(), p.opcje.end());

        const Wynik k = uruchom(konwersja);
        const Wynik j = uruchom(pojedynczo);
        SCOPED_TRACE(plik + k.bledy + j.bledy);
        ASSERT_EQ(k.status, 0);
        ASSERT_EQ(j.status, 0);
        std::string wyniki;
        std::istringstream linie(k.dane);
        for (std::string linia; std::getline(linie, linia);) {
            wyniki += linia.substr(linia.rfind(przecinek ? ';' : ',') + 1) + "\n";
        }
        EXPECT_EQ(wyniki, j.dane);
    }
}

TEST(Polecenie, OdrzuconeWierszeDajaStatus1IPodsumowanie) {
    // NIST table: 2.271 mV at 56 °C, 2.312 at 57; E(20 °C) = 0.798 mV.
    const PlikTymczasowy wejscie("emf;zimne\n1,5;20\nabc;20\n1,5\n");
    const Wynik w = uruchom({"convert", "k", "--to", "temp", "--cold-column", "2", "--header",
                             "--decimal-comma", wejscie.sciezka()});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.dane, "emf;zimne;temperature_C\n1,5;20;56,68\nabc;20;\n1,5;\n");
    EXPECT_EQ(w.bledy,
              "3: to nie jest liczba (pole 1)\n4: brak pola 2\n"
              "kalvetra-cli: odrzucone wiersze: 2 z 3\n");
}

TEST(Polecenie, BledyWywolaniaToStatus2BezDanych) {
    const PlikTymczasowy wejscie("0\n");
    const std::string& f = wejscie.sciezka();
    const std::vector<std::vector<std::string>> wywolania = {
        {"convert", "K", f},
        {"convert", "K", "--to", "temperature", f},
        {"convert", "X", "--to", "temp", f},
        {"convert", "K", "--to", "temp", "--cold", "0", "--cold-column", "2", f},
        {"convert", "K", "--to", "temp", "--column", "0", f},
        {"convert", "K", "--to", "temp", "--cold-column", "x", f},
        {"convert", "K", "--to", "temp", "--delimiter", ";;", f},
        {"convert", "K", "--to", "temp", "--delimiter", "\"", f},
        {"convert", "K", "--to", "temp", "--digits", "10", f},
        {"convert", "K", "--to", "temp", "--unit", "R", f},
        {"convert", "K", "--to", "temp", f, "drugi"},
    };
    for (const auto& a : wywolania) {
        const Wynik w = uruchom(a);
        std::string wywolanie;
        for (const std::string& s : a) wywolanie += s + " ";
        SCOPED_TRACE(wywolanie + w.bledy);
        EXPECT_EQ(w.status, 2);
        EXPECT_EQ(w.dane, "");
        EXPECT_TRUE(w.bledy.ends_with("\nSpróbuj „kalvetra-cli convert --help”.\n"));
        EXPECT_EQ(std::count(w.bledy.begin(), w.bledy.end(), '\n'), 2);
    }
    // A refused --cold is a refused value, as in emf and temp: status 1.
    for (const std::string zimne : {"2000", "nan"}) {
        const Wynik w = uruchom({"convert", "K", "--to", "temp", "--cold", zimne, f});
        EXPECT_EQ(w.status, 1) << zimne;
        EXPECT_EQ(w.dane, "");
        EXPECT_EQ(w.bledy.rfind("kalvetra-cli: odrzucono --cold „" + zimne + "”: ", 0), 0U);
    }
    const Wynik brak = uruchom({"convert", "K", "--to", "temp", "/nie/ma/takiego/pliku"});
    EXPECT_EQ(brak.status, 2);
    EXPECT_EQ(brak.dane, "");
    EXPECT_NE(brak.bledy.find("/nie/ma/takiego/pliku"), std::string::npos);
}

// A delimiter that a number or the added result may contain would cut a
// value in two: refused, naming the clash, before any row is read.
TEST(Polecenie, SeparatorWLiczbieToBladWywolania) {
    const PlikTymczasowy wejscie("1,5\n");
    const std::pair<std::vector<std::string>, const char*> przypadki[] = {
        {{",", "--decimal-comma"}, "dziesiętny wyników"},
        {{"."}, "dziesiętny wyników"},
        {{"5"}, "(cyfra)"},
        {{"-"}, "(znak liczby)"},
        {{"E"}, "(wykładnik)"},
        {{"N"}, "nan)"},
        {{"y"}, "infinity"},
        {{"\""}, "cudzysłowie"},
        {{"\n"}, "końcem linii"},
        {{"¦"}, "jeden bajt"},
        {{"_", "--header"}, "„temperature_C”"},
    };
    for (const auto& [opcje, powod] : przypadki) {
        std::vector<std::string> a{"convert",         "K",          "--to", "temp",
                                   wejscie.sciezka(), "--delimiter"};
        a.insert(a.end(), opcje.begin(), opcje.end());
        const Wynik w = uruchom(a);
        EXPECT_EQ(w.status, 2) << powod;
        EXPECT_EQ(w.dane, "");
        EXPECT_NE(w.bledy.find(powod), std::string::npos) << w.bledy;
    }
}

// Either decimal separator is read where the delimiter is not one, results
// follow --decimal-comma, and a field temp reads is read whatever its length.
TEST(Polecenie, PolaCzytaneJakWartosciTemp) {
    const std::string t = uruchom({"temp", "K", "1.5"}).dane.substr(0, 5);
    const std::string tp = uruchom({"temp", "K", "1.5", "--decimal-comma"}).dane.substr(0, 5);
    const std::string dlugie = std::string(100, ' ') + "01.50" + std::string(100, ' ');
    const std::pair<std::vector<std::string>, std::string> przypadki[] = {
        {{"--delimiter", ";"}, "1,5;x\n1.5\n"},
        {{"--delimiter", "\\t", "--decimal-comma"}, "1.5\n1,5\n"},
        {{"--delimiter", ".", "--decimal-comma"}, "1,5.x\n"},
        {{}, "1.5,1,5\n" + dlugie + "\n"},
    };
    for (const auto& [opcje, tresc] : przypadki) {
        const PlikTymczasowy wejscie(tresc);
        std::vector<std::string> a{"convert", "K", "--to", "temp", wejscie.sciezka()};
        a.insert(a.end(), opcje.begin(), opcje.end());
        const Wynik w = uruchom(a);
        const bool przecinek = opcje.size() == 3;
        const char s = opcje.empty() ? ',' : (opcje[1] == "\\t" ? '\t' : opcje[1][0]);
        std::string oczekiwane;
        std::istringstream linie(tresc);
        for (std::string l; std::getline(linie, l);)
            oczekiwane += l + s + (przecinek ? tp : t) + "\n";
        EXPECT_EQ(w.status, 0) << w.bledy;
        EXPECT_EQ(w.dane, oczekiwane);
    }
}

TEST(Polecenie, SeparatorTabulatorIPomoc) {
    const PlikTymczasowy wejscie("a\t0\n");
    const Wynik w = uruchom(
        {"convert", "K", "--to", "temp", "--column", "2", "--delimiter", "\\t", wejscie.sciezka()});
    EXPECT_EQ(w.dane, "a\t0\t0.00\n");
    const Wynik pomoc = uruchom({"convert", "--help"});
    EXPECT_EQ(pomoc.status, 0);
    for (const char* opcja :
         {"--to", "--column", "--cold", "--cold-column", "--delimiter", "--decimal-comma",
          "--header", "--exact", "--unit", "--emf-unit", "--digits"}) {
        EXPECT_NE(pomoc.dane.find(opcja), std::string::npos) << opcja;
    }
}

// With --header, columns may be named exactly as the header names them.
TEST(Polecenie, KolumnyPoNazwie) {
    const PlikTymczasowy wejscie(
        "\xEF\xBB\xBF"
        "czas;\"emf;mV\";zimne\r\n1;1,5;20\r\n");
    const std::string& f = wejscie.sciezka();
    const std::vector<std::string> opcje{"convert",         "K", "--to", "temp", "--header",
                                         "--decimal-comma", f};
    const auto z = [&](std::vector<std::string> dodatkowe) {
        dodatkowe.insert(dodatkowe.begin(), opcje.begin(), opcje.end());
        return uruchom(dodatkowe);
    };
    const Wynik numery = z({"--column", "2", "--cold-column", "3"});
    const Wynik nazwy = z({"--column", "emf;mV", "--cold-column", "zimne"});
    EXPECT_EQ(nazwy.status, 0) << nazwy.bledy;
    EXPECT_EQ(nazwy.dane, numery.dane);
    EXPECT_NE(nazwy.dane.find("56,68"), std::string::npos) << nazwy.dane;
    const PlikTymczasowy dwa("a,a,b\n1,2,3\n");
    for (const auto& [a, blad] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--column", "emf"}, "nie ma kolumny „emf”"},
             {{"--cold-column", "Zimne"}, "nie ma kolumny „Zimne”"},
             {{"--column", "a", "--header", dwa.sciezka()}, "„a” występuje w nagłówku więcej"},
         }) {
        std::vector<std::string> w{"convert", "K", "--to", "temp", "--header"};
        if (a.size() == 2) w.insert(w.end(), {"--decimal-comma", f});
        w.insert(w.end(), a.begin(), a.begin() + 2);
        if (a.size() == 4) w.push_back(a[3]);
        const Wynik r = uruchom(w);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.dane, "");
        EXPECT_NE(r.bledy.find(blad), std::string::npos) << r.bledy;
    }
    const Wynik bezNaglowka = uruchom({"convert", "K", "--to", "temp", "--column", "czas", f});
    EXPECT_EQ(bezNaglowka.status, 2);
}

// UTF-16 (as PowerShell 5's ">" writes) is refused before any output, with
// its name and the way to UTF-8; numbered and named columns alike.
TEST(Polecenie, Utf16OdrzuconyZRada) {
    const auto utf16 = [](std::string_view tekst, bool le) {
        std::string s = le ? "\xFF\xFE" : "\xFE\xFF";
        for (const char c : tekst) s += le ? std::string{c, '\0'} : std::string{'\0', c};
        return s;
    };
    const std::tuple<bool, std::vector<std::string>, const char*> przypadki[] = {
        {true, {}, "UTF-16 LE"},
        {false, {}, "UTF-16 BE"},
        {true, {"--header", "--column", "emf"}, "UTF-16 LE"},
    };
    for (const auto& [le, opcje, nazwa] : przypadki) {
        const PlikTymczasowy wejscie(utf16("emf,x\n1.5,2\n", le));
        std::vector<std::string> a{"convert", "K", "--to", "temp", wejscie.sciezka()};
        a.insert(a.end(), opcje.begin(), opcje.end());
        const Wynik w = uruchom(a);
        EXPECT_EQ(w.status, 2) << nazwa;
        EXPECT_EQ(w.dane, "");
        EXPECT_NE(w.bledy.find(nazwa), std::string::npos) << w.bledy;
        EXPECT_NE(w.bledy.find("UTF-8"), std::string::npos) << w.bledy;
    }
}

// A quoted field is one field whatever it holds: its decimal separator may be
// the delimiter (RFC 4180).
TEST(Polecenie, PrzecinekWCudzyslowie) {
    const std::tuple<std::vector<std::string>, std::string, std::string> przypadki[] = {
        {{}, "\"1,5\",20\n", "\"1,5\",20,56.68\n"},
        {{}, "\"1.5\",\"2,0e1\"\r\n", "\"1.5\",\"2,0e1\",56.68\r\n"},
        {{"--delimiter", ".", "--decimal-comma"}, "\"1.5\".20\n", "\"1.5\".20.56,68\n"},
        {{"--delimiter", ";"}, "\"1,5\";20\n", "\"1,5\";20;56.68\n"},
    };
    for (const auto& [opcje, tresc, oczekiwane] : przypadki) {
        const PlikTymczasowy wejscie(tresc);
        std::vector<std::string> a{"convert",       "K", "--to",           "temp",
                                   "--cold-column", "2", wejscie.sciezka()};
        a.insert(a.end(), opcje.begin(), opcje.end());
        const Wynik w = uruchom(a);
        EXPECT_EQ(w.status, 0) << tresc << w.bledy;
        EXPECT_EQ(w.dane, oczekiwane);
    }
}

// A refused EMF gets the range of the EMF as typed at its cold junction, from
// a column or --cold, in the words temp uses for the same value and --cold.
TEST(Polecenie, OdrzuconeEmfJakWTemp) {
    // Type, options, EMF, cold junction, whether it is in a column.
    const std::tuple<const char*, std::vector<std::string>, std::string, std::string, bool>
        przypadki[] = {
            {"K", {}, "60", "25", true},
            {"K", {}, "-6", "-20.5", true},
            {"J", {"--emf-unit", "uV", "--unit", "F"}, "70000", "100", true},
            {"K", {"--decimal-comma"}, "60", "25,5", false},
            {"K", {}, "60", "0", true},
        };
    for (const auto& [typ, opcje, emf, zimne, kolumna] : przypadki) {
        const char s = opcje.empty() || opcje[0] != "--decimal-comma" ? ',' : ';';
        std::string wiersz = emf;
        if (kolumna) wiersz.append(1, s).append(zimne);
        const PlikTymczasowy wejscie(wiersz + "\n");
        std::vector<std::string> k{"convert", typ, "--to", "temp", wejscie.sciezka()};
        k.insert(k.end(), {kolumna ? "--cold-column" : "--cold", kolumna ? "2" : zimne});
        k.insert(k.end(), opcje.begin(), opcje.end());
        std::vector<std::string> t{"temp", typ, "--cold", zimne};
        t.insert(t.end(), opcje.begin(), opcje.end());
        t.insert(t.end(), {"--", emf});
        const Wynik wk = uruchom(k);
        const Wynik wt = uruchom(t);
        SCOPED_TRACE(wk.bledy + wt.bledy);
        EXPECT_EQ(std::pair(wk.status, wt.status), std::pair(1, 1));
        const std::size_t od = wt.bledy.find("”: ");
        ASSERT_NE(od, std::string::npos);
        const std::string powod = wt.bledy.substr(od + 5, wt.bledy.find('\n') - od - 5);
        EXPECT_EQ(wk.bledy.substr(0, wk.bledy.find('\n')), "1: " + powod);
    }
}

}  // namespace
