#include "SolitaskCore/JudgeProtocol.h"

#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Thresholds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <limits>

// Reading the judge's output. Nothing here throws: every malformed input ends
// in an absent value. The JSON parser refuses nesting beyond 1024 levels, so
// hostile input cannot exhaust the stack.

namespace JudgeProtocol {

namespace {

std::optional<QString> validUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isBlank(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QStringView trimmedBlanks(QStringView line)
{
    while (!line.isEmpty() && isBlank(line.front()))
        line = line.sliced(1);
    while (!line.isEmpty() && isBlank(line.back()))
        line.chop(1);
    return line;
}

std::optional<QJsonObject> objectOf(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<QJsonObject> lastResultLine(QStringView text)
{
    std::optional<QJsonObject> found;
    for (QStringView piece : text.tokenize(u'\n', Qt::SkipEmptyParts)) {
        const QStringView line = trimmedBlanks(piece);
        if (!line.startsWith(u'{'))
            continue;
        const std::optional<QJsonObject> object = objectOf(line.toUtf8());
        if (object && object->value(QLatin1String("type")) == QLatin1String("result"))
            found = object;
    }
    return found;
}

std::optional<qint64> integerOf(const QJsonValue &value)
{
    constexpr qint64 low = std::numeric_limits<qint64>::min();
    constexpr qint64 high = std::numeric_limits<qint64>::max();
    // toInteger answers its default for a number that is not integral.
    if (!value.isDouble() || value.toInteger(low) != value.toInteger(high))
        return std::nullopt;
    return value.toInteger();
}

std::optional<QString> textOf(const QJsonValue &value)
{
    return value.isString() ? std::optional<QString>(value.toString()) : std::nullopt;
}

void readModelUsage(const QJsonValue &usage, Envelope &envelope)
{
    const QJsonObject models = usage.toObject();
    envelope.modelsUsed = models.keys(); // QJsonObject keys are sorted
    qint64 most = -1;
    for (auto it = models.begin(); it != models.end(); ++it) {
        const qint64 tokens
            = integerOf(it.value().toObject().value(QLatin1String("outputTokens"))).value_or(0);
        if (tokens > most) {
            most = tokens;
            envelope.model = it.key();
        }
    }
}

std::optional<QString> errorMessageOf(const QJsonObject &line, const Envelope &envelope)
{
    if (envelope.isError) {
        if (envelope.rawResult)
            return envelope.rawResult;
        // Limit errors (budget, turns) carry an "errors" list instead of a
        // "result" text; it says more than the subtype does.
        QStringList errors;
        for (const QJsonValue &error : line.value(QLatin1String("errors")).toArray())
            errors.append(error.toString());
        errors.removeAll(QString());
        if (!errors.isEmpty())
            return errors.join(QStringLiteral("; "));
        return textOf(line.value(QLatin1String("subtype")))
            .value_or(QStringLiteral("unknown error"));
    }
    if (!envelope.result)
        return QStringLiteral("no structured result");
    return std::nullopt;
}

Envelope envelopeOf(const QJsonObject &line)
{
    Envelope envelope;
    const QJsonValue isError = line.value(QLatin1String("is_error"));
    envelope.isError = isError.isBool() && isError.toBool();
    envelope.rawResult = textOf(line.value(QLatin1String("result")));
    envelope.result
        = parseResult(line.value(QLatin1String("structured_output")), envelope.rawResult);
    readModelUsage(line.value(QLatin1String("modelUsage")), envelope);
    envelope.errorMessage = errorMessageOf(line, envelope);
    const QJsonValue cost = line.value(QLatin1String("total_cost_usd"));
    if (cost.isDouble())
        envelope.costUSD = cost.toDouble();
    envelope.durationMs = integerOf(line.value(QLatin1String("duration_ms")));
    return envelope;
}

/// The judge's answer, read with the day file's rules, then normalised.
std::optional<JudgeResult> decodeResult(const QJsonObject &answer)
{
    const Decoded<JudgeResult> decoded = DayLogJson::decodeResult(answer);
    const JudgeResult *result = std::get_if<JudgeResult>(&decoded);
    if (!result)
        return std::nullopt;
    return Thresholds::normalized(*result);
}

std::optional<JudgeResult> resultInProse(const QString &raw)
{
    const qsizetype first = raw.indexOf(u'{');
    const qsizetype last = raw.lastIndexOf(u'}');
    if (first < 0 || last < 0 || first >= last)
        return std::nullopt;
    const std::optional<QJsonObject> object
        = objectOf(raw.sliced(first, last - first + 1).toUtf8());
    return object ? decodeResult(*object) : std::nullopt;
}

} // namespace

std::optional<Envelope> parseStreamOutput(const QByteArray &output)
{
    const std::optional<QString> text = validUtf8(output);
    if (!text)
        return std::nullopt;
    const std::optional<QJsonObject> line = lastResultLine(*text);
    if (!line)
        return std::nullopt;
    return envelopeOf(*line);
}

std::optional<JudgeResult> parseResult(
    const QJsonValue &structured, const std::optional<QString> &raw)
{
    if (structured.isObject()) {
        if (std::optional<JudgeResult> result = decodeResult(structured.toObject()))
            return result;
    }
    return raw ? resultInProse(*raw) : std::nullopt;
}

} // namespace JudgeProtocol
