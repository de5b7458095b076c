#pragma once

#include "Solitask/session/TimerSlot.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <optional>

/// The always-present indicator: a tray icon that draws the status glyph
/// ("●" while witnessing, "○" otherwise) and opens the menu, which is
/// rebuilt every time it is about to show. Without a tray host it says so
/// once in the log and keeps looking for one; the strip and the hot key
/// still reach everything meanwhile.
class TrayItem : public QObject
{
    Q_OBJECT

public:
    static constexpr double hostPoll = 5.0;
    static inline const QString filled = QStringLiteral("\u25cf");
    static inline const QString hollow = QStringLiteral("\u25cb");

    TrayItem(Scheduler &scheduler, std::function<void(QMenu &)> rebuild,
             QObject *parent = nullptr);

    void show();
    void setGlyph(const QString &glyph);
    const QString &glyph() const { return m_glyph; }
    QMenu &menu() { return m_menu; }
    QSystemTrayIcon &icon() { return m_icon; }

    /// The glyph drawn as an icon: a disc for "●", a ring for anything else.
    static QIcon glyphIcon(const QString &glyph);

private:
    void checkHost();
    void activated(QSystemTrayIcon::ActivationReason reason);

    QMenu m_menu;
    QSystemTrayIcon m_icon;
    std::function<void(QMenu &)> m_rebuild;
    QString m_glyph = hollow;
    TimerSlot m_hostPoll;
    bool m_toldMissing = false;
    std::optional<bool> m_hostPresent;
};
