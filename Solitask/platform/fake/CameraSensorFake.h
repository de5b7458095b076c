#pragma once

#include "Solitask/platform/CameraSensor.h"

class CameraSensorFake : public CameraSensor
{
public:
    Support support() const override { return Support::yes(); }
    bool anyCameraRunning() override
    {
        ++m_queries;
        return m_running;
    }

    void setRunning(bool running) { m_running = running; }
    int queries() const { return m_queries; }

private:
    bool m_running = false;
    int m_queries = 0;
};
