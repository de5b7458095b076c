#include "Solitask/platform/gnome/GnomeWindowList.h"

#include <QJsonArray>

namespace {

QRect rect(const QJsonValue &value)
{
    const QJsonObject r = value.toObject();
    return QRect(r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
        r.value(QLatin1String("width")).toInt(), r.value(QLatin1String("height")).toInt());
}

QString text(const QJsonObject &window, const char *key)
{
    return window.value(QLatin1String(key)).toString();
}

// The desktop id where the shell knows one, else the Wayland app id or X
// class, which the shell reports as the window class.
QString idOf(const QJsonObject &window)
{
    QString id = text(window, "appId");
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id.isEmpty() ? text(window, "wmClass") : id;
}

WaylandWindow window(const QJsonObject &w)
{
    const QString id = idOf(w);
    return {{id, id, qint32(w.value(QLatin1String("pid")).toInt())}, text(w, "title")};
}

QList<QJsonObject> entries(const QJsonObject &report)
{
    QList<QJsonObject> list;
    for (const QJsonValue &value : report.value(QLatin1String("windows")).toArray())
        list.append(value.toObject());
    return list;
}

} // namespace

namespace GnomeWindowList {

std::optional<WaylandWindow> focused(const QJsonObject &report)
{
    for (const QJsonObject &w : entries(report)) {
        if (w.value(QLatin1String("focused")).toBool())
            return window(w);
    }
    return std::nullopt;
}

QList<WaylandWindow> windows(const QJsonObject &report)
{
    QList<WaylandWindow> list;
    for (const QJsonObject &w : entries(report))
        list.append(window(w));
    return list;
}

WaylandScene scene(const QJsonObject &report, const QSet<QString> &hiddenIDs, qint32 ownPid)
{
    WaylandScene scene;
    scene.outputRect = rect(report.value(QLatin1String("monitor")));
    QList<QJsonObject> shown;
    QSet<qint32> hiddenPids;
    if (ownPid > 0)
        hiddenPids.insert(ownPid);
    for (const QJsonObject &w : entries(report)) {
        if (!w.value(QLatin1String("shown")).toBool())
            continue;
        shown.append(w);
        // Either name of the app counts, so a private app is never missed.
        const qint32 pid = w.value(QLatin1String("pid")).toInt();
        if (pid > 0 && (hiddenIDs.contains(idOf(w)) || hiddenIDs.contains(text(w, "wmClass"))))
            hiddenPids.insert(pid);
    }
    for (const QJsonObject &w : std::as_const(shown)) {
        // Every window of a process that shows a private one is private, its
        // pop-ups included.
        const bool hidden = hiddenIDs.contains(idOf(w)) || hiddenIDs.contains(text(w, "wmClass"))
            || hiddenPids.contains(qint32(w.value(QLatin1String("pid")).toInt()));
        // A hidden window loses all it draws, title bar and shadow too; a
        // window covers only with its frame.
        const QRect frame = rect(w.value(QLatin1String("frame")));
        StackedWindow stacked(
            hidden ? frame.united(rect(w.value(QLatin1String("buffer")))) : frame, hidden);
        // A window the shell has not sized yet may still paint: fail closed.
        if (hidden && stacked.frame.isEmpty())
            scene.unplacedPrivateApp = idOf(w);
        stacked.opaque = w.value(QLatin1String("opacity")).toInt(255) >= 255;
        scene.windows.append(stacked);
    }
    return scene;
}

} // namespace GnomeWindowList
