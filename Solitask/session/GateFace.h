#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QString>

#include <optional>

/// What the gate asks: the question ("What's the solitask?") or, for a
/// returning person, whether to resume the open solitask.
struct GateFace
{
    enum class Kind { question, resume };

    Kind kind = Kind::question;
    std::optional<Thing> thing; // resume only
    double awaySeconds = 0; // resume only
    QString stats; // resume only

    static GateFace question() { return {}; }
    static GateFace resume(const Thing &thing, double awaySeconds, const QString &stats)
    {
        return {Kind::resume, thing, awaySeconds, stats};
    }
    bool operator==(const GateFace &) const = default;
};
