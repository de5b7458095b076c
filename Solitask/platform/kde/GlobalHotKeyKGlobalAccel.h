#pragma once

#include "Solitask/platform/GlobalHotKey.h"

#include <QDBusConnection>
#include <QStringList>

/// Control+Alt+O through KDE's global shortcut service (inside KWin on
/// Plasma 5.27). The shortcut appears under Solitask in System Settings,
/// where the person may bind another key; the service keeps that choice.
/// When the service comes back (KWin restarted) the key is taken again.
class GlobalHotKeyKGlobalAccel : public GlobalHotKey
{
    Q_OBJECT

public:
    /// `appId` and `appName` name the component in the person's settings.
    GlobalHotKeyKGlobalAccel(QDBusConnection bus, const QString &appId, const QString &appName);

    /// No while the service is missing or the last registration failed.
    Support support() const override;
    /// 0 when the key is ours, 10 when another program holds it, 1 without the service.
    int registerHotKey() override;
    void unregisterHotKey() override;

    /// The service's name for this action: component, action, and their readable names.
    QStringList actionId() const { return m_actionId; }

private Q_SLOTS:
    void onPressed(const QString &component, const QString &action, qlonglong timestamp);

private:
    bool call(const QString &method, const QVariantList &args, QVariant *answer = nullptr);
    bool listen();

    QDBusConnection m_bus;
    QStringList m_actionId;
    QString m_componentPath;
    QString m_problem;
    bool m_wanted = false;
};
