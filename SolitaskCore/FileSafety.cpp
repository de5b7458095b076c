#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSafety {
namespace {

constexpr mode_t privateFile = 0600;
constexpr mode_t privateDir = 0700;

// Closes its descriptor however the function returns.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool failWith(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// A fresh 0600 file beside the target, created exclusively so that nothing
// already there (a link planted by someone else included) is opened.
int createTemporary(int folder, const QByteArray &name, QByteArray &temporary)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = '.' + name + '.'
            + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = ::openat(folder, temporary.constData(),
            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privateFile);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool makePrivateDir(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    for (QString folder = absolute; !QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink();
         folder = QFileInfo(folder).path()) {
        missing.prepend(folder);
        if (folder == QLatin1String("/"))
            break;
    }
    for (const QString &folder : missing) {
        const QByteArray name = QFile::encodeName(folder);
        if (::mkdir(name.constData(), privateDir) != 0 && errno != EEXIST)
            return false;
        ::chmod(name.constData(), privateDir); // a umask may have taken bits the owner needs
    }
    return QFileInfo(absolute).isDir();
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *why)
{
    const QFileInfo info(path);
    const QByteArray name = QFile::encodeName(info.fileName());
    const Descriptor folder(::open(
        QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return failWith(why, errnoText(errno));
    QByteArray temporary;
    Descriptor out(createTemporary(folder.get(), name, temporary));
    if (!out)
        return failWith(why, errnoText(errno));
    const bool written = writeAll(out.get(), bytes) && ::fsync(out.get()) == 0;
    const int writeError = errno;
    if (!written || ::close(out.release()) != 0
        || ::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0) {
        const int error = written ? errno : writeError;
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return failWith(why, errnoText(error));
    }
    ::fsync(folder.get()); // the rename itself survives a power cut
    return true;
}

std::variant<QByteArray, ReadFailure> readRegularFile(const QString &path, qint64 maxBytes)
{
    // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    const Descriptor fd(::open(
        QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        if (errno == ENOENT)
            return ReadFailure {true, QStringLiteral("no such file")};
        if (errno == ELOOP)
            return ReadFailure {false, QStringLiteral("a link, not followed")};
        return ReadFailure {false, errnoText(errno)};
    }
    struct stat status
    {
    };
    if (::fstat(fd.get(), &status) != 0)
        return ReadFailure {false, errnoText(errno)};
    if (!S_ISREG(status.st_mode))
        return ReadFailure {false, QStringLiteral("not a regular file")};
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
    if (status.st_size > maxBytes)
        return ReadFailure {false, tooLarge};
    QByteArray content;
    content.reserve(qsizetype(status.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadFailure {false, errnoText(errno)};
        if (got == 0)
            return content;
        if (content.size() + got > maxBytes)
            return ReadFailure {false, tooLarge};
        content.append(chunk, got);
    }
}

void removeLeftoverTemporaries(const QString &folder)
{
    QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        dir.remove(name);
}

QString keepAside(const QString &path, const QString &suffix)
{
    auto taken = [](const QString &candidate) {
        const QFileInfo info(candidate);
        return info.exists() || info.isSymLink();
    };
    QString target = path + suffix;
    for (int n = 1; taken(target); ++n)
        target = path + suffix + QLatin1Char('.') + QString::number(n);
    // A rename moves a link itself, never what it points to.
    const bool moved
        = ::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0;
    return moved ? target : QString();
}

int openForAppend(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, privateFile);
}

QString folderProblem(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errnoText(errno);
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("not a folder");
    if (::access(QFile::encodeName(path).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("not writable (%1)").arg(errnoText(errno));
    return {};
}

bool writableByOthers(const QString &path)
{
    struct stat status
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0
        && (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

} // namespace FileSafety
