#include "SolitaskCore/InstanceLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstanceLock::InstanceLock(QString root)
    : m_root(std::move(root))
{
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing releases the lock
}

QString InstanceLock::path() const
{
    return QDir(m_root).filePath(QStringLiteral("solitask.lock"));
}

InstanceLock::State InstanceLock::acquire()
{
    if (m_fd >= 0)
        return State::owned;
    const int fd = ::open(
        QFile::encodeName(path()).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_problem = QString::fromLocal8Bit(std::strerror(errno));
        return State::failed;
    }
    ::fchmod(fd, 0600); // a lock file an older version left may be readable by others
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return State::heldByOther;
        m_problem = QString::fromLocal8Bit(std::strerror(error));
        return State::failed;
    }
    m_fd = fd;
    // The owner's process id, for a person looking into the folder.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written
            = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    }
    return State::owned;
}
