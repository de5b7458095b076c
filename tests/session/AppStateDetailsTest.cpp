// Smaller promises of the session: snapshots, glyphs, settings, quiet edges.
#include "session/SessionHarness.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QString statePath(const SessionHarness &h)
{
    return QDir(h.root.path()).filePath("state.json");
}

} // namespace

TEST(AppStateDetails, SnapshotIsWrittenOnlyWithDiagSetToOne)
{
    for (const char *value : {"", "0", "1"}) {
        qputenv("SOLITASK_DIAG", value);
        SessionHarness h;
        h.declare();
        h.clock.advance(60);
        EXPECT_EQ(QFile::exists(statePath(h)), QByteArray(value) == "1") << value;
        if (QByteArray(value) != "1")
            continue;
        QFile file(statePath(h));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonObject snapshot = QJsonDocument::fromJson(file.readAll()).object();
        EXPECT_EQ(snapshot.value("mode").toString(), "committed");
        EXPECT_EQ(snapshot.value("pendingFrames").toInt(), 1);
    }
    qunsetenv("SOLITASK_DIAG");
}

TEST(AppStateDetails, InsistOffReshowsTheGateCompactAndInsistOnWaitsForTheNextShowing)
{
    SessionHarness h;
    h.state->boot();
    ASSERT_TRUE(h.gate.insist());
    Prefs::setValue(Prefs::Key::insist, false);
    Prefs::setValue(Prefs::Key::doubleTapOption, false);
    h.state->settingsChanged();
    EXPECT_FALSE(h.gate.insist());
    EXPECT_EQ(h.gate.face(), GateFace::question());
    EXPECT_FALSE(h.tapDetector.running);
    EXPECT_TRUE(h.hotKeys.running);

    Prefs::setValue(Prefs::Key::insist, true);
    h.state->settingsChanged();
    EXPECT_FALSE(h.gate.insist()) << "no full-screen gate over the settings window";
    EXPECT_TRUE(h.gate.isShowing());
}

TEST(AppStateDetails, EqualQuietStartAndEndLeaveOnlyWeekendsQuiet)
{
    SessionHarness h(march(2, 21, 0));
    Prefs::setValue(Prefs::Key::quietStartMinutes, 600);
    Prefs::setValue(Prefs::Key::quietEndMinutes, 600);
    Prefs::setValue(Prefs::Key::quietWeekends, false);
    h.state->boot();
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.clock.pendingTimers(), 1) << "only the tick: no quiet boundary within a week";
}

TEST(AppStateDetails, OutOfRangeQuietStartNeitherCrashesNorSchedulesInThePast)
{
    SessionHarness h;
    Prefs::setValue(Prefs::Key::quietStartMinutes, 5000);
    h.state->boot();
    h.gate.callbacks().onOffDuty(std::nullopt, "rest of day");
    ASSERT_TRUE(h.state->mode().until.has_value());
    EXPECT_GT(*h.state->mode().until, h.clock.now());
    h.clock.advance(3 * 24 * 3600);
    EXPECT_FALSE(h.state->mode().is(AppMode::Kind::offDuty));
}

TEST(AppStateDetails, BailRecordsAndEndsTheProcess)
{
    SessionHarness h;
    h.state->boot();
    h.gate.callbacks().onBail();
    EXPECT_TRUE(h.terminated);
    EXPECT_EQ(h.store.log(h.clock.now()).bails.size(), 1);
    EXPECT_FALSE(h.gate.isShowing());
}

TEST(AppStateDetails, DoneSummaryInQuietHoursEndsInQuietMode)
{
    SessionHarness h(march(2, 19, 59));
    h.declare();
    h.clock.advance(59);
    h.clock.jump(2); // past 20:00 before the boundary timer fires
    h.strip->actions().onDone();
    ASSERT_TRUE(h.strip_().doneSummary.has_value());
    h.clock.advance(2.6);
    EXPECT_EQ(h.state->mode(), AppMode::quiet());
}

TEST(AppStateDetails, FrameLocationsStayInsideTheFramesFolder)
{
    SessionHarness h;
    FrameMeta frame;
    frame.file = "../days/x.json";
    EXPECT_FALSE(h.state->frameURL(frame).has_value());
    frame.file = "missing.jpg";
    EXPECT_FALSE(h.state->frameURL(frame).has_value());
    QFile file(QDir(h.witness.framesDir()).filePath("here.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    frame.file = "here.jpg";
    EXPECT_EQ(h.state->frameURL(frame), file.fileName());
}
