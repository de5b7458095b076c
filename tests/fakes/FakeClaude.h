#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

/// The fake `claude` of tests/fixtures, with a folder where it records what it
/// received. Choosing a mode sets the variables the fake reads; they are
/// cleared again when the object goes away.
class FakeClaude
{
public:
    FakeClaude();
    ~FakeClaude();
    FakeClaude(const FakeClaude &) = delete;
    FakeClaude &operator=(const FakeClaude &) = delete;

    static QString path();
    static QString loginShell();

    void setMode(const QString &mode);
    QString recordDir() const { return m_dir.path(); }

    QStringList arguments() const;
    QByteArray input() const;
    QMap<QString, QString> environment() const;
    QString workingDirectory() const;
    qint64 pid() const;
    qint64 grandchildPid() const;
    int runs() const;

private:
    QByteArray file(const QString &name) const;

    QTemporaryDir m_dir;
};

namespace TestWait {

/// Runs the event loop until `done` holds or `seconds` pass; whether it held.
bool until(const std::function<bool()> &done, double seconds = 30);
/// Runs the event loop for `seconds`.
void spin(double seconds);
/// Whether a process with this id still exists (a zombie counts).
bool processExists(qint64 pid);
/// Whether a process with this id still runs (a zombie does not count).
bool processRunning(qint64 pid);

} // namespace TestWait
