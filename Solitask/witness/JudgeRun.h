#pragma once

#include "Solitask/session/TimerSlot.h"
#include "Solitask/witness/ChildProcess.h"
#include "Solitask/witness/JudgeOutcome.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <memory>

/// One run of the `claude` command line: launch, hand over the message line,
/// collect, stop it at the time limit, classify. Reports exactly once.
class JudgeRun : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QString claudePath;
        QByteArray input;
        QString model;
        QString label;
        double budgetUSD = 0.4;
        QString home;
        QString workingDirectory;
        double limitSeconds = 120;
        qint64 outputLimit = 32LL * 1024 * 1024;
    };
    using Completion = std::function<void(const JudgeAnswer &)>;

    JudgeRun(std::unique_ptr<ChildProcess> child, Scheduler &scheduler, QObject *parent = nullptr);

    void start(const Request &request, Completion completion);
    /// Stops the child at once; no answer follows.
    void abandon();

    /// The child's environment: this process's, with the install folders in
    /// front of PATH and the variables of an enclosing Claude Code session removed.
    static QProcessEnvironment environment(
        const QProcessEnvironment &inherited, const QString &home, const QString &claudePath);

    /// Seconds the child gets after being asked to stop before it is killed.
    static constexpr double terminateGraceSeconds = 0.5;
    /// Seconds a child gets to end by itself once its result line is in.
    static constexpr double resultGraceSeconds = 2;

private:
    void childExited(const ChildExit &exit);
    void outputGrew(const QByteArray &standardOutput);
    void keepResultAndStop();
    void childFailedToStart(const QString &error);
    void limitReached();
    void graceOver();
    void finish(const JudgeAnswer &answer);

    std::unique_ptr<ChildProcess> m_child;
    TimerSlot m_timer;
    QElapsedTimer m_clock;
    Request m_request;
    Completion m_completion;
    bool m_timedOut = false;
    bool m_resultIn = false;
    bool m_keepingResult = false;
    qsizetype m_scanned = 0;
};
