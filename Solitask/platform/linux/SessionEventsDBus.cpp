#include "Solitask/platform/linux/SessionEventsDBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const QString login1 = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString freedesktopSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString gnomeSaver = QStringLiteral("org.gnome.ScreenSaver");
const QString lockRequest = QStringLiteral("login1 Lock");
const QString xSaver = QStringLiteral("X screen saver");

} // namespace

SessionEventsDBus::SessionEventsDBus(QDBusConnection system, QDBusConnection session,
    ScreenState screen)
    : m_system(std::move(system))
    , m_session(std::move(session))
    , m_screen(std::move(screen))
{
    m_system.connect(login1, login1Path, managerInterface, QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
    m_session.connect(freedesktopSaver, QString(), freedesktopSaver,
        QStringLiteral("ActiveChanged"), this, SLOT(onFreedesktopSaver(bool)));
    m_session.connect(gnomeSaver, QString(), gnomeSaver, QStringLiteral("ActiveChanged"), this,
        SLOT(onGnomeSaver(bool)));
    // Any session's path until ours is known; the slots filter.
    m_system.connect(login1, QString(), sessionInterface, QStringLiteral("Lock"), this,
        SLOT(onLockRequest(QDBusMessage)));
    m_system.connect(login1, QString(), sessionInterface, QStringLiteral("Unlock"), this,
        SLOT(onUnlockRequest(QDBusMessage)));
    findSession();
    askSaver(freedesktopSaver, QStringLiteral("/org/freedesktop/ScreenSaver"), freedesktopSaver);
    askSaver(gnomeSaver, QStringLiteral("/org/gnome/ScreenSaver"), gnomeSaver);
}

// Disconnect by hand rather than leave it to the bus's watch on destroyed():
// that path runs while the bus thread may still deliver to this object.
SessionEventsDBus::~SessionEventsDBus()
{
    m_system.disconnect(login1, login1Path, managerInterface, QStringLiteral("PrepareForSleep"),
        this, SLOT(onPrepareForSleep(bool)));
    m_session.disconnect(freedesktopSaver, QString(), freedesktopSaver,
        QStringLiteral("ActiveChanged"), this, SLOT(onFreedesktopSaver(bool)));
    m_session.disconnect(gnomeSaver, QString(), gnomeSaver, QStringLiteral("ActiveChanged"), this,
        SLOT(onGnomeSaver(bool)));
    m_system.disconnect(login1, QString(), sessionInterface, QStringLiteral("Lock"), this,
        SLOT(onLockRequest(QDBusMessage)));
    m_system.disconnect(login1, QString(), sessionInterface, QStringLiteral("Unlock"), this,
        SLOT(onUnlockRequest(QDBusMessage)));
    if (!m_sessionPath.isEmpty())
        m_system.disconnect(login1, m_sessionPath, propertiesInterface,
            QStringLiteral("PropertiesChanged"), this,
            SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
}

Support SessionEventsDBus::support() const
{
    if (!m_system.isConnected() && !m_session.isConnected())
        return Support::no(QStringLiteral("no D-Bus connection"));
    return Support::yes();
}

bool SessionEventsDBus::isScreenLocked()
{
    pollScreen();
    return !m_lockedBy.isEmpty();
}

// The polled sources: the X screen saver, and input that ends a Lock request.
void SessionEventsDBus::pollScreen()
{
    if (m_screen.saverOn)
        setLocked(xSaver, m_screen.saverOn());
    if (m_lockRequested.isValid() && m_screen.idleSeconds
        && m_screen.idleSeconds() * 1000 < double(m_lockRequested.elapsed())) {
        m_lockRequested.invalidate();
        setLocked(lockRequest, false);
    }
}

bool SessionEventsDBus::isOurSession(const QDBusMessage &message) const
{
    return m_sessionPath.isEmpty() || message.path() == m_sessionPath;
}

void SessionEventsDBus::onLockRequest(const QDBusMessage &message)
{
    if (!isOurSession(message))
        return;
    m_lockRequested.start();
    setLocked(lockRequest, true);
}

void SessionEventsDBus::onUnlockRequest(const QDBusMessage &message)
{
    if (!isOurSession(message))
        return;
    m_lockRequested.invalidate();
    setLocked(lockRequest, false);
}

void SessionEventsDBus::onPrepareForSleep(bool start)
{
    if (start)
        Q_EMIT willSleep();
    else
        Q_EMIT didWake();
}

void SessionEventsDBus::onFreedesktopSaver(bool active)
{
    setLocked(freedesktopSaver, active);
}

void SessionEventsDBus::onGnomeSaver(bool active)
{
    setLocked(gnomeSaver, active);
}

void SessionEventsDBus::setLocked(const QString &source, bool locked)
{
    const bool before = !m_lockedBy.isEmpty();
    if (locked)
        m_lockedBy.insert(source);
    else
        m_lockedBy.remove(source);
    if (before == !m_lockedBy.isEmpty())
        return;
    if (!m_lockedBy.isEmpty())
        Q_EMIT this->locked();
    else
        Q_EMIT unlocked();
}

void SessionEventsDBus::findSession()
{
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    QDBusMessage call = id.isEmpty()
        ? QDBusMessage::createMethodCall(login1, login1Path, managerInterface,
            QStringLiteral("GetSessionByPID"))
        : QDBusMessage::createMethodCall(login1, login1Path, managerInterface,
            QStringLiteral("GetSession"));
    call.setAutoStartService(false);
    call << (id.isEmpty() ? QVariant(uint(QCoreApplication::applicationPid())) : QVariant(id));
    auto *watcher = new QDBusPendingCallWatcher(m_system.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isValid())
            watchSession(reply.value().path());
    });
}

void SessionEventsDBus::watchSession(const QString &path)
{
    m_sessionPath = path;
    m_system.connect(login1, path, propertiesInterface, QStringLiteral("PropertiesChanged"), this,
        SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
    readLockedHint();
}

void SessionEventsDBus::readLockedHint()
{
    QDBusMessage call = QDBusMessage::createMethodCall(login1, m_sessionPath, propertiesInterface,
        QStringLiteral("Get"));
    call.setAutoStartService(false);
    call << sessionInterface << QStringLiteral("LockedHint");
    auto *watcher = new QDBusPendingCallWatcher(m_system.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (reply.isValid())
            setLocked(sessionInterface, reply.value().variant().toBool());
    });
}

void SessionEventsDBus::onSessionProperties(const QString &interface, const QVariantMap &changed,
    const QStringList &invalidated)
{
    if (interface != sessionInterface)
        return;
    if (changed.contains(QStringLiteral("LockedHint")))
        setLocked(sessionInterface, changed.value(QStringLiteral("LockedHint")).toBool());
    else if (invalidated.contains(QStringLiteral("LockedHint")))
        readLockedHint();
}

void SessionEventsDBus::askSaver(const QString &service, const QString &path,
    const QString &source)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("GetActive"));
    // Asking must not start a screen saver that is not running.
    call.setAutoStartService(false);
    auto *watcher = new QDBusPendingCallWatcher(m_session.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, source] {
        watcher->deleteLater();
        const QDBusPendingReply<bool> reply = *watcher;
        if (reply.isValid())
            setLocked(source, reply.value());
    });
}
