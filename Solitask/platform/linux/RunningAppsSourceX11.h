#pragma once

#include "Solitask/platform/RunningAppsSource.h"
#include "Solitask/platform/linux/X11AppIdentity.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <memory>

class X11Connection;

/// The applications of the client windows an EWMH window manager lists
/// (_NET_CLIENT_LIST on every screen), panels and desktops left out.
class RunningAppsSourceX11 : public RunningAppsSource
{
public:
    RunningAppsSourceX11(std::shared_ptr<X11Connection> connection, RunningApp own);

    Support support() const override;
    QList<RunningApp> runningApps() override;

private:
    QList<unsigned long> clientWindows();
    bool isRegular(unsigned long window);
    bool isOwn(const RunningApp &app) const;

    std::shared_ptr<X11Connection> m_connection;
    X11Properties m_properties;
    X11AppIdentity m_identity;
};
