#pragma once

/// A window the session only asks to bring forward (journal, onboarding).
class WindowPresenter
{
public:
    virtual ~WindowPresenter() = default;

    virtual void present() = 0;
};
