#include "Solitask/platform/wayland/SwayWindows.h"

#include "Solitask/platform/wayland/SwayTree.h"
#include "SolitaskCore/Diag.h"

#include <QJsonObject>

SwayWindows::SwayWindows(QString socketPath, qint32 ownPid)
    : m_ipc(std::move(socketPath))
    , m_ownPid(ownPid)
{
    connect(&m_ipc, &SwayIpc::windowEvent, this, [this](const QJsonObject &event) {
        if (event.value(QLatin1String("change")).toString() == QLatin1String("focus"))
            Q_EMIT focusChanged();
    });
    if (!m_ipc.subscribeToWindows())
        Diag::log(QStringLiteral("sway: cannot subscribe to window events"));
}

std::optional<QJsonObject> SwayWindows::tree()
{
    const auto reply = m_ipc.request(SwayIpc::getTree);
    if (!reply || !reply->isObject())
        return std::nullopt;
    return reply->object();
}

std::optional<WaylandWindow> SwayWindows::focused()
{
    const auto root = tree();
    return root ? SwayTree::focused(*root) : std::nullopt;
}

QList<WaylandWindow> SwayWindows::windows()
{
    const auto root = tree();
    return root ? SwayTree::windows(*root) : QList<WaylandWindow>();
}

std::optional<WaylandScene> SwayWindows::scene(const QSet<QString> &hiddenIDs)
{
    const auto root = tree();
    if (!root)
        return std::nullopt;
    return SwayTree::scene(*root, hiddenIDs, m_ownPid);
}
