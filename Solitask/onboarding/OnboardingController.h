#pragma once

#include "Solitask/onboarding/OnboardingEnvironment.h"
#include "Solitask/session/WindowPresenter.h"

#include <memory>

class OnboardingView;
class QWidget;

/// The onboarding window, made on first show and kept; each show while it is
/// hidden starts again at the first step.
class OnboardingController : public WindowPresenter
{
public:
    explicit OnboardingController(OnboardingEnvironment env);
    ~OnboardingController() override;

    void present() override { show(); }
    /// From any thread.
    void show();

    QWidget *window() const { return m_window.get(); }
    OnboardingView *view() const { return m_view; }

private:
    void showNow();

    OnboardingEnvironment m_env;
    std::unique_ptr<QWidget> m_window;
    OnboardingView *m_view = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
