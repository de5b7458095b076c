#include "SolitaskCore/Practice.h"

#include <algorithm>
#include <cmath>

namespace Practice {

namespace {

struct ValuedHour
{
    const HourRecord *hour;
    double value;
};

std::optional<double> mean(const QList<double> &values)
{
    if (values.isEmpty())
        return std::nullopt;
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum / values.size();
}

// The hours that carry a value, in start order (the log's own order may not be).
QList<ValuedHour> valuedHours(const DayLog &log)
{
    QList<const HourRecord *> sorted;
    for (const HourRecord &hour : log.hours)
        sorted.append(&hour);
    std::stable_sort(sorted.begin(), sorted.end(),
        [](const HourRecord *a, const HourRecord *b) { return a->start < b->start; });
    QList<ValuedHour> valued;
    for (const HourRecord *hour : sorted) {
        if (const std::optional<double> value = hourValue(*hour))
            valued.append({hour, *value});
    }
    return valued;
}

template <typename F> std::optional<double> meanOver(const QList<ValuedHour> &valued, F figure)
{
    QList<double> values;
    for (const ValuedHour &entry : valued)
        values.append(figure(entry));
    return mean(values);
}

int longestStretch(const QList<ValuedHour> &valued)
{
    int run = 0;
    int longest = 0;
    for (const ValuedHour &entry : valued) {
        run = entry.hour->countsAsAligned() ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

int countSwitched(const QList<Thing> &things)
{
    return int(std::count_if(things.cbegin(), things.cend(),
        [](const Thing &thing) { return thing.outcome == Outcome::switched; }));
}

// A day figure weighted by the day's judged hours.
std::optional<double> weighted(const QList<DayStats> &days, std::optional<double> DayStats::*figure)
{
    double sum = 0;
    int hours = 0;
    for (const DayStats &day : days) {
        if (!(day.*figure) || day.judgedHours < 1)
            continue;
        sum += *(day.*figure) * day.judgedHours;
        hours += day.judgedHours;
    }
    if (hours == 0)
        return std::nullopt;
    return sum / hours;
}

double switchesPerDeclaringDay(const QList<DayStats> &days)
{
    QList<double> counts;
    for (const DayStats &day : days) {
        if (day.declaredThings > 0)
            counts.append(day.switchesPerDay);
    }
    return mean(counts).value_or(0.0);
}

QList<double> trailingScores(const QList<WeekStats> &trailing)
{
    QList<double> scores;
    for (const WeekStats &week : trailing) {
        if (week.focusScore)
            scores.append(*week.focusScore);
    }
    return scores;
}

QString hoursSummary(const WeekStats &week)
{
    QString text
        = QStringLiteral(": %1% aligned across %2 judged %3")
              .arg(std::lround(*week.focusScore))
              .arg(week.judgedHours)
              .arg(week.judgedHours == 1 ? QStringLiteral("hour") : QStringLiteral("hours"));
    if (week.threadsPerHour)
        text += QString::asprintf(", %.1f threads/hour", *week.threadsPerHour);
    if (week.longestStretch >= 1)
        text += QStringLiteral(", longest stretch %1 h").arg(week.longestStretch);
    return text;
}

QString trendPhrase(Trend trend)
{
    switch (trend) {
    case Trend::better:
        return QStringLiteral("better than");
    case Trend::holding:
        return QStringLiteral("holding against");
    case Trend::slipping:
        return QStringLiteral("slipping from");
    case Trend::notEnough:
        break;
    }
    return {};
}

QString trendSummary(const WeekStats &week, const QList<WeekStats> &trailing)
{
    const Trend direction = trend(week, trailing);
    const QList<double> scores = trailingScores(trailing);
    if (direction == Trend::notEnough || scores.isEmpty())
        return QStringLiteral(".");
    const QString weeks = scores.size() == 1 ? QStringLiteral("week")
                                             : QStringLiteral("%1 weeks").arg(scores.size());
    return QStringLiteral(" — %1 your last %2 (%3%).")
        .arg(trendPhrase(direction), weeks)
        .arg(std::lround(*mean(scores)));
}

} // namespace

std::optional<double> frameValue(Relation relation)
{
    switch (relation) {
    case Relation::on:
        return 1.0;
    case Relation::adjacent:
        return 0.75;
    case Relation::off:
        return 0.0;
    case Relation::skipped:
        break;
    }
    return std::nullopt;
}

std::optional<double> hourValue(const HourRecord &hour)
{
    if (hour.status != HourStatus::judged || !hour.result)
        return std::nullopt;
    if (hour.correction == Correction::differentThing)
        return 0.0;
    if (hour.correction == Correction::onTask)
        return 1.0;
    if (hour.correction == Correction::away)
        return std::nullopt;
    QList<double> values;
    for (const FrameJudgment &frame : hour.result->frames) {
        if (const std::optional<double> value = frameValue(frame.relation))
            values.append(*value);
    }
    return mean(values);
}

DayStats stats(const DayLog &log)
{
    const QList<ValuedHour> valued = valuedHours(log);
    DayStats day;
    day.date = log.date;
    day.judgedHours = int(valued.size());
    day.focusScore = meanOver(valued, [](const ValuedHour &e) { return e.value * 100; });
    day.threadsPerHour = meanOver(
        valued, [](const ValuedHour &e) { return double(e.hour->result->threads.size()); });
    day.appSwitchesPerHour
        = meanOver(valued, [](const ValuedHour &e) { return double(e.hour->switches); });
    day.longestStretch = longestStretch(valued);
    day.alignedHours = int(std::count_if(valued.cbegin(), valued.cend(),
        [](const ValuedHour &e) { return e.hour->countsAsAligned(); }));
    day.switchesPerDay = countSwitched(log.things);
    day.declaredThings = int(log.things.size());
    return day;
}

WeekStats weekStats(const QList<DayLog> &days, const QString &weekStart)
{
    WeekStats week;
    week.weekStart = weekStart;
    for (const DayLog &log : days)
        week.days.append(stats(log));
    for (const DayStats &day : week.days) {
        week.judgedHours += day.judgedHours;
        week.longestStretch = std::max(week.longestStretch, day.longestStretch);
    }
    week.focusScore = weighted(week.days, &DayStats::focusScore);
    week.threadsPerHour = weighted(week.days, &DayStats::threadsPerHour);
    week.switchesPerDay = switchesPerDeclaringDay(week.days);
    return week;
}

Trend trend(const WeekStats &week, const QList<WeekStats> &trailing)
{
    if (week.judgedHours < minJudgedHoursForTrend || !week.focusScore)
        return Trend::notEnough;
    // Every trailing week weighs the same, however many hours it had.
    const std::optional<double> average = mean(trailingScores(trailing));
    if (!average)
        return Trend::notEnough;
    if (*week.focusScore - *average >= trendBand)
        return Trend::better;
    if (*average - *week.focusScore >= trendBand)
        return Trend::slipping;
    return Trend::holding;
}

QString reflection(const WeekStats &week, const QList<WeekStats> &trailing,
    const QDateTime &weekStartDate, const Calendar &calendar, const QLocale &locale)
{
    const QString opening = QStringLiteral("Week of ")
        + locale.toString(calendar.date(weekStartDate), QStringLiteral("MMM d"));
    if (week.judgedHours < 1 || !week.focusScore)
        return opening + QStringLiteral(": no judged hours yet.");
    return opening + hoursSummary(week) + trendSummary(week, trailing);
}

QDateTime weekStart(const QDateTime &instant, const Calendar &calendar)
{
    return calendar.startOfWeek(instant).value_or(instant);
}

} // namespace Practice
