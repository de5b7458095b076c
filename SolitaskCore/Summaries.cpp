#include "SolitaskCore/Summaries.h"

#include "SolitaskCore/Formatters.h"

#include <QStringList>

namespace Summaries {

namespace {

QString alignedPart(qsizetype aligned, qsizetype judged)
{
    const QString unit = judged == 1 ? QStringLiteral("hour") : QStringLiteral("hours");
    return QStringLiteral("%1 of %2 %3 aligned").arg(aligned).arg(judged).arg(unit);
}

QStringList judgedParts(const QList<const HourRecord *> &judged)
{
    qsizetype aligned = 0;
    qsizetype withResult = 0;
    qsizetype threads = 0;
    for (const HourRecord *hour : judged) {
        aligned += hour->countsAsAligned() ? 1 : 0;
        if (hour->result) {
            ++withResult;
            threads += hour->result->threads.size();
        }
    }
    QStringList parts {alignedPart(aligned, judged.size())};
    if (withResult > 0)
        parts.append(QString::asprintf("%.1f threads/hour", double(threads) / double(withResult)));
    return parts;
}

} // namespace

QString doneLine(const Thing &thing, const QList<HourRecord> &hours, const QDateTime &closedAt)
{
    QList<const HourRecord *> judged;
    for (const HourRecord &hour : hours) {
        if (hour.status == HourStatus::judged)
            judged.append(&hour);
    }
    QStringList parts {Formatters::duration(thing.declaredAt.msecsTo(closedAt) / 1000.0)};
    if (judged.isEmpty())
        parts.append(QStringLiteral("no judged hours"));
    else
        parts.append(judgedParts(judged));
    return parts.join(QStringLiteral(" · "));
}

} // namespace Summaries
