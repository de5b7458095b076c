#pragma once

#include "Solitask/platform/ActiveAppSource.h"
#include "Solitask/platform/linux/X11AppIdentity.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <memory>

class X11Connection;
typedef union _XEvent XEvent;

/// The active window (X11ActiveWindow) and its application; an event each time
/// an EWMH window manager names another one (_NET_ACTIVE_WINDOW).
class ActiveAppSourceX11 : public ActiveAppSource
{
    Q_OBJECT

public:
    ActiveAppSourceX11(std::shared_ptr<X11Connection> connection, RunningApp own);

    Support support() const override;
    std::optional<RunningApp> frontmost() override;
    /// The active client window, 0 when there is none.
    unsigned long activeWindow();

private:
    void onEvent(XEvent *event);

    std::shared_ptr<X11Connection> m_connection;
    X11Properties m_properties;
    X11AppIdentity m_identity;
    unsigned long m_lastActive = 0;
};
