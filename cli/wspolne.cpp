#include "wspolne.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <ostream>
#include <span>
#include <system_error>

#include "liczby.h"
#include "platforma.h"
#include "typ_termopary.h"

namespace cli {

namespace {

constexpr std::string_view kJednostki = "C|F|K";
constexpr std::string_view kJednostkiEmf = "mV|uV";

}  // namespace

std::string_view jakWpisano(std::string_view tekst) {
    if (!tekst.empty() && tekst[0] == kZnacznikWartosci) tekst.remove_prefix(1);
    return tekst;
}

Polecenie dodajPolecenie(CLI::App& app, const std::string& nazwa, const std::string& opis) {
    Polecenie p{app.add_subcommand(nazwa, opis), std::make_shared<Opcje>()};
    p.app->get_help_ptr()->group("Opcje");
    return p;
}

void dodajTyp(Polecenie& p) {
    p.app
        ->add_option(
            "TYP", p.opcje->typ,
            "typ termopary: " + std::string(engine::kListaTypow) + " (wielkość liter dowolna)")
        ->required()
        ->type_name("");
}

void dodajWartosci(Polecenie& p, const std::string& nazwa, const std::string& opis) {
    p.app
        ->add_option(nazwa, p.opcje->wartosci,
                     opis + "; bez nich lub „-”: ze standardowego wejścia")
        ->type_name("");
}

void dodajJednostke(Polecenie& p) {
    p.app
        ->add_option("--unit", p.opcje->jednostka,
                     "jednostka każdej temperatury wczytanej i wypisanej: C, F lub K (domyślnie C)")
        ->type_name(std::string(kJednostki));
}

void dodajJednostkeEmf(Polecenie& p) {
    p.app
        ->add_option("--emf-unit", p.opcje->jednostkaEmf,
                     "jednostka każdego napięcia: mV lub uV (domyślnie mV)")
        ->type_name(std::string(kJednostkiEmf));
}

void dodajZimne(Polecenie& p) {
    p.app
        ->add_option("--cold", p.opcje->zimne,
                     "temperatura zimnego złącza (domyślnie punkt lodu: 0 °C, 32 °F, 273,15 K)")
        ->type_name("TC");
}

void dodajDokladna(Polecenie& p) {
    p.app->add_flag("--exact", p.opcje->dokladna,
                    "dokładna odwrotność funkcji wzorcowej zamiast wielomianu odwrotnego NIST");
}

void dodajCyfry(Polecenie& p, std::string_view domyslnie) {
    p.app
        ->add_option(
            "--digits", p.opcje->cyfry,
            "liczba cyfr po przecinku wyników: 0…9 (domyślnie " + std::string(domyslnie) + ")")
        ->type_name("N");
}

void dodajPrzecinek(Polecenie& p) {
    p.app->add_flag("--decimal-comma", p.opcje->przecinek,
                    "przecinek dziesiętny w wynikach (i ';' między polami CSV)");
}

conversions::Ustawienia ustawienia(const Opcje& o) {
    conversions::Ustawienia u;
    const auto typ = o.typ.size() == 1 ? engine::typZLitery(o.typ[0]) : std::nullopt;
    if (!typ) {
        throw BladUzycia("nieznany typ termopary „" + o.typ +
                         "” (dozwolone: " + std::string(engine::kListaTypow) + ")");
    }
    u.typ = *typ;
    const auto jednostka = conversions::jednostkaTemperatury(o.jednostka);
    if (!jednostka) {
        throw BladUzycia("nieznana jednostka temperatury „" + o.jednostka +
                         "” w --unit (dozwolone: " + std::string(conversions::kNazwyJednostek) +
                         ")");
    }
    u.temperatura = *jednostka;
    const auto jednostkaEmf = conversions::jednostkaEmf(o.jednostkaEmf);
    if (!jednostkaEmf) {
        throw BladUzycia(
            "nieznana jednostka napięcia „" + o.jednostkaEmf +
            "” w --emf-unit (dozwolone: " + std::string(conversions::kNazwyJednostekEmf) + ")");
    }
    u.emf = *jednostkaEmf;
    u.dokladna = o.dokladna;
    return u;
}

int cyfry(const Opcje& o, int domyslne) {
    if (!o.cyfry) return domyslne;
    const std::string& s = *o.cyfry;
    int n = -1;
    const auto [koniec, blad] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (blad != std::errc{} || koniec != s.data() + s.size() || n < 0 || n > 9) {
        throw BladUzycia("--digits przyjmuje liczbę całkowitą od 0 do 9, a nie „" + s + "”");
    }
    return n;
}

void Odmowy::dodaj(std::string_view tekst, std::string_view skad, std::string_view powod) {
    tekst = jakWpisano(tekst);
    wiersze_ += kNazwaProgramu;
    wiersze_ += ": odrzucono ";
    if (!skad.empty()) {
        wiersze_ += skad;
        wiersze_ += ' ';
    }
    wiersze_ += "„";
    wiersze_ += tekst;
    wiersze_ += "”: ";
    wiersze_ += powod;
    wiersze_ += '\n';
}

bool Odmowy::zglos(Wyjscia& w) const {
    if (wiersze_.empty()) return false;
    w.bledy << wiersze_;
    w.kod = kKodOdmowa;
    return true;
}

conversions::Wynik przeczytaj(const std::string& tekst) {
    return conversions::odczyt(tekst, numbers::Separator::Dowolny);
}

conversions::ZimneZlacze zimneZlacze(const Opcje& o, const conversions::Ustawienia& u,
                                     Odmowy& odmowy) {
    if (!o.zimne) return conversions::punktLodu(u.temperatura);
    const conversions::ZimneZlacze z = conversions::zimneZOdczytu(u, przeczytaj(*o.zimne));
    if (z.emf.dobry()) return z;
    odmowy.dodaj(*o.zimne, "--cold", conversions::opis(z.emf.powod, u));
    return conversions::punktLodu(u.temperatura);
}

namespace {

bool odstep(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Values from standard input, answered as they arrive.
class WartosciZWejscia {
  public:
    WartosciZWejscia(Wyjscia& w, const conversions::Ustawienia& u,
                     const std::function<conversions::Wynik(double)>& licz,
                     const std::function<void(std::string&, double)>& pisz,
                     const conversions::ZimneZlacze* zimne)
        : w_(w), u_(u), licz_(licz), pisz_(pisz), zimne_(zimne) {}

    void czytaj() {
        std::string blad;
        const std::unique_ptr<platform::Wejscie> we = platform::Wejscie::otworz("-", blad);
        std::vector<char> blok(std::size_t{64} << 10);
        for (;;) {
            // About to wait for input: what is answered goes out first.
            if ((!we->gotowe() || dane_.size() >= blok.size()) && !oproznij()) return;
            const std::ptrdiff_t n = we->czytaj(blok, blad);
            if (n < 0) {
                oproznij();
                w_.bledy << kNazwaProgramu << ": błąd odczytu wejścia: " << blad << '\n';
                w_.kod = kKodUzycie;
                return;
            }
            if (n == 0) break;
            for (const char c : std::span(blok).first(static_cast<std::size_t>(n))) {
                if (bom(c)) continue;
                if (!odstep(c)) {
                    wartosc_ += c;
                    continue;
                }
                if (!wartosc_.empty()) odpowiedz();
                linia_ += c == '\n' ? 1 : 0;
            }
        }
        if (!wartosc_.empty()) odpowiedz();
        if (!oproznij()) return;
        if (odrzucone_ != 0) {
            w_.bledy << kNazwaProgramu << ": odrzucone wartości: " << odrzucone_ << " z "
                     << wartosci_ << '\n';
            w_.kod = kKodOdmowa;
        }
    }

  private:
    // A UTF-8 byte-order mark in front of the first value is skipped, as
    // convert skips it: true for its bytes.
    bool bom(char c) {
        constexpr std::string_view kBom = "\xEF\xBB\xBF";
        if (bomDopasowane_ == kBom.size()) return false;
        if (c == kBom[bomDopasowane_] && wartosc_.size() == bomDopasowane_) {
            wartosc_ += c;
            if (++bomDopasowane_ == kBom.size()) wartosc_.clear();
            return true;
        }
        bomDopasowane_ = kBom.size();
        return false;
    }

    void odpowiedz() {
        ++wartosci_;
        conversions::Wynik r = przeczytaj(wartosc_);
        if (r.dobry()) r = licz_(r.wartosc);
        if (r.dobry()) {
            pisz_(dane_, r.wartosc);
        } else {
            ++odrzucone_;
            bledy_ += std::to_string(linia_) + ": „" + wartosc_ +
                      "”: " + conversions::opis(r.powod, u_, 0, zimne_) + '\n';
        }
        dane_ += '\n';
        wartosc_.clear();
    }

    // False once standard output fails: nobody reads the answers any more.
    bool oproznij() {
        w_.dane << dane_;
        w_.dane.flush();
        w_.bledy << bledy_;
        w_.bledy.flush();
        dane_.clear();
        bledy_.clear();
        return w_.dane.good();
    }

    Wyjscia& w_;
    const conversions::Ustawienia& u_;
    const std::function<conversions::Wynik(double)>& licz_;
    const std::function<void(std::string&, double)>& pisz_;
    const conversions::ZimneZlacze* zimne_;
    std::size_t bomDopasowane_ = 0;  // its bytes so far; 3 once decided
    std::string wartosc_;
    std::string dane_;
    std::string bledy_;
    std::uint64_t linia_ = 1;
    std::uint64_t wartosci_ = 0;
    std::uint64_t odrzucone_ = 0;
};

}  // namespace

void wypiszWartosci(Wyjscia& w, const Opcje& o, Odmowy& odmowy,
                    const std::function<conversions::Wynik(double)>& licz,
                    const std::function<void(std::string&, double)>& pisz,
                    const conversions::ZimneZlacze* zimne) {
    const conversions::Ustawienia u = ustawienia(o);
    if (o.wartosci.empty() || (o.wartosci.size() == 1 && o.wartosci.front() == "-")) {
        if (!odmowy.zglos(w)) WartosciZWejscia(w, u, licz, pisz, zimne).czytaj();
        return;
    }
    std::vector<double> wyniki;
    wyniki.reserve(o.wartosci.size());
    // Among several values, the refused one's position finds it.
    const bool numeruj = o.wartosci.size() > 1;
    for (std::size_t i = 0; i < o.wartosci.size(); ++i) {
        const std::string& tekst = o.wartosci[i];
        conversions::Wynik r = przeczytaj(tekst);
        if (r.dobry()) r = licz(r.wartosc);
        if (r.dobry()) {
            wyniki.push_back(r.wartosc);
        } else {
            odmowy.dodaj(tekst, numeruj ? std::to_string(i + 1) + ". wartość" : "",
                         conversions::opis(r.powod, u, 0, zimne));
        }
    }
    if (odmowy.zglos(w)) return;
    std::string tekst;
    for (const double x : wyniki) {
        pisz(tekst, x);
        tekst += '\n';
    }
    w.dane << tekst;
}

}  // namespace cli
