#include "Solitask/witness/SwitchMeter.h"
#include "Solitask/platform/fake/ActiveAppSourceFake.h"
#include "Solitask/session/VirtualClock.h"

#include <gtest/gtest.h>

namespace {

const RunningApp appA {QStringLiteral("Xcode"), QStringLiteral("com.apple.dt.Xcode"), 1};
const RunningApp appB {QStringLiteral("Safari"), QStringLiteral("com.apple.Safari"), 2};
const RunningApp own {QStringLiteral("Solitask"), QStringLiteral("solitask"), 3};

class SwitchMeterTest : public ::testing::Test
{
protected:
    SwitchMeterTest() { source.setFrontmost(appA); }

    SwitchMeter::Snapshot snapshot() { return meter().snapshot(clock.now()); }
    SwitchMeter &meter()
    {
        if (!m_meter)
            m_meter = std::make_unique<SwitchMeter>(source, own.bundleID, clock);
        return *m_meter;
    }

    VirtualClock clock;
    ActiveAppSourceFake source;

private:
    std::unique_ptr<SwitchMeter> m_meter;
};

// Its own window keeps the previous app's interval running; the same app twice is no switch.
TEST_F(SwitchMeterTest, OwnAppAndRepeatsAreNoSwitchesAndDwellIsLongestFirst)
{
    meter();
    clock.advance(10);
    source.activate(appA);
    clock.advance(10);
    source.activate(own);
    clock.advance(10);
    EXPECT_EQ(snapshot().switches, 0);
    source.activate(appB);
    clock.advance(100.9);
    const auto counts = snapshot();
    EXPECT_EQ(counts.switches, 1);
    EXPECT_EQ(counts.distinctApps, 2);
    ASSERT_EQ(counts.dwell.size(), 2);
    EXPECT_EQ(counts.dwell[0].app, QStringLiteral("Safari"));
    EXPECT_EQ(counts.dwell[0].seconds, 100) << "whole seconds, toward zero";
    EXPECT_EQ(counts.dwell[1].seconds, 30);
    EXPECT_EQ(snapshot().dwell, counts.dwell);
    EXPECT_EQ(meter().dwell().size(), 1) << "a snapshot does not close the running interval";
    source.activate(appA);
    EXPECT_EQ(snapshot().switches, 2);
}

TEST_F(SwitchMeterTest, RestartWithOwnAppInFrontStartsEmpty)
{
    meter();
    source.activate(appB);
    source.setFrontmost(own);
    meter().restart();
    const auto counts = snapshot();
    EXPECT_EQ(counts.switches, 0);
    EXPECT_EQ(counts.distinctApps, 0);
    EXPECT_TRUE(counts.dwell.isEmpty());
    source.activate(appA); // the first activation after that only starts an interval
    EXPECT_EQ(snapshot().switches, 0);
}

TEST_F(SwitchMeterTest, ClockSetBackNeverGivesNegativeDwell)
{
    meter();
    clock.jump(-120);
    source.activate(appB);
    EXPECT_EQ(snapshot().dwell.back().seconds, 0);
}

TEST(SwitchMeterNames, NameThenIdThenApp)
{
    EXPECT_EQ(SwitchMeter::nameOf({QStringLiteral("N"), QStringLiteral("id"), 0}), "N");
    EXPECT_EQ(SwitchMeter::nameOf({QString(), QStringLiteral("id"), 0}), "id");
    EXPECT_EQ(SwitchMeter::nameOf({}), "app");
}

} // namespace
