#pragma once

#include "Solitask/platform/RunningApp.h"

#include <QSet>

#include <memory>

class X11Connection;
class X11Properties;
class X11AppIdentity;

/// XWayland windows named as an X11 session names them: KWin keeps X classes
/// in lower case, while private app lists hold them as the apps set them
/// ("KeePassXC"). Reads the window's own properties on XWayland's display,
/// and opens that display again when XWayland has restarted with KWin.
class XWaylandNames
{
public:
    explicit XWaylandNames(RunningApp own);
    ~XWaylandNames();

    /// The application of X window `window`; none when XWayland cannot be asked.
    std::optional<RunningApp> name(unsigned long window);
    /// Forgets windows not in `alive`.
    void keepOnly(const QSet<unsigned long> &alive);

private:
    bool connected();

    RunningApp m_own;
    std::shared_ptr<X11Connection> m_connection;
    std::unique_ptr<X11Properties> m_properties;
    std::unique_ptr<X11AppIdentity> m_identity;
};
