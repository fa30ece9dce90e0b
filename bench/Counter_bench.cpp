// One Refresh of the running counter, every unit shown, from a Monday over a day and over 77
// years, with and without work days: the work time is reckoned in whole weeks, so neither the
// span nor the work days should change the cost.
#include "countdown/clsCounter.h"
#include "foundation/OleDate.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_CounterRefresh(benchmark::State& state)
{
    const bool workDays = state.range(0) != 0;
    const bool longSpan = state.range(1) != 0;
    clsCounter counter;
    counter.setIntervalWorkDays(workDays);
    counter.setCurrentDate(vb::oleDateFromParts(longSpan ? 1950 : 2027, longSpan ? 1 : 5, longSpan ? 2 : 31, 10, 4, 7));
    counter.setEventDate(vb::oleDateFromParts(2027, 6, 1, 12, 0, 0));
    for (auto _ : state) {
        counter.Refresh();
        benchmark::DoNotOptimize(counter.SecondsLeft());
    }
    if (counter.SecondsLeft() != 53)
        state.SkipWithError("the counter counted wrong");
}
BENCHMARK(BM_CounterRefresh)->ArgNames({"work_days", "long_span"})->ArgsProduct({{0, 1}, {0, 1}});

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
