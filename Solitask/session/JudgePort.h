#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

/// A judging run's answer: a result, or a failure with the text the person sees.
struct JudgeAnswer
{
    std::optional<JudgeResult> result;
    QString model;
    double costUSD = 0;
    qint64 durationMs = 0;
    double seconds = 0;
    QString failure; // message when there is no result
    bool cliNotFound = false; // the failure is that no `claude` was found

    bool succeeded() const { return result.has_value(); }
};

/// The judge runner as the session uses it.
class JudgePort
{
public:
    virtual ~JudgePort() = default;

    virtual bool inFlight() const = 0;
    /// Runs the judge; `completion` runs later on the main thread.
    virtual void execute(const QByteArray &stdinBytes, const QString &model, const QString &label,
        std::function<void(JudgeAnswer)> completion)
        = 0;
};
