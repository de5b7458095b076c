#pragma once

#include "SolitaskCore/Enums.h"

#include <QString>

/// This week's focus against the weeks before it.
enum class Trend { better, holding, slipping, notEnough };

template <> struct EnumInfo<Trend>
{
    static constexpr std::array<const char *, 4> raw
        = {"better", "holding", "slipping", "notEnough"};
};

/// "better", "holding", "slipping", "not enough hours yet".
QString label(Trend trend);
