#include "Solitask/platform/gnome/IdleSensorGnome.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

std::optional<double> IdleSensorGnome::ask() const
{
    const QDBusReply<qulonglong> reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Mutter.IdleMonitor"),
            QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
            QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime")),
        QDBus::Block, 1000);
    if (!reply.isValid())
        return std::nullopt;
    return double(reply.value()) / 1000.0;
}

Support IdleSensorGnome::support() const
{
    if (ask())
        return Support::yes();
    return Support::no(QStringLiteral("Mutter's idle monitor does not answer"));
}

// Without an answer the person counts as present, as with no backend.
double IdleSensorGnome::idleSeconds()
{
    return ask().value_or(0.0);
}
