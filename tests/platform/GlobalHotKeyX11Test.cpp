#include "Solitask/gate/HotKeys.h"
#include "Solitask/platform/linux/GlobalHotKeyX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "fakes/DiagCapture.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

class GlobalHotKeyX11Test : public ::testing::Test
{
protected:
    bool pressAndWait(QSignalSpy &spy)
    {
        const qsizetype before = spy.count();
        X11TestClient::xdotool({"key", "ctrl+alt+o"});
        return X11TestClient::waitFor([&] { return spy.count() > before; });
    }

    std::shared_ptr<X11Connection> connection = X11Connection::open();
    GlobalHotKeyX11 key {connection};
};

TEST_F(GlobalHotKeyX11Test, PressArrivesAlsoWithNumLockAndCapsLockOn)
{
    ASSERT_EQ(key.registerHotKey(), 0);
    QSignalSpy spy(&key, &GlobalHotKey::pressed);
    EXPECT_TRUE(pressAndWait(spy));
    X11TestClient::xdotool({"key", "Num_Lock", "Caps_Lock"});
    EXPECT_TRUE(pressAndWait(spy));
    X11TestClient::xdotool({"key", "Num_Lock", "Caps_Lock"});
    X11TestClient::xdotool({"key", "ctrl+o"});
    X11TestClient::settle(200);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(GlobalHotKeyX11Test, RegisteringTwiceKeepsOnePressPerPress)
{
    HotKeys hotKeys(key);
    int summons = 0;
    hotKeys.onSummon = [&] { ++summons; };
    hotKeys.registerKey();
    hotKeys.registerKey();
    ASSERT_TRUE(hotKeys.registered());
    X11TestClient::xdotool({"key", "ctrl+alt+o"});
    EXPECT_TRUE(X11TestClient::waitFor([&] { return summons > 0; }));
    X11TestClient::settle(200);
    EXPECT_EQ(summons, 1);
}

TEST_F(GlobalHotKeyX11Test, KeyHeldByAnotherProgramIsReportedNotTaken)
{
    DiagCapture diag;
    X11TestClient other;
    const KeyCode o = XKeysymToKeycode(other.display(), XK_o);
    XGrabKey(other.display(), o, ControlMask | Mod1Mask, DefaultRootWindow(other.display()), False,
        GrabModeAsync, GrabModeAsync);
    XSync(other.display(), False);
    HotKeys hotKeys(key);
    hotKeys.registerKey();
    EXPECT_FALSE(hotKeys.registered());
    EXPECT_EQ(hotKeys.lastStatus(), BadAccess);
    EXPECT_EQ(diag.count(QStringLiteral("hotkey registration failed (10)")), 1);
    EXPECT_TRUE(connection->isAlive());
}

} // namespace
