#include "strumien.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <ext/stdio_filebuf.h>
#include <future>
#include <sstream>
#include <string>

namespace {

batch::Konfiguracja typK() {
    batch::Konfiguracja o;
    o.ustawienia.typ = engine::TypTermopary::K;
    return o;
}

class Plik {
  public:
    explicit Plik(const std::string& tresc) : f_(std::tmpfile()) {
        std::fwrite(tresc.data(), 1, tresc.size(), f_);
        std::fflush(f_);
        std::rewind(f_);
    }
    ~Plik() { std::fclose(f_); }
    Plik(const Plik&) = delete;
    Plik& operator=(const Plik&) = delete;

    [[nodiscard]] platform::Uchwyt fd() const { return fileno(f_); }

  private:
    std::FILE* f_;
};

TEST(Strumien, LiczyWierszeIOdrzuconeWKolejnychBlokach) {
    struct {
        std::string wejscie;
        std::uint64_t wiersze;
        std::uint64_t odrzucone;
        std::string bledy;
    } const przypadki[] = {
        {"", 0, 0, ""},
        {"0\n0\n0\n", 3, 0, ""},
        {"0\nx\n\n0\n\"\n\"\n0", 5, 2,
         "2: to nie jest liczba (pole 1)\n5: to nie jest liczba (pole 1)\n"},
    };
    // Small blocks: many reads, and blocks split over two threads.
    const batch::Bloki male{4, 6};
    for (const auto& p : przypadki) {
        Plik plik(p.wejscie);
        platform::Wejscie we(plik.fd(), false);
        std::ostringstream wy;
        std::ostringstream bledy;
        platform::WyjscieStrumienia wyB(wy);
        platform::WyjscieStrumienia bledyB(bledy);
        const batch::Podsumowanie s = batch::konwertuj(we, wyB, bledyB, typK(), male);
        EXPECT_EQ(s.wiersze, p.wiersze) << p.wejscie;
        EXPECT_EQ(s.odrzucone, p.odrzucone) << p.wejscie;
        EXPECT_EQ(s.blad, "");
        EXPECT_EQ(bledy.str(), p.bledy);
        std::string bez;  // the output less its added fields, which here are all ",0.00" or ","
        const std::string w = wy.str();
        for (std::size_t i = 0; i < w.size(); ++i) {
            if (w[i] != ',') {
                bez += w[i];
            } else if (w.compare(i, 5, ",0.00") == 0) {
                i += 4;
            }
        }
        EXPECT_EQ(bez, p.wejscie);
    }
}

TEST(Strumien, NieczytelneWejscieBezWyjscia) {
    const int katalog = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(katalog, 0);
    platform::Wejscie we(katalog, true);
    std::ostringstream wy;
    std::ostringstream bledy;
    platform::WyjscieStrumienia wyB(wy);
    platform::WyjscieStrumienia bledyB(bledy);
    const batch::Podsumowanie s = batch::konwertuj(we, wyB, bledyB, typK());
    EXPECT_EQ(wy.str(), "");
    EXPECT_EQ(s.blad.rfind("błąd odczytu wejścia: ", 0), 0U) << s.blad;
}

TEST(Strumien, WynikWychodziZanimWejscieSieSkonczy) {
    int we[2];
    int wy[2];
    ASSERT_EQ(::pipe(we), 0);
    ASSERT_EQ(::pipe(wy), 0);
    // An ostream on the pipe, as std::cout is on a pipe to a reader.
    __gnu_cxx::stdio_filebuf<char> plik(wy[1], std::ios::out);
    std::ostream dane(&plik);
    std::ostringstream bledy;
    platform::Wejscie wejscie(we[0], false);
    platform::WyjscieStrumienia daneB(dane);
    platform::WyjscieStrumienia bledyB(bledy);
    auto wynik = std::async(std::launch::async, [&] {
        batch::Podsumowanie s = batch::konwertuj(wejscie, daneB, bledyB, typK());
        plik.close();
        return s;
    });
    std::string odebrane;
    for (const char* linia : {"0\n", "0\r\n"}) {
        ASSERT_EQ(::write(we[1], linia, std::char_traits<char>::length(linia)),
                  static_cast<ssize_t>(std::char_traits<char>::length(linia)));
        // The writer stays open: the row must arrive without more input.
        pollfd p{wy[0], POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 10000), 1) << "no output while the input stalls";
        char bufor[64];
        const ssize_t n = ::read(wy[0], bufor, sizeof bufor);
        ASSERT_GT(n, 0);
        odebrane.assign(bufor, static_cast<std::size_t>(n));
        EXPECT_EQ(odebrane, std::string(linia).insert(1, ",0.00"));
    }
    ::close(we[1]);
    EXPECT_EQ(wynik.get().wiersze, 2U);
    ::close(we[0]);
    ::close(wy[0]);
}

}  // namespace
