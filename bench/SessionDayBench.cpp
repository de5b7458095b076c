// CPU time to simulate one 10-hour committed day on the virtual clock:
// ticks every 30 s, captures on the cadence, ten judged periods, day files written.
#include "session/SessionHarness.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

static void committedDay(benchmark::State &state)
{
    for (auto _ : state) {
        SessionHarness h(QDateTime(QDate(2026, 3, 2), QTime(8, 30), QTimeZone::utc()));
        h.judge.autoAnswer = [] { return judged(Verdict::aligned); };
        h.state->boot();
        h.clock.advanceTo(QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone::utc()));
        h.gate.callbacks().onDeclare(QStringLiteral("Finish the pricing page"), Until::untilDone());
        h.clock.advance(10 * 3600);
        benchmark::DoNotOptimize(h.state->revision());
    }
}
BENCHMARK(committedDay)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
