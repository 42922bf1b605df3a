#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <string>

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
    EXPECT_EQ(platform::Wejscie::otworz("/nie/ma/takiego/pliku", blad), nullptr);
    EXPECT_FALSE(blad.empty());
    {
        const auto we = platform::Wejscie::otworz("-", blad);
        ASSERT_NE(we, nullptr);
    }
    EXPECT_NE(::fcntl(STDIN_FILENO, F_GETFD), -1) << "standard input closed with its reader";
    // A folder opens but cannot be read: an error with a reason, not the end.
    const auto katalog = platform::Wejscie::otworz("/", blad);
    ASSERT_NE(katalog, nullptr);
    std::array<char, 8> bufor{};
    blad.clear();
    EXPECT_EQ(katalog->czytaj(bufor, blad), -1);
    EXPECT_FALSE(blad.empty());
}

}  // namespace
