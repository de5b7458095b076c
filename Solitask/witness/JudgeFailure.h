#pragma once

#include <QString>

/// Why a judgement produced no verdict. `message` is what the person reads.
struct JudgeFailure
{
    enum class Kind { notLoggedIn, badOutput, failed, cliNotFound, timeout };

    Kind kind = Kind::failed;
    QString payload;

    static JudgeFailure notLoggedIn(const QString &detail) { return {Kind::notLoggedIn, detail}; }
    static JudgeFailure badOutput(const QString &detail) { return {Kind::badOutput, detail}; }
    static JudgeFailure failed(const QString &detail) { return {Kind::failed, detail}; }
    static JudgeFailure cliNotFound() { return {Kind::cliNotFound, {}}; }
    static JudgeFailure timeout() { return {Kind::timeout, {}}; }

    QString message() const;
    bool operator==(const JudgeFailure &) const = default;
};
