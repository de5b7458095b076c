#pragma once

#include "Solitask/onboarding/OnboardingEnvironment.h"

#include <QWidget>

#include <functional>

/// The last step: a few defaults, and "Ask me the question".
class DefaultsStep : public QWidget
{
    Q_OBJECT

public:
    DefaultsStep(const OnboardingEnvironment &env, std::function<void()> finish,
                 std::function<void()> back, QWidget *parent = nullptr);

    int tick() const { return m_tick; }
    /// "Ask me the question": onboarding done, the session decides, the window closes.
    void askMeTheQuestion();

private:
    const OnboardingEnvironment &m_env;
    std::function<void()> m_finish;
    int m_tick = 0;
};
