#pragma once

#include "Solitask/witness/JudgeOutcome.h"

#include <QString>

#include <functional>
#include <optional>

/// The judge's self-test as the self-test panel uses it.
struct SelfTestPort
{
    /// Finds where `claude` is (none when it is not installed) without
    /// blocking, and tells `found` on the main thread.
    std::function<void(std::function<void(const std::optional<QString> &)> found)> locate;
    /// Runs the self-test; the completion arrives on the main thread.
    std::function<void(std::function<void(const JudgeSelfTestAnswer &)>)> run;
};
