#include "Solitask/gate/GateController.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateQuestionFace.h"
#include "Solitask/gate/GateView.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/platform/fake/PresentationLockFake.h"
#include "Solitask/session/VirtualClock.h"
#include "fakes/DiagCapture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GateControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GateCallbacks c;
        c.onDeclare = [this](const QString &text, const Until &) { calls << "declare:" + text; };
        c.onSomethingNew = [this] { calls << "somethingNew:" + gate.model()->text(); };
        c.onOffDuty
            = [this](std::optional<int>, const QString &reason) { calls << "offDuty:" + reason; };
        c.onBail = [this] { calls << "bail"; };
        c.onAskWindowClosed
            = [this] { calls << "closed:" + QString(gate.isShowing() ? "showing" : "hidden"); };
        gate.setCallbacks(c);
    }

    // Plays Escape to the gate's window as the server would send it there:
    // p press, r release, P and R the same auto-repeated, h hide the gate,
    // w2.9 wait 2.9 s.
    void playEscape(const QString &script)
    {
        for (const QString &step : script.split(' ', Qt::SkipEmptyParts)) {
            if (step == "h") {
                gate.hide();
            } else if (step.startsWith('w')) {
                clock.advance(step.mid(1).toDouble());
            } else {
                const bool press = step.compare("p", Qt::CaseInsensitive) == 0;
                QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Escape,
                    Qt::NoModifier, QString(), step.isUpper());
                QWidget *target = QApplication::focusWidget();
                if (!target)
                    target = gate.windows().first();
                QApplication::sendEvent(target, &event);
            }
        }
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

    DiagCapture diag;
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
    EXPECT_EQ(gate.windows().size(), QGuiApplication::screens().size());
    EXPECT_TRUE(lock.isEngaged());
    EXPECT_EQ(gate.askWindow(), nullptr);
    EXPECT_FALSE(gate.model()->compact());

    gate.hide();
    gate.hide(); // a hidden gate stays quiet
    EXPECT_FALSE(gate.isShowing());
    EXPECT_TRUE(gate.windows().isEmpty());
    EXPECT_FALSE(lock.isEngaged());
    EXPECT_EQ(diag.messages(), (QStringList {"gate shown: question insist=true", "gate hidden"}));
}

TEST_F(GateControllerTest, ShowingWhileShowingSwitchesTheFaceInPlaceAndOnlyResumeKeepsTheText)
{
    gate.show(GateFace::resume(thing("Write"), 1500, "stats"), true);
    const auto windows = gate.windows();
    gate.model()->setText("half typed");
    gate.show(GateFace::question(), true);
    EXPECT_EQ(gate.windows(), windows);
    EXPECT_EQ(gate.face(), GateFace::question());
    EXPECT_EQ(gate.model()->text(), "");
    EXPECT_EQ(diag.messages(), QStringList {"gate shown: resume insist=true"});
    gate.model()->setText("typed");
    gate.show(GateFace::resume(thing("Write"), 0, ""), true);
    EXPECT_EQ(gate.model()->text(), "typed");
}

TEST_F(GateControllerTest, CompactFormIsAClosableWindowThatReportsOnlyItsOwnClosing)
{
    gate.show(GateFace::question(), false);
    ASSERT_NE(gate.askWindow(), nullptr);
    EXPECT_TRUE(gate.windows().isEmpty());
    EXPECT_TRUE(gate.model()->compact());
    EXPECT_FALSE(lock.isEngaged());
    gate.askWindow()->close();
    EXPECT_EQ(calls, QStringList {"closed:hidden"});
    EXPECT_FALSE(gate.isShowing());

    calls.clear();
    gate.show(GateFace::question(), false);
    QPointer<QWidget> ask = gate.askWindow();
    gate.hide();
    if (ask)
        ask->close();
    EXPECT_TRUE(calls.isEmpty()) << "closed after hiding";
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

TEST_F(GateControllerTest, EscapeHeldThreeSecondsBailsOnce)
{
    // X11 repeats a held key as release and press pairs.
    const QString repeats = QString(" w.1 R P").repeated(30);
    const struct
    {
        const char *name;
        QString keys;
        int bails;
    } cases[] = {
        {"released just under three seconds", "p w2.9 r w5", 0},
        {"held through auto-repeat", "p" + repeats + " w.1 w10 P w10", 1},
        {"a second press starts a fresh hold", "p w2 r w.3 p w2", 0},
        {"the fresh hold bails in its turn", "p w2 r w.3 p w3.1", 1},
        {"hiding forgets the held key", "p h w5", 0},
    };
    for (const auto &c : cases) {
        calls.clear();
        gate.show(GateFace::question(), true);
        playEscape(c.keys);
        EXPECT_EQ(calls.count("bail"), c.bails) << c.name;
        gate.hide();
    }
    EXPECT_EQ(diag.count("gate: bail (esc held 3 s)"), 2);
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
