#include "Solitask/gate/GateController.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateQuestionFace.h"
#include "Solitask/gate/GateView.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/platform/fake/PresentationLockFake.h"
#include "Solitask/session/VirtualClock.h"
#include "SolitaskCore/Diag.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GateControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Diag::setRoot(dir.path());
        gate.setCallbacks(callbacks());
    }

    GateCallbacks callbacks()
    {
        GateCallbacks c;
        c.onDeclare = [this](const QString &text, const Until &) { calls << "declare:" + text; };
        c.onResume = [this] { calls << "resume"; };
        c.onDone = [this] { calls << "done"; };
        c.onSomethingNew = [this] { calls << "somethingNew:" + gate.model()->text(); };
        c.onOffDuty
            = [this](std::optional<int>, const QString &reason) { calls << "offDuty:" + reason; };
        c.onBail = [this] { calls << "bail"; };
        c.onAskWindowClosed
            = [this] { calls << "closed:" + QString(gate.isShowing() ? "showing" : "hidden"); };
        return c;
    }

    QStringList logLines()
    {
        Diag::flush();
        QFile file(Diag::logPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList out;
        for (const QString &line :
            QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
            out << line.section(' ', 1);
        return out;
    }

    // To the gate's window, as the server would send it there.
    void sendEscape(QEvent::Type type, bool autoRepeat = false)
    {
        QKeyEvent event(type, Qt::Key_Escape, Qt::NoModifier, QString(), autoRepeat);
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = gate.windows().isEmpty() ? gate.askWindow() : gate.windows().first();
        QApplication::sendEvent(target, &event);
    }

    static Thing thing(const QString &text)
    {
        Thing t;
        t.text = text;
        return t;
    }

    QLineEdit *field() const
    {
        return gate.windows().first()->findChild<GateView *>()->questionFace()->field();
    }

    QTemporaryDir dir;
    VirtualClock clock;
    PresentationLockFake lock;
    GateController gate {clock, clock, lock};
    QStringList calls;
};

} // namespace

TEST_F(GateControllerTest, InsistingShowsOneLockedWindowPerScreenUntilHidden)
{
    gate.show(GateFace::question(), true);
    EXPECT_TRUE(gate.isShowing());
    ASSERT_EQ(gate.windows().size(), QGuiApplication::screens().size());
    for (int i = 0; i < gate.windows().size(); ++i) {
        GateWindow *window = gate.windows()[i];
        EXPECT_EQ(window->geometry(), QGuiApplication::screens()[i]->geometry());
        EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(lock.isEngaged());
    EXPECT_EQ(gate.askWindow(), nullptr);
    EXPECT_FALSE(gate.model()->compact());

    gate.hide();
    EXPECT_FALSE(gate.isShowing());
    EXPECT_TRUE(gate.windows().isEmpty());
    EXPECT_FALSE(lock.isEngaged());
    EXPECT_EQ(logLines(), (QStringList {"gate shown: question insist=true", "gate hidden"}));
}

TEST_F(GateControllerTest, HidingAHiddenGateDoesNothing)
{
    gate.hide();
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(GateControllerTest, ShowingWhileShowingSwitchesTheFaceInPlace)
{
    gate.show(GateFace::resume(thing("Write"), 1500, "stats"), true);
    const auto windows = gate.windows();
    gate.model()->setText("half typed");
    gate.show(GateFace::question(), true);
    EXPECT_EQ(gate.windows(), windows);
    EXPECT_EQ(gate.face(), GateFace::question());
    EXPECT_EQ(gate.model()->text(), "");
    EXPECT_EQ(logLines(), QStringList {"gate shown: resume insist=true"});
}

TEST_F(GateControllerTest, AResumeShowingKeepsTheTypedText)
{
    gate.show(GateFace::question(), true);
    gate.model()->setText("typed");
    gate.show(GateFace::resume(thing("Write"), 0, ""), true);
    EXPECT_EQ(gate.model()->text(), "typed");
}

TEST_F(GateControllerTest, CompactFormIsAClosableWindowThatReportsItsClosing)
{
    gate.show(GateFace::question(), false);
    ASSERT_NE(gate.askWindow(), nullptr);
    EXPECT_EQ(gate.askWindow()->size(), QSize(760, 520));
    EXPECT_TRUE(gate.windows().isEmpty());
    EXPECT_TRUE(gate.model()->compact());
    EXPECT_FALSE(lock.isEngaged());
    gate.askWindow()->close();
    EXPECT_EQ(calls, QStringList {"closed:hidden"});
    EXPECT_FALSE(gate.isShowing());
}

TEST_F(GateControllerTest, ClosingTheCompactWindowAfterHidingReportsNothing)
{
    gate.show(GateFace::question(), false);
    QPointer<QWidget> ask = gate.askWindow();
    gate.hide();
    if (ask)
        ask->close();
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(GateControllerTest, AnswersAreReportedButNeverHideTheGate)
{
    gate.show(GateFace::question(), true);
    QTest::keyClicks(field(), "  Ship it ");
    QTest::keyClick(field(), Qt::Key_Return);
    for (auto *link : gate.windows().first()->findChildren<PlainButton *>("exit"))
        if (link->text() == "2 h")
            link->click();
    EXPECT_EQ(calls, (QStringList {"declare:Ship it", "offDuty:2h"}));
    EXPECT_TRUE(gate.isShowing());
}

TEST_F(GateControllerTest, SomethingNewTurnsToAnEmptyQuestionBeforeReporting)
{
    gate.show(GateFace::resume(thing("Write"), 1500, "stats"), true);
    gate.model()->setText("stale");
    for (auto *b : gate.windows().first()->findChildren<PlainButton *>("somethingNew"))
        b->click();
    EXPECT_EQ(calls, QStringList {"somethingNew:"});
    EXPECT_EQ(gate.face(), GateFace::question());
}

TEST_F(GateControllerTest, EscapeHeldJustUnderThreeSecondsBailsNothing)
{
    gate.show(GateFace::question(), true);
    sendEscape(QEvent::KeyPress);
    clock.advance(2.9);
    sendEscape(QEvent::KeyRelease);
    clock.advance(5);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(gate.isEscapeHeld());
}

TEST_F(GateControllerTest, EscapeHeldPastThreeSecondsBailsOnceDespiteAutoRepeat)
{
    gate.show(GateFace::question(), true);
    sendEscape(QEvent::KeyPress);
    for (int i = 0; i < 30; ++i) {
        clock.advance(0.1);
        // X11 repeats a held key as release and press pairs.
        sendEscape(QEvent::KeyRelease, true);
        sendEscape(QEvent::KeyPress, true);
    }
    clock.advance(0.1);
    EXPECT_EQ(calls, QStringList {"bail"});
    clock.advance(10);
    sendEscape(QEvent::KeyPress, true);
    clock.advance(10);
    EXPECT_EQ(calls, QStringList {"bail"});
    EXPECT_TRUE(logLines().contains("gate: bail (esc held 3 s)"));
}

TEST_F(GateControllerTest, ASecondEscapePressStartsAFreshHold)
{
    gate.show(GateFace::question(), true);
    sendEscape(QEvent::KeyPress);
    clock.advance(2);
    sendEscape(QEvent::KeyRelease);
    clock.advance(0.3);
    sendEscape(QEvent::KeyPress);
    clock.advance(2);
    EXPECT_TRUE(calls.isEmpty());
    clock.advance(1.1);
    EXPECT_EQ(calls, QStringList {"bail"});
}

TEST_F(GateControllerTest, HidingForgetsAHeldEscape)
{
    gate.show(GateFace::question(), true);
    sendEscape(QEvent::KeyPress);
    gate.hide();
    clock.advance(5);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(GateControllerTest, EscapeNeverReachesOrClearsTheField)
{
    gate.show(GateFace::question(), true);
    QTest::keyClicks(field(), "draft");
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(field()->text(), "draft");
    EXPECT_EQ(gate.model()->text(), "draft");
}

TEST_F(GateControllerTest, DestroyingTheControllerHidesTheGate)
{
    auto owned = std::make_unique<GateController>(clock, clock, lock);
    owned->show(GateFace::question(), true);
    owned.reset();
    EXPECT_FALSE(lock.isEngaged());
}
