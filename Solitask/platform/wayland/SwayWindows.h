#pragma once

#include "Solitask/platform/wayland/SwayIpc.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

/// Windows as sway's IPC tells them: focus, titles and every visible
/// window's place and stacking.
class SwayWindows : public WaylandWindowSource
{
    Q_OBJECT

public:
    SwayWindows(QString socketPath, qint32 ownPid);

    std::optional<WaylandWindow> focused() override;
    QList<WaylandWindow> windows() override;
    std::optional<WaylandScene> scene(const QSet<QString> &hiddenIDs) override;

private:
    std::optional<QJsonObject> tree();

    SwayIpc m_ipc;
    qint32 m_ownPid;
};
