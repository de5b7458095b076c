#pragma once

#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11AppIdentity.h"
#include "Solitask/platform/linux/X11Properties.h"
#include "Solitask/platform/linux/X11TopLevels.h"
#include "Solitask/platform/linux/X11WindowCover.h"

#include <QSet>

#include <memory>
#include <optional>

class X11Connection;

/// The viewable top-level windows of one screen, bottom to top in the
/// server's own order, marking those that must not be seen: windows of hidden
/// applications and of this process. A window is hidden by its own identity
/// (application id, process id) or, for pop-ups and windows without an id of
/// their own, by its owner's (WM_TRANSIENT_FOR, WM_CLIENT_LEADER); every
/// window of a process that shows a hidden window is hidden too. Windows below
/// the lowest hidden one are left out: they cannot cover anything that matters.
class X11WindowStack
{
public:
    X11WindowStack(std::shared_ptr<X11Connection> connection, RunningApp own);

    /// Sends the first requests of reading `screen` without waiting, so that
    /// they share a round trip with whatever is sent next.
    void ask(int screen);
    /// None when the order or a window could not be read, even after reading
    /// again: the caller must then treat the whole screen as private.
    std::optional<QList<StackedWindow>> read(int screen, const QSet<QString> &hiddenBundleIDs);

private:
    std::optional<QList<StackedWindow>> readOnce(
        unsigned long root, const QSet<QString> &hiddenBundleIDs);
    void askAhead(const QList<X11TopLevel> &windows);
    QList<bool> hiddenFlags(
        const QList<X11TopLevel> &windows, const QSet<QString> &hiddenBundleIDs);
    bool isHiddenApp(const RunningApp &app, const QSet<QString> &hiddenBundleIDs) const;
    bool ownerHidden(unsigned long client, const QSet<QString> &hiddenBundleIDs);
    QSet<unsigned long> ownWindowIds() const;

    std::shared_ptr<X11Connection> m_connection;
    X11Properties m_properties;
    X11AppIdentity m_identity;
    X11TopLevels m_topLevels;
    X11WindowCover m_cover;
};
