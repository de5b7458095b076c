#include "SolitaskCore/DayLogJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QDateTime utc(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

QByteArray sampleDay()
{
    QFile file(QStringLiteral(SOLITASK_TEST_DATA "/sample-day.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

DayLog richDay()
{
    DayLog day = DayLog::empty("2026-03-02");
    Thing open;
    open.id = "T1";
    open.text = "write — the “parser” ✍️";
    open.declaredAt = utc("2026-03-02T08:00:00Z");
    open.until = Until::hours(1.5);
    Thing closed = open;
    closed.id = "T2";
    closed.until = Until::at(utc("2026-03-02T17:00:00Z"));
    closed.closedAt = utc("2026-03-02T10:00:00Z");
    closed.outcome = Outcome::switched;
    closed.switchReason = SwitchReason::wrongThing;
    Thing done = open;
    done.id = "T3";
    done.until = Until::untilDone();
    day.things = {open, closed, done};

    FrameMeta taken {"F1", utc("2026-03-02T08:03:00Z"), "Xcode", "com.apple.dt.Xcode", "Notes",
        std::nullopt, QString("F1.jpg")};
    FrameMeta skipped {"F2", utc("2026-03-02T08:06:00Z"), "FaceTime", "com.apple.FaceTime", "",
        SkipReason::camera, std::nullopt};
    HourRecord hour;
    hour.id = "H1";
    hour.thingID = "T1";
    hour.start = utc("2026-03-02T08:00:00Z");
    hour.end = utc("2026-03-02T09:00:00Z");
    hour.frames = {taken, skipped};
    hour.switches = 4;
    hour.distinctApps = 2;
    hour.status = HourStatus::judged;
    hour.result = JudgeResult {Verdict::mostly,
        {{"09:03", "editing", Relation::on}, {"09:06", "", Relation::skipped}}, {"parser", "mail"},
        Switching::medium, "Keep going.", 0.75};
    hour.correction = Correction::onTask;
    hour.model = "claude-sonnet-5";
    hour.costUSD = 0.0123;
    hour.durationMs = 4567;
    hour.error = "none";
    HourRecord bare = hour;
    bare.id = "H2";
    bare.result.reset();
    bare.correction.reset();
    bare.model.reset();
    bare.costUSD.reset();
    bare.durationMs.reset();
    bare.error.reset();
    bare.status = HourStatus::unwitnessed;
    day.hours = {hour, bare};
    day.offDuty = {{utc("2026-03-02T12:00:00Z"), utc("2026-03-02T12:45:00Z"), "lunch"}};
    day.bails = {{utc("2026-03-02T07:58:10Z")}};
    return day;
}

QString reasonOf(const QByteArray &bytes)
{
    const auto decoded = DayLogJson::decode(bytes);
    if (const auto *error = std::get_if<DecodeError>(&decoded))
        return error->reason;
    return {};
}

// The sample day with one member of its first thing (or hour) replaced, or
// removed with an undefined value.
QByteArray sampleWith(const QString &key, const QJsonValue &value, const QString &list = "things")
{
    QJsonObject root = QJsonDocument::fromJson(sampleDay()).object();
    QJsonArray items = root[list].toArray();
    QJsonObject item = items[0].toObject();
    if (value.isUndefined())
        item.remove(key);
    else
        item[key] = value;
    items[0] = item;
    root[list] = items;
    return QJsonDocument(root).toJson();
}

} // namespace

TEST(DayLogJson, SampleDayDecodesAsGivenWithNullMeaningAbsent)
{
    const auto decoded = DayLogJson::decode(sampleWith("closedAt", QJsonValue::Null));
    ASSERT_TRUE(std::holds_alternative<DayLog>(decoded)) << reasonOf(sampleDay()).toStdString();
    const DayLog &day = std::get<DayLog>(decoded);
    EXPECT_EQ(day.date, "2026-03-02");
    ASSERT_EQ(day.hours.size(), 1);
    EXPECT_EQ(day.hours[0].frames[1].skipped, SkipReason::camera);
    EXPECT_EQ(day.hours[0].result->verdict, Verdict::unclear);
    EXPECT_EQ(day.things[0].until, Until::hours(2));
    EXPECT_TRUE(day.things[0].isOpen());
    EXPECT_EQ(day.bails[0].at, utc("2026-03-02T07:58:10Z"));
}

TEST(DayLogJson, RoundTripKeepsEveryFieldButSubSeconds)
{
    DayLog day = richDay();
    day.things[0].declaredAt = day.things[0].declaredAt.addMSecs(700);
    const auto decoded = DayLogJson::decode(DayLogJson::encode(day));
    ASSERT_TRUE(std::holds_alternative<DayLog>(decoded));
    DayLog expected = richDay();
    EXPECT_EQ(std::get<DayLog>(decoded), expected);
}

TEST(DayLogJson, EncodingShape)
{
    const QByteArray bytes = DayLogJson::encode(richDay());
    EXPECT_TRUE(bytes.contains("\"_0\": \"2026-03-02T17:00:00Z\""));
    EXPECT_FALSE(bytes.contains("null")) << "absent optionals are left out";
    // Keys sorted at every level: "bails" comes first, "things" last.
    EXPECT_LT(bytes.indexOf("\"bails\""), bytes.indexOf("\"date\""));
    EXPECT_LT(bytes.indexOf("\"offDuty\""), bytes.indexOf("\"things\""));
    EXPECT_LT(bytes.indexOf("\"appName\""), bytes.indexOf("\"bundleID\""));
}

TEST(DayLogJson, StrictDecodingExplainsWhy)
{
    struct Case
    {
        QByteArray bytes;
        const char *reason;
    };
    const QJsonObject twoKeys {{"untilDone", QJsonObject()}, {"hours", QJsonObject {{"_0", 1}}}};
    const Case cases[] = {
        {"{ not json", "invalid JSON"},
        {"[]", "(root): expected an object"},
        {sampleDay().left(200), "invalid JSON"},
        {sampleWith("id", 5), "things[0].id: expected a string"},
        {sampleWith("outcome", "finished"), "things[0].outcome: unknown value \"finished\""},
        {sampleWith("until", QJsonObject()),
            "things[0].until: Invalid number of keys found, expected one."},
        {sampleWith("until", twoKeys),
            "things[0].until: Invalid number of keys found, expected one."},
        {sampleWith("until", QJsonObject {{"hours", QJsonObject()}}),
            "things[0].until.hours._0: missing"},
        {sampleWith("declaredAt", "2026-03-02T08:00:00.5Z"), "things[0].declaredAt: not an ISO"},
        {sampleWith("declaredAt", "2026-03-02 08:00"), "things[0].declaredAt: not an ISO"},
        {sampleWith("text", QJsonValue::Undefined), "things[0].text: missing"},
        {QByteArray("{\"date\":\"2026-03-02\",\"t\xff\":1}"), "invalid JSON"},
        // One bad hour fails the whole day.
        {sampleWith("partial", QJsonValue::Undefined, "hours"), "hours[0].partial: missing"},
        {sampleWith("switches", 2.5, "hours"), "hours[0].switches: expected an integer"},
    };
    for (const Case &c : cases) {
        const QString reason = reasonOf(c.bytes);
        EXPECT_TRUE(reason.startsWith(QString::fromUtf8(c.reason)))
            << "got \"" << reason.toStdString() << "\" expected \"" << c.reason << "\"";
    }
}

TEST(DayLogJson, InstantsWithOffsetsAreConverted)
{
    EXPECT_EQ(DayLogJson::parseInstant("2026-03-02T09:00:00+01:00"), utc("2026-03-02T08:00:00Z"));
    EXPECT_FALSE(DayLogJson::parseInstant("2026-02-30T09:00:00Z").isValid());
    EXPECT_FALSE(DayLogJson::parseInstant("").isValid());
    // Past the years that can be written back, a day would turn unreadable at its next save.
    EXPECT_FALSE(DayLogJson::parseInstant("9999-12-31T23:30:00-01:00").isValid());
    EXPECT_FALSE(DayLogJson::parseInstant("0001-01-01T00:30:00+01:00").isValid());
    const QDateTime last = DayLogJson::parseInstant("9999-12-31T23:59:59Z");
    EXPECT_EQ(DayLogJson::instantText(last), "9999-12-31T23:59:59Z");
}
