#pragma once

#include "Solitask/platform/SessionEvents.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QSet>
#include <QVariantMap>

#include <functional>

/// Sleep and wake from logind's PrepareForSleep on the system bus; the screen
/// lock from the session's LockedHint and from the screen savers'
/// ActiveChanged on the session bus (org.freedesktop.ScreenSaver and
/// org.gnome.ScreenSaver), from the X screen saver's own state for lockers that
/// speak no D-Bus, and from logind's Lock and Unlock signals. Those two are
/// requests to the desktop, not confirmations: a Lock counts as locked until
/// Unlock or the person's next input, so capture errs towards not capturing.
/// The screen counts as locked while any of these sources says so; `locked`
/// and `unlocked` are emitted on changes of that combined state only (the
/// polled sources change it when asked).
class SessionEventsDBus : public SessionEvents
{
    Q_OBJECT

public:
    /// What the display knows: seconds since the last input, and whether its
    /// screen saver is on.
    struct ScreenState
    {
        std::function<double()> idleSeconds;
        std::function<bool()> saverOn;
    };

    SessionEventsDBus(QDBusConnection system, QDBusConnection session, ScreenState screen = {});
    ~SessionEventsDBus() override;

    Support support() const override;
    bool isScreenLocked() override;

private Q_SLOTS:
    void onPrepareForSleep(bool start);
    void onFreedesktopSaver(bool active);
    void onGnomeSaver(bool active);
    void onSessionProperties(const QString &interface, const QVariantMap &changed,
        const QStringList &invalidated);
    void onLockRequest(const QDBusMessage &message);
    void onUnlockRequest(const QDBusMessage &message);

private:
    void setLocked(const QString &source, bool locked);
    bool isOurSession(const QDBusMessage &message) const;
    void pollScreen();
    void findSession();
    void watchSession(const QString &path);
    void readLockedHint();
    void askSaver(const QString &service, const QString &path, const QString &source);

    QDBusConnection m_system;
    QDBusConnection m_session;
    QString m_sessionPath;
    QSet<QString> m_lockedBy;
    ScreenState m_screen;
    QElapsedTimer m_lockRequested; // valid while a Lock request stands
};
