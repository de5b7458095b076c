#pragma once

#include "Solitask/platform/SessionEvents.h"

#include <QDBusConnection>
#include <QSet>
#include <QVariantMap>

/// Sleep and wake from logind's PrepareForSleep on the system bus; the screen
/// lock from the session's LockedHint and from the screen savers'
/// ActiveChanged on the session bus (org.freedesktop.ScreenSaver and
/// org.gnome.ScreenSaver). logind's Lock and Unlock signals are requests to the
/// desktop, not confirmations, so they are not used. The screen counts as
/// locked while any of these sources says so; `locked` and `unlocked` are
/// emitted on changes of that combined state only.
class SessionEventsDBus : public SessionEvents
{
    Q_OBJECT

public:
    SessionEventsDBus(QDBusConnection system, QDBusConnection session);
    ~SessionEventsDBus() override;

    Support support() const override;
    bool isScreenLocked() override { return !m_lockedBy.isEmpty(); }

private Q_SLOTS:
    void onPrepareForSleep(bool start);
    void onFreedesktopSaver(bool active);
    void onGnomeSaver(bool active);
    void onSessionProperties(const QString &interface, const QVariantMap &changed,
        const QStringList &invalidated);

private:
    void setLocked(const QString &source, bool locked);
    void findSession();
    void watchSession(const QString &path);
    void readLockedHint();
    void askSaver(const QString &service, const QString &path, const QString &source);

    QDBusConnection m_system;
    QDBusConnection m_session;
    QString m_sessionPath;
    QSet<QString> m_lockedBy;
};
