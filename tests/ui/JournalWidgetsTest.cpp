#include "Solitask/journal/CorrectionMenu.h"
#include "Solitask/journal/FocusSparkline.h"
#include "Solitask/journal/FrameCell.h"
#include "Solitask/journal/FrameTile.h"
#include "Solitask/journal/FramesSheet.h"
#include "Solitask/journal/HourDotLabel.h"
#include "Solitask/journal/JournalSession.h"
#include "Solitask/journal/PracticeView.h"
#include "Solitask/journal/ThumbGrid.h"
#include "Solitask/journal/TodayView.h"
#include "Solitask/ui/Chip.h"
#include "Solitask/ui/Palette.h"
#include "SolitaskCore/Store.h"
#include "fakes/TestPrefs.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FakeSession : public JournalSession
{
public:
    explicit FakeSession(const QString &root)
        : m_store(root, Calendar(QTimeZone::utc()))
    {
    }
    Store &store() override { return m_store; }
    int revision() const override { return m_revision; }
    void correct(const QString &hourID, std::optional<Correction> correction) override
    {
        m_store.setCorrection(hourID, correction);
        ++m_revision;
        Q_EMIT revisionChanged();
    }
    std::optional<QString> frameURL(const FrameMeta &frame) const override
    {
        if (!frame.file)
            return std::nullopt;
        const QString path = m_store.framesDir() + "/" + *frame.file;
        return QFile::exists(path) ? std::optional(path) : std::nullopt;
    }

    std::optional<HourRecord> pendingPeriod(const QString &thingID) const override
    {
        return pending && pending->thingID == thingID ? pending : std::nullopt;
    }

    std::optional<HourRecord> pending;

private:
    Store m_store;
    int m_revision = 0;
};

QDateTime at(int day, int h, int m)
{
    return QDateTime(QDate(2026, 3, day), QTime(h, m), QTimeZone::utc());
}

class JournalWidgets : public ::testing::Test
{
protected:
    QStringList texts(QWidget &root) const
    {
        QStringList all;
        for (QLabel *label : root.findChildren<QLabel *>())
            all.append(label->text());
        return all;
    }

    Thing thing(const QString &id, const QDateTime &declared) const
    {
        return {id, "Write the plan", declared, Until::untilDone(), {}, {}, {}};
    }

    HourRecord judged(
        const QString &id, const QString &thingID, const QDateTime &start, int frames) const
    {
        HourRecord h;
        h.id = id;
        h.thingID = thingID;
        h.start = start;
        h.end = start.addSecs(3600);
        h.status = HourStatus::judged;
        h.result = JudgeResult {Verdict::aligned, {}, {"doc"}, Switching::low, "", 0.9};
        for (int i = 0; i < frames; ++i) {
            const QDateTime t = start.addSecs(60 * (i + 1));
            h.frames.append({QString::number(i), t, "Docs", "docs", "Plan", std::nullopt,
                QString("f%1.jpg").arg(i)});
            h.result->frames.append({t.toString("HH:mm"), "doc", Relation::on});
        }
        return h;
    }

    static bool hasChip(QWidget &root, const QString &text)
    {
        for (Chip *c : root.findChildren<Chip *>())
            if (c->text() == text)
                return true;
        return false;
    }

    TestPrefs m_prefs;
    QTemporaryDir m_root;
    FakeSession session {m_root.path()};
};

} // namespace

TEST_F(JournalWidgets, DayWithOnlyAnOffDutyBandShowsTheBandNotTheEmptyText)
{
    session.store().addOffDuty({at(2, 8, 30), at(2, 9, 0), "30m"});
    TodayView view(session, at(2, 12, 0));
    const QStringList shown = texts(view);
    EXPECT_TRUE(shown.contains("Off duty · 08:30 – 09:00"));
    EXPECT_FALSE(shown.contains("Nothing declared yet today."));
}

TEST_F(JournalWidgets, OpenThingShowsNowAndThePendingFramesBeforeTheHourIsJudged)
{
    session.store().upsertThing(thing("t1", at(2, 9, 10)));
    TodayView view(session, at(2, 9, 40));
    EXPECT_TRUE(texts(view).contains("09:10 – now · 30 m"));
    session.pending = judged("p", "t1", at(2, 9, 10), 2);
    session.pending->status = HourStatus::unwitnessed;
    session.pending->result.reset();
    view.reload(at(2, 9, 40));
    EXPECT_TRUE(texts(view).contains("10:10 pending \u00B7 2 frames"));
    view.findChild<QPushButton *>("pendingMarker")->click();
    EXPECT_NE(view.findChild<FramesSheet *>(), nullptr);
}

TEST_F(JournalWidgets, CorrectionMenuReachesTheSessionAndTheDayFile)
{
    session.store().upsertThing(thing("t1", at(2, 9, 0)));
    session.store().upsertHour(judged("h1", "t1", at(2, 9, 0), 3));
    TodayView view(session, at(2, 11, 0));
    auto *menu = view.findChild<CorrectionMenu *>();
    ASSERT_TRUE(menu);
    QList<QAction *> actions = menu->menu()->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_FALSE(actions[4]->isEnabled()); // nothing to clear yet
    actions[2]->trigger();
    Store reread(m_root.path(), Calendar(QTimeZone::utc()));
    EXPECT_EQ(reread.hour("h1")->correction, Correction::differentThing);

    view.reload(at(2, 11, 0));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    menu = view.findChild<CorrectionMenu *>();
    EXPECT_TRUE(menu->menu()->actions()[4]->isEnabled());
    EXPECT_TRUE(hasChip(view, "That was a different thing"));
    EXPECT_EQ(view.findChild<HourDotLabel *>()->style().color, Palette::apricot());
}

TEST_F(JournalWidgets, AnHoursDotAndThumbsFollowItsCorrectionAndVerdict)
{
    HourRecord hour = judged("h1", "t1", at(2, 9, 0), 9);
    EXPECT_EQ(ThumbGrid(hour).tiles().size(), 6);
    hour.correction = Correction::away;
    EXPECT_EQ(HourDotLabel::styleFor(hour).color, Palette::gray());
    hour.result.reset();
    const ThumbGrid unjudged(hour);
    for (const QColor &c : unjudged.tiles())
        EXPECT_EQ(c, Palette::tileNeutral());
    hour.frames.clear();
    EXPECT_EQ(ThumbGrid(hour).tiles().size(), 6);
    hour.status = HourStatus::quiet;
    EXPECT_TRUE(HourDotLabel::styleFor(hour).hollow);
}

TEST_F(JournalWidgets, FramesSheetWithHundredsOfFramesLoadsOnlyVisibleCells)
{
    HourRecord hour = judged("h1", "t1", at(2, 9, 0), 300);
    hour.result->frames.resize(10); // shorter than the frames: paired by time
    FramesSheet sheet(
        hour, "Write the plan", [&](const FrameMeta &f) { return session.frameURL(f); });
    sheet.show();
    QApplication::processEvents();
    sheet.loadVisible();
    int requested = 0;
    for (FrameCell *cell : sheet.cells())
        requested += cell->imageRequested();
    EXPECT_EQ(sheet.cells().size(), 300);
    EXPECT_GT(requested, 0);
    EXPECT_LT(requested, 30);
}

TEST_F(JournalWidgets, MissingOrBrokenPicturesLeaveTheCaptionInTheTile)
{
    QDir().mkpath(session.store().framesDir());
    QFile broken(session.store().framesDir() + "/f1.jpg");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    QImage real(64, 40, QImage::Format_RGB32);
    real.fill(Qt::red);
    ASSERT_TRUE(real.save(session.store().framesDir() + "/f2.jpg", "JPEG"));
    const HourRecord hour = judged("h1", "t1", at(2, 9, 0), 3); // f0.jpg does not exist
    QList<FrameCell *> cells;
    int settled = 0;
    for (int i = 0; i < 3; ++i) {
        cells.append(new FrameCell(hour.frames[i], std::nullopt));
        QObject::connect(cells[i], &FrameCell::imageSettled, [&] { ++settled; });
        cells[i]->requestImage([&](const FrameMeta &f) { return session.frameURL(f); });
    }
    EXPECT_FALSE(cells[2]->tile()->hasImage()); // never on the requesting call
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled == 3; }, 5000));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(cells[i]->tile()->hasImage(), i == 2) << "f" << i << ".jpg";
    EXPECT_EQ(cells[0]->tile()->caption(), hour.frames[0].caption());
    qDeleteAll(cells);
}

TEST_F(JournalWidgets, PracticeShowsTheEmptyStateUntilTheFirstJudgedHour)
{
    EXPECT_TRUE(texts(*std::make_unique<PracticeView>(session.store(), at(4, 12, 0)))
                    .contains("Your practice starts with the first judged hour."));
    session.store().upsertThing(thing("t1", at(3, 9, 0)));
    for (int i = 0; i < 3; ++i)
        session.store().upsertHour(judged(QString("h%1").arg(i), "t1", at(3, 9 + i, 0), 2));
    PracticeView view(session.store(), at(4, 12, 0));
    EXPECT_TRUE(texts(view).contains("3 judged hours"));
    EXPECT_TRUE(hasChip(view, "not enough hours yet"));
}

TEST_F(JournalWidgets, SparklineLabelsNeverRunIntoEachOther)
{
    struct Case
    {
        int weeks;
        double lastScore;
        int width;
    };
    for (const Case &c : {Case {8, 42, 560}, Case {8, 100, 560}, Case {8, 0, 300},
             Case {2, 50, 200}, Case {1, 7, 560}}) {
        QList<WeekStats> weeks;
        for (int i = 0; i < c.weeks; ++i) {
            WeekStats w;
            w.weekStart = at(2, 9, 0).date().addDays(7 * (i - c.weeks)).toString(Qt::ISODate);
            w.focusScore = i + 1 == c.weeks ? c.lastScore : 60.0;
            weeks.append(w);
        }
        FocusSparkline line(weeks, Calendar(QTimeZone::utc()));
        line.resize(c.width, 150);
        const QList<FocusSparkline::Label> labels = line.labels();
        EXPECT_GE(labels.size(), 4) << c.width;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(QRectF(line.rect()).contains(labels[i].rect))
                << labels[i].text.toStdString();
            for (qsizetype j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect))
                    << labels[i].text.toStdString() << " / " << labels[j].text.toStdString()
                    << " at width " << c.width;
        }
    }
}

TEST_F(JournalWidgets, FramesSheetHeaderEndsALongSolitaskBeforeDone)
{
    const HourRecord hour = judged("h1", "t1", at(2, 9, 0), 2);
    FramesSheet sheet(hour, QString(40, 'w') + " and then the whole pricing page rewritten", {});
    sheet.show();
    QApplication::processEvents();
    auto *subtitle = sheet.findChild<QWidget *>("sheetSubtitle");
    auto *done = sheet.findChild<QPushButton *>("sheetDone");
    ASSERT_NE(subtitle, nullptr);
    ASSERT_NE(done, nullptr);
    EXPECT_LE(subtitle->mapTo(&sheet, QPoint(subtitle->width(), 0)).x(),
        done->mapTo(&sheet, QPoint()).x());
    EXPECT_TRUE(subtitle->toolTip().endsWith("rewritten"));
}
