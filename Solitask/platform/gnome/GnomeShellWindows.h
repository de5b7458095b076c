#pragma once

#include "Solitask/platform/Support.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QJsonObject>

/// Windows as Solitask's GNOME Shell extension reports them over the session
/// bus. Without the extension (not installed, not enabled, or the shell not
/// yet restarted since) nothing can be read, and frames are withheld.
class GnomeShellWindows : public WaylandWindowSource
{
    Q_OBJECT

public:
    explicit GnomeShellWindows(qint32 ownPid);
    ~GnomeShellWindows() override;

    /// The extension's id, as `gnome-extensions enable` takes it.
    static QString extensionId();
    /// How the person turns the extension on.
    static QString enableAdvice();

    /// Whether the extension answers, and what to do when it does not.
    Support support() const;
    std::optional<WaylandWindow> focused() override;
    QList<WaylandWindow> windows() override;
    std::optional<WaylandScene> scene(const QSet<QString> &hiddenIDs) override;

private:
    std::optional<QJsonObject> report() const;

    qint32 m_ownPid = 0;
};
