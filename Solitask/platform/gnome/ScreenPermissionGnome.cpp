#include "Solitask/platform/gnome/ScreenPermissionGnome.h"

#include "Solitask/platform/gnome/GnomeShellWindows.h"
#include "SolitaskCore/Diag.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

ScreenPermissionGnome::ScreenPermissionGnome(std::shared_ptr<GnomeShellWindows> windows)
    : m_windows(std::move(windows))
{
}

Support ScreenPermissionGnome::support() const
{
    if (m_windows->support().supported)
        return Support::yes();
    return Support::no(GnomeShellWindows::enableAdvice());
}

bool ScreenPermissionGnome::isGranted()
{
    return m_windows->support().supported;
}

// A shell that found the extension at login turns it on at once; one that
// did not (installed since) needs the person to log in again.
bool ScreenPermissionGnome::request()
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"),
        QStringLiteral("/org/gnome/Shell"), QStringLiteral("org.gnome.Shell.Extensions"),
        QStringLiteral("EnableExtension"));
    message << GnomeShellWindows::extensionId();
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
    if (!reply.isValid() || !reply.value())
        Diag::log(QStringLiteral("gnome: the shell did not turn the extension on"));
    return isGranted();
}

QString ScreenPermissionGnome::openSystemSettings()
{
    return isGranted() ? QStringLiteral("Solitask's GNOME Shell extension is on.")
                       : GnomeShellWindows::enableAdvice();
}
