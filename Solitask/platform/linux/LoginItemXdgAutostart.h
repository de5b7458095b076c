#pragma once

#include "Solitask/platform/LoginItem.h"

#include <QString>

/// An XDG autostart entry: enabled means the file exists and is neither
/// hidden nor switched off.
class LoginItemXdgAutostart : public LoginItem
{
public:
    /// `autostartDir` defaults to $XDG_CONFIG_HOME/autostart.
    LoginItemXdgAutostart(QString appId, QString name, QString executable,
        QString autostartDir = defaultDir());

    static QString defaultDir();
    /// The Exec value for a path, quoted as desktop entries require.
    static QString execValue(const QString &executable);

    Support support() const override { return Support::yes(); }
    bool isEnabled() override;
    bool setEnabled(bool enabled) override;
    bool refresh() override;
    QString path() const;

private:
    QByteArray entry() const;
    QByteArray stored() const;

    QString m_appId;
    QString m_name;
    QString m_executable;
    QString m_dir;
};
