#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "konfiguracja.h"

// Which fields of a row the converter keeps (the value's and the cold
// junction's), and their bytes while the row is read.
namespace batch {

// A kept field's bytes: where they lie in the piece being read, or a copy
// once the field spans pieces or its bytes are not contiguous.
struct ZebranePole {
    const char* widok = nullptr;
    std::size_t dlugosc = 0;
    bool skopiowane = false;
    bool zepsute = false;       // bytes after its closing quote
    bool zaDlugie = false;      // over kMaksPola bytes
    bool wCudzyslowie = false;  // quoted: the delimiter cannot be in its number's way
    std::string kopia;

    [[nodiscard]] std::string_view tekst() const {
        return skopiowane ? std::string_view(kopia) : std::string_view(widok, dlugosc);
    }
    void wyczysc() {
        dlugosc = 0;
        skopiowane = false;
        zepsute = false;
        zaDlugie = false;
        wCudzyslowie = false;
        kopia.clear();
    }
};

class Kolumny {
  public:
    Kolumny(std::size_t kolumna, std::size_t kolumnaZimnego)
        : kolumna_(kolumna), kolumnaZimnego_(kolumnaZimnego) {
        nastepne(1);
    }

    // The 1-based field being read.
    [[nodiscard]] std::size_t numer() const { return numer_; }
    [[nodiscard]] const ZebranePole& wartosc() const { return pola_[0]; }
    [[nodiscard]] const ZebranePole& zimne() const {
        return pola_[kolumnaZimnego_ == kolumna_ ? 0 : 1];
    }

    // Field `nr` of the row begins.
    void nastepne(std::size_t nr) {
        numer_ = nr;
        zbierane_ =
            (nr == kolumna_ ? 1U : 0U) | (nr == kolumnaZimnego_ && nr != kolumna_ ? 2U : 0U);
        zamkniete_ = false;
    }
    // The field opens with a quote.
    void otwarty() {
        if (zbierane_ != 0) pola_[zbierane_ == 1U ? 0 : 1].wCudzyslowie = true;
    }
    // The field's closing quote has passed: any more bytes break it.
    void zamkniety() { zamkniete_ = true; }

    // Bytes of the field's content.
    void zbierz(const char* od, const char* doo) {
        if (zbierane_ == 0 || od == doo) return;
        ZebranePole& f = pola_[zbierane_ == 1U ? 0 : 1];
        const auto n = static_cast<std::size_t>(doo - od);
        if (zamkniete_) {
            f.zepsute = true;
            return;
        }
        if (f.zaDlugie) return;
        if (n > kMaksPola - f.dlugosc) {
            f.zaDlugie = true;
            f.kopia = std::string();  // give the memory back
            return;
        }
        if (f.dlugosc == 0) {
            f.widok = od;
        } else if (!f.skopiowane) {
            f.kopia.assign(f.widok, f.dlugosc);
            f.skopiowane = true;
        }
        if (f.skopiowane) f.kopia.append(od, n);
        f.dlugosc += n;
    }

    // The piece's bytes are gone after this call: keep what the fields saw.
    void utrwal() {
        for (ZebranePole& f : pola_) {
            if (f.dlugosc != 0 && !f.skopiowane && !f.zaDlugie) {
                f.kopia.assign(f.widok, f.dlugosc);
                f.skopiowane = true;
            }
        }
    }

    // A new row.
    void wyczysc() {
        for (ZebranePole& f : pola_) f.wyczysc();
        nastepne(1);
    }

  private:
    std::size_t kolumna_;
    std::size_t kolumnaZimnego_;
    std::size_t numer_ = 1;
    unsigned zbierane_ = 0;  // 1: the value's field, 2: the cold junction's
    bool zamkniete_ = false;
    std::array<ZebranePole, 2> pola_{};
};

}  // namespace batch
