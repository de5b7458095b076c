#pragma once

#include "Solitask/platform/RunningAppsSource.h"

#include <memory>

class WaylandWindowSource;

/// The applications with windows, from the desktop's window source.
class RunningAppsSourceWayland : public RunningAppsSource
{
public:
    RunningAppsSourceWayland(std::shared_ptr<WaylandWindowSource> windows, RunningApp own);

    Support support() const override { return Support::yes(); }
    QList<RunningApp> runningApps() override;

private:
    std::shared_ptr<WaylandWindowSource> m_windows;
    RunningApp m_own;
};
