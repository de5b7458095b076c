#pragma once

#include "SolitaskCore/Calendar.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

/// The journal's date texts, written in the person's locale on their calendar.
namespace DF {

/// "Monday, March 2".
QString longDay(const QDateTime &instant, const Calendar &calendar = Calendar::system(),
                const QLocale &locale = QLocale());
/// "March 2".
QString weekOf(const QDateTime &instant, const Calendar &calendar = Calendar::system(),
               const QLocale &locale = QLocale());
/// "Mar 2" ("short" is a C++ keyword).
QString shortDate(const QDateTime &instant, const Calendar &calendar = Calendar::system(),
                  const QLocale &locale = QLocale());
/// "Mon".
QString weekday(const QDateTime &instant, const Calendar &calendar = Calendar::system(),
                const QLocale &locale = QLocale());

/// "zero" … "twelve", then decimal digits; negative numbers as digits.
QString numberWord(qint64 n);
/// "Sonnet 5", "Haiku 4.5", or the id itself.
QString modelName(const QString &id);

} // namespace DF
