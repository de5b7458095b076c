#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileSafety {

bool makePrivateDir(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner);
}

bool writeAtomically(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes a temporary file in the same folder, fsyncs it and
    // renames it into place on commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    // commit() syncs the temporary file to disk before renaming it.
    if (!file.commit())
        return false;
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString keepAside(const QString &path, const QString &suffix)
{
    QString target = path + suffix;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = path + suffix + QLatin1Char('.') + QString::number(n);
    // QFile::rename refuses to replace an existing file.
    return QFile::rename(path, target) ? target : QString();
}

} // namespace FileSafety
