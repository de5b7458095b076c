#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The payload-free enumerations of the day records. Each raw value is also the
// JSON spelling; cases are listed in their declared order.

enum class Outcome { done, switched, bailed, abandoned };
enum class SwitchReason { interrupted, doneEnough, wrongThing };
enum class HourStatus { judged, quiet, unwitnessed };
enum class Correction { onTask, away, differentThing };
enum class SkipReason { privateApp, camera, locked, idle, noPermission, failed };
enum class Verdict { aligned, mostly, drifting, away, unclear };
enum class Relation { on, adjacent, off, skipped };
enum class Switching { low, medium, high };

template<typename E>
struct EnumInfo;

#define SOLITASK_ENUM_INFO(E, N, ...)                                                              \
    template<>                                                                                     \
    struct EnumInfo<E>                                                                             \
    {                                                                                              \
        static constexpr std::array<const char *, N> raw = {__VA_ARGS__};                          \
    };

SOLITASK_ENUM_INFO(Outcome, 4, "done", "switched", "bailed", "abandoned")
SOLITASK_ENUM_INFO(SwitchReason, 3, "interrupted", "doneEnough", "wrongThing")
SOLITASK_ENUM_INFO(HourStatus, 3, "judged", "quiet", "unwitnessed")
SOLITASK_ENUM_INFO(Correction, 3, "onTask", "away", "differentThing")
SOLITASK_ENUM_INFO(SkipReason, 6, "privateApp", "camera", "locked", "idle", "noPermission",
                   "failed")
SOLITASK_ENUM_INFO(Verdict, 5, "aligned", "mostly", "drifting", "away", "unclear")
SOLITASK_ENUM_INFO(Relation, 4, "on", "adjacent", "off", "skipped")
SOLITASK_ENUM_INFO(Switching, 3, "low", "medium", "high")

#undef SOLITASK_ENUM_INFO

/// Raw value (JSON spelling) of a case.
template<typename E>
QString rawValue(E value)
{
    return QString::fromLatin1(EnumInfo<E>::raw[static_cast<std::size_t>(value)]);
}

/// The case whose raw value is exactly `raw`, or none.
template<typename E>
std::optional<E> fromRawValue(QStringView raw)
{
    const auto &names = EnumInfo<E>::raw;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (raw == QLatin1String(names[i]))
            return static_cast<E>(i);
    }
    return std::nullopt;
}

/// Every case, in declared order.
template<typename E>
constexpr auto allCases()
{
    std::array<E, EnumInfo<E>::raw.size()> cases{};
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i] = static_cast<E>(i);
    return cases;
}

/// Texts the person reads.
QString label(SwitchReason reason);
QString label(Correction correction);
QString label(SkipReason reason);
