#include "Solitask/platform/wayland/SwayTree.h"

#include <QJsonArray>

#include <functional>

namespace {

using Visit = std::function<void(const QJsonObject &)>;

bool isView(const QJsonObject &node)
{
    return node.contains(QLatin1String("pid"))
        && node.value(QLatin1String("nodes")).toArray().isEmpty()
        && node.value(QLatin1String("type")).toString() != QLatin1String("workspace");
}

// Native windows name themselves by app id, XWayland ones by their X class.
WaylandWindow window(const QJsonObject &view)
{
    QString id = view.value(QLatin1String("app_id")).toString();
    if (id.isEmpty())
        id = view.value(QLatin1String("window_properties"))
                 .toObject()
                 .value(QLatin1String("class"))
                 .toString();
    const qint32 pid = view.value(QLatin1String("pid")).toInt();
    return {{id, id, pid}, view.value(QLatin1String("name")).toString()};
}

QRect rect(const QJsonObject &node)
{
    const QJsonObject r = node.value(QLatin1String("rect")).toObject();
    return QRect(r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
        r.value(QLatin1String("width")).toInt(), r.value(QLatin1String("height")).toInt());
}

// A view's rect leaves out its title bar, which shows the title too.
QRect frame(const QJsonObject &view)
{
    const QRect content = rect(view);
    const int title
        = view.value(QLatin1String("deco_rect")).toObject().value(QLatin1String("height")).toInt();
    return content.adjusted(0, -title, 0, 0);
}

void walk(const QJsonObject &node, const Visit &visit)
{
    visit(node);
    for (const char *key : {"nodes", "floating_nodes"}) {
        for (const QJsonValue &child : node.value(QLatin1String(key)).toArray())
            walk(child.toObject(), visit);
    }
}

void views(const QJsonObject &node, const Visit &visit)
{
    walk(node, [&visit](const QJsonObject &n) {
        if (isView(n))
            visit(n);
    });
}

QList<QJsonObject> workspaces(const QJsonObject &tree)
{
    QList<QJsonObject> list;
    walk(tree, [&list](const QJsonObject &n) {
        if (n.value(QLatin1String("type")).toString() == QLatin1String("workspace"))
            list.append(n);
    });
    return list;
}

bool holdsFocus(const QJsonObject &node)
{
    bool found = false;
    walk(node, [&found](const QJsonObject &n) {
        found = found || n.value(QLatin1String("focused")).toBool();
    });
    return found;
}

} // namespace

namespace SwayTree {

std::optional<WaylandWindow> focused(const QJsonObject &tree)
{
    std::optional<WaylandWindow> found;
    views(tree, [&found](const QJsonObject &view) {
        if (view.value(QLatin1String("focused")).toBool())
            found = window(view);
    });
    return found;
}

QList<WaylandWindow> windows(const QJsonObject &tree)
{
    QList<WaylandWindow> list;
    views(tree, [&list](const QJsonObject &view) { list.append(window(view)); });
    return list;
}

WaylandScene scene(const QJsonObject &tree, const QSet<QString> &hiddenIDs, qint32 ownPid)
{
    WaylandScene scene;
    for (const QJsonValue &value : tree.value(QLatin1String("nodes")).toArray()) {
        const QJsonObject output = value.toObject();
        const QString name = output.value(QLatin1String("name")).toString();
        if (name == QLatin1String("__i3")) // the scratchpad's output, never shown
            continue;
        if (scene.outputName.isEmpty() || holdsFocus(output)) {
            scene.outputName = name;
            scene.outputRect = rect(output);
        }
    }
    QList<StackedWindow> layers[3]; // tiled, floating, full-screen
    for (const QJsonObject &workspace : workspaces(tree)) {
        for (const char *key : {"nodes", "floating_nodes"}) {
            const int layer = qstrcmp(key, "nodes") == 0 ? 0 : 1;
            for (const QJsonValue &child : workspace.value(QLatin1String(key)).toArray()) {
                views(child.toObject(), [&](const QJsonObject &view) {
                    if (!view.value(QLatin1String("visible")).toBool())
                        return;
                    const WaylandWindow w = window(view);
                    const bool hidden
                        = hiddenIDs.contains(w.app.bundleID) || (ownPid > 0 && w.app.pid == ownPid);
                    const bool fullScreen
                        = view.value(QLatin1String("fullscreen_mode")).toInt() != 0;
                    layers[fullScreen ? 2 : layer].append(StackedWindow(frame(view), hidden));
                });
            }
        }
    }
    for (const auto &layer : layers)
        scene.windows += layer;
    return scene;
}

} // namespace SwayTree
