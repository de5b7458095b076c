#pragma once

#include "Solitask/witness/ChildProcess.h"
#include "Solitask/witness/ClaudeLocator.h"
#include "Solitask/witness/JudgeOutcome.h"
#include "Solitask/witness/JudgeRun.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class Scheduler;

/// How a judge finds and runs the command line; tests shorten the limits.
struct JudgeOptions
{
    ClaudeLocator locator;
    /// Where the child runs; the store's default root when empty.
    QString workingDirectory;
    double timeLimitSeconds = 120;
    qint64 outputLimit = 32LL * 1024 * 1024;
    /// Makes the child process; a QProcess-backed one when empty.
    std::function<std::unique_ptr<ChildProcess>()> makeChild;
};

/// Runs the outside judge, one judgement at a time, on the main thread: the
/// child runs asynchronously and every completion arrives on the main thread,
/// exactly once. A child never outlives the judge or the application.
class Judge : public QObject
{
    Q_OBJECT
public:
    using Outcome = JudgeOutcome;
    using Failure = JudgeFailure;
    using Completion = std::function<void(const JudgeAnswer &)>;
    using SelfTestCompletion = std::function<void(const JudgeSelfTestAnswer &)>;
    using Options = JudgeOptions;

    explicit Judge(Scheduler &scheduler, Options options = {}, QObject *parent = nullptr);
    ~Judge() override;

    /// The application's judge, created on first use; its child is stopped
    /// when the application quits.
    static Judge &shared();

    /// Finds the command line here and now; it may ask a login shell, so it
    /// belongs off the main thread.
    std::optional<QString> locateClaude() const;
    /// Finds the command line on a worker thread; `found` runs on the main
    /// thread, unless the judge is gone or aborted by then.
    void locateClaudeLater(std::function<void(const std::optional<QString> &)> found);
    bool inFlight() const { return m_inFlight; }
    /// The longest a judgement can take, one retry included.
    double longestJudgementSeconds() const;

    /// Judges one period; a second call while one runs is answered busy. An
    /// empty answer ("no structured result") is retried once.
    void execute(
        const QByteArray &stdin, const QString &model, const QString &label, Completion completion);
    /// One run of the command line, no retry.
    void attempt(
        const QByteArray &stdin, const QString &model, const QString &label, Completion completion);
    /// Judges the sample period and, on success, remembers it in "lastSelfTest".
    void selfTest(SelfTestCompletion completion);
    /// Stops the running child at once; its completion is never called.
    void abort();

    static const QString busyMessage;

private:
    void later(std::function<void()> action);

    Scheduler &m_scheduler;
    Options m_options;
    QPointer<JudgeRun> m_run;
    bool m_inFlight = false;
    quint64 m_generation = 0; // moves on with every abort, so late lookups are dropped
};
