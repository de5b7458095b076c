#include "Solitask/gate/GateView.h"
#include "Solitask/gate/ContinueButton.h"
#include "Solitask/gate/GateExits.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateQuestionFace.h"
#include "Solitask/gate/GateResumeFace.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/session/VirtualClock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

struct Fired
{
    QStringList calls;
    QString text;
    Until until;
    std::optional<int> minutes;
    QString reason;
};

class GateViewTest : public ::testing::Test
{
protected:
    void build(bool compact = false)
    {
        clock = std::make_unique<VirtualClock>(*berlin.instant(QDate(2026, 3, 2), QTime(10, 0)));
        model.setCompact(compact);
        GateView::Actions a;
        a.onDeclare = [this](const QString &t, const Until &u) {
            fired.calls << "declare";
            fired.text = t;
            fired.until = u;
        };
        a.onResume = [this] { fired.calls << "resume"; };
        a.onDone = [this] { fired.calls << "done"; };
        a.onSomethingNew = [this] { fired.calls << "somethingNew"; };
        a.onOffDuty = [this](std::optional<int> m, const QString &r) {
            fired.calls << "offDuty";
            fired.minutes = m;
            fired.reason = r;
        };
        view = std::make_unique<GateView>(&model, *clock, berlin, a);
        view->resize(compact ? QSize(760, 520) : QSize(1440, 900));
        view->show();
        QApplication::processEvents();
    }

    QLineEdit *field() const { return view->questionFace()->field(); }

    // Types as an input method commits text, so any script and emoji arrive.
    void typeAndReturn(const QString &text)
    {
        field()->selectAll();
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(field(), &typed);
        QTest::keyClick(field(), Qt::Key_Return);
    }

    PlainButton *button(const QString &text) const
    {
        for (auto *b : view->findChildren<PlainButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }

    void showResume(const QString &text = "Write the outline")
    {
        Thing thing;
        thing.text = text;
        model.setFace(GateFace::resume(thing, 45 * 60, "2 h 10 m today"));
        QApplication::processEvents();
    }

    GateModel model;
    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<GateView> view;
    Fired fired;
};

} // namespace

TEST_F(GateViewTest, ReturnDeclaresOnlyATextWorthDeclaringTrimmedWithTheChosenEnd)
{
    build();
    typeAndReturn("🙂");
    EXPECT_TRUE(fired.calls.isEmpty()) << "one character is not a declaration";
    EXPECT_EQ(model.text(), "🙂");
    model.setText("   Finish the pricing page\n");
    button("2 h")->click();
    EXPECT_TRUE(fired.calls.isEmpty()) << "a duration only sets the model";
    QTest::keyClick(field(), Qt::Key_Return);
    ASSERT_EQ(fired.calls, QStringList {"declare"});
    EXPECT_EQ(fired.text, "Finish the pricing page");
    EXPECT_EQ(fired.until, Until::hours(2.0));
    EXPECT_EQ(model.text(), "   Finish the pricing page\n");
    const QString hebrew = QString::fromUtf8("לכתוב את הפרק 🙂");
    typeAndReturn(hebrew);
    EXPECT_EQ(model.text(), hebrew);
    EXPECT_EQ(fired.text, hebrew);
}

TEST_F(GateViewTest, ExitsReportTheirMinutesAndReasons)
{
    build();
    const struct
    {
        QString link;
        std::optional<int> minutes;
        QString reason;
    } exits[]
        = {{"30 min", 30, "30m"}, {"2 h", 120, "2h"}, {"rest of today", std::nullopt, "restOfDay"},
            {"Someone else is using this computer", -1, "someoneElse"}};
    for (const auto &e : exits) {
        fired = {};
        for (auto *b : view->findChild<GateExits *>()->findChildren<PlainButton *>())
            if (b->text() == e.link)
                b->click();
        EXPECT_EQ(fired.calls, QStringList {"offDuty"}) << e.link.toStdString();
        EXPECT_EQ(fired.minutes, e.minutes) << e.link.toStdString();
        EXPECT_EQ(fired.reason, e.reason);
    }
}

TEST_F(GateViewTest, ResumeFaceAsksAboutTheShortenedThingAndReturnContinues)
{
    build();
    showResume(QString(80, QChar('w')));
    auto *title = view->resumeFace()->findChild<QLabel *>("title");
    EXPECT_EQ(title->text(), "Still on " + QString(59, QChar('w')) + "…?");
    EXPECT_FALSE(view->questionFace()->isVisible());
    EXPECT_EQ(view->focusWidget(), view->resumeFace()->continueButton());
    QTest::keyClick(view->focusWidget(), Qt::Key_Return);
    QTest::keyClick(button("Done ✓"), Qt::Key_Return);
    button("Done ✓")->click();
    button("Something new →")->click();
    EXPECT_EQ(fired.calls, (QStringList {"resume", "resume", "done", "somethingNew"}));
}

TEST_F(GateViewTest, TheFieldTakesTheKeyboardWithoutAClickOnEveryFaceChange)
{
    build();
    EXPECT_EQ(view->focusWidget(), field());
    showResume();
    model.setText("kept across faces");
    model.setFace(GateFace::question());
    QApplication::processEvents();
    EXPECT_EQ(view->focusWidget(), field());
    EXPECT_EQ(field()->text(), "kept across faces");
    model.setCompact(true);
    EXPECT_EQ(field()->text(), "kept across faces");
}

TEST_F(GateViewTest, BothFormsFitTheirWindowWithTheEscapeReminderInTheCorner)
{
    int titleSize[2] = {};
    for (bool compact : {false, true}) {
        view.reset();
        build(compact);
        titleSize[compact] = view->questionFace()->findChild<QLabel *>("title")->font().pixelSize();
        auto *reminder = view->findChild<QLabel *>("escReminder");
        ASSERT_NE(reminder, nullptr);
        EXPECT_TRUE(reminder->isVisible());
        const QRect corner = reminder->geometry();
        EXPECT_EQ(view->width() - corner.right(), view->height() - corner.bottom()) << compact;
        EXPECT_LT(view->findChild<GateExits *>()->geometry().bottom(), view->height()) << compact;
    }
    EXPECT_LT(titleSize[true], titleSize[false]) << "the compact form uses the smaller sizes";
}
