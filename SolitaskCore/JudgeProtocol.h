#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// The platform-free half of the exchange with the judge (the `claude` command
/// line): the fixed texts, the message of one period, the argument list, and
/// reading the judge's streaming output back. Starts no process, touches no file.
namespace JudgeProtocol {

/// One frame as the judge sees it: its caption and, unless skipped or
/// unreadable, its JPEG bytes in padded standard Base64 without line breaks.
struct FrameInput
{
    QString caption;
    std::optional<QString> jpegBase64;

    bool operator==(const FrameInput &) const = default;
};

/// Time one app held the front during a period.
struct DwellEntry
{
    QString app;
    qint64 seconds = 0;

    bool operator==(const DwellEntry &) const = default;
};

/// What one run of the judge produced.
struct Envelope
{
    std::optional<JudgeResult> result;
    std::optional<QString> rawResult;
    bool isError = false;
    std::optional<double> costUSD;
    std::optional<qint64> durationMs;
    /// The model that produced the most output tokens.
    std::optional<QString> model;
    /// Why there is no usable result.
    std::optional<QString> errorMessage;
    /// Every model named in the run's usage, sorted ascending.
    QStringList modelsUsed;

    bool operator==(const Envelope &) const = default;
};

inline constexpr QStringView defaultModel = u"claude-sonnet-5";
inline constexpr QStringView economyModel = u"claude-haiku-4-5";
inline constexpr QStringView fallbackModel = economyModel;

/// Sent as the judge's system prompt, byte for byte.
extern const QStringView systemPrompt;
/// The JSON Schema of the answer: one line of compact JSON.
extern const QStringView schemaJSON;

/// The period's declaration, previous verdict, switch figures and frame
/// count. `now` is accepted but does not change the text.
QString userText(const Thing &thing, const std::optional<HourRecord> &previous, qint64 switches,
    qint64 distinctApps, const QList<DwellEntry> &dwell, qint64 frameCount, bool partial,
    const QDateTime &now);

/// One line of the judge's stream-json input, ending in a line feed: the text,
/// then per frame its numbered caption and its image when there is one.
QByteArray ndjsonMessage(const QString &text, const QList<FrameInput> &frames);

/// The command line's arguments; no model pair for an empty model, no
/// fallback pair when the fallback is empty or equals the model.
QStringList arguments(
    const QString &model, const std::optional<QString> &fallbackModel, double budgetUSD);

/// Reads the judge's whole standard output; any bytes are accepted. None for
/// invalid UTF-8 or when no result line is found; the last result line wins.
std::optional<Envelope> parseStreamOutput(const QByteArray &output);

/// The normalized result from the structured output (any JSON value, an
/// undefined value meaning absent), else from the outermost braces of the raw
/// result text; none when neither decodes.
std::optional<JudgeResult> parseResult(
    const QJsonValue &structured, const std::optional<QString> &raw);

} // namespace JudgeProtocol
