#pragma once

#include "Solitask/witness/ChildProcess.h"

#include <QProcess>

/// Makes the process start its child in a process group of its own, bound to
/// die with this process.
void bindChildToParent(QProcess &process);

/// A child process on QProcess, started in a process group of its own so that
/// stopping it also stops what it started, and bound to die with this process.
class ChildProcessQt : public ChildProcess
{
    Q_OBJECT
public:
    explicit ChildProcessQt(QObject *parent = nullptr);
    ~ChildProcessQt() override;

    void start(const ChildLaunch &launch) override;
    bool isRunning() const override;
    void terminate() override;
    void kill() override;

private:
    void processStarted();
    void readOutput();
    void readError();
    void keep(QByteArray &buffer, const QByteArray &bytes);
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void processError(QProcess::ProcessError error);
    void signalGroup(int signal);

    QProcess m_process;
    QByteArray m_input;
    ChildExit m_exit;
    qint64 m_limit = 0;
    qint64 m_pid = 0;
    bool m_reported = false;
};
