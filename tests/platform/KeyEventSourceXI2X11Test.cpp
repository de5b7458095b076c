#include "Solitask/gate/TapDetector.h"
#include "Solitask/platform/ModifierFlags.h"
#include "Solitask/platform/linux/GlobalHotKeyX11.h"
#include "Solitask/platform/linux/KeyEventSourceXI2.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SystemClock.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

class KeyEventSourceXI2X11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(source.support().supported);
        source.startMonitoring();
    }

    /// A double-tap detector over the source, counting into `taps`.
    std::unique_ptr<TapDetector> detector(int &taps)
    {
        source.stopMonitoring();
        auto tapDetector = std::make_unique<TapDetector>(source, clock, scheduler);
        tapDetector->onDoubleTap = [&taps] { ++taps; };
        tapDetector->start();
        return tapDetector;
    }

    std::shared_ptr<X11Connection> connection = X11Connection::open();
    KeyEventSourceXI2 source {connection};
    SystemClock clock;
    QtScheduler scheduler;
};

TEST_F(KeyEventSourceXI2X11Test, AltPressAndReleaseAreModifierChanges)
{
    QSignalSpy flags(&source, &KeyEventSource::flagsChanged);
    QSignalSpy keys(&source, &KeyEventSource::keyDown);
    X11TestClient::xdotool({"key", "Alt_L"});
    ASSERT_TRUE(X11TestClient::waitFor([&] { return flags.count() >= 2; }));
    EXPECT_EQ(flags.at(0).at(0).value<std::uint32_t>(), ModifierFlags::option);
    EXPECT_EQ(flags.at(1).at(0).value<std::uint32_t>(), 0u);
    X11TestClient::xdotool({"key", "shift+a"});
    ASSERT_TRUE(X11TestClient::waitFor([&] { return keys.count() >= 1; }));
    EXPECT_EQ(flags.at(2).at(0).value<std::uint32_t>(), ModifierFlags::shift);
}

TEST_F(KeyEventSourceXI2X11Test, ReleaseWithoutPressAndLockKeysChangeNothing)
{
    QSignalSpy flags(&source, &KeyEventSource::flagsChanged);
    QSignalSpy keys(&source, &KeyEventSource::keyDown);
    X11TestClient::xdotool({"keyup", "Alt_L"});
    X11TestClient::xdotool({"key", "Caps_Lock", "Caps_Lock"});
    X11TestClient::settle(300);
    EXPECT_EQ(flags.count(), 0);
    EXPECT_EQ(keys.count(), 0);
}

TEST_F(KeyEventSourceXI2X11Test, NothingArrivesAfterStop)
{
    source.stopMonitoring();
    QSignalSpy flags(&source, &KeyEventSource::flagsChanged);
    X11TestClient::xdotool({"key", "Alt_L"});
    X11TestClient::settle(300);
    EXPECT_EQ(flags.count(), 0);
}

TEST_F(KeyEventSourceXI2X11Test, TwoQuickAltTapsAreOneDoubleTapAndAltTabIsNone)
{
    int doubleTaps = 0;
    const auto taps = detector(doubleTaps);
    ASSERT_TRUE(taps->armed());
    X11TestClient::xdotool({"key", "--delay", "120", "Alt_L", "Alt_L"});
    EXPECT_TRUE(X11TestClient::waitFor([&] { return doubleTaps == 1; }));
    X11TestClient::settle(600);
    X11TestClient::xdotool({"key", "--delay", "120", "alt+Tab", "alt+Tab"});
    X11TestClient::settle(600);
    EXPECT_EQ(doubleTaps, 1);
}

// The hot key's grab must not hide the modifiers' releases: Ctrl and Alt let
// go before O (or after it), then a double tap of Alt still counts.
TEST_F(KeyEventSourceXI2X11Test, DoubleTapStillWorksAfterTheHotKeyInEitherReleaseOrder)
{
    GlobalHotKeyX11 hotKey(X11Connection::open()); // as the application wires it
    ASSERT_GE(hotKey.registerHotKey(), 0);
    QSignalSpy summons(&hotKey, &GlobalHotKey::pressed);
    int doubleTaps = 0;
    const auto taps = detector(doubleTaps);
    const QList<QStringList> releaseOrders {
        {"keyup", "Control_L", "Alt_L", "o"}, {"keyup", "o", "Alt_L", "Control_L"}};
    for (const QStringList &release : releaseOrders) {
        const int before = doubleTaps;
        X11TestClient::xdotool({"keydown", "Control_L", "Alt_L", "o"});
        X11TestClient::xdotool(release);
        X11TestClient::settle(600);
        X11TestClient::xdotool({"key", "--delay", "120", "Alt_L", "Alt_L"});
        EXPECT_TRUE(X11TestClient::waitFor([&] { return doubleTaps == before + 1; }))
            << release.join(' ').toStdString();
        X11TestClient::settle(600);
    }
    EXPECT_EQ(summons.count(), 2);
}

} // namespace
