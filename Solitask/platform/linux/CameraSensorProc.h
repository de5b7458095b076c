#pragma once

#include "Solitask/platform/CameraSensor.h"

#include <QStringList>

/// A camera is in use when some process holds a video device open, found by
/// reading the descriptor links under /proc/<pid>/fd. The media daemons
/// (PipeWire and its session managers) hold every device open all the time and
/// are not counted. Processes of other users are not readable and not counted.
class CameraSensorProc : public CameraSensor
{
public:
    explicit CameraSensorProc(QString procRoot = QStringLiteral("/proc"),
        QString devicePrefix = QStringLiteral("/dev/video"));

    static QStringList ignoredProcesses();

    Support support() const override;
    bool anyCameraRunning() override;

private:
    bool holdsDevice(const QString &pidDir) const;
    bool isIgnored(const QString &pidDir) const;

    QString m_procRoot;
    QString m_devicePrefix;
};
