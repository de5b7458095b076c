#include "Solitask/journal/TodayEntry.h"

#include <algorithm>

QDateTime TodayEntry::instant() const
{
    if (const Thing *t = thing())
        return t->declaredAt;
    return offDuty()->start;
}

QString TodayEntry::identity() const
{
    if (const Thing *t = thing())
        return QStringLiteral("thing-") + t->id;
    return QStringLiteral("off-") + QString::number(offDuty()->start.toSecsSinceEpoch());
}

QList<TodayEntry> TodayEntry::of(const DayLog &log)
{
    QList<TodayEntry> entries;
    for (const Thing &thing : log.things)
        entries.append({thing});
    for (const OffDutyRecord &record : log.offDuty)
        entries.append({record});
    std::stable_sort(entries.begin(), entries.end(), [](const TodayEntry &a, const TodayEntry &b) {
        return a.instant() < b.instant();
    });
    return entries;
}
