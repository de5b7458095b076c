#pragma once

#include "Solitask/platform/PresentationLock.h"

class PresentationLockFake : public PresentationLock
{
public:
    Support support() const override { return Support::yes(); }
    bool engage(QWindow *window) override
    {
        m_window = window;
        return true;
    }
    void release() override { m_window = nullptr; }

    bool isEngaged() const { return m_window != nullptr; }

private:
    QWindow *m_window = nullptr;
};
