#include "Solitask/witness/ClaudeLocator.h"

#include "Solitask/session/Prefs.h"
#include "Solitask/witness/ChildProcessQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString lookupCommand = QStringLiteral("whence -p claude 2>/dev/null || command -v claude");

QString lastNonEmptyLine(const QByteArray &bytes)
{
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    if (decode.hasError())
        return {};
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// "prefix=~/.npm-packages" in ~/.npmrc, as npm itself would read it.
std::optional<QString> npmrcPrefix(const QString &home)
{
    QFile file(QDir(home).filePath(QStringLiteral(".npmrc")));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
        if (!line.startsWith(QStringLiteral("prefix")) || !line.contains(u'='))
            continue;
        QString prefix = line.section(u'=', 1).trimmed();
        prefix.replace(QStringLiteral("${HOME}"), home);
        if (prefix.startsWith(u'~'))
            prefix = home + prefix.mid(1);
        return prefix;
    }
    return std::nullopt;
}

} // namespace

ClaudeLocator::ClaudeLocator()
    : m_home(QDir::homePath())
    , m_shell(loginShellOfUser())
{
}

std::optional<QString> ClaudeLocator::locate() const
{
    const QString override = Prefs::text(Prefs::Key::claudePathOverride);
    if (!override.isEmpty() && isExecutableFile(override))
        return override;
    for (const QString &path : standardLocations()) {
        if (isExecutableFile(path))
            return path;
    }
    // A desktop session or terminal usually hands us a PATH already; asking
    // it costs nothing, unlike starting a login shell.
    if (const QString onPath = QStandardPaths::findExecutable(QStringLiteral("claude"));
        !onPath.isEmpty())
        return onPath;
    return askLoginShell();
}

QStringList ClaudeLocator::standardLocations() const
{
    QStringList paths {m_home + QStringLiteral("/.local/bin/claude"),
        m_home + QStringLiteral("/.claude/local/claude"),
        m_home + QStringLiteral("/.npm-global/bin/claude")};
    if (const auto npm = npmGlobalBin())
        paths.append(*npm + QStringLiteral("/claude"));
    paths.append({QStringLiteral("/opt/homebrew/bin/claude"),
        QStringLiteral("/home/linuxbrew/.linuxbrew/bin/claude"),
        QStringLiteral("/usr/local/bin/claude")});
    return paths;
}

std::optional<QString> ClaudeLocator::npmGlobalBin() const
{
    QString prefix = qEnvironmentVariable("NPM_CONFIG_PREFIX");
    if (prefix.isEmpty())
        prefix = qEnvironmentVariable("npm_config_prefix");
    if (prefix.isEmpty())
        prefix = npmrcPrefix(m_home).value_or(QString());
    if (prefix.isEmpty())
        return std::nullopt;
    return prefix + QStringLiteral("/bin");
}

// Start-up files can hang (a prompt waiting for input, a network mount), so
// the shell gets a few seconds and is stopped with everything it started.
std::optional<QString> ClaudeLocator::askLoginShell() const
{
    QProcess shell;
    bindChildToParent(shell);
    shell.setStandardInputFile(QProcess::nullDevice());
    shell.start(m_shell, {QStringLiteral("-lc"), lookupCommand});
    if (!shell.waitForStarted())
        return std::nullopt;
    if (!shell.waitForFinished(int(m_shellLimitSeconds * 1000))) {
        ::kill(-static_cast<pid_t>(shell.processId()), SIGKILL);
        shell.waitForFinished(1000);
        return std::nullopt;
    }
    if (shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0)
        return std::nullopt;
    const QString path = lastNonEmptyLine(shell.readAllStandardOutput());
    if (path.isEmpty() || !isExecutableFile(path))
        return std::nullopt;
    return path;
}

bool ClaudeLocator::isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString ClaudeLocator::loginShellOfUser()
{
    if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_shell && *entry->pw_shell)
        return QFile::decodeName(entry->pw_shell);
    const QString shell = qEnvironmentVariable("SHELL");
    return shell.isEmpty() ? QStringLiteral("/bin/sh") : shell;
}
