#include "Solitask/session/VirtualClock.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/TimerSlot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const QDateTime kStart = QDateTime::fromSecsSinceEpoch(1767258000); // 2026-01-01 09:00 UTC

} // namespace

TEST(VirtualClock, FiresDueTimersInOrderAtTheirMoment)
{
    VirtualClock clock(kStart);
    std::vector<std::pair<int, qint64>> fired;
    auto record = [&](int tag) {
        return [&, tag] { fired.push_back({tag, kStart.secsTo(clock.now())}); };
    };
    clock.once(90, record(2));
    clock.once(30, record(1));
    clock.once(90, record(3)); // same moment: scheduling order
    clock.once(91, record(4));
    clock.advance(90);
    EXPECT_EQ(fired, (std::vector<std::pair<int, qint64>> {{1, 30}, {2, 90}, {3, 90}}));
    EXPECT_EQ(kStart.secsTo(clock.now()), 90);
    clock.advance(1);
    EXPECT_EQ(fired.size(), 4u);
    EXPECT_EQ(clock.pendingTimers(), 0);
}

TEST(VirtualClock, RepeatingTimersInterleaveAndActionsMayCancelAndSchedule)
{
    VirtualClock clock(kStart);
    std::vector<int> order;
    TimerId repeat = clock.repeating(30, [&] { order.push_back(0); });
    clock.once(45, [&] { order.push_back(1); });
    clock.once(75, [&] { clock.cancel(repeat); });
    clock.once(5, [&] { clock.once(5, [&] { order.push_back(2); }); });
    clock.advance(3600);
    EXPECT_EQ(order, (std::vector<int> {2, 0, 1, 0}));
}

TEST(VirtualClock, JumpMovesTheWallClockButNotTimers)
{
    VirtualClock clock(kStart);
    bool fired = false;
    clock.once(60, [&] { fired = true; });
    clock.jump(3600);
    EXPECT_FALSE(fired);
    EXPECT_EQ(kStart.secsTo(clock.now()), 3600);
    clock.jump(-7200);
    EXPECT_EQ(kStart.secsTo(clock.now()), -3600);
    clock.advance(60);
    EXPECT_TRUE(fired);
}

TEST(VirtualClock, OddDelaysNeverScheduleInThePast)
{
    VirtualClock clock(kStart);
    int fired = 0;
    clock.once(-5, [&] { ++fired; });
    clock.once(std::numeric_limits<double>::quiet_NaN(), [&] { ++fired; });
    clock.repeating(0, [&] { ++fired; });
    clock.advance(-10);
    EXPECT_EQ(kStart.secsTo(clock.now()), 0);
    EXPECT_EQ(fired, 2); // both one-shots are due at once
    clock.advance(0.001);
    EXPECT_EQ(fired, 3); // the repeating one every millisecond
}

TEST(TimerSlot, ReplacingCancelsAOneShotMayRescheduleItselfAndDestructionCancels)
{
    VirtualClock clock(kStart);
    std::vector<int> fired;
    {
        TimerSlot slot(clock);
        slot.once(10, [&] { fired.push_back(1); });
        std::function<void()> again = [&] {
            fired.push_back(2);
            slot.once(10, again);
        };
        slot.once(20, again);
        EXPECT_EQ(clock.pendingTimers(), 1);
        clock.advance(45);
        EXPECT_TRUE(slot.isActive());
    }
    EXPECT_EQ(fired, (std::vector<int> {2, 2, 2}));
    EXPECT_EQ(clock.pendingTimers(), 0);
}

TEST(QtScheduler, RunsOneShotsOnTheEventLoopAndHonoursCancel)
{
    QtScheduler scheduler;
    bool fired = false;
    bool cancelled = false;
    int repeats = 0;
    TimerId dead = scheduler.once(0.01, [&] { cancelled = true; });
    scheduler.cancel(dead);
    scheduler.once(0.02, [&] { fired = true; });
    std::unique_ptr<TimerId> repeat = std::make_unique<TimerId>();
    *repeat = scheduler.repeating(0.005, [&] {
        if (++repeats == 3)
            scheduler.cancel(*repeat); // cancelling from inside its own callback
    });
    QElapsedTimer elapsed;
    elapsed.start();
    while ((!fired || repeats < 3) && elapsed.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fired);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(repeats, 3);
}
