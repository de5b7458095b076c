#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/// Display names of applications from their desktop entries
/// (applications/<id>.desktop in the XDG data folders), localized when the
/// entry has a name for the current locale. Answers are cached.
class DesktopEntryNames
{
public:
    /// `dataDirs` defaults to XDG_DATA_HOME followed by XDG_DATA_DIRS.
    explicit DesktopEntryNames(QStringList dataDirs = defaultDataDirs(), QString locale = {});

    /// The Name of the entry `id` (".desktop" optional), or empty.
    QString name(const QString &id);

    static QStringList defaultDataDirs();

private:
    QString lookUp(const QString &id) const;
    QString readName(const QString &path) const;

    QStringList m_dataDirs;
    QString m_locale;
    QHash<QString, QString> m_cache;
};
