#include "SolitaskCore/JudgeProtocol.h"

#include "SolitaskCore/Formatters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace JudgeProtocol {

namespace {

constexpr qsizetype maxDwellItems = 6;

QString correctionSentence(Correction correction)
{
    switch (correction) {
    case Correction::onTask:
        return QStringLiteral(" The person corrected it: that hour was actually on task — treat "
                              "similar activity as on or adjacent.");
    case Correction::away:
        return QStringLiteral(" The person corrected it: they were away from the Mac that hour.");
    case Correction::differentThing:
        return QStringLiteral(
            " The person corrected it: that hour was spent on a different thing.");
    }
    return {};
}

QString previousHourText(const std::optional<HourRecord> &previous)
{
    // An hour that was never judged says nothing, even when corrected.
    if (!previous || !previous->result)
        return {};
    QString text
        = QStringLiteral("\nPrevious hour's verdict: ") + rawValue(previous->result->verdict);
    if (!previous->result->threads.isEmpty())
        text += QStringLiteral(" (threads: ") + previous->result->threads.join(QStringLiteral(", "))
            + QLatin1Char(')');
    text += QLatin1Char('.');
    if (previous->correction)
        text += correctionSentence(*previous->correction);
    return text;
}

QString dwellText(QList<DwellEntry> dwell)
{
    if (dwell.isEmpty())
        return {};
    std::stable_sort(dwell.begin(), dwell.end(),
        [](const DwellEntry &a, const DwellEntry &b) { return a.seconds > b.seconds; });
    QStringList items;
    for (const DwellEntry &entry : dwell.first(std::min(dwell.size(), maxDwellItems))) {
        // Anything under two minutes, even a few seconds, reads as 1 min.
        const qint64 minutes = entry.seconds >= 60 ? entry.seconds / 60 : 1;
        items.append(entry.app + u' ' + QString::number(minutes) + QStringLiteral(" min"));
    }
    return QStringLiteral(" Dwell: ") + items.join(QStringLiteral(", ")) + QLatin1Char('.');
}

QJsonObject textBlock(const QString &text)
{
    return {{QStringLiteral("type"), QStringLiteral("text")}, {QStringLiteral("text"), text}};
}

QJsonObject imageBlock(const QString &base64)
{
    const QJsonObject source {{QStringLiteral("type"), QStringLiteral("base64")},
        {QStringLiteral("media_type"), QStringLiteral("image/jpeg")},
        {QStringLiteral("data"), base64}};
    return {{QStringLiteral("type"), QStringLiteral("image")}, {QStringLiteral("source"), source}};
}

QJsonArray contentBlocks(const QString &text, const QList<FrameInput> &frames)
{
    QJsonArray content {textBlock(text)};
    for (qsizetype i = 0; i < frames.size(); ++i) {
        content.append(textBlock(QStringLiteral("Frame %1 · ").arg(i + 1) + frames[i].caption));
        if (frames[i].jpegBase64)
            content.append(imageBlock(*frames[i].jpegBase64));
    }
    return content;
}

} // namespace

QString userText(const Thing &thing, const std::optional<HourRecord> &previous, qint64 switches,
    qint64 distinctApps, const QList<DwellEntry> &dwell, qint64 frameCount, bool partial,
    const QDateTime &now)
{
    Q_UNUSED(now);
    QString text = QStringLiteral("Declaration: \"") + thing.text + QStringLiteral("\" (")
        + thing.until.label() + QStringLiteral("), declared at ") + Formatters::hm(thing.declaredAt)
        + QLatin1Char('.');
    text += previousHourText(previous);
    text += QStringLiteral("\nApp switches this period: %1 across %2 apps.")
                .arg(switches)
                .arg(distinctApps);
    text += dwellText(dwell);
    text += QStringLiteral("\nBelow are %1 frames").arg(frameCount);
    if (partial)
        text += QStringLiteral(" (a partial period — the person just finished or switched)");
    text += QStringLiteral(", each preceded by its caption (time · frontmost app — window title). "
                           "Judge each frame's relation to the declaration and return the JSON.");
    return text;
}

QByteArray ndjsonMessage(const QString &text, const QList<FrameInput> &frames)
{
    const QJsonObject message {{QStringLiteral("role"), QStringLiteral("user")},
        {QStringLiteral("content"), contentBlocks(text, frames)}};
    const QJsonObject line {
        {QStringLiteral("type"), QStringLiteral("user")}, {QStringLiteral("message"), message}};
    return QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
}

QStringList arguments(
    const QString &model, const std::optional<QString> &fallbackModel, double budgetUSD)
{
    QStringList args {QStringLiteral("-p"), QStringLiteral("--input-format"),
        QStringLiteral("stream-json"), QStringLiteral("--output-format"),
        QStringLiteral("stream-json"), QStringLiteral("--verbose"), QStringLiteral("--tools"),
        QString(), QStringLiteral("--strict-mcp-config"), QStringLiteral("--setting-sources"),
        QString(), QStringLiteral("--no-session-persistence"), QStringLiteral("--system-prompt"),
        systemPrompt.toString(), QStringLiteral("--json-schema"), schemaJSON.toString(),
        QStringLiteral("--max-budget-usd"), QString::asprintf("%.2f", budgetUSD)};
    if (!model.isEmpty())
        args << QStringLiteral("--model") << model;
    if (fallbackModel && !fallbackModel->isEmpty() && *fallbackModel != model)
        args << QStringLiteral("--fallback-model") << *fallbackModel;
    return args;
}

} // namespace JudgeProtocol
