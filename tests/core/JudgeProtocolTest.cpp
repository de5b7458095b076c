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
    const QString first
        = QStringLiteral("Declaration: \"finish the parser\" (2 h), declared at 09:05.");
    const QString previous = QStringLiteral("\nPrevious hour's verdict: drifting");
    const QString switches = QStringLiteral("\nApp switches this period: 7 across 3 apps.");
    const QString frames
        = QStringLiteral("\nBelow are 20 frames, each preceded by its caption (time · frontmost "
                         "app — window title). "
                         "Judge each frame's relation to the declaration and return the JSON.");
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
                + QStringLiteral("\nBelow are 20 frames (a partial period — the person just "
                                 "finished or switched), each preceded by its caption (time · "
                                 "frontmost app — window title). Judge each frame's relation to "
                                 "the declaration and return the JSON.")},
        {"previous threads", judgedHour({QStringLiteral("parser"), QStringLiteral("mail")}, {}), {},
            false,
            first + previous + QStringLiteral(" (threads: parser, mail).") + switches + frames},
        {"corrected", judgedHour({}, Correction::onTask), {}, false,
            first + previous
                + QStringLiteral(". The person corrected it: that hour was actually on task — "
                                 "treat similar activity as on or adjacent.")
                + switches + frames},
        // The six longest, in whole minutes but at least one; names as they are.
        {"dwell", std::nullopt,
            {{QStringLiteral("F"), 20}, {QStringLiteral("B"), 1860}, {QStringLiteral("Slack"), 30},
                {QStringLiteral("D"), 600}, {QStringLiteral("E"), 600},
                {QStringLiteral("%1 %2 app"), 120}, {QStringLiteral("G"), 3599}},
            false,
            first + switches
                + QStringLiteral(
                    " Dwell: G 59 min, B 31 min, D 10 min, E 10 min, %1 %2 app 2 min, Slack 1 min.")
                + frames},
    };
    Thing thing;
    thing.text = QStringLiteral("finish the parser");
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
    const QString base64 = QStringLiteral("/9j/4AAQSkZJRg==");
    const QByteArray line
        = JudgeProtocol::ndjsonMessage(QStringLiteral("Declaration: \"x\"\nsecond line"),
            {{QStringLiteral("09:03 · Xcode — Parser notes"), base64},
                {QStringLiteral("09:06 · skipped (on a call)"), std::nullopt}});
    ASSERT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(line.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(object.value(QLatin1String("type")).toString(), QStringLiteral("user"));
    const QJsonObject message = object.value(QLatin1String("message")).toObject();
    EXPECT_EQ(message.value(QLatin1String("role")).toString(), QStringLiteral("user"));
    const QJsonArray content = message.value(QLatin1String("content")).toArray();
    ASSERT_EQ(content.size(), 4);
    EXPECT_EQ(content[0].toObject(),
        (QJsonObject {{QStringLiteral("type"), QStringLiteral("text")},
            {QStringLiteral("text"), QStringLiteral("Declaration: \"x\"\nsecond line")}}));
    EXPECT_EQ(content[1].toObject().value(QLatin1String("text")).toString(),
        QStringLiteral("Frame 1 · 09:03 · Xcode — Parser notes"));
    EXPECT_EQ(content[2].toObject(),
        (QJsonObject {{QStringLiteral("type"), QStringLiteral("image")},
            {QStringLiteral("source"),
                QJsonObject {{QStringLiteral("type"), QStringLiteral("base64")},
                    {QStringLiteral("media_type"), QStringLiteral("image/jpeg")},
                    {QStringLiteral("data"), base64}}}}));
    EXPECT_EQ(content[3].toObject().value(QLatin1String("text")).toString(),
        QStringLiteral("Frame 2 · 09:06 · skipped (on a call)"));
}

TEST(JudgeProtocolArguments, ModelAndFallbackPairsAndBudget)
{
    const QString sonnet = JudgeProtocol::defaultModel.toString();
    const QString haiku = JudgeProtocol::fallbackModel.toString();
    const QStringList model {QStringLiteral("--model")};
    const QStringList fallback {QStringLiteral("--fallback-model"), haiku};
    struct Case
    {
        QString model;
        std::optional<QString> fallback;
        double budget;
        const char *budgetText;
        QStringList tail;
    };
    const Case cases[] = {
        {sonnet, haiku, 0.4, "0.40", model + QStringList {sonnet} + fallback},
        {QString(), haiku, 1.0, "1.00", fallback},
        {haiku, haiku, 0.1, "0.10", model + QStringList {haiku}},
        {sonnet, QString(), 0.4, "0.40", model + QStringList {sonnet}},
        {QString(), std::nullopt, 0.126, "0.13", {}},
    };
    for (const Case &c : cases) {
        const QStringList fixed {QStringLiteral("-p"), QStringLiteral("--input-format"),
            QStringLiteral("stream-json"), QStringLiteral("--output-format"),
            QStringLiteral("stream-json"), QStringLiteral("--verbose"), QStringLiteral("--tools"),
            QString(), QStringLiteral("--strict-mcp-config"), QStringLiteral("--setting-sources"),
            QString(), QStringLiteral("--no-session-persistence"),
            QStringLiteral("--system-prompt"), JudgeProtocol::systemPrompt.toString(),
            QStringLiteral("--json-schema"), JudgeProtocol::schemaJSON.toString(),
            QStringLiteral("--max-budget-usd"), QString::fromLatin1(c.budgetText)};
        EXPECT_EQ(JudgeProtocol::arguments(c.model, c.fallback, c.budget), fixed + c.tail)
            << str(c.model) << " / " << c.budgetText;
    }
}

} // namespace
