#pragma once

#include "Solitask/session/WindowPresenter.h"

/// A window stand-in that counts how often it was brought forward.
class HeadlessWindow : public WindowPresenter
{
public:
    void present() override { ++m_presented; }
    int presented() const { return m_presented; }

private:
    int m_presented = 0;
};
