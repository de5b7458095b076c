// The camera check as the witness runs it before each frame: the /proc walk
// when a video device exists (held by nobody, so the walk visits every
// process), and the same check on a machine without any video device.

#include "Solitask/platform/linux/CameraSensorProc.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void check(benchmark::State &state, bool withDevice)
{
    QTemporaryDir dir;
    if (withDevice) {
        QFile device(dir.filePath(QStringLiteral("video0")));
        device.open(QIODevice::WriteOnly);
    }
    CameraSensorProc sensor(QStringLiteral("/proc"), dir.filePath(QStringLiteral("video")), {});
    for (auto _ : state)
        benchmark::DoNotOptimize(sensor.anyCameraRunning());
}

// This machine's own /dev and PipeWire socket, as the application looks.
void thisMachine(benchmark::State &state)
{
    CameraSensorProc sensor;
    for (auto _ : state)
        benchmark::DoNotOptimize(sensor.anyCameraRunning());
}

BENCHMARK_CAPTURE(check, withVideoDevice, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(check, noVideoDevice, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(thisMachine)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
