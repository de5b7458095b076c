#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// Finds the person's `claude` executable: the override preference, the usual
/// install locations, then the person's login shell, asked with a time limit.
class ClaudeLocator
{
public:
    /// The current user's home folder and login shell.
    ClaudeLocator();

    void setHome(const QString &home) { m_home = home; }
    void setLoginShell(const QString &shell) { m_shell = shell; }
    void setShellTimeLimit(double seconds) { m_shellLimitSeconds = seconds; }
    const QString &home() const { return m_home; }
    double shellTimeLimit() const { return m_shellLimitSeconds; }

    /// The path of an executable `claude`, or none.
    std::optional<QString> locate() const;

    /// Where installers put it, in the order they are tried.
    QStringList standardLocations() const;
    /// What the login shell's PATH resolves `claude` to; none on a timeout.
    std::optional<QString> askLoginShell() const;

    static bool isExecutableFile(const QString &path);
    /// The user's login shell from the password database, else $SHELL, else /bin/sh.
    static QString loginShellOfUser();

private:
    std::optional<QString> npmGlobalBin() const;

    QString m_home;
    QString m_shell;
    double m_shellLimitSeconds = 3;
};
