#pragma once

#include "Solitask/platform/ActiveAppSource.h"

#include <memory>

class WaylandWindowSource;

/// The application of the focused window, as the desktop's window source
/// tells it; our own windows are reported as `own`.
class ActiveAppSourceWayland : public ActiveAppSource
{
    Q_OBJECT

public:
    ActiveAppSourceWayland(std::shared_ptr<WaylandWindowSource> windows, RunningApp own);

    Support support() const override;
    std::optional<RunningApp> frontmost() override;

private:
    void focusChanged();

    std::shared_ptr<WaylandWindowSource> m_windows;
    RunningApp m_own;
    std::optional<RunningApp> m_last;
};
