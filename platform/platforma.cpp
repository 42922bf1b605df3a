#include "platforma.h"

#include <ostream>

namespace platform {

std::string_view opis(Powod p) {
    switch (p) {
        case Powod::BrakPliku:
            return "nie ma takiego pliku";
        case Powod::BrakUprawnien:
            return "brak uprawnień";
        case Powod::Folder:
            return "to folder, a nie plik";
        case Powod::PlikZajety:
            return "plik jest zablokowany przez inny program";
        case Powod::PelnyDysk:
            return "brak miejsca na dysku";
        case Powod::TylkoDoOdczytu:
            return "nośnik tylko do odczytu";
        case Powod::ZaDlugaNazwa:
            return "za długa nazwa pliku";
        case Powod::ZlaNazwa:
            return "niedozwolona nazwa pliku";
        case Powod::ZaDuzoPlikow:
            return "za dużo otwartych plików";
        case Powod::BrakPamieci:
            return "brak pamięci";
        case Powod::BladUrzadzenia:
            return "błąd urządzenia (wejścia-wyjścia)";
    }
    return "nieznany błąd";
}

bool WyjscieStrumienia::pisz(std::string_view bajty) {
    strumien_.write(bajty.data(), static_cast<std::streamsize>(bajty.size()));
    return strumien_.good();
}

bool WyjscieStrumienia::splucz() {
    strumien_.flush();
    return strumien_.good();
}

BuforWyjscia::BuforWyjscia(Wyjscie& cel) : cel_(cel) {
    setp(bufor_.data(), bufor_.data() + bufor_.size());
}

BuforWyjscia::~BuforWyjscia() {
    oproznij();
}

bool BuforWyjscia::oproznij() {
    const auto n = static_cast<std::size_t>(pptr() - pbase());
    setp(bufor_.data(), bufor_.data() + bufor_.size());
    return n == 0 || cel_.pisz({bufor_.data(), n});
}

BuforWyjscia::int_type BuforWyjscia::overflow(int_type c) {
    if (!oproznij()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int BuforWyjscia::sync() {
    return oproznij() && cel_.splucz() ? 0 : -1;
}

}  // namespace platform
