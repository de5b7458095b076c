#include "Solitask/platform/linux/CameraSensorProc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

CameraSensorProc::CameraSensorProc(QString procRoot, QString devicePrefix)
    : m_procRoot(std::move(procRoot))
    , m_devicePrefix(std::move(devicePrefix))
{
}

QStringList CameraSensorProc::ignoredProcesses()
{
    return {QStringLiteral("pipewire"), QStringLiteral("wireplumber"),
        QStringLiteral("pipewire-media-session"), QStringLiteral("pipewire-pulse")};
}

Support CameraSensorProc::support() const
{
    if (!QFileInfo(m_procRoot + QStringLiteral("/self/fd")).isDir())
        return Support::no(QStringLiteral("no /proc file system"));
    return Support::yes();
}

bool CameraSensorProc::anyCameraRunning()
{
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(m_procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool numeric = false;
        pid.toLongLong(&numeric);
        const QString dir = m_procRoot + QLatin1Char('/') + pid;
        if (numeric && pid != self && holdsDevice(dir) && !isIgnored(dir))
            return true;
    }
    return false;
}

bool CameraSensorProc::holdsDevice(const QString &pidDir) const
{
    const QString fdDir = pidDir + QStringLiteral("/fd");
    const QStringList fds = QDir(fdDir).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &fd : fds) {
        const QString target = QFile::symLinkTarget(fdDir + QLatin1Char('/') + fd);
        if (target.startsWith(m_devicePrefix))
            return true;
    }
    return false;
}

bool CameraSensorProc::isIgnored(const QString &pidDir) const
{
    QFile comm(pidDir + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return false;
    return ignoredProcesses().contains(QString::fromUtf8(comm.readAll()).trimmed());
}
