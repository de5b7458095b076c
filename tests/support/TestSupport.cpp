#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace TestSupport {

QString fixturesDir()
{
    return QStringLiteral(SOLITASK_TEST_FIXTURES);
}

QString diagLog(const QString &root)
{
    QFile file(QDir(root).filePath(QStringLiteral("diag.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool waitForDiagLine(const QString &root, const QString &line, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!diagLog(root).contains(line)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

} // namespace TestSupport
