// The Python module's binding: numpy arrays in, conversions' results out.
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
#include "tolerancja.h"
#include "typ_termopary.h"

namespace py = pybind11;

namespace {

using conversions::Ustawienia;
using Jadro =
    std::function<conversions::Odmowa(const conversions::Ciag*, double*, std::size_t, bool)>;

// Below this a second thread costs more than it saves.
constexpr std::size_t kProgWatkow = std::size_t{1} << 15;

std::string jakPython(const py::handle& o) {
    return py::repr(o).cast<std::string>();
}

engine::TypTermopary typ(const py::object& o) {
    if (py::isinstance<py::str>(o)) {
        const auto s = o.cast<std::string>();
        if (s.size() == 1) {
            if (const auto t = engine::typZLitery(s[0])) return *t;
        }
    }
    throw py::value_error("unknown thermocouple type " + jakPython(o) + " (one of " +
                          std::string(engine::kListaTypow) + ")");
}

conversions::JednostkaTemperatury jednostka(const std::string& s) {
    if (const auto j = conversions::jednostkaTemperatury(s)) return *j;
    throw py::value_error("unknown temperature unit '" + s + "' (one of " +
                          std::string(conversions::kNazwyJednostek) + ")");
}

conversions::JednostkaEmf jednostkaEmf(const std::string& s) {
    if (const auto j = conversions::jednostkaEmf(s)) return *j;
    throw py::value_error("unknown EMF unit '" + s + "' (one of " +
                          std::string(conversions::kNazwyJednostekEmf) + ")");
}

// True: stop at the first refusal and raise; false: refused elements are NaN.
bool podnies(const std::string& s) {
    if (s == "raise") return true;
    if (s == "nan") return false;
    throw py::value_error("errors must be 'raise' or 'nan', not '" + s + "'");
}

// Python's and numpy's bools alike; an int is no bool here.
bool logiczna(const py::handle& o) {
    return py::isinstance<py::bool_>(o) ||
           py::isinstance(o, py::module_::import("numpy").attr("bool_"));
}

// Any integral number (Python's int, numpy's integers: whatever has
// __index__), but not a bool.
int klasa(const py::object& o) {
    if (!logiczna(o) && py::hasattr(o, "__index__")) {
        const auto k = py::reinterpret_steal<py::object>(PyNumber_Index(o.ptr()));
        if (!k) throw py::error_already_set();
        const auto n = k.cast<long long>();
        if (n >= 1 && n <= 3) return static_cast<int>(n);
    }
    throw py::value_error("cls must be 1, 2 or 3, not " + jakPython(o));
}

bool dokladna(const py::object& o) {
    if (!logiczna(o)) throw py::type_error("exact must be True or False, not " + jakPython(o));
    return py::cast<bool>(o);
}

// One argument as float64 values: real dtypes only; a float64 array, strided
// or not, is used in place. The mask, one byte per element, as bools.
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

Argument maska(const py::handle& o) {
    py::array a = py::array_t<bool, py::array::forcecast>::ensure(o);
    if (!a) throw py::error_already_set();
    return {"mask", std::move(a)};
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
    conversions::Odmowa przebieg(const Jadro& jadro, double* wynik, std::size_t od, std::size_t doo,
                                 bool stop) const {
        const std::size_t nd = ksztalt.size();
        std::vector<py::ssize_t> i(nd, 0);
        auto reszta = static_cast<py::ssize_t>(od);
        for (std::size_t d = nd; d-- > 0;) {
            i[d] = reszta % ksztalt[d];
            reszta /= ksztalt[d];
        }
        std::vector<conversions::Ciag> we(dane.size());
        conversions::Odmowa pierwsza;
        std::size_t poz = od;
        while (poz < doo) {
            const auto dlugosc =
                std::min(static_cast<std::size_t>(ksztalt.back() - i.back()), doo - poz);
            for (std::size_t j = 0; j < dane.size(); ++j) {
                std::ptrdiff_t przesuniecie = 0;
                for (std::size_t d = 0; d < nd; ++d) przesuniecie += i[d] * kroki[j][d];
                we[j] = {dane[j] + przesuniecie, kroki[j].back()};
            }
            conversions::Odmowa o = jadro(we.data(), wynik + poz, dlugosc, stop);
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
// arrays; each element's result does not depend on the split. The kernel
// gets the arguments' runs and then the mask's, empty without one.
py::object licz(const char* funkcja, const Ustawienia& u, std::vector<Argument> argumenty,
                const py::object& mask, bool stop, const Jadro& jadro) {
    const std::size_t wartosci = argumenty.size();
    if (!mask.is_none()) argumenty.push_back(maska(mask));
    const Wymiary k = ksztaltWspolny(argumenty);
    py::array_t<double> wynik(k);
    const auto n = static_cast<std::size_t>(wynik.size());
    double* dane = wynik.mutable_data();
    const Petla petla(argumenty, k);
    const Jadro zMaska = [&](const conversions::Ciag* we, double* w, std::size_t m, bool s) {
        std::array<conversions::Ciag, 3> ciagi{};
        std::copy_n(we, argumenty.size(), ciagi.begin());
        return jadro(ciagi.data(), w, m, s);
    };
    conversions::Odmowa odmowa;
    {
        py::gil_scoped_release bez;
        if (n >= kProgWatkow && std::thread::hardware_concurrency() >= 2) {
            const std::size_t polowa = n / 2;
            conversions::Odmowa druga;
            std::thread w([&] { druga = petla.przebieg(zMaska, dane, polowa, n, stop); });
            odmowa = petla.przebieg(zMaska, dane, 0, polowa, stop);
            w.join();
            if (!odmowa.jest()) odmowa = druga;
        } else if (n > 0) {
            odmowa = petla.przebieg(zMaska, dane, 0, n, stop);
        }
    }
    if (stop && odmowa.jest()) {
        const Argument& a = argumenty.at(odmowa.zimne ? wartosci - 1 : 0);
        const double x = wartoscW(a, odmowa.indeks, k);
        throw py::value_error(
            std::string(funkcja) + ": " + gdzie(odmowa.indeks, k) + a.nazwa + " = " +
            jakPython(py::float_(x)) + ": " +
            conversions::opis(odmowa.powod, u, 0, nullptr, conversions::Jezyk::Angielski));
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

// Type and units: what every function takes.
Ustawienia ustawienia(const py::object& typTermopary, const std::string& unit,
                      const std::string& emfUnit = "mV") {
    Ustawienia u;
    u.typ = typ(typTermopary);
    u.temperatura = jednostka(unit);
    u.emf = jednostkaEmf(emfUnit);
    return u;
}

py::object emf(const py::object& typTermopary, const py::object& t, const py::object& cold,
               const std::string& unit, const std::string& emfUnit, const std::string& errors,
               const py::object& mask) {
    const Ustawienia u = ustawienia(typTermopary, unit, emfUnit);
    return licz("kalvetra.emf", u, {argument("t", t), zimne(cold, u)}, mask, podnies(errors),
                [&u](const conversions::Ciag* we, double* w, std::size_t n, bool s) {
                    return conversions::emf(u, we[0], we[1], we[2], {w, n, s});
                });
}

py::object temperature(const py::object& typTermopary, const py::object& e, const py::object& cold,
                       const std::string& unit, const std::string& emfUnit, const py::object& exact,
                       const std::string& errors, const py::object& mask) {
    Ustawienia u = ustawienia(typTermopary, unit, emfUnit);
    u.dokladna = dokladna(exact);
    return licz("kalvetra.temperature", u, {argument("e", e), zimne(cold, u)}, mask,
                podnies(errors),
                [&u](const conversions::Ciag* we, double* w, std::size_t n, bool s) {
                    return conversions::temperatura(u, we[0], we[1], we[2], {w, n, s});
                });
}

py::object seebeck(const py::object& typTermopary, const py::object& t, const std::string& unit,
                   const std::string& errors, const py::object& mask) {
    const Ustawienia u = ustawienia(typTermopary, unit);
    return licz("kalvetra.seebeck", u, {argument("t", t)}, mask, podnies(errors),
                [&u](const conversions::Ciag* we, double* w, std::size_t n, bool s) {
                    return conversions::seebeck(u, we[0], we[1], {w, n, s});
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
                     const std::string& standard, const py::object& mask) {
    const Ustawienia u = ustawienia(typTermopary, unit);
    if (standard != "iec" && standard != "astm") {
        throw py::value_error("standard must be 'iec' or 'astm', not " +
                              jakPython(py::str(standard)));
    }
    const auto astm = standard == "astm" ? std::optional(klasaAstm(cls)) : std::nullopt;
    const int k = astm ? 0 : klasa(cls);
    const auto odchylka = [&u, k, astm](double x) {
        return astm ? conversions::granicaAstmWJednostce(u.typ, *astm, x, u.temperatura)
                    : conversions::odchylkaWJednostce(u.typ, k, x, u.temperatura);
    };
    return licz("kalvetra.tolerance", u, {argument("t", t)}, mask, podnies(errors),
                [&](const conversions::Ciag* we, double* w, std::size_t n, bool s) {
                    return conversions::tolerancja(u, we[0], we[1], {w, n, s}, odchylka);
                });
}

}  // namespace

// The private half of the package kalvetra (python/kalvetra/__init__.py),
// which reads pandas' and numpy's masked containers and documents each
// function; here each takes the values, every option and a mask.
PYBIND11_MODULE(_kalvetra, m) {
    m.attr("__version__") = KALVETRA_VERSION;
    py::tuple typy(engine::kLiteryTypow.size());
    for (std::size_t i = 0; i < engine::kLiteryTypow.size(); ++i)
        typy[i] = py::str(std::string(1, engine::kLiteryTypow[i]));
    m.attr("TYPES") = typy;
    m.def("emf", &emf, py::arg("typ"), py::arg("t"), py::arg("cold"), py::arg("unit"),
          py::arg("emf_unit"), py::arg("errors"), py::arg("mask"));
    m.def("temperature", &temperature, py::arg("typ"), py::arg("e"), py::arg("cold"),
          py::arg("unit"), py::arg("emf_unit"), py::arg("exact"), py::arg("errors"),
          py::arg("mask"));
    m.def("seebeck", &seebeck, py::arg("typ"), py::arg("t"), py::arg("unit"), py::arg("errors"),
          py::arg("mask"));
    m.def("tolerance", &tolerance, py::arg("typ"), py::arg("t"), py::arg("cls"), py::arg("unit"),
          py::arg("errors"), py::arg("standard"), py::arg("mask"));
}
