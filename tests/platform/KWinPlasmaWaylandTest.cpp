// The KDE Plasma backends on a headless KWin with XWayland: our script inside
// KWin for the windows, ScreenShot2 for frames with private windows blanked,
// idle, and the script loaded again when KWin restarts.

#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/kde/GlobalHotKeyKGlobalAccel.h"
#include "Solitask/platform/wayland/SceneBlanking.h"
#include "fakes/DiagCapture.h"
#include "support/AppProcess.h"
#include "support/KWinDesktop.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QKeySequence>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

const QString nativeId = QStringLiteral("solitask.test.native");
const QString privateId = QStringLiteral("solitask.test.private");
const QString privateX = QStringLiteral("SolitaskPrivateX");
// KWin keeps X classes in lower case; XWayland windows are named as on X11.
const QString xClass = QStringLiteral("SolitaskTestX");

QStringList capabilityLines(const PlatformServices &platform)
{
    QStringList seen;
    for (const Capability &c : capabilities(platform))
        seen << QStringLiteral("%1 %2 %3: %4")
                    .arg(c.name, c.works ? "yes" : "no", c.backend, c.advice);
    return seen;
}

// Where each window goes, in the order they open (each new one on top): the
// private native window lies partly under the "Cover" window opened after
// it; the private XWayland one stands alone.
struct Placed
{
    bool native;
    QString id, title, colour;
    QPoint at;
};
const Placed layout[] = {
    {true, nativeId, QStringLiteral("Native title"), QStringLiteral("00ff00"), {20, 20}},
    {false, xClass, QStringLiteral("X title"), QStringLiteral("0000ff"), {850, 20}},
    {true, privateId, QStringLiteral("Secret"), QStringLiteral("ff0000"), {450, 380}},
    {false, privateX, QStringLiteral("Secret X"), QStringLiteral("ff00ff"), {20, 430}},
    {false, QStringLiteral("SolitaskCoverX"), QStringLiteral("Cover"), QStringLiteral("ffff00"),
        {700, 550}},
};

class KWinPlasma : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        desktop = new KWinDesktop;
        for (const Placed &p : layout)
            ASSERT_TRUE(p.native ? desktop->openNative(p.id, p.title, p.colour)
                                 : desktop->openXWayland(p.id, p.title, p.colour));
    }
    static void TearDownTestSuite() { delete desktop; }

    // Windows map in any order: the last one is raised above the others.
    static void placeAll()
    {
        for (const Placed &p : layout)
            desktop->place(p.title, p.at.x(), p.at.y(), &p == std::end(layout) - 1);
    }

    static inline KWinDesktop *desktop = nullptr;
};

TEST_F(KWinPlasma, FactoryTakesTheKdeBackendsAndReportsThem)
{
    DiagCapture diag;
    PlatformServices platform = services();
    EXPECT_TRUE(diag.messages().contains(QStringLiteral(
        "platform: Wayland session (XDG_SESSION_TYPE=wayland); frames: KWin ScreenShot2, active "
        "app: KWin script, private windows: KWin script, idle: ext-idle-notify, hot key: "
        "KDE global shortcuts")))
        << diag.messages().join('\n').toStdString();
    ASSERT_TRUE(waitUntil([&] { return platform.screenPermission->isGranted(); }));
    EXPECT_TRUE(platform.screenPermission->about().contains(QStringLiteral("script into KWin")));
    EXPECT_EQ(capabilityLines(platform).join('\n').toStdString(),
        QStringList({"frames yes KWin ScreenShot2: ", "active app yes KWin script: ",
                        "private blanking yes KWin script: ", "idle yes ext-idle-notify: ",
                        "lock yes logind: ", "hot key yes KDE global shortcuts: ",
                        "double tap no none: the Alt double tap is unavailable on Wayland: use the "
                        "hot key"})
            .join('\n')
            .toStdString());
}

TEST_F(KWinPlasma, FrameShowsNativeAndXWaylandWindowsWithThePrivateOneBlankedWhereUncovered)
{
    PlatformServices platform = services();
    const QRgb blank = SceneBlanking::colour;
    const QRgb green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), yellow = qRgb(255, 255, 0);
    // Where each window shows and the colour expected there: the private
    // window's body and title bar are painted over, the part of it under
    // "Cover" shows Cover.
    const QList<std::pair<QPoint, QRgb>> expected {{{200, 200}, green}, {{1000, 200}, blue},
        {{550, 450}, blank}, {{600, 395}, blank}, {{780, 640}, yellow}, {{1000, 700}, yellow},
        {{200, 600}, blank}};
    CaptureResult frame;
    // Windows show their content a frame or two after they map or move.
    waitUntil(
        [&] {
            placeAll();
            frame = capture(platform, {privateId, privateX});
            return frame.ok() && std::all_of(expected.begin(), expected.end(), [&](const auto &e) {
                return near(frame.image.pixel(e.first), e.second);
            });
        },
        20000);
    ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
    EXPECT_EQ(frame.image.size(), QSize(1280, 800));
    for (const auto &[where, colour] : expected)
        EXPECT_TRUE(near(frame.image.pixel(where), colour))
            << where.x() << "," << where.y() << " " << std::hex << frame.image.pixel(where);
    // Not hidden, the private window shows where it is uncovered.
    const CaptureResult open = capture(platform, {});
    ASSERT_TRUE(open.ok()) << open.error.toStdString();
    EXPECT_TRUE(near(open.image.pixel(550, 450), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(open.image.pixel(200, 600), qRgb(255, 0, 255)));
    EXPECT_TRUE(near(open.image.pixel(780, 640), yellow));
}

TEST_F(KWinPlasma, ActiveAppAndTitleOfNativeAndXWaylandWindows)
{
    PlatformServices platform = services();
    QString activated;
    QObject::connect(platform.activeApp.get(), &ActiveAppSource::activated,
        [&activated](const RunningApp &app) { activated = app.bundleID; });
    const struct
    {
        QString title, id;
    } cases[] = {
        {QStringLiteral("Native title"), nativeId},
        {QStringLiteral("X title"), xClass},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id.toStdString());
        EXPECT_TRUE(waitUntil([&] {
            desktop->activate(c.title);
            return activated == c.id;
        })) << activated.toStdString();
        const auto front = platform.activeApp->frontmost();
        ASSERT_TRUE(front);
        EXPECT_EQ(front->bundleID, c.id);
        EXPECT_GT(front->pid, 0);
        EXPECT_EQ(platform.windowTitles->activeWindowTitle(), c.title);
        EXPECT_EQ(platform.windowTitles->windowTitle(front->pid), c.title);
    }
}

// The shortcut service inside KWin binds Control+Alt+O to Solitask and tells
// when the keys are typed.
TEST_F(KWinPlasma, HotKeyFromKdeGlobalShortcuts)
{
    PlatformServices platform = services();
    ASSERT_EQ(platform.hotKey->registerHotKey(), 0);
    auto *kde = dynamic_cast<GlobalHotKeyKGlobalAccel *>(platform.hotKey.get());
    ASSERT_TRUE(kde);
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.kde.kglobalaccel"),
        QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"),
        QStringLiteral("shortcut"));
    ask << kde->actionId();
    EXPECT_EQ(qdbus_cast<QList<int>>(QDBusConnection::sessionBus().call(ask).arguments().value(0)),
        QList<int>({QKeySequence(QStringLiteral("Ctrl+Alt+O"))[0].toCombined()}));
    int presses = 0;
    QObject::connect(platform.hotKey.get(), &GlobalHotKey::pressed, [&presses] { ++presses; });
    ASSERT_TRUE(KWinDesktop::type({"29", "56", "24"}));
    EXPECT_TRUE(waitUntil([&presses] { return presses == 1; }));
}

TEST_F(KWinPlasma, IdleGrowsWithoutInputAndAKeyResetsIt)
{
    PlatformServices platform = services();
    ASSERT_TRUE(platform.idle->support().supported);
    EXPECT_TRUE(waitUntil([&] { return platform.idle->idleSeconds() >= 2.5; }, 8000));
    ASSERT_TRUE(KWinDesktop::type({"30"}));
    EXPECT_TRUE(waitUntil([&] { return platform.idle->idleSeconds() < 1.5; }, 3000));
}

TEST_F(KWinPlasma, PeekTakesTheFrameThroughTheWholePipeline)
{
    AppProcess app;
    app.setPref("privateBundleIDs", QStringList {privateId, privateX});
    ASSERT_TRUE(desktop->activate(QStringLiteral("Native title")));
    const QString file = app.root() + QStringLiteral("-peek.jpg");
    ASSERT_EQ(app.launchAgain({QStringLiteral("--peek"), file}), 0) << app.lastError.constData();
    const QImage frame(file);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(count(frame, qRgb(255, 0, 0)), 0);
    EXPECT_EQ(count(frame, qRgb(255, 0, 255)), 0);
    EXPECT_GT(count(frame, qRgb(0, 255, 0)), 5000);
    EXPECT_GT(count(frame, qRgb(0, 0, 255)), 5000);
}

// KWin knows a program by the desktop entry whose Exec is its path: a copy
// elsewhere has none, and gets no screenshot.
TEST_F(KWinPlasma, AProgramWithoutTheDesktopEntryGetsNoScreenshot)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("solitask"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SOLITASK_BINARY), copy));
    QProcess peek;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("SOLITASK_ROOT"), dir.filePath(QStringLiteral("root")));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    peek.setProcessEnvironment(env);
    peek.start(copy, {QStringLiteral("--peek"), dir.filePath(QStringLiteral("peek.jpg"))});
    ASSERT_TRUE(peek.waitForFinished(15000));
    EXPECT_EQ(peek.exitCode(), 1);
    EXPECT_EQ(peek.readAllStandardError().trimmed().toStdString(),
        "skipped: failed (KWin gave no screenshot: The process is not authorized to take a "
        "screenshot)");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("peek.jpg"))));
}

// KWin's overlay layer carries the strip too: the pointer at the top centre,
// over no XWayland surface, opens it, and it goes when the pointer leaves.
TEST_F(KWinPlasma, TheStripOpensUnderThePointerAtTheTopCentreAndClosesWhenItLeaves)
{
    PlatformServices platform = services();
    KWinDesktop::HeldPointer pointer;
    ASSERT_TRUE(pointer.moveTo({640, 500}));
    AppProcess app;
    app.start();
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate shown: question")));
    for (const char *key : {"19", "18", "30", "32", "28"}) // r e a d Return
        ASSERT_TRUE(KWinDesktop::type({key}));
    ASSERT_TRUE(app.waitForLog(QStringLiteral("gate hidden"))) << app.diag().toStdString();
    const auto top = [&platform] {
        const CaptureResult frame = capture(platform, {});
        return frame.ok() ? frame.image.copy(440, 0, 400, 60) : QImage();
    };
    const auto changed = [](const QImage &a, const QImage &b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += !near(a.pixel(x, y), b.pixel(x, y));
        return n;
    };
    QImage before;
    ASSERT_TRUE(waitUntil([&] { return !(before = top()).isNull(); }));

    ASSERT_TRUE(pointer.moveTo({640, 2}));
    ASSERT_TRUE(app.waitForLog(QStringLiteral("strip: overlay layer on "), 5000))
        << app.diag().toStdString();
    EXPECT_TRUE(waitUntil([&] { return changed(top(), before) > 500; })) << changed(top(), before);
    ASSERT_TRUE(pointer.moveTo({640, 500}));
    EXPECT_TRUE(waitUntil([&] { return changed(top(), before) == 0; })) << app.diag().toStdString();
}

// Last: the windows go with the KWin that showed them. The hot key is taken
// again from the shortcut service of the KWin that comes back.
TEST_F(KWinPlasma, NoFramesWithoutKWinAndTheScriptLoadedAgainWhenItReturns)
{
    DiagCapture diag;
    PlatformServices platform = services();
    ASSERT_TRUE(platform.screenPermission->isGranted());
    ASSERT_EQ(platform.hotKey->registerHotKey(), 0);
    ASSERT_TRUE(KWinDesktop::kwin("stop"));
    EXPECT_TRUE(waitUntil([&] { return !platform.screenPermission->isGranted(); }));
    const CaptureResult withheld = capture(platform, {});
    EXPECT_TRUE(withheld.privacyUnknown);
    EXPECT_EQ(adviceFor(capabilities(platform), QStringLiteral("frames")),
        QStringLiteral("no window facts from KWin: KWin left the session bus"));
    desktop->closeAll();
    ASSERT_TRUE(KWinDesktop::kwin("start"));
    EXPECT_TRUE(
        waitUntil([&] { return platform.screenPermission->isGranted(); }, 10000));
    EXPECT_TRUE(diag.messages().contains(QStringLiteral("kwin: window script loaded again")));
    ASSERT_TRUE(desktop->openNative(nativeId, QStringLiteral("After the restart"), "00ff00"));
    int presses = 0;
    QObject::connect(platform.hotKey.get(), &GlobalHotKey::pressed, [&presses] { ++presses; });
    EXPECT_TRUE(waitUntil([&presses] {
        KWinDesktop::type({"29", "56", "24"});
        return presses > 0;
    }));
    EXPECT_TRUE(waitUntil([&] {
        return platform.windowTitles->activeWindowTitle() == QLatin1String("After the restart");
    }));
    EXPECT_TRUE(capture(platform, {privateId}).ok());
}

} // namespace
