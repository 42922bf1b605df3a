#include "wspolne.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <ostream>
#include <system_error>

#include "liczby.h"
#include "program.h"

namespace cli {

namespace {

constexpr std::string_view kJednostki = "C|F|K";
constexpr std::string_view kJednostkiEmf = "mV|uV";

}  // namespace

std::string_view jakWpisano(std::string_view tekst) {
    if (tekst.size() > 1 && tekst[0] == kZnacznikWartosci && tekst[1] == '-')
        tekst.remove_prefix(1);
    return tekst;
}

Polecenie dodajPolecenie(CLI::App& app, const std::string& nazwa, const std::string& opis) {
    Polecenie p{app.add_subcommand(nazwa, opis), std::make_shared<Opcje>()};
    p.app->get_help_ptr()->group("Opcje");
    return p;
}

void dodajTyp(Polecenie& p) {
    p.app
        ->add_option("TYP", p.opcje->typ, "typ termopary: J K T E N B R S (wielkość liter dowolna)")
        ->required()
        ->type_name("");
}

void dodajWartosci(Polecenie& p, const std::string& nazwa, const std::string& opis) {
    p.app->add_option(nazwa, p.opcje->wartosci, opis)->required()->type_name("");
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

void dodajCyfry(Polecenie& p) {
    p.app->add_option("--digits", p.opcje->cyfry, "liczba cyfr po przecinku wyników: 0…9")
        ->type_name("N");
}

void dodajPrzecinek(Polecenie& p) {
    p.app->add_flag("--decimal-comma", p.opcje->przecinek,
                    "przecinek dziesiętny w wynikach (i ';' między polami CSV)");
}

przeliczenia::Ustawienia ustawienia(const Opcje& o) {
    przeliczenia::Ustawienia u;
    const auto typ = o.typ.size() == 1 ? typZLitery(o.typ[0]) : std::nullopt;
    if (!typ) {
        throw BladUzycia("nieznany typ termopary „" + o.typ + "” (dozwolone: J K T E N B R S)");
    }
    u.typ = *typ;
    using J = przeliczenia::JednostkaTemperatury;
    if (o.jednostka == "C") {
        u.temperatura = J::C;
    } else if (o.jednostka == "F") {
        u.temperatura = J::F;
    } else if (o.jednostka == "K") {
        u.temperatura = J::K;
    } else {
        throw BladUzycia("nieznana jednostka temperatury „" + o.jednostka +
                         "” w --unit (dozwolone: C F K)");
    }
    if (o.jednostkaEmf == "mV") {
        u.emf = przeliczenia::JednostkaEmf::mV;
    } else if (o.jednostkaEmf == "uV" || o.jednostkaEmf == "µV") {
        u.emf = przeliczenia::JednostkaEmf::uV;
    } else {
        throw BladUzycia("nieznana jednostka napięcia „" + o.jednostkaEmf +
                         "” w --emf-unit (dozwolone: mV uV)");
    }
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

przeliczenia::Wynik przeczytaj(const std::string& tekst) {
    return przeliczenia::odczyt(tekst, liczby::Separator::Dowolny);
}

przeliczenia::ZimneZlacze zimneZlacze(const Opcje& o, const przeliczenia::Ustawienia& u,
                                      Odmowy& odmowy) {
    if (!o.zimne) return przeliczenia::punktLodu(u.temperatura);
    const przeliczenia::ZimneZlacze z = przeliczenia::zimneZOdczytu(u, przeczytaj(*o.zimne));
    if (z.emf.dobry()) return z;
    odmowy.dodaj(*o.zimne, "--cold", przeliczenia::opis(z.emf.powod, u));
    return przeliczenia::punktLodu(u.temperatura);
}

void wypiszWartosci(Wyjscia& w, const Opcje& o, Odmowy& odmowy,
                    const std::function<przeliczenia::Wynik(double)>& licz,
                    const std::function<void(std::string&, double)>& pisz) {
    const przeliczenia::Ustawienia u = ustawienia(o);
    std::vector<double> wyniki;
    wyniki.reserve(o.wartosci.size());
    for (const std::string& tekst : o.wartosci) {
        przeliczenia::Wynik r = przeczytaj(tekst);
        if (r.dobry()) r = licz(r.wartosc);
        if (r.dobry()) {
            wyniki.push_back(r.wartosc);
        } else {
            odmowy.dodaj(tekst, "", przeliczenia::opis(r.powod, u));
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
