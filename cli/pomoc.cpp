#include "pomoc.h"

#include <cstdint>
#include <sstream>
#include <vector>

namespace cli {

namespace {

std::size_t znaki(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return n;
}

// Text for roff: '-' and '\' escaped, anything beyond ASCII as \[uXXXX] so
// that the page reads the same whatever groff's input encoding.
std::string roff(std::string_view s) {
    std::string w;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80U) {
            if (c == '-') {
                w += "\\-";
            } else if (c == '\\') {
                w += "\\e";
            } else {
                w += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        const std::size_t n = c >= 0xF0U ? 4 : (c >= 0xE0U ? 3 : 2);
        std::uint32_t kod = c & (0x7FU >> n);
        for (std::size_t k = 1; k < n && i + k < s.size(); ++k) {
            kod = (kod << 6U) | (static_cast<unsigned char>(s[i + k]) & 0x3FU);
        }
        std::ostringstream hex;
        hex << std::uppercase << std::hex << kod;
        std::string h = hex.str();
        w += "\\[u" + std::string(h.size() < 4 ? 4 - h.size() : 0, '0') + h + "]";
        i += n;
    }
    return w;
}

// Paragraphs of roff text: each line of `tekst` its own paragraph.
std::string akapity(std::string_view tekst) {
    std::string w;
    while (!tekst.empty()) {
        const std::size_t n = std::min(tekst.find('\n'), tekst.size());
        std::string linia = roff(tekst.substr(0, n));
        if (linia.starts_with('.') || linia.starts_with('\'')) linia.insert(0, "\\&");
        w += linia + "\n";
        tekst.remove_prefix(std::min(n + 1, tekst.size()));
        if (!tekst.empty()) w += ".PP\n";
    }
    return w;
}

std::string nazwaOpcji(const CLI::Option* o) {
    std::string n;
    for (const std::string& s : o->get_snames()) n += (n.empty() ? "-" : ", -") + s;
    for (const std::string& l : o->get_lnames()) n += (n.empty() ? "--" : ", --") + l;
    return n.empty() ? o->get_name() : n;
}

// Worked examples for the man page only: each the command and its output.
struct Przyklad {
    std::string_view polecenie;
    std::string_view wynik;
};
constexpr Przyklad kPrzyklady[] = {
    {"kalvetra-cli emf K 550 --cold 21", "21.9380"},
    {"kalvetra-cli temp K 21,938 --cold 21", "550.03"},
    {"kalvetra-cli tolerance K 550", "2.2\t4.1\tN/A"},
    {"seq 0 500 1000 | kalvetra-cli emf K", "0.0000\n20.6443\n41.2756"},
    {"printf 'emf_mV,cold_C\\n4.096,21.5\\n' | kalvetra-cli convert K --to temp --header "
     "--column emf_mV --cold-column cold_C",
     "emf_mV,cold_C,temperature_C\n4.096,21.5,120.84"},
};

}  // namespace

std::string zawin(std::string_view tekst, std::size_t szerokosc) {
    std::string w;
    std::size_t kolumna = 0;
    while (!tekst.empty()) {
        if (tekst.front() == '\n') {
            w += '\n';
            kolumna = 0;
            tekst.remove_prefix(1);
            continue;
        }
        if (tekst.front() == ' ') {
            tekst.remove_prefix(1);
            continue;
        }
        const std::size_t n = std::min(tekst.find_first_of(" \n"), tekst.size());
        const std::size_t dlugosc = znaki(tekst.substr(0, n));
        if (kolumna > 0 && kolumna + 1 + dlugosc > szerokosc) {
            w += '\n';
            kolumna = 0;
        }
        if (kolumna > 0) {
            w += ' ';
            ++kolumna;
        }
        w += tekst.substr(0, n);
        kolumna += dlugosc;
        tekst.remove_prefix(n);
    }
    return w;
}

std::string Pomoc::make_option_desc(const CLI::Option* opt) const {
    return zawin(opt->get_description(), kSzerokosc - get_column_width());
}

std::string Pomoc::make_subcommand(const CLI::App* sub) const {
    std::ostringstream w;
    CLI::detail::format_help(w, sub->get_display_name(true),
                             zawin(sub->get_description(), kSzerokosc - get_column_width()),
                             get_column_width());
    return w.str();
}

std::string Pomoc::make_description(const CLI::App* app) const {
    const std::string opis = app->get_description();
    return opis.empty() ? std::string() : zawin(opis, kSzerokosc) + "\n";
}

std::string Pomoc::make_footer(const CLI::App* app) const {
    const std::string stopka = app->get_footer();
    return stopka.empty() ? std::string() : zawin(stopka, kSzerokosc) + "\n";
}

std::string stronaPodrecznika(const CLI::App& app, std::string_view data, std::string_view wersja) {
    const std::string& nazwa = app.get_name();
    std::string w = ".TH KALVETRA\\-CLI 1 \"" + std::string(data) + "\" \"" + nazwa + " " +
                    std::string(wersja) + "\" \"" + roff("Polecenia użytkownika") + "\"\n.nh\n";
    w += ".SH " + roff("NAZWA") + "\n" + roff(nazwa) + " \\- " + roff(app.get_description()) + "\n";
    const std::vector<const CLI::App*> polecenia = app.get_subcommands({});
    w += ".SH " + roff("SKŁADNIA") + "\n";
    for (const CLI::App* p : polecenia) {
        w += ".B " + roff(nazwa + " " + p->get_name()) + "\n";
        std::string argumenty;
        for (const CLI::Option* o : p->get_options()) {
            if (!o->get_positional()) continue;
            const std::string a = "\\fI" + roff(o->get_name()) + "\\fR" +
                                  (o->get_items_expected_max() > 1 ? "..." : "");
            argumenty += (o->get_required() ? a : "[" + a + "]") + " ";
        }
        w += argumenty + "[\\fI" + roff("OPCJE") + "\\fR]\n.br\n";
    }
    w += ".B " + roff(nazwa) + "\n.RB [ \\-\\-help | \\-\\-version ]\n";
    w += ".SH " + roff("OPIS") + "\n" + akapity(app.get_footer());
    w += ".SH " + roff("POLECENIA") + "\n";
    for (const CLI::App* p : polecenia) {
        w += ".SS " + roff(p->get_name()) + "\n" + akapity(p->get_description());
        for (const CLI::Option* o : p->get_options()) {
            if (o == p->get_help_ptr()) continue;
            std::string typ = o->get_type_name();
            w += ".TP\n.B " + roff(nazwaOpcji(o)) +
                 (typ.empty() || o->get_positional() ? "" : " \\fI" + roff(typ) + "\\fR") + "\n" +
                 roff(o->get_description()) + (o->get_required() ? roff(" (wymagany)") : "") + "\n";
        }
        if (p->get_footer() != app.get_footer()) w += ".PP\n" + akapity(p->get_footer());
    }
    w += ".SH " + roff("OPCJE OGÓLNE") + "\n";
    for (const CLI::Option* o : app.get_options()) {
        w += ".TP\n.B " + roff(nazwaOpcji(o)) + "\n" + roff(o->get_description()) + "\n";
    }
    w += ".SH " + roff("PRZYKŁADY") + "\n.nf\n";
    for (const Przyklad& p : kPrzyklady) {
        w += "$ " + roff(p.polecenie) + "\n" + roff(p.wynik) + "\n";
    }
    w += ".fi\n.SH " + roff("ZOBACZ TAKŻE") + "\n.BR kalvetra (1)\n";
    return w;
}

}  // namespace cli
