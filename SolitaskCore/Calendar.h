#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <optional>

/// The person's calendar: local days, day arithmetic and Monday-based weeks in
/// one time zone. Everything that decides "which day" or "which week" goes
/// through one of these, so tests can pin a zone.
class Calendar
{
public:
    /// The system time zone.
    Calendar();
    explicit Calendar(QTimeZone zone);

    static Calendar system();

    const QTimeZone &timeZone() const { return m_zone; }

    /// The instant seen on this calendar's wall clock.
    QDateTime local(const QDateTime &instant) const;
    QDate date(const QDateTime &instant) const;

    /// The local wall-clock time `date` `time` as an instant; a time that does
    /// not exist on that day (a spring-forward gap) moves forward past the gap.
    std::optional<QDateTime> instant(QDate date, QTime time) const;
    std::optional<QDateTime> noon(QDate date) const;
    std::optional<QDateTime> startOfDay(QDate date) const;

    /// The same wall-clock time `days` calendar days away.
    std::optional<QDateTime> addingDays(const QDateTime &instant, int days) const;

    /// Local midnight of the Monday of the instant's week.
    std::optional<QDateTime> startOfWeek(const QDateTime &instant) const;

    /// Minutes after local midnight (0…1439).
    int minutesAfterMidnight(const QDateTime &instant) const;
    /// ISO weekday: 1 Monday … 7 Sunday.
    int weekday(const QDateTime &instant) const;

private:
    QTimeZone m_zone;
};
