#include "konwerter.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace batch {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

unsigned char bajt(char c) {
    return static_cast<unsigned char>(c);
}

constexpr std::uint32_t potega10(int c) {
    std::uint32_t p = 1;
    for (int i = 0; i < c; ++i) p *= 10;
    return p;
}

// Which of 64 bytes are the delimiter, CR, LF or '"': bit i for byte i.
class Znaki {
  public:
    static constexpr std::ptrdiff_t kOkno = 64;

    explicit Znaki(char separator)
#if defined(__SSE2__)
        : separator_(_mm_set1_epi8(separator)),
          cr_(_mm_set1_epi8('\r')),
          lf_(_mm_set1_epi8('\n')),
          cudzyslow_(_mm_set1_epi8('"'))
#endif
    {
        for (const char c : {separator, '\r', '\n', '"'}) tablica_[bajt(c)] = true;
    }

    [[nodiscard]] std::uint64_t operator()(const char* s) const {
#if defined(__SSE2__)
        std::uint64_t m = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            __m128i v;
            std::memcpy(&v, s + 16 * i, sizeof v);
            const __m128i z =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, separator_), _mm_cmpeq_epi8(v, lf_)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, cr_), _mm_cmpeq_epi8(v, cudzyslow_)));
            m |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(z)))
                 << (16 * i);
        }
        return m;
#else
        std::uint64_t m = 0;
        for (std::ptrdiff_t i = 0; i < kOkno; ++i) {
            m |= static_cast<std::uint64_t>(tablica_[bajt(s[i])]) << i;
        }
        return m;
#endif
    }

  private:
#if defined(__SSE2__)
    __m128i separator_;
    __m128i cr_;
    __m128i lf_;
    __m128i cudzyslow_;
#endif
    std::array<bool, 256> tablica_{};
};

// A result in the row's output, the way numbers::dopisz writes it, when it
// lies well away from a half of its last decimal: then its digits are the
// same under any rounding of halves. |x| * 10^Cyfry below 1e9 is within
// 1.2e-7 of its exact value, so a fraction more than 1e-6 from 0.5 rounds
// the same. Nothing written (nullptr) when numbers::dopisz must decide.
template <int Cyfry>
char* zapiszLiczbe(char* w, double x, char przecinek) {
    if constexpr (Cyfry < 0) return nullptr;
    constexpr std::uint32_t kSkala = potega10(Cyfry);
    const double y = std::fabs(x) * kSkala;
    if (!(y < 1e9)) return nullptr;
    // Below 2^32 the truncation is the floor.
    const auto calosc = static_cast<std::uint32_t>(y);
    const double ulamek = y - calosc;
    if (std::fabs(ulamek - 0.5) <= 1e-6) return nullptr;
    const std::uint32_t n = calosc + (ulamek > 0.5 ? 1U : 0U);
    if (n != 0 && std::signbit(x)) *w++ = '-';
    constexpr std::ptrdiff_t kMiejsce = 20;
    if constexpr (Cyfry == 0) {
        return std::to_chars(w, w + kMiejsce, n).ptr;
    } else {
        // One number: the integer part, a 1 that becomes the decimal
        // separator, the decimals; written in place and never read back (a
        // byte just stored is slow to read in a wider load). A leading "0"
        // for the integer part when it is zero.
        const std::uint32_t calkowite = n / kSkala;
        *w = '0';
        w += calkowite == 0 ? 1 : 0;
        const std::uint64_t cyfry = std::uint64_t{calkowite} * (std::uint64_t{10} * kSkala) +
                                    kSkala + (n - calkowite * kSkala);
        // Below 2^32 (nearly always) in 32 bits: shorter work.
        w = cyfry <= UINT32_MAX
                ? std::to_chars(w, w + kMiejsce, static_cast<std::uint32_t>(cyfry)).ptr
                : std::to_chars(w, w + kMiejsce, cyfry).ptr;
        w[-Cyfry - 1] = przecinek;
        return w;
    }
}

// Bytes a row's output may take beyond its input: the delimiter and a
// result of zapiszLiczbe.
constexpr std::size_t kNaWynik = 24;
// A row of at most this many bytes is copied in one piece of this size.
constexpr std::size_t kKopia = 32;

}  // namespace

// Collects what a converter working on a later piece of the block reports,
// until the rows before it are done; its output stays in its own buffer.
class Zbiornik final : public Odbiorca {
  public:
    explicit Zbiornik(bool sledzi) : sledzi_(sledzi) {}

    void wypisz(std::string_view /*bajty*/) override {}
    void odrzucony(std::uint64_t linia, std::string_view powod) override {
        odrzucenia.emplace_back(linia, std::string(powod));
    }
    [[nodiscard]] bool sledziPola() const override { return sledzi_; }
    void dodanePole(std::uint64_t pozycja, std::size_t dlugosc) override {
        pola.emplace_back(pozycja, dlugosc);
    }

    std::vector<std::pair<std::uint64_t, std::string>> odrzucenia;
    std::vector<std::pair<std::uint64_t, std::size_t>> pola;

  private:
    bool sledzi_;
};

std::string_view nazwaKolumny(const Opcje& opcje) {
    constexpr std::string_view kTemperatury[] = {"temperature_C", "temperature_F", "temperature_K"};
    constexpr std::string_view kEmf[] = {"emf_mV", "emf_uV"};
    const auto& u = opcje.ustawienia;
    return opcje.cel == Cel::Temperatura ? kTemperatury[static_cast<std::size_t>(u.temperatura)]
                                         : kEmf[static_cast<std::size_t>(u.emf)];
}

numbers::Separator separatorLiczb(char separator) {
    if (separator == ',') return numbers::Separator::Kropka;
    if (separator == '.') return numbers::Separator::Przecinek;
    return numbers::Separator::Dowolny;
}

bool Odbiorca::sledziPola() const {
    return false;
}

void Odbiorca::dodanePole(std::uint64_t /*pozycja*/, std::size_t /*dlugosc*/) {}

Konwerter::Konwerter(const Opcje& opcje, Odbiorca& odbiorca, bool poczatekPliku)
    : opcje_(opcje),
      czytanie_(separatorLiczb(opcje.separator)),
      odbiorca_(odbiorca),
      sledzPola_(odbiorca.sledziPola()),
      bomRozstrzygniety_(!poczatekPliku),
      naglowekOczekuje_(poczatekPliku && opcje.naglowek) {
    specjalne_[bajt(opcje_.separator)] = true;
    specjalne_['\r'] = true;
    specjalne_['\n'] = true;
    wCudzyslowie_['"'] = true;
    wCudzyslowie_['\n'] = true;
    wWierszu_ = specjalne_;
    wWierszu_['"'] = true;
    zimneStale_ = {opcje_.zimne, conversions::zimneZlacze(opcje_.ustawienia, opcje_.zimne)};
    nastepnePole(1);
}

Konwerter::~Konwerter() = default;

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

void Konwerter::nastepnePole(std::size_t nr) {
    pole_ = nr;
    zbierane_ = (nr == opcje_.kolumna ? 1u : 0u) |
                (nr == opcje_.kolumnaZimnego && nr != opcje_.kolumna ? 2u : 0u);
    zamkniete_ = false;
}

void Konwerter::zbierz(const char* od, const char* doo) {
    if (zbierane_ == 0 || od == doo) return;
    Pole& f = pola_[zbierane_ == 1u ? 0 : 1];
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

void Konwerter::utrwal() {
    // The piece's bytes are gone after this call: keep what the fields saw.
    for (Pole& f : pola_) {
        if (f.dlugosc != 0 && !f.skopiowane && !f.zaDlugie) {
            f.kopia.assign(f.widok, f.dlugosc);
            f.skopiowane = true;
        }
    }
}

void Konwerter::bajtDanych(char c) {
    wierszMaBajty_ = true;
    stan_ = Stan::Zwykle;
    zbierz(&c, &c + 1);
    utrwal();
}

void Konwerter::dopiszWyjscie(const char* od, const char* doo) {
    wyjscie_.append(od, static_cast<std::size_t>(doo - od));
}

const char* Konwerter::wiersz(const char* p, const char* const koniec) {
    const char* q = p;
    for (;;) {
        while (q != koniec && !wWierszu_[bajt(*q)]) ++q;
        if (q == koniec || *q != opcje_.separator) break;
        zbierz(p, q);
        nastepnePole(pole_ + 1);
        p = ++q;
    }
    if (q == koniec || (*q != '\n' && (*q != '\r' || q + 1 == koniec || q[1] != '\n'))) {
        // A quote, a lone CR or the piece's end: field by field.
        for (Pole& f : pola_) f.wyczysc();
        nastepnePole(1);
        return nullptr;
    }
    zbierz(p, q);
    return q;
}

void Konwerter::skanuj(const char* p, const char* const koniec) {
    const char* przepisz = p;  // first byte not yet in the output
    while (p != koniec) {
        if (stan_ == Stan::PoczatekPola && pole_ == 1 && !wierszMaBajty_) {
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
                    zbierz(p, q);
                    p = q;
                    break;
                }
                zbierz(p, q);
                p = q;
                if (p != koniec) {
                    stan_ = Stan::PoCudzyslowie;
                    ++p;
                }
                break;
            }
            case Stan::PoCudzyslowie:
                if (*p == '"') {  // a doubled quote is one quote of the content
                    zbierz(p, p + 1);
                    stan_ = Stan::WCudzyslowie;
                    ++p;
                } else {
                    zamkniete_ = true;
                    stan_ = Stan::Zwykle;
                }
                break;
            case Stan::PoczatekPola:
                if (*p == '"') {
                    wierszMaBajty_ = true;
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
                    zbierz(p, q);
                    p = q;
                }
                if (p == koniec) break;
                if (*p == opcje_.separator) {
                    wierszMaBajty_ = true;
                    nastepnePole(pole_ + 1);
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
                    zbierz(p, p + 1);
                    ++p;
                }
                break;
            }
        }
    }
    dopiszWyjscie(przepisz, koniec);
    utrwal();
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

void Konwerter::koniecWiersza(std::string_view zakonczenie) {
    if (wierszMaBajty_) {
        const std::uint64_t pozycja = wypisane_ + oczekujace_.size() + wyjscie_.size();
        wyjscie_ += opcje_.separator;
        if (naglowekOczekuje_) {
            wyjscie_.append(nazwaKolumny(opcje_));
        } else {
            ++wiersze_;
            wynik();
        }
        if (sledzPola_) {
            odbiorca_.dodanePole(pozycja, static_cast<std::size_t>(wypisane_ + oczekujace_.size() +
                                                                   wyjscie_.size() - pozycja));
        }
    }
    // The header is the first line, even an empty one.
    naglowekOczekuje_ = false;
    wyjscie_.append(zakonczenie);
    if (!zakonczenie.empty() && zakonczenie.back() == '\n') ++linia_;
    liniaWiersza_ = linia_;
    wierszMaBajty_ = false;
    stan_ = Stan::PoczatekPola;
    for (Pole& f : pola_) f.wyczysc();
    nastepnePole(1);
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

const std::string& Konwerter::opis(conversions::Powod powod) {
    const auto i = static_cast<std::size_t>(powod);
    if (i >= opisy_.size()) opisy_.resize(i + 1);
    std::string& s = opisy_[i];
    if (s.empty()) s = conversions::opis(powod, opcje_.ustawienia, 0, &zimneStale_);
    return s;
}

void Konwerter::odrzuc(const std::string& powod) {
    ++odrzucone_;
    odbiorca_.odrzucony(liniaWiersza_, powod);
}

bool Konwerter::czytajPole(std::size_t nr, const Pole& f, conversions::Wynik& w) {
    if (pole_ < nr) {
        odrzuc(conversions::opis(conversions::Powod::BrakPola, opcje_.ustawienia, nr));
        return false;
    }
    const numbers::Odczyt odczyt =
        f.zepsute ? numbers::Odczyt{} : numbers::czytaj(f.tekst(), czytanie_);
    w = f.zaDlugie ? conversions::Wynik{conversions::Powod::PoleZaDlugie, 0.0}
                   : conversions::zOdczytu(odczyt);
    if (!w.dobry()) {
        odrzuc(conversions::opis(w.powod, opcje_.ustawienia, nr));
        return false;
    }
    return true;
}

bool Konwerter::zimneZPola(const Pole& f, conversions::ZimneZlacze& zimne) {
    conversions::Wynik tc;
    if (!czytajPole(opcje_.kolumnaZimnego, f, tc)) return false;
    zimne = {tc.wartosc, conversions::zimneZlacze(opcje_.ustawienia, tc.wartosc)};
    return true;
}

void Konwerter::wynik() {
    conversions::Wynik x;
    if (!czytajPole(opcje_.kolumna, pola_[0], x)) return;
    conversions::ZimneZlacze zimne = zimneStale_;
    if (opcje_.kolumnaZimnego != 0 &&
        !zimneZPola(pola_[opcje_.kolumnaZimnego == opcje_.kolumna ? 0 : 1], zimne)) {
        return;
    }
    const conversions::Wynik r =
        opcje_.cel == Cel::Temperatura
            ? conversions::temperatura(opcje_.ustawienia, x.wartosc, zimne.emf)
            : conversions::emf(opcje_.ustawienia, x.wartosc, zimne.emf);
    if (r.dobry()) {
        numbers::dopisz(wyjscie_, r.wartosc, opcje_.cyfry, opcje_.przecinek);
    } else if (r.powod == conversions::Powod::EmfPozaZakresem && opcje_.kolumnaZimnego != 0) {
        // The range of the EMF as typed moves with the row's cold junction.
        odrzuc(conversions::opis(r.powod, opcje_.ustawienia, 0, &zimne));
    } else {
        odrzuc(opis(r.powod));
    }
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
    const Znaki znaki(opcje_.separator);
    const char separator = opcje_.separator;
    const std::size_t kolumna = opcje_.kolumna;
    const std::size_t kolumnaZimnego = opcje_.kolumnaZimnego;
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

void Konwerter::policzWsad(std::size_t n) {
    Wsad& w = *wsad_;
    const std::span<conversions::Wynik> zimne(w.emfZimnego.data(), n);
    if (opcje_.kolumnaZimnego != 0) {
        // A logger repeats its cold junction's reading: E(tc) once for each
        // run of the same reading.
        std::size_t m = 0;
        std::uint64_t poprzednia = ~std::bit_cast<std::uint64_t>(w.zimne[0]);
        for (std::size_t i = 0; i < n; ++i) {
            const auto tc = std::bit_cast<std::uint64_t>(w.zimne[i]);
            m += tc != poprzednia ? 1U : 0U;
            w.rozne[m - 1] = w.zimne[i];
            w.ktore[i] = static_cast<std::uint8_t>(m - 1);
            poprzednia = tc;
        }
        conversions::zimneZlacza(opcje_.ustawienia, {w.rozne.data(), m}, {w.emfRoznych.data(), m});
        for (std::size_t i = 0; i < n; ++i) zimne[i] = w.emfRoznych[w.ktore[i]];
    } else {
        std::fill(zimne.begin(), zimne.end(), zimneStale_.emf);
    }
    const std::span<const double> x(w.wartosc.data(), n);
    const std::span<conversions::Wynik> wynik(w.wynik.data(), n);
    if (opcje_.cel == Cel::Temperatura) {
        conversions::temperatury(opcje_.ustawienia, x, zimne, wynik);
    } else {
        conversions::emfy(opcje_.ustawienia, x, zimne, wynik);
    }
}

void Konwerter::zapiszWsad(std::size_t n, const char* const koniec) {
    // The digits asked for, fixed at compile time: the counts the command
    // line allows, and a writer that leaves every result to numbers::dopisz.
    using Pisz = char* (*)(char*, double, char);
    static constexpr std::array<Pisz, 11> kPisz{
        &zapiszLiczbe<0>, &zapiszLiczbe<1>, &zapiszLiczbe<2>, &zapiszLiczbe<3>,
        &zapiszLiczbe<4>, &zapiszLiczbe<5>, &zapiszLiczbe<6>, &zapiszLiczbe<7>,
        &zapiszLiczbe<8>, &zapiszLiczbe<9>, &zapiszLiczbe<-1>};
    const int c = opcje_.cyfry;
    const Pisz pisz = kPisz.at(c >= 0 && c <= 9 ? static_cast<std::size_t>(c) : 10);
    const Wsad& wsad = *wsad_;
    const char separator = opcje_.separator;
    const char przecinek = opcje_.przecinek ? ',' : '.';
    const bool sledz = sledzPola_;
    // Counted here, not in members that every call out would make reread.
    std::uint64_t wiersze = 0;
    std::uint64_t linie = 0;
    // Written through a pointer into room made beforehand, given back after.
    std::size_t poczatek = 0;
    char* w = nullptr;
    const auto zrobMiejsce = [&](std::size_t i) {
        poczatek = wyjscie_.size();
        const auto bajty = static_cast<std::size_t>(wsad.poczatek[n] - wsad.poczatek[i]);
        wyjscie_.resize(poczatek + bajty + (n - i) * kNaWynik + kKopia + 2);
        w = wyjscie_.data() + poczatek;
    };
    const auto oddajMiejsce = [&] {
        wyjscie_.resize(static_cast<std::size_t>(w - wyjscie_.data()));
    };
    zrobMiejsce(0);
    for (std::size_t i = 0; i < n; ++i) {
        const char* const r = wsad.poczatek[i];
        const auto dlugosc = static_cast<std::size_t>(wsad.tresc[i] - r);
        const bool crlf = wsad.poczatek[i + 1] - wsad.tresc[i] == 2;
        const Wsad::Rodzaj rodzaj = wsad.rodzaj[i];
        if (rodzaj == Wsad::Rodzaj::Ogolny ||
            (rodzaj == Wsad::Rodzaj::Liczby && !wsad.wynik[i].dobry())) {
            // Row by row, as a row that does not fit here.
            oddajMiejsce();
            linia_ += std::exchange(linie, 0);
            wiersze_ += std::exchange(wiersze, 0);
            liniaWiersza_ = linia_;
            const char* const q = wiersz(r, koniec);
            wierszMaBajty_ = true;
            dopiszWyjscie(r, q);
            koniecWiersza(crlf ? "\r\n" : "\n");
            zrobMiejsce(i + 1);
            continue;
        }
        if (dlugosc <= kKopia && koniec - r >= static_cast<std::ptrdiff_t>(kKopia)) {
            std::memcpy(w, r, kKopia);
        } else {
            std::memcpy(w, r, dlugosc);
        }
        w += dlugosc;
        if (rodzaj == Wsad::Rodzaj::Liczby) {
            const auto pole = sledz ? static_cast<std::size_t>(w - wyjscie_.data()) : 0;
            *w++ = separator;
            char* const koniecLiczby = pisz(w, wsad.wynik[i].wartosc, przecinek);
            if (koniecLiczby != nullptr) {
                w = koniecLiczby;
            } else {
                oddajMiejsce();
                numbers::dopisz(wyjscie_, wsad.wynik[i].wartosc, opcje_.cyfry, opcje_.przecinek);
                zrobMiejsce(i + 1);
            }
            if (sledz) {
                odbiorca_.dodanePole(wypisane_ + oczekujace_.size() + pole,
                                     static_cast<std::size_t>(w - wyjscie_.data()) - pole);
            }
            ++wiersze;
        }
        if (crlf) *w++ = '\r';
        *w++ = '\n';
        ++linie;
    }
    oddajMiejsce();
    linia_ += linie;
    wiersze_ += wiersze;
    liniaWiersza_ = linia_;
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

void Konwerter::zakoncz() {
    if (!bomRozstrzygniety_) {
        bomRozstrzygniety_ = true;
        skanuj(kBom.data(), kBom.data() + bomDopasowane_);
    }
    // A CR as the very last byte: a CRLF cut short, so it ends the line.
    const bool cr = std::exchange(wstrzymanyCR_, false);
    koniecWiersza(cr ? "\r" : "");
    oproznij();
}

void Konwerter::oproznij() {
    for (std::string* b : {&oczekujace_, &wyjscie_}) {
        if (b->empty()) continue;
        odbiorca_.wypisz(*b);
        wypisane_ += b->size();
        b->clear();
    }
}

void Konwerter::dodajRownolegle(std::string_view bajty, std::size_t minimum) {
    if (bajty.size() < minimum || bajty.size() < 2) {
        dodaj(bajty);
        return;
    }
    const auto dlugosc = static_cast<double>(bajty.size());
    std::size_t podzial = bajty.find('\n', static_cast<std::size_t>(dlugosc * udzial_));
    const std::size_t ostatni = bajty.rfind('\n');
    if (podzial == std::string_view::npos || podzial == ostatni) {
        dodaj(bajty);
        return;
    }
    ++podzial;
    const std::string_view pierwsza = bajty.substr(0, podzial);
    const std::string_view druga = bajty.substr(podzial, ostatni + 1 - podzial);
    const std::string_view reszta = bajty.substr(ostatni + 1);

    // The second part is converted as if a row began there; that holds when
    // the first part ends outside quotes, which is checked after both.
    if (!drugi_) {
        zbiornik_ = std::make_unique<Zbiornik>(sledzPola_);
        drugi_ = std::make_unique<Konwerter>(opcje_, *zbiornik_, false);
        // Its whole output waits in its buffer until this thread takes it.
        drugi_->pojemnosc_ = SIZE_MAX;
    }
    drugi_->wyzeruj();
    zbiornik_->odrzucenia.clear();
    zbiornik_->pola.clear();
    Konwerter& drugi = *drugi_;
    using Zegar = std::chrono::steady_clock;
    Zegar::time_point koniecDrugiego;
    std::thread watek([&drugi, druga, &koniecDrugiego] {
        drugi.dodaj(druga);
        koniecDrugiego = Zegar::now();
    });
    // Writing while the other thread converts: what waited from the last
    // block, then this block's first part.
    oproznij();
    dodaj(pierwsza);
    oproznij();
    const Zegar::time_point koniecPierwszego = Zegar::now();
    watek.join();
    // This thread also reads and writes between blocks: move the split
    // towards whichever thread finished first.
    udzial_ += koniecDrugiego > koniecPierwszego ? 0.01 : -0.01;
    udzial_ = udzial_ < 0.2 ? 0.2 : (udzial_ > 0.8 ? 0.8 : udzial_);
    if (naGranicyWiersza() && drugi.naGranicyWiersza()) {
        przejmij(drugi);
    } else {
        dodaj(druga);
    }
    dodaj(reszta);
}

void Konwerter::wyzeruj() {
    wyjscie_.clear();
    wypisane_ = 0;
    stan_ = Stan::PoczatekPola;
    wstrzymanyCR_ = false;
    wierszMaBajty_ = false;
    linia_ = 1;
    liniaWiersza_ = 1;
    for (Pole& f : pola_) f.wyczysc();
    nastepnePole(1);
    wiersze_ = 0;
    odrzucone_ = 0;
}

void Konwerter::przejmij(Konwerter& drugi) {
    // The second part's output waits to be written during the next block;
    // everything after it is written after it.
    oproznij();
    for (const auto& [pozycja, dlugosc] : zbiornik_->pola) {
        odbiorca_.dodanePole(wypisane_ + pozycja, dlugosc);
    }
    oczekujace_.swap(drugi.wyjscie_);
    for (const auto& [linia, powod] : zbiornik_->odrzucenia) {
        odbiorca_.odrzucony(linia_ + linia - 1, powod);
    }
    linia_ += drugi.linia_ - 1;
    liniaWiersza_ = linia_;
    wiersze_ += drugi.wiersze_;
    odrzucone_ += drugi.odrzucone_;
}

}  // namespace batch
