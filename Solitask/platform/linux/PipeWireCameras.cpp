#include "Solitask/platform/linux/PipeWireCameras.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

bool PipeWireCameras::anyRunning(const QByteArray &dump)
{
    const QJsonArray objects = QJsonDocument::fromJson(dump).array();
    for (const QJsonValue &value : objects) {
        const QJsonObject info = value.toObject().value(QStringLiteral("info")).toObject();
        const QString mediaClass = info.value(QStringLiteral("props"))
                                       .toObject()
                                       .value(QStringLiteral("media.class"))
                                       .toString();
        if (mediaClass == QLatin1String("Video/Source")
            && info.value(QStringLiteral("state")).toString() == QLatin1String("running"))
            return true;
    }
    return false;
}

QString PipeWireCameras::socketIn(const QString &runtimeDir)
{
    if (runtimeDir.isEmpty())
        return {};
    const QString path = runtimeDir + QStringLiteral("/pipewire-0");
    return QFileInfo(path).exists() ? path : QString();
}

bool PipeWireCameras::anyRunningNow(const QString &socket)
{
    if (socket.isEmpty())
        return false;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pw-dump"));
    if (tool.isEmpty())
        return false;
    QProcess dump;
    dump.start(tool, {QStringLiteral("--no-colors"), QStringLiteral("--remote"), socket});
    if (!dump.waitForFinished(1000)) {
        dump.kill();
        dump.waitForFinished(200);
        return false;
    }
    return anyRunning(dump.readAllStandardOutput());
}
