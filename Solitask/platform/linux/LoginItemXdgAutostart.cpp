#include "Solitask/platform/linux/LoginItemXdgAutostart.h"

#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

LoginItemXdgAutostart::LoginItemXdgAutostart(QString appId, QString name, QString executable,
    QString autostartDir)
    : m_appId(std::move(appId))
    , m_name(std::move(name))
    , m_executable(std::move(executable))
    , m_dir(std::move(autostartDir))
{
}

QString LoginItemXdgAutostart::defaultDir()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

QString LoginItemXdgAutostart::path() const
{
    return m_dir + QLatin1Char('/') + m_appId + QStringLiteral(".desktop");
}

QString LoginItemXdgAutostart::execValue(const QString &executable)
{
    QString escaped;
    for (QChar c : executable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    // A literal percent sign is doubled in every Exec value, quoted or not.
    escaped.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QByteArray LoginItemXdgAutostart::entry() const
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nIcon=%3\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(m_name, execValue(m_executable), m_appId)
        .toUtf8();
}

QByteArray LoginItemXdgAutostart::stored() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

bool LoginItemXdgAutostart::isEnabled()
{
    const QString text = QString::fromUtf8(stored());
    if (text.isEmpty())
        return false;
    const auto has = [&text](const char *line) {
        return text.contains(QRegularExpression(QStringLiteral("^%1\\s*$").arg(line),
            QRegularExpression::MultilineOption));
    };
    return !has("Hidden\\s*=\\s*true") && !has("X-GNOME-Autostart-enabled\\s*=\\s*false");
}

bool LoginItemXdgAutostart::setEnabled(bool enabled)
{
    if (!enabled)
        return !QFile::exists(path()) || QFile::remove(path());
    return QDir().mkpath(m_dir) && FileSafety::writeAtomically(path(), entry());
}

bool LoginItemXdgAutostart::refresh()
{
    // An entry written by another installation (or by hand) is replaced only
    // while it is switched on; a hidden one stays the person's choice.
    if (!isEnabled() || stored() == entry())
        return true;
    return FileSafety::writeAtomically(path(), entry());
}
