#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

/// How to start one child: what to run, where, with which environment, and
/// the bytes to hand it on standard input before closing it.
struct ChildLaunch
{
    QString program;
    QStringList arguments;
    QProcessEnvironment environment;
    QString workingDirectory;
    QByteArray input;
    /// Bytes kept per output stream; a child that writes more is killed.
    qint64 outputLimit = 32LL * 1024 * 1024;
};

/// What a child left behind when it ended.
struct ChildExit
{
    /// The exit status, or the signal number when `bySignal`.
    int status = 0;
    bool bySignal = false;
    QByteArray standardOutput;
    QByteArray standardError;
    /// A stream passed the output limit; the child was killed for it.
    bool overflow = false;
};

/// One child process, run asynchronously on the thread that owns it. After
/// `start` exactly one of `launchFailed` or `exited` is emitted. When the child
/// ends, whatever it started in its process group is ended too. Destroying
/// the object kills a child that is still running and reaps it.
class ChildProcess : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start(const ChildLaunch &launch) = 0;
    virtual bool isRunning() const = 0;
    /// Asks the child (and whatever it started) to stop.
    virtual void terminate() = 0;
    /// Stops the child (and whatever it started) with signal 9.
    virtual void kill() = 0;

Q_SIGNALS:
    void launchFailed(const QString &error);
    void exited(const ChildExit &result);
    /// Standard output so far, each time more of it arrives.
    void outputGrew(const QByteArray &standardOutput);
};
