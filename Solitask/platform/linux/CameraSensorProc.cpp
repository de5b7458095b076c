#include "Solitask/platform/linux/CameraSensorProc.h"

#include "Solitask/platform/linux/PipeWireCameras.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

#include <cstring>
#include <dirent.h>
#include <unistd.h>

namespace {

bool anyDevice(const QString &devicePrefix)
{
    const QFileInfo prefix(devicePrefix);
    DIR *dir = opendir(QFile::encodeName(prefix.path()).constData());
    if (!dir)
        return false;
    const QByteArray stem = QFile::encodeName(prefix.fileName());
    bool found = false;
    while (const dirent *entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, stem.constData(), size_t(stem.size())) == 0) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool isNumeric(const char *name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

// Plain system calls: a desktop has hundreds of processes and thousands of
// descriptors, and the walk should cost well under a millisecond per process.
bool holdsDevice(const QByteArray &pidDir, const QByteArray &prefix)
{
    const QByteArray fdDir = pidDir + "/fd";
    DIR *dir = opendir(fdDir.constData());
    if (!dir)
        return false;
    bool found = false;
    char target[4096];
    while (const dirent *entry = readdir(dir)) {
        if (!isNumeric(entry->d_name))
            continue;
        const QByteArray link = fdDir + '/' + entry->d_name;
        const ssize_t length = readlink(link.constData(), target, sizeof target - 1);
        if (length >= prefix.size()
            && std::memcmp(target, prefix.constData(), size_t(prefix.size())) == 0) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool isIgnored(const QByteArray &pidDir)
{
    QFile comm(QFile::decodeName(pidDir + "/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return false;
    return CameraSensorProc::ignoredProcesses().contains(
        QString::fromUtf8(comm.readAll()).trimmed());
}

bool anyProcessHolds(const QString &procRoot, const QString &devicePrefix)
{
    const QByteArray root = QFile::encodeName(procRoot);
    const QByteArray prefix = QFile::encodeName(devicePrefix);
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    DIR *dir = opendir(root.constData());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent *entry = readdir(dir)) {
        if (!isNumeric(entry->d_name) || self == entry->d_name)
            continue;
        const QByteArray pidDir = root + '/' + entry->d_name;
        if (holdsDevice(pidDir, prefix) && !isIgnored(pidDir)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

} // namespace

CameraSensorProc::CameraSensorProc(QString procRoot, QString devicePrefix, QString pipeWireSocket)
    : m_where {std::move(procRoot), std::move(devicePrefix), std::move(pipeWireSocket)}
{
}

CameraSensorProc::~CameraSensorProc() = default;

QStringList CameraSensorProc::ignoredProcesses()
{
    return {QStringLiteral("pipewire"), QStringLiteral("wireplumber"),
        QStringLiteral("pipewire-media-session"), QStringLiteral("pipewire-pulse")};
}

QString CameraSensorProc::defaultPipeWireSocket()
{
    return PipeWireCameras::socketIn(qEnvironmentVariable("XDG_RUNTIME_DIR"));
}

Support CameraSensorProc::support() const
{
    if (!QFileInfo(m_where.procRoot + QStringLiteral("/self/fd")).isDir())
        return Support::no(QStringLiteral("no /proc file system"));
    return Support::yes();
}

bool CameraSensorProc::look(const Where &where)
{
    if (anyDevice(where.devicePrefix) && anyProcessHolds(where.procRoot, where.devicePrefix))
        return true;
    return PipeWireCameras::anyRunningNow(where.pipeWireSocket);
}

bool CameraSensorProc::anyCameraRunning()
{
    return look(m_where);
}

void CameraSensorProc::query(std::function<void(bool)> done)
{
    const std::weak_ptr<bool> alive = m_alive;
    QThreadPool::globalInstance()->start([where = m_where, alive, done = std::move(done)] {
        const bool running = look(where);
        // Back to the main thread, unless the sensor is gone by then.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [alive, done, running] {
                if (!alive.expired())
                    done(running);
            },
            Qt::QueuedConnection);
    });
}
