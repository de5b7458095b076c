// Resident memory of the process after one committed hour on the virtual
// clock: the whole engine with the scripted parts, judged once at the hour.
#include "session/SessionHarness.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

/// VmRSS from /proc/self/status in kilobytes; 0 where it can not be read.
double residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

void committedHour(benchmark::State &state)
{
    const double before = residentKiB();
    for (auto _ : state) {
        SessionHarness h;
        h.judge.autoAnswer = [] { return judged(Verdict::aligned); };
        h.state->boot();
        h.gate.callbacks().onDeclare(QStringLiteral("Finish the pricing page"), Until::untilDone());
        h.clock.advance(3600);
        state.counters["VmRSS_KiB"] = residentKiB();
        state.counters["judged"] = double(h.judge.seen.size());
        benchmark::DoNotOptimize(h.state->revision());
    }
    state.counters["startRSS_KiB"] = before;
}

} // namespace

// One hour, once: a repeated run would report the allocator's high-water mark.
BENCHMARK(committedHour)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
