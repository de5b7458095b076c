#include "Solitask/platform/kde/KWinWindowReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QJsonObject window(const char *caption, const char *cls, const char *desktopFile, int pid,
    QRect frame, QJsonObject extra = {})
{
    QJsonObject w {{"caption", caption}, {"resourceClass", cls}, {"desktopFileName", desktopFile},
        {"pid", pid}, {"x", frame.x()}, {"y", frame.y()}, {"width", frame.width()},
        {"height", frame.height()}, {"normal", true}, {"desktop", 1}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        w.insert(it.key(), it.value());
    return w;
}

QByteArray report(const QJsonArray &windows)
{
    return QJsonDocument(
        QJsonObject {{"currentDesktop", 1},
            {"area", QJsonObject {{"x", 0}, {"y", 0}, {"width", 1280}, {"height", 800}}},
            {"windows", windows}})
        .toJson();
}

TEST(KWinWindowReportTest, RejectsWhatIsNotAReport)
{
    for (const char *json : {"", "[]", "{}", "{\"windows\": 3}", "not json"})
        EXPECT_FALSE(KWinWindowReport::parse(json)) << json;
    EXPECT_TRUE(KWinWindowReport::parse(report({})));
}

TEST(KWinWindowReportTest, NamesAppsByDesktopFileElseClassAndFindsTheActiveOne)
{
    const auto r = KWinWindowReport::parse(report({
        window("Editor", "org.kde.kate", "org.kde.kate", 10, {0, 0, 10, 10}),
        window(
            "X title", "xterm", "", 11, {0, 0, 10, 10}, {{"active", true}, {"x11Window", 4194311}}),
        window(
            "Panel", "plasmashell", "org.kde.plasmashell", 12, {0, 0, 10, 10}, {{"normal", false}}),
    }));
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->focused());
    EXPECT_EQ(r->focused()->app.bundleID, QStringLiteral("xterm"));
    EXPECT_EQ(r->focused()->app.pid, 11);
    EXPECT_EQ(r->focused()->title, QStringLiteral("X title"));
    EXPECT_EQ(r->stack.at(0).x11Window, 0u);
    EXPECT_EQ(r->stack.at(1).x11Window, 4194311u);
    QStringList ids;
    for (const WaylandWindow &w : r->appWindows())
        ids << w.app.bundleID;
    EXPECT_EQ(ids, QStringList({"org.kde.kate", "xterm"}));
}

TEST(KWinWindowReportTest, SceneHidesPrivateAndOwnWindowsAndLeavesOutUnshownOnes)
{
    const QRect frame(10, 20, 30, 40);
    const struct
    {
        const char *name;
        QJsonObject window;
        bool inScene, hidden, opaque;
    } cases[] = {
        {"ordinary", window("a", "app", "org.app", 5, frame), true, false, true},
        {"private by desktop file", window("a", "x", "org.secret", 5, frame), true, true, true},
        {"private by class in another case", window("a", "keepassxc", "", 5, frame), true, true,
            true},
        {"our own", window("a", "solitask", "", 99, frame), true, true, true},
        {"translucent", window("a", "app", "", 5, frame, {{"opacity", 0.8}}), true, false, false},
        {"minimised", window("a", "app", "", 5, frame, {{"minimized", true}}), false, false, true},
        {"hidden", window("a", "app", "", 5, frame, {{"hidden", true}}), false, false, true},
        {"other desktop", window("a", "app", "", 5, frame, {{"desktop", 2}}), false, false, true},
        {"on all desktops",
            window("a", "app", "", 5, frame, {{"desktop", -1}, {"onAllDesktops", true}}), true,
            false, true},
        {"no size", window("a", "app", "", 5, QRect(10, 20, 0, 0)), false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = KWinWindowReport::parse(report({c.window}));
        ASSERT_TRUE(r);
        const WaylandScene scene
            = r->scene({QStringLiteral("org.secret"), QStringLiteral("KeePassXC")}, 99);
        EXPECT_EQ(scene.outputRect, QRect(0, 0, 1280, 800));
        ASSERT_EQ(scene.windows.size(), c.inScene ? 1 : 0);
        if (!c.inScene)
            continue;
        EXPECT_EQ(scene.windows.first().frame, frame);
        EXPECT_EQ(scene.windows.first().hidden, c.hidden);
        EXPECT_EQ(scene.windows.first().opaque, c.opaque);
    }
}

} // namespace
