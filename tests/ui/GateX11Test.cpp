#include "Solitask/gate/GateController.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/platform/linux/PresentationLockX11.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SystemClock.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QString xdotool(const QStringList &args)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

class GateX11Test : public ::testing::Test
{
protected:
    // Openbox announces itself before it manages new windows; a window mapped
    // in between is never mapped at all. Give it a moment once.
    static void SetUpTestSuite() { QTest::qWait(1000); }

    void SetUp() override
    {
        GateCallbacks c;
        c.onDeclare = [this](const QString &text, const Until &) { declared << text; };
        gate.setCallbacks(c);
    }

    void TearDown() override
    {
        gate.hide();
        if (other.state() != QProcess::NotRunning) {
            other.kill();
            other.waitForFinished();
        }
    }

    QWindow *first() const { return gate.windows().first()->windowHandle(); }

    SystemClock clock;
    QtScheduler scheduler;
    PresentationLockX11 lock;
    GateController gate{clock, scheduler, lock};
    QStringList declared;
    QProcess other;
};

} // namespace

TEST_F(GateX11Test, CoversEveryScreenWithTheFirstWindowKey)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    gate.show(GateFace::question(), true);
    ASSERT_EQ(gate.windows().size(), 2);
    for (int i = 0; i < 2; ++i) {
        GateWindow *window = gate.windows()[i];
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(window->screen(), QGuiApplication::screens()[i]);
        EXPECT_EQ(window->geometry(), QGuiApplication::screens()[i]->geometry());
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == first(); }, 5000));
}

TEST_F(GateX11Test, KeepsTheKeyboardFromOtherWindowsAndTakesTheDeclaration)
{
    other.start("xterm", {"-geometry", "40x10+10+10"});
    ASSERT_TRUE(other.waitForStarted());
    QTest::qWait(800);
    gate.show(GateFace::question(), true);
    ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == first(); }, 5000));
    QTest::qWait(300); // the grab is retried until the window is mapped

    xdotool({"key", "alt+Tab"});
    xdotool({"key", "alt+Tab"});
    QTest::qWait(300);
    EXPECT_EQ(xdotool({"getactivewindow"}).toULongLong(), first()->winId());

    xdotool({"type", "--delay", "5", "  Ship the gate"});
    xdotool({"key", "Return"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !declared.isEmpty(); }, 5000));
    EXPECT_EQ(declared, QStringList{"Ship the gate"});

}

TEST_F(GateX11Test, TheCompactWindowTakesTheKeyboardWithoutAClick)
{
    gate.show(GateFace::question(), false);
    ASSERT_NE(gate.askWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gate.askWindow()));
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return QGuiApplication::focusWindow() == gate.askWindow()->windowHandle(); }, 5000));
    xdotool({"type", "--delay", "5", "Compact it"});
    xdotool({"key", "Return"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !declared.isEmpty(); }, 5000));
    EXPECT_EQ(declared, QStringList{"Compact it"});
}
