#pragma once

#include <QString>

/// Health of the judge as last seen.
struct WitnessStatus
{
    enum class Kind { ready, failing, unknown, missing };

    Kind kind = Kind::unknown;
    QString model; // ready
    QString path; // ready
    double seconds = 0; // ready
    QString message; // failing

    static WitnessStatus ready(const QString &model, const QString &path, double seconds)
    {
        return {Kind::ready, model, path, seconds, {}};
    }
    static WitnessStatus failing(const QString &message)
    {
        return {Kind::failing, {}, {}, 0, message};
    }
    static WitnessStatus unknown() { return {}; }
    static WitnessStatus missing() { return {Kind::missing, {}, {}, 0, {}}; }
    bool operator==(const WitnessStatus &) const = default;
};
