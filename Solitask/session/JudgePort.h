#pragma once

#include "Solitask/witness/JudgeOutcome.h"

#include <QByteArray>
#include <QString>

#include <functional>

/// The judge runner as the session uses it; `JudgeAdapter` puts the real
/// `Judge` behind it, tests script it.
class JudgePort
{
public:
    virtual ~JudgePort() = default;

    virtual bool inFlight() const = 0;
    /// Runs the judge; `completion` runs later on the main thread.
    virtual void execute(const QByteArray &stdinBytes, const QString &model, const QString &label,
        std::function<void(const JudgeAnswer &)> completion)
        = 0;
};
