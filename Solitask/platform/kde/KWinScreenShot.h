#pragma once

#include <QDBusConnection>
#include <QImage>

#include <functional>

/// One picture of KWin's whole workspace through its ScreenShot2 interface:
/// the pixels come through a pipe, never a file. KWin answers only to a
/// program whose desktop file declares
/// X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2.
namespace KWinScreenShot {

/// The picture, or a null image and why.
using Done = std::function<void(QImage image, QString error, bool refused)>;

/// Calls `done` once on this thread, when KWin has answered or the time is up.
void captureWorkspace(const QDBusConnection &bus, Done done);

/// The raw picture of `size` bytes read from `fd` within `timeoutMs`.
QByteArray readPipe(int fd, qsizetype size, int timeoutMs);

} // namespace KWinScreenShot
