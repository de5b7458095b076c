#include "Solitask/app/OwnIdentity.h"

#include "Solitask/app/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

PlatformIdentity ownIdentity()
{
    const QString self = QCoreApplication::applicationFilePath();
    return {{AppInfo::name(), AppInfo::id(), qint32(QCoreApplication::applicationPid())},
        launchCommand(self, QStandardPaths::findExecutable(AppInfo::command()))};
}

QString launchCommand(const QString &self, const QString &onPath)
{
    const QString real = QFileInfo(self).canonicalFilePath();
    if (!onPath.isEmpty() && !real.isEmpty() && QFileInfo(onPath).canonicalFilePath() == real)
        return QFileInfo(onPath).fileName();
    return real.isEmpty() ? self : real;
}
