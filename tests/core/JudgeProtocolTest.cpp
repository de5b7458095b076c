#include "SolitaskCore/JudgeProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

// Readable failure output for texts and lists of texts.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::string str(const QString &text)
{
    return text.toStdString();
}

TEST(JudgeProtocolTexts, SystemPromptIsExact)
{
    const QString expected = QStringLiteral(
        "You are a quiet, kind focus witness inside a Mac app called Solitask. A person declared "
        "solitask they intend to work on. You receive that declaration and a handful of captioned "
        "frames taken from their screen over the last hour, in order. Your job is to say, gently "
        "and honestly, whether they stayed with it.\n\n"
        "For every frame decide its relation to the declared thing:\n"
        "- on: the frame is the thing, or is directly producing it.\n"
        "- adjacent: reasonably in service of it \u2014 research for it, a message about it, a "
        "tool used for it.\n"
        "- off: unrelated to it.\n"
        "- skipped: a gray tile or a caption that says the frame was skipped (private app, on a "
        "call, idle, locked).\n\n"
        "Captions (time \u00b7 frontmost app \u2014 window title) are the primary signal; the "
        "pixels confirm layout and app identity, and small text in them may be unreadable \u2014 "
        "never guess at unreadable text. Give the person the benefit of the doubt between adjacent "
        "and off when the caption plausibly relates to the thing. Slack, mail and browsers can be "
        "either \u2014 decide from the channel, subject or page title.\n\n"
        "threads: a short label for each distinct activity you can see across the hour (one label "
        "per activity, not per frame). switching: low when the hour is essentially one activity, "
        "medium for two or three, high for four or more. confidence: 0\u20131, how sure you are of "
        "the per-frame relations overall.\n\n"
        "nudge: one sentence of at most 18 words, tentative (\"Looked like\u2026\", "
        "\"Mostly\u2026\"), that names the solitask. Never moralize, never say \"you should\", no "
        "exclamation marks, no scores. If the hour was aligned, say something quiet and true in a "
        "few words.\n\n"
        "Answer only in the requested JSON.");
    EXPECT_EQ(str(JudgeProtocol::systemPrompt.toString()), str(expected));
    const QStringList paragraphs
        = JudgeProtocol::systemPrompt.toString().split(QStringLiteral("\n\n"));
    ASSERT_EQ(paragraphs.size(), 6);
    EXPECT_EQ(paragraphs[1].split(u'\n').size(), 5);
    EXPECT_FALSE(JudgeProtocol::systemPrompt.endsWith(u'\n'));
}

TEST(JudgeProtocolTexts, SchemaIsExactCompactJson)
{
    const QString expected = QStringLiteral(
        R"({"type":"object","properties":{"verdict":{"type":"string","enum":["aligned","mostly","drifting","away","unclear"]},"frames":{"type":"array","items":{"type":"object","properties":{"t":{"type":"string"},"label":{"type":"string"},"relation":{"type":"string","enum":["on","adjacent","off","skipped"]}},"required":["t","label","relation"]}},"threads":{"type":"array","items":{"type":"string"}},"switching":{"type":"string","enum":["low","medium","high"]},"nudge":{"type":"string"},"confidence":{"type":"number"}},"required":["verdict","frames","threads","switching","nudge","confidence"]})");
    EXPECT_EQ(str(JudgeProtocol::schemaJSON.toString()), str(expected));
    EXPECT_EQ(JudgeProtocol::schemaJSON.size(), 583);
    QJsonParseError error;
    const QJsonDocument schema
        = QJsonDocument::fromJson(JudgeProtocol::schemaJSON.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(schema.object().value(QLatin1String("required")).toArray().size(), 6);
}

TEST(JudgeProtocolTexts, Models)
{
    EXPECT_EQ(JudgeProtocol::defaultModel, u"claude-sonnet-5");
    EXPECT_EQ(JudgeProtocol::economyModel, u"claude-haiku-4-5");
    EXPECT_EQ(JudgeProtocol::fallbackModel, JudgeProtocol::economyModel);
}

Thing declaredThing()
{
    Thing thing;
    thing.id = QStringLiteral("T1");
    thing.text = QStringLiteral("finish the parser");
    // Local wall-clock time, so the caption reads 09:05 in any zone.
    thing.declaredAt = QDateTime(QDate(2026, 3, 2), QTime(9, 5), Calendar::system().timeZone());
    thing.until = Until::hours(2);
    return thing;
}

HourRecord judgedHour(QStringList threads, std::optional<Correction> correction)
{
    HourRecord hour;
    hour.status = HourStatus::judged;
    JudgeResult result;
    result.verdict = Verdict::drifting;
    result.threads = threads;
    hour.result = result;
    hour.correction = correction;
    return hour;
}

QString text(const std::optional<HourRecord> &previous,
    const QList<JudgeProtocol::DwellEntry> &dwell = {}, bool partial = false)
{
    return JudgeProtocol::userText(
        declaredThing(), previous, 7, 3, dwell, 20, partial, QDateTime::currentDateTimeUtc());
}

const QString firstLine
    = QStringLiteral("Declaration: \"finish the parser\" (2 h), declared at 09:05.");
const QString switchesLine = QStringLiteral("\nApp switches this period: 7 across 3 apps.");
const QString framesLine = QStringLiteral(
    "\nBelow are 20 frames, each preceded by its caption (time · frontmost app — window title). "
    "Judge each frame's relation to the declaration and return the JSON.");

TEST(JudgeProtocolUserText, PlainPeriod)
{
    EXPECT_EQ(str(text(std::nullopt)), str(firstLine + switchesLine + framesLine));
}

TEST(JudgeProtocolUserText, PartialNoteSitsBeforeTheCaptionClause)
{
    EXPECT_EQ(str(text(std::nullopt, {}, true)),
        str(firstLine + switchesLine
            + QStringLiteral("\nBelow are 20 frames (a partial period — the person just finished "
                             "or switched), each preceded by its caption (time · frontmost app — "
                             "window title). Judge each frame's relation to the declaration and "
                             "return the JSON.")));
}

TEST(JudgeProtocolUserText, PreviousHour)
{
    const QString prefix = firstLine + QStringLiteral("\nPrevious hour's verdict: drifting");
    EXPECT_EQ(str(text(judgedHour({}, std::nullopt))),
        str(prefix + QStringLiteral(".") + switchesLine + framesLine));
    EXPECT_EQ(
        str(text(judgedHour({QStringLiteral("parser"), QStringLiteral("mail")}, std::nullopt))),
        str(prefix + QStringLiteral(" (threads: parser, mail).") + switchesLine + framesLine));
}

TEST(JudgeProtocolUserText, PreviousHourCorrections)
{
    const QString prefix = firstLine + QStringLiteral("\nPrevious hour's verdict: drifting.");
    const std::pair<Correction, QString> cases[] = {
        {Correction::onTask,
            QStringLiteral(" The person corrected it: that hour was actually on task — "
                           "treat similar activity as on or adjacent.")},
        {Correction::away,
            QStringLiteral(" The person corrected it: they were away from the Mac that hour.")},
        {Correction::differentThing,
            QStringLiteral(" The person corrected it: that hour was spent on a different thing.")}};
    for (const auto &[correction, sentence] : cases)
        EXPECT_EQ(str(text(judgedHour({}, correction))),
            str(prefix + sentence + switchesLine + framesLine));
}

TEST(JudgeProtocolUserText, UnjudgedPreviousHourSaysNothing)
{
    HourRecord unjudged;
    unjudged.status = HourStatus::unwitnessed;
    unjudged.correction = Correction::onTask;
    EXPECT_EQ(str(text(unjudged)), str(text(std::nullopt)));
}

TEST(JudgeProtocolUserText, DwellListsTheSixLongest)
{
    const QList<JudgeProtocol::DwellEntry> dwell {{QStringLiteral("A"), 30},
        {QStringLiteral("B"), 1860}, {QStringLiteral("C"), 119}, {QStringLiteral("D"), 600},
        {QStringLiteral("E"), 600}, {QStringLiteral("F"), 59}, {QStringLiteral("G"), 3599},
        {QStringLiteral("H"), 120}};
    EXPECT_EQ(str(text(std::nullopt, dwell)),
        str(firstLine + switchesLine
            + QStringLiteral(" Dwell: G 59 min, B 31 min, D 10 min, E 10 min, H 2 min, C 1 min.")
            + framesLine));
    EXPECT_EQ(str(text(std::nullopt, {{QStringLiteral("Slack"), 30}})),
        str(firstLine + switchesLine + QStringLiteral(" Dwell: Slack 1 min.") + framesLine));
    // Names are shown as they are, placeholders and all.
    EXPECT_EQ(str(text(std::nullopt, {{QStringLiteral("%1 %2 app"), 600}})),
        str(firstLine + switchesLine + QStringLiteral(" Dwell: %1 %2 app 10 min.") + framesLine));
}

QJsonArray contentOf(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(object.value(QLatin1String("type")).toString(), QStringLiteral("user"));
    const QJsonObject message = object.value(QLatin1String("message")).toObject();
    EXPECT_EQ(message.value(QLatin1String("role")).toString(), QStringLiteral("user"));
    return message.value(QLatin1String("content")).toArray();
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
    const QJsonArray content = contentOf(line);
    ASSERT_EQ(content.size(), 4);
    EXPECT_EQ(content[0].toObject(),
        (QJsonObject {{QStringLiteral("type"), QStringLiteral("text")},
            {QStringLiteral("text"), QStringLiteral("Declaration: \"x\"\nsecond line")}}));
    EXPECT_EQ(content[1].toObject().value(QLatin1String("text")).toString(),
        QStringLiteral("Frame 1 · 09:03 · Xcode — Parser notes"));
    const QJsonObject source = content[2].toObject().value(QLatin1String("source")).toObject();
    EXPECT_EQ(
        content[2].toObject().value(QLatin1String("type")).toString(), QStringLiteral("image"));
    EXPECT_EQ(source,
        (QJsonObject {{QStringLiteral("type"), QStringLiteral("base64")},
            {QStringLiteral("media_type"), QStringLiteral("image/jpeg")},
            {QStringLiteral("data"), base64}}));
    EXPECT_EQ(content[3].toObject().value(QLatin1String("text")).toString(),
        QStringLiteral("Frame 2 · 09:06 · skipped (on a call)"));
}

TEST(JudgeProtocolMessage, NoFramesGivesTheTextAlone)
{
    EXPECT_EQ(contentOf(JudgeProtocol::ndjsonMessage(QStringLiteral("hello"), {})).size(), 1);
}

QStringList fixedArguments(const QString &budget)
{
    return {QStringLiteral("-p"), QStringLiteral("--input-format"), QStringLiteral("stream-json"),
        QStringLiteral("--output-format"), QStringLiteral("stream-json"),
        QStringLiteral("--verbose"), QStringLiteral("--tools"), QString(),
        QStringLiteral("--strict-mcp-config"), QStringLiteral("--setting-sources"), QString(),
        QStringLiteral("--no-session-persistence"), QStringLiteral("--system-prompt"),
        JudgeProtocol::systemPrompt.toString(), QStringLiteral("--json-schema"),
        JudgeProtocol::schemaJSON.toString(), QStringLiteral("--max-budget-usd"), budget};
}

TEST(JudgeProtocolArguments, ModelAndFallback)
{
    const QString sonnet = JudgeProtocol::defaultModel.toString();
    const QString haiku = JudgeProtocol::fallbackModel.toString();
    EXPECT_EQ(JudgeProtocol::arguments(sonnet, haiku, 0.4),
        fixedArguments(QStringLiteral("0.40"))
            << QStringLiteral("--model") << sonnet << QStringLiteral("--fallback-model") << haiku);
    EXPECT_EQ(JudgeProtocol::arguments(QString(), haiku, 1.0),
        fixedArguments(QStringLiteral("1.00")) << QStringLiteral("--fallback-model") << haiku);
    EXPECT_EQ(JudgeProtocol::arguments(haiku, haiku, 0.1),
        fixedArguments(QStringLiteral("0.10")) << QStringLiteral("--model") << haiku);
    EXPECT_EQ(JudgeProtocol::arguments(sonnet, QString(), 0.4),
        fixedArguments(QStringLiteral("0.40")) << QStringLiteral("--model") << sonnet);
    EXPECT_EQ(JudgeProtocol::arguments(QString(), std::nullopt, 0.126),
        fixedArguments(QStringLiteral("0.13")));
}

TEST(JudgeProtocolArguments, EmptyArgumentsAreRealEmptyStrings)
{
    const QStringList args = JudgeProtocol::arguments(QString(), std::nullopt, 0.4);
    EXPECT_EQ(args.at(7), QString());
    EXPECT_EQ(args.at(10), QString());
    EXPECT_EQ(args.size(), 18);
}

} // namespace
