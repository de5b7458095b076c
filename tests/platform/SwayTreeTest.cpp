#include "Solitask/platform/wayland/SwayTree.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

// The shape of sway's get_tree answer, cut down to what is read: the
// scratchpad's output, two outputs, a full-screen window, a floating one and
// a window on a workspace that is not shown.
const char *tree = R"({"nodes": [
  {"name": "__i3", "type": "output", "rect": {"x": 0, "y": 0, "width": 1920, "height": 1080},
   "nodes": [{"type": "workspace", "nodes": [], "floating_nodes": [
     {"type": "floating_con", "pid": 9, "app_id": "scratch", "visible": false, "nodes": [],
      "rect": {"x": 0, "y": 0, "width": 10, "height": 10}}]}]},
  {"name": "DP-1", "type": "output", "rect": {"x": 0, "y": 0, "width": 1280, "height": 800},
   "nodes": [{"type": "workspace", "nodes": [
     {"type": "con", "pid": 11, "app_id": "editor", "name": "main.cpp", "visible": true,
      "nodes": [], "rect": {"x": 0, "y": 20, "width": 1280, "height": 780},
      "deco_rect": {"x": 0, "y": 0, "width": 1280, "height": 20}},
     {"type": "con", "pid": 12, "app_id": null, "window_properties": {"class": "KeePassXC"},
      "name": "vault", "visible": true, "fullscreen_mode": 1, "nodes": [],
      "rect": {"x": 0, "y": 0, "width": 1280, "height": 800}}],
    "floating_nodes": [
     {"type": "floating_con", "pid": 13, "app_id": "notes", "name": "todo", "visible": true,
      "nodes": [], "rect": {"x": 100, "y": 100, "width": 200, "height": 100}}]},
    {"type": "workspace", "nodes": [
     {"type": "con", "pid": 14, "app_id": "mail", "visible": false, "nodes": [],
      "rect": {"x": 0, "y": 0, "width": 1280, "height": 800}}], "floating_nodes": []}]},
  {"name": "HDMI-A-1", "type": "output", "rect": {"x": 1280, "y": 0, "width": 1920, "height": 1080},
   "nodes": [{"type": "workspace", "nodes": [
     {"type": "con", "pid": 15, "app_id": "browser", "name": "news", "visible": true,
      "focused": true, "nodes": [], "rect": {"x": 1280, "y": 0, "width": 1920, "height": 1080}}],
    "floating_nodes": []}]}
]})";

QJsonObject parsed()
{
    return QJsonDocument::fromJson(tree).object();
}

TEST(SwayTreeTest, SceneTakesTheFocusedOutputAndStacksTiledFloatingFullScreen)
{
    const WaylandScene scene = SwayTree::scene(parsed(), {QStringLiteral("KeePassXC")}, 13);
    EXPECT_EQ(scene.outputName, QStringLiteral("HDMI-A-1"));
    EXPECT_EQ(scene.outputRect, QRect(1280, 0, 1920, 1080));
    // Hidden workspaces and the scratchpad are left out; the title bar counts
    // as the window's; our own process's window is hidden like a private one.
    const QList<std::pair<QRect, bool>> expected {{QRect(0, 0, 1280, 800), false},
        {QRect(1280, 0, 1920, 1080), false}, {QRect(100, 100, 200, 100), true},
        {QRect(0, 0, 1280, 800), true}};
    ASSERT_EQ(scene.windows.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(scene.windows[i].frame, expected[i].first) << i;
        EXPECT_EQ(scene.windows[i].hidden, expected[i].second) << i;
    }
}

TEST(SwayTreeTest, FocusedWindowAndEveryWindowByAppIdOrXClass)
{
    const auto focused = SwayTree::focused(parsed());
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->app, (RunningApp {"browser", "browser", 15}));
    EXPECT_EQ(focused->title, QStringLiteral("news"));
    QStringList ids;
    for (const WaylandWindow &w : SwayTree::windows(parsed()))
        ids << w.app.bundleID;
    EXPECT_EQ(ids, QStringList({"scratch", "editor", "KeePassXC", "notes", "mail", "browser"}));
}

} // namespace
