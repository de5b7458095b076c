#pragma once

#include "Solitask/settings/SettingsEnvironment.h"

#include <QWidget>

class QMenu;
class QVBoxLayout;

/// The applications never captured: a header with their count that opens the
/// list, a remove button per app, adding a running app and restoring the defaults.
class PrivateAppsBlock : public QWidget
{
    Q_OBJECT

public:
    explicit PrivateAppsBlock(const SettingsEnvironment &env, QWidget *parent = nullptr);

    bool isOpen() const { return m_open; }
    void setOpen(bool open);
    /// The count as shown in the header ("3 apps").
    QString countText() const;

    void remove(const QString &id);
    void add(const QString &id);
    void restoreDefaults();

private:
    void rebuild();
    QWidget *header();
    QWidget *appRow(const QString &id, const QString &name);
    QWidget *elsewhereLine(qsizetype count);
    QList<RunningApp> addable() const;
    void fillAddMenu(QMenu *menu);
    QWidget *footer();
    void store(const QStringList &ids);

    const SettingsEnvironment &m_env;
    QVBoxLayout *m_column;
    bool m_open = false;
};
