#include "Solitask/platform/kde/KWinWindowReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QRect rect(const QJsonObject &o)
{
    return QRect(o.value(QLatin1String("x")).toInt(), o.value(QLatin1String("y")).toInt(),
        o.value(QLatin1String("width")).toInt(), o.value(QLatin1String("height")).toInt());
}

bool onDesktop(const QJsonObject &o, int current)
{
    return o.value(QLatin1String("onAllDesktops")).toBool()
        || o.value(QLatin1String("desktop")).toInt() == current;
}

// Native windows name themselves by desktop file, XWayland ones mostly by
// their X class, which KWin keeps in lower case.
KWinWindow window(const QJsonObject &o, int currentDesktop)
{
    KWinWindow w;
    w.resourceClass = o.value(QLatin1String("resourceClass")).toString();
    QString id = o.value(QLatin1String("desktopFileName")).toString();
    if (id.isEmpty())
        id = w.resourceClass;
    w.window = {{id, id, qint32(o.value(QLatin1String("pid")).toInt())},
        o.value(QLatin1String("caption")).toString()};
    w.x11Window = (unsigned long)(o.value(QLatin1String("x11Window")).toDouble());
    w.frame = rect(o);
    w.opaque = o.value(QLatin1String("opacity")).toDouble(1.0) >= 1.0;
    w.active = o.value(QLatin1String("active")).toBool();
    w.shown = !o.value(QLatin1String("minimized")).toBool()
        && !o.value(QLatin1String("hidden")).toBool() && onDesktop(o, currentDesktop);
    w.normal = o.value(QLatin1String("normal")).toBool();
    return w;
}

bool matches(const KWinWindow &w, const QSet<QString> &lowerIDs)
{
    return lowerIDs.contains(w.window.app.bundleID.toLower())
        || lowerIDs.contains(w.resourceClass.toLower());
}

} // namespace

std::optional<KWinWindowReport> KWinWindowReport::parse(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    const QJsonValue list = doc.object().value(QLatin1String("windows"));
    if (!list.isArray())
        return std::nullopt;
    const int desktop = doc.object().value(QLatin1String("currentDesktop")).toInt();
    KWinWindowReport report;
    report.area = rect(doc.object().value(QLatin1String("area")).toObject());
    report.screen = rect(doc.object().value(QLatin1String("screen")).toObject());
    for (const QJsonValue &value : list.toArray())
        report.stack.append(window(value.toObject(), desktop));
    return report;
}

std::optional<WaylandWindow> KWinWindowReport::focused() const
{
    for (const KWinWindow &w : stack) {
        if (w.active)
            return w.window;
    }
    return std::nullopt;
}

QList<WaylandWindow> KWinWindowReport::appWindows() const
{
    QList<WaylandWindow> list;
    for (const KWinWindow &w : stack) {
        if (w.normal)
            list.append(w.window);
    }
    return list;
}

WaylandScene KWinWindowReport::scene(const QSet<QString> &hiddenIDs, qint32 ownPid) const
{
    QSet<QString> lower;
    for (const QString &id : hiddenIDs)
        lower.insert(id.toLower());
    WaylandScene scene;
    scene.outputRect = area;
    for (const KWinWindow &w : stack) {
        if (!w.shown || w.frame.isEmpty())
            continue;
        StackedWindow stacked(
            w.frame, (ownPid > 0 && w.window.app.pid == ownPid) || matches(w, lower));
        stacked.opaque = w.opaque;
        scene.windows.append(stacked);
    }
    return scene;
}
