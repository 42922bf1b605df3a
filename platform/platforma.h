#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>

// What the row converter needs from the operating system: reading a file or
// standard input piece by piece, knowing whether more input is ready without
// waiting for it, and writing bytes unchanged to standard output and error.
// platforma.cpp is the same everywhere; posix.cpp implements the rest, and
// another system's implementation is one more file chosen in CMakeLists.txt.
namespace platform {

// A POSIX file descriptor, or a Win32 HANDLE.
using Uchwyt = std::intptr_t;

// The system errors a user meets most, told in the program's words and alike
// on every system; any other keeps the system's own text.
enum class Powod : std::uint8_t {
    BrakPliku,
    BrakUprawnien,
    Folder,
    PlikZajety,
    PelnyDysk,
    TylkoDoOdczytu,
    ZaDlugaNazwa,
    ZlaNazwa,
    ZaDuzoPlikow,
    BrakPamieci,
    BladUrzadzenia,
};
std::string_view opis(Powod p);

class Wejscie {
  public:
    // Opens the file named `sciezka` (as typed on the command line) for
    // reading; "-" is standard input, which stays open afterwards. On failure
    // (a folder included) nullptr, with the reason in `blad`.
    static std::unique_ptr<Wejscie> otworz(const std::string& sciezka, std::string& blad);

    // Reads a handle opened elsewhere (a pipe, in tests); `wlasny`: closes it
    // when done.
    Wejscie(Uchwyt uchwyt, bool wlasny) noexcept;
    ~Wejscie();
    Wejscie(const Wejscie&) = delete;
    Wejscie& operator=(const Wejscie&) = delete;

    // Whether czytaj would return without waiting: bytes are waiting, or the
    // input has ended or failed. A regular file is always ready. When the
    // system cannot tell (a console, a pipe it cannot peek into), false: a
    // false answer costs one early flush, a wrong true holds the output back
    // while the input stalls.
    [[nodiscard]] bool gotowe() const;

    // Reads at most bufor.size() (> 0) bytes, waiting for at least one.
    // Returns how many, 0 at the end of the input (a pipe whose writer has
    // closed included), or -1 with the system's reason in `blad`.
    // Interrupted reads are retried.
    std::ptrdiff_t czytaj(std::span<char> bufor, std::string& blad);

  private:
    Uchwyt uchwyt_;
    bool wlasny_;
};

// Where bytes are written.
class Wyjscie {
  public:
    Wyjscie() = default;
    virtual ~Wyjscie() = default;
    Wyjscie(const Wyjscie&) = delete;
    Wyjscie& operator=(const Wyjscie&) = delete;

    // Writes all of `bajty`, in order and unchanged (no line-ending
    // translation), retrying short and interrupted writes. False if they
    // could not all be written (a full disk, a closed pipe); every later call
    // may then fail too.
    virtual bool pisz(std::string_view bajty) = 0;
    // Passes on whatever is buffered; false on failure.
    virtual bool splucz() = 0;
    // Whether a write failed because nobody reads any more (a pipe closed
    // by its reader): an end to keep quiet about, not an error to report.
    [[nodiscard]] virtual bool przerwane() const { return false; }

  protected:
    Wyjscie(Wyjscie&&) = default;
    Wyjscie& operator=(Wyjscie&&) = default;
};

// The process's standard output and standard error: in binary mode, and
// unbuffered, so that splucz() has nothing to do.
Wyjscie& standardoweWyjscie();
Wyjscie& standardoweBledy();

// A buffered stream over a Wyjscie: the program's text output goes through
// the same writes as convert's bytes, so every failure is seen the same way.
class BuforWyjscia final : public std::streambuf {
  public:
    explicit BuforWyjscia(Wyjscie& cel);
    ~BuforWyjscia() override;
    BuforWyjscia(const BuforWyjscia&) = delete;
    BuforWyjscia& operator=(const BuforWyjscia&) = delete;
    BuforWyjscia(BuforWyjscia&&) = delete;
    BuforWyjscia& operator=(BuforWyjscia&&) = delete;

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool oproznij();

    Wyjscie& cel_;
    std::array<char, std::size_t{64} << 10> bufor_{};
};

// An ostream as a Wyjscie: in-process runs and tests.
class WyjscieStrumienia final : public Wyjscie {
  public:
    explicit WyjscieStrumienia(std::ostream& strumien) : strumien_(strumien) {}
    bool pisz(std::string_view bajty) override;
    bool splucz() override;

  private:
    std::ostream& strumien_;
};

}  // namespace platform
