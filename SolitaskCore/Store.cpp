#include "SolitaskCore/Store.h"

#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/StoredTexts.h"

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

bool occupied(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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
    FileSafety::removeLeftoverTemporaries(daysDir());
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
    if (!DayKey::isWellFormed(key)) {
        m_cache.insert(key, loaded);
        return loaded;
    }
    const auto bytes = FileSafety::readRegularFile(dayPath(key), maxDayFileBytes);
    QString problem;
    if (const auto *failure = std::get_if<FileSafety::ReadFailure>(&bytes)) {
        if (!failure->missing)
            problem = QStringLiteral("store: cannot read %1 (%2)").arg(key, failure->reason);
    } else {
        auto decoded = DayLogJson::decode(std::get<QByteArray>(bytes));
        if (const auto *error = std::get_if<DecodeError>(&decoded))
            problem = QStringLiteral("store: cannot decode %1 (%2)").arg(key, error->reason);
        else if (DayLog &day = std::get<DayLog>(decoded); day.date != key)
            // The file name decides where a day is written; content naming
            // another day must not redirect a write there.
            problem = QStringLiteral("store: cannot decode %1 (its date is %2)")
                          .arg(key, StoredTexts::clipped(day.date, 40));
        else
            loaded = std::move(day);
    }
    if (!problem.isEmpty()) {
        Diag::log(problem);
        m_unreadable.insert(key);
    }
    m_cache.insert(key, loaded);
    return loaded;
}

void Store::save(const DayLog &log)
{
    if (!DayKey::isWellFormed(log.date)) {
        Diag::log(QStringLiteral("store: not writing a day named %1")
                      .arg(StoredTexts::clipped(log.date, 40)));
        return;
    }
    m_cache.insert(log.date, log);
    m_unsaved.insert(log.date);
    writeUnsaved();
}

// Every day whose write failed is tried again, so a folder that comes back
// (space freed, permissions mended) catches up with the next change.
void Store::writeUnsaved()
{
    QString problem;
    const QList<QString> keys(m_unsaved.cbegin(), m_unsaved.cend());
    for (const QString &key : keys) {
        const QString why = writeDay(m_cache.value(key));
        if (why.isEmpty()) {
            m_unsaved.remove(key);
            continue;
        }
        Diag::log(QStringLiteral("store: cannot write %1 (%2)").arg(key, why));
        problem = QStringLiteral("%1: %2").arg(dayPath(key), why);
    }
    if (problem.isEmpty() && !m_writeProblem.isEmpty())
        Diag::log(QStringLiteral("store: writing again"));
    m_writeProblem = problem;
}

QString Store::writeDay(const DayLog &log)
{
    const QString path = dayPath(log.date);
    // What could not be read is kept, never overwritten by the new content.
    if (m_unreadable.contains(log.date) && occupied(path)) {
        const QString kept = FileSafety::keepAside(path, unreadableSuffix);
        if (kept.isEmpty())
            return QStringLiteral("cannot keep the unreadable file aside");
        Diag::log(QStringLiteral("store: kept unreadable %1 as %2")
                      .arg(log.date, QFileInfo(kept).fileName()));
    }
    m_unreadable.remove(log.date);
    const QByteArray bytes = DayLogJson::encode(log);
    if (bytes.size() > maxDayFileBytes)
        return QStringLiteral("larger than %1 bytes").arg(maxDayFileBytes);
    QString why;
    FileSafety::writeAtomically(path, bytes, &why);
    return why;
}

QString Store::rootProblem() const
{
    for (const QString &folder : {m_root, daysDir(), framesDir()}) {
        if (const QString why = FileSafety::folderProblem(folder); !why.isEmpty())
            return QStringLiteral("%1: %2").arg(folder, why);
    }
    return {};
}

void Store::update(const QString &key, const std::function<void(DayLog &)> &mutation)
{
    DayLog day = log(key);
    mutation(day);
    day.date = key; // the key names the file, whatever the mutation did
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
    update(thing.declaredAt, [&](DayLog &day) { upsert(day.things, StoredTexts::bounded(thing)); });
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
        upsert(day.hours, StoredTexts::bounded(hour));
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
    update(record.start, [&](DayLog &day) { day.offDuty.append(StoredTexts::bounded(record)); });
}

void Store::addBail(const QDateTime &at)
{
    update(at, [&](DayLog &day) { day.bails.append(BailRecord{at}); });
}
