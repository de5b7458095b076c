#pragma once

#include "Solitask/session/JudgePort.h"

class Judge;

/// The application's judge behind the session's seam.
class JudgeAdapter : public JudgePort
{
public:
    explicit JudgeAdapter(Judge &judge);

    bool inFlight() const override;
    void execute(const QByteArray &stdinBytes, const QString &model, const QString &label,
        std::function<void(const JudgeAnswer &)> completion) override;

private:
    Judge &m_judge;
};
