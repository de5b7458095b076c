#include "Solitask/session/DiagSnapshot.h"

#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Formatters.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

void Diag::snapshot(const QVariantMap &state, const QDateTime &at)
{
    if (qEnvironmentVariable("SOLITASK_DIAG") != QLatin1String("1"))
        return;
    QVariantMap full = state;
    full.insert(QStringLiteral("at"), Formatters::iso(at));
    // QJsonObject keeps its keys sorted, which is the order we want.
    const QByteArray bytes = QJsonDocument(QJsonObject::fromVariantMap(full)).toJson();
    const QString folder = QFileInfo(Diag::logPath()).absolutePath();
    QDir().mkpath(folder);
    QSaveFile file(QDir(folder).filePath(QStringLiteral("state.json")));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}
