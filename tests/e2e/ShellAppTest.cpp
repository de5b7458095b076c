// The tray application end to end on the test's X display: the real binary,
// a second launch handing over to the first, the strip above the insisting
// gate, the hot key, and a clean end on SIGTERM.
#include "support/AppProcess.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QColor stripBackground(11, 10, 16);

void xdotool(const QStringList &args)
{
    QProcess::execute("xdotool", args);
}

QColor pixelAt(int x, int y)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, x, y, 1, 1).toImage().pixelColor(0, 0);
}

bool waitForPixel(int x, int y, const QColor &color, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (pixelAt(x, y).rgb() != color.rgb()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

QString centreX()
{
    return QString::number(QGuiApplication::primaryScreen()->geometry().center().x());
}

TEST(ShellApp, ASecondLaunchSummonsTheFirstAndSigtermEndsItCleanly)
{
    AppProcess app;
    app.start();
    ASSERT_TRUE(app.waitForLog("hotkey"));
    EXPECT_EQ(app.launchAgain(), 0);
    EXPECT_TRUE(app.waitForLog("instance: summoned by a second launch"));
    EXPECT_EQ(app.process().state(), QProcess::Running);
    app.process().terminate();
    ASSERT_TRUE(app.process().waitForFinished(10000));
    EXPECT_EQ(app.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process().exitCode(), 0);
    EXPECT_TRUE(app.waitForLog("terminating", 3000));
    // No tray host on this display: said once, and the app kept working.
    EXPECT_EQ(app.diag().count("tray: no tray host"), 1);
}

TEST(ShellApp, TheInsistingGateStaysAboveTheStripAndTheHotKeyOpensIt)
{
    AppProcess app;
    app.start();
    ASSERT_TRUE(app.waitForLog("gate shown: "));
    QThread::msleep(1500);
    // The gate covers the screen with its pale wallpaper.
    EXPECT_NE(pixelAt(40, 300).rgb(), stripBackground.rgb());
    xdotool({"mousemove", centreX(), "4"});
    EXPECT_FALSE(waitForPixel(centreX().toInt(), 20, stripBackground, 1500))
        << "the strip never stands above the insisting gate";

    // Declare through the gate, then summon the strip with the hot key.
    xdotool({"mousemove", "40", "600"});
    xdotool({"type", "--delay", "20", "Write the quarterly report"});
    xdotool({"key", "Return"});
    ASSERT_TRUE(app.waitForLog("declared: Write the quarterly report"));
    EXPECT_TRUE(app.waitForLog("gate hidden"));
    QThread::msleep(1500);
    xdotool({"key", "ctrl+alt+o"});
    EXPECT_TRUE(waitForPixel(centreX().toInt(), 20, stripBackground))
        << "Control+Alt+O opens the strip";
    EXPECT_TRUE(app.waitForLog("summon (hotkey) in mode committed"));
    // The pointer is elsewhere: the strip waits for its dismissal, it does not flash.
    QThread::msleep(2000);
    EXPECT_EQ(pixelAt(centreX().toInt(), 20).rgb(), stripBackground.rgb());
}

} // namespace

namespace {

TEST(ShellApp, WindowCheckReportsTheJournalAndSettingsWindows)
{
    AppProcess app;
    QProcess check;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOLITASK_ROOT", app.root());
    env.remove("QT_QPA_PLATFORM");
    check.setProcessEnvironment(env);
    check.start(SOLITASK_BINARY, {"--window-check"});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0);
    const QJsonObject report = QJsonDocument::fromJson(check.readAllStandardOutput()).object();
    EXPECT_EQ(report.value("policy").toString(), "accessory");
    QStringList titles;
    for (const QJsonValue &w : report.value("windows").toArray())
        titles << w.toObject().value("title").toString();
    EXPECT_TRUE(titles.contains("Solitask Journal")) << titles.join(", ").toStdString();
    EXPECT_EQ(report.value("windowCount").toInt(), titles.size());
}

TEST(ShellApp, GatePreviewEndsByItselfAndRestoresInsisting)
{
    AppProcess app;
    QElapsedTimer timer;
    timer.start();
    app.process().start(SOLITASK_BINARY, {"--preview-gate"});
    ASSERT_TRUE(app.process().waitForFinished(30000));
    EXPECT_EQ(app.process().exitCode(), 0);
    EXPECT_GE(timer.elapsed(), 5500);
    EXPECT_TRUE(app.diag().contains("gate shown: ") && app.diag().contains("insist=false"));
    QSettings prefs(app.configFile(), QSettings::IniFormat);
    EXPECT_FALSE(prefs.contains("insist") && !prefs.value("insist").toBool());
}

} // namespace
