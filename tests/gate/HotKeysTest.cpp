#include "Solitask/gate/HotKeys.h"
#include "Solitask/platform/fake/GlobalHotKeyFake.h"
#include "fakes/DiagCapture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class HotKeysTest : public ::testing::Test
{
protected:
    HotKeysTest()
    {
        hotKeys.onSummon = [this] { ++summons; };
    }

    DiagCapture diag;
    GlobalHotKeyFake key;
    HotKeys hotKeys {key};
    int summons = 0;
};

TEST_F(HotKeysTest, RegisteringTwiceLeavesOneHandlerWhoseSummonIsPosted)
{
    hotKeys.registerKey();
    hotKeys.registerKey();
    EXPECT_TRUE(hotKeys.registered());
    EXPECT_EQ(key.registrations() - key.unregistrations(), 1);
    key.press();
    EXPECT_EQ(summons, 0) << "not called inside the key's event";
    QCoreApplication::processEvents();
    EXPECT_EQ(summons, 1);
    EXPECT_EQ(diag.count(QStringLiteral("hotkey registered: ⌃⌥O")), 2);
}

TEST_F(HotKeysTest, KeyHeldByAnotherProgramIsReportedWithItsStatus)
{
    key.setStatus(10);
    hotKeys.registerKey();
    EXPECT_FALSE(hotKeys.registered());
    EXPECT_EQ(hotKeys.lastStatus(), 10);
    EXPECT_EQ(diag.count(QStringLiteral("hotkey registration failed (10)")), 1);
    key.setStatus(0);
    hotKeys.start();
    EXPECT_TRUE(hotKeys.registered());
}

TEST_F(HotKeysTest, StopReleasesTheKey)
{
    hotKeys.start();
    hotKeys.stop();
    EXPECT_FALSE(key.isRegistered());
    key.press();
    QCoreApplication::processEvents();
    EXPECT_EQ(summons, 0);
}

} // namespace
