#pragma once

#include "Solitask/platform/WindowTitleSource.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <memory>

class X11Connection;

/// The active window's own title; titles of a process's windows from the
/// window manager's stacking list, front to back.
class WindowTitleSourceX11 : public WindowTitleSource
{
public:
    explicit WindowTitleSourceX11(std::shared_ptr<X11Connection> connection);

    Support support() const override;
    QString windowTitle(qint32 pid) override;
    QString activeWindowTitle() override;

private:
    bool isNormalVisible(unsigned long window);

    std::shared_ptr<X11Connection> m_connection;
    X11Properties m_properties;
};
