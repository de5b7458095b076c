#pragma once

#include "Solitask/platform/WindowTitleSource.h"

#include <memory>

class WaylandWindowSource;

/// Window titles from the desktop's window source.
class WindowTitleSourceWayland : public WindowTitleSource
{
public:
    explicit WindowTitleSourceWayland(std::shared_ptr<WaylandWindowSource> windows);

    Support support() const override { return Support::yes(); }
    QString windowTitle(qint32 pid) override;
    QString activeWindowTitle() override;

private:
    std::shared_ptr<WaylandWindowSource> m_windows;
};
