#include "Solitask/platform/linux/RunningAppsSourceX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

class RunningAppsSourceX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Desktop entries are found through XDG_DATA_HOME when the source is made.
        QDir(data.path()).mkpath(QStringLiteral("applications"));
        QFile entry(data.filePath(QStringLiteral("applications/org.example.Notes.desktop")));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nName=Field Notes\n");
        entry.close();
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        source = std::make_unique<RunningAppsSourceX11>(connection,
            RunningApp {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0});
    }

    /// Waits until the window manager lists every window in `windows`.
    bool managed(const QList<Window> &windows)
    {
        return X11TestClient::waitFor([&] {
            const QList<unsigned long> listed = properties.windows(root(), "_NET_CLIENT_LIST");
            return std::all_of(windows.cbegin(), windows.cend(),
                [&](Window w) { return listed.contains(w); });
        });
    }
    unsigned long root() const { return DefaultRootWindow(client.display()); }
    void setAtom(Window w, const char *property, const char *value)
    {
        Atom atom = XInternAtom(client.display(), value, False);
        XChangeProperty(client.display(), w, XInternAtom(client.display(), property, False),
            XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char *>(&atom), 1);
        XSync(client.display(), False);
    }
    QStringList ids()
    {
        QStringList result;
        for (const RunningApp &app : source->runningApps())
            result << app.bundleID;
        result.sort();
        return result;
    }

    QTemporaryDir data;
    X11TestClient client;
    std::shared_ptr<X11Connection> connection = X11Connection::open();
    X11Properties properties {*connection};
    std::unique_ptr<RunningAppsSourceX11> source;
};

TEST_F(RunningAppsSourceX11Test, EachApplicationOnceNamedByItsDesktopEntry)
{
    const Window first = client.window(QRect(10, 10, 100, 80), 0x3366cc, "EditorApp", 4001);
    const Window second = client.window(QRect(130, 10, 100, 80), 0x3366cc, "EditorApp", 4001);
    const Window notes = client.window(QRect(250, 10, 100, 80), 0xcc6633, "notes-bin", 4002);
    client.setProperty(notes, "_GTK_APPLICATION_ID", "UTF8_STRING", "org.example.Notes");
    ASSERT_TRUE(managed({first, second, notes}));
    ASSERT_TRUE(source->support().supported);

    const QList<RunningApp> apps = source->runningApps();
    EXPECT_EQ(ids(), QStringList({"EditorApp", "org.example.Notes"}));
    for (const RunningApp &app : apps) {
        if (app.bundleID == QLatin1String("org.example.Notes")) {
            EXPECT_EQ(app.name, QStringLiteral("Field Notes"));
            EXPECT_EQ(app.pid, 4002);
        } else {
            EXPECT_EQ(app.name, QStringLiteral("EditorApp")); // no entry: the window class
        }
    }
}

TEST_F(RunningAppsSourceX11Test, OwnWindowsPanelsAndWindowsWithoutClassAreLeftOut)
{
    const long ownPid = long(QCoreApplication::applicationPid());
    const Window ownByPid = client.window(QRect(10, 120, 80, 60), 0, "SolitaskStrip", ownPid);
    const Window ownByClass = client.window(QRect(100, 120, 80, 60), 0, "solitask", 4100);
    const Window nameless = client.window(QRect(190, 120, 80, 60), 0, "", 4101);
    const Window panel = client.window(QRect(280, 120, 80, 60), 0, "PanelApp", 4102);
    setAtom(panel, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK");
    const Window regular = client.window(QRect(370, 120, 80, 60), 0, "ViewerApp", 4103);
    ASSERT_TRUE(managed({ownByPid, ownByClass, nameless, regular}));

    EXPECT_EQ(ids(), QStringList({"ViewerApp"}));
}

TEST_F(RunningAppsSourceX11Test, VanishedWindowsInTheListGiveAShorterListNotACrash)
{
    const Window kept = client.window(QRect(10, 220, 80, 60), 0, "KeptApp", 4200);
    ASSERT_TRUE(managed({kept}));
    // The list as a window manager may still publish it just after a window
    // died: one window that did exist, and one that never did.
    Window gone = XCreateSimpleWindow(client.display(), root(), 0, 0, 10, 10, 0, 0, 0);
    XClassHint hint {const_cast<char *>("GoneApp"), const_cast<char *>("GoneApp")};
    XSetClassHint(client.display(), gone, &hint);
    client.destroy(gone);
    QList<long> stale {long(kept), long(gone), 0x7ffffff};
    XChangeProperty(client.display(), root(), XInternAtom(client.display(), "_NET_CLIENT_LIST", False),
        XA_WINDOW, 32, PropModeReplace, reinterpret_cast<unsigned char *>(stale.data()),
        int(stale.size()));
    XSync(client.display(), False);

    EXPECT_EQ(ids(), QStringList({"KeptApp"}));
    EXPECT_TRUE(connection->isAlive());
    EXPECT_TRUE(source->support().supported);
}

} // namespace
