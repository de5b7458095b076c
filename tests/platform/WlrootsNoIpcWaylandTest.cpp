// On a wlroots desktop without the sway IPC (its socket hidden from this
// test), wlr-foreign-toplevel names the windows but does not place them: a
// private app's open window withholds the whole frame.

#include "Solitask/platform/PlatformServices.h"
#include "fakes/DiagCapture.h"
#include "support/AppProcess.h"
#include "support/SwayDesktop.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

const QString plainId = QStringLiteral("solitask.test.plain");
const QString privateId = QStringLiteral("solitask.test.private");

TEST(WlrootsNoIpc, APrivateAppsOpenWindowMakesTheFrameSkipAsPrivate)
{
    ASSERT_TRUE(qEnvironmentVariableIsEmpty("SWAYSOCK"));
    SwayDesktop desktop;
    ASSERT_TRUE(desktop.openNative(plainId, QStringLiteral("Plain"), "00ff00"));
    DiagCapture diag;
    PlatformServices platform = services();
    EXPECT_TRUE(diag.messages().contains(QStringLiteral(
        "platform: Wayland session (XDG_SESSION_TYPE=wayland); frames: wlr-screencopy, active "
        "app: wlr-foreign-toplevel, private windows: wlr-foreign-toplevel, idle: KDE idle, hot "
        "key: solitask --summon")));
    const CaptureResult clear = capture(platform, {privateId});
    EXPECT_TRUE(clear.ok()) << clear.error.toStdString();
    ASSERT_TRUE(desktop.openNative(privateId, QStringLiteral("Secret"), "ff0000"));
    const CaptureResult withheld = capture(platform, {privateId});
    EXPECT_FALSE(withheld.ok());
    EXPECT_TRUE(withheld.privacyUnknown);
    EXPECT_TRUE(withheld.image.isNull());
    const auto front = platform.activeApp->frontmost();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->bundleID, privateId);
    EXPECT_EQ(platform.windowTitles->activeWindowTitle(), QStringLiteral("Secret"));
    // With a plain window in front the private one still withholds the frame.
    ASSERT_TRUE(SwayDesktop::command(QStringLiteral("[app_id=\"%1\"] focus").arg(plainId)));
    ASSERT_TRUE(waitUntil([&] {
        const auto now = platform.activeApp->frontmost();
        return now && now->bundleID == plainId;
    }));
    AppProcess app;
    app.setPref("privateBundleIDs", QStringList {privateId});
    const QString file = app.root() + QStringLiteral("-peek.jpg");
    EXPECT_EQ(app.launchAgain({QStringLiteral("--peek"), file}), 1);
    EXPECT_TRUE(app.lastError.contains("skipped: privateApp")) << app.lastError.constData();
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
