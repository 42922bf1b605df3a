#include "konfiguracja.h"

namespace batch {

std::string_view nazwaKolumny(const Konfiguracja& konfiguracja) {
    constexpr std::string_view kTemperatury[] = {"temperature_C", "temperature_F", "temperature_K"};
    constexpr std::string_view kEmf[] = {"emf_mV", "emf_uV"};
    const auto& u = konfiguracja.ustawienia;
    return konfiguracja.cel == Cel::Temperatura
               ? kTemperatury[static_cast<std::size_t>(u.temperatura)]
               : kEmf[static_cast<std::size_t>(u.emf)];
}

numbers::Separator separatorLiczb(char separator) {
    if (separator == ',') return numbers::Separator::Kropka;
    if (separator == '.') return numbers::Separator::Przecinek;
    return numbers::Separator::Dowolny;
}

}  // namespace batch
