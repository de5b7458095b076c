#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

/// main() of a widgets benchmark: it paints offscreen, so it needs no display.
inline int runOffscreenBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
