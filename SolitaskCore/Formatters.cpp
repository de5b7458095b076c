#include "SolitaskCore/Formatters.h"

#include <QLocale>

#include <cmath>

namespace Formatters {

QString hm(const QDateTime &instant, const Calendar &calendar)
{
    return QLocale().toString(calendar.local(instant), QStringLiteral("HH:mm"));
}

QString iso(const QDateTime &instant)
{
    return instant.toUTC().toString(Qt::ISODateWithMs);
}

QString duration(double seconds)
{
    const double rounded = std::isfinite(seconds) ? std::round(seconds) : 0;
    const qint64 s = rounded > 0 ? static_cast<qint64>(std::min(rounded, 1e15)) : 0;
    const qint64 m = (s % 3600) / 60;
    if (s > 3599)
        return QString::asprintf("%lld h %02lld m", static_cast<long long>(s / 3600),
                                 static_cast<long long>(m));
    return QStringLiteral("%1 m").arg(m);
}

} // namespace Formatters
