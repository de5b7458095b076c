#include "Solitask/strip/NotchView.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/strip/NotchChip.h"
#include "Solitask/strip/NotchMainSection.h"
#include "Solitask/strip/NotchTile.h"
#include "Solitask/strip/StripShot.h"
#include "Solitask/ui/ElidedLabel.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class NotchViewTest : public ::testing::Test
{
protected:
    NotchViewTest()
        : view(model, 37)
    {
        StripActions a;
        a.onDone = [this] { calls << "done"; };
        a.onSwitch = [this](SwitchReason r) { calls << "switch:" + rawValue(r); };
        a.onOffDuty = [this](std::optional<int> m, const QString &r) {
            calls << QStringLiteral("offDuty:%1:%2").arg(m ? QString::number(*m) : "none", r);
        };
        a.onJournal = [this] { calls << "journal"; };
        a.onBackToIt = [this] { calls << "backToIt"; };
        a.onDeclare = [this] { calls << "declare"; };
        a.onBackOnDuty = [this] { calls << "backOnDuty"; };
        view.setActions(a);
    }

    template <typename V, typename T> void set(T StripState::*field, V &&value)
    {
        model.set(field, std::forward<V>(value));
        view.sync();
    }

    void committed(const QString &text = "Finish the pricing page")
    {
        set(&StripState::face, StripFace::committed);
        set(&StripState::text, text);
        set(&StripState::closeOffered, true);
    }

    QString labelText(const QString &name) const
    {
        if (auto *l = view.findChild<QLabel *>(name))
            return l->text();
        if (auto *e = view.findChild<ElidedLabel *>(name))
            return e->text();
        return "<missing>";
    }

    bool has(const QString &name) const { return view.findChild<QWidget *>(name) != nullptr; }

    template <typename W> QStringList texts(const QString &name = {}) const
    {
        QStringList out;
        for (auto *w : view.findChildren<W *>(name))
            out << w->text();
        return out;
    }

    QString tile(const QString &label) const
    {
        auto *t = view.findChild<NotchTile *>("tile:" + label);
        return t ? t->value() : "<missing>";
    }

    void pickMenu(const QString &menu, const QString &item)
    {
        auto *button = view.findChild<NotchChip *>("menu:" + menu);
        ASSERT_NE(button, nullptr) << menu.toStdString();
        for (QAction *a : button->menu()->actions()) {
            if (a->text() == item)
                return a->trigger();
        }
        FAIL() << "no item " << item.toStdString();
    }

    StripModel model;
    NotchView view;
    QStringList calls;
};

TEST_F(NotchViewTest, CommittedHeaderShowsTheBusyTextOverTheTitleAndJoinsTheTimes)
{
    committed();
    set(&StripState::elapsedText, QString("1 h 40 m"));
    set(&StripState::untilText, QString("until done"));
    EXPECT_EQ(labelText("times"), "1 h 40 m \u00b7 until done");
    set(&StripState::untilText, QString());
    EXPECT_EQ(labelText("times"), "1 h 40 m");
    set(&StripState::busyText, std::optional<QString>("Wrapping up"));
    EXPECT_EQ(labelText("title"), "Wrapping up");
    set(&StripState::busyText, std::optional<QString>());
    EXPECT_EQ(labelText("title"), "Finish the pricing page");
}

TEST_F(NotchViewTest, DoneSummaryReplacesTheWholeNowSectionAcrossTheCard)
{
    committed();
    set(&StripState::nudge, std::optional<QString>("Back to the page?"));
    set(&StripState::holdChoices, true);
    set(&StripState::doneSummary,
        std::optional<QString>(
            "Done \u00b7 2 h 5 m \u00b7 2 of 3 hours aligned \u00b7 2.4 threads an hour"));
    for (const char *gone : {"title", "statusLine", "chip:Back to it"})
        EXPECT_FALSE(has(gone)) << gone;
    view.resize(view.sizeHint());
    view.show();
    QApplication::processEvents();
    auto *summary = view.findChild<ElidedLabel *>("doneSummary");
    ASSERT_NE(summary, nullptr);
    EXPECT_GT(summary->width(), view.expandedWidth() * 4 / 5);
    EXPECT_FALSE(summary->shownText().endsWith("\u2026"));
}

TEST_F(NotchViewTest, StatusLineTakesTheFirstThatApplies)
{
    committed();
    set(&StripState::dot, DotState::clear);
    EXPECT_EQ(labelText("statusLine"), "The witness looks once an hour.");
    set(&StripState::dot, DotState::sage);
    EXPECT_EQ(labelText("statusLine"), "Last hour: with it.");
    set(&StripState::pausedReason, std::optional<QString>("screen locked"));
    EXPECT_EQ(labelText("statusLine"), "Witness paused \u2014 screen locked");
    set(&StripState::nudge, std::optional<QString>("Still on it?"));
    EXPECT_EQ(labelText("statusLine"), "Still on it?");
    set(&StripState::nudge, std::optional<QString>());
    set(&StripState::pausedReason, std::optional<QString>());
    for (DotState dot : {DotState::amber, DotState::gray}) {
        set(&StripState::dot, dot);
        EXPECT_FALSE(has("statusLine")) << rawValue(dot).toStdString();
    }
}

TEST_F(NotchViewTest, TilesShowDashWithoutJudgedHoursAndTheDayListItsLastFourRows)
{
    committed();
    EXPECT_EQ(tile("aligned"), "\u2014");
    set(&StripState::alignedPct, std::optional<int>(0));
    EXPECT_EQ(tile("aligned"), "0%") << "no hours and none aligned read differently";
    QList<DayThingRow> rows;
    for (int i = 1; i <= 6; ++i)
        rows.append({QString::number(i), QStringLiteral("thing %1").arg(i), "9:00", DotState::sage,
            i == 6});
    set(&StripState::dayThings, rows);
    EXPECT_EQ(texts<ElidedLabel>("dayRowText"),
        QStringList({"thing 3", "thing 4", "thing 5", "thing 6"}));
    EXPECT_EQ(tile("things"), "6");
}

TEST_F(NotchViewTest, EachRestingFaceOffersItsOneChipAndOnlyTheJournalInItsActions)
{
    const struct
    {
        StripFace face;
        QString title;
        QString subtitle;
        QStringList chips;
        QStringList calls;
    } cases[] = {
        {StripFace::nothing, "Nothing declared", "What\u2019s the solitask?", {"Declare\u2026"},
            {"declare"}},
        {StripFace::offDuty, "Off duty", "Until 14:30.", {"Back on duty"}, {"backOnDuty"}},
        {StripFace::quiet, "Quiet hours", "Until 14:30.", {}, {}},
    };
    set(&StripState::offDutyText, QString("Until 14:30."));
    for (const auto &c : cases) {
        calls.clear();
        set(&StripState::face, c.face);
        EXPECT_EQ(labelText("sectionTitle"), c.title);
        EXPECT_EQ(labelText("sectionSubtitle"), c.subtitle);
        EXPECT_EQ(texts<NotchChip>(), c.chips) << c.title.toStdString();
        for (NotchChip *chip : view.findChildren<NotchChip *>())
            chip->click();
        EXPECT_EQ(calls, c.calls) << c.title.toStdString();
        QWidget *actions = view.findChild<QWidget *>("actionsRow");
        ASSERT_NE(actions, nullptr);
        EXPECT_TRUE(actions->findChildren<NotchChip *>().isEmpty());
        EXPECT_NE(actions->findChild<QPushButton *>("journal"), nullptr);
    }
}

TEST_F(NotchViewTest, CommittedActionsAndChoicesCallTheWiredActions)
{
    committed();
    set(&StripState::holdChoices, true);
    set(&StripState::nudge, std::optional<QString>("Away for a while."));
    view.findChild<NotchChip *>("chip:Done")->click();
    view.findChild<NotchChip *>("chip:Back to it")->click();
    view.findChild<QPushButton *>("journal")->click();
    pickMenu("Switch \u2192", "Done enough");
    pickMenu("Off duty", "30 minutes");
    pickMenu("Off duty", "2 hours");
    pickMenu("Off duty", "Rest of today");
    EXPECT_EQ(calls,
        QStringList({"done", "backToIt", "journal", "switch:doneEnough", "offDuty:30:30m",
            "offDuty:120:2h", "offDuty:none:restOfDay"}));
}

TEST_F(NotchViewTest, DoneAndSwitchOnlyWhileOfferedAndDeclareWhileTheGateWaits)
{
    committed();
    set(&StripState::closeOffered, false);
    EXPECT_FALSE(has("chip:Done"));
    EXPECT_FALSE(has("menu:Switch \u2192"));
    EXPECT_TRUE(has("menu:Off duty"));
    EXPECT_FALSE(has("chip:Declare\u2026"));
    set(&StripState::declareOffered, true);
    EXPECT_TRUE(has("chip:Declare\u2026"));
}

TEST_F(NotchViewTest, AnActionThatRewritesTheModelDoesNotPullTheButtonAway)
{
    view.show();
    committed();
    StripActions a = view.actions();
    a.onDone = [this] {
        model.set(&StripState::face, StripFace::nothing);
        view.setActions({});
        calls << "done";
    };
    view.setActions(a);
    view.findChild<NotchChip *>("chip:Done")->click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(calls, QStringList({"done"}));
    EXPECT_EQ(labelText("sectionTitle"), "Nothing declared");
}

TEST_F(NotchViewTest, BurstsOfChangesAreDrawnOnceOnTheEventLoopAndOnlyWhenShown)
{
    int rebuilds = 0;
    QObject::connect(&view, &NotchView::rebuilt, [&] { ++rebuilds; });
    model.set(&StripState::face, StripFace::committed);
    QCoreApplication::processEvents();
    EXPECT_EQ(rebuilds, 0) << "the closed strip builds nothing";
    view.show();
    EXPECT_EQ(rebuilds, 1);
    model.set(&StripState::text, QString("A"));
    model.set(&StripState::meterText, QString("4 switches"));
    EXPECT_EQ(rebuilds, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(rebuilds, 2);
    EXPECT_EQ(labelText("meter"), "4 switches");
}

TEST_F(NotchViewTest, LongOrOddTextsAndManyHoursNeverWidenTheStrip)
{
    committed();
    const QSize before = view.sizeHint();
    for (const QString &text : {QString("   "), QString("\u05e9\u05dc\u05d5\u05dd world"),
             QString("\U0001F680 launch <b>bold</b>\nsecond line"), QString(10000, QChar('x'))}) {
        committed(text);
        EXPECT_EQ(view.sizeHint().width(), before.width());
        EXPECT_FALSE(labelText("title").contains('\n'));
    }
    view.adjustSize();
    EXPECT_TRUE(view.findChild<ElidedLabel *>("title")->shownText().endsWith(QChar(0x2026)));
    const int height = view.sizeHint().height();
    QList<HourDot> dots;
    for (int i = 0; i < 40; ++i)
        dots.append({QString::number(i), QString("%1:00").arg(i % 24), DotState::sage, i % 3 == 0});
    set(&StripState::hourDots, dots);
    EXPECT_EQ(view.sizeHint().width(), before.width());
    EXPECT_GT(view.sizeHint().height(), height) << "the hours wrap";
}

TEST_F(NotchViewTest, SampleShotIsWritten)
{
    StripShot::apply(model);
    view.sync();
    QTemporaryDir dir;
    const QString prefix = qEnvironmentVariable("SOLITASK_TEST_SHOT", dir.filePath("strip"));
    ASSERT_TRUE(StripShot::write(prefix, view));
    QImage image(prefix + "-open.png");
    EXPECT_EQ(image.width(), view.width() * 2);
    // The top edge is the card's colour, flush with the screen's edge.
    EXPECT_EQ(image.pixelColor(image.width() / 2, 1).rgb(), QColor(11, 10, 16).rgb());
}

} // namespace
