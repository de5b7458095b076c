#pragma once

#include <QByteArray>
#include <QString>

/// A camera streamed through PipeWire: a video source node that is running.
/// PipeWire holds every camera device open all the time, so only its graph
/// says whether one is in use. Read with `pw-dump`, and only when a PipeWire
/// daemon listens in this session.
namespace PipeWireCameras {

/// Whether a dump of the graph (pw-dump's JSON list of objects) holds a
/// running Video/Source node; garbage holds none.
bool anyRunning(const QByteArray &dump);

/// The daemon's socket in `runtimeDir`, empty when none listens there.
QString socketIn(const QString &runtimeDir);

/// Asks the daemon at `socket` (blocks up to a second); false when it cannot.
bool anyRunningNow(const QString &socket);

} // namespace PipeWireCameras
