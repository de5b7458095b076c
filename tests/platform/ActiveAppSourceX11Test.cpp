#include "Solitask/platform/linux/ActiveAppSourceX11.h"
#include "Solitask/platform/linux/IdleSensorX11.h"
#include "Solitask/platform/linux/PointerWatchX11.h"
#include "Solitask/platform/linux/WindowTitleSourceX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/witness/SwitchMeter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

class ActiveAppSourceX11Test : public ::testing::Test
{
protected:
    void activate(Window w)
    {
        ASSERT_TRUE(X11TestClient::xdotool({"windowactivate", "--sync", QString::number(w)}));
        ASSERT_TRUE(X11TestClient::waitFor([&] { return source.activeWindow() == w; }));
        X11TestClient::settle(100);
    }

    X11TestClient client;
    std::shared_ptr<X11Connection> connection = X11Connection::open();
    ActiveAppSourceX11 source {connection, {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}};
    WindowTitleSourceX11 titles {connection};
    X11Properties properties {*connection};
};

TEST_F(ActiveAppSourceX11Test, FrontmostAppAndTitleFollowFocusWithTheRightSwitchCount)
{
    const Window alpha = client.window(QRect(50, 50, 300, 200), 0x3366cc, "AlphaApp", 1111,
        QByteArray("Alpha — notes"));
    const Window beta = client.window(QRect(400, 50, 300, 200), 0xcc6633, "BetaApp", 2222,
        QByteArray("Beta board"));
    activate(alpha);
    SystemClock clock;
    SwitchMeter meter(source, QStringLiteral("solitask"), clock);
    QSignalSpy spy(&source, &ActiveAppSource::activated);
    activate(beta);
    EXPECT_EQ(source.frontmost()->bundleID, QStringLiteral("BetaApp"));
    EXPECT_EQ(source.frontmost()->pid, 2222);
    EXPECT_EQ(titles.windowTitle(2222), QStringLiteral("Beta board"));
    activate(alpha);
    EXPECT_EQ(source.frontmost()->name, QStringLiteral("AlphaApp"));
    EXPECT_EQ(titles.windowTitle(1111), QStringLiteral("Alpha — notes"));
    activate(beta);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(meter.snapshot(QDateTime::currentDateTimeUtc()).switches, 3);
    EXPECT_EQ(meter.snapshot(QDateTime::currentDateTimeUtc()).distinctApps, 2);
}

TEST_F(ActiveAppSourceX11Test, PassingThroughNoneIsNotASwitch)
{
    const Window alpha = client.window(QRect(50, 300, 200, 100), 0x3366cc, "AlphaApp", 1111);
    activate(alpha);
    QSignalSpy spy(&source, &ActiveAppSource::activated);
    const Window root = DefaultRootWindow(client.display());
    Window none = None;
    const Atom active = XInternAtom(client.display(), "_NET_ACTIVE_WINDOW", False);
    XChangeProperty(client.display(), root, active, XA_WINDOW, 32, PropModeReplace,
        reinterpret_cast<unsigned char *>(&none), 1);
    Window back = alpha;
    XChangeProperty(client.display(), root, active, XA_WINDOW, 32, PropModeReplace,
        reinterpret_cast<unsigned char *>(&back), 1);
    XSync(client.display(), False);
    X11TestClient::settle(300);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(ActiveAppSourceX11Test, TitlesFallBackToWmNameAndRejectInvalidUtf8)
{
    const Window latin = client.window(QRect(0, 0, 50, 50), 0, "T1", 0);
    client.setLatin1Name(latin, QByteArray("Caf\xe9"));
    EXPECT_EQ(properties.title(latin), QString::fromUtf8("Café"));

    const Window broken = client.window(QRect(0, 0, 50, 50), 0, "T2", 0);
    client.setProperty(broken, "_NET_WM_NAME", "UTF8_STRING", QByteArray("\xff\xfe bad"));
    EXPECT_TRUE(properties.title(broken).isEmpty());
    client.setLatin1Name(broken, QByteArray("plain"));
    EXPECT_EQ(properties.title(broken), QStringLiteral("plain"));

    const Window wrongType = client.window(QRect(0, 0, 50, 50), 0, "T3", 0);
    client.setCardinal(wrongType, "_NET_WM_NAME", 7);
    EXPECT_TRUE(properties.title(wrongType).isEmpty());
}

TEST_F(ActiveAppSourceX11Test, WindowGoneBetweenQueriesGivesEmptyAnswers)
{
    const Window gone = client.window(QRect(0, 0, 50, 50), 0, "Gone", 3333, QByteArray("x"));
    client.destroy(gone);
    EXPECT_TRUE(properties.title(gone).isEmpty());
    EXPECT_TRUE(properties.wmClass(gone).second.isEmpty());
    EXPECT_FALSE(properties.cardinal(gone, "_NET_WM_PID").has_value());
    EXPECT_TRUE(titles.windowTitle(3333).isEmpty());
    EXPECT_TRUE(connection->isAlive());
}

TEST_F(ActiveAppSourceX11Test, IdleGrowsAndResetsWithInput)
{
    IdleSensorX11 idle(connection);
    ASSERT_TRUE(idle.support().supported);
    X11TestClient::xdotool({"mousemove", "20", "20"});
    QThread::msleep(1200);
    EXPECT_GE(idle.idleSeconds(), 1.0);
    X11TestClient::xdotool({"mousemove", "40", "40"});
    EXPECT_LT(idle.idleSeconds(), 0.5);
}

// The hover band's watch hears of windows mapped over it through the same
// connection; a source made later must not take that away.
TEST(ActiveAppSourceX11Root, KeepsWhatOtherBackendsSelectedOnTheRoot)
{
    X11TestClient client;
    const auto connection = X11Connection::open();
    PointerWatchX11 watch(connection);
    watch.watch(QRect(0, 0, 100, 10), [] { });
    ActiveAppSourceX11 source {connection, {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}};
    XWindowAttributes attributes {};
    XGetWindowAttributes(connection->display(), connection->root(0), &attributes);
    EXPECT_TRUE(attributes.your_event_mask & SubstructureNotifyMask);
    EXPECT_TRUE(attributes.your_event_mask & PropertyChangeMask);
}

} // namespace
