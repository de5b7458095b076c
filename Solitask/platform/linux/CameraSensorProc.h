#pragma once

#include "Solitask/platform/CameraSensor.h"

#include <QStringList>

#include <memory>

/// A camera is in use when some process holds a video device open, found by
/// reading the descriptor links under /proc/<pid>/fd, or when PipeWire is
/// streaming one (PipeWireCameras). The media daemons (PipeWire and its
/// session managers) hold every device open all the time and are not counted.
/// Processes of other users are not readable and not counted. Without any
/// video device the /proc walk is skipped altogether. `query` looks on a
/// worker thread.
class CameraSensorProc : public CameraSensor
{
public:
    explicit CameraSensorProc(QString procRoot = QStringLiteral("/proc"),
        QString devicePrefix = QStringLiteral("/dev/video"),
        QString pipeWireSocket = defaultPipeWireSocket());
    ~CameraSensorProc() override;

    static QStringList ignoredProcesses();
    static QString defaultPipeWireSocket();

    Support support() const override;
    bool anyCameraRunning() override;
    void query(std::function<void(bool)> done) override;

    struct Where
    {
        QString procRoot;
        QString devicePrefix;
        QString pipeWireSocket;
    };
    /// The whole look, for any thread.
    static bool look(const Where &where);

private:
    Where m_where;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
