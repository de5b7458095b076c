#pragma once

#include "Solitask/witness/ChildProcess.h"
#include "Solitask/witness/JudgeOutcome.h"

#include <QString>

/// Turns what the `claude` child left behind into a verdict or the failure the
/// person reads, writing the log line each case calls for.
namespace JudgeClassifier {

/// `label` names the run in log lines ("hour", "partial", "self-test");
/// `requestedModel` is reported when the judge names none.
JudgeAnswer classify(
    const ChildExit &exit, const QString &label, const QString &requestedModel, double seconds);

/// Standard error as shown to the person: trimmed UTF-8 of at most
/// `StoredTexts::errorChars` characters, empty when not UTF-8.
QString errorText(const QByteArray &bytes);

} // namespace JudgeClassifier
