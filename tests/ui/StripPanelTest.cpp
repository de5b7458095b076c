#include "Solitask/strip/StripPanel.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/session/VirtualClock.h"
#include "Solitask/strip/NotchGeometry.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/strip/StripHover.h"
#include "Solitask/strip/StripWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace {

NotchScreen screen1280()
{
    NotchScreen s;
    s.frame = QRect(0, 0, 1280, 800);
    s.menuBarThickness = 24;
    return s;
}

// Linux screens have no notch: the band and the panel hang from the top centre.
TEST(NotchGeometryTest, TheBandAndThePanelHangFromTheTopCentreOfTheScreen)
{
    NotchScreen s = screen1280();
    EXPECT_EQ(NotchGeometry::band(s), QRectF(535, 0, 210, 26));
    EXPECT_EQ(NotchGeometry::topGap(s), 0) << "no panel at the top: no empty band";
    s.menuBarThickness = s.topPanel = 32;
    s.frame = QRect(1280, 100, 1024, 768);
    EXPECT_EQ(NotchGeometry::band(s), QRectF(1687, 100, 210, 34));
    EXPECT_EQ(NotchGeometry::topGap(s), 32);
    EXPECT_EQ(NotchGeometry::topGap(std::nullopt), 37);
    EXPECT_EQ(NotchGeometry::panelFrame(s, QSize(100, 50), false), QRect(1742, 100, 100, 50));
    EXPECT_EQ(NotchGeometry::panelFrame(std::nullopt, QSize(100, 50), false), QRect(0, 0, 100, 50));
    EXPECT_EQ(NotchGeometry::clampedContentSize(QSizeF(-1, 19.2)), QSize(60, 20));
    EXPECT_EQ(NotchGeometry::clampedContentSize(QSizeF(100.1, 40.5)), QSize(101, 41));
}

TEST(StripHoverTest, OpensOnRestingInTheBandAndClosesHalfASecondAfterLeavingTheStrip)
{
    using A = StripHover::Action;
    const QPointF band {640, 5}, near {640, 100}, edge {380, 310}, away {100, 700};
    // A poll every 125 ms from `ms` to `until` finds the pointer `at` and answers `action`.
    struct Step
    {
        qint64 ms;
        QPointF at;
        A action;
        qint64 until = 0;
    };
    const struct
    {
        const char *name;
        bool expanded, hoverOpens, holdOpen;
        QList<Step> steps;
    } cases[] = {
        {"resting in the band opens after 150 ms", false, true, false,
            {{0, band, A::none, 125}, {250, band, A::open}}},
        {"crossing the band quickly does not open", false, true, false,
            {{0, band, A::none}, {125, away, A::none}, {250, band, A::none, 375},
                {400, band, A::open}}},
        {"hover opening turned off", false, false, false, {{0, band, A::none, 2000}}},
        {"leaving still closes with hover opening off", true, false, false,
            {{2900, near, A::none}, {3000, away, A::none, 3375}, {3500, away, A::collapse}}},
        {"opened elsewhere: left to its timer until the pointer came", true, true, false,
            {{0, away, A::none, 29875}, {30000, near, A::none}, {30100, away, A::none},
                {30600, away, A::collapse}}},
        {"near the open strip or in the band keeps it open", true, true, false,
            {{0, near, A::none}, {400, edge, A::none}, {900, band, A::none}, {1000, away, A::none},
                {1499, away, A::none}, {1500, away, A::collapse}}},
        {"held open never closes on leaving", true, true, true, {{0, away, A::none, 59875}}},
    };
    for (const auto &c : cases) {
        StripHover hover;
        StripHover::Poll poll {0, {}, QRectF(535, 0, 210, 26), QRectF(392, 0, 496, 300)};
        poll.expanded = c.expanded;
        poll.hoverOpens = c.hoverOpens;
        poll.holdOpen = c.holdOpen;
        for (const Step &step : c.steps) {
            for (qint64 ms = step.ms; ms <= std::max(step.ms, step.until); ms += 125) {
                poll.nowMs = ms;
                poll.pointer = step.at;
                ASSERT_EQ(hover.poll(poll), step.action) << c.name << " at " << ms << " ms";
            }
        }
    }
}

/// Counts how often a window is shown.
class ShowCounter : public QObject
{
public:
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

class StripPanelTest : public ::testing::Test
{
protected:
    StripPanelTest() { makePanel(false); }

    void makePanel(bool dryRun, bool withScreen = true)
    {
        panel.reset();
        panel = std::make_unique<StripPanel>(model,
            StripPanel::Environment {clock, clock, [this] { return pointer; },
                [this, withScreen] { return withScreen ? std::optional(screen) : std::nullopt; },
                [this] { return hoverOpens; }, dryRun, nullptr});
        panel->window().installEventFilter(&counter);
    }

    bool expanded() const { return model.state().expanded; }

    VirtualClock clock;
    StripModel model;
    NotchScreen screen = screen1280();
    QPoint pointer {100, 700};
    bool hoverOpens = true;
    ShowCounter counter;
    std::unique_ptr<StripPanel> panel;
};

TEST_F(StripPanelTest, OpeningTwiceOrdersFrontOnceAndOnlyTheOpenStripTakesClicks)
{
    EXPECT_TRUE(panel->window().clickThrough());
    panel->setExpanded(true);
    panel->setExpanded(true);
    EXPECT_EQ(counter.shows, 1);
    EXPECT_TRUE(expanded());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->window().clickThrough());
    const QSize content = panel->view().sizeHint();
    EXPECT_EQ(panel->frame(), QRect(QPoint(640 - content.width() / 2, 0), content))
        << "fits its content, hanging from the top centre";
    panel->setExpanded(false);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->window().clickThrough());
}

TEST_F(StripPanelTest, NeverTakesFocusAndStaysOutOfTheWindowManagersHands)
{
    const Qt::WindowFlags flags = panel->window().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(panel->window().testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST_F(StripPanelTest, RelayoutCoalescesBurstsIntoOneFitThatSettles)
{
    panel->setExpanded(true);
    clock.advance(1);
    const int before = panel->frame().height();
    const int timers = clock.pendingTimers();
    model.set(&StripState::face, StripFace::committed);
    model.set(&StripState::nudge, std::optional<QString>("A longer strip now."));
    for (int i = 0; i < 5; ++i)
        panel->relayout();
    EXPECT_EQ(clock.pendingTimers(), timers + 1);
    QCoreApplication::processEvents();
    clock.advance(0.03 + 0.22);
    EXPECT_EQ(panel->frame().size(), panel->view().sizeHint());
    EXPECT_NE(panel->frame().height(), before);
    EXPECT_FALSE(panel->window().animating());
}

TEST_F(StripPanelTest, TransientCloseIsPostponedWhilePointerIsNear)
{
    panel->presentTransient(20.0);
    EXPECT_TRUE(panel->hoverPolling());
    pointer = QPoint(panel->frame().right() - 5, panel->frame().bottom() + 10);
    clock.advance(20);
    EXPECT_TRUE(expanded());
    clock.advance(5);
    EXPECT_TRUE(expanded());
    pointer = QPoint(100, 700);
    clock.advance(5);
    EXPECT_FALSE(expanded());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->hoverPolling());
}

TEST_F(StripPanelTest, HeldNudgeStaysOpenUntilCollapsed)
{
    panel->presentTransient(std::nullopt);
    EXPECT_TRUE(panel->holdOpen());
    EXPECT_FALSE(panel->dismissPending());
    clock.advance(600);
    EXPECT_TRUE(expanded());
    panel->collapse();
    EXPECT_FALSE(expanded());
    EXPECT_FALSE(panel->holdOpen());
}

TEST_F(StripPanelTest, DismissStopsHoverPollingAndCancelsTheClose)
{
    panel->presentTransient(12.0);
    panel->dismiss();
    EXPECT_FALSE(panel->hoverPolling());
    EXPECT_FALSE(panel->dismissPending());
    pointer = QPoint(640, 5);
    clock.advance(5);
    EXPECT_FALSE(expanded());
}

TEST_F(StripPanelTest, InADryRunOrWithoutAScreenThePanelIgnoresThePointer)
{
    for (const auto &[dryRun, withScreen, corner] :
        {std::tuple {true, true, QPoint(-6000, -6000)}, std::tuple {false, false, QPoint(0, 0)}}) {
        makePanel(dryRun, withScreen);
        panel->setExpanded(true);
        EXPECT_EQ(panel->frame().topLeft(), corner) << dryRun;
        panel->collapse();
        panel->startHoverPoll();
        pointer = QPoint(640, 5);
        clock.advance(5);
        EXPECT_FALSE(expanded()) << dryRun;
    }
}

TEST_F(StripPanelTest, NoTimerOutlivesThePanel)
{
    panel->presentTransient(20.0);
    panel->relayout();
    panel.reset();
    EXPECT_EQ(clock.pendingTimers(), 0);
    clock.advance(60);
}

} // namespace
