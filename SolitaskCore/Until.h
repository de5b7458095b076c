#pragma once

#include "SolitaskCore/Calendar.h"

#include <QDateTime>
#include <QString>

#include <optional>

/// How long a solitask is meant to last: until done, a number of hours, or
/// until a clock time.
class Until
{
public:
    enum class Kind { untilDone, hours, at };

    static Until untilDone() { return Until(); }
    static Until hours(double hours);
    static Until at(const QDateTime &instant);

    Kind kind() const { return m_kind; }
    double hoursValue() const { return m_hours; }
    const QDateTime &atValue() const { return m_at; }

    /// "until done", "2 h", "1.5 h", "until 18:00".
    QString label(const Calendar &calendar = Calendar::system()) const;
    std::optional<QDateTime> deadline(const QDateTime &start) const;

    bool operator==(const Until &other) const;

private:
    Kind m_kind = Kind::untilDone;
    double m_hours = 0;
    QDateTime m_at;
};
