#include <CLI/CLI.hpp>
#include <array>
#include <charconv>
#include <ostream>
#include <system_error>
#include <vector>

#include "platforma.h"
#include "poczatek.h"
#include "polecenia.h"
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
    // What the options give as typed (--header); konfiguracja() completes it.
    batch::Konfiguracja konfiguracja;
};

// A column's number; 0 for a name, looked up in the header (--header only).
std::size_t numerKolumny(const std::string& tekst, const char* opcja, bool naglowek) {
    std::size_t n = 0;
    const char* koniec = tekst.data() + tekst.size();
    const auto [p, blad] = std::from_chars(tekst.data(), koniec, n);
    if (blad == std::errc{} && p == koniec && n != 0) return n;
    if (naglowek && !tekst.empty() && (tekst[0] < '0' || tekst[0] > '9')) return 0;
    throw BladUzycia(std::string(opcja) +
                     " przyjmuje numer kolumny od 1 (lub z --header jej nazwę), a nie „" + tekst +
                     "”");
}

// The number of the column named `nazwa`, which must be there once.
std::size_t kolumnaONazwie(const std::vector<std::string>& nazwy, const std::string& nazwa,
                           const char* opcja) {
    std::size_t numer = 0;
    for (std::size_t i = 0; i < nazwy.size(); ++i) {
        if (nazwy[i] != nazwa) continue;
        if (numer != 0) {
            throw BladUzycia(std::string(opcja) + ": kolumna „" + nazwa +
                             "” występuje w nagłówku więcej niż raz");
        }
        numer = i + 1;
    }
    if (numer == 0) {
        throw BladUzycia(std::string(opcja) + ": w nagłówku nie ma kolumny „" + nazwa + "”");
    }
    return numer;
}

char separator(const std::optional<std::string>& tekst, bool przecinek) {
    if (!tekst) return przecinek ? ';' : ',';
    if (*tekst == "\\t") return '\t';
    if (tekst->size() != 1) {
        throw BladUzycia("--delimiter przyjmuje jeden bajt (lub \\t dla tabulatora), a „" + *tekst +
                         "” ma bajtów: " + std::to_string(tekst->size()));
    }
    return tekst->front();
}

// A delimiter inside a field's number or the added result would cut it in
// two: the row would silently get the wrong value or an extra field.
void sprawdzSeparator(const batch::Konfiguracja& w) {
    const char s = w.separator;
    const std::string jaki = std::string("--delimiter „") + s + "” ";
    if (s == '"') throw BladUzycia(jaki + "otwiera pole w cudzysłowie");
    if (s == '\r' || s == '\n') throw BladUzycia("--delimiter nie może być końcem linii");
    const std::string_view rola = numbers::rolaWLiczbie(s, batch::separatorLiczb(s));
    if (!rola.empty()) {
        throw BladUzycia(jaki + "może wystąpić w liczbie pola (" + std::string(rola) + ")");
    }
    if (s == (w.przecinek ? ',' : '.')) {
        throw BladUzycia(
            jaki + "to separator dziesiętny wyników" +
            (w.przecinek ? " z --decimal-comma" : " (przecinek daje --decimal-comma)"));
    }
    const std::string_view nazwa = batch::nazwaKolumny(w);
    if (w.naglowek && nazwa.find(s) != std::string_view::npos) {
        throw BladUzycia(jaki + "występuje w nazwie kolumny wyniku „" + std::string(nazwa) +
                         "” (--header)");
    }
}

// A refused --cold is noted in `odmowy`: nothing is converted then.
batch::Konfiguracja konfiguracja(const Opcje& o, const OpcjeKonwersji& k, Odmowy& odmowy) {
    batch::Konfiguracja w = k.konfiguracja;
    w.ustawienia = ustawienia(o);
    if (k.cel == "temp") {
        w.cel = batch::Cel::Temperatura;
    } else if (k.cel == "emf") {
        w.cel = batch::Cel::Emf;
    } else if (k.cel.empty()) {
        throw BladUzycia("nie podano --to (temp lub emf)");
    } else {
        throw BladUzycia("--to przyjmuje temp lub emf, a nie „" + k.cel + "”");
    }
    w.kolumna = numerKolumny(k.kolumna, "--column", k.konfiguracja.naglowek);
    if (k.kolumnaZimnego) {
        if (o.zimne) throw BladUzycia("--cold i --cold-column wykluczają się");
        w.kolumnaZimnego =
            numerKolumny(*k.kolumnaZimnego, "--cold-column", k.konfiguracja.naglowek);
    }
    w.przecinek = o.przecinek;
    w.separator = separator(k.separator, o.przecinek);
    sprawdzSeparator(w);
    const Przeliczenie& p = w.cel == batch::Cel::Temperatura ? kTemperatura : kEmf;
    w.cyfry = cyfry(o, p.domyslneCyfry(w.ustawienia.emf));
    // Read once every usage error is ruled out: those come first.
    w.zimne = zimneZlacze(o, w.ustawienia, odmowy);
    return w;
}

void konwertuj(Wyjscia& wyjscia, batch::Konfiguracja w, const OpcjeKonwersji& k) {
    std::string blad;
    const std::unique_ptr<platform::Wejscie> we = platform::Wejscie::otworz(k.plik, blad);
    if (!we) {
        wyjscia.bledy << kNazwaProgramu << ": nie można otworzyć „" << k.plik << "”: " << blad
                      << '\n';
        wyjscia.kod = kKodUzycie;
        return;
    }
    // Columns named rather than numbered are looked up in the header first.
    std::string naglowek;
    if (w.kolumna == 0 || (k.kolumnaZimnego && w.kolumnaZimnego == 0)) {
        if (!batch::czytajNaglowek(*we, naglowek, blad)) {
            wyjscia.bledy << kNazwaProgramu << ": " << blad << '\n';
            wyjscia.kod = kKodUzycie;
            return;
        }
        const std::vector<std::string> nazwy = batch::nazwyKolumn(naglowek, w.separator);
        if (w.kolumna == 0) w.kolumna = kolumnaONazwie(nazwy, k.kolumna, "--column");
        if (k.kolumnaZimnego && w.kolumnaZimnego == 0) {
            w.kolumnaZimnego = kolumnaONazwie(nazwy, *k.kolumnaZimnego, "--cold-column");
        }
    }
    const batch::Podsumowanie p =
        batch::konwertuj(*we, wyjscia.daneBajty, wyjscia.bledyBajty, w, {}, naglowek);
    if (wyjscia.daneBajty.przerwane()) {
        wyjscia.kod = kKodUzycie;  // nobody reads: an end, not news
    } else if (!p.blad.empty()) {
        wyjscia.bledy << kNazwaProgramu << ": " << p.blad << '\n';
        wyjscia.kod = kKodUzycie;
    } else if (p.odrzucone != 0) {
        wyjscia.bledy << kNazwaProgramu << ": odrzucone wiersze: " << p.odrzucone << " z "
                      << p.wiersze << '\n';
        wyjscia.kod = kKodOdmowa;
    }
}

}  // namespace

void dodajKonwersje(CLI::App& app, Wyjscia& wyjscia) {
    Polecenie p = dodajPolecenie(
        app, "convert",
        "przelicza kolumnę pliku CSV wiersz po wierszu; każdy wiersz wejścia wychodzi bez zmian "
        "z dopisanym polem wyniku (puste, gdy wiersza nie da się przeliczyć)");
    auto k = std::make_shared<OpcjeKonwersji>();
    dodajTyp(p);
    p.app->add_option("--to", k->cel, "co wyliczyć (wymagany): temp z EMF lub emf z temperatury")
        ->type_name("temp|emf");
    p.app->add_option("PLIK", k->plik, "plik wejściowy; bez niego lub „-”: standardowe wejście")
        ->type_name("");
    p.app
        ->add_option("--column", k->kolumna,
                     "numer kolumny z wartościami, od 1 (domyślnie 1), lub z --header jej nazwa")
        ->type_name("N|NAZWA");
    dodajZimne(p);
    p.app
        ->add_option("--cold-column", k->kolumnaZimnego,
                     "numer (lub z --header nazwa) kolumny z temperaturą zimnego złącza w "
                     "każdym wierszu")
        ->type_name("N|NAZWA");
    p.app
        ->add_option("--delimiter", k->separator,
                     "separator pól: jeden bajt, \\t dla tabulatora (domyślnie ',' lub ';' "
                     "z --decimal-comma)")
        ->type_name("C");
    dodajPrzecinek(p);
    std::string nazwy;
    for (const auto cel : {batch::Cel::Temperatura, batch::Cel::Emf}) {
        for (const auto j : {0, 1, 2}) {
            batch::Konfiguracja w;
            w.cel = cel;
            w.ustawienia.temperatura = static_cast<conversions::JednostkaTemperatury>(j);
            w.ustawienia.emf = static_cast<conversions::JednostkaEmf>(j % 2);
            const std::string_view n = batch::nazwaKolumny(w);
            if (nazwy.find(n) == std::string::npos)
                nazwy += (nazwy.empty() ? "" : ", ") + std::string(n);
        }
    }
    p.app->add_flag("--header", k->konfiguracja.naglowek,
                    "pierwszy wiersz to nagłówek; dostaje nazwę kolumny wyniku (" + nazwy +
                        "), a nazwy jego pól (dokładnie takie) mogą wskazać --column "
                        "i --cold-column");
    dodajDokladna(p);
    dodajJednostke(p);
    dodajJednostkeEmf(p);
    dodajCyfry(p, "z --to temp " + kTemperatura.opisCyfr() + ", z --to emf " + kEmf.opisCyfr());
    p.app->footer(
        "Liczby w polach czytane są z kropką albo przecinkiem dziesiętnym (z separatorem pól ',' "
        "tylko z kropką, z '.' tylko z przecinkiem, chyba że pole jest w cudzysłowie), bez "
        "grupowania cyfr; wyniki mają kropkę, "
        "a z --decimal-comma przecinek. Separator pól nie może być cyfrą, znakiem +/-, literą "
        "wykładnika ani inf/nan, separatorem dziesiętnym wyników, cudzysłowem, końcem linii ani "
        "(z --header) znakiem nazwy kolumny wyniku.\n"
        "Pola jak w RFC 4180: cudzysłowy, podwojone cudzysłowy, separatory i końce linii "
        "w cudzysłowie. Każdy bajt wejścia wychodzi bez zmian, razem z końcami linii, znacznikiem "
        "BOM, pustymi wierszami i ostatnim wierszem bez końca linii. Wejście w UTF-16 (ze "
        "znacznikiem "
        "BOM) jest odrzucane: trzeba je zapisać jako UTF-8. Wyniki wychodzą, gdy "
        "nadchodzi wejście; pamięć nie rośnie z długością pliku.\n"
        "Kod wyjścia: 0 — wszystkie wiersze przeliczone, 1 — co najmniej jeden wiersz odrzucony "
        "(wypisany z pustym polem wyniku; powód na stderr jako „LINIA: powód”), 2 — błąd "
        "wywołania, odczytu lub zapisu.");
    p.app->callback([o = p.opcje, k, &wyjscia] {
        Odmowy odmowy;
        const batch::Konfiguracja w = konfiguracja(*o, *k, odmowy);
        if (odmowy.zglos(wyjscia)) return;
        konwertuj(wyjscia, w, *k);
    });
}

}  // namespace cli
