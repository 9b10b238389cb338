// One click's work per column: the two price texts in, seven display texts out.
#include "levelcommands.h"

#include <benchmark/benchmark.h>

namespace {

void support(benchmark::State &state, std::u16string_view high, std::u16string_view low)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(supportLevels(high, low, {}));
}

void resistance(benchmark::State &state, std::u16string_view high, std::u16string_view low)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(resistanceLevels(high, low, {}));
}

void bothColumns(benchmark::State &state, std::u16string_view high, std::u16string_view low)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(supportLevels(high, low, {}));
        benchmark::DoNotOptimize(resistanceLevels(high, low, {}));
    }
}

} // namespace

BENCHMARK_CAPTURE(support, typical, u"20", u"10");
BENCHMARK_CAPTURE(resistance, typical, u"20", u"10");
BENCHMARK_CAPTURE(bothColumns, typical, u"20", u"10");
BENCHMARK_CAPTURE(bothColumns, long_prices, u"12345.678", u"10987.654");

BENCHMARK_MAIN();
