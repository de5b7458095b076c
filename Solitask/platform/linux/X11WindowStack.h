#pragma once

#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11AppIdentity.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <QSet>

#include <memory>
#include <optional>

class X11Connection;

/// The visible client windows of one screen in the window manager's stacking
/// order (_NET_CLIENT_LIST_STACKING), with their frames (_NET_FRAME_EXTENTS
/// around the client), marking the windows of hidden applications and of this
/// process. Windows below the lowest hidden one are not measured: they cannot
/// cover anything that matters.
class X11WindowStack
{
public:
    X11WindowStack(std::shared_ptr<X11Connection> connection, RunningApp own);

    QList<StackedWindow> read(int screen, const QSet<QString> &hiddenBundleIDs);
    /// The window's frame in root coordinates, none when it is not viewable.
    std::optional<QRect> frame(unsigned long window, unsigned long root);
    /// Top-level windows of this process outside the stacking list
    /// (override-redirect panels), all counted above every managed window.
    QList<StackedWindow> ownUnmanaged(unsigned long root, const QList<unsigned long> &managed);

private:
    bool isHidden(unsigned long window, const QSet<QString> &hiddenBundleIDs);

    std::shared_ptr<X11Connection> m_connection;
    X11Properties m_properties;
    X11AppIdentity m_identity;
};
