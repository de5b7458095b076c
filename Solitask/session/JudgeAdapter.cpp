#include "Solitask/session/JudgeAdapter.h"

#include "Solitask/witness/Judge.h"

JudgeAdapter::JudgeAdapter(Judge &judge)
    : m_judge(judge)
{
}

bool JudgeAdapter::inFlight() const
{
    return m_judge.inFlight();
}

void JudgeAdapter::execute(const QByteArray &stdinBytes, const QString &model, const QString &label,
    std::function<void(const JudgeAnswer &)> completion)
{
    m_judge.execute(stdinBytes, model, label, std::move(completion));
}
