#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Practice.h"
#include "SolitaskCore/Store.h"

namespace {

// The logs of the week that starts at `monday`, leaving out days after `ending`:
// the current week holds only the days so far, not empty future ones.
QList<DayLog> weekLogs(Store &store, const QDateTime &monday, const QDateTime &ending)
{
    QList<DayLog> logs;
    for (int offset = 0; offset < 7; ++offset) {
        const std::optional<QDateTime> day = store.calendar().addingDays(monday, offset);
        if (day && *day <= ending)
            logs.append(store.log(*day));
    }
    return logs;
}

} // namespace

QList<WeekStats> Store::recentWeeks(int count, const QDateTime &ending)
{
    QList<WeekStats> weeks;
    const QDateTime thisWeek = Practice::weekStart(ending, m_calendar);
    for (int i = count - 1; i >= 0; --i) {
        // Calendar days, not 7 × 24 h: a week with a daylight-saving change is 167 or 169 hours.
        const std::optional<QDateTime> monday = m_calendar.addingDays(thisWeek, -7 * i);
        if (!monday)
            continue;
        weeks.append(Practice::weekStats(
            weekLogs(*this, *monday, ending), DayKey::key(*monday, m_calendar)));
    }
    return weeks;
}
