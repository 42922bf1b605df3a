#include "strumien.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <future>
#include <string>

namespace {

konwersja::Opcje typK() {
    konwersja::Opcje o;
    o.ustawienia.typ = TypTermopary::K;
    return o;
}

class Plik {
  public:
    explicit Plik(const std::string& tresc = {}) : f_(std::tmpfile()) {
        std::fwrite(tresc.data(), 1, tresc.size(), f_);
        std::fflush(f_);
        std::rewind(f_);
    }
    ~Plik() { std::fclose(f_); }
    Plik(const Plik&) = delete;
    Plik& operator=(const Plik&) = delete;

    [[nodiscard]] int fd() const { return fileno(f_); }
    [[nodiscard]] std::string tresc() const {
        std::string s;
        char bufor[4096];
        ssize_t n = 0;
        off_t od = 0;
        while ((n = ::pread(fd(), bufor, sizeof bufor, od)) > 0) {
            s.append(bufor, static_cast<std::size_t>(n));
            od += n;
        }
        return s;
    }

  private:
    std::FILE* f_;
};

TEST(Strumien, StatusWyjsciaIPodsumowanie) {
    struct {
        std::string wejscie;
        int status;
        std::string bledy;
    } const przypadki[] = {
        {"", 0, ""},
        {"0\n0\n0\n", 0, ""},
        {"0\nx\n\n0\n0", 1, "2: to nie jest liczba (pole 1)\nodrzucone wiersze: 1 z 4\n"},
    };
    // Small blocks: many reads, and blocks split over two threads.
    const konwersja::Bloki male{4, 6};
    for (const auto& p : przypadki) {
        Plik we(p.wejscie);
        Plik wy;
        Plik bledy;
        EXPECT_EQ(konwersja::konwertuj(we.fd(), wy.fd(), bledy.fd(), typK(), male), p.status)
            << p.wejscie;
        EXPECT_EQ(bledy.tresc(), p.bledy);
        std::string bez;  // the output less its added fields, which here are all ",0.00" or ","
        const std::string w = wy.tresc();
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

TEST(Strumien, NieczytelneWejscieToStatus2BezWyjscia) {
    const int katalog = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(katalog, 0);
    Plik wy;
    Plik bledy;
    EXPECT_EQ(konwersja::konwertuj(katalog, wy.fd(), bledy.fd(), typK()), 2);
    ::close(katalog);
    EXPECT_EQ(wy.tresc(), "");
    EXPECT_EQ(bledy.tresc().rfind("błąd odczytu wejścia: ", 0), 0U) << bledy.tresc();
}

TEST(Strumien, WynikWychodziZanimWejscieSieSkonczy) {
    int we[2];
    int wy[2];
    ASSERT_EQ(::pipe(we), 0);
    ASSERT_EQ(::pipe(wy), 0);
    Plik bledy;
    auto status = std::async(std::launch::async, [&] {
        const int s = konwersja::konwertuj(we[0], wy[1], bledy.fd(), typK());
        ::close(wy[1]);
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
    EXPECT_EQ(status.get(), 0);
    ::close(we[0]);
    ::close(wy[0]);
}

}  // namespace
