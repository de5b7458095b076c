#include "Solitask/journal/PracticeTexts.h"

#include "Solitask/journal/DF.h"
#include "SolitaskCore/DayKey.h"

#include <cmath>

namespace PracticeTexts {
namespace {
const QString noWeekBefore = QStringLiteral("no week before");

QString oneDecimal(double value)
{
    return QString::asprintf("%.1f", value);
}
} // namespace

QString focusValue(const WeekStats &week)
{
    if (!week.focusScore)
        return QStringLiteral("—");
    return QString::number(qint64(std::lround(*week.focusScore)));
}

QString focusSub(const std::optional<WeekStats> &previous)
{
    if (!previous || !previous->focusScore)
        return noWeekBefore;
    return QStringLiteral("last week ") + QString::number(qint64(std::lround(*previous->focusScore)));
}

QString threadsValue(const WeekStats &week)
{
    return week.threadsPerHour ? oneDecimal(*week.threadsPerHour) : QStringLiteral("—");
}

QString threadsSub(const std::optional<WeekStats> &previous)
{
    if (!previous || !previous->threadsPerHour)
        return noWeekBefore;
    return QStringLiteral("last week ") + oneDecimal(*previous->threadsPerHour);
}

QString stretchValue(const WeekStats &week)
{
    return QString::number(week.longestStretch) + QStringLiteral(" h");
}

QString longestStretchDay(const WeekStats &week, const Calendar &calendar, const QLocale &locale)
{
    const QString none = QStringLiteral("no aligned run yet");
    if (week.longestStretch < 1 || week.days.isEmpty())
        return none;
    const DayStats *best = &week.days.first();
    for (const DayStats &day : week.days) {
        if (day.longestStretch > best->longestStretch)
            best = &day;
    }
    const auto date = DayKey::date(best->date, calendar);
    if (!date)
        return none;
    return QStringLiteral("on ") + DF::weekday(*date, calendar, locale);
}

QString switchesValue(const WeekStats &week)
{
    return oneDecimal(week.switchesPerDay);
}

} // namespace PracticeTexts
