#include "Solitask/witness/ChildProcessQt.h"

#include <csignal>
#include <utility>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Runs in the child between fork and exec: a group of its own, so that a stop
// reaches the helpers it starts, and death with the parent, so that it never
// outlives Solitask even when Solitask itself is killed.
void detachIntoOwnGroup(pid_t parent)
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
}

} // namespace

void bindChildToParent(QProcess &process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] { detachIntoOwnGroup(parent); });
}

ChildProcessQt::ChildProcessQt(QObject *parent)
    : ChildProcess(parent)
{
    connect(&m_process, &QProcess::started, this, &ChildProcessQt::processStarted);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &ChildProcessQt::readOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this, &ChildProcessQt::readError);
    connect(&m_process, &QProcess::finished, this, &ChildProcessQt::processFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &ChildProcessQt::processError);
}

ChildProcessQt::~ChildProcessQt()
{
    m_reported = true; // nobody listens any more
    if (isRunning()) {
        signalGroup(SIGKILL);
        m_process.waitForFinished(2000);
    }
}

void ChildProcessQt::start(const ChildLaunch &launch)
{
    m_exit = {};
    m_limit = launch.outputLimit;
    m_reported = false;
    bindChildToParent(m_process);
    m_process.setProcessEnvironment(launch.environment);
    m_process.setWorkingDirectory(launch.workingDirectory);
    m_process.setProgram(launch.program);
    m_process.setArguments(launch.arguments);
    m_input = launch.input;
    m_process.start(QIODevice::ReadWrite);
}

void ChildProcessQt::processStarted()
{
    m_pid = m_process.processId();
    m_process.write(m_input);
    m_input.clear();
    // The command line reads further turns until its input ends.
    m_process.closeWriteChannel();
}

bool ChildProcessQt::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

void ChildProcessQt::terminate()
{
    signalGroup(SIGTERM);
}

void ChildProcessQt::kill()
{
    signalGroup(SIGKILL);
}

void ChildProcessQt::readOutput()
{
    const qsizetype before = m_exit.standardOutput.size();
    keep(m_exit.standardOutput, m_process.readAllStandardOutput());
    if (m_exit.standardOutput.size() != before && !m_reported)
        Q_EMIT outputGrew(m_exit.standardOutput);
}

void ChildProcessQt::readError()
{
    keep(m_exit.standardError, m_process.readAllStandardError());
}

void ChildProcessQt::keep(QByteArray &buffer, const QByteArray &bytes)
{
    if (m_exit.overflow)
        return;
    if (buffer.size() + bytes.size() > m_limit) {
        m_exit.overflow = true;
        kill();
        return;
    }
    buffer.append(bytes);
}

void ChildProcessQt::processFinished(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    readError();
    m_exit.status = exitCode;
    m_exit.bySignal = status == QProcess::CrashExit;
    // A helper the child started may still run in its group; the group id
    // stays reserved while any member lives, so this reaches only them.
    if (m_pid > 0)
        ::kill(-static_cast<pid_t>(std::exchange(m_pid, 0)), SIGKILL);
    if (m_reported)
        return;
    m_reported = true;
    Q_EMIT exited(m_exit);
}

void ChildProcessQt::processError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || m_reported)
        return;
    m_reported = true;
    Q_EMIT launchFailed(m_process.errorString());
}

void ChildProcessQt::signalGroup(int signal)
{
    if (m_pid <= 0 || !isRunning())
        return;
    ::kill(-static_cast<pid_t>(m_pid), signal);
}
