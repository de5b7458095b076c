#include "Solitask/platform/PlatformServices.h"
#include "fakes/DiagCapture.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformServicesTest, WaylandSessionGetsHonestNotSupportedAnswersAndSaysSo)
{
    DiagCapture diag;
    qputenv("XDG_SESSION_TYPE", "wayland");
    PlatformServices services = PlatformServices::forThisSession(
        {{QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}, QStringLiteral("/bin/true")});
    qunsetenv("XDG_SESSION_TYPE");
    EXPECT_FALSE(services.capturer->support().supported);
    EXPECT_FALSE(services.screenPermission->isGranted());
    EXPECT_EQ(services.hotKey->registerHotKey(), GlobalHotKey::unsupportedStatus);
    bool failed = false;
    services.capturer->capture({}, 784, [&](CaptureResult result) { failed = !result.ok(); });
    EXPECT_TRUE(failed);
    const QStringList messages = diag.messages();
    EXPECT_TRUE(messages.contains(QStringLiteral("platform: no X11 backends (wayland session)")));
    EXPECT_TRUE(messages.contains(QStringLiteral("platform: no backend for screen capture (no backend)")));
    EXPECT_TRUE(messages.contains(QStringLiteral("platform: no backend for running apps (no backend)")));
    EXPECT_TRUE(services.camera->support().supported);
}

TEST(PlatformServicesTest, FillGapsLeavesNoEmptySlot)
{
    PlatformServices services;
    services.fillGaps();
    EXPECT_EQ(services.unsupported().size(), 14);
    EXPECT_EQ(services.idle->idleSeconds(), 0);
    EXPECT_TRUE(services.runningApps->runningApps().isEmpty());
}

} // namespace
