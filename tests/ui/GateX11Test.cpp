#include "Solitask/gate/GateController.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/platform/linux/PresentationLockX11.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SystemClock.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString xdotool(const QStringList &args)
{
    return run("xdotool", args);
}

class GateX11Test : public ::testing::Test
{
protected:
    // Openbox announces itself before it manages new windows; a window mapped
    // in between is never mapped at all. Give it a moment once.
    static void SetUpTestSuite()
    {
        QTest::qWait(1000);
        // Xvfb starts without key repeat; a real desktop repeats a held key.
        Display *display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
        XAutoRepeatOn(display);
        XSync(display, False);
    }

    void SetUp() override
    {
        GateCallbacks c;
        c.onDeclare = [this](const QString &text, const Until &until) {
            declared << text;
            untils << until;
        };
        c.onBail = [this] { ++bails; };
        c.onAskWindowClosed = [this] { ++closes; };
        gate.setCallbacks(c);
    }

    bool firstHasKeyboard()
    {
        return QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == first(); }, 5000);
    }

    bool compactHasKeyboard()
    {
        return QTest::qWaitFor(
            [this] {
                return gate.askWindow()
                    && QGuiApplication::focusWindow() == gate.askWindow()->windowHandle();
            },
            5000);
    }

    PlainButton *choice(const QString &label) const
    {
        for (PlainButton *button : gate.askWindow()->findChildren<PlainButton *>())
            if (button->text() == label && button->isVisible())
                return button;
        return nullptr;
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
    GateController gate {clock, scheduler, lock};
    QStringList declared;
    QList<Until> untils;
    int bails = 0;
    int closes = 0;
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
    EXPECT_TRUE(firstHasKeyboard());
}

TEST_F(GateX11Test, KeepsTheKeyboardFromOtherWindowsAndTakesTheDeclaration)
{
    other.start("xterm", {"-geometry", "40x10+10+10"});
    ASSERT_TRUE(other.waitForStarted());
    QTest::qWait(800);
    gate.show(GateFace::question(), true);
    ASSERT_TRUE(firstHasKeyboard());
    QTest::qWait(300); // the grab is retried until the window is mapped

    xdotool({"key", "alt+Tab"});
    xdotool({"key", "alt+Tab"});
    QTest::qWait(300);
    EXPECT_EQ(xdotool({"getactivewindow"}).toULongLong(), first()->winId());

    xdotool({"type", "--delay", "5", "  Ship the gate"});
    xdotool({"key", "Return"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !declared.isEmpty(); }, 5000));
    EXPECT_EQ(declared, QStringList {"Ship the gate"});
}

TEST_F(GateX11Test, EscapeHeldThreeSecondsBailsOnceWithKeyRepeatAndATapDoesNot)
{
    gate.show(GateFace::question(), true);
    ASSERT_TRUE(firstHasKeyboard());
    QTest::qWait(300);
    xdotool({"key", "Escape"});
    QTest::qWait(500);
    EXPECT_EQ(bails, 0);
    EXPECT_TRUE(gate.isShowing()) << "the insisting gate ignores a short Escape";

    xdotool({"keydown", "Escape"});
    QTest::qWait(2000);
    EXPECT_EQ(bails, 0);
    EXPECT_TRUE(gate.isEscapeHeld()) << "repeats while held are one press";
    QTest::qWait(1600);
    xdotool({"keyup", "Escape"});
    QTest::qWait(300);
    EXPECT_EQ(bails, 1);
}

// The compact window takes the keyboard without a click, and keeps it in the
// field after a click on a duration.
TEST_F(GateX11Test, ClickingADurationLeavesTheKeyboardInTheField)
{
    gate.show(GateFace::question(), false);
    ASSERT_TRUE(compactHasKeyboard());
    xdotool({"type", "--delay", "5", "Chip first"});
    PlainButton *oneHour = choice("1 h");
    ASSERT_NE(oneHour, nullptr);
    const QPoint at = oneHour->mapToGlobal(oneHour->rect().center());
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    QTest::qWait(300);
    xdotool({"type", "--delay", "5", " then"});
    xdotool({"key", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !declared.isEmpty(); }, 5000));
    EXPECT_EQ(declared, QStringList {"Chip first then"});
    EXPECT_EQ(untils.first(), Until::hours(1.0));
}

// The window manager offers what the compact gate is: a window to close, not
// one to maximise; and one Escape closes it.
TEST_F(GateX11Test, TheCompactGateClosesOnOneEscapeButCannotBeMaximised)
{
    gate.show(GateFace::question(), false);
    ASSERT_TRUE(compactHasKeyboard());
    const QString id = QString::number(gate.askWindow()->winId());
    const QString actions = run("xprop", {"-id", id, "_NET_WM_ALLOWED_ACTIONS"});
    EXPECT_TRUE(actions.contains("_NET_WM_ACTION_CLOSE")) << actions.toStdString();
    EXPECT_FALSE(actions.contains("MAXIMIZE")) << actions.toStdString();
    xdotool({"key", "Escape"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return closes == 1; }, 3000));
    EXPECT_FALSE(gate.isShowing());
    EXPECT_EQ(bails, 0);
}
