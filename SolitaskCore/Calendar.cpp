#include "SolitaskCore/Calendar.h"

Calendar::Calendar()
    : m_zone(QTimeZone::systemTimeZone())
{
}

Calendar::Calendar(QTimeZone zone)
    : m_zone(zone.isValid() ? std::move(zone) : QTimeZone::systemTimeZone())
{
}

Calendar Calendar::system()
{
    return Calendar();
}

QDateTime Calendar::local(const QDateTime &instant) const
{
    return instant.toTimeZone(m_zone);
}

QDate Calendar::date(const QDateTime &instant) const
{
    return local(instant).date();
}

std::optional<QDateTime> Calendar::instant(QDate date, QTime time) const
{
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // Qt resolves a wall time inside a daylight-saving gap by moving it
    // forward, which is what a person expects of "08:00 on that day".
    QDateTime result(date, time, m_zone);
    if (!result.isValid())
        return std::nullopt;
    return result.toUTC();
}

std::optional<QDateTime> Calendar::noon(QDate date) const
{
    return instant(date, QTime(12, 0));
}

std::optional<QDateTime> Calendar::startOfDay(QDate date) const
{
    if (!date.isValid())
        return std::nullopt;
    QDateTime start = date.startOfDay(m_zone);
    if (!start.isValid())
        return std::nullopt;
    return start.toUTC();
}

std::optional<QDateTime> Calendar::addingDays(const QDateTime &instant, int days) const
{
    if (!instant.isValid())
        return std::nullopt;
    const QDateTime wall = local(instant);
    const QDate day = wall.date().addDays(days);
    return this->instant(day, wall.time());
}

std::optional<QDateTime> Calendar::startOfWeek(const QDateTime &instant) const
{
    if (!instant.isValid())
        return std::nullopt;
    const QDate day = date(instant);
    return startOfDay(day.addDays(1 - day.dayOfWeek()));
}

int Calendar::minutesAfterMidnight(const QDateTime &instant) const
{
    const QTime t = local(instant).time();
    return t.hour() * 60 + t.minute();
}

int Calendar::weekday(const QDateTime &instant) const
{
    return date(instant).dayOfWeek();
}
