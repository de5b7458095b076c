#include "SolitaskCore/Trend.h"

QString label(Trend trend)
{
    if (trend == Trend::notEnough)
        return QStringLiteral("not enough hours yet");
    return rawValue(trend);
}
