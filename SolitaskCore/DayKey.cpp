#include "SolitaskCore/DayKey.h"

#include <QList>

namespace DayKey {

QString key(const QDateTime &instant, const Calendar &calendar)
{
    return key(calendar.date(instant));
}

QString key(QDate date)
{
    int year = 0, month = 0, day = 0;
    if (date.isValid())
        date.getDate(&year, &month, &day);
    return QString::asprintf("%04d-%02d-%02d", year, month, day);
}

std::optional<QDateTime> date(const QString &key, const Calendar &calendar)
{
    QList<int> numbers;
    for (QStringView piece : QStringView(key).split(u'-', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = piece.toInt(&ok, 10);
        if (ok)
            numbers.append(value);
    }
    if (numbers.size() != 3)
        return std::nullopt;
    return calendar.noon(QDate(numbers[0], numbers[1], numbers[2]));
}

bool isWellFormed(const QString &key)
{
    if (key.size() != 10 || key[4] != u'-' || key[7] != u'-')
        return false;
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!key[i].isDigit() || key[i].unicode() > 127)
            return false;
    }
    return true;
}

} // namespace DayKey
