#include <CLI/CLI.hpp>
#include <charconv>
#include <ostream>
#include <system_error>

#include "platforma.h"
#include "polecenia.h"
#include "program.h"
#include "strumien.h"
#include "wspolne.h"

namespace cli {

namespace {

// What only convert offers, as typed.
struct OpcjeKonwersji {
    std::string cel;
    std::string plik = "-";
    std::string kolumna = "1";
    std::optional<std::string> kolumnaZimnego;
    std::optional<std::string> separator;
    bool naglowek = false;
};

std::size_t numerKolumny(const std::string& tekst, const char* opcja) {
    std::size_t n = 0;
    const char* koniec = tekst.data() + tekst.size();
    const auto [p, blad] = std::from_chars(tekst.data(), koniec, n);
    if (blad != std::errc{} || p != koniec || n == 0) {
        throw BladUzycia(std::string(opcja) + " przyjmuje numer kolumny od 1, a nie „" + tekst +
                         "”");
    }
    return n;
}

char separator(const std::optional<std::string>& tekst, bool przecinek) {
    if (!tekst) return przecinek ? ';' : ',';
    if (*tekst == "\\t") return '\t';
    if (tekst->size() != 1 || *tekst == "\"" || *tekst == "\r" || *tekst == "\n") {
        throw BladUzycia(
            "--delimiter przyjmuje jeden znak (lub \\t dla tabulatora) inny niż "
            "cudzysłów i koniec linii, a nie „" +
            *tekst + "”");
    }
    return tekst->front();
}

// A refused --cold is noted in `odmowy`: nothing is converted then.
konwersja::Opcje opcje(const Opcje& o, const OpcjeKonwersji& k, Odmowy& odmowy) {
    konwersja::Opcje w;
    w.ustawienia = ustawienia(o);
    if (k.cel == "temp") {
        w.cel = konwersja::Cel::Temperatura;
    } else if (k.cel == "emf") {
        w.cel = konwersja::Cel::Emf;
    } else if (k.cel.empty()) {
        throw BladUzycia("nie podano --to (temp lub emf)");
    } else {
        throw BladUzycia("--to przyjmuje temp lub emf, a nie „" + k.cel + "”");
    }
    w.kolumna = numerKolumny(k.kolumna, "--column");
    if (k.kolumnaZimnego) {
        if (o.zimne) throw BladUzycia("--cold i --cold-column wykluczają się");
        w.kolumnaZimnego = numerKolumny(*k.kolumnaZimnego, "--cold-column");
    }
    w.przecinek = o.przecinek;
    w.separator = separator(k.separator, o.przecinek);
    w.naglowek = k.naglowek;
    const Przeliczenie& p = w.cel == konwersja::Cel::Temperatura ? kTemp : kEmf;
    w.cyfry = cyfry(o, p.domyslneCyfry(w.ustawienia.emf));
    // Read once every usage error is ruled out: those come first.
    w.zimne = zimneZlacze(o, w.ustawienia, odmowy).temperatura;
    return w;
}

void konwertuj(Wyjscia& wyjscia, const konwersja::Opcje& opcje, const std::string& plik) {
    std::string blad;
    const std::unique_ptr<platforma::Wejscie> we = platforma::Wejscie::otworz(plik, blad);
    if (!we) {
        wyjscia.bledy << kNazwaProgramu << ": nie można otworzyć „" << plik << "”: " << blad
                      << '\n';
        wyjscia.kod = kKodUzycie;
        return;
    }
    const konwersja::Podsumowanie p =
        konwersja::konwertuj(*we, wyjscia.daneBajty, wyjscia.bledyBajty, opcje);
    if (!p.blad.empty()) {
        wyjscia.bledy << kNazwaProgramu << ": " << p.blad << '\n';
        wyjscia.kod = kKodUzycie;
    } else if (p.odrzucone != 0) {
        wyjscia.bledy << kNazwaProgramu << ": odrzucone wiersze: " << p.odrzucone << " z "
                      << p.wiersze << '\n';
        wyjscia.kod = kKodOdmowa;
    }
}

}  // namespace

void dodajConvert(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "convert",
        "przelicza kolumnę pliku CSV wiersz po wierszu; każdy wiersz wejścia wychodzi bez zmian "
        "z dopisanym polem wyniku (puste, gdy wiersza nie da się przeliczyć)");
    auto k = std::make_shared<OpcjeKonwersji>();
    dodajTyp(p);
    p.app->add_option("--to", k->cel, "co wyliczyć (wymagane): temp z EMF lub emf z temperatury")
        ->type_name("temp|emf");
    p.app->add_option("PLIK", k->plik, "plik wejściowy; bez niego lub „-”: standardowe wejście")
        ->type_name("");
    p.app->add_option("--column", k->kolumna, "numer kolumny z wartościami, od 1 (domyślnie 1)")
        ->type_name("N");
    dodajZimne(p);
    p.app
        ->add_option("--cold-column", k->kolumnaZimnego,
                     "numer kolumny z temperaturą zimnego złącza w każdym wierszu")
        ->type_name("N");
    p.app
        ->add_option("--delimiter", k->separator,
                     "separator pól: jeden znak, \\t dla tabulatora (domyślnie ',' lub ';' "
                     "z --decimal-comma)")
        ->type_name("C");
    dodajPrzecinek(p);
    p.app->add_flag("--header", k->naglowek,
                    "pierwszy wiersz to nagłówek; dostaje nazwę kolumny wyniku");
    dodajDokladna(p);
    dodajJednostke(p);
    dodajJednostkeEmf(p);
    dodajCyfry(p);
    p.app->footer(
        "Kod wyjścia: 0 — wszystkie wiersze przeliczone, 1 — co najmniej jeden wiersz odrzucony "
        "(wypisany z pustym polem wyniku; powód na stderr jako „LINIA: powód”), 2 — błąd "
        "wywołania, odczytu lub zapisu.");
    p.app->callback([o = p.opcje, k, &wyjscia] {
        Odmowy odmowy;
        const konwersja::Opcje w = opcje(*o, *k, odmowy);
        if (odmowy.zglos(wyjscia)) return;
        konwertuj(wyjscia, w, k->plik);
    });
}

}  // namespace cli
