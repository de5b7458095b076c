#pragma once

#include "Solitask/platform/RunningAppsSource.h"

/// Running applications set by hand, answered as given.
class RunningAppsSourceFake : public RunningAppsSource
{
public:
    Support support() const override { return Support::yes(); }
    QList<RunningApp> runningApps() override
    {
        ++m_asked;
        return m_apps;
    }

    void setRunningApps(QList<RunningApp> apps) { m_apps = std::move(apps); }
    int asked() const { return m_asked; }

private:
    QList<RunningApp> m_apps;
    int m_asked = 0;
};
