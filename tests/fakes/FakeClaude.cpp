#include "fakes/FakeClaude.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>

FakeClaude::FakeClaude()
{
    qputenv("FAKE_CLAUDE_RECORD", QFile::encodeName(m_dir.path()));
}

FakeClaude::~FakeClaude()
{
    qunsetenv("FAKE_CLAUDE_MODE");
    qunsetenv("FAKE_CLAUDE_RECORD");
}

QString FakeClaude::path()
{
    return QDir(TestSupport::fixturesDir()).filePath(QStringLiteral("claude"));
}

QString FakeClaude::loginShell()
{
    return QDir(TestSupport::fixturesDir()).filePath(QStringLiteral("login-shell"));
}

void FakeClaude::setMode(const QString &mode)
{
    qputenv("FAKE_CLAUDE_MODE", mode.toUtf8());
}

QByteArray FakeClaude::file(const QString &name) const
{
    QFile f(QDir(m_dir.path()).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList FakeClaude::arguments() const
{
    QByteArray bytes = file(QStringLiteral("args0"));
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    QStringList args;
    for (const QByteArray &arg : bytes.split('\0'))
        args.append(QString::fromUtf8(arg));
    return bytes.isNull() ? QStringList() : args;
}

QByteArray FakeClaude::input() const
{
    return file(QStringLiteral("stdin"));
}

QMap<QString, QString> FakeClaude::environment() const
{
    QMap<QString, QString> env;
    for (const QByteArray &line : file(QStringLiteral("env")).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            env.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return env;
}

QString FakeClaude::workingDirectory() const
{
    return QString::fromUtf8(file(QStringLiteral("cwd"))).trimmed();
}

qint64 FakeClaude::pid() const
{
    return file(QStringLiteral("pid")).trimmed().toLongLong();
}

qint64 FakeClaude::grandchildPid() const
{
    return file(QStringLiteral("grandchild")).trimmed().toLongLong();
}

int FakeClaude::runs() const
{
    return int(file(QStringLiteral("runs")).count('\n'));
}

namespace TestWait {

bool until(const std::function<bool()> &done, double seconds)
{
    QDeadlineTimer deadline(qint64(seconds * 1000));
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
    return true;
}

void spin(double seconds)
{
    until([] { return false; }, seconds);
}

bool processExists(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

bool processRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (comm) S ...": the state follows the last parenthesis.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && line.mid(close + 2, 1) != "Z";
}

} // namespace TestWait
