// The strip's hover rules on a real X server with the pointer watch as their
// event source: the pointer is read only while it is in the band or the strip
// is open. The pointer and its events are real; the timers run on a virtual
// clock, so the delays are exact.
#include "Solitask/platform/linux/PointerWatchX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/session/VirtualClock.h"
#include "Solitask/strip/NotchGeometry.h"
#include "Solitask/strip/StripPanel.h"

#include <QCursor>
#include <gtest/gtest.h>

// Xlib's macros break Qt and GoogleTest headers: keep it last.
#include "platform/X11TestClient.h"

namespace {

class StripHoverX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection = X11Connection::open();
        ASSERT_TRUE(connection);
        watch = std::make_unique<PointerWatchX11>(connection);
        moveTo(away);
        X11TestClient::settle(100);
        panel = std::make_unique<StripPanel>(model,
            StripPanel::Environment {clock, clock, [] { return QCursor::pos(); },
                [] { return NotchGeometry::notchScreen(); }, [this] { return hoverOpens; }, false,
                watch.get()});
        panel->startHoverPoll();
    }

    static QPoint bandCentre()
    {
        return NotchGeometry::band(*NotchGeometry::notchScreen()).toAlignedRect().center();
    }
    static void moveTo(const QPoint &at)
    {
        X11TestClient::xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    }
    /// Puts the pointer in the band; true once the strip reads the pointer.
    bool enterBand()
    {
        moveTo(bandCentre());
        return X11TestClient::waitFor([this] { return panel->readingPointer(); });
    }
    bool watchMapped() const
    {
        XWindowAttributes attributes {};
        XGetWindowAttributes(client.display(), watch->window(), &attributes);
        return attributes.map_state != IsUnmapped;
    }
    bool expanded() const { return model.state().expanded; }

    const QPoint away {100, 700};
    X11TestClient client;
    std::shared_ptr<X11Connection> connection;
    std::unique_ptr<PointerWatchX11> watch;
    VirtualClock clock;
    StripModel model;
    bool hoverOpens = true;
    std::unique_ptr<StripPanel> panel;
};

TEST_F(StripHoverX11Test, RestingInTheBandOpensAfter150MillisecondsLeavingClosesAfterHalfASecond)
{
    clock.advance(60);
    EXPECT_FALSE(panel->readingPointer()) << "nothing reads the pointer while it is away";
    ASSERT_TRUE(enterBand());
    EXPECT_FALSE(watchMapped()) << "clicks in the band reach the windows below";
    clock.advance(0.125);
    EXPECT_FALSE(expanded());
    clock.advance(0.125);
    EXPECT_TRUE(expanded());
    moveTo(away);
    X11TestClient::settle(100);
    clock.advance(0.375);
    EXPECT_TRUE(expanded());
    clock.advance(0.25);
    EXPECT_FALSE(expanded());
    EXPECT_FALSE(panel->readingPointer());
    EXPECT_TRUE(watchMapped());
}

TEST_F(StripHoverX11Test, AWindowStackedOverTheBandDoesNotHideIt)
{
    client.window(QRect(0, 0, 1280, 200), 0x336699, "cover", 1);
    X11TestClient::settle();
    EXPECT_TRUE(enterBand());
}

TEST_F(StripHoverX11Test, ASummonClosesOnItsTimerWhileThePointerIsElsewhere)
{
    panel->setExpanded(true);
    panel->scheduleDismiss(12.0);
    clock.advance(11.9);
    EXPECT_TRUE(expanded());
    clock.advance(0.2);
    EXPECT_FALSE(expanded());
    EXPECT_FALSE(panel->readingPointer());
}

TEST_F(StripHoverX11Test, WithHoverOpeningOffTheBandIsNotWatched)
{
    hoverOpens = false;
    panel->dismiss();
    panel->startHoverPoll();
    moveTo(bandCentre());
    X11TestClient::settle();
    EXPECT_FALSE(panel->readingPointer());
    clock.advance(5);
    EXPECT_FALSE(expanded());
}

} // namespace
