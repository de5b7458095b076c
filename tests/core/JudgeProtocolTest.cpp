#include "SolitaskCore/JudgeProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

std::string str(const QString &text)
{
    return text.toStdString();
}

template <typename E> QJsonArray rawValues()
{
    QJsonArray values;
    for (E value : allCases<E>())
        values.append(rawValue(value));
    return values;
}

// The schema is what the judge must answer in: its enums must be the ones the parser reads back.
TEST(JudgeProtocolTexts, SchemaIsOneLineWhoseEnumsMatchTheRecords)
{
    EXPECT_FALSE(JudgeProtocol::schemaJSON.contains(u'\n'));
    QJsonParseError error;
    const QJsonObject schema
        = QJsonDocument::fromJson(JudgeProtocol::schemaJSON.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const QJsonObject properties = schema.value(QLatin1String("properties")).toObject();
    const auto enumOf = [](const QJsonObject &property) {
        return property.value(QLatin1String("enum")).toArray();
    };
    EXPECT_EQ(enumOf(properties.value(QLatin1String("verdict")).toObject()), rawValues<Verdict>());
    EXPECT_EQ(
        enumOf(properties.value(QLatin1String("switching")).toObject()), rawValues<Switching>());
    const QJsonObject frame = properties.value(QLatin1String("frames"))
                                  .toObject()
                                  .value(QLatin1String("items"))
                                  .toObject()
                                  .value(QLatin1String("properties"))
                                  .toObject();
    EXPECT_EQ(enumOf(frame.value(QLatin1String("relation")).toObject()), rawValues<Relation>());
    EXPECT_EQ(schema.value(QLatin1String("required")).toArray().size(), properties.size());
}

HourRecord judgedHour(QStringList threads, std::optional<Correction> correction)
{
    HourRecord hour;
    hour.status = HourStatus::judged;
    hour.result = JudgeResult {};
    hour.result->verdict = Verdict::drifting;
    hour.result->threads = threads;
    hour.correction = correction;
    return hour;
}

TEST(JudgeProtocolUserText, Cases)
{
    const QString first = "Declaration: \"finish the parser\" (2 h), declared at 09:05.";
    const QString previous = "\nPrevious hour's verdict: drifting";
    const QString switches = "\nApp switches this period: 7 across 3 apps.";
    const QString frames = "\nBelow are 20 frames, each preceded by its caption (time · frontmost "
                           "app — window title). "
                           "Judge each frame's relation to the declaration and return the JSON.";
    HourRecord unjudged;
    unjudged.status = HourStatus::unwitnessed;
    unjudged.correction = Correction::onTask;
    using Dwell = QList<JudgeProtocol::DwellEntry>;
    struct Case
    {
        const char *name;
        std::optional<HourRecord> previous;
        Dwell dwell;
        bool partial;
        QString expected;
    };
    const Case cases[] = {
        {"plain", std::nullopt, {}, false, first + switches + frames},
        {"unjudged previous says nothing", unjudged, {}, false, first + switches + frames},
        {"partial note before the caption clause", std::nullopt, {}, true,
            first + switches
                + "\nBelow are 20 frames (a partial period — the person just "
                  "finished or switched), each preceded by its caption (time · "
                  "frontmost app — window title). Judge each frame's relation to "
                  "the declaration and return the JSON."},
        {"previous threads", judgedHour({"parser", "mail"}, {}), {}, false,
            first + previous + " (threads: parser, mail)." + switches + frames},
        {"corrected", judgedHour({}, Correction::onTask), {}, false,
            first + previous
                + ". The person corrected it: that hour was actually on task — "
                  "treat similar activity as on or adjacent."
                + switches + frames},
        // The six longest, in whole minutes but at least one; names as they are.
        {"dwell", std::nullopt,
            {{"F", 20}, {"B", 1860}, {"Slack", 30}, {"D", 600}, {"E", 600}, {"%1 %2 app", 120},
                {"G", 3599}},
            false,
            first + switches
                + " Dwell: G 59 min, B 31 min, D 10 min, E 10 min, %1 %2 app 2 min, Slack 1 min."
                + frames},
    };
    Thing thing;
    thing.text = "finish the parser";
    // Local wall-clock time, so the caption reads 09:05 in any zone.
    thing.declaredAt = QDateTime(QDate(2026, 3, 2), QTime(9, 5), Calendar::system().timeZone());
    thing.until = Until::hours(2);
    for (const Case &c : cases)
        EXPECT_EQ(str(JudgeProtocol::userText(thing, c.previous, 7, 3, c.dwell, 20, c.partial,
                      QDateTime::currentDateTimeUtc())),
            str(c.expected))
            << c.name;
}

TEST(JudgeProtocolMessage, OneLineWithCaptionsAndImages)
{
    const QByteArray line = JudgeProtocol::ndjsonMessage("Declaration\nsecond",
        {{"09:03 · Xcode", "/9j/4A=="}, {"09:06 · skipped (on a call)", std::nullopt}});
    EXPECT_EQ(line.indexOf('\n'), line.size() - 1) << "one line, newline-terminated";
    const QJsonObject message = QJsonDocument::fromJson(line).object()["message"].toObject();
    const QJsonArray content = message["content"].toArray();
    ASSERT_EQ(content.size(), 4) << "text, caption and image, caption only";
    EXPECT_EQ(content[0]["text"].toString(), "Declaration\nsecond");
    EXPECT_EQ(content[1]["text"].toString(), "Frame 1 · 09:03 · Xcode");
    EXPECT_EQ(content[2]["source"]["data"].toString(), "/9j/4A==");
    EXPECT_EQ(content[2]["source"]["media_type"].toString(), "image/jpeg");
    EXPECT_EQ(content[3]["text"].toString(), "Frame 2 · 09:06 · skipped (on a call)");
}

TEST(JudgeProtocolArguments, NoToolsAndModelFallbackPairsAndBudget)
{
    const QString sonnet = JudgeProtocol::defaultModel.toString();
    const QString haiku = JudgeProtocol::fallbackModel.toString();
    const QStringList fallback {"--fallback-model", haiku};
    const struct
    {
        QString model;
        std::optional<QString> fallback;
        double budget;
        QStringList tail;
    } cases[] = {
        {sonnet, haiku, 0.4, QStringList {"0.40", "--model", sonnet} + fallback},
        {QString(), haiku, 1.0, QStringList {"1.00"} + fallback},
        {haiku, haiku, 0.1, {"0.10", "--model", haiku}},
        {sonnet, QString(), 0.4, {"0.40", "--model", sonnet}},
        {QString(), std::nullopt, 0.126, {"0.13"}},
    };
    for (const auto &c : cases) {
        const QStringList args = JudgeProtocol::arguments(c.model, c.fallback, c.budget);
        EXPECT_EQ(args.mid(args.indexOf("--max-budget-usd") + 1), c.tail) << str(c.model);
        // The judge reads pictures of the screen: it gets no tools and no local settings.
        EXPECT_EQ(args[args.indexOf("--tools") + 1], QString());
        EXPECT_EQ(args[args.indexOf("--setting-sources") + 1], QString());
        EXPECT_TRUE(
            args.contains("--strict-mcp-config") && args.contains("--no-session-persistence"));
    }
}

} // namespace
