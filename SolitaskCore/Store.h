#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

struct WeekStats;

/// The single owner of the day logs on disk: one JSON file per local day under
/// root/days, frame images under root/frames, and a cache of every day read or
/// written. An unreadable day reads as empty, but its file is kept aside before
/// that day is written again; a day that could not be written is kept in
/// memory, named by `writeProblem`, and written again with the next change.
class Store
{
public:
    /// SOLITASK_ROOT when set and not empty, else the platform's application
    /// data folder (~/.local/share/Solitask on Linux).
    static QString defaultRoot();

    explicit Store(QString root = defaultRoot(), Calendar calendar = Calendar::system());

    const QString &root() const { return m_root; }
    QString daysDir() const;
    QString framesDir() const;

    const Calendar &calendar() const { return m_calendar; }
    void setCalendar(const Calendar &calendar) { m_calendar = calendar; }

    DayLog log(const QDateTime &instant);
    DayLog log(const QString &key);
    void save(const DayLog &log);
    void update(const QString &key, const std::function<void(DayLog &)> &mutation);
    void update(const QDateTime &instant, const std::function<void(DayLog &)> &mutation);

    QStringList allKeys() const;
    QList<DayLog> recentLogs(int count, const QDateTime &ending);

    void upsertThing(const Thing &thing);
    std::optional<Thing> thing(const QString &id);
    std::optional<Thing> openThing(const QDateTime &now);
    void abandonStaleThings(const QDateTime &now);

    void upsertHour(const HourRecord &hour);
    std::optional<HourRecord> hour(const QString &id);
    QList<HourRecord> hours(const QString &thingID, const QDateTime &around);
    void setCorrection(const QString &hourID, std::optional<Correction> correction);

    void addOffDuty(const OffDutyRecord &record);
    void addBail(const QDateTime &at);

    /// The last `count` Monday-based weeks ending with the week of `ending`,
    /// oldest first (implemented beside the statistics).
    QList<WeekStats> recentWeeks(int count, const QDateTime &ending);

    /// Why the root can not hold the day files ("<folder>: <reason>"), or empty.
    QString rootProblem() const;
    /// Why the last attempt to write a day failed, or empty once every change
    /// has reached the disk.
    const QString &writeProblem() const { return m_writeProblem; }

    /// Day files larger than this are treated as unreadable, not read into
    /// memory; the store never writes a larger one.
    static constexpr qint64 maxDayFileBytes = 64 * 1024 * 1024;

private:
    QString dayPath(const QString &key) const;
    void writeUnsaved();
    QString writeDay(const DayLog &log);
    QString key(const QDateTime &instant) const;

    QString m_root;
    Calendar m_calendar;
    QHash<QString, DayLog> m_cache;
    QSet<QString> m_unreadable; // days whose file must be kept aside before the next write
    QSet<QString> m_unsaved; // days whose last write failed
    QString m_writeProblem;
};
