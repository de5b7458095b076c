#pragma once

#include "Solitask/journal/Wallpaper.h"
#include "Solitask/settings/SettingsEnvironment.h"

class SettingsGroup;
class SettingsRow;

/// Every preference the person can change, in four groups. Each control writes
/// its preference at once and tells the session.
class SettingsView : public Wallpaper
{
    Q_OBJECT

public:
    explicit SettingsView(const SettingsEnvironment &env, QWidget *parent = nullptr);

    /// The row labelled `label`, for tests and the screenshots.
    SettingsRow *row(const QString &label) const;
    int tick() const { return m_tick; }

private:
    void changed();
    QWidget *content();
    SettingsGroup *gateGroup();
    SettingsGroup *witnessGroup();
    SettingsGroup *notchGroup();
    SettingsGroup *generalGroup();
    QWidget *boolSwitch(const QString &key);
    QWidget *intPicker(const QList<int> &choices, const QString &key, int width);
    QWidget *modelPicker();
    QWidget *pill(const QList<std::pair<int, QString>> &options, int selected, const QString &key);
    QWidget *doubleTapControl();
    QWidget *peekButton();

    SettingsEnvironment m_env;
    int m_tick = 0;
};
