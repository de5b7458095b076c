#include "Solitask/gate/TapDetector.h"
#include "Solitask/platform/fake/KeyEventSourceFake.h"
#include "Solitask/session/VirtualClock.h"
#include "fakes/DiagCapture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace ModifierFlags;

class TapDetectorTest : public ::testing::Test
{
protected:
    TapDetectorTest()
    {
        detector.onDoubleTap = [this] { ++doubleTaps; };
        detector.start();
    }

    /// Plays keys written as words: d Option down (again: a repeat), s Option
    /// and Shift down, u all released, k another key, w0.2 wait 0.2 s.
    void play(const QString &script)
    {
        for (const QString &step : script.split(' ')) {
            if (step == "d")
                keys.flags(option);
            else if (step == "s")
                keys.flags(option | shift);
            else if (step == "u")
                keys.flags(0);
            else if (step == "k")
                keys.key();
            else
                clock.advance(step.mid(1).toDouble());
        }
    }
    int taps()
    {
        QCoreApplication::processEvents();
        return doubleTaps;
    }

    DiagCapture diag;
    VirtualClock clock;
    KeyEventSourceFake keys;
    TapDetector detector {keys, clock, clock};
    int doubleTaps = 0;
};

TEST_F(TapDetectorTest, CountsOnlyTwoShortTapsCloseTogether)
{
    const struct
    {
        const char *name;
        QString keys;
        int doubleTaps;
    } cases[] = {
        {"two quick taps", "d w.1 u w.2 d w.1 u", 1},
        {"the gap runs between releases, up to the limit", "d w.1 u w.25 d w.2 u", 1},
        {"a long hold is no tap", "d w.4 u w.1 d w.1 u", 0},
        {"a hold at the limit still counts", "d w.35 u w.05 d w.35 u", 1},
        {"a pair too slow", "d w.1 u w.5 d w.1 u", 0},
        {"a third tap in time after a slow pair", "d w.1 u w.5 d w.1 u w.3 d u", 1},
        {"a key while Option is down", "d w.1 u w.1 d k u d w.1 u", 0},
        {"Shift with Option", "d w.1 u w.1 d s d u d w.1 u", 0},
        {"a repeated down keeps the first down time", "d w.3 d w.1 u d w.1 u", 0},
        {"a release without a press", "u d w.1 u w.1 d w.1 u", 1},
    };
    for (const auto &c : cases) {
        doubleTaps = 0;
        clock.advance(10);
        play(c.keys);
        EXPECT_EQ(taps(), c.doubleTaps) << c.name;
    }
}

TEST_F(TapDetectorTest, TheDoubleTapIsPostedNotCalledInsideTheEvent)
{
    play("d w.1 u w.2 d w.1 u");
    EXPECT_EQ(doubleTaps, 0);
    EXPECT_EQ(taps(), 1);
    EXPECT_EQ(diag.count(QStringLiteral("double-tap ⌥ armed")), 1);
}

TEST_F(TapDetectorTest, StopForgetsThePendingTapAndStopsListening)
{
    play("d w.1 u w.1");
    detector.stop();
    EXPECT_FALSE(keys.isMonitoring());
    detector.start();
    play("d w.1 u");
    EXPECT_EQ(taps(), 0);
    detector.stop();
    play("d w.1 u w.1 d w.1 u");
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, WithoutPermissionItPollsEveryThreeSecondsAndArmsOnItsOwn)
{
    detector.stop();
    keys.setTrusted(false);
    detector.start();
    EXPECT_TRUE(detector.waitingForPermission());
    clock.advance(2.9);
    keys.setTrusted(true);
    EXPECT_FALSE(detector.armed());
    clock.advance(0.1);
    EXPECT_TRUE(detector.armed());
    EXPECT_FALSE(detector.waitingForPermission());
    play("d w.1 u w.1 d w.1 u");
    EXPECT_EQ(taps(), 1);
}

} // namespace
