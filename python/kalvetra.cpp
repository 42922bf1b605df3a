// The Python module: numpy arrays in, the command line's conversions out.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "przeliczenia.h"
#include "tablice.h"
#include "typ_termopary.h"

namespace py = pybind11;

namespace {

using conversions::Ustawienia;
using Jadro = std::function<python::Odmowa(const python::Wejscie*, double*, std::size_t, bool)>;

// Below this a second thread costs more than it saves.
constexpr std::size_t kProgWatkow = std::size_t{1} << 15;

engine::TypTermopary typ(const py::object& o) {
    if (py::isinstance<py::str>(o)) {
        const auto s = o.cast<std::string>();
        if (s.size() == 1) {
            if (const auto t = engine::typZLitery(s[0])) return *t;
        }
    }
    throw py::value_error("unknown thermocouple type " + py::repr(o).cast<std::string>() +
                          " (one of " + std::string(engine::kListaTypow) + ")");
}

conversions::JednostkaTemperatury jednostka(const std::string& s) {
    using J = conversions::JednostkaTemperatury;
    if (s == "C") return J::C;
    if (s == "F") return J::F;
    if (s == "K") return J::K;
    throw py::value_error("unknown temperature unit '" + s + "' (one of C F K)");
}

conversions::JednostkaEmf jednostkaEmf(const std::string& s) {
    if (s == "mV") return conversions::JednostkaEmf::mV;
    if (s == "uV" || s == "µV") return conversions::JednostkaEmf::uV;
    throw py::value_error("unknown EMF unit '" + s + "' (one of mV uV)");
}

// True: stop at the first refusal and raise; false: refused elements are NaN.
bool podnies(const std::string& s) {
    if (s == "raise") return true;
    if (s == "nan") return false;
    throw py::value_error("errors must be 'raise' or 'nan', not '" + s + "'");
}

int klasa(const py::object& o) {
    if (py::isinstance<py::int_>(o) && !py::isinstance<py::bool_>(o)) {
        const auto k = o.cast<long long>();
        if (k >= 1 && k <= 3) return static_cast<int>(k);
    }
    throw py::value_error("cls must be 1, 2 or 3, not " + py::repr(o).cast<std::string>());
}

// One argument as float64 values: real dtypes only; a float64 array, strided
// or not, is used in place.
struct Argument {
    const char* nazwa;
    py::array tablica;
};

Argument argument(const char* nazwa, const py::handle& o) {
    py::array a = py::module_::import("numpy").attr("asarray")(o);
    const char rodzaj = a.dtype().kind();
    if (rodzaj != 'f' && rodzaj != 'i' && rodzaj != 'u' && rodzaj != 'b') {
        throw py::type_error(std::string(nazwa) + " must hold real numbers, not dtype " +
                             py::str(a.dtype()).cast<std::string>());
    }
    if (!py::isinstance<py::array_t<double>>(a)) {
        a = py::array_t<double, py::array::forcecast>::ensure(a);
        if (!a) throw py::error_already_set();
    }
    return {nazwa, std::move(a)};
}

using Wymiary = std::vector<py::ssize_t>;

Wymiary ksztaltWspolny(const std::vector<Argument>& argumenty) {
    std::size_t nd = 0;
    for (const Argument& a : argumenty)
        nd = std::max(nd, static_cast<std::size_t>(a.tablica.ndim()));
    Wymiary k(nd, 1);
    for (const Argument& a : argumenty) {
        const auto n = static_cast<std::size_t>(a.tablica.ndim());
        for (std::size_t d = 0; d < n; ++d) {
            const py::ssize_t w = a.tablica.shape(static_cast<py::ssize_t>(d));
            py::ssize_t& cel = k[nd - n + d];
            if (w == cel || w == 1) continue;
            if (cel != 1) {
                std::string opis;
                for (const Argument& b : argumenty) {
                    opis += std::string(opis.empty() ? "" : ", ") + b.nazwa + " " +
                            py::str(b.tablica.attr("shape")).cast<std::string>();
                }
                throw py::value_error("shapes cannot be broadcast together: " + opis);
            }
            cel = w;
        }
    }
    return k;
}

// Byte strides of an argument over the broadcast shape; 0 where it repeats.
Wymiary krokiWspolne(const py::array& a, const Wymiary& k) {
    const auto n = static_cast<std::size_t>(a.ndim());
    Wymiary kroki(k.size(), 0);
    for (std::size_t d = 0; d < n; ++d) {
        const auto i = static_cast<py::ssize_t>(d);
        if (a.shape(i) != 1) kroki[k.size() - n + d] = a.strides(i);
    }
    return kroki;
}

// The loop over the broadcast shape with dimensions merged wherever every
// argument steps evenly across them, so contiguous data is one flat run.
struct Petla {
    Wymiary ksztalt;
    std::vector<Wymiary> kroki;  // per argument
    std::vector<const char*> dane;

    Petla(const std::vector<Argument>& argumenty, const Wymiary& k) {
        std::vector<Wymiary> wszystkie;
        for (const Argument& a : argumenty) {
            wszystkie.push_back(krokiWspolne(a.tablica, k));
            dane.push_back(static_cast<const char*>(a.tablica.data()));
        }
        kroki.resize(argumenty.size());
        for (std::size_t d = 0; d < k.size(); ++d) {
            if (k[d] == 1) continue;
            bool scal = !ksztalt.empty();
            for (std::size_t j = 0; scal && j < wszystkie.size(); ++j) {
                scal = kroki[j].back() == wszystkie[j][d] * k[d];
            }
            if (scal) {
                ksztalt.back() *= k[d];
                for (std::size_t j = 0; j < wszystkie.size(); ++j)
                    kroki[j].back() = wszystkie[j][d];
            } else {
                ksztalt.push_back(k[d]);
                for (std::size_t j = 0; j < wszystkie.size(); ++j)
                    kroki[j].push_back(wszystkie[j][d]);
            }
        }
        if (ksztalt.empty()) {
            ksztalt.push_back(1);
            for (Wymiary& kr : kroki) kr.push_back(0);
        }
    }

    // Elements [od, doo) of the flattened output; the first refusal's flat index.
    python::Odmowa przebieg(const Jadro& jadro, double* wynik, std::size_t od, std::size_t doo,
                            bool stop) const {
        const std::size_t nd = ksztalt.size();
        std::vector<py::ssize_t> i(nd, 0);
        auto reszta = static_cast<py::ssize_t>(od);
        for (std::size_t d = nd; d-- > 0;) {
            i[d] = reszta % ksztalt[d];
            reszta /= ksztalt[d];
        }
        std::vector<python::Wejscie> we(dane.size());
        python::Odmowa pierwsza;
        std::size_t poz = od;
        while (poz < doo) {
            const auto dlugosc =
                std::min(static_cast<std::size_t>(ksztalt.back() - i.back()), doo - poz);
            for (std::size_t j = 0; j < dane.size(); ++j) {
                std::ptrdiff_t przesuniecie = 0;
                for (std::size_t d = 0; d < nd; ++d) przesuniecie += i[d] * kroki[j][d];
                we[j] = {dane[j] + przesuniecie, kroki[j].back()};
            }
            python::Odmowa o = jadro(we.data(), wynik + poz, dlugosc, stop);
            if (o.jest() && !pierwsza.jest()) {
                o.indeks += poz;
                pierwsza = o;
                if (stop) break;
            }
            poz += dlugosc;
            i.back() += static_cast<py::ssize_t>(dlugosc);
            for (std::size_t d = nd; d-- > 1 && i[d] == ksztalt[d];) {
                i[d] = 0;
                ++i[d - 1];
            }
        }
        return pierwsza;
    }
};

// Where a flat index lies in the broadcast shape, as Python shows an index.
std::string gdzie(std::size_t plaski, const Wymiary& k) {
    if (k.empty()) return "";
    std::vector<py::ssize_t> i(k.size());
    auto reszta = static_cast<py::ssize_t>(plaski);
    for (std::size_t d = k.size(); d-- > 0;) {
        i[d] = reszta % k[d];
        reszta /= k[d];
    }
    if (k.size() == 1) return "element " + std::to_string(i[0]) + ": ";
    std::string s = "element (";
    for (std::size_t d = 0; d < i.size(); ++d) s += (d ? ", " : "") + std::to_string(i[d]);
    return s + "): ";
}

double wartoscW(const Argument& a, std::size_t plaski, const Wymiary& k) {
    const Wymiary kroki = krokiWspolne(a.tablica, k);
    auto reszta = static_cast<py::ssize_t>(plaski);
    std::ptrdiff_t przesuniecie = 0;
    for (std::size_t d = k.size(); d-- > 0;) {
        przesuniecie += (reszta % k[d]) * kroki[d];
        reszta /= k[d];
    }
    return *reinterpret_cast<const double*>(static_cast<const char*>(a.tablica.data()) +
                                            przesuniecie);
}

// Converts every element of the broadcast arguments, on two threads for large
// arrays; each element's result does not depend on the split.
py::object licz(const char* funkcja, const Ustawienia& u, const std::vector<Argument>& argumenty,
                bool stop, const Jadro& jadro) {
    const Wymiary k = ksztaltWspolny(argumenty);
    py::array_t<double> wynik(k);
    const auto n = static_cast<std::size_t>(wynik.size());
    double* dane = wynik.mutable_data();
    const Petla petla(argumenty, k);
    python::Odmowa odmowa;
    {
        py::gil_scoped_release bez;
        if (n >= kProgWatkow && std::thread::hardware_concurrency() >= 2) {
            const std::size_t polowa = n / 2;
            python::Odmowa druga;
            std::thread w([&] { druga = petla.przebieg(jadro, dane, polowa, n, stop); });
            odmowa = petla.przebieg(jadro, dane, 0, polowa, stop);
            w.join();
            if (!odmowa.jest()) odmowa = druga;
        } else if (n > 0) {
            odmowa = petla.przebieg(jadro, dane, 0, n, stop);
        }
    }
    if (stop && odmowa.jest()) {
        const Argument& a = odmowa.zimne ? argumenty.back() : argumenty.front();
        const double x = wartoscW(a, odmowa.indeks, k);
        throw py::value_error(std::string(funkcja) + ": " + gdzie(odmowa.indeks, k) + a.nazwa +
                              " = " + py::repr(py::float_(x)).cast<std::string>() + ": " +
                              conversions::opis(odmowa.powod, u));
    }
    if (k.empty()) return py::float_(dane[0]);
    return wynik;
}

// The cold junction: the given one, or the ice point in the unit.
Argument zimne(const py::object& cold, const Ustawienia& u) {
    if (cold.is_none()) {
        return argument("cold", py::float_(conversions::punktLodu(u.temperatura).temperatura));
    }
    return argument("cold", cold);
}

py::object emf(const py::object& typTermopary, const py::object& t, const py::object& cold,
               const std::string& unit, const std::string& emfUnit, const std::string& errors) {
    Ustawienia u;
    u.typ = typ(typTermopary);
    u.temperatura = jednostka(unit);
    u.emf = jednostkaEmf(emfUnit);
    const bool stop = podnies(errors);
    return licz("kalvetra.emf", u, {argument("t", t), zimne(cold, u)}, stop,
                [&u](const python::Wejscie* we, double* w, std::size_t n, bool s) {
                    return python::emf(u, we[0], we[1], w, n, s);
                });
}

py::object temperature(const py::object& typTermopary, const py::object& e, const py::object& cold,
                       const std::string& unit, const std::string& emfUnit, bool exact,
                       const std::string& errors) {
    Ustawienia u;
    u.typ = typ(typTermopary);
    u.temperatura = jednostka(unit);
    u.emf = jednostkaEmf(emfUnit);
    u.dokladna = exact;
    const bool stop = podnies(errors);
    return licz("kalvetra.temperature", u, {argument("e", e), zimne(cold, u)}, stop,
                [&u](const python::Wejscie* we, double* w, std::size_t n, bool s) {
                    return python::temperatura(u, we[0], we[1], w, n, s);
                });
}

py::object seebeck(const py::object& typTermopary, const py::object& t, const std::string& unit,
                   const std::string& errors) {
    Ustawienia u;
    u.typ = typ(typTermopary);
    u.temperatura = jednostka(unit);
    const bool stop = podnies(errors);
    return licz("kalvetra.seebeck", u, {argument("t", t)}, stop,
                [&u](const python::Wejscie* we, double* w, std::size_t n, bool s) {
                    return python::seebeck(u, we[0], w, n, s);
                });
}

// ASTM E230's limit named by `cls`: "standard" or "special".
engine::KlasaAstm klasaAstm(const py::object& o) {
    if (py::isinstance<py::str>(o)) {
        const auto s = o.cast<std::string>();
        if (s == "standard") return engine::KlasaAstm::Standardowa;
        if (s == "special") return engine::KlasaAstm::Specjalna;
    }
    throw py::value_error("with standard=\"astm\" cls must be 'standard' or 'special', not " +
                          py::repr(o).cast<std::string>());
}

py::object tolerance(const py::object& typTermopary, const py::object& t, const py::object& cls,
                     const std::string& unit, const std::string& errors,
                     const std::string& standard) {
    Ustawienia u;
    u.typ = typ(typTermopary);
    u.temperatura = jednostka(unit);
    if (standard != "iec" && standard != "astm") {
        throw py::value_error("standard must be 'iec' or 'astm', not '" + standard + "'");
    }
    const auto astm = standard == "astm" ? std::optional(klasaAstm(cls)) : std::nullopt;
    const int k = astm ? 0 : klasa(cls);
    const bool stop = podnies(errors);
    return licz("kalvetra.tolerance", u, {argument("t", t)}, stop,
                [&u, k, astm](const python::Wejscie* we, double* w, std::size_t n, bool s) {
                    return python::tolerancja(u, k, astm, we[0], w, n, s);
                });
}

constexpr const char* kOpisModulu =
    R"(Thermocouple conversions of ITS-90 and the tolerance classes of
IEC 60584-1 (and ASTM E230's limits of error), on the same engine as
kalvetra-cli, for the ten types in TYPES: J K T E N B R S of NIST
Monograph 175 and the tungsten-rhenium types C and A, which have no
inverse polynomial and are always inverted exactly. A cold junction at tc
contributes E(tc) - E(0 °C): type A's function gives 0.716 µV at 0 °C.

Every function takes a Python number, a sequence or a numpy array of any
shape and real dtype (a pandas Series through numpy), and returns a float
for a scalar, otherwise a new float64 array of the broadcast shape.
Nothing is extrapolated: a value outside the domain is refused.
errors="raise" raises ValueError naming the first refused element, its
index and the reason; errors="nan" turns refused elements (and NaN inputs)
into NaN and converts the rest.)";

constexpr const char* kOpisEmf =
    R"(emf(typ, t, cold=None, *, unit="C", emf_unit="mV", errors="raise")

Thermoelectric voltage E(t) - E(cold) of a thermocouple of type `typ`
('J', 'K', 'T', 'E', 'N', 'B', 'R', 'S', either case) with its measuring
junction at `t` and its reference junction at `cold`.

t, cold  temperatures in `unit` ("C", "F" or "K"); cold broadcasts against t
         and defaults to the ice point (0 °C, 32 °F, 273.15 K). Both must lie
         in the type's reference domain.
emf_unit "mV" or "uV", the unit of the result.
errors   "raise": ValueError at the first refused element;
         "nan": refused elements become NaN.

>>> kalvetra.emf("K", 100.0)
4.096...)";

constexpr const char* kOpisTemperature =
    R"(temperature(typ, e, cold=None, *, unit="C", emf_unit="mV", exact=False, errors="raise")

Temperature of the measuring junction of a thermocouple of type `typ` that
gives the voltage `e` with its reference junction at `cold`: the temperature
whose EMF against 0 °C is e + E(cold).

e      measured voltages in `emf_unit` ("mV" or "uV").
cold   reference-junction temperatures in `unit` ("C", "F" or "K"),
       broadcast against e; default the ice point (0 °C, 32 °F, 273.15 K).
exact  False: NIST's inverse polynomial, whose domain is that of the
       compensated EMF; True: the exact inverse of the reference function,
       over the reference function's whole range.
errors "raise": ValueError at the first refused element;
       "nan": refused elements (and NaN inputs) become NaN.

The result is in `unit`.

>>> kalvetra.temperature("K", [4.096, 8.138], cold=[20.0, 21.5])
array([...]))";

constexpr const char* kOpisSeebeck = R"(seebeck(typ, t, *, unit="C", errors="raise")

Seebeck coefficient dE/dt of the reference function of type `typ` at the
temperatures `t` (in `unit`: "C", "F" or "K"), in µV per degree of `unit`.
errors "raise" or "nan" as for emf().)";

constexpr const char* kOpisTolerance =
    R"(tolerance(typ, t, cls, *, unit="C", errors="raise", standard="iec")

Permissible deviation of IEC 60584-1 tolerance class `cls` (1, 2 or 3) of
type `typ` at the temperatures `t` (in `unit`: "C", "F" or "K"), as a width
in degrees of `unit`. Types C and A have class 2 only. With
standard="astm", ASTM E230's limit of error instead: `cls` "standard" or
"special". NaN where the class or the standard gives no deviation (the
command line's N/A), in both error modes; a temperature outside the type's
domain is refused as by emf().)";

}  // namespace

PYBIND11_MODULE(kalvetra, m) {
    m.doc() = kOpisModulu;
    py::tuple typy(engine::kLiteryTypow.size());
    for (std::size_t i = 0; i < engine::kLiteryTypow.size(); ++i)
        typy[i] = py::str(std::string(1, engine::kLiteryTypow[i]));
    m.attr("TYPES") = typy;
    m.def("emf", &emf, kOpisEmf, py::arg("typ"), py::arg("t"), py::arg("cold") = py::none(),
          py::kw_only(), py::arg("unit") = "C", py::arg("emf_unit") = "mV",
          py::arg("errors") = "raise");
    m.def("temperature", &temperature, kOpisTemperature, py::arg("typ"), py::arg("e"),
          py::arg("cold") = py::none(), py::kw_only(), py::arg("unit") = "C",
          py::arg("emf_unit") = "mV", py::arg("exact") = false, py::arg("errors") = "raise");
    m.def("seebeck", &seebeck, kOpisSeebeck, py::arg("typ"), py::arg("t"), py::kw_only(),
          py::arg("unit") = "C", py::arg("errors") = "raise");
    m.def("tolerance", &tolerance, kOpisTolerance, py::arg("typ"), py::arg("t"), py::arg("cls"),
          py::kw_only(), py::arg("unit") = "C", py::arg("errors") = "raise",
          py::arg("standard") = "iec");
}
