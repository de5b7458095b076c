#pragma once

#include "Solitask/journal/Wallpaper.h"
#include "Solitask/onboarding/OnboardingEnvironment.h"

#include <functional>

class QVBoxLayout;

/// The four onboarding steps on one card: privacy, permission, witness, defaults.
class OnboardingView : public Wallpaper
{
    Q_OBJECT

public:
    OnboardingView(const OnboardingEnvironment &env, std::function<void()> finish,
                   QWidget *parent = nullptr);

    int step() const { return m_step; }
    void setStep(int step);
    QWidget *stepWidget() const { return m_current; }

private:
    QWidget *makeStep(int step);

    const OnboardingEnvironment &m_env;
    std::function<void()> m_finish;
    int m_step = 0;
    QVBoxLayout *m_holder;
    QWidget *m_current = nullptr;
};
