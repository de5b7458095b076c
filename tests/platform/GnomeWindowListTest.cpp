#include "Solitask/platform/gnome/GnomeWindowList.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QJsonObject report()
{
    return QJsonDocument::fromJson(R"({"monitor": {"x": 0, "y": 0, "width": 1280, "height": 800},
        "windows": [
          {"title": "Notes", "wmClass": "org.example.Notes", "appId": "org.example.Notes.desktop",
           "pid": 10, "shown": true, "opacity": 255,
           "frame": {"x": 0, "y": 0, "width": 400, "height": 300},
           "buffer": {"x": 0, "y": 20, "width": 400, "height": 280}},
          {"title": "Bank", "wmClass": "bank-app", "appId": "", "pid": 20, "shown": true,
           "opacity": 255, "frame": {"x": 100, "y": 100, "width": 300, "height": 200},
           "buffer": {"x": 90, "y": 90, "width": 320, "height": 220}},
          {"title": "Bank menu", "wmClass": "", "appId": "", "pid": 20, "shown": true,
           "opacity": 255, "frame": {"x": 120, "y": 120, "width": 50, "height": 80},
           "buffer": {"x": 120, "y": 120, "width": 50, "height": 80}},
          {"title": "Minimised", "wmClass": "bank-app", "appId": "", "pid": 21, "shown": false,
           "frame": {"x": 0, "y": 0, "width": 10, "height": 10}},
          {"title": "Glass", "wmClass": "glass", "appId": "", "pid": 30, "shown": true,
           "opacity": 200, "focused": true,
           "frame": {"x": 500, "y": 0, "width": 100, "height": 100},
           "buffer": {"x": 500, "y": 0, "width": 100, "height": 100}}]})")
        .object();
}

// Desktop ids lose ".desktop"; a window without one is named by its class.
TEST(GnomeWindowList, WindowsAreNamedByDesktopIdElseClass)
{
    const QList<WaylandWindow> windows = GnomeWindowList::windows(report());
    ASSERT_EQ(windows.size(), 5);
    EXPECT_EQ(windows[0].app.bundleID, QStringLiteral("org.example.Notes"));
    EXPECT_EQ(windows[1].app.bundleID, QStringLiteral("bank-app"));
    const auto focused = GnomeWindowList::focused(report());
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->title, QStringLiteral("Glass"));
    EXPECT_FALSE(GnomeWindowList::focused(QJsonObject()));
}

// A private app hides every window of its process and all it draws; windows
// not on screen are left out; a translucent window covers nothing.
TEST(GnomeWindowList, SceneHidesPrivateProcessesWholly)
{
    const WaylandScene scene = GnomeWindowList::scene(report(), {QStringLiteral("bank-app")}, 0);
    EXPECT_EQ(scene.outputRect, QRect(0, 0, 1280, 800));
    ASSERT_EQ(scene.windows.size(), 4);
    EXPECT_FALSE(scene.windows[0].hidden);
    EXPECT_EQ(scene.windows[0].frame, QRect(0, 0, 400, 300));
    EXPECT_TRUE(scene.windows[1].hidden);
    EXPECT_EQ(scene.windows[1].frame, QRect(90, 90, 320, 220));
    EXPECT_TRUE(scene.windows[2].hidden) << "the menu of the private app's process";
    EXPECT_FALSE(scene.windows[3].opaque);
    EXPECT_TRUE(scene.unplacedPrivateApp.isEmpty());
    const WaylandScene own = GnomeWindowList::scene(report(), {}, 10);
    EXPECT_TRUE(own.windows[0].hidden) << "this process's own window";
    // A private window not yet sized withholds the frame.
    QJsonObject unsized = report();
    QJsonArray windows = unsized.value(QLatin1String("windows")).toArray();
    QJsonObject bank = windows[1].toObject();
    bank.insert(QLatin1String("frame"), QJsonObject());
    bank.insert(QLatin1String("buffer"), QJsonObject());
    windows[1] = bank;
    unsized.insert(QLatin1String("windows"), windows);
    EXPECT_EQ(GnomeWindowList::scene(unsized, {QStringLiteral("bank-app")}, 0).unplacedPrivateApp,
        QStringLiteral("bank-app"));
}

} // namespace
