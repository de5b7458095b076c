#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

/// The session's mode. Off duty carries its end (none: until the next unlock).
struct AppMode
{
    enum class Kind { offDuty, onboarding, gate, committed, quiet };

    Kind kind = Kind::gate;
    std::optional<QDateTime> until;

    static AppMode offDuty(std::optional<QDateTime> until) { return {Kind::offDuty, until}; }
    static AppMode onboarding() { return {Kind::onboarding, {}}; }
    static AppMode gate() { return {Kind::gate, {}}; }
    static AppMode committed() { return {Kind::committed, {}}; }
    static AppMode quiet() { return {Kind::quiet, {}}; }

    bool is(Kind k) const { return kind == k; }
    /// "committed", "offDuty(until: 2026-03-02T14:30:00.000Z)", "offDuty(until: nil)".
    QString printed() const;
    bool operator==(const AppMode &) const = default;
};
