#pragma once

#include "Solitask/session/WindowPresenter.h"

#include <functional>

/// A window the session can be handed before the window itself can be built
/// (the journal and onboarding need the session first).
class ForwardingWindow : public WindowPresenter
{
public:
    void setTarget(WindowPresenter *target) { m_target = target; }
    void present() override
    {
        if (m_target)
            m_target->present();
    }

private:
    WindowPresenter *m_target = nullptr;
};
