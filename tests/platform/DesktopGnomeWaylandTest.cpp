// The GNOME backends on a headless GNOME Shell: window facts from Solitask's
// shell extension, frames through Mutter's screen cast with private windows
// blanked, idle from Mutter; and with the extension off, no frame at all.

#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/gnome/GnomeShellWindows.h"
#include "Solitask/platform/wayland/SceneBlanking.h"
#include "fakes/DiagCapture.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace DesktopTestKit;

const QString plainId = QStringLiteral("solitask.test.plain");
const QString privateId = QStringLiteral("solitask.test.private");

bool extensionOff()
{
    return qEnvironmentVariableIsSet("SOLITASK_GNOME_EXTENSION_OFF");
}

/// foot windows of known app id, title and colour, closed at the end.
class Windows
{
public:
    ~Windows()
    {
        for (auto &client : m_clients) {
            client->kill();
            client->waitForFinished(3000);
        }
    }

    bool open(const QString &id, const QString &title, const char *background)
    {
        auto client = std::make_unique<QProcess>();
        client->setStandardOutputFile(QProcess::nullDevice());
        client->setStandardErrorFile(QProcess::nullDevice());
        client->start(QStringLiteral("foot"),
            {QStringLiteral("--app-id=") + id, QStringLiteral("--title=") + title,
                QStringLiteral("--override=colors.background=") + QLatin1String(background),
                QStringLiteral("sleep"), QStringLiteral("600")});
        m_clients.push_back(std::move(client));
        GnomeShellWindows windows(0);
        return waitUntil([&] {
            for (const WaylandWindow &w : windows.windows()) {
                if (w.app.bundleID == id && w.title == title)
                    return true;
            }
            return false;
        });
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_clients;
};

class GnomeShell : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (extensionOff())
            return;
        windows = new Windows;
        ASSERT_TRUE(windows->open(plainId, QStringLiteral("Plain title"), "0000ff"));
        // The shell starts in its overview and gives a window focus once that closes.
        GnomeShellWindows source(0);
        ASSERT_TRUE(waitUntil([&] { return source.focused().has_value(); }));
    }
    static void TearDownTestSuite() { delete windows; }
    void SetUp() override
    {
        if (extensionOff())
            GTEST_SKIP() << "the extension is off in this run";
    }

    static inline Windows *windows = nullptr;
};

TEST_F(GnomeShell, FactoryTakesTheGnomeBackendsAndEveryCapabilityWorks)
{
    DiagCapture diag;
    PlatformServices platform = services();
    EXPECT_TRUE(diag.messages().contains(QStringLiteral(
        "platform: Wayland session (XDG_SESSION_TYPE=wayland); frames: Mutter screen cast, active "
        "app: Solitask's GNOME Shell extension, private windows: Solitask's GNOME Shell "
        "extension, idle: Mutter idle monitor, hot key: solitask --summon")))
        << diag.messages().join('\n').toStdString();
    EXPECT_TRUE(platform.screenPermission->isGranted());
    EXPECT_TRUE(adviceFor(capabilities(platform), QStringLiteral("hot key"))
                    .contains(QStringLiteral("custom shortcut: the command `solitask --summon`")));
    for (const Capability &c : capabilities(platform)) {
        if (c.name != QLatin1String("hot key") && c.name != QLatin1String("double tap")
            && c.name != QLatin1String("lock")) {
            EXPECT_TRUE(c.works) << c.name.toStdString() << ": " << c.advice.toStdString();
        }
    }
}

TEST_F(GnomeShell, ActiveAppAndTitleAreTheFocusedWindows)
{
    PlatformServices platform = services();
    const auto front = platform.activeApp->frontmost();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->bundleID, plainId);
    EXPECT_EQ(platform.windowTitles->activeWindowTitle(), QStringLiteral("Plain title"));
}

TEST_F(GnomeShell, FrameComesThroughPipeWireWithThePrivateWindowBlanked)
{
    ASSERT_TRUE(windows->open(privateId, QStringLiteral("Secret"), "ff0000"));
    PlatformServices platform = services();
    // A new window is listed a moment before the shell shows it.
    GnomeShellWindows source(0);
    QRect secret, plain;
    ASSERT_TRUE(waitUntil([&] {
        secret = plain = QRect();
        for (const StackedWindow &w : source.scene({privateId}).value_or(WaylandScene()).windows) {
            if (w.hidden)
                secret = w.frame;
            else
                plain = w.frame;
        }
        return !secret.isEmpty() && !plain.isEmpty();
    }));
    const CaptureResult frame = capture(platform, {privateId});
    ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
    EXPECT_EQ(frame.image.size(), QSize(1280, 800));
    // Every private pixel is painted over; the plain window beside it shows.
    int leaked = 0;
    for (int y = secret.top(); y <= secret.bottom(); y += 4) {
        for (int x = secret.left(); x <= secret.right(); x += 4) {
            if (near(frame.image.pixel(x, y), 0xffff0000))
                ++leaked;
        }
    }
    EXPECT_EQ(leaked, 0);
    const QRegion shows = QRegion(plain) - QRegion(secret);
    ASSERT_FALSE(shows.isEmpty());
    const QRect part = *std::max_element(shows.begin(), shows.end(),
        [](const QRect &a, const QRect &b) { return a.width() * a.height() < b.width() * b.height(); });
    EXPECT_TRUE(near(frame.image.pixel(part.center()), 0xff0000ff));
}

TEST_F(GnomeShell, IdleGrowsWithoutInput)
{
    PlatformServices platform = services();
    const double first = platform.idle->idleSeconds();
    QThread::msleep(1200);
    EXPECT_GE(platform.idle->idleSeconds(), first + 1.0);
}

TEST(GnomeShellWithoutExtension, NoFrameAndTheCapabilitiesSayWhatToDo)
{
    if (!extensionOff())
        GTEST_SKIP() << "the extension is on in this run";
    PlatformServices platform = services();
    EXPECT_FALSE(platform.screenPermission->isGranted());
    const CaptureResult frame = capture(platform, {});
    EXPECT_FALSE(frame.ok());
    EXPECT_TRUE(frame.privacyUnknown);
    EXPECT_TRUE(adviceFor(capabilities(platform), QStringLiteral("frames"))
                    .contains(QStringLiteral("gnome-extensions enable solitask@solitask.org")));
    // Asking turns the installed extension on, and frames follow.
    EXPECT_TRUE(platform.screenPermission->request());
    EXPECT_TRUE(platform.capturer->support().supported);
}

} // namespace
