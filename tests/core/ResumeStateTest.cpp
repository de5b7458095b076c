#include "SolitaskCore/ResumeState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QDateTime at(int minute)
{
    return QDateTime(QDate(2026, 3, 2), QTime(9, minute), QTimeZone::utc());
}

ResumeState sample()
{
    HourRecord period;
    period.thingID = "T1";
    period.start = at(0);
    period.end = at(6);
    FrameMeta frame;
    frame.id = "F1";
    frame.time = at(6);
    frame.skipped = SkipReason::idle;
    period.frames = {frame};
    HourRecord judging = period;
    judging.id = "H1";
    return {period, at(6), {judging}, OffDutyStretch {at(7), "lunch", at(37)}};
}

} // namespace

TEST(ResumeFile, RoundTripsAndAnEmptyStateLeavesNoFile)
{
    QTemporaryDir root;
    ASSERT_TRUE(ResumeFile::save(root.path(), sample()));
    EXPECT_EQ(ResumeFile::load(root.path()), sample());
    ResumeState untilUnlock = sample();
    untilUnlock.offDuty->until.reset();
    ASSERT_TRUE(ResumeFile::save(root.path(), untilUnlock));
    EXPECT_EQ(ResumeFile::load(root.path()), untilUnlock);
    ASSERT_TRUE(ResumeFile::save(root.path(), {}));
    EXPECT_FALSE(QFile::exists(ResumeFile::path(root.path())));
    EXPECT_EQ(ResumeFile::load(root.path()), ResumeState {});
}

TEST(ResumeFile, AnUnreadableFileIsKeptAsideAndReadsAsNothing)
{
    for (const QByteArray &bytes : {QByteArray("{not json"), QByteArray("{\"period\":{}}"),
             QByteArray("{\"offDuty\":{\"since\":\"yesterday\",\"reason\":\"x\"}}")}) {
        QTemporaryDir root;
        QFile file(ResumeFile::path(root.path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        EXPECT_EQ(ResumeFile::load(root.path()), ResumeState {}) << bytes.constData();
        EXPECT_TRUE(QFile::exists(ResumeFile::path(root.path()) + ".unreadable"));
    }
}
