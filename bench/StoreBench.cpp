// Cost of the Practice tab's data: eight weeks of day files read by a store
// with an empty cache, and the encode/decode of one busy day.

#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/WeekStats.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTimeZone>
#include <QUuid>

namespace {

const Calendar berlin(QTimeZone(QByteArrayLiteral("Europe/Berlin")));
// Sunday 8 March 2026, 20:00 in Berlin: eight full weeks end here.
const QDateTime ending = QDateTime(QDate(2026, 3, 8), QTime(20, 0), berlin.timeZone()).toUTC();
constexpr int daysInEightWeeks = 56;
constexpr int hoursPerDay = 5;
constexpr int framesPerHour = 20;

QString uuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

FrameMeta frame(const QDateTime &time)
{
    return {uuid(), time, QStringLiteral("Code"), QStringLiteral("com.visualstudio.code"),
        QStringLiteral("Parser.cpp — solitask — a reasonably long window title"), std::nullopt,
        uuid() + QStringLiteral(".jpg")};
}

HourRecord judgedHour(const QDateTime &start)
{
    HourRecord hour;
    hour.id = uuid();
    hour.thingID = uuid();
    hour.start = start;
    hour.end = start.addSecs(3600);
    hour.status = HourStatus::judged;
    hour.switches = 14;
    hour.distinctApps = 4;
    JudgeResult result;
    result.verdict = Verdict::mostly;
    result.confidence = 0.8;
    result.nudge = QStringLiteral("Mostly with the parser this hour, a short detour to mail.");
    result.threads = {QStringLiteral("parser"), QStringLiteral("mail"), QStringLiteral("docs")};
    for (int i = 0; i < framesPerHour; ++i) {
        const QDateTime time = start.addSecs(180 * i);
        hour.frames.append(frame(time));
        result.frames.append({time.toString(QStringLiteral("HH:mm")),
            QStringLiteral("editing the parser"), i % 5 == 0 ? Relation::off : Relation::on});
    }
    hour.result = result;
    hour.model = QStringLiteral("claude-sonnet-5");
    hour.costUSD = 0.12;
    hour.durationMs = 21000;
    return hour;
}

DayLog busyDay(const QDate &date)
{
    DayLog log = DayLog::empty(DayKey::key(date));
    const QDateTime nine = *berlin.instant(date, QTime(9, 0));
    for (int h = 0; h < hoursPerDay; ++h)
        log.hours.append(judgedHour(nine.addSecs(3600 * h)));
    return log;
}

void coldRecentWeeks(benchmark::State &state)
{
    QTemporaryDir dir;
    {
        Store writer(dir.path(), berlin);
        const QDate last = berlin.date(ending);
        for (int i = 0; i < daysInEightWeeks; ++i)
            writer.save(busyDay(last.addDays(-i)));
    }
    std::optional<Store> fresh;
    for (auto _ : state) {
        // Dropping the previous store's cache is not part of reading.
        state.PauseTiming();
        fresh.reset();
        fresh.emplace(dir.path(), berlin);
        state.ResumeTiming();
        const QList<WeekStats> weeks = fresh->recentWeeks(8, ending);
        if (weeks.size() != 8 || weeks.last().judgedHours != 7 * hoursPerDay)
            state.SkipWithError("unexpected weeks");
        benchmark::DoNotOptimize(weeks);
    }
}

void encodeDay(benchmark::State &state)
{
    const DayLog log = busyDay(QDate(2026, 3, 2));
    for (auto _ : state)
        benchmark::DoNotOptimize(DayLogJson::encode(log));
    state.counters["bytes"] = double(DayLogJson::encode(log).size());
}

void decodeDay(benchmark::State &state)
{
    const QByteArray bytes = DayLogJson::encode(busyDay(QDate(2026, 3, 2)));
    for (auto _ : state) {
        Decoded<DayLog> decoded = DayLogJson::decode(bytes);
        if (!std::holds_alternative<DayLog>(decoded))
            state.SkipWithError("day did not decode");
        benchmark::DoNotOptimize(decoded);
    }
}

} // namespace

BENCHMARK(coldRecentWeeks)->Unit(benchmark::kMillisecond);
BENCHMARK(encodeDay)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeDay)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
