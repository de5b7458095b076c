#pragma once

#include "Solitask/platform/RunningApp.h"
#include "Solitask/platform/Support.h"
#include "Solitask/platform/linux/BlankRegion.h"

#include <QObject>
#include <QRect>
#include <QSet>

#include <optional>

/// An application window as a Wayland desktop describes it.
struct WaylandWindow
{
    RunningApp app; // bundleID: the app id, or the X class of an XWayland window
    QString title;
};

/// What a capture of one output must know about the windows on it.
struct WaylandScene
{
    QString outputName; // the output to capture; empty for the first one
    QRect outputRect; // in layout coordinates; empty when unknown
    QList<StackedWindow> windows; // layout coordinates, lowest first
    /// A private app shows a window whose place this desktop does not tell: its id.
    QString unplacedPrivateApp;
};

/// The windows of a Wayland desktop, from whatever it offers to tell.
class WaylandWindowSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    /// Whether the desktop tells anything now, else why not.
    virtual Support support() const { return Support::yes(); }
    /// The focused window, none when nothing has focus or it cannot be read.
    virtual std::optional<WaylandWindow> focused() = 0;
    /// Every application window.
    virtual QList<WaylandWindow> windows() = 0;
    /// The windows of the output in use with the hidden ones marked; none when
    /// the desktop cannot be asked.
    virtual std::optional<WaylandScene> scene(const QSet<QString> &hiddenIDs) = 0;

Q_SIGNALS:
    /// Focus may have moved to another window.
    void focusChanged();
};
