#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "liczby.h"
#include "przeliczenia.h"

// Converts a column of a delimited text file row by row while passing every
// input byte through unchanged: each row gets the delimiter and its result
// just before its line ending. Input arrives in pieces of any size; memory
// stays bounded whatever the length of the input.
namespace batch {

enum class Cel : std::uint8_t { Temperatura, Emf };

struct Opcje {
    conversions::Ustawienia ustawienia;
    Cel cel = Cel::Temperatura;
    std::size_t kolumna = 1;         // 1-based
    std::size_t kolumnaZimnego = 0;  // 0: every row uses `zimne`
    double zimne = 0.0;              // cold junction, temperature unit
    char separator = ',';            // field delimiter, never '"', CR or LF
    bool przecinek = false;          // decimal comma in the results
    bool naglowek = false;           // the first row names the columns
    int cyfry = 2;                   // decimals of the result, 0..9
};

// The result column's name in a header row: "temperature_C", "emf_uV", ...
std::string_view nazwaKolumny(const Opcje& opcje);

// The decimal separators read in a field: either, but not the delimiter.
numbers::Separator separatorLiczb(char separator);

// A longer field is refused unread: memory stays bounded.
inline constexpr std::size_t kMaksPola = std::size_t{1} << 20;

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
    Konwerter(const Opcje& opcje, Odbiorca& odbiorca, bool poczatekPliku = true);
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

    // A field's bytes: where they lie in the piece being scanned, or a copy
    // once the field spans pieces or its bytes are not contiguous.
    struct Pole {
        const char* widok = nullptr;
        std::size_t dlugosc = 0;
        bool skopiowane = false;
        bool zepsute = false;   // bytes after its closing quote
        bool zaDlugie = false;  // over kMaksPola bytes
        std::string kopia;

        [[nodiscard]] std::string_view tekst() const {
            return skopiowane ? std::string_view(kopia) : std::string_view(widok, dlugosc);
        }
        void wyczysc() {
            dlugosc = 0;
            skopiowane = false;
            zepsute = false;
            zaDlugie = false;
            kopia.clear();
        }
    };

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

    [[nodiscard]] bool naGranicyWiersza() const;
    void skanuj(const char* p, const char* koniec);
    // A row that starts at p and ends in this piece without quotes or a lone
    // CR, its fields collected: where its line ending starts; else nullptr.
    const char* wiersz(const char* p, const char* koniec);
    // Converts the whole simple rows from p on: where it stopped, a row start.
    const char* wsad(const char* p, const char* koniec);
    std::size_t czytajWsad(const char* p, const char* koniec);
    void policzWsad(std::size_t n);
    void zapiszWsad(std::size_t n, const char* koniec);
    void bom(const char*& p, const char* koniec);
    void bajtDanych(char c);
    void zbierz(const char* od, const char* doo);
    void utrwal();
    void nastepnePole(std::size_t nr);
    void koniecWiersza(std::string_view zakonczenie);
    bool czytajPole(std::size_t nr, const Pole& f, conversions::Wynik& w);
    bool zimneZPola(const Pole& f, conversions::ZimneZlacze& zimne);
    void wynik();
    void odrzuc(const std::string& powod);
    const std::string& opis(conversions::Powod powod);
    void dopiszWyjscie(const char* od, const char* doo);
    void przejmij(Konwerter& drugi);
    void wyzeruj();

    Opcje opcje_;
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
    std::size_t pole_ = 1;            // 1-based field being read
    unsigned zbierane_ = 0;           // 1: the value's field, 2: the cold junction's
    bool zamkniete_ = false;          // the field's closing quote has passed
    std::uint64_t linia_ = 1;         // physical line being read
    std::uint64_t liniaWiersza_ = 1;  // line the current row started on
    std::array<Pole, 2> pola_{};      // the value's field, the cold junction's field

    conversions::ZimneZlacze zimneStale_;
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
