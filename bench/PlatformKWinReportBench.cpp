// Each window change in KWin sends a whole report, dozens a second while a
// window is dragged: reading one and working out what to paint over must stay
// far below a frame's time.

#include "Solitask/platform/kde/KWinWindowReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

namespace {

QByteArray report(int windows)
{
    QJsonArray list;
    for (int i = 0; i < windows; ++i)
        list.append(QJsonObject {{"caption", QStringLiteral("Window %1 — a long title").arg(i)},
            {"resourceClass", "org.example.app"}, {"desktopFileName", "org.example.app"},
            {"pid", 1000 + i}, {"x", i * 20}, {"y", i * 10}, {"width", 800}, {"height", 600},
            {"opacity", 1.0}, {"active", i == windows - 1}, {"minimized", false}, {"hidden", false},
            {"onAllDesktops", false}, {"desktop", 1}, {"normal", true}, {"stackingOrder", i}});
    return QJsonDocument(
        QJsonObject {{"currentDesktop", 1},
            {"area", QJsonObject {{"x", 0}, {"y", 0}, {"width", 2560}, {"height", 1440}}},
            {"windows", list}})
        .toJson(QJsonDocument::Compact);
}

void BM_ReadReportAndScene(benchmark::State &state)
{
    const QByteArray json = report(int(state.range(0)));
    const QSet<QString> hidden {QStringLiteral("org.keepassxc.KeePassXC")};
    for (auto _ : state) {
        const auto parsed = KWinWindowReport::parse(json);
        benchmark::DoNotOptimize(parsed->scene(hidden, 1));
    }
    state.SetLabel(std::to_string(json.size()) + " bytes");
}
BENCHMARK(BM_ReadReportAndScene)->Arg(10)->Arg(40)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
