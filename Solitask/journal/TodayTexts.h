#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"
#include "SolitaskCore/DayStats.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

/// The texts of the Today tab, apart from the widgets that show them.
namespace TodayTexts {

/// "2 things · 5 judged hours · 60% aligned", "0 things · no judged hours yet".
QString summary(const DayStats &stats);
/// "n thing"/"n things" and the like.
QString counted(qint64 n, const QString &singular, const QString &plural);
/// "09:10 – now · 1 h 05 m" while open, with the close time otherwise.
QString span(const Thing &thing, const QDateTime &now, const Calendar &calendar);
/// "Done", "Switched · wrong thing", "Bailed", "Abandoned", or empty.
QString outcome(const Thing &thing);
/// "11:10 pending": an hour after the last hour's end, or after the declaration.
QString pending(const Thing &thing, const QList<HourRecord> &hours, const Calendar &calendar);
/// The nudge, the verdict's name, the error, or "No verdict this hour."
QString sentence(const HourRecord &hour);
/// "Aligned", "Mostly", … : a verdict's raw value with a capital.
QString verdictWord(Verdict verdict);
/// "What the witness saw · six frames · kept until 10:00 tomorrow".
QString sawCaption(const HourRecord &hour, const QDateTime &now, int retentionHours,
                   const Calendar &calendar, const QLocale &locale = QLocale());

} // namespace TodayTexts
