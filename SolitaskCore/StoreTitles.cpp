#include "SolitaskCore/StoreTitles.h"

#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Store.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

bool forgetTitles(DayLog &day, const QDateTime &before)
{
    bool changed = false;
    for (HourRecord &hour : day.hours) {
        for (FrameMeta &frame : hour.frames) {
            if (frame.time < before && !frame.windowTitle.isEmpty()) {
                frame.windowTitle.clear();
                changed = true;
            }
        }
    }
    return changed;
}

// A file without any title is not read into the store's cache: most old days
// are in that state after their first sweep. The store writes every change at
// once, so the file says what the cache holds.
bool mayHoldTitles(const QString &path)
{
    static const QRegularExpression titled(QStringLiteral(R"("windowTitle"\s*:\s*"[^"])"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > Store::maxDayFileBytes)
        return false;
    return titled.match(QString::fromUtf8(file.readAll())).hasMatch();
}

} // namespace

void StoreTitles::forget(Store &store, const QDateTime &before, const QString &fromKey)
{
    const QString lastKey = DayKey::key(before, store.calendar());
    for (const QString &day : store.allKeys()) {
        if (day > lastKey || (!fromKey.isEmpty() && day < fromKey))
            continue;
        if (!mayHoldTitles(QDir(store.daysDir()).filePath(day + QStringLiteral(".json"))))
            continue;
        DayLog log = store.log(day);
        if (forgetTitles(log, before))
            store.save(log);
    }
}
