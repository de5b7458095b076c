#include "SolitaskCore/Until.h"

#include "SolitaskCore/Formatters.h"

#include <cmath>

Until Until::hours(double hours)
{
    Until until;
    until.m_kind = Kind::hours;
    until.m_hours = hours;
    return until;
}

Until Until::at(const QDateTime &instant)
{
    Until until;
    until.m_kind = Kind::at;
    until.m_at = instant.toUTC();
    return until;
}

QString Until::label(const Calendar &calendar) const
{
    switch (m_kind) {
    case Kind::untilDone:
        return QStringLiteral("until done");
    case Kind::hours:
        if (std::isfinite(m_hours) && m_hours == std::trunc(m_hours)
            && std::abs(m_hours) < 1e15)
            return QStringLiteral("%1 h").arg(static_cast<qint64>(m_hours));
        return QString::asprintf("%.1f h", m_hours);
    case Kind::at:
        return QStringLiteral("until ") + Formatters::hm(m_at, calendar);
    }
    return {};
}

std::optional<QDateTime> Until::deadline(const QDateTime &start) const
{
    switch (m_kind) {
    case Kind::untilDone:
        return std::nullopt;
    case Kind::hours:
        return start.addMSecs(static_cast<qint64>(std::llround(m_hours * 3600.0 * 1000.0)));
    case Kind::at:
        return m_at;
    }
    return std::nullopt;
}

bool Until::operator==(const Until &other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::untilDone:
        return true;
    case Kind::hours:
        return m_hours == other.m_hours;
    case Kind::at:
        return m_at == other.m_at;
    }
    return false;
}
