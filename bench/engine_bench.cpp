#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "termopara.h"

namespace {

constexpr std::size_t kIle = 1024;  // power of two: the index wraps with a mask

struct Dziedzina {
    const char* nazwa;
    double tOd, tDo;  // °C
    double uOd, uDo;  // µV
};

// clang-format off
constexpr std::array<Dziedzina, 8> kTypy{{
    {"J", -210.0, 1200.0, -8095.0, 69553.0},
    {"K", -270.0, 1372.0, -5891.0, 54886.0},
    {"T", -270.0,  400.0, -5603.0, 20872.0},
    {"E", -270.0, 1000.0, -8825.0, 76373.0},
    {"N", -270.0, 1300.0, -3990.0, 47513.0},
    {"B",    0.0, 1820.0,   291.0, 13820.0},
    {"R",  -50.0, 1768.1,  -226.0, 21103.0},
    {"S",  -50.0, 1768.1,  -235.0, 18693.0},
}};
// clang-format on

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

void BM_Temperatura(benchmark::State& state) {
    const auto typ = static_cast<std::size_t>(state.range(0));
    const auto a = argumenty(kTypy[typ].tOd, kTypy[typ].tDo);
    Termopara tc;
    tc.Typ = static_cast<std::int16_t>(typ);
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(tc.Temperatura(a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(kTypy[typ].nazwa);
}

void BM_EMF(benchmark::State& state) {
    const auto typ = static_cast<std::size_t>(state.range(0));
    const auto a = argumenty(kTypy[typ].uOd, kTypy[typ].uDo);
    Termopara tc;
    tc.Typ = static_cast<std::int16_t>(typ);
    std::size_t i = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): unused by design
        benchmark::DoNotOptimize(tc.EMF(a[i]));
        i = (i + 1) & (kIle - 1);
    }
    state.SetLabel(kTypy[typ].nazwa);
}

}  // namespace

BENCHMARK(BM_Temperatura)->DenseRange(0, 7)->ArgName("typ");
BENCHMARK(BM_EMF)->DenseRange(0, 7)->ArgName("typ");
