#include "Solitask/journal/TodayTexts.h"

#include "Solitask/journal/DF.h"
#include "SolitaskCore/Formatters.h"

#include <QStringList>

#include <cmath>

namespace TodayTexts {
namespace {
const QString dot = QStringLiteral(" · ");

QString keepText(const QDateTime &expiry, const QDateTime &now, const Calendar &calendar,
                 const QLocale &locale)
{
    if (expiry < now)
        return QStringLiteral(" · no longer kept");
    const qint64 days = calendar.date(now).daysTo(calendar.date(expiry));
    const QString hm = Formatters::hm(expiry, calendar);
    if (days == 0)
        return QStringLiteral(" · kept until ") + hm;
    if (days == 1)
        return QStringLiteral(" · kept until ") + hm + QStringLiteral(" tomorrow");
    return QStringLiteral(" · kept until ") + DF::shortDate(expiry, calendar, locale)
        + QStringLiteral(", ") + hm;
}
} // namespace

QString counted(qint64 n, const QString &singular, const QString &plural)
{
    return QString::number(n) + (n == 1 ? singular : plural);
}

QString summary(const DayStats &stats)
{
    QStringList parts{counted(stats.declaredThings, QStringLiteral(" thing"),
                              QStringLiteral(" things"))};
    if (stats.judgedHours > 0) {
        parts.append(counted(stats.judgedHours, QStringLiteral(" judged hour"),
                             QStringLiteral(" judged hours")));
        const double share = 100.0 * stats.alignedHours / stats.judgedHours;
        parts.append(QString::number(qint64(std::lround(share))) + QStringLiteral("% aligned"));
    } else {
        parts.append(QStringLiteral("no judged hours yet"));
    }
    return parts.join(dot);
}

QString span(const Thing &thing, const QDateTime &now, const Calendar &calendar)
{
    const QDateTime end = thing.closedAt.value_or(now);
    const QString endText = thing.closedAt ? Formatters::hm(end, calendar) : QStringLiteral("now");
    return Formatters::hm(thing.declaredAt, calendar) + QStringLiteral(" – ") + endText + dot
        + Formatters::duration(double(thing.declaredAt.msecsTo(end)) / 1000.0);
}

QString outcome(const Thing &thing)
{
    if (!thing.outcome)
        return {};
    switch (*thing.outcome) {
    case Outcome::done:
        return QStringLiteral("Done");
    case Outcome::switched:
        if (thing.switchReason)
            return QStringLiteral("Switched") + dot + label(*thing.switchReason).toLower();
        return QStringLiteral("Switched");
    case Outcome::bailed:
        return QStringLiteral("Bailed");
    case Outcome::abandoned:
        return QStringLiteral("Abandoned");
    }
    return {};
}

QString pending(const Thing &thing, const QList<HourRecord> &hours, const Calendar &calendar)
{
    const QDateTime from = hours.isEmpty() ? thing.declaredAt : hours.last().end;
    return Formatters::hm(from.addSecs(3600), calendar) + QStringLiteral(" pending");
}

QString verdictWord(Verdict verdict)
{
    QString word = rawValue(verdict);
    word[0] = word[0].toUpper();
    return word;
}

QString sentence(const HourRecord &hour)
{
    if (hour.result)
        return hour.result->nudge.isEmpty() ? verdictWord(hour.result->verdict)
                                            : hour.result->nudge;
    if (hour.error && !hour.error->isEmpty())
        return *hour.error;
    return QStringLiteral("No verdict this hour.");
}

QString sawCaption(const HourRecord &hour, const QDateTime &now, int retentionHours,
                   const Calendar &calendar, const QLocale &locale)
{
    const qint64 count = hour.frames.size();
    QString text = QStringLiteral("What the witness saw · ") + DF::numberWord(count)
        + (count == 1 ? QStringLiteral(" frame") : QStringLiteral(" frames"));
    if (hour.usableFrameCount() == 0)
        return text + QStringLiteral(" · nothing kept");
    if (retentionHours < 1)
        return text + QStringLiteral(" · not kept");
    const QDateTime expiry = hour.end.addSecs(qint64(retentionHours) * 3600);
    return text + keepText(expiry, now, calendar, locale);
}

} // namespace TodayTexts
