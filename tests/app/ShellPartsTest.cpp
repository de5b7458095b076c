#include "Solitask/app/LoggedLoginItem.h"
#include "Solitask/app/SingleInstance.h"
#include "Solitask/app/TrayItem.h"
#include "Solitask/app/UpdaterBridge.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/VirtualClock.h"
#include "SolitaskCore/InstanceLock.h"
#include "fakes/DiagCapture.h"
#include "fakes/TestPrefs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

#include <thread>

namespace {

template <typename Done> bool spinUntil(Done done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(SingleInstanceTest, ASecondClaimOnTheSameRootSummonsTheOwnerButGarbageDoesNot)
{
    QTemporaryDir root, elsewhere;
    SingleInstance first(root.path());
    int summons = 0;
    first.onSummon = [&] { ++summons; };
    ASSERT_EQ(first.claim(), SingleInstance::Claim::owner);
    EXPECT_EQ(SingleInstance(elsewhere.path()).claim(), SingleInstance::Claim::owner);
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName(root.path()));
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(QByteArray(10000, 'x') + "\n");
    socket.waitForBytesWritten(2000);
    spinUntil([] { return false; }, 300);
    EXPECT_EQ(summons, 0);
    SingleInstance second(root.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::handedOver);
    EXPECT_TRUE(spinUntil([&] { return summons == 1; }));
}

TEST(SingleInstanceTest, AnOwnerThatVanishedOrALockLeftByADeadProcessFreesTheRoot)
{
    QTemporaryDir root;
    {
        SingleInstance first(root.path());
        ASSERT_EQ(first.claim(), SingleInstance::Claim::owner);
    }
    EXPECT_EQ(SingleInstance(root.path()).claim(), SingleInstance::Claim::owner);
    QFile stale(SingleInstance(root.path()).lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147483000\nsolitask\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance next(root.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::owner);
}

TEST(SingleInstanceTest, ASecondLaunchWaitsForAnOwnerStillStartingUp)
{
    QTemporaryDir root;
    InstanceLock starting(root.path());
    ASSERT_EQ(starting.acquire(), InstanceLock::State::owned);
    std::thread owner([&] {
        QThread::msleep(600); // the lock is taken, the socket not yet there
        QLocalServer server;
        server.listen(SingleInstance::serverName(root.path()));
        QThread::msleep(2000);
    });
    SingleInstance second(root.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::handedOver);
    owner.join();
    EXPECT_FALSE(QFileInfo(second.lockPath()).permissions()
        & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

TEST(SingleInstanceTest, AFailedClaimNamesItsRealCause)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("a-file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    SingleInstance onFile(file.fileName());
    EXPECT_EQ(onFile.claim(), SingleInstance::Claim::failed);
    EXPECT_TRUE(onFile.problem().startsWith("cannot use the data folder " + file.fileName()))
        << qPrintable(onFile.problem());

    InstanceLock silent(dir.path());
    ASSERT_EQ(silent.acquire(), InstanceLock::State::owned);
    SingleInstance second(dir.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::failed);
    EXPECT_TRUE(
        second.problem().contains("did not answer on " + SingleInstance::serverName(dir.path())))
        << qPrintable(second.problem());
}

class UpdaterBridgeTest : public ::testing::Test
{
protected:
    QString check()
    {
        told.clear();
        bridge.checkForUpdates();
        spinUntil([this] { return !told.isEmpty(); }, 20000);
        return told.value(0);
    }

    QString feedFile(const QByteArray &body)
    {
        const QString path = dir.filePath(QString::number(++files) + ".json");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(body);
        return QUrl::fromLocalFile(path).toString();
    }

    TestPrefs prefs;
    DiagCapture diag;
    QTemporaryDir dir;
    int files = 0;
    QStringList told;
    UpdaterBridge bridge {"0.1.0", [this](const QString &t) { told << t; }};
};

TEST_F(UpdaterBridgeTest, TellsWhatTheFeedSaysOrThatUpdatesComeWithThePackage)
{
    const QString unreadable = "The update feed could not be read. Try again later.";
    const std::pair<QString, QString> cases[] = {
        {"", UpdaterBridge::packagedMessage()},
        {"not a url", UpdaterBridge::packagedMessage()},
        {feedFile(R"({"version": "0.2.0", "url": "https://example.org/solitask"})"),
            "Solitask 0.2.0 is available.\nhttps://example.org/solitask"},
        {feedFile(R"({"version": "0.1.0"})"), "Solitask 0.1.0 is the newest version."},
        {feedFile("<html>not json</html>"), unreadable},
        {feedFile("{}"), unreadable},
    };
    for (const auto &[feed, message] : cases) {
        Prefs::setValue(UpdaterBridge::feedKey, feed);
        EXPECT_EQ(check(), message) << feed.toStdString();
    }
}

TEST_F(UpdaterBridgeTest, AnUnreachableFeedIsAMessageNotAWait)
{
    Prefs::setValue(UpdaterBridge::feedKey, "http://127.0.0.1:9/feed.json");
    bridge.checkForUpdates();
    EXPECT_TRUE(bridge.checking());
    EXPECT_TRUE(told.isEmpty());
    bridge.checkForUpdates(); // a second click while checking is ignored
    spinUntil([this] { return !told.isEmpty(); }, 20000);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().startsWith("Couldn\u2019t check for updates: "));
}

TEST(TrayItemTest, MenuIsRebuiltEachTimeItOpensAndTheGlyphIsDrawn)
{
    VirtualClock clock;
    int rebuilds = 0;
    TrayItem tray(clock, [&](QMenu &) { ++rebuilds; });
    Q_EMIT tray.menu().aboutToShow();
    Q_EMIT tray.menu().aboutToShow();
    EXPECT_EQ(rebuilds, 2);
    const QImage disc = TrayItem::glyphIcon(TrayItem::filled).pixmap(32, 32).toImage();
    const QImage ring = TrayItem::glyphIcon(TrayItem::hollow).pixmap(32, 32).toImage();
    EXPECT_GT(disc.pixelColor(16, 16).alpha(), 200);
    EXPECT_EQ(ring.pixelColor(16, 16).alpha(), 0);
}

class RefusingLoginItem : public LoginItem
{
public:
    Support support() const override { return m_support; }
    bool setEnabled(bool) override { return m_accept; }

    Support m_support = Support::yes();
    bool m_accept = false;
};

TEST(LoggedLoginItemTest, AFailedChangeIsLoggedAndReported)
{
    DiagCapture diag;
    RefusingLoginItem inner;
    LoggedLoginItem item(inner);
    EXPECT_FALSE(item.setEnabled(true));
    inner.m_support = Support::no("no backend");
    EXPECT_FALSE(item.setEnabled(false));
    inner.m_accept = true;
    EXPECT_TRUE(item.setEnabled(true));
    EXPECT_EQ(diag.messages(),
        QStringList({"LoginItem register failed: the autostart entry could not be changed",
            "LoginItem unregister failed: no backend"}));
}

} // namespace
