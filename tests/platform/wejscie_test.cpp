#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <string>
#include <utility>

#include "platforma.h"

namespace {

// Readiness decides when the converter flushes: a wrong "ready" holds the
// output back while a pipe stalls.
TEST(Wejscie, GotoweTylkoGdyOdczytNieCzeka) {
    std::array<int, 2> potok{};
    ASSERT_EQ(::pipe(potok.data()), 0);
    platform::Wejscie we(potok[0], true);
    std::string blad;
    std::array<char, 8> bufor{};
    EXPECT_FALSE(we.gotowe()) << "empty pipe, writer open";
    ASSERT_EQ(::write(potok[1], "ab\n", 3), 3);
    EXPECT_TRUE(we.gotowe()) << "bytes waiting";
    EXPECT_EQ(we.czytaj(bufor, blad), 3);
    EXPECT_EQ(std::string(bufor.data(), 3), "ab\n");
    EXPECT_FALSE(we.gotowe()) << "all read, writer open";
    ::close(potok[1]);
    EXPECT_TRUE(we.gotowe()) << "writer closed: the end is ready";
    EXPECT_EQ(we.czytaj(bufor, blad), 0);
}

TEST(Wejscie, OtwieraPlikLubStandardoweWejscie) {
    std::string blad;
    {
        const auto we = platform::Wejscie::otworz("-", blad);
        ASSERT_NE(we, nullptr);
    }
    EXPECT_NE(::fcntl(STDIN_FILENO, F_GETFD), -1) << "standard input closed with its reader";
    // Refused in the program's words, as on Windows; a folder at the start,
    // where Windows refuses it too.
    const std::pair<const char*, const char*> odmowy[] = {
        {"/nie/ma/takiego/pliku", "nie ma takiego pliku"},
        {"/etc/passwd/x", "nie ma takiego pliku"},
        {"/", "to folder, a nie plik"},
    };
    for (const auto& [sciezka, powod] : odmowy) {
        blad.clear();
        EXPECT_EQ(platform::Wejscie::otworz(sciezka, blad), nullptr) << sciezka;
        EXPECT_EQ(blad, powod) << sciezka;
    }
}

}  // namespace
