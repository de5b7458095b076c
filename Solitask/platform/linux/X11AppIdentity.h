#pragma once

#include "Solitask/platform/RunningApp.h"
#include "Solitask/platform/linux/DesktopEntryNames.h"

#include <QHash>
#include <QSet>

class X11Properties;

/// Which application a client window belongs to. The id is the desktop-entry
/// id when the window names one (_GTK_APPLICATION_ID, _KDE_NET_WM_DESKTOP_FILE),
/// else the WM_CLASS class; the name comes from the desktop entry, else the
/// WM_CLASS class. Windows of this process are reported as `own`.
class X11AppIdentity
{
public:
    X11AppIdentity(X11Properties &properties, RunningApp own);

    RunningApp identify(unsigned long window);
    /// Asks (X11Properties::ask) for what identifying `window` reads, unless
    /// its identity is known; whether it asked.
    bool ask(unsigned long window);
    /// Answers from a cache kept per window; `keepOnly` drops windows that are gone.
    RunningApp cached(unsigned long window);
    void keepOnly(const QSet<unsigned long> &alive);
    const RunningApp &own() const { return m_own; }

private:
    QString desktopId(unsigned long window);

    X11Properties &m_properties;
    RunningApp m_own;
    DesktopEntryNames m_names;
    QHash<unsigned long, RunningApp> m_cache;
};
