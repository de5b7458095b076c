#pragma once

#include "SolitaskCore/Calendar.h"

#include <QDateTime>
#include <QString>

#include <optional>

/// The name of a local calendar day, "2026-03-02"; also the stem of the day's file.
namespace DayKey {

QString key(const QDateTime &instant, const Calendar &calendar = Calendar::system());
QString key(QDate date);
/// Noon of the named day, or none when the key does not name a day.
std::optional<QDateTime> date(const QString &key, const Calendar &calendar = Calendar::system());
/// True for text of exactly the form "2026-03-02", the only names day files get.
bool isWellFormed(const QString &key);

} // namespace DayKey
