// The real binary killed and restarted mid-solitask: every frame it took is
// found again, and the resume face counts the absence from the last frame.
#include "support/AppProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>

namespace {

/// Capture attempts logged so far, taken or skipped.
int framesLogged(const AppProcess &app)
{
    return int(app.diag().count(QRegularExpression("frame (captured|skipped): ")));
}

bool waitForFrames(const AppProcess &app, int count, int ms)
{
    QDeadlineTimer deadline(ms);
    while (framesLogged(app) < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(200);
    }
    return true;
}

/// Frames of the period under way as kept on disk.
int framesOnDisk(const AppProcess &app)
{
    QFile file(app.root() + "/session.json");
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    return int(state.value("period").toObject().value("frames").toArray().size());
}

void stop(AppProcess &app, bool kill)
{
    if (kill)
        app.process().kill();
    else
        app.process().terminate();
    ASSERT_TRUE(app.process().waitForFinished(10000));
}

TEST(Restart, FramesOutliveKillAndTermAndAwayCountsFromTheLastFrame)
{
    AppProcess app;
    app.setPref("cadenceMinutes", 1);
    app.setPref("resumeThresholdMinutes", 1);
    app.start();
    ASSERT_TRUE(app.waitForLog("gate shown: question"));
    QThread::msleep(1500);
    QProcess::execute("xdotool", {"type", "--delay", "20", "Write the report"});
    QProcess::execute("xdotool", {"key", "Return"});
    ASSERT_TRUE(app.waitForLog("declared: Write the report"));
    ASSERT_TRUE(waitForFrames(app, 2, 120000));
    stop(app, true);
    EXPECT_EQ(framesOnDisk(app), 2);

    app.start();
    ASSERT_TRUE(app.waitForLog("resumed period (2 frames)"));
    EXPECT_FALSE(app.diag().contains("gate shown: resume")) << "a few seconds away resume silently";
    ASSERT_TRUE(waitForFrames(app, 3, 90000)) << "the restarted period keeps its cadence";
    stop(app, false);
    EXPECT_EQ(framesOnDisk(app), 3);

    QThread::msleep(62000); // longer than the resume threshold
    app.start();
    ASSERT_TRUE(app.waitForLog("resumed period (3 frames)"));
    ASSERT_TRUE(app.waitForLog("gate shown: resume"));
    const QRegularExpressionMatch away
        = QRegularExpression("launch: away (\\d+) s").match(app.diag());
    ASSERT_TRUE(away.hasMatch());
    EXPECT_GE(away.captured(1).toInt(), 62);
    EXPECT_LT(away.captured(1).toInt(), 90) << "counted from the last frame, not the first";
    stop(app, false);
}

TEST(Restart, OffDutyGoesOnAcrossAKill)
{
    AppProcess app;
    app.start();
    ASSERT_TRUE(app.waitForLog("gate shown: question"));
    QThread::msleep(1500);
    // The gate's "30 min" exit sits under the centre, near the bottom.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QProcess::execute("xdotool",
        {"mousemove", QString::number(screen.center().x() - 38),
            QString::number(screen.bottom() - 88), "click", "1"});
    ASSERT_TRUE(app.waitForLog("off duty (30m) until "));
    QThread::msleep(500);
    stop(app, true);

    app.start();
    ASSERT_TRUE(app.waitForLog("hotkey"));
    QThread::msleep(2000);
    const QString diag = app.diag();
    EXPECT_EQ(diag.count("off duty (30m) until "), 2) << "resumed as it was";
    EXPECT_EQ(diag.count("gate shown: question"), 1) << "no gate over the stretch";
    stop(app, false);
}

} // namespace
