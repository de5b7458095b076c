#include "SolitaskCore/DayRecords.h"

#include "SolitaskCore/Formatters.h"

QString FrameMeta::caption(const Calendar &calendar) const
{
    const QString at = Formatters::hm(time, calendar);
    if (skipped)
        return at + QStringLiteral(" · skipped (") + label(*skipped) + QLatin1Char(')');
    const QString title = windowTitle.trimmed();
    if (!title.isEmpty() && title != appName)
        return at + QStringLiteral(" · ") + appName + QStringLiteral(" — ") + title;
    return at + QStringLiteral(" · ") + appName;
}

std::optional<Verdict> HourRecord::effectiveVerdict() const
{
    if (status != HourStatus::judged)
        return std::nullopt;
    if (correction) {
        switch (*correction) {
        case Correction::onTask:
            return Verdict::aligned;
        case Correction::away:
            return std::nullopt;
        case Correction::differentThing:
            return Verdict::away;
        }
    }
    if (!result)
        return std::nullopt;
    return result->verdict;
}

int HourRecord::usableFrameCount() const
{
    int count = 0;
    for (const FrameMeta &frame : frames)
        count += frame.isUsable() ? 1 : 0;
    return count;
}

bool HourRecord::countsAsAligned() const
{
    if (status != HourStatus::judged)
        return false;
    if (correction)
        return *correction == Correction::onTask;
    return result && (result->verdict == Verdict::aligned || result->verdict == Verdict::mostly);
}

DayLog DayLog::empty(const QString &date)
{
    DayLog log;
    log.date = date;
    return log;
}
