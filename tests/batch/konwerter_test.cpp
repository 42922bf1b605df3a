#include "konwerter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "zapis.h"

namespace {

using batch::Cel;
using batch::Konfiguracja;
using conversions::Powod;

Konfiguracja typK() {
    Konfiguracja o;
    o.ustawienia.typ = engine::TypTermopary::K;
    return o;
}

Konfiguracja zmien(Konfiguracja o, void (*zmiana)(Konfiguracja&)) {
    zmiana(o);
    return o;
}

struct Przypadek {
    const char* nazwa;
    Konfiguracja opcje;
    std::string wejscie;
    std::string wyjscie;
    std::vector<std::string> bledy;
};

// Every case is converted whole, byte by byte and split over two threads;
// all three must give the same bytes, and the output less the added fields
// must be the input.
void sprawdz(const Przypadek& p) {
    for (const Podzial podzial : {Podzial::Calosc, Podzial::PoBajcie, Podzial::Rownolegle}) {
        SCOPED_TRACE(std::string(p.nazwa) + ", podział " +
                     std::to_string(static_cast<int>(podzial)));
        const Zapis z = przelicz(p.wejscie, p.opcje, podzial);
        EXPECT_EQ(z.wyjscie, p.wyjscie);
        EXPECT_EQ(z.bezDodanych(), p.wejscie);
        EXPECT_EQ(z.bledy, p.bledy);
    }
}

TEST(Przejscie, BajtyWejsciaZostajaINaKoncuLiniiDochodziWynik) {
    const Konfiguracja k = typK();
    const Konfiguracja druga = zmien(k, [](Konfiguracja& o) { o.kolumna = 2; });
    const Konfiguracja naglowek = zmien(k, [](Konfiguracja& o) { o.naglowek = true; });
    const Przypadek przypadki[] = {
        {"LF", k, "0\n-0.000\n", "0,0.00\n-0.000,0.00\n", {}},
        {"CRLF i LF na przemian", k, "0\r\n0\n0\r\n", "0,0.00\r\n0,0.00\n0,0.00\r\n", {}},
        {"ostatnia linia bez końca", k, "0\n 0 ", "0,0.00\n 0 ,0.00", {}},
        {"puste linie", k, "\n0\n\r\n\n0", "\n0,0.00\n\r\n\n0,0.00", {}},
        {"BOM",
         k,
         "\xEF\xBB\xBF"
         "0\n",
         "\xEF\xBB\xBF"
         "0,0.00\n",
         {}},
        {"sam BOM", k, "\xEF\xBB\xBF", "\xEF\xBB\xBF", {}},
        {"początek BOM to dane",
         k,
         "\xEF\xBB"
         "0\n",
         "\xEF\xBB"
         "0,\n",
         {"1: to nie jest liczba (pole 1)"}},
        {"nagłówek z BOM i CRLF",
         naglowek,
         "\xEF\xBB\xBF"
         "emf,\"x\"\r\n0,1\r\n",
         "\xEF\xBB\xBF"
         "emf,\"x\",temperature_C\r\n0,1,0.00\r\n",
         {}},
        {"pusty nagłówek", naglowek, "\n0\n", "\n0,0.00\n", {}},
        {"pola w cudzysłowie z separatorem i nowymi liniami",
         druga,
         "\"a,b\r\nc\",0\n\"x\"\"y\",\" 0 \"\n",
         "\"a,b\r\nc\",0,0.00\n\"x\"\"y\",\" 0 \",0.00\n",
         {}},
        {"CR w środku linii to dane", k, "0\r0\n", "0\r0,\n", {"1: to nie jest liczba (pole 1)"}},
        {"CR na samym końcu kończy linię", k, "0\r", "0,0.00\r", {}},
        {"tekst po cudzysłowie zamykającym",
         k,
         "\"0\"0\n",
         "\"0\"0,\n",
         {"1: to nie jest liczba (pole 1)"}},
        {"niezamknięty cudzysłów do końca", druga, "\"a\n,0\n", "\"a\n,0\n,", {"1: brak pola 2"}},
        {"długie pole z liczbą",
         k,
         std::string(100, '0') + "\n",
         std::string(100, '0') + ",0.00\n",
         {}},
        {"pole ponad 1 MiB",
         k,
         std::string(batch::kMaksPola + 1, ' ') + "0\n",
         std::string(batch::kMaksPola + 1, ' ') + "0,\n",
         {"1: pole dłuższe niż 1 MiB (pole 1)"}},
        {"przecinek dziesiętny",
         zmien(k,
               [](Konfiguracja& o) {
                   o.separator = ';';
                   o.przecinek = true;
                   o.cel = Cel::Emf;
                   o.cyfry = 3;
               }),
         "0,0;x\n\"0,0\"\n0.0\n0,0.0\n",
         "0,0;x;0,000\n\"0,0\";0,000\n0.0;0,000\n0,0.0;\n",
         {"4: to nie jest liczba (pole 1)"}},
        {"tabulator",
         zmien(k, [](Konfiguracja& o) { o.separator = '\t'; }),
         "0\t1\n",
         "0\t1\t0.00\n",
         {}},
    };
    for (const Przypadek& p : przypadki) sprawdz(p);
}

TEST(Odrzucone, KazdyPowodDajePustePoleIWlasciwaLinie) {
    const Konfiguracja temp = zmien(typK(), [](Konfiguracja& o) { o.kolumnaZimnego = 2; });
    const Konfiguracja emf = zmien(temp, [](Konfiguracja& o) {
        o.cel = Cel::Emf;
        o.cyfry = 4;
    });
    const auto op = [&](Powod p) { return conversions::opis(p, temp.ustawienia); };
    // Rows on lines 1, 5 and 8 are good; the quoted field spans lines 2 and 3.
    const std::string wejscie =
        "0,0\n\"0\n\",0\n0,\n0,0\n0\nnan,0\n0,0\n-inf,0\n0,1e999\n100,0\n0,5000\n";
    sprawdz({"na temperaturę",
             temp,
             wejscie,
             "0,0,0.00\n\"0\n\",0,\n0,,\n0,0,0.00\n0,\nnan,0,\n0,0,0.00\n-inf,0,\n0,1e999,\n"
             "100,0,\n0,5000,\n",
             {"2: " + op(Powod::NieLiczba) + " (pole 1)",
              "4: " + op(Powod::NieLiczba) + " (pole 2)", "6: brak pola 2",
              "7: " + op(Powod::NaN) + " (pole 1)", "9: " + op(Powod::Nieskonczona) + " (pole 1)",
              "10: " + op(Powod::Nieskonczona) + " (pole 2)", "11: " + op(Powod::EmfPozaZakresem),
              "12: " + op(Powod::ZimneZlaczePozaZakresem)}});
    sprawdz(
        {"na EMF",
         emf,
         "2000,0\n0,0\n0,-300\n",
         "2000,0,\n0,0,0.0000\n0,-300,\n",
         {"1: " + op(Powod::TemperaturaPozaZakresem), "3: " + op(Powod::ZimneZlaczePozaZakresem)}});
}

TEST(Odrzucone, ZimneZlaczeZKolumnyPowtarzaneLiczySieTakSamo) {
    // The remembered cold junction must not outlive a row that refused it.
    const Konfiguracja o = zmien(typK(), [](Konfiguracja& x) {
        x.kolumnaZimnego = 2;
        x.cel = Cel::Emf;
        x.cyfry = 4;
    });
    const Zapis z = przelicz("25,25\n25,x\n25,25\n25,\n25,25\n", o, Podzial::Calosc);
    EXPECT_EQ(z.wyjscie, "25,25,0.0000\n25,x,\n25,25,0.0000\n25,,\n25,25,0.0000\n");
    EXPECT_EQ(z.bledy.size(), 2U);
}

// Results the converter writes by itself must be the digits of numbers::dopisz.
TEST(Przejscie, WynikiJakDopisz) {
    std::mt19937_64 los(5);
    std::uniform_real_distribution<double> t(-270.0, 1372.0);
    for (int cyfry = 0; cyfry <= 9; ++cyfry) {
        Konfiguracja o = typK();
        o.cel = Cel::Emf;
        o.cyfry = cyfry;
        std::string wejscie;
        std::string oczekiwane;
        for (int i = 0; i < 2000; ++i) {
            std::array<char, 32> b{};
            const double x = t(los);
            const std::string tekst(b.data(), std::to_chars(b.data(), b.data() + b.size(), x).ptr);
            const double e = conversions::emf(o.ustawienia, x, 0.0).wartosc;
            wejscie += tekst + "\n";
            oczekiwane += tekst + "," + numbers::tekst(e, cyfry, false) + "\n";
        }
        EXPECT_EQ(przelicz(wejscie, o, Podzial::Calosc).wyjscie, oczekiwane) << cyfry;
    }
}

// Rows taken many at a time come out as rows read byte by byte: every kind of
// row in random order, converted whole, byte by byte and over two threads.
TEST(Przejscie, WieleWierszyNaRazJakPoBajcie) {
    // '|' stands for the delimiter.
    const std::vector<std::string> wiersze = {
        "1.5|20",   "-0.25|-270", "54.886|0",   "60|25",        "-6|-20.5",
        "",         "\"1.5\"|20", "1.5|\"20\"", "1.5",          "1.5|20|x||",
        "x|20",     " 1.5 |20",   "1e1|2e1",    "+1.5|20",      "1.5|1e9",
        "nan|0",    "1.5\r0|20",  "\"a\nb\"|1", "1,25|20,5",    "12345678901234567|0",
        "0.0055|0", "-0|-0",      "1.5|2000",   "\"x\"\"y\"|1", "25|25",
        "25|25",    "|"};
    struct Wariant {
        char separator;
        std::size_t kolumna, zimnego;
        Cel cel;
        int cyfry;
        bool naglowek;
        double zimne;
    };
    const Wariant warianty[] = {
        {',', 1, 2, Cel::Temperatura, 2, false, 0.0}, {',', 1, 2, Cel::Temperatura, 0, true, 0.0},
        {',', 2, 1, Cel::Emf, 9, false, 0.0},         {';', 1, 0, Cel::Temperatura, 5, false, 25.0},
        {'\t', 1, 1, Cel::Emf, 3, false, 0.0},
    };
    std::mt19937 los(3);
    for (const Wariant& v : warianty) {
        Konfiguracja o = typK();
        std::tie(o.separator, o.kolumna, o.kolumnaZimnego, o.cel, o.cyfry, o.naglowek) =
            std::tie(v.separator, v.kolumna, v.zimnego, v.cel, v.cyfry, v.naglowek);
        o.zimne = {v.zimne, conversions::zimneZlacze(o.ustawienia, v.zimne)};
        o.przecinek = v.separator == ';';
        std::string wejscie;
        for (int i = 0; i < 3000; ++i) {
            std::string w = wiersze[los() % wiersze.size()];
            for (char& c : w) c = c == '|' ? o.separator : c;
            wejscie += w + (los() % 4 == 0 ? "\r\n" : "\n");
        }
        const Zapis wzor = przelicz(wejscie, o, Podzial::PoBajcie);
        EXPECT_EQ(wzor.bezDodanych(), wejscie);
        for (const Podzial podzial : {Podzial::Calosc, Podzial::Rownolegle}) {
            const Zapis z = przelicz(wejscie, o, podzial);
            EXPECT_EQ(z.wyjscie, wzor.wyjscie);
            EXPECT_EQ(z.bledy, wzor.bledy);
            EXPECT_EQ(z.pola, wzor.pola);
        }
    }
}

}  // namespace
