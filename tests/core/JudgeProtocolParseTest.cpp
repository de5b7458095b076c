#include "SolitaskCore/JudgeProtocol.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const QByteArray answer
    = R"({"verdict":"aligned","frames":[{"t":"09:03","label":"parser","relation":"on"},{"t":"09:06","label":"mail","relation":"off"},{"t":"09:09","label":"parser","relation":"on"},{"t":"09:12","label":"call","relation":"skipped"}],"threads":[" parser ","mail",""],"switching":"low","nudge":" Mostly the parser. ","confidence":0.8})";

QByteArray resultLine(const QByteArray &members)
{
    return R"({"type":"result","subtype":"success",)" + members + "}\n";
}

std::optional<JudgeProtocol::Envelope> parse(const QByteArray &output)
{
    return JudgeProtocol::parseStreamOutput(output);
}

TEST(JudgeProtocolParse, SignedOutRunIsAnErrorEnvelope)
{
    QFile file(QStringLiteral(SOLITASK_TEST_DATA "/claude-signed-out.stdout.ndjson"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto envelope = parse(file.readAll());
    ASSERT_TRUE(envelope);
    EXPECT_TRUE(envelope->isError);
    EXPECT_EQ(envelope->errorMessage, "Not logged in · Please run /login");
    EXPECT_FALSE(envelope->result);
    EXPECT_EQ(envelope->durationMs, 54);
}

TEST(JudgeProtocolParse, StructuredOutputIsNormalized)
{
    const auto envelope = parse(resultLine(
        R"("is_error":false,"result":"done","total_cost_usd":0.031,"duration_ms":4200,"structured_output":)"
        + answer));
    ASSERT_TRUE(envelope && envelope->result);
    // Two of three usable frames on task: mostly, whatever the judge said.
    EXPECT_EQ(envelope->result->verdict, Verdict::mostly);
    EXPECT_EQ(envelope->result->threads, (QStringList {"parser", "mail"}));
    EXPECT_EQ(envelope->result->nudge, "Mostly the parser.");
    EXPECT_EQ(envelope->result->confidence, 0.8);
    EXPECT_FALSE(envelope->isError);
    EXPECT_EQ(envelope->rawResult, "done");
    EXPECT_FALSE(envelope->errorMessage);
    EXPECT_EQ(envelope->costUSD, 0.031);
    EXPECT_EQ(envelope->durationMs, 4200);
}

TEST(JudgeProtocolParse, LastResultLineWinsAmongOtherEvents)
{
    const QByteArray output = R"({"type":"system","subtype":"init"})"
                              "\n\n"
                              "not json at all\n"
                              R"({"type":"assistant","message":{}})"
                              "\n"
        + resultLine(R"("is_error":true,"result":"first")") + "[1,2,3]\n{broken\n   \t"
        + resultLine(R"("result":"second","structured_output":)" + answer) + "   \n";
    const auto envelope = parse(output);
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->rawResult, "second");
    EXPECT_FALSE(envelope->isError);
    EXPECT_TRUE(envelope->result);
    // An indented line with a CR LF ending counts too.
    const auto indented = parse("  \t " + resultLine(R"("result":"x")") + "\r\n");
    ASSERT_TRUE(indented);
    EXPECT_EQ(indented->rawResult, "x");
    EXPECT_EQ(indented->errorMessage, "no structured result");
}

TEST(JudgeProtocolParse, AnswerInsideProseIsUsed)
{
    const QString prose
        = "Here you go:\n```json\n" + QString::fromUtf8(answer) + "\n```\nHope that helps.";
    const QJsonObject line {{"type", "result"},
        {"structured_output", QJsonObject {{"verdict", "sideways"}}}, {"result", prose}};
    const auto envelope = parse(QJsonDocument(line).toJson(QJsonDocument::Compact));
    ASSERT_TRUE(envelope && envelope->result);
    EXPECT_EQ(envelope->result->verdict, Verdict::mostly);
    EXPECT_EQ(envelope->rawResult, prose);
}

TEST(JudgeProtocolParse, ProseWithoutOrderedBracesGivesNoResult)
{
    for (const QByteArray &raw : {QByteArray(R"("} then {")"), QByteArray(R"("no braces")"),
             QByteArray(R"("{ only open")"), QByteArray(R"("{\"verdict\":1}")")}) {
        const auto envelope = parse(resultLine(R"("result":)" + raw));
        ASSERT_TRUE(envelope) << raw.constData();
        EXPECT_FALSE(envelope->result) << raw.constData();
        EXPECT_EQ(envelope->errorMessage, "no structured result");
    }
}

TEST(JudgeProtocolParse, ErrorMessageFallsBackToErrorsThenSubtypeThenUnknown)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {R"("is_error":true,"subtype":"error_max_budget_usd","errors":["Over budget",""])",
            "Over budget"},
        {R"("is_error":true,"subtype":"error_max_budget_usd","errors":[])", "error_max_budget_usd"},
        {R"("is_error":true)", "unknown error"},
        // An error run keeps its error text even when an answer came with it.
        {R"("is_error":true,"result":"boom","structured_output":)" + answer, "boom"},
    };
    for (const auto &[members, message] : cases) {
        const auto envelope = parse(R"({"type":"result",)" + members + "}");
        ASSERT_TRUE(envelope) << message;
        EXPECT_EQ(envelope->errorMessage, QString::fromLatin1(message));
    }
}

TEST(JudgeProtocolParse, FieldsOfTheWrongTypeAreAbsent)
{
    const auto envelope = parse(resultLine(
        R"("is_error":1,"result":42,"total_cost_usd":"0.5","duration_ms":54.5,"modelUsage":[])"));
    ASSERT_TRUE(envelope);
    EXPECT_FALSE(envelope->isError);
    EXPECT_FALSE(envelope->rawResult);
    EXPECT_FALSE(envelope->costUSD);
    EXPECT_FALSE(envelope->durationMs);
    EXPECT_FALSE(envelope->model);
    EXPECT_TRUE(envelope->modelsUsed.isEmpty());
}

TEST(JudgeProtocolParse, ModelUsageNamesTheBusiestModel)
{
    const auto envelope = parse(resultLine(
        R"("modelUsage":{"claude-sonnet-5":{"outputTokens":310},"claude-haiku-4-5":{"outputTokens":1200},"other":{"outputTokens":"9999"}})"));
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->modelsUsed, (QStringList {"claude-haiku-4-5", "claude-sonnet-5", "other"}));
    EXPECT_EQ(envelope->model, "claude-haiku-4-5");
}

TEST(JudgeProtocolParse, NoEnvelopeWithoutAResultLineOrWithInvalidUtf8)
{
    const QByteArray ok = resultLine(R"("result":"ok")");
    for (const QByteArray &output : {QByteArray(), QByteArray("\n\n\n"),
             QByteArray(R"({"type":"system"})"
                        "\n"
                        R"({"type":"assistant"})"),
             QByteArray(R"(  ["type","result"])"), ok + "\xff\xfe", "\xc3" + ok,
             ok + "\xe2\x80" /* a multi-byte sequence cut off at the very end */})
        EXPECT_FALSE(parse(output)) << output.constData();
}

TEST(JudgeProtocolParse, SurvivesHugeLines)
{
    QByteArray huge = "{\"type\":\"result\",\"result\":\"" + QByteArray(32 << 20, 'a') + "\"}\n";
    const auto envelope = parse(huge);
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->rawResult->size(), 32 << 20);
    EXPECT_FALSE(parse("{" + QByteArray(32 << 20, '{') + "\n"));
}

TEST(JudgeProtocolParse, SurvivesDeepNesting)
{
    const int depth = 200000;
    QByteArray nested = QByteArray("{\"a\":").repeated(depth) + "1" + QByteArray(depth, '}');
    EXPECT_FALSE(parse(nested));
    const QByteArray inside
        = R"({"type":"result","result":"x","structured_output":)" + nested + "}";
    const auto envelope = parse(inside + "\n" + resultLine(R"("result":"ok")"));
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->rawResult, "ok");
    // Deep nesting in prose is handed to the same guarded parser.
    EXPECT_FALSE(JudgeProtocol::parseResult(QJsonValue(), QString::fromLatin1(nested)));
}

TEST(JudgeProtocolParseResult, SourcesAndStrictDecodingThatAllowsExtraMembers)
{
    const QString raw = QString::fromUtf8(answer);
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    EXPECT_TRUE(JudgeProtocol::parseResult(QJsonValue(QJsonValue::Null), raw));
    EXPECT_TRUE(JudgeProtocol::parseResult(QJsonValue(raw), raw));
    // A JSON string holding the answer is not the answer object itself.
    EXPECT_FALSE(JudgeProtocol::parseResult(QJsonValue(raw), std::nullopt));
    EXPECT_FALSE(JudgeProtocol::parseResult(QJsonValue(), std::nullopt));
    QJsonObject wrong = object;
    wrong.insert("switching", "frantic");
    EXPECT_FALSE(JudgeProtocol::parseResult(wrong, std::nullopt));
    wrong = object;
    wrong.remove("nudge");
    EXPECT_FALSE(JudgeProtocol::parseResult(wrong, std::nullopt));
    QJsonObject extra = object;
    extra.insert("confidence", 1);
    extra.insert("extra", QJsonObject {{"k", true}});
    const auto result = JudgeProtocol::parseResult(extra, std::nullopt);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->confidence, 1.0);
}

} // namespace
