#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kolumny.h"
#include "konfiguracja.h"
#include "liczby.h"
#include "przeliczenia.h"

// Converts a column of a delimited text file row by row while passing every
// input byte through unchanged: each row gets the delimiter and its result
// just before its line ending. Input arrives in pieces of any size; memory
// stays bounded whatever the length of the input. Its work lies in one file
// per concern: czytanie.cpp reads rows and fields, kolumny.h keeps the
// fields asked for, przeliczanie.cpp converts, pisanie.cpp writes, and
// konwerter.cpp splits blocks over two threads.
namespace batch {

// Where the converter's output goes.
class Odbiorca {
  public:
    virtual ~Odbiorca() = default;
    // Output bytes, in order.
    virtual void wypisz(std::string_view bajty) = 0;
    // A row that got an empty result; `linia` is the 1-based input line it starts on.
    virtual void odrzucony(std::uint64_t linia, std::string_view powod) = 0;
    // Whether to report where result fields were added (for checks).
    [[nodiscard]] virtual bool sledziPola() const;
    // A result field (delimiter included) begins at byte `pozycja` of the output.
    virtual void dodanePole(std::uint64_t pozycja, std::size_t dlugosc);
};

class Zbiornik;

class Konwerter {
  public:
    // `poczatekPliku`: the input starts here (byte-order mark, header row);
    // false for a piece that starts at a row boundary further on.
    Konwerter(const Konfiguracja& konfiguracja, Odbiorca& odbiorca, bool poczatekPliku = true);
    ~Konwerter();
    Konwerter(const Konwerter&) = delete;
    Konwerter& operator=(const Konwerter&) = delete;

    void dodaj(std::string_view bajty);
    // As dodaj, with the rows after the first line end past about half the
    // block converted on a second thread when the block holds at least
    // `minimum` bytes; the output is the same.
    void dodajRownolegle(std::string_view bajty, std::size_t minimum);
    // End of input: the last row, with or without a line ending.
    void zakoncz();
    // Passes the buffered output on (the converter also does so every few
    // hundred KiB by itself).
    void oproznij();

    [[nodiscard]] std::uint64_t wiersze() const { return wiersze_; }
    [[nodiscard]] std::uint64_t odrzucone() const { return odrzucone_; }

  private:
    enum class Stan : std::uint8_t { PoczatekPola, Zwykle, WCudzyslowie, PoCudzyslowie };

    // Whole rows without quotes or a lone CR, up to kWiersze at a time: read
    // first, then converted by one call into przeliczenia, then written.
    struct Wsad {
        static constexpr std::size_t kWiersze = 128;
        enum class Rodzaj : std::uint8_t {
            Liczby,  // its numbers read: converted with the others
            Pusty,   // no bytes before the line ending: no result
            Ogolny,  // the row-by-row path decides (refusals, other numbers)
        };
        // Row i starts at poczatek[i] and ends (its line ending included)
        // where row i + 1 starts.
        std::array<const char*, kWiersze + 1> poczatek{};
        std::array<const char*, kWiersze> tresc{};  // where its line ending starts
        std::array<Rodzaj, kWiersze> rodzaj{};
        std::array<double, kWiersze> wartosc{};
        std::array<double, kWiersze> zimne{};  // the cold junction's temperature
        // The cold junction's readings, each run of the same one once.
        std::array<double, kWiersze> rozne{};
        std::array<conversions::Wynik, kWiersze> emfRoznych{};
        std::array<std::uint8_t, kWiersze> ktore{};  // index into rozne
        std::array<conversions::Wynik, kWiersze> emfZimnego{};
        std::array<conversions::Wynik, kWiersze> wynik{};
    };

    // Reading (czytanie.cpp).
    [[nodiscard]] bool naGranicyWiersza() const;
    void bom(const char*& p, const char* koniec);
    void skanuj(const char* p, const char* koniec);
    // A row that starts at p and ends in this piece without quotes or a lone
    // CR, its fields collected: where its line ending starts; else nullptr.
    const char* wiersz(const char* p, const char* koniec);
    void bajtDanych(char c);
    // Converts the whole simple rows from p on: where it stopped, a row start.
    const char* wsad(const char* p, const char* koniec);
    std::size_t czytajWsad(const char* p, const char* koniec);

    // Converting (przeliczanie.cpp).
    void policzWsad(std::size_t n);
    void wynik();
    bool czytajPole(std::size_t nr, const ZebranePole& f, conversions::Wynik& w);
    bool zimneZPola(const ZebranePole& f, conversions::ZimneZlacze& zimne);
    void odrzuc(const std::string& powod);
    const std::string& opis(conversions::Powod powod);

    // Writing (pisanie.cpp).
    void koniecWiersza(std::string_view zakonczenie);
    void zapiszWsad(std::size_t n, const char* koniec);
    void dopiszWyjscie(const char* od, const char* doo);

    // The second thread (konwerter.cpp).
    void przejmij(Konwerter& drugi);
    void wyzeruj();

    Konfiguracja konfiguracja_;
    numbers::Separator czytanie_;
    Odbiorca& odbiorca_;
    bool sledzPola_;
    std::array<bool, 256> specjalne_{};     // ends an unquoted field: delimiter, CR, LF
    std::array<bool, 256> wCudzyslowie_{};  // stops a scan inside quotes: '"', LF
    std::array<bool, 256> wWierszu_{};      // stops a whole-row scan: specjalne_ and '"'
    std::string wyjscie_;
    std::string oczekujace_;  // the second thread's output, written before wyjscie_
    // Output is passed on in pieces of about this size.
    std::size_t pojemnosc_ = std::size_t{256} * 1024;
    std::uint64_t wypisane_ = 0;  // bytes already passed to odbiorca_

    Stan stan_ = Stan::PoczatekPola;
    std::size_t bomDopasowane_ = 0;
    bool bomRozstrzygniety_;
    bool naglowekOczekuje_;
    bool wstrzymanyCR_ = false;
    bool wierszMaBajty_ = false;
    std::uint64_t linia_ = 1;         // physical line being read
    std::uint64_t liniaWiersza_ = 1;  // line the current row started on
    Kolumny kolumny_;

    std::vector<std::string> opisy_;  // conversions::opis by Powod, as needed
    std::unique_ptr<Wsad> wsad_;

    std::uint64_t wiersze_ = 0;
    std::uint64_t odrzucone_ = 0;

    // The second thread's converter, kept with its buffers from block to block.
    std::unique_ptr<Zbiornik> zbiornik_;
    std::unique_ptr<Konwerter> drugi_;
    double udzial_ = 0.5;  // this thread's share of a block
};

}  // namespace batch
