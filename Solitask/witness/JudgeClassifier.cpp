#include "Solitask/witness/JudgeClassifier.h"

#include "SolitaskCore/Diag.h"
#include "SolitaskCore/JudgeProtocol.h"
#include "SolitaskCore/StoredTexts.h"

#include <QJsonObject>
#include <QStringDecoder>

namespace JudgeClassifier {
namespace {

const QString noStructuredResult = QStringLiteral("no structured result");

QString utf8OrEmpty(const QByteArray &bytes)
{
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    return decode.hasError() ? QString() : text;
}

bool containsAny(const QString &text, std::initializer_list<const char *> words)
{
    const QString lower = text.toLower();
    for (const char *word : words) {
        if (lower.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

// One event, one line: a multi-line excerpt would read as several log entries.
QString excerpt(const QString &text)
{
    QString line = text.left(200);
    line.replace(u'\n', u' ');
    line.replace(u'\r', u' ');
    return line;
}

QString exitDescription(const ChildExit &exit)
{
    return exit.bySignal ? QStringLiteral("on signal %1").arg(exit.status)
                         : QString::number(exit.status);
}

JudgeFailure withoutResultLine(const ChildExit &exit, const QString &label)
{
    const QString stderrText = errorText(exit.standardError);
    Diag::log(QStringLiteral("judge %1: no result line (exit %2) stderr=%3 stdout=%4")
                  .arg(label, exitDescription(exit), excerpt(stderrText),
                      excerpt(utf8OrEmpty(exit.standardOutput))));
    if (containsAny(stderrText, {"not logged in", "login"}))
        return JudgeFailure::notLoggedIn(stderrText);
    if (exit.status != 0 || exit.bySignal) {
        if (stderrText.isEmpty())
            return JudgeFailure::failed(QStringLiteral("claude exited ") + exitDescription(exit));
        return JudgeFailure::failed(stderrText);
    }
    return JudgeFailure::badOutput(noStructuredResult);
}

JudgeFailure errorResult(const JudgeProtocol::Envelope &envelope, const QString &label)
{
    const QString message = StoredTexts::clipped(
        envelope.errorMessage.value_or(QStringLiteral("unknown error")), StoredTexts::errorChars);
    Diag::log(QStringLiteral("judge %1: is_error %2").arg(label, excerpt(message)));
    if (containsAny(message, {"login", "auth", "credential", "api key"}))
        return JudgeFailure::notLoggedIn(message);
    return JudgeFailure::failed(message);
}

JudgeOutcome success(const JudgeProtocol::Envelope &envelope, const QString &label,
    const QString &requestedModel, double seconds)
{
    QString model = envelope.model.value_or(requestedModel);
    if (model.isEmpty())
        model = QStringLiteral("CLI default");
    Diag::log(QString::asprintf("judge %s: %s in %.1f s, cost %.4f, model %s (used: %s)",
        qUtf8Printable(label), qUtf8Printable(rawValue(envelope.result->verdict)), seconds,
        envelope.costUSD.value_or(0), qUtf8Printable(model),
        qUtf8Printable(envelope.modelsUsed.join(u','))));
    return {*envelope.result, model, seconds, envelope.costUSD, envelope.durationMs};
}

} // namespace

QString errorText(const QByteArray &bytes)
{
    // Up to the output limit may arrive; the person reads a paragraph at most.
    return StoredTexts::clipped(utf8OrEmpty(bytes).trimmed(), StoredTexts::errorChars);
}

JudgeAnswer classify(
    const ChildExit &exit, const QString &label, const QString &requestedModel, double seconds)
{
    if (exit.overflow) {
        Diag::log(QStringLiteral("judge %1: output too large, stopped").arg(label));
        return JudgeFailure::badOutput(QStringLiteral("output too large"));
    }
    const auto envelope = JudgeProtocol::parseStreamOutput(exit.standardOutput);
    if (!envelope)
        return withoutResultLine(exit, label);
    if (envelope->isError)
        return errorResult(*envelope, label);
    if (!envelope->result)
        return JudgeFailure::badOutput(noStructuredResult);
    return success(*envelope, label, requestedModel, seconds);
}

} // namespace JudgeClassifier
