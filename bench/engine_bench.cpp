#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "its90.h"
#include "termopara.h"
#include "typ_termopary.h"

namespace {

constexpr std::size_t kIle = 1024;  // power of two: the index wraps with a mask

// Arguments spread over the whole domain in a scrambled order, so every
// sub-range is visited and the branch predictor cannot learn a pattern.
std::array<double, kIle> argumenty(double od, double doo) {
    std::array<double, kIle> a{};
    for (std::size_t i = 0; i < kIle; ++i) {
        const std::size_t j = (i * 389) % kIle;
        a[j] = od + (doo - od) * static_cast<double>(i) / static_cast<double>(kIle - 1);
    }
    return a;
}

engine::TypTermopary typ(const benchmark::State& state) {
    return engine::kWszystkieTypy.at(static_cast<std::size_t>(state.range(0)));
}

std::array<double, kIle> temperatury(engine::TypTermopary t) {
    const auto d = engine::dziedzinaTemperatury(t);
    return argumenty(d.od, d.doo);
}

std::array<double, kIle> napiecia(engine::Zakres d) {
    return argumenty(d.od, d.doo);
}

void BM_Temperatura(benchmark::State& state) {
    const auto a = temperatury(typ(state));
    engine::Termopara tc;
    tc.Typ = static_cast<std::int16_t>(indeks(typ(state)));
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(tc.Temperatura(a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(std::string(1, litera(typ(state))));
}

void BM_EMF(benchmark::State& state) {
    const auto a = napiecia(engine::dziedzinaOdwrotnej(typ(state)));
    engine::Termopara tc;
    tc.Typ = static_cast<std::int16_t>(indeks(typ(state)));
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(tc.EMF(a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(std::string(1, litera(typ(state))));
}

void BM_Seebeck(benchmark::State& state) {
    const engine::TypTermopary t = typ(state);
    const auto a = temperatury(t);
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(engine::seebeck(t, a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(std::string(1, litera(t)));
}

void BM_TemperaturaDokladna(benchmark::State& state) {
    const engine::TypTermopary t = typ(state);
    const auto a = napiecia(engine::dziedzinaDokladnej(t));
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(engine::temperaturaDokladna(t, a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(std::string(1, litera(t)));
}

// The same arguments as one run of values, per value: kIle of them per
// iteration, in the same scrambled order, so every block mixes sub-ranges.
template <void (*Blok)(engine::TypTermopary, const double*, double*, std::size_t), bool Odwrotna>
void BM_Blok(benchmark::State& state) {
    const engine::TypTermopary t = typ(state);
    const auto a = Odwrotna ? napiecia(engine::dziedzinaOdwrotnej(t)) : temperatury(t);
    std::array<double, kIle> wynik{};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        Blok(t, a.data(), wynik.data(), kIle);
        benchmark::DoNotOptimize(wynik.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kIle));
    state.SetLabel(std::string(1, litera(t)));
}

constexpr auto kOstatni = static_cast<std::int64_t>(engine::kWszystkieTypy.size()) - 1;

}  // namespace

BENCHMARK(BM_Temperatura)->DenseRange(0, kOstatni)->ArgName("typ");
BENCHMARK(BM_EMF)->DenseRange(0, kOstatni)->ArgName("typ");
BENCHMARK(BM_Seebeck)->DenseRange(0, kOstatni)->ArgName("typ");
BENCHMARK(BM_TemperaturaDokladna)->DenseRange(0, kOstatni)->ArgName("typ");
BENCHMARK(BM_Blok<engine::emfBlok, false>)
    ->Name("BM_EmfBlok")
    ->DenseRange(0, kOstatni)
    ->ArgName("typ");
BENCHMARK(BM_Blok<engine::temperaturaZEmfBlok, true>)
    ->Name("BM_TemperaturaZEmfBlok")
    ->DenseRange(0, kOstatni)
    ->ArgName("typ");
