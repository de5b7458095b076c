#include "Solitask/onboarding/OnboardingView.h"

#include "Solitask/onboarding/DefaultsStep.h"
#include "Solitask/onboarding/PermissionStep.h"
#include "Solitask/onboarding/PrivacyStep.h"
#include "Solitask/onboarding/WitnessStep.h"
#include "Solitask/ui/WindowCard.h"

#include <QVBoxLayout>

#include <algorithm>

OnboardingView::OnboardingView(const OnboardingEnvironment &env, std::function<void()> finish,
                               QWidget *parent)
    : Wallpaper(parent)
    , m_env(env)
    , m_finish(std::move(finish))
{
    auto *content = new QWidget;
    m_holder = new QVBoxLayout(content);
    m_holder->setContentsMargins(32, 30, 32, 28);
    auto *card = new WindowCard(12, Qt::white, content);
    card->setFixedWidth(464);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 36, 20, 24);
    layout->addWidget(card, 1, Qt::AlignHCenter);
    setStep(0);
}

void OnboardingView::setStep(int step)
{
    m_step = std::clamp(step, 0, 3);
    if (m_current) {
        m_holder->removeWidget(m_current);
        m_current->hide();
        m_current->setParent(nullptr);
        m_current->deleteLater(); // the pressed button may still be on the stack
    }
    m_current = makeStep(m_step);
    m_holder->addWidget(m_current);
}

QWidget *OnboardingView::makeStep(int step)
{
    const auto next = [this] { setStep(m_step + 1); };
    const auto back = [this] { setStep(m_step - 1); };
    switch (step) {
    case 0:
        return new PrivacyStep(next);
    case 1:
        return new PermissionStep(m_env.permission, next, back, m_env.settings.capabilities);
    case 2:
        return new WitnessStep(m_env.settings.selfTest, next, back);
    default:
        return new DefaultsStep(m_env, m_finish, back);
    }
}
