#include "Solitask/journal/DF.h"

#include "SolitaskCore/JudgeProtocol.h"

#include <array>

namespace DF {
namespace {

QString format(const QDateTime &instant, const Calendar &calendar, const QLocale &locale,
               const QString &pattern)
{
    return locale.toString(calendar.date(instant), pattern);
}

} // namespace

QString longDay(const QDateTime &instant, const Calendar &calendar, const QLocale &locale)
{
    return format(instant, calendar, locale, QStringLiteral("dddd, MMMM d"));
}

QString weekOf(const QDateTime &instant, const Calendar &calendar, const QLocale &locale)
{
    return format(instant, calendar, locale, QStringLiteral("MMMM d"));
}

QString shortDate(const QDateTime &instant, const Calendar &calendar, const QLocale &locale)
{
    return format(instant, calendar, locale, QStringLiteral("MMM d"));
}

QString weekday(const QDateTime &instant, const Calendar &calendar, const QLocale &locale)
{
    return format(instant, calendar, locale, QStringLiteral("ddd"));
}

QString numberWord(qint64 n)
{
    static const std::array<const char *, 13> words = {"zero", "one",  "two",    "three", "four",
                                                       "five", "six",  "seven",  "eight", "nine",
                                                       "ten",  "eleven", "twelve"};
    if (n >= 0 && n < qint64(words.size()))
        return QString::fromLatin1(words[std::size_t(n)]);
    return QString::number(n);
}

QString modelName(const QString &id)
{
    if (id == JudgeProtocol::defaultModel || id.contains(QLatin1String("sonnet-5")))
        return QStringLiteral("Sonnet 5");
    if (id == JudgeProtocol::economyModel || id.contains(QLatin1String("haiku-4-5")))
        return QStringLiteral("Haiku 4.5");
    return id;
}

} // namespace DF
