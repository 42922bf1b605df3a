#include <bit>
#include <cstdint>

#include "konwerter.h"
#include "znaki.h"

// Reading: rows and fields (RFC 4180), the byte-order mark, and the runs of
// plain rows that are converted a batch at a time.
namespace batch {

bool Konwerter::naGranicyWiersza() const {
    return stan_ == Stan::PoczatekPola && !wierszMaBajty_ && !wstrzymanyCR_ && bomRozstrzygniety_ &&
           !naglowekOczekuje_;
}

void Konwerter::dodaj(std::string_view bajty) {
    const char* p = bajty.data();
    const char* const koniec = p + bajty.size();
    if (!bomRozstrzygniety_) bom(p, koniec);
    if (wstrzymanyCR_ && p != koniec) {
        wstrzymanyCR_ = false;
        if (*p == '\n') {
            koniecWiersza("\r\n");
            ++p;
        } else {
            wyjscie_ += '\r';
            bajtDanych('\r');
        }
    }
    skanuj(p, koniec);
}

void Konwerter::bom(const char*& p, const char* koniec) {
    while (!bomRozstrzygniety_ && p != koniec) {
        if (*p == kBom[bomDopasowane_]) {
            ++p;
            if (++bomDopasowane_ == kBom.size()) {
                bomRozstrzygniety_ = true;
                wyjscie_.append(kBom);
            }
        } else {
            // Not a byte-order mark: what matched so far is data.
            bomRozstrzygniety_ = true;
            skanuj(kBom.data(), kBom.data() + bomDopasowane_);
        }
    }
}

void Konwerter::bajtDanych(char c) {
    wierszMaBajty_ = true;
    stan_ = Stan::Zwykle;
    kolumny_.zbierz(&c, &c + 1);
    kolumny_.utrwal();
}

const char* Konwerter::wiersz(const char* p, const char* const koniec) {
    const char* q = p;
    for (;;) {
        while (q != koniec && !wWierszu_[bajt(*q)]) ++q;
        if (q == koniec || *q != konfiguracja_.separator) break;
        kolumny_.zbierz(p, q);
        kolumny_.nastepne(kolumny_.numer() + 1);
        p = ++q;
    }
    if (q == koniec || (*q != '\n' && (*q != '\r' || q + 1 == koniec || q[1] != '\n'))) {
        // A quote, a lone CR or the piece's end: field by field.
        kolumny_.wyczysc();
        return nullptr;
    }
    kolumny_.zbierz(p, q);
    return q;
}

void Konwerter::skanuj(const char* p, const char* const koniec) {
    const char* przepisz = p;  // first byte not yet in the output
    while (p != koniec) {
        if (stan_ == Stan::PoczatekPola && kolumny_.numer() == 1 && !wierszMaBajty_) {
            // A row begins here: most are taken whole, many at a time.
            if (!naglowekOczekuje_) {
                dopiszWyjscie(przepisz, p);
                const char* const q = wsad(p, koniec);
                przepisz = p;
                if (q != p) {
                    p = przepisz = q;
                    continue;
                }
            }
            const char* const q = wiersz(p, koniec);
            if (q != nullptr) {
                wierszMaBajty_ = q != przepisz;
                dopiszWyjscie(przepisz, q);
                const bool crlf = *q == '\r';
                koniecWiersza(crlf ? "\r\n" : "\n");
                p = przepisz = q + (crlf ? 2 : 1);
                continue;
            }
        }
        switch (stan_) {
            case Stan::WCudzyslowie: {
                const char* q = p;
                while (q != koniec && !wCudzyslowie_[bajt(*q)]) ++q;
                if (q != koniec && *q == '\n') {
                    // A line break inside quotes belongs to the field.
                    ++linia_;
                    ++q;
                    kolumny_.zbierz(p, q);
                    p = q;
                    break;
                }
                kolumny_.zbierz(p, q);
                p = q;
                if (p != koniec) {
                    stan_ = Stan::PoCudzyslowie;
                    ++p;
                }
                break;
            }
            case Stan::PoCudzyslowie:
                if (*p == '"') {  // a doubled quote is one quote of the content
                    kolumny_.zbierz(p, p + 1);
                    stan_ = Stan::WCudzyslowie;
                    ++p;
                } else {
                    kolumny_.zamkniety();
                    stan_ = Stan::Zwykle;
                }
                break;
            case Stan::PoczatekPola:
                if (*p == '"') {
                    wierszMaBajty_ = true;
                    kolumny_.otwarty();
                    stan_ = Stan::WCudzyslowie;
                    ++p;
                } else {
                    stan_ = Stan::Zwykle;
                }
                break;
            case Stan::Zwykle: {
                const char* q = p;
                while (q != koniec && !specjalne_[bajt(*q)]) ++q;
                if (q != p) {
                    wierszMaBajty_ = true;
                    kolumny_.zbierz(p, q);
                    p = q;
                }
                if (p == koniec) break;
                if (*p == konfiguracja_.separator) {
                    wierszMaBajty_ = true;
                    kolumny_.nastepne(kolumny_.numer() + 1);
                    stan_ = Stan::PoczatekPola;
                    ++p;
                } else if (*p == '\n') {
                    dopiszWyjscie(przepisz, p);
                    koniecWiersza("\n");
                    przepisz = ++p;
                } else if (p + 1 == koniec) {
                    // A CR at the end of the piece: the next piece tells
                    // whether it ends the line.
                    dopiszWyjscie(przepisz, p);
                    wstrzymanyCR_ = true;
                    przepisz = ++p;
                } else if (p[1] == '\n') {
                    dopiszWyjscie(przepisz, p);
                    koniecWiersza("\r\n");
                    p += 2;
                    przepisz = p;
                } else {  // a lone CR is data
                    wierszMaBajty_ = true;
                    kolumny_.zbierz(p, p + 1);
                    ++p;
                }
                break;
            }
        }
    }
    dopiszWyjscie(przepisz, koniec);
    kolumny_.utrwal();
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

const char* Konwerter::wsad(const char* p, const char* const koniec) {
    if (!wsad_) wsad_ = std::make_unique<Wsad>();
    for (;;) {
        const std::size_t n = czytajWsad(p, koniec);
        if (n == 0) return p;
        policzWsad(n);
        zapiszWsad(n, koniec);
        p = wsad_->poczatek[n];
        if (n < Wsad::kWiersze) return p;
    }
}

std::size_t Konwerter::czytajWsad(const char* p, const char* const koniec) {
    Wsad& w = *wsad_;
    const Znaki znaki(konfiguracja_.separator);
    const char separator = konfiguracja_.separator;
    const std::size_t kolumna = konfiguracja_.kolumna;
    const std::size_t kolumnaZimnego = konfiguracja_.kolumnaZimnego;
    // The bytes are looked at 64 at a time from `okno` on; `maska` holds
    // those of its special bytes not yet passed.
    const char* okno = p;
    if (koniec - okno < Znaki::kOkno) return 0;
    std::uint64_t maska = znaki(okno);
    std::size_t n = 0;
    while (n < Wsad::kWiersze) {
        const char* pole = p;
        std::size_t nr = 1;
        std::array<const char*, 4> tekst{};  // the value's field, the cold junction's
        const char* z = nullptr;
        for (;;) {
            while (maska == 0) {
                okno += Znaki::kOkno;
                // A row that may end past the piece: the row-by-row path.
                if (koniec - okno < Znaki::kOkno) return n;
                maska = znaki(okno);
            }
            z = okno + std::countr_zero(maska);
            maska &= maska - 1;
            if (*z != separator) break;
            if (nr == kolumna) tekst = {pole, z, tekst[2], tekst[3]};
            if (nr == kolumnaZimnego) tekst = {tekst[0], tekst[1], pole, z};
            ++nr;
            pole = z + 1;
        }
        const char* nastepny = z + 1;
        if (*z == '\r' && nastepny != koniec && *nastepny == '\n') {
            ++nastepny;
        } else if (*z != '\n') {
            return n;  // a quote or a lone CR
        }
        if (nr == kolumna) tekst = {pole, z, tekst[2], tekst[3]};
        if (nr == kolumnaZimnego) tekst = {tekst[0], tekst[1], pole, z};
        w.poczatek[n] = p;
        w.tresc[n] = z;
        double x = 0.0;
        double tc = 0.0;
        const bool liczby =
            tekst[0] != nullptr && numbers::czytajKrotka(tekst[0], tekst[1], czytanie_, x) &&
            (kolumnaZimnego == 0 ||
             (tekst[2] != nullptr && numbers::czytajKrotka(tekst[2], tekst[3], czytanie_, tc)));
        w.rodzaj[n] =
            z == p ? Wsad::Rodzaj::Pusty : (liczby ? Wsad::Rodzaj::Liczby : Wsad::Rodzaj::Ogolny);
        w.wartosc[n] = liczby ? x : 0.0;
        w.zimne[n] = liczby ? tc : 0.0;
        ++n;
        p = nastepny;
        w.poczatek[n] = p;
        // Past the window's special bytes up to the next row (a CRLF's LF).
        if (const std::ptrdiff_t k = p - okno; k < Znaki::kOkno) {
            maska &= ~std::uint64_t{0} << static_cast<unsigned>(k);
        } else {
            okno = p;
            if (koniec - okno < Znaki::kOkno) return n;
            maska = znaki(okno);
        }
    }
    return n;
}

}  // namespace batch
