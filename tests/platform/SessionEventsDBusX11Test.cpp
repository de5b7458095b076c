#include "Solitask/platform/linux/SessionEventsDBus.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

// Runs on the private bus the X11 harness starts (session and system address
// point at it); a second connection plays logind and the screen saver.
class SessionEventsDBusX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(emitter.isConnected()) << qPrintable(emitter.lastError().message());
        ASSERT_TRUE(emitter.registerService(QStringLiteral("org.freedesktop.login1")));
        ASSERT_TRUE(emitter.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        ASSERT_TRUE(emitter.registerService(QStringLiteral("org.gnome.ScreenSaver")));
        events = std::make_unique<SessionEventsDBus>(QDBusConnection::systemBus(),
            QDBusConnection::sessionBus(),
            SessionEventsDBus::ScreenState {[this] { return idle; }, [this] { return saverOn; }});
        X11TestClient::settle(200);
    }
    void TearDown() override
    {
        events.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("emitter"));
    }

    void send(const char *path, const char *interface, const char *name, bool value)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(path),
            QLatin1String(interface), QLatin1String(name));
        signal << value;
        ASSERT_TRUE(emitter.send(signal));
    }
    void sleepSignal(bool start)
    {
        send("/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep", start);
    }
    void saver(const char *service, bool active)
    {
        const QByteArray path = "/" + QByteArray(service).replace('.', '/');
        send(path.constData(), service, "ActiveChanged", active);
    }

    QDBusConnection emitter = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
        QStringLiteral("emitter"));
    std::unique_ptr<SessionEventsDBus> events;
    double idle = 1000;
    bool saverOn = false;
};

TEST_F(SessionEventsDBusX11Test, SleepAndWakeArriveAsTheirOwnSignals)
{
    QSignalSpy sleeps(events.get(), &SessionEvents::willSleep);
    QSignalSpy wakes(events.get(), &SessionEvents::didWake);
    sleepSignal(true);
    ASSERT_TRUE(X11TestClient::waitFor([&] { return sleeps.count() == 1; }));
    sleepSignal(false);
    ASSERT_TRUE(X11TestClient::waitFor([&] { return wakes.count() == 1; }));
    EXPECT_EQ(sleeps.count(), 1);
}

TEST_F(SessionEventsDBusX11Test, LockAndUnlockArriveAsTheirOwnSignals)
{
    QSignalSpy locks(events.get(), &SessionEvents::locked);
    QSignalSpy unlocks(events.get(), &SessionEvents::unlocked);
    EXPECT_FALSE(events->isScreenLocked());
    saver("org.freedesktop.ScreenSaver", true);
    ASSERT_TRUE(X11TestClient::waitFor([&] { return locks.count() == 1; }));
    EXPECT_TRUE(events->isScreenLocked());
    saver("org.freedesktop.ScreenSaver", false);
    ASSERT_TRUE(X11TestClient::waitFor([&] { return unlocks.count() == 1; }));
    EXPECT_FALSE(events->isScreenLocked());
}

TEST_F(SessionEventsDBusX11Test, ALockRequestHoldsUntilUnlockOrTheNextInput)
{
    const auto request = [&](const char *name) {
        ASSERT_TRUE(emitter.send(QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1/session/_31"),
            QStringLiteral("org.freedesktop.login1.Session"), QLatin1String(name))));
    };
    QSignalSpy locks(events.get(), &SessionEvents::locked);
    request("Lock");
    ASSERT_TRUE(X11TestClient::waitFor([&] { return locks.count() == 1; }));
    X11TestClient::settle(50);
    EXPECT_TRUE(events->isScreenLocked()); // no input since
    request("Unlock");
    EXPECT_TRUE(X11TestClient::waitFor([&] { return !events->isScreenLocked(); }));

    request("Lock");
    ASSERT_TRUE(X11TestClient::waitFor([&] { return locks.count() == 2; }));
    X11TestClient::settle(50);
    idle = 0; // the person touched a key after the request
    EXPECT_FALSE(events->isScreenLocked());
}

TEST_F(SessionEventsDBusX11Test, TheXScreenSaverCountsAsLocked)
{
    QSignalSpy locks(events.get(), &SessionEvents::locked);
    saverOn = true;
    EXPECT_TRUE(events->isScreenLocked());
    EXPECT_EQ(locks.count(), 1);
    saverOn = false;
    EXPECT_FALSE(events->isScreenLocked());
}

TEST_F(SessionEventsDBusX11Test, TwoSaversSayingLockedGiveOneLockUntilBothClear)
{
    QSignalSpy locks(events.get(), &SessionEvents::locked);
    QSignalSpy unlocks(events.get(), &SessionEvents::unlocked);
    saver("org.freedesktop.ScreenSaver", true);
    saver("org.gnome.ScreenSaver", true);
    X11TestClient::waitFor([&] { return false; }, 300);
    saver("org.gnome.ScreenSaver", false);
    X11TestClient::waitFor([&] { return false; }, 300);
    EXPECT_EQ(locks.count(), 1);
    EXPECT_EQ(unlocks.count(), 0);
    saver("org.freedesktop.ScreenSaver", false);
    EXPECT_TRUE(X11TestClient::waitFor([&] { return unlocks.count() == 1; }));
}

TEST_F(SessionEventsDBusX11Test, SignalFromAnUnrelatedSenderIsIgnored)
{
    QDBusConnection stranger = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
        QStringLiteral("stranger"));
    QSignalSpy sleeps(events.get(), &SessionEvents::willSleep);
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
    signal << true;
    stranger.send(signal);
    X11TestClient::settle(300);
    EXPECT_EQ(sleeps.count(), 0);
    QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
}

} // namespace
