#include "SolitaskCore/Store.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/StoredTexts.h"
#include "SolitaskCore/WeekStats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

// Owner, user, group and others, as Qt spells modes: 0x7700 is rwx for the owner only.
int mode(const QString &path)
{
    return QFileInfo(path).permissions().toInt() & 0x7777;
}

// Berlin wall-clock time on a day of March 2026 (CET, before the change on the 29th).
QDateTime local(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), berlin.timeZone()).toUTC();
}

Thing thing(const QString &id, const QDateTime &declaredAt)
{
    Thing t;
    t.id = id;
    t.text = "work";
    t.declaredAt = declaredAt;
    return t;
}

HourRecord hour(const QString &id, const QString &thingID, const QDateTime &start)
{
    HourRecord h;
    h.id = id;
    h.thingID = thingID;
    h.start = start;
    h.end = start.addSecs(3600);
    h.status = HourStatus::judged;
    h.result = JudgeResult {Verdict::aligned, {{"09:00", "x", Relation::on}}, {"x"}, {}, {}, 1};
    return h;
}

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

QStringList weekKeys(const QList<WeekStats> &weeks)
{
    QStringList keys;
    for (const WeekStats &week : weeks)
        keys.append(week.weekStart);
    return keys;
}

QStringList dayKeys(const WeekStats &week)
{
    QStringList keys;
    for (const DayStats &day : week.days)
        keys.append(day.date);
    return keys;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class StoreTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString root = dir.filePath("root");
    Store store {root, berlin};

    QString dayFile(const QString &key) const { return store.daysDir() + "/" + key + ".json"; }
    DayLog reread(const QString &key) const { return Store(root, berlin).log(key); }
};

} // namespace

TEST_F(StoreTest, FoldersAndFilesAreOwnerOnlyButAnExistingRootKeepsItsMode)
{
    for (const QString &folder : {root, store.daysDir(), store.framesDir()})
        EXPECT_EQ(mode(folder), 0x7700) << folder.toStdString();
    store.upsertThing(thing("T1", local(2, 9)));
    EXPECT_EQ(mode(dayFile("2026-03-02")), 0x6600);
    EXPECT_EQ(QDir(store.daysDir()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file left behind";

    const QString mine = dir.filePath("shared-root");
    ASSERT_TRUE(QDir().mkpath(mine));
    ASSERT_TRUE(QFile::setPermissions(mine, QFileDevice::Permissions(0x7750)));
    const Store onIt(mine, berlin);
    EXPECT_EQ(mode(mine), 0x7750);
    EXPECT_EQ(mode(onIt.daysDir()), 0x7700);
}

TEST_F(StoreTest, WritesThroughAndReadsBackFromDisk)
{
    store.upsertThing(thing("T1", local(2, 9)));
    Thing closed = thing("T1", local(2, 9));
    closed.closedAt = local(2, 10);
    closed.outcome = Outcome::done;
    store.upsertThing(closed);
    store.addOffDuty({local(2, 12), local(2, 13), "lunch"});
    store.addBail(local(2, 7));
    store.upsertHour(hour("H2", "T1", local(2, 10)));
    store.upsertHour(hour("H1", "T1", local(2, 9)));
    store.upsertHour(hour("H2", "T1", local(2, 8)));

    const DayLog day = reread("2026-03-02");
    ASSERT_EQ(day.things.size(), 1) << "upsert replaces the same id";
    EXPECT_EQ(day.things[0].outcome, Outcome::done);
    EXPECT_EQ(day.offDuty.size(), 1);
    EXPECT_EQ(day.bails.size(), 1);
    ASSERT_EQ(day.hours.size(), 2);
    EXPECT_EQ(day.hours[0].id, "H2") << "hours kept in start order";
    EXPECT_EQ(Store(root, berlin).thing("T1")->closedAt, local(2, 10)) << "found on disk";
    EXPECT_FALSE(store.thing("nope"));
}

TEST_F(StoreTest, ThingAcrossMidnight)
{
    const Thing monday = thing("T1", local(2, 23, 50));
    store.upsertThing(monday);
    store.upsertHour(hour("H1", "T1", local(3, 0, 5)));
    EXPECT_EQ(store.log(local(2, 23, 50)).things.size(), 1);
    EXPECT_EQ(store.log(local(3, 1)).hours.size(), 1);
    EXPECT_TRUE(store.log(local(3, 1)).things.isEmpty());

    Store tuesday(root, berlin);
    EXPECT_EQ(tuesday.openThing(local(3, 1))->id, "T1") << "found through yesterday";
    const QList<HourRecord> hours = tuesday.hours("T1", local(3, 1));
    ASSERT_EQ(hours.size(), 1);
    EXPECT_EQ(hours[0].id, "H1");
    EXPECT_FALSE(tuesday.openThing(local(4, 1))) << "the day before yesterday is not consulted";
}

TEST_F(StoreTest, OpenThingPrefersTheLastOpenOne)
{
    Thing first = thing("T1", local(2, 8));
    Thing second = thing("T2", local(2, 9));
    second.outcome = Outcome::done; // no closedAt: still open
    Thing third = thing("T3", local(2, 10));
    third.closedAt = local(2, 11);
    for (const Thing &t : {first, second, third})
        store.upsertThing(t);
    EXPECT_EQ(store.openThing(local(2, 12))->id, "T2");
}

TEST_F(StoreTest, StaleSweepAtTheThirtySixHourEdge)
{
    Thing forgotten = thing("T1", local(2, 9));
    forgotten.outcome = Outcome::done;
    forgotten.switchReason = SwitchReason::interrupted;
    store.upsertThing(forgotten);

    store.abandonStaleThings(local(3, 23, 59));
    EXPECT_TRUE(reread("2026-03-02").things[0].isOpen());
    store.abandonStaleThings(local(4, 0, 0)); // exactly noon + 36 h: not yet
    EXPECT_TRUE(reread("2026-03-02").things[0].isOpen());

    store.abandonStaleThings(local(4, 0, 1));
    const Thing swept = reread("2026-03-02").things[0];
    EXPECT_EQ(swept.closedAt, local(2, 17));
    EXPECT_EQ(swept.outcome, Outcome::abandoned);
    EXPECT_EQ(swept.switchReason, SwitchReason::interrupted);
}

TEST_F(StoreTest, StaleSweepLeavesUnchangedDaysUnwritten)
{
    Thing closed = thing("T1", local(2, 9));
    closed.closedAt = local(2, 10);
    store.upsertThing(closed);
    const QDateTime written = QFileInfo(dayFile("2026-03-02")).lastModified();
    writeFile(store.daysDir() + "/notes.txt", "x");
    writeFile(store.daysDir() + "/junk-key.json", "{}");
    store.abandonStaleThings(local(20, 9));
    EXPECT_EQ(QFileInfo(dayFile("2026-03-02")).lastModified(), written);
    EXPECT_EQ(readFile(store.daysDir() + "/junk-key.json"), "{}");
}

TEST_F(StoreTest, AllKeysListsOnlyDayFilesInOrder)
{
    for (const char *name : {"2026-03-03.json", "2026-03-01.json", "notes.txt",
             "2026-03-02.json.bak", "2026-02-28.json"})
        writeFile(store.daysDir() + "/" + name, "{}");
    EXPECT_EQ(store.allKeys(), QStringList({"2026-02-28", "2026-03-01", "2026-03-03"}));
}

// The file name decides the day, never its content.
TEST_F(StoreTest, UnreadableDaysReadEmptyAndAreKeptAsideBeforeTheNextWrite)
{
    DayLog other = DayLog::empty("2026-03-05");
    other.bails.append(BailRecord {local(5, 7)});
    const QByteArray misnamed = DayLogJson::encode(other);
    other.date = "../../outside";
    const std::pair<const char *, QByteArray> cases[] = {
        {"truncated", "{\"date\": \"2026-03-02\", trunc"},
        {"another day", misnamed},
        {"a date leaving the folder", DayLogJson::encode(other)},
        {"an instant past 9999",
            R"({"bails":[{"at":"9999-12-31T23:30:00-01:00"}],)"
            R"("date":"2026-03-02","hours":[],"offDuty":[],"things":[]})"},
    };
    int day = 10;
    for (const auto &[name, bytes] : cases) {
        const QString key = DayKey::key(local(day, 9), berlin);
        writeFile(dayFile(key), bytes);
        EXPECT_EQ(store.log(key), DayLog::empty(key)) << name;
        EXPECT_EQ(readFile(dayFile(key)), bytes) << "reading never touches the file";
        EXPECT_TRUE(store.allKeys().contains(key));
        store.addBail(local(day++, 8));
        EXPECT_EQ(readFile(dayFile(key) + ".unreadable"), bytes) << name;
        EXPECT_EQ(reread(key).bails.size(), 1) << name;
    }
    EXPECT_FALSE(QFile::exists(dayFile("2026-03-05")));
    EXPECT_FALSE(QFile::exists(dir.filePath("outside.json")));

    // A second corruption of the same day never overwrites the first one kept.
    writeFile(dayFile("2026-03-10"), "also bad");
    Store(root, berlin).addBail(local(10, 7));
    EXPECT_EQ(readFile(dayFile("2026-03-10") + ".unreadable"), cases[0].second);
    EXPECT_EQ(readFile(dayFile("2026-03-10") + ".unreadable.1"), "also bad");

    QFile big(dayFile("2026-03-02"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(Store::maxDayFileBytes + 1)); // sparse: costs no disk
    big.close();
    EXPECT_EQ(store.log("2026-03-02"), DayLog::empty("2026-03-02"));
    store.addBail(local(2, 7));
    EXPECT_EQ(QFileInfo(dayFile("2026-03-02") + ".unreadable").size(), Store::maxDayFileBytes + 1);
}

TEST_F(StoreTest, CorrectionsFindTheHourAnywhere)
{
    store.upsertHour(hour("H1", "T1", local(2, 9)));
    store.upsertHour(hour("H2", "T1", local(5, 9)));
    store.setCorrection("H1", Correction::differentThing);
    EXPECT_EQ(reread("2026-03-02").hours[0].correction, Correction::differentThing);
    store.setCorrection("H1", std::nullopt);
    EXPECT_FALSE(reread("2026-03-02").hours[0].correction);
    EXPECT_EQ(store.hour("H2")->start, local(5, 9));

    const QDateTime before = QFileInfo(dayFile("2026-03-05")).lastModified();
    store.setCorrection("missing", Correction::away);
    EXPECT_EQ(QFileInfo(dayFile("2026-03-05")).lastModified(), before);
    EXPECT_FALSE(store.hour("missing"));
}

TEST_F(StoreTest, RecentLogsOldestFirst)
{
    store.addBail(local(1, 9));
    const QList<DayLog> logs = store.recentLogs(3, local(3, 9));
    ASSERT_EQ(logs.size(), 3);
    EXPECT_EQ(logs[0].date, "2026-03-01");
    EXPECT_EQ(logs[0].bails.size(), 1);
    EXPECT_EQ(logs[2].date, "2026-03-03");
    EXPECT_TRUE(store.recentLogs(-2, local(3, 9)).isEmpty());
}

TEST_F(StoreTest, OnlyRegularFilesAreReadOrReplaced)
{
    const QString outside = dir.filePath("outside.txt");
    writeFile(outside, "precious");
    ASSERT_TRUE(QFile::setPermissions(
        outside, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    const QFileDevice::Permissions outsideMode = QFileInfo(outside).permissions();
    ASSERT_TRUE(QFile::link(outside, dayFile("2026-03-02")));
    ASSERT_TRUE(QFile::link("/dev/zero", dayFile("2026-03-03")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dayFile("2026-03-04")).constData(), 0600), 0);

    // Each would hang or exhaust memory if opened and read to its end.
    for (int day : {2, 3, 4}) {
        EXPECT_EQ(store.log(local(day, 9)), DayLog::empty(DayKey::key(local(day, 9), berlin)));
        store.addBail(local(day, 9));
        const QFileInfo written(dayFile(DayKey::key(local(day, 9), berlin)));
        EXPECT_TRUE(written.isFile() && !written.isSymLink()) << day;
        EXPECT_EQ(Store(root, berlin).log(local(day, 9)).bails.size(), 1) << day;
    }
    EXPECT_EQ(readFile(outside), "precious");
    EXPECT_EQ(QFileInfo(outside).permissions(), outsideMode);
    EXPECT_TRUE(QFileInfo(dayFile("2026-03-02") + ".unreadable").isSymLink())
        << "kept, not followed";
}

TEST_F(StoreTest, HugeJudgeTextsLeaveADayThatReadsBackWhole)
{
    const QString huge(30 * 1000 * 1000, u'x');
    for (int h = 9; h < 12; ++h) {
        HourRecord failed = hour(QString("H%1").arg(h), "T1", local(2, h));
        failed.status = HourStatus::unwitnessed;
        failed.error = huge;
        store.upsertHour(failed);
    }
    EXPECT_TRUE(store.writeProblem().isEmpty());
    const DayLog day = reread("2026-03-02");
    ASSERT_EQ(day.hours.size(), 3);
    EXPECT_EQ(day.hours[2].error->size(), StoredTexts::errorChars);
    EXPECT_LT(QFileInfo(dayFile("2026-03-02")).size(), 100000);
}

// Root bypasses file modes, so for root a /proc folder stands in for a read-only one.
QString unwritableFolder(const QTemporaryDir &dir)
{
    if (::geteuid() == 0)
        return "/proc/1";
    const QString folder = dir.filePath("read-only");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return folder;
}

TEST(StoreFailures, UnusableRootsAreNamedAndChangesStayInMemory)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("plain-file"), "x");
    for (const QString &root : {dir.filePath("plain-file"), unwritableFolder(dir)}) {
        Store store(root, berlin);
        EXPECT_TRUE(store.rootProblem().startsWith(root)) << store.rootProblem().toStdString();
        store.addBail(local(2, 7));
        EXPECT_FALSE(store.writeProblem().isEmpty());
        EXPECT_EQ(store.log("2026-03-02").bails.size(), 1);
        EXPECT_TRUE(store.allKeys().isEmpty());
    }
}

TEST_F(StoreTest, AFailedWriteIsRetriedWithTheNextChange)
{
    EXPECT_TRUE(store.rootProblem().isEmpty());
    const QString days = store.daysDir();
    ASSERT_TRUE(QDir().rename(days, days + "-away"));
    writeFile(days, "in the way");
    store.addBail(local(2, 7));
    EXPECT_TRUE(store.writeProblem().contains("2026-03-02")) << store.writeProblem().toStdString();

    QFile::remove(days);
    ASSERT_TRUE(QDir().rename(days + "-away", days));
    store.addBail(local(3, 7));
    EXPECT_TRUE(store.writeProblem().isEmpty());
    EXPECT_EQ(reread("2026-03-02").bails.size(), 1) << "the earlier day caught up";
    EXPECT_EQ(reread("2026-03-03").bails.size(), 1);
}

TEST(StoreRoot, EnvironmentOverridesUnlessEmpty)
{
    qputenv("SOLITASK_ROOT", "/tmp/solitask-root-test");
    EXPECT_EQ(Store::defaultRoot(), "/tmp/solitask-root-test");
    qputenv("SOLITASK_ROOT", "");
    EXPECT_TRUE(Store::defaultRoot().endsWith("/Solitask"));
    EXPECT_NE(Store::defaultRoot(), "/Solitask");
    qunsetenv("SOLITASK_ROOT");
}

TEST_F(StoreTest, EightWeeksOldestFirstWithOnlyTheDaysSoFar)
{
    // Wednesday 4 March 2026, 10:00 in Berlin.
    const QList<WeekStats> weeks = store.recentWeeks(8, utc("2026-03-04T09:00:00Z"));
    ASSERT_EQ(weeks.size(), 8);
    EXPECT_EQ(weekKeys(weeks),
        QStringList({"2026-01-12", "2026-01-19", "2026-01-26", "2026-02-02", "2026-02-09",
            "2026-02-16", "2026-02-23", "2026-03-02"}));
    EXPECT_EQ(dayKeys(weeks[6]),
        QStringList({"2026-02-23", "2026-02-24", "2026-02-25", "2026-02-26", "2026-02-27",
            "2026-02-28", "2026-03-01"}));
    EXPECT_EQ(dayKeys(weeks[7]), QStringList({"2026-03-02", "2026-03-03", "2026-03-04"}));
    EXPECT_TRUE(store.recentWeeks(-3, utc("2026-03-04T09:00:00Z")).isEmpty());
}

TEST_F(StoreTest, OnAMondayTheCurrentWeekHasOneDay)
{
    // Monday 00:00 local is already part of the new week.
    for (const QDateTime &now : {utc("2026-03-01T23:00:00Z"), utc("2026-03-02T16:00:00Z")}) {
        const QList<WeekStats> weeks = store.recentWeeks(2, now);
        ASSERT_EQ(weeks.size(), 2);
        EXPECT_EQ(weeks[0].days.size(), 7);
        EXPECT_EQ(dayKeys(weeks[1]), QStringList({"2026-03-02"}));
    }
    // One minute earlier it is still Sunday in Berlin.
    EXPECT_EQ(store.recentWeeks(1, utc("2026-03-01T22:59:00Z"))[0].days.size(), 7);
}

TEST_F(StoreTest, WeeksFollowLocalDaysAcrossDaylightSavingChanges)
{
    // Sunday 29 March 23:30 summer time, then Monday 30 March 00:30; Sunday 25
    // October 23:30 winter time, the day the clocks went back.
    for (const char *start :
        {"2026-03-29T21:30:00Z", "2026-03-29T22:30:00Z", "2026-10-25T22:30:00Z"})
        store.upsertHour(hour(start, "T", utc(start)));

    const QList<WeekStats> spring = store.recentWeeks(2, utc("2026-04-05T20:00:00Z"));
    EXPECT_EQ(weekKeys(spring), QStringList({"2026-03-23", "2026-03-30"}));
    EXPECT_EQ(spring[0].days.last().date, "2026-03-29");
    EXPECT_EQ(spring[0].judgedHours, 1);
    EXPECT_EQ(spring[1].days.size(), 7);
    EXPECT_EQ(spring[1].judgedHours, 1);

    const QList<WeekStats> autumn = store.recentWeeks(2, utc("2026-10-26T08:00:00Z"));
    EXPECT_EQ(weekKeys(autumn), QStringList({"2026-10-19", "2026-10-26"}));
    EXPECT_EQ(dayKeys(autumn[0]).last(), "2026-10-25");
    EXPECT_EQ(autumn[0].judgedHours, 1);
    EXPECT_EQ(autumn[1].judgedHours, 0);
}

TEST_F(StoreTest, WeekFiguresComeFromTheDayFilesAndReadingWritesNothing)
{
    for (const char *start :
        {"2026-03-02T08:00:00Z", "2026-03-02T09:00:00Z", "2026-03-03T08:00:00Z"})
        store.upsertHour(hour(start, "T", utc(start)));
    const QStringList before = store.allKeys();

    Store fresh(root, berlin);
    const QList<WeekStats> weeks = fresh.recentWeeks(1, utc("2026-03-08T12:00:00Z"));
    ASSERT_EQ(weeks.size(), 1);
    EXPECT_EQ(weeks[0].judgedHours, 3);
    EXPECT_EQ(weeks[0].longestStretch, 2);
    EXPECT_DOUBLE_EQ(weeks[0].focusScore.value_or(-1), 100.0);
    EXPECT_EQ(fresh.allKeys(), before);
}
