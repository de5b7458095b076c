#include "Solitask/platform/fake/RunningAppsSourceFake.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/PrivateAppsBlock.h"
#include "fakes/TestPrefs.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The private-apps block fed by the platform's running applications, the way
// the application wires it.
class PrivateAppsOfferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.changed = [] {};
        m_env.runningApps = [this] { return m_source.runningApps(); };
    }

    /// The menu of "Add running app…", null when the block shows none.
    static QMenu *addMenu(const PrivateAppsBlock &block)
    {
        for (const QToolButton *button : block.findChildren<QToolButton *>()) {
            if (button->text() == QStringLiteral("Add running app…"))
                return button->menu();
        }
        return nullptr;
    }
    static QStringList offered(const PrivateAppsBlock &block)
    {
        QStringList texts;
        if (QMenu *menu = addMenu(block)) {
            Q_EMIT menu->aboutToShow();
            for (const QAction *action : menu->actions())
                texts << action->text();
        }
        return texts;
    }
    static bool saysAllPrivate(const PrivateAppsBlock &block)
    {
        for (const QLabel *label : block.findChildren<QLabel *>()) {
            if (label->text() == QStringLiteral("Every running app is already private"))
                return true;
        }
        return false;
    }

    TestPrefs m_prefs;
    RunningAppsSourceFake m_source;
    SettingsEnvironment m_env;
};

TEST_F(PrivateAppsOfferTest, OffersRunningAppsByNameAndAddsTheChosenOne)
{
    Prefs::setPrivateBundleIDs({"org.signal.Signal"});
    m_env.ownID = "org.solitask.Solitask";
    m_source.setRunningApps({{"Zed", "dev.zed.Zed", 10},
                             {"Signal", "org.signal.Signal", 11},
                             {"Solitask", "org.solitask.Solitask", 12},
                             {"Field Notes", "org.example.Notes", 13}});
    PrivateAppsBlock block(m_env);
    block.setOpen(true);
    EXPECT_EQ(offered(block), QStringList({"Field Notes · org.example.Notes", "Zed · dev.zed.Zed"}));

    ASSERT_NE(addMenu(block), nullptr);
    addMenu(block)->actions().first()->trigger();
    EXPECT_EQ(Prefs::privateBundleIDs(), QStringList({"org.signal.Signal", "org.example.Notes"}));
    EXPECT_EQ(offered(block), QStringList({"Zed · dev.zed.Zed"}));
}

TEST_F(PrivateAppsOfferTest, NothingRunningOrEverythingPrivateShowsTheNotice)
{
    PrivateAppsBlock empty(m_env);
    empty.setOpen(true);
    EXPECT_TRUE(saysAllPrivate(empty));
    EXPECT_TRUE(offered(empty).isEmpty());

    Prefs::setPrivateBundleIDs({"dev.zed.Zed"});
    m_source.setRunningApps({{"Zed", "dev.zed.Zed", 10}});
    PrivateAppsBlock allPrivate(m_env);
    allPrivate.setOpen(true);
    EXPECT_TRUE(saysAllPrivate(allPrivate));
    EXPECT_GE(m_source.asked(), 2);
}

TEST_F(PrivateAppsOfferTest, AppsAreNamedAndIdsOfAppsNotHereShareOneQuietLine)
{
    m_env.appName = [](const QString &id) {
        return id == "org.signal.Signal" ? QStringLiteral("Signal") : QString();
    };
    Prefs::setPrivateBundleIDs(
        {"com.apple.keychainaccess", "org.signal.Signal", "com.agilebits.onepassword7"});
    PrivateAppsBlock block(m_env);
    block.setOpen(true);
    QStringList shown;
    for (const QLabel *label : block.findChildren<QLabel *>())
        shown << label->text();
    EXPECT_TRUE(shown.contains("Signal"));
    EXPECT_FALSE(shown.filter("com.apple").size() + shown.filter("agilebits").size() > 0)
        << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.contains("Also kept private: 2 apps not installed on this computer"));
    EXPECT_EQ(Prefs::privateBundleIDs().size(), 3) << "still private";
}

} // namespace
