// The coach's whole table: time on one and on two threads, and the peak
// memory of the process afterwards. Run from a Release tree.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "strategy/strategy.h"

namespace kvoro::strategy {
namespace {

void computeTable(benchmark::State& state) {
    for (auto _ : state) {
        ValueTable table = ValueTable::compute(static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(table.values().data());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}
BENCHMARK(computeTable)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void adviseTurn(benchmark::State& state) {
    static const ValueTable table = ValueTable::compute(2);
    const std::int32_t dice[kMaxDice] = {2, 3, 3, 5, 6, 0};
    for (auto _ : state) {
        const TurnAdvisor advisor(table, ScoreCard{});
        benchmark::DoNotOptimize(advisor.moves(dice, 2).front().expected);
    }
}
BENCHMARK(adviseTurn)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kvoro::strategy
