#include "Solitask/onboarding/OnboardingController.h"

#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/onboarding/OnboardingView.h"
#include "Solitask/ui/Chrome.h"

#include <QPointer>
#include <QWidget>

OnboardingController::OnboardingController(OnboardingEnvironment env)
    : m_env(std::move(env))
{
}

OnboardingController::~OnboardingController() = default;

void OnboardingController::show()
{
    std::weak_ptr<bool> alive = m_alive;
    FloatingWindow::onMainThread([this, alive] {
        if (!alive.expired())
            showNow();
    });
}

void OnboardingController::showNow()
{
    if (!m_window)
        m_window.reset(FloatingWindow::make(QStringLiteral("Welcome to Solitask"), QSize(560, 600)));
    if (!m_window->isVisible()) {
        QPointer<QWidget> window(m_window.get());
        if (m_view)
            m_view->deleteLater();
        m_view = new OnboardingView(m_env, [window] {
            if (window)
                window->close();
        });
        Chrome::host(m_view, m_window.get());
    }
    FloatingWindow::bringForward(m_window.get(),
                                 m_env.settings.gateShowing && m_env.settings.gateShowing());
}
