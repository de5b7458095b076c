#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"
#include "SolitaskCore/DayStats.h"
#include "SolitaskCore/Trend.h"
#include "SolitaskCore/WeekStats.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

/// Day and week statistics. The focus score rests on per-frame relations and
/// corrections; aligned counts and stretches rest on the verdicts.
namespace Practice {

/// Points of focus score that separate better or slipping from holding.
inline constexpr double trendBand = 8.0;
inline constexpr int minJudgedHoursForTrend = 15;

/// on 1, adjacent 0.75, off 0, skipped none.
std::optional<double> frameValue(Relation relation);
/// 0…1, or none for an hour that says nothing about focus (not judged, no
/// result, corrected away, or no unskipped frame).
std::optional<double> hourValue(const HourRecord &hour);

DayStats stats(const DayLog &log);
/// `days` in the order given; `weekStart` is the key of the week's Monday.
WeekStats weekStats(const QList<DayLog> &days, const QString &weekStart);
Trend trend(const WeekStats &week, const QList<WeekStats> &trailing);

/// "Week of Mar 2: 72% aligned across 18 judged hours, … — better than your last
/// 7 weeks (61%)." The date is read on `calendar` and written in `locale`.
QString reflection(const WeekStats &week, const QList<WeekStats> &trailing,
    const QDateTime &weekStartDate, const Calendar &calendar = Calendar::system(),
    const QLocale &locale = QLocale());

/// Monday 00:00 local time of the instant's week; the instant itself when the
/// calendar cannot tell.
QDateTime weekStart(const QDateTime &instant, const Calendar &calendar = Calendar::system());

} // namespace Practice
