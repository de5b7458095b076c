#include "SolitaskCore/Diag.h"

#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QThreadPool>

#include <syslog.h>
#include <unistd.h>

namespace {

struct DiagState
{
    QMutex mutex;
    QString root;
    bool trimmed = false;
    QThreadPool writer;

    DiagState() { writer.setMaxThreadCount(1); } // one thread keeps lines in order
};

DiagState &state()
{
    static DiagState s;
    return s;
}

void append(const QString &root, const QByteArray &line, bool trimFirst)
{
    if (!FileSafety::makePrivateDir(root))
        return;
    const QString path = QDir(root).filePath(QStringLiteral("diag.log"));
    if (trimFirst && QFileInfo(path).size() >= Diag::trimBytes)
        QFile::remove(path);
    const int fd = FileSafety::openForAppend(path);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), size_t(line.size()));
    ::close(fd);
}

} // namespace

namespace Diag {

void log(const QString &message)
{
    const QByteArray line
        = (Formatters::iso(QDateTime::currentDateTimeUtc()) + u' ' + message + u'\n').toUtf8();
    syslog(LOG_INFO, "[Solitask] %s", message.toUtf8().constData());

    DiagState &s = state();
    QMutexLocker locker(&s.mutex);
    if (s.root.isEmpty())
        s.root = Store::defaultRoot();
    const bool trimFirst = !s.trimmed;
    s.trimmed = true;
    s.writer.start([root = s.root, line, trimFirst] { append(root, line, trimFirst); });
}

void setRoot(const QString &root)
{
    DiagState &s = state();
    QMutexLocker locker(&s.mutex);
    s.root = root;
}

QString logPath()
{
    DiagState &s = state();
    QMutexLocker locker(&s.mutex);
    return QDir(s.root.isEmpty() ? Store::defaultRoot() : s.root)
        .filePath(QStringLiteral("diag.log"));
}

void flush()
{
    state().writer.waitForDone();
}

} // namespace Diag
