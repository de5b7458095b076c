#pragma once

#include "Solitask/witness/JudgeFailure.h"
#include "SolitaskCore/DayRecords.h"

#include <QString>

#include <optional>
#include <variant>

/// A successful judgement.
struct JudgeOutcome
{
    JudgeResult result;
    /// The model that answered, "CLI default" when nobody named one.
    QString model;
    /// Wall time from just before the launch to the end of output collection.
    double seconds = 0;
    std::optional<double> costUSD;
    std::optional<qint64> durationMs;

    bool operator==(const JudgeOutcome &) const = default;
};

/// What the judge's self-test on the sample period reports.
struct JudgeSelfTestReport
{
    QString model;
    double seconds = 0;
    std::optional<double> costUSD;
    Verdict verdict = Verdict::unclear;
    QString claudePath;

    bool operator==(const JudgeSelfTestReport &) const = default;
};

using JudgeAnswer = std::variant<JudgeOutcome, JudgeFailure>;
using JudgeSelfTestAnswer = std::variant<JudgeSelfTestReport, JudgeFailure>;
