// A first run of the real binary on the test's X display: the onboarding comes
// before anything else, its last step hands over to the gate, and the strip's
// journal button opens the journal above the gate.
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

/// xdotool's output, trimmed.
QString xdotool(const QStringList &args)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

/// The id of a visible window with this title, empty while there is none.
QString visibleWindow(const QString &title)
{
    return xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
}

QString waitForWindow(const QString &title, int ms = 15000)
{
    QDeadlineTimer deadline(ms);
    QString id;
    while ((id = visibleWindow(title)).isEmpty() && !deadline.hasExpired())
        QThread::msleep(100);
    return id;
}

struct Size
{
    int width = 0;
    int height = 0;
};

Size windowSize(const QString &id)
{
    Size size;
    for (const QString &line : xdotool({"getwindowgeometry", "--shell", id}).split('\n')) {
        if (line.startsWith("WIDTH="))
            size.width = line.mid(6).toInt();
        else if (line.startsWith("HEIGHT="))
            size.height = line.mid(7).toInt();
    }
    return size;
}

void clickIn(const QString &id, int x, int y)
{
    xdotool({"mousemove", "--window", id, QString::number(x), QString::number(y), "click", "1"});
}

/// A person's first launch: a store and preferences nobody has used yet, set
/// only to be never quiet whatever the hour the test runs at.
class FirstRun
{
public:
    FirstRun()
    {
        QSettings prefs(configFile(), QSettings::IniFormat);
        prefs.setValue("quietWeekends", false);
        prefs.setValue("quietStartMinutes", 0);
        prefs.setValue("quietEndMinutes", 0);
        prefs.setValue("doubleTapOption", false);
        prefs.sync();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.insert("SOLITASK_ROOT", m_home.filePath("root"));
        env.remove("QT_QPA_PLATFORM");
        m_process.setProcessEnvironment(env);
    }

    ~FirstRun() { stop(); }

    void start()
    {
        m_process.start(SOLITASK_BINARY, {});
        ASSERT_TRUE(m_process.waitForStarted(10000));
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString configFile() const { return m_home.filePath("config/Solitask/Solitask.conf"); }

    bool onboardingDone() const
    {
        return QSettings(configFile(), QSettings::IniFormat).value("onboardingDone").toBool();
    }

    QString diag() const { return TestSupport::diagLog(m_home.filePath("root")); }

    bool waitForLog(const QString &line, int ms = 15000) const
    {
        return TestSupport::waitForDiagLine(m_home.filePath("root"), line, ms);
    }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

const QString welcome = QStringLiteral("Welcome to Solitask");

/// Every step's forward button sits at the bottom right of the onboarding's card.
void pressForward(const QString &onboarding)
{
    const Size size = windowSize(onboarding);
    clickIn(onboarding, size.width - 125, size.height - 68);
    QThread::msleep(800);
}

TEST(FirstRun, OnboardingComesFirstAndItsLastStepBringsTheGate)
{
    FirstRun run;
    run.start();
    const QString onboarding = waitForWindow(welcome);
    ASSERT_FALSE(onboarding.isEmpty()) << "a first run shows the onboarding";
    QThread::msleep(1000);
    EXPECT_FALSE(run.diag().contains("gate shown")) << "nothing else before the onboarding";

    for (int step = 0; step < 4; ++step)
        pressForward(onboarding);
    EXPECT_TRUE(run.waitForLog("gate shown: question"));
    EXPECT_TRUE(run.onboardingDone());
    EXPECT_TRUE(visibleWindow(welcome).isEmpty()) << "finishing closes the onboarding";

    // The insisting gate stays above the strip; once the solitask is declared
    // the strip's journal button, last on its bottom row, opens the journal.
    xdotool({"type", "--delay", "20", "Write the quarterly report"});
    xdotool({"key", "Return"});
    ASSERT_TRUE(run.waitForLog("gate hidden"));
    xdotool({"mousemove", "640", "4"});
    const QString strip = waitForWindow("Solitask Strip", 5000);
    ASSERT_FALSE(strip.isEmpty()) << "hovering the top centre shows the strip";
    const Size size = windowSize(strip);
    clickIn(strip, size.width - 40, size.height - 23);
    EXPECT_FALSE(waitForWindow("Solitask Journal", 5000).isEmpty())
        << "the strip's journal button opens the journal";
}

TEST(FirstRun, OnboardingLeftUnfinishedIsShownAgainAtTheNextLaunch)
{
    FirstRun run;
    run.start();
    ASSERT_FALSE(waitForWindow(welcome).isEmpty());
    pressForward(waitForWindow(welcome));
    run.stop();
    EXPECT_FALSE(run.onboardingDone());

    run.start();
    EXPECT_FALSE(waitForWindow(welcome).isEmpty());
    QThread::msleep(1000);
    EXPECT_FALSE(run.diag().contains("gate shown"));
}

} // namespace
