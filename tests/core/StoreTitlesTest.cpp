#include "SolitaskCore/StoreTitles.h"
#include "SolitaskCore/Store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

QDateTime local(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), berlin.timeZone()).toUTC();
}

FrameMeta frame(const QDateTime &time, const QString &title)
{
    return FrameMeta {QString::number(time.toSecsSinceEpoch()), time, "Editor",
        "org.example.Editor", title, std::nullopt, "x.jpg"};
}

HourRecord hourWith(const QString &id, const QDateTime &start, const QList<FrameMeta> &frames)
{
    HourRecord hour;
    hour.id = id;
    hour.thingID = "t";
    hour.start = start;
    hour.end = start.addSecs(3600);
    hour.frames = frames;
    JudgeResult result;
    for (qsizetype i = 0; i < frames.size(); ++i)
        result.frames.append({"09:00", "doc", Relation::on});
    hour.result = result;
    return hour;
}

QByteArray dayFile(const QString &root, const QString &key)
{
    QFile file(root + "/days/" + key + ".json");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(StoreTitlesTest, TitlesOlderThanTheCutOffLeaveTheDayFileAndTheRestStays)
{
    QTemporaryDir dir;
    {
        Store store(dir.path(), berlin);
        store.upsertHour(hourWith("old", local(2, 9), {frame(local(2, 9, 10), "Old secret plan")}));
        store.upsertHour(hourWith("new", local(3, 9),
            {frame(local(3, 9, 10), "Before cut"), frame(local(3, 9, 40), "After cut")}));
    }
    Store store(dir.path(), berlin); // a fresh process, nothing cached
    StoreTitles::forget(store, local(3, 9, 30));

    EXPECT_FALSE(dayFile(dir.path(), "2026-03-02").contains("Old secret plan"));
    const HourRecord old = *store.hour("old");
    EXPECT_TRUE(old.frames[0].windowTitle.isEmpty());
    EXPECT_EQ(old.frames[0].appName, "Editor");
    EXPECT_EQ(old.frames[0].time, local(2, 9, 10));
    EXPECT_EQ(old.result->frames[0].relation, Relation::on);
    const HourRecord recent = *store.hour("new");
    EXPECT_TRUE(recent.frames[0].windowTitle.isEmpty());
    EXPECT_EQ(recent.frames[1].windowTitle, "After cut");
    EXPECT_TRUE(dayFile(dir.path(), "2026-03-03").contains("After cut"));
}

} // namespace
