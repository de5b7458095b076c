// The Wayland backends on a headless sway with XWayland: frames with private
// windows blanked, the active app and title, idle, and the summon command.

#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/wayland/ScreenCapturerWlroots.h"
#include "fakes/DiagCapture.h"
#include "support/AppProcess.h"
#include "support/SwayDesktop.h"
#include "support/VirtualPointer.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

const QString nativeId = QStringLiteral("solitask.test.native");
const QString xClass = QStringLiteral("SolitaskTestX");
const QString privateNative = QStringLiteral("solitask.test.private");
const QString privateX = QStringLiteral("SolitaskPrivateX");

/// An output as grim, another client of the compositor, sees it.
QImage grimFrame(const QString &output)
{
    QProcess grim;
    grim.start(QStringLiteral("grim"),
        {QStringLiteral("-o"), output, QStringLiteral("-t"), QStringLiteral("ppm"),
            QStringLiteral("-")});
    if (!grim.waitForFinished(5000) || grim.exitCode() != 0)
        return {};
    return QImage::fromData(grim.readAllStandardOutput(), "PPM");
}

const QStringList superF12 {"-M", "logo", "-k", "F12", "-m", "logo"};

/// Types with wtype. Each run is a new virtual keyboard, and sway counts a
/// key that comes with the switch to it as already held: a pause first.
bool type(const QStringList &keys)
{
    return QProcess::execute(QStringLiteral("wtype"), QStringList {"-s", "150"} + keys) == 0;
}

class WlrootsSway : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        desktop = new SwayDesktop;
        // Tiled: native green on the left, XWayland blue on the right; the
        // private ones float above them.
        ASSERT_TRUE(desktop->openNative(nativeId, QStringLiteral("Native title"), "00ff00"));
        ASSERT_TRUE(desktop->openXWayland(xClass, QStringLiteral("X title"), "#0000ff"));
        ASSERT_TRUE(desktop->openNative(privateNative, QStringLiteral("Secret"), "ff0000"));
        ASSERT_TRUE(desktop->openXWayland(privateX, QStringLiteral("Secret X"), "#ff00ff"));
        ASSERT_TRUE(SwayDesktop::command(QStringLiteral("[app_id=\"%1\"] floating enable, resize "
                                                        "set 300 200, move position 100 100")
                                             .arg(privateNative)));
        ASSERT_TRUE(SwayDesktop::command(QStringLiteral("[class=\"%1\"] floating enable, resize "
                                                        "set 300 200, move position 800 300")
                                             .arg(privateX)));
    }
    static void TearDownTestSuite() { delete desktop; }

    static inline SwayDesktop *desktop = nullptr;
};

TEST_F(WlrootsSway, FactoryTakesTheWlrootsBackendsAndNotXWayland)
{
    DiagCapture diag;
    PlatformServices platform = services();
    EXPECT_TRUE(diag.messages().contains(QStringLiteral(
        "platform: Wayland session (XDG_SESSION_TYPE=wayland); frames: wlr-screencopy, active "
        "app: sway IPC, private windows: sway IPC, idle: KDE idle, hot key: solitask --summon")))
        << diag.messages().join('\n').toStdString();
    EXPECT_TRUE(platform.capturer->support().supported);
    EXPECT_TRUE(platform.screenPermission->isGranted());
    EXPECT_TRUE(platform.runningApps->runningApps().size() >= 4);
    QStringList seen;
    for (const Capability &c : capabilities(platform))
        seen << QStringLiteral("%1 %2 %3: %4")
                    .arg(c.name, c.works ? "yes" : "no", c.backend, c.advice);
    EXPECT_EQ(seen,
        QStringList({"frames yes wlr-screencopy: ", "active app yes sway IPC: ",
            "private blanking yes sway IPC: ", "idle yes KDE idle: ", "lock yes logind: ",
            "hot key no solitask --summon: add this line to your sway config: bindsym Ctrl+Alt+o "
            "exec solitask --summon",
            "double tap no none: the Alt double tap is unavailable on Wayland: use the hot key"}));
}

TEST_F(WlrootsSway, FrameShowsNativeAndXWaylandWindowsWithPrivateOnesBlanked)
{
    PlatformServices platform = services();
    const QRgb blank = ScreenCapturerWlroots::blankColour;
    // Where each window shows (its title bar for the floating ones) and the
    // colour expected there.
    const QList<std::pair<QPoint, QRgb>> expected {{{500, 600}, qRgb(0, 255, 0)},
        {{1250, 200}, qRgb(0, 0, 255)}, {{250, 200}, blank}, {{950, 400}, blank},
        {{150, 110}, blank}, {{850, 310}, blank}};
    CaptureResult frame;
    // Windows show their content a frame or two after they map or move.
    waitUntil([&] {
        frame = capture(platform, {privateNative, privateX});
        return frame.ok() && std::all_of(expected.begin(), expected.end(), [&](const auto &e) {
            return near(frame.image.pixel(e.first), e.second);
        });
    });
    ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
    EXPECT_EQ(frame.image.size(), QSize(1280, 800));
    for (const auto &[where, colour] : expected)
        EXPECT_TRUE(near(frame.image.pixel(where), colour)) << where.x() << "," << where.y();
    // Without them hidden, the same places show the private apps.
    const CaptureResult open = capture(platform, {});
    ASSERT_TRUE(open.ok());
    EXPECT_TRUE(near(open.image.pixel(250, 200), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(open.image.pixel(950, 400), qRgb(255, 0, 255)));
}

TEST_F(WlrootsSway, ActiveAppAndTitleOfNativeAndXWaylandWindows)
{
    PlatformServices platform = services();
    QString activated;
    QObject::connect(platform.activeApp.get(), &ActiveAppSource::activated,
        [&activated](const RunningApp &app) { activated = app.bundleID; });
    const struct
    {
        QString criteria, id, title;
    } cases[] = {
        {QStringLiteral("[app_id=\"%1\"]").arg(nativeId), nativeId, QStringLiteral("Native title")},
        {QStringLiteral("[class=\"%1\"]").arg(xClass), xClass, QStringLiteral("X title")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id.toStdString());
        ASSERT_TRUE(SwayDesktop::command(c.criteria + QStringLiteral(" focus")));
        const auto front = platform.activeApp->frontmost();
        ASSERT_TRUE(front);
        EXPECT_EQ(front->bundleID, c.id);
        EXPECT_GT(front->pid, 0);
        EXPECT_EQ(platform.windowTitles->activeWindowTitle(), c.title);
        EXPECT_EQ(platform.windowTitles->windowTitle(front->pid), c.title);
        EXPECT_TRUE(waitUntil([&] { return activated == c.id; }));
    }
}

TEST_F(WlrootsSway, IdleGrowsWithoutInputAndAKeyPressResetsIt)
{
    PlatformServices platform = services();
    ASSERT_TRUE(platform.idle->support().supported);
    EXPECT_TRUE(waitUntil([&] { return platform.idle->idleSeconds() >= 2.5; }, 8000));
    ASSERT_EQ(QProcess::execute(QStringLiteral("wtype"), {QStringLiteral("x")}), 0);
    EXPECT_TRUE(waitUntil([&] { return platform.idle->idleSeconds() < 1.5; }, 3000));
}

TEST_F(WlrootsSway, PeekTakesTheFrameThroughTheWholePipeline)
{
    AppProcess app;
    app.setPref("privateBundleIDs", QStringList {privateNative, privateX});
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("[app_id=\"%1\"] focus").arg(nativeId)));
    const QString file = app.root() + QStringLiteral("-peek.jpg");
    ASSERT_EQ(app.launchAgain({QStringLiteral("--peek"), file}), 0) << app.lastError.constData();
    const QImage frame(file);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.width(), 784);
    EXPECT_EQ(count(frame, qRgb(255, 0, 0)), 0);
    EXPECT_EQ(count(frame, qRgb(255, 0, 255)), 0);
    EXPECT_GT(count(frame, qRgb(0, 255, 0)), 5000);
    EXPECT_GT(count(frame, qRgb(0, 0, 255)), 5000);
}

TEST_F(WlrootsSway, TheInsistingGateCoversTheOutputAndHoldsTheKeysUntilAnswered)
{
    // tests/support/with-sway.sh binds Super+F12 to touch this file.
    QFile bindingRan(QDir::home().filePath(QStringLiteral("sway-binding-ran")));
    VirtualPointer pointer;
    ASSERT_TRUE(pointer.isValid());
    // A second, smaller output to the right of the first.
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("create_output")));
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("output HEADLESS-2 resolution 1024x768")));
    AppProcess app;
    app.setPref("insist", true);
    app.start();
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate shown: question insist=true")));
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate: overlay layer over 2 output(s), keyboard "
                                              "exclusive, compositor shortcuts held")))
        << app.diag().toStdString();
    // Each output shows the gate whole: neither the windows nor the black
    // background show through.
    for (const auto &[output, size] : {std::pair {QStringLiteral("HEADLESS-1"), QSize(1280, 800)},
             std::pair {QStringLiteral("HEADLESS-2"), QSize(1024, 768)}}) {
        QImage frame;
        EXPECT_TRUE(waitUntil([&] {
            frame = grimFrame(output);
            return frame.size() == size && count(frame, qRgb(0, 255, 0)) == 0
                && count(frame, qRgb(0, 0, 255)) == 0 && count(frame, qRgb(0, 0, 0)) == 0;
        })) << output.toStdString();
    }
    ASSERT_TRUE(type({"Write the report"}));
    // The pointer too: the "1 h" choice below the field.
    for (const char *step :
        {"cursor set 583 463", "cursor press button1", "cursor release button1"})
        ASSERT_TRUE(SwayDesktop::command(QStringLiteral("seat seat0 ") + step));
    ASSERT_TRUE(type(superF12));
    ASSERT_TRUE(type({"-k", "Return"}));
    EXPECT_TRUE(app.waitForLog(QStringLiteral("declared: Write the report (1 h"), 5000))
        << app.diag().toStdString();
    EXPECT_FALSE(bindingRan.exists());
    // Answered, the compositor has its bindings back.
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate hidden"), 5000));
    EXPECT_TRUE(waitUntil([&] { return type(superF12) && bindingRan.exists(); }));
}

/// Where the strip shows in the top centre of a frame filled with `background`.
QRect stripIn(const QImage &frame, QRgb background)
{
    QRect found;
    for (int y = 0; y < std::min(frame.height(), 300); ++y)
        for (int x = frame.width() / 4; x < frame.width() * 3 / 4; ++x)
            if (!near(frame.pixel(x, y), background))
                found |= QRect(x, y, 1, 1);
    return found;
}

bool swayHasWindow(const QString &name)
{
    const auto tree = SwayDesktop::tree();
    return tree && tree->toJson().contains(name.toUtf8());
}

TEST_F(WlrootsSway, TheStripOpensAboveAFullScreenWindowUnderThePointerAndTakesItsClicks)
{
    VirtualPointer pointer;
    ASSERT_TRUE(pointer.isValid());
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("seat seat0 cursor set 640 500")));
    ASSERT_TRUE(SwayDesktop::command(
        QStringLiteral("[app_id=\"%1\"] focus, fullscreen enable").arg(nativeId)));
    AppProcess app;
    app.start();
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate shown: question")));
    ASSERT_TRUE(type({"Read", "-k", "Return"}));
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate hidden")));
    const QRgb green = qRgb(0, 255, 0);
    ASSERT_TRUE(waitUntil([&] { return stripIn(grimFrame("HEADLESS-1"), green).isEmpty(); }));

    // Over another client's surface, where XWayland sees no pointer at all.
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("seat seat0 cursor set 640 2")));
    ASSERT_TRUE(app.waitForLog(QStringLiteral("strip: overlay layer on HEADLESS-1"), 5000))
        << app.diag().toStdString();
    QRect strip;
    EXPECT_TRUE(waitUntil([&] {
        strip = stripIn(grimFrame("HEADLESS-1"), green);
        return strip.width() > 150 && strip.top() == 0 && std::abs(strip.center().x() - 640) < 4;
    })) << strip.x() << "," << strip.y() << " " << strip.width() << "x" << strip.height();

    // Its journal button, last on the bottom row, gets the click.
    const QPoint journal = strip.bottomRight() - QPoint(40, 23);
    for (const QString &step : {QStringLiteral("cursor set %1 %2").arg(journal.x()).arg(journal.y()),
             QStringLiteral("cursor press button1"), QStringLiteral("cursor release button1")})
        ASSERT_TRUE(SwayDesktop::command(QStringLiteral("seat seat0 ") + step));
    EXPECT_TRUE(waitUntil([] { return swayHasWindow(QStringLiteral("Solitask Journal")); }));

    // Away from it, it closes.
    ASSERT_TRUE(SwayDesktop::command(
        QStringLiteral("[app_id=\"%1\"] focus, fullscreen enable").arg(nativeId)));
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("seat seat0 cursor set 640 500")));
    EXPECT_TRUE(waitUntil([&] { return stripIn(grimFrame("HEADLESS-1"), green).isEmpty(); }));
    SwayDesktop::command(
        QStringLiteral("[app_id=\"%1\"] fullscreen disable").arg(nativeId));
}

TEST_F(WlrootsSway, SummonReachesTheRunningInstance)
{
    AppProcess app;
    EXPECT_EQ(app.launchAgain({QStringLiteral("--summon")}), 1);
    app.start();
    ASSERT_TRUE(app.waitForLog(QStringLiteral("platform: Wayland session")))
        << app.diag().toStdString();
    EXPECT_EQ(app.launchAgain({QStringLiteral("--summon")}), 0);
    EXPECT_TRUE(app.waitForLog(QStringLiteral("instance: summoned by a second launch")));
}

} // namespace
