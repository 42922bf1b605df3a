#include "konwerter.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

namespace konwersja {

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

// n / 10^c for c in 0..9, by constants: a division by a variable is slow.
template <int... C>
std::uint32_t podzielPrzez(std::uint32_t n, int c, std::integer_sequence<int, C...> /*unused*/) {
    std::uint32_t q = n;
    ((c == C ? (q = n / potega10(C)) : 0U), ...);
    return q;
}

std::uint32_t podziel(std::uint32_t n, int c) {
    return podzielPrzez(n, c, std::make_integer_sequence<int, 10>{});
}

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

liczby::Separator separatorLiczb(char separator) {
    if (separator == ',') return liczby::Separator::Kropka;
    if (separator == '.') return liczby::Separator::Przecinek;
    return liczby::Separator::Dowolny;
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
    zimneStale_ = przeliczenia::zimneZlacze(opcje_.ustawienia, opcje_.zimne);
    for (int i = 0; i < opcje_.cyfry && i < 9; ++i) skala_ *= 10.0;
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
            // A row begins here: most are taken whole.
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

const std::string& Konwerter::opis(przeliczenia::Powod powod) {
    const auto i = static_cast<std::size_t>(powod);
    if (i >= opisy_.size()) opisy_.resize(i + 1);
    std::string& s = opisy_[i];
    if (s.empty()) s = przeliczenia::opis(powod, opcje_.ustawienia);
    return s;
}

void Konwerter::odrzuc(const std::string& powod) {
    ++odrzucone_;
    odbiorca_.odrzucony(liniaWiersza_, powod);
}

bool Konwerter::czytajPole(std::size_t nr, const Pole& f, przeliczenia::Wynik& w) {
    if (pole_ < nr) {
        odrzuc(przeliczenia::opis(przeliczenia::Powod::BrakPola, opcje_.ustawienia, nr));
        return false;
    }
    const liczby::Odczyt odczyt =
        f.zepsute ? liczby::Odczyt{} : liczby::czytaj(f.tekst(), czytanie_);
    w = f.zaDlugie ? przeliczenia::Wynik{przeliczenia::Powod::PoleZaDlugie, 0.0}
                   : przeliczenia::zOdczytu(odczyt);
    if (!w.dobry()) {
        odrzuc(przeliczenia::opis(w.powod, opcje_.ustawienia, nr));
        return false;
    }
    return true;
}

// Inline: its key comes back in registers, not through memory.
inline Konwerter::PamiecZimnych::Miejsce Konwerter::PamiecZimnych::miejsce(std::string_view tekst) {
    // The text as a key of 16 bytes, its length in the last: an unused
    // entry, all zeros, never matches. Built in registers: reading back
    // bytes just stored one by one would stall.
    constexpr std::size_t kMaks = 2 * sizeof(std::uint64_t) - 1;
    if (tekst.empty() || tekst.size() > kMaks) return {};
    Miejsce m;
    m.b = std::uint64_t{tekst.size()} << 56U;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const std::uint64_t c = bajt(tekst[i]);
        if (i < 8) {
            m.a |= c << (8 * i);
        } else {
            m.b |= c << (8 * (i - 8));
        }
    }
    if (wpisy_.empty()) wpisy_.resize(std::size_t{1} << kBity);
    const auto i = static_cast<std::size_t>(
        ((m.a ^ (m.b * 0x9E3779B97F4A7C15U)) * 0xBF58476D1CE4E5B9U) >> (64U - kBity));
    m.wpis = &wpisy_[i];
    return m;
}

bool Konwerter::zimneZPola(const Pole& f, przeliczenia::Wynik& zimne) {
    const std::string_view tekst = f.tekst();
    // A field the row did not reach, or a broken one, is never remembered.
    const bool pewne = pole_ >= opcje_.kolumnaZimnego && !f.zepsute && !f.zaDlugie;
    PamiecZimnych::Miejsce m = pewne ? pamiecZimnych_.miejsce(tekst) : PamiecZimnych::Miejsce{};
    if (double e = 0.0; m.odczytaj(e)) {
        zimne = {przeliczenia::Powod::Brak, e};
        return true;
    }
    przeliczenia::Wynik tc;
    if (!czytajPole(opcje_.kolumnaZimnego, f, tc)) return false;
    zimne = przeliczenia::zimneZlacze(opcje_.ustawienia, tc.wartosc);
    if (m.wpis != nullptr && zimne.dobry()) *m.wpis = {m.a, m.b, zimne.wartosc};
    return true;
}

void Konwerter::dopiszWynik(double x) {
    // Most results lie well away from a half of the last decimal; their
    // digits are then the same under any rounding of halves and are
    // written here. |x| * 10^cyfry below 1e9 is within 1.2e-7 of its
    // exact value, so a fraction more than 1e-6 from 0.5 rounds the same.
    const int c = opcje_.cyfry;
    const double y = std::fabs(x) * skala_;
    const double calosc = std::floor(y);
    const double ulamek = y - calosc;
    if (c < 0 || c > 9 || !(y < 1e9) || std::fabs(ulamek - 0.5) <= 1e-6) {
        liczby::dopisz(wyjscie_, x, c, opcje_.przecinek);
        return;
    }
    const auto n = static_cast<std::uint32_t>(calosc) + (ulamek > 0.5 ? 1U : 0U);
    const std::uint32_t p = potega10(c);
    // Written in place, never read back: the integer part, then 10^c plus
    // the decimals, whose leading 1 becomes the separator.
    constexpr std::size_t kMiejsce = 24;
    const std::size_t poczatek = wyjscie_.size();
    wyjscie_.resize(poczatek + kMiejsce);
    char* w = wyjscie_.data() + poczatek;
    char* const koniec = w + kMiejsce;
    if (n != 0 && std::signbit(x)) *w++ = '-';
    const std::uint32_t calkowite = podziel(n, c);
    w = std::to_chars(w, koniec, calkowite).ptr;
    if (c != 0) {
        char* const separator = w;
        w = std::to_chars(w, koniec, p + (n - calkowite * p)).ptr;
        *separator = opcje_.przecinek ? ',' : '.';
    }
    wyjscie_.resize(static_cast<std::size_t>(w - wyjscie_.data()));
}

void Konwerter::wynik() {
    przeliczenia::Wynik x;
    if (!czytajPole(opcje_.kolumna, pola_[0], x)) return;
    przeliczenia::Wynik zimne = zimneStale_;
    if (opcje_.kolumnaZimnego != 0 &&
        !zimneZPola(pola_[opcje_.kolumnaZimnego == opcje_.kolumna ? 0 : 1], zimne)) {
        return;
    }
    const przeliczenia::Wynik r =
        opcje_.cel == Cel::Temperatura
            ? przeliczenia::temperatura(opcje_.ustawienia, x.wartosc, zimne)
            : przeliczenia::emf(opcje_.ustawienia, x.wartosc, zimne);
    if (!r.dobry()) {
        odrzuc(opis(r.powod));
        return;
    }
    dopiszWynik(r.wartosc);
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

}  // namespace konwersja
