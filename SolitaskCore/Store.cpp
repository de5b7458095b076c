#include "SolitaskCore/Store.h"

#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr qint64 staleAfterSeconds = 129600; // noon + 36 h: the day after has ended
constexpr qint64 abandonedLengthSeconds = 28800;
const QString unreadableSuffix = QStringLiteral(".unreadable");

template<typename T>
void upsert(QList<T> &items, const T &item)
{
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const T &existing) { return existing.id == item.id; });
    if (found != items.end())
        *found = item;
    else
        items.append(item);
}

// Reads a whole day file, or explains why it could not.
std::variant<QByteArray, QString> readDayFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return QString();
    if (file.size() > Store::maxDayFileBytes)
        return QStringLiteral("larger than %1 bytes").arg(Store::maxDayFileBytes);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return file.readAll();
}

} // namespace

QString Store::defaultRoot()
{
    const QByteArray fromEnvironment = qgetenv("SOLITASK_ROOT");
    if (!fromEnvironment.isEmpty())
        return QFile::decodeName(fromEnvironment);
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QStringLiteral("Solitask"));
}

Store::Store(QString root, Calendar calendar)
    : m_root(std::move(root))
    , m_calendar(std::move(calendar))
{
    FileSafety::makePrivateDir(m_root);
    FileSafety::makePrivateDir(daysDir());
    FileSafety::makePrivateDir(framesDir());
}

QString Store::daysDir() const
{
    return QDir(m_root).filePath(QStringLiteral("days"));
}

QString Store::framesDir() const
{
    return QDir(m_root).filePath(QStringLiteral("frames"));
}

QString Store::dayPath(const QString &key) const
{
    return QDir(daysDir()).filePath(key + QStringLiteral(".json"));
}

QString Store::key(const QDateTime &instant) const
{
    return DayKey::key(instant, m_calendar);
}

DayLog Store::log(const QDateTime &instant)
{
    return log(key(instant));
}

DayLog Store::log(const QString &key)
{
    if (const auto cached = m_cache.constFind(key); cached != m_cache.cend())
        return *cached;
    DayLog loaded = DayLog::empty(key);
    const auto bytes = readDayFile(dayPath(key));
    if (const QString *why = std::get_if<QString>(&bytes); why && !why->isEmpty()) {
        Diag::log(QStringLiteral("store: cannot read %1 (%2)").arg(key, *why));
        m_unreadable.insert(key);
    } else if (const QByteArray *content = std::get_if<QByteArray>(&bytes)) {
        auto decoded = DayLogJson::decode(*content);
        if (DayLog *day = std::get_if<DayLog>(&decoded)) {
            loaded = std::move(*day);
        } else {
            Diag::log(QStringLiteral("store: cannot decode %1 (%2)")
                          .arg(key, std::get<DecodeError>(decoded).reason));
            m_unreadable.insert(key);
        }
    }
    m_cache.insert(key, loaded);
    return loaded;
}

void Store::save(const DayLog &log)
{
    m_cache.insert(log.date, log);
    const QString path = dayPath(log.date);
    // What could not be read is kept, never overwritten by the new content.
    if (m_unreadable.contains(log.date) && QFile::exists(path)) {
        const QString kept = FileSafety::keepAside(path, unreadableSuffix);
        if (kept.isEmpty()) {
            Diag::log(QStringLiteral("store: cannot keep aside %1; not writing it").arg(log.date));
            return;
        }
        Diag::log(QStringLiteral("store: kept unreadable %1 as %2")
                      .arg(log.date, QFileInfo(kept).fileName()));
    }
    m_unreadable.remove(log.date);
    if (!FileSafety::writeAtomically(path, DayLogJson::encode(log)))
        Diag::log(QStringLiteral("store: cannot write %1").arg(log.date));
}

void Store::update(const QString &key, const std::function<void(DayLog &)> &mutation)
{
    DayLog day = log(key);
    mutation(day);
    save(day);
}

void Store::update(const QDateTime &instant, const std::function<void(DayLog &)> &mutation)
{
    update(key(instant), mutation);
}

QStringList Store::allKeys() const
{
    QStringList keys;
    const QStringList names = QDir(daysDir()).entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString &name : names) {
        if (name.endsWith(QStringLiteral(".json")))
            keys.append(name.chopped(5));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

QList<DayLog> Store::recentLogs(int count, const QDateTime &ending)
{
    QList<DayLog> logs;
    for (int i = count - 1; i >= 0; --i) {
        if (const auto day = m_calendar.addingDays(ending, -i))
            logs.append(log(*day));
    }
    return logs;
}

void Store::upsertThing(const Thing &thing)
{
    update(thing.declaredAt, [&](DayLog &day) { upsert(day.things, thing); });
}

std::optional<Thing> Store::thing(const QString &id)
{
    auto findIn = [&](const DayLog &day) -> std::optional<Thing> {
        for (const Thing &thing : day.things) {
            if (thing.id == id)
                return thing;
        }
        return std::nullopt;
    };
    QStringList cached = m_cache.keys();
    std::sort(cached.begin(), cached.end(), std::greater<>());
    for (const QString &key : cached) {
        if (auto found = findIn(m_cache.value(key)))
            return found;
    }
    QStringList keys = allKeys();
    std::reverse(keys.begin(), keys.end());
    for (const QString &key : keys) {
        if (auto found = findIn(log(key)))
            return found;
    }
    return std::nullopt;
}

std::optional<Thing> Store::openThing(const QDateTime &now)
{
    auto lastOpen = [](const DayLog &day) -> std::optional<Thing> {
        for (auto it = day.things.crbegin(); it != day.things.crend(); ++it) {
            if (it->isOpen())
                return *it;
        }
        return std::nullopt;
    };
    if (auto found = lastOpen(log(now)))
        return found;
    if (const auto yesterday = m_calendar.addingDays(now, -1))
        return lastOpen(log(*yesterday));
    return std::nullopt;
}

void Store::abandonStaleThings(const QDateTime &now)
{
    for (const QString &key : allKeys()) {
        const auto noon = DayKey::date(key, m_calendar);
        if (!noon || noon->secsTo(now) <= staleAfterSeconds)
            continue;
        DayLog day = log(key);
        bool changed = false;
        for (Thing &thing : day.things) {
            if (!thing.isOpen())
                continue;
            thing.closedAt = thing.declaredAt.addSecs(abandonedLengthSeconds);
            thing.outcome = Outcome::abandoned;
            changed = true;
        }
        if (changed)
            save(day);
    }
}

void Store::upsertHour(const HourRecord &hour)
{
    update(hour.start, [&](DayLog &day) {
        upsert(day.hours, hour);
        std::stable_sort(day.hours.begin(), day.hours.end(),
                         [](const HourRecord &a, const HourRecord &b) { return a.start < b.start; });
    });
}

std::optional<HourRecord> Store::hour(const QString &id)
{
    QStringList keys = allKeys();
    for (auto it = keys.crbegin(); it != keys.crend(); ++it) {
        for (const HourRecord &hour : log(*it).hours) {
            if (hour.id == id)
                return hour;
        }
    }
    return std::nullopt;
}

QList<HourRecord> Store::hours(const QString &thingID, const QDateTime &around)
{
    QList<HourRecord> found;
    for (int offset : {-1, 0, 1}) {
        const auto day = m_calendar.addingDays(around, offset);
        if (!day)
            continue;
        for (const HourRecord &hour : log(*day).hours) {
            if (hour.thingID == thingID)
                found.append(hour);
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const HourRecord &a, const HourRecord &b) { return a.start < b.start; });
    return found;
}

void Store::setCorrection(const QString &hourID, std::optional<Correction> correction)
{
    QStringList keys = allKeys();
    for (auto key = keys.crbegin(); key != keys.crend(); ++key) {
        DayLog day = log(*key);
        for (HourRecord &hour : day.hours) {
            if (hour.id != hourID)
                continue;
            hour.correction = correction;
            save(day);
            return;
        }
    }
}

void Store::addOffDuty(const OffDutyRecord &record)
{
    update(record.start, [&](DayLog &day) { day.offDuty.append(record); });
}

void Store::addBail(const QDateTime &at)
{
    update(at, [&](DayLog &day) { day.bails.append(BailRecord{at}); });
}
