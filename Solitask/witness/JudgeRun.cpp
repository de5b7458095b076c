#include "Solitask/witness/JudgeRun.h"

#include "Solitask/witness/JudgeClassifier.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/JudgeProtocol.h"

#include <QFileInfo>

JudgeRun::JudgeRun(std::unique_ptr<ChildProcess> child, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_child(std::move(child))
    , m_timer(scheduler)
{
    connect(m_child.get(), &ChildProcess::exited, this, &JudgeRun::childExited);
    connect(m_child.get(), &ChildProcess::launchFailed, this, &JudgeRun::childFailedToStart);
    connect(m_child.get(), &ChildProcess::outputGrew, this, &JudgeRun::outputGrew);
}

void JudgeRun::start(const Request &request, Completion completion)
{
    m_request = request;
    m_completion = std::move(completion);
    FileSafety::makePrivateDir(request.workingDirectory);
    // A launch in a folder that can not be entered fails like a missing program;
    // the person needs to hear about the folder instead.
    if (const QString why = FileSafety::folderProblem(request.workingDirectory); !why.isEmpty()) {
        Diag::log(QStringLiteral("judge %1: cannot start in %2 (%3)")
                      .arg(request.label, request.workingDirectory, why));
        return finish(JudgeFailure::failed(
            QStringLiteral("The witness can't start in %1: %2").arg(request.workingDirectory, why)));
    }
    ChildLaunch launch;
    launch.program = request.claudePath;
    launch.arguments = JudgeProtocol::arguments(
        request.model, JudgeProtocol::fallbackModel.toString(), request.budgetUSD);
    launch.environment
        = environment(QProcessEnvironment::systemEnvironment(), request.home, request.claudePath);
    launch.workingDirectory = request.workingDirectory;
    launch.input = request.input;
    launch.outputLimit = request.outputLimit;
    m_clock.start();
    m_timer.once(request.limitSeconds, [this] { limitReached(); });
    m_child->start(launch);
}

void JudgeRun::abandon()
{
    m_completion = nullptr;
    m_timer.cancel();
    m_child->kill();
}

QProcessEnvironment JudgeRun::environment(
    const QProcessEnvironment &inherited, const QString &home, const QString &claudePath)
{
    QProcessEnvironment env = inherited;
    // An npm install runs `env node`: the folder claude lives in usually holds node too.
    const QString own = QFileInfo(claudePath).absolutePath();
    QString path = home + QStringLiteral("/.local/bin:/opt/homebrew/bin:/usr/local/bin:")
        + inherited.value(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    if (!claudePath.isEmpty() && !path.split(u':').contains(own))
        path = own + u':' + path;
    env.insert(QStringLiteral("PATH"), path);
    for (const QString &name : inherited.keys()) {
        if (name == QLatin1String("CLAUDECODE") || name == QLatin1String("CLAUDE_PID")
            || name == QLatin1String("CLAUDE_EFFORT")
            || name.startsWith(QLatin1String("CLAUDE_CODE_")))
            env.remove(name);
    }
    return env;
}

void JudgeRun::childExited(const ChildExit &exit)
{
    if (m_timedOut && !m_keepingResult) {
        finish(JudgeFailure::timeout());
        return;
    }
    const double seconds = m_clock.nsecsElapsed() / 1e9;
    finish(JudgeClassifier::classify(exit, m_request.label, m_request.model, seconds));
}

void JudgeRun::childFailedToStart(const QString &error)
{
    Diag::log(QStringLiteral("judge %1: launch failed %2").arg(m_request.label, error));
    finish(JudgeFailure::cliNotFound());
}

// A complete result line is the answer, even from a command line that then
// fails to end: it gets a moment to end by itself, then it is stopped.
void JudgeRun::outputGrew(const QByteArray &standardOutput)
{
    const qsizetype complete = standardOutput.lastIndexOf('\n') + 1;
    if (m_resultIn || complete <= m_scanned)
        return;
    const bool mayHold = QByteArrayView(standardOutput).sliced(m_scanned, complete - m_scanned)
                             .contains(QByteArrayView("\"result\""));
    m_scanned = complete;
    if (!mayHold || !JudgeProtocol::parseStreamOutput(standardOutput.left(complete)))
        return;
    m_resultIn = true;
    m_timer.once(resultGraceSeconds, [this] { keepResultAndStop(); });
}

void JudgeRun::keepResultAndStop()
{
    Diag::log(QStringLiteral("judge %1: result in but the command line did not end; stopped it")
                  .arg(m_request.label));
    m_keepingResult = true;
    m_child->kill();
}

void JudgeRun::limitReached()
{
    if (m_resultIn)
        return keepResultAndStop();
    m_timedOut = true;
    Diag::log(QStringLiteral("judge %1: timeout after %2 s")
                  .arg(m_request.label)
                  .arg(qint64(m_request.limitSeconds)));
    m_child->terminate();
    m_timer.once(terminateGraceSeconds, [this] { graceOver(); });
}

void JudgeRun::graceOver()
{
    m_child->kill();
    finish(JudgeFailure::timeout());
}

void JudgeRun::finish(const JudgeAnswer &answer)
{
    m_timer.cancel();
    if (!m_completion)
        return;
    Completion completion = std::exchange(m_completion, nullptr);
    completion(answer);
}
