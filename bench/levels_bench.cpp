// One click's work per column: the two price texts in, seven display texts out.
#include "levelcommands.h"
#include "runtimeerror.h"

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

// A megabyte pasted into the high box, answered with levels or with an error.
void megabytePaste(benchmark::State &state, std::u16string high)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(supportLevels(high, u"10", {}));
        } catch (const RuntimeError &) { }
    }
}

} // namespace

BENCHMARK_CAPTURE(support, typical, u"20", u"10");
BENCHMARK_CAPTURE(resistance, typical, u"20", u"10");
BENCHMARK_CAPTURE(bothColumns, typical, u"20", u"10");
BENCHMARK_CAPTURE(bothColumns, long_prices, u"12345.678", u"10987.654");
BENCHMARK_CAPTURE(megabytePaste, digits, std::u16string(1 << 20, u'9'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(megabytePaste, fraction, u"20." + std::u16string(1 << 20, u'0'))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
