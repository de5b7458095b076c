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

    /// Option down, held for `hold` seconds, released, then `after` seconds pass.
    void tap(double hold = 0.1, double after = 0)
    {
        keys.flags(option);
        clock.advance(hold);
        keys.flags(0);
        clock.advance(after);
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

TEST_F(TapDetectorTest, TwoQuickTapsGiveOneDoubleTapPostedLater)
{
    tap(0.1, 0.2);
    tap(0.1);
    EXPECT_EQ(doubleTaps, 0); // not inside the event that completed it
    EXPECT_EQ(taps(), 1);
    EXPECT_EQ(diag.count(QStringLiteral("double-tap ⌥ armed")), 1);
}

TEST_F(TapDetectorTest, GapIsMeasuredBetweenReleasesUpToTheLimit)
{
    tap(0.1, 0.25);
    tap(0.2); // 0.45 s between the releases
    EXPECT_EQ(taps(), 1);
}

TEST_F(TapDetectorTest, LongHoldIsNoTapSoTheNextTapIsOnlyAFirst)
{
    tap(0.4, 0.1);
    tap(0.1);
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, HoldAtTheLimitStillCounts)
{
    tap(0.35, 0.05);
    tap(0.35);
    EXPECT_EQ(taps(), 1);
}

TEST_F(TapDetectorTest, TooSlowPairThenAThirdTapInTime)
{
    tap(0.1, 0.5);
    tap(0.1, 0.3); // 0.6 s after the first release: a new first tap
    EXPECT_EQ(taps(), 0);
    tap(0.0);
    EXPECT_EQ(taps(), 1);
}

TEST_F(TapDetectorTest, KeyWhileOptionIsDownIsNoTapAndCancelsThePendingOne)
{
    tap(0.1, 0.1);
    keys.flags(option);
    keys.key(); // Option-Tab
    keys.flags(0);
    tap(0.1);
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, ShiftWithOptionCancelsThePendingTap)
{
    tap(0.1, 0.1);
    keys.flags(option);
    keys.flags(option | shift);
    keys.flags(option);
    keys.flags(0);
    tap(0.1);
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, RepeatedFlagsEventsKeepTheFirstDownTime)
{
    keys.flags(option);
    clock.advance(0.3);
    keys.flags(option); // a repeat must not restart the hold
    clock.advance(0.1);
    keys.flags(0);
    tap(0.1);
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, ReleaseWithoutPressIsIgnored)
{
    keys.flags(0);
    tap(0.1, 0.1);
    tap(0.1);
    EXPECT_EQ(taps(), 1);
}

TEST_F(TapDetectorTest, StopForgetsThePendingTapAndStopsListening)
{
    tap(0.1, 0.1);
    detector.stop();
    EXPECT_FALSE(keys.isMonitoring());
    detector.start();
    tap(0.1);
    EXPECT_EQ(taps(), 0);
    detector.stop();
    tap(0.1, 0.1);
    tap(0.1);
    EXPECT_EQ(taps(), 0);
}

TEST_F(TapDetectorTest, WithoutPermissionItPollsEveryThreeSecondsAndArmsOnItsOwn)
{
    detector.stop();
    keys.setTrusted(false);
    detector.start();
    EXPECT_FALSE(detector.armed());
    EXPECT_TRUE(detector.waitingForPermission());
    clock.advance(2.9);
    keys.setTrusted(true);
    EXPECT_FALSE(detector.armed());
    clock.advance(0.1);
    EXPECT_TRUE(detector.armed());
    EXPECT_FALSE(detector.waitingForPermission());
    tap(0.1, 0.1);
    tap(0.1);
    EXPECT_EQ(taps(), 1);
}

} // namespace
