#pragma once

#include "Solitask/app/MenuTarget.h"
#include "Solitask/app/StatusMenu.h"

#include <QObject>

#include <memory>

class AppParts;
class TrayItem;
class UpdaterBridge;

/// The shell of a running application: it owns the parts, the tray item and
/// its menu, and forwards every menu action to the session or a window.
class AppDelegate : public QObject, public MenuTarget
{
    Q_OBJECT

public:
    explicit AppDelegate(bool dryRun, QObject *parent = nullptr);
    ~AppDelegate() override;

    AppParts &parts() { return *m_parts; }
    TrayItem *tray() const { return m_tray.get(); }

    /// The tray item with its glyph, following the session's status glyph.
    void buildStatusItem();
    StatusMenu::Situation situation();

    void declare() override;
    void showStrip() override;
    void done() override;
    void switchTo(SwitchReason reason) override;
    void offDuty(std::optional<int> minutes, const QString &reason) override;
    void backOnDuty() override;
    void journal() override;
    void settings() override;
    void checkUpdates() override;
    void quit() override;

private:
    void terminating();

    std::unique_ptr<AppParts> m_parts;
    std::unique_ptr<TrayItem> m_tray;
    std::unique_ptr<UpdaterBridge> m_updater;
};
